#include "platform/process.h"
#include "platform/sjistext.h"
#include "support/testenv.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::TempDir;

TEST(StartProgram, ReportsWhetherTheProgramStarted)
{
    TempDir dir;
    EXPECT_TRUE(StartProgram("/bin/true", "", false));
    EXPECT_FALSE(StartProgram("", "", false));
    EXPECT_FALSE(StartProgram("/nonexistent/program", "", false));
    // A file that is not executable cannot be started either.
    std::string plain = dir.write("plain.txt", "text");
    EXPECT_FALSE(StartProgram(plain, "", false));

    int started = 0;
    EXPECT_FALSE(StartProgram("/nonexistent/program", "", true, [&] { ++started; }));
    EXPECT_EQ(started, 0);
    EXPECT_TRUE(StartProgram("/bin/true", "", true, [&] { ++started; }));
    EXPECT_EQ(started, 1);
}

TEST(StartProgram, WaitsForTheEndAndSplitsArgumentsAsAShell)
{
    TempDir dir;
    // Quotes group a blank and Japanese text into one argument, three quotes
    // give a literal quote; the
    // Shift_JIS parameters reach the program as a local file name.
    std::string target = dir.path() + SjisOf("/用語 集.txt");
    bool existedAtStart = true;
    EXPECT_TRUE(
        StartProgram("/bin/sh", "-c \"sleep 0.2; touch \"\"\"$0\"\"\"\" \"" + target + "\"", true, [&] {
            existedAtStart = std::filesystem::exists(std::filesystem::u8path(dir.path() + "/用語 集.txt"));
        }));
    EXPECT_FALSE(existedAtStart);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(dir.path() + "/用語 集.txt")));
}
