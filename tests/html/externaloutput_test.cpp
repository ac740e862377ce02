// Tests of the external output update: the six blocks of a run, listed
// files that fail, and the update going on after a failure.
#include "common/version.h"
#include "data/global.h"
#include "html/externaloutput.h"
#include "platform/localtime.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace lexicana {
namespace {

std::string Block(const std::string& name, const std::string& value)
{
    return "<!-- Lexicana:" + name + "_START -->" + value + "<!-- Lexicana:" + name + "_END -->";
}

TEST(ExternalOutputTest, ListedFilesGetTheRunsValuesAndFailuresAreShown)
{
    qputenv("SOURCE_DATE_EPOCH", "1000000000");
    test::TempDir dir;
    TGlobal global(false);
    global.SetTableDefaults();
    global.HTMLDir = dir.path();
    global.NormalRecordCount = 42;
    global.FileRecordCount = 3;
    dir.write("top.html", Block("RECORD", "?") + "/" + Block("RECORD", "") + Block("LINK", "keep"));
    dir.write("news.txt",
        Block("FILERECORD", "x") + Block("DATE", "x") + Block("TIME", "x") + Block("VERSION", "x")
            + Block("LXVERSION", "x"));

    test::RecordingSink sink;
    int events = 0;
    UpdateExternalOutputFiles(
        global, { "top.html", "", "gone.txt", dir.file("news.txt") }, {}, nullptr, [&] {
            ++events;
            return true;
        });

    EXPECT_EQ(test::TempDir::read(dir.file("top.html")),
        Block("RECORD", "42") + "/" + Block("RECORD", "42") + Block("LINK", "keep"));
    EXPECT_EQ(test::TempDir::read(dir.file("news.txt")),
        Block("FILERECORD", "3") + Block("DATE", CurrentDateText()) + Block("TIME", CurrentTimeText())
            + Block("VERSION", GetProductVersion()) + Block("LXVERSION", global.VersionText));
    EXPECT_EQ(events, 4);
    ASSERT_EQ(sink.count(), 2u);
    EXPECT_EQ(sink.boxes[0].text,
        "外部出力ファイル(\"\")が読み出せません。\nファイル名が違っていないかを確認してください。");
    EXPECT_NE(sink.boxes[1].text.find("(\"gone.txt\")"), std::string::npos);
    qunsetenv("SOURCE_DATE_EPOCH");
}

} // namespace
} // namespace lexicana
