// lexicana-convert in a website's workflow: a check that writes nothing, the
// diffs of the changed pages, a separate output folder, the JSON report, and
// pages left untouched when their content is already up to date.
#include "cli/unifieddiff.h"
#include "cliharness.h"
#include "support/testenv.h"

#include <QLockFile>
#include <QSysInfo>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

namespace fs = std::filesystem;

TEST(ConvertWorkflow, CheckDiffOutputJsonAndUpToDatePages)
{
    TempDir work, settings, outDir;
    fs::copy(fs::path(LEXICANA_GOLDEN_DIR) / "basic/input", work.path(), fs::copy_options::recursive);
    const std::string set = work.path() + "/set.lxs";
    // The HTML folder written with "./", which must not let a folder inside
    // it pass for an output folder.
    WriteFile(set,
        "[Lexicana]\r\ncsv=items.csv\r\nctb=table.ctb\r\nrep=\r\nHTMLdir=./html\r\n"
        "InfoOutputList=outputs.txt\r\n");
    const auto run = [&](std::vector<std::string> args) {
        args.push_back(set);
        return RunConvert(args, settings.path());
    };
    const auto fresh = SnapshotTree(work.path());

    // A check writes nothing, lists the stale pages and fails; with --diff it
    // shows what would change.
    CliResult r = run({ "--check", "--diff" });
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(SnapshotTree(work.path()), fresh);
    EXPECT_EQ(r.out.rfind("a.html\nb.html\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("--- a/a.html\n+++ b/a.html\n@@ "), std::string::npos);

    // A folder run writes the changed files there and leaves the originals;
    // a folder inside the HTML folder is refused.
    const std::string out = outDir.path() + "/site";
    r = run({ "--output", out, "--json" });
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"pagesWritten\":[\"a.html\",\"b.html\"],\"pagesUnchanged\":[]"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"references\":[],\"records\":3,\"links\":"), std::string::npos) << r.out;
    for (const char* inside : { "/html", "/html/sub", "/./html/../html/sub" })
        EXPECT_EQ(run({ "--output", work.path() + inside }).exitCode, 2) << inside;
    EXPECT_EQ(SnapshotTree(work.path()), fresh);

    // The real run, then a second one that finds everything up to date and
    // touches nothing; a quiet check then says nothing and succeeds.
    EXPECT_EQ(run({}).exitCode, 0);
    const auto converted = SnapshotTree(work.path());
    for (const char* page : { "a.html", "b.html", "index.html" })
        EXPECT_EQ(ReadFile(out + "/" + page), converted.at(std::string("html/") + page).bytes) << page;
    r = run({});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find("書き換えたページ: 0、変更のなかったページ: 2"), std::string::npos) << r.err;
    EXPECT_EQ(SnapshotTree(work.path()), converted);
    r = run({ "--check", "--quiet" });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_TRUE(fs::is_empty(settings.path()));
}

TEST(ConvertWorkflow, WatchConvertsAgainOnEveryChangeUntilInterrupted)
{
    TempDir work, settings;
    fs::copy(fs::path(LEXICANA_GOLDEN_DIR) / "basic/input", work.path(), fs::copy_options::recursive);
    auto process = StartConvert({ "--watch", work.path() + "/set.lxs" }, settings.path());
    process->setReadChannel(QProcess::StandardError);
    std::string err;
    const auto waitForLines = [&](long lines) {
        for (int i = 0; i < 300 && std::count(err.begin(), err.end(), '\n') < lines; ++i) {
            process->waitForReadyRead(100);
            err += process->readAllStandardError().toStdString();
        }
        return std::count(err.begin(), err.end(), '\n') >= lines;
    };
    ASSERT_TRUE(waitForLines(1)) << err;
    // An editor saving the table by writing a new file and renaming it.
    WriteFile(work.path() + "/table.new", ReadFile(work.path() + "/table.ctb") + "\r\n");
    fs::rename(work.path() + "/table.new", work.path() + "/table.ctb");
    ASSERT_TRUE(waitForLines(2)) << err;
    ::kill(static_cast<pid_t>(process->processId()), SIGINT);
    const CliResult result = FinishConvert(*process);
    EXPECT_EQ(result.exitCode, 0);
    err += result.err;
    EXPECT_NE(err.find("] 書き換えたページ: 2、変更のなかったページ: 0"), std::string::npos) << err;
    EXPECT_NE(err.find("] 書き換えたページ: 0、変更のなかったページ: 2"), std::string::npos) << err;
}

TEST(ConvertWorkflow, TwoConversionsOfOneSetDoNotOverlap)
{
    TempDir work, settings;
    fs::copy(fs::path(LEXICANA_GOLDEN_DIR) / "basic/input", work.path(), fs::copy_options::recursive);
    const std::string set = work.path() + "/set.lxs";
    const auto fresh = SnapshotTree(work.path() + "/html");
    {
        // Another program converting the set holds its lock.
        QLockFile other(QString::fromStdString(work.path() + "/.set.lxs.lexicana-lock"));
        other.setStaleLockTime(0);
        ASSERT_TRUE(other.tryLock(0));
        const CliResult r = RunConvert({ "--lock-wait", "0", set }, settings.path());
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find("は別のプログラムが変換中です"), std::string::npos) << r.err;
        EXPECT_TRUE(SnapshotTree(work.path() + "/html") == fresh);
    }
    // A lock left by a process that is gone is taken over.
    WriteFile(work.path() + "/.set.lxs.lexicana-lock",
        "2147483646\nlexicana-convert\n" + QSysInfo::machineHostName().toStdString() + "\n");
    EXPECT_EQ(RunConvert({ "--lock-wait", "0", set }, settings.path()).exitCode, 0);
    EXPECT_FALSE(SnapshotTree(work.path() + "/html") == fresh);
}

TEST(ConvertWorkflow, UnifiedDiffIsWhatPatchApplies)
{
    if (std::system("patch --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "patch is not installed";
    const struct {
        std::string before, after;
    } cases[] = {
        { "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n", "1\n2\nthree\n4\n5\n6\n7\n8\n9\n10\n12\n13\n" },
        { "a\r\nb\r\nc", "x\r\na\r\nb\r\nc\r\n" },
        { "", "new\n" },
        { "same\nold", "same\n" },
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir.path() + "/p.txt", c.before);
        WriteFile(dir.path() + "/p.diff", UnifiedDiff("p.txt", c.before, c.after, false));
        const std::string command = "cd '" + dir.path() + "' && patch -s -p1 --binary < p.diff";
        ASSERT_EQ(std::system(command.c_str()), 0) << UnifiedDiff("p.txt", c.before, c.after, false);
        EXPECT_EQ(ReadFile(dir.path() + "/p.txt"), c.after);
    }
}

} // namespace
} // namespace lexicana::test
