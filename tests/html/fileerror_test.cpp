// Tests of the page and output file messages.
#include "html/fileerror.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>

namespace lexicana {
namespace {

TEST(FileErrorTest, CodesGiveTheirTextsWithDecodedPathAndSuccessShowsNothing)
{
    const std::string path = SjisOf("/用語/表.html"); // 表 has a 0x5C trail byte
    EXPECT_EQ(FileErrorText(110, path),
        "外部出力ファイル(\"/用語/表.html\")に書き出せません。\n書込み禁止になっていないか、\n"
        "ディスク容量に余裕があるかを確認してください。");
    EXPECT_EQ(
        FileErrorText(300, "a.html"), "HTMLファイル(\"a.html\")に\nLexicanaパートの開始タグが見つかりません");
    EXPECT_EQ(FileErrorText(106, "a.html"),
        "HTMLファイル(\"a.html\")が読み出せません。\nファイル名が違っていないかを確認してください。");

    test::RecordingSink sink;
    for (int code : { 0, 100, -1 })
        ShowFileError(code, "a.html");
    EXPECT_EQ(sink.count(), 0u);
    for (int code : { 108, -2, 999 })
        ShowFileError(code, "a.html");
    ASSERT_EQ(sink.count(), 3u);
    EXPECT_EQ(sink.last().text, "予期しないエラーです");
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_EQ(sink.last().icon(), MessageIcon::Stop);
}

} // namespace
} // namespace lexicana
