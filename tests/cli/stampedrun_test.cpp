// The record of the last run (run stamp) end to end: a set converted to the
// full is converted once more, which records it; then one change is made and
// lexicana-convert runs again. Only where nothing changed may it answer from
// the record, and it must then print exactly what a full run prints; after
// any change its files and output must be exactly those of a full run in a
// fresh copy of the set that never had a record.
#include "cli/cliharness.h"
#include "support/testenv.h"

#include <QProcess>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <thread>

namespace lexicana::test {
namespace {

namespace fs = std::filesystem;

const fs::path kBasic = fs::path(LEXICANA_GOLDEN_DIR) / "basic" / "input";

struct SetRun {
    std::string folder;
    std::string cache;
    std::string settings;
    std::string epoch = kTestEpoch;
};

CliResult Convert(const SetRun& run, std::vector<std::string> args)
{
    QProcess process;
    QProcessEnvironment env = CliEnvironment(run.settings);
    env.insert("XDG_CACHE_HOME", QString::fromStdString(run.cache));
    env.insert("SOURCE_DATE_EPOCH", QString::fromStdString(run.epoch));
    process.setProcessEnvironment(env);
    args.push_back(run.folder + "/set.lxs");
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    process.start(LEXICANA_CONVERT, arguments);
    process.waitForFinished(60000);
    CliResult result;
    result.exitCode = process.exitCode();
    result.out = std::regex_replace(
        process.readAllStandardOutput().toStdString(), std::regex("\"seconds\":[0-9.]+"), "\"seconds\":_");
    result.err = process.readAllStandardError().toStdString();
    return result;
}

// Every file of the set an hour old, so that the next run may record it.
void Age(const std::string& folder)
{
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::last_write_time(entry.path(), old);
}

void Replace(const std::string& path, const std::string& from, const std::string& to)
{
    std::string bytes = ReadFile(path);
    const auto at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteFile(path, bytes.replace(at, from.size(), to));
}

// An edit inside the marked part of a.html that keeps its size, inode and
// time: no full run keeps it, so it survives only a run answered from the
// record.
const std::string kMark = "<dl>", kProbe = "<DL>";
void Probe(const std::string& folder)
{
    const std::string page = folder + "/html/a.html";
    const auto time = fs::last_write_time(page);
    Replace(page, kMark, kProbe);
    fs::last_write_time(page, time);
}

std::map<std::string, std::string> Files(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& [name, state] : SnapshotTree(folder))
        files[name] = state.bytes;
    return files;
}

TEST(StampedRun, OnlyAnUnchangedSetIsAnsweredFromTheRecordAndExactlyAsAFullRun)
{
    using Change = std::function<void(SetRun&)>;
    const Change nothing = [](SetRun&) {};
    struct Case {
        const char* name;
        std::vector<std::string> args;
        Change change;
        bool answered;
    } cases[] = {
        { "nothing changed", {}, nothing, true },
        { "nothing changed, check", { "--check" }, nothing, true },
        { "nothing changed, json", { "--json" }, nothing, true },
        { "no cache", { "--no-cache" }, nothing, false },
        { "item data", {}, [](SetRun& r) { Replace(r.folder + "/items.csv", "yellow", "golden"); }, false },
        { "table", {}, [](SetRun& r) { Replace(r.folder + "/table.ctb", "<dl>", "<ol>"); }, false },
        { "set file", {},
            [](SetRun& r) {
                WriteFile(r.folder + "/other.csv",
                    ReadFile(r.folder + "/items.csv") + "\"6\",\"\",\"\",\"date\",\"\"\r\n");
                Replace(r.folder + "/set.lxs", "csv=items.csv", "csv=other.csv");
            },
            false },
        { "output list", {},
            [](SetRun& r) {
                WriteFile(r.folder + "/html/count.txt",
                    "<!-- Lexicana:RECORD_START -->?<!-- Lexicana:RECORD_END -->");
                WriteFile(r.folder + "/outputs.txt", "index.html\r\ncount.txt\r\n");
            },
            false },
        { "output file", {},
            [](SetRun& r) { Replace(r.folder + "/html/index.html", "words on", "words in"); }, false },
        { "page outside its part, same size", {},
            [](SetRun& r) { Replace(r.folder + "/html/b.html", "<h1>", "<h2>"); }, false },
        { "page touched", {},
            [](SetRun& r) {
                fs::last_write_time(r.folder + "/html/b.html", fs::file_time_type::clock::now());
            },
            false },
        { "date", {}, [](SetRun& r) { r.epoch = "1609545600"; }, false },
        { "setting", { "--kanji=euc" }, nothing, false },
        { "record damaged", {},
            [](SetRun& r) {
                if (fs::exists(r.cache + "/lexicana/runs"))
                    for (const auto& entry : fs::directory_iterator(r.cache + "/lexicana/runs"))
                        fs::resize_file(entry.path(), fs::file_size(entry.path()) / 2);
            },
            false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir recorded, fresh, cache, settings;
        fs::copy(kBasic, recorded.path(), fs::copy_options::recursive);
        fs::copy(kBasic, fresh.path(), fs::copy_options::recursive);
        SetRun run { recorded.path(), cache.path(), settings.path() };
        SetRun full { fresh.path(), cache.path() + "/none", settings.path() };

        ASSERT_EQ(Convert(run, {}).exitCode, 0);
        Age(run.folder);
        // Setting the times back is itself a change of the files' status:
        // a run records only files that have not changed since shortly
        // before it began.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        const CliResult unchanged = Convert(run, {});
        ASSERT_EQ(unchanged.exitCode, 0) << unchanged.err;
        ASSERT_FALSE(fs::is_empty(cache.path() + "/lexicana/runs")) << "the run was not recorded";
        Probe(run.folder);
        c.change(run);
        const auto before = SnapshotTree(run.folder);
        const CliResult answer = Convert(run, c.args);

        // The full run starts from the same pages, the probe included where
        // the record must not answer.
        ASSERT_EQ(Convert(full, {}).exitCode, 0);
        if (!c.answered)
            Probe(full.folder);
        c.change(full);
        std::vector<std::string> args = c.args;
        args.push_back("--no-cache");
        const CliResult expected = Convert(full, args);

        EXPECT_EQ(answer.exitCode, expected.exitCode);
        EXPECT_EQ(answer.out, expected.out);
        EXPECT_EQ(answer.err, expected.err);
        auto want = Files(full.folder);
        if (c.answered) {
            EXPECT_TRUE(SnapshotTree(run.folder) == before) << "a file was touched";
            Replace(full.folder + "/html/a.html", kMark, kProbe);
            want = Files(full.folder);
        }
        EXPECT_TRUE(Files(run.folder) == want);
    }
}

} // namespace
} // namespace lexicana::test
