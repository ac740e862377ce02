#include "cli/options.h"

#include <gtest/gtest.h>

namespace lexicana {
namespace {

bool Parse(std::vector<std::string> args, TCliOptions& options, std::string* error = nullptr)
{
    std::string e;
    const bool ok = ParseCliOptions(args, options, e);
    if (error)
        *error = e;
    return ok;
}

TEST(CliOptions, ReadsTheSetFileAndEveryOptionInBothForms)
{
    TCliOptions o;
    ASSERT_TRUE(Parse({ "set.lxs" }, o));
    EXPECT_EQ(o.action, TCliOptions::Action::Convert);
    EXPECT_EQ(o.setFile, "set.lxs");
    EXPECT_EQ(o.partRow, 0);
    EXPECT_FALSE(o.kanjiCode.has_value());
    EXPECT_FALSE(o.newLineCode.has_value());

    ASSERT_TRUE(Parse({ "--part", "12", "--kanji", "euc", "--newline=crlf", "a b.lxs" }, o));
    EXPECT_EQ(o.partRow, 12);
    EXPECT_EQ(o.kanjiCode, 4);
    EXPECT_EQ(o.newLineCode, 1);
    EXPECT_EQ(o.setFile, "a b.lxs");

    ASSERT_TRUE(Parse({ "--kanji=JIS", "--newline", "auto", "--", "-odd.lxs" }, o));
    EXPECT_EQ(o.kanjiCode, 2);
    EXPECT_EQ(o.newLineCode, -1);
    EXPECT_EQ(o.setFile, "-odd.lxs");
}

TEST(CliOptions, CodeNamesMapToTheStoredOptionNumbers)
{
    EXPECT_EQ(KanjiCodeOfName("sjis"), 5);
    EXPECT_EQ(KanjiCodeOfName("jis"), 2);
    EXPECT_EQ(KanjiCodeOfName("euc"), 4);
    EXPECT_EQ(KanjiCodeOfName("auto"), -1);
    EXPECT_EQ(KanjiCodeOfName("utf8"), 7);
    EXPECT_EQ(KanjiCodeOfName("UTF-8"), 7);
    EXPECT_FALSE(KanjiCodeOfName("utf16"));
    EXPECT_EQ(NewLineCodeOfName("crlf"), 1);
    EXPECT_EQ(NewLineCodeOfName("cr"), 2);
    EXPECT_EQ(NewLineCodeOfName("lf"), 3);
    EXPECT_EQ(NewLineCodeOfName("auto"), -1);
    EXPECT_FALSE(NewLineCodeOfName("\n"));
}

TEST(CliOptions, HelpAndVersionNeedNoSetFile)
{
    TCliOptions o;
    ASSERT_TRUE(Parse({ "--help" }, o));
    EXPECT_EQ(o.action, TCliOptions::Action::Help);
    ASSERT_TRUE(Parse({ "set.lxs", "-v" }, o));
    EXPECT_EQ(o.action, TCliOptions::Action::Version);
    EXPECT_NE(CliUsageText().find("--part ROW"), std::string::npos);
}

TEST(CliOptions, UsageErrorsAreRefusedWithAReason)
{
    TCliOptions o;
    std::string error;
    for (const auto& args : std::vector<std::vector<std::string>> {
             {},
             { "a.lxs", "b.lxs" },
             { "--part", "0", "a.lxs" },
             { "--part", "-3", "a.lxs" },
             { "--part", "7x", "a.lxs" },
             { "--part=", "a.lxs" },
             { "a.lxs", "--part" },
             { "--kanji", "utf16", "a.lxs" },
             { "--newline=crcr", "a.lxs" },
             { "--frobnicate", "a.lxs" },
         }) {
        EXPECT_FALSE(Parse(args, o, &error)) << (args.empty() ? "(none)" : args.front());
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace lexicana
