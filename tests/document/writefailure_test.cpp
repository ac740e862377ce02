// Saving when the disk is full (the file size limit lowered, as a full disk
// makes writes fail) or the folder and file are read-only: item data, set
// file, output file list and a conversion run each fail with their message,
// leave the original file byte for byte as it was and no temporary file
// beside it, and the data stay marked modified.
#include "common/fileio.h"
#include "support/conversionset.h"
#include "support/unprivileged.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace lexicana::test {
namespace {

namespace fs = std::filesystem;

// Writes past a few bytes fail with EFBIG (SIGXFSZ ignored) while it lives.
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved_;
        small.rlim_cur = 8;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    struct rlimit saved_ { };
    void (*oldHandler_)(int) = nullptr;
};

// One save: the file it replaces, and the save itself (true when it
// reported success).
struct Save {
    const char* what;
    std::function<bool(ConversionSet&, const std::string& file)> run;
    const char* file;
};

TEST(WriteFailure, EverySaveFailsCleanlyOnAFullDiskOrAReadOnlyFolder)
{
    const Save saves[] = {
        { "item data",
            [](ConversionSet& s, const std::string& file) { return s.doc.WriteItemFile(file, 2) == FileOk; },
            "items.csv" },
        { "set file",
            [](ConversionSet& s, const std::string& file) { return s.doc.WriteLxsFile(file) == ResultOk; },
            "set.lxs" },
        { "output list",
            [](ConversionSet&, const std::string& file) {
                try {
                    SaveLines(file, { "index.html", "news.html" });
                    return true;
                } catch (const std::exception&) {
                    return false;
                }
            },
            "list.txt" },
        { "conversion run",
            [](ConversionSet& s, const std::string&) { return s.doc.StartConversion() == 201; }, "a.html" },
    };
    for (const bool fullDisk : { true, false }) {
        for (const Save& save : saves) {
            SCOPED_TRACE(std::string(save.what) + (fullDisk ? ", full disk" : ", read-only folder"));
            ConversionSet s;
            s.File("a", "a.html");
            s.Record("a1", "A word long enough to need more than a few bytes");
            s.Page("a.html");
            const std::string file = s.dir.file(save.file);
            if (!fs::exists(file))
                s.dir.write(save.file, "old");
            const std::string before = s.Read(save.file);
            // The list's message is its dialog's; the others show their own.
            const bool showsMessage = std::string(save.what) != "output list";
            s.global.ItemDataModified = true;
            bool saved = true;
            if (fullDisk) {
                FileSizeLimit limit;
                saved = save.run(s, file);
            } else {
                // Neither the folder nor the file may be written by an
                // ordinary user; the job runs as one (a child when root).
                ::chmod(file.c_str(), 0444);
                ::chmod(s.dir.path().c_str(), 0555);
                const bool failedAsUser = RunWithoutRootRights([&] {
                    const bool ok = save.run(s, file);
                    return !ok && (!showsMessage || s.sink.count() >= 1) && s.global.ItemDataModified;
                });
                ::chmod(s.dir.path().c_str(), 0755);
                ::chmod(file.c_str(), 0644);
                EXPECT_TRUE(failedAsUser);
                saved = false;
            }
            EXPECT_FALSE(saved);
            EXPECT_EQ(s.Read(save.file), before);
            EXPECT_TRUE(s.global.ItemDataModified);
            if (fullDisk && showsMessage) {
                EXPECT_GE(s.sink.count(), 1u);
            }
            for (const auto& entry : fs::directory_iterator(s.dir.path())) {
                const std::string name = entry.path().filename().string();
                EXPECT_TRUE(name == "set.ctb" || name == "a.html" || name == save.file)
                    << "left behind: " << name;
            }
        }
    }
}

// A process killed while it saves item data leaves the file whole: the
// content of one save or the other, never a mix, never missing.
TEST(WriteFailure, KillsDuringItemDataSavesLeaveAWholeFile)
{
    const char* given = std::getenv("LEXICANA_KILL_TRIALS");
    const int trials = given ? std::max(1, std::atoi(given)) : 5;
    const std::string kText = "a record with enough text to make the file some size";
    ConversionSet s;
    for (int row = 0; row < 3000; ++row)
        s.Record("k" + std::to_string(row), kText);
    const std::string file = s.dir.file("items.csv");
    ASSERT_EQ(s.doc.WriteItemFile(file, 2), FileOk);
    const std::string first = s.Read("items.csv");
    s.doc.Grid().SetCell(5, 1, "changed");
    ASSERT_EQ(s.doc.WriteItemFile(file, 2), FileOk);
    const std::string second = s.Read("items.csv");
    std::mt19937 random(8122026);
    int left = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two contents in turn until it is killed.
            for (int i = 0;; ++i) {
                s.doc.Grid().SetCell(5, 1, i % 2 ? "changed" : kText);
                s.doc.WriteItemFile(file, 2);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = s.Read("items.csv");
        ASSERT_TRUE(now == first || now == second) << "trial " << trial << ": " << now.size() << " bytes";
        // QSaveFile names its file just before the rename; a kill in that
        // moment leaves it (counted, not a fault: the item data are whole).
        for (const auto& entry : fs::directory_iterator(s.dir.path()))
            if (entry.path().filename() != "items.csv" && entry.path().filename() != "set.ctb") {
                ++left;
                fs::remove(entry.path());
            }
    }
    RecordProperty("save_kill_trials", trials);
    RecordProperty("temporary_files_left", left);
    std::printf("%d kills during item data saves, %d temporary files left\n", trials, left);
}

} // namespace
} // namespace lexicana::test
