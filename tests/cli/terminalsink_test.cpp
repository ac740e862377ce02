#include "cli/terminalsink.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace lexicana {
namespace {

// Captures what the sink prints.
class Capture {
public:
    Capture()
        : file_(std::tmpfile())
    {
    }
    ~Capture() { std::fclose(file_); }
    std::FILE* file() { return file_; }
    std::string text()
    {
        std::fflush(file_);
        std::rewind(file_);
        std::string out;
        char buf[512];
        while (std::size_t n = std::fread(buf, 1, sizeof buf, file_))
            out.append(buf, n);
        return out;
    }

private:
    std::FILE* file_;
};

MessageRequest Box(const std::string& text, const std::string& caption, int flags)
{
    MessageRequest r;
    r.text = text;
    r.caption = caption;
    r.flags = flags;
    return r;
}

TEST(TerminalSink, PrintsCaptionAndTextWithTerminalLineEnds)
{
    Capture out;
    TTerminalSink sink(out.file());
    EXPECT_EQ(sink.Show(Box("エラー発生場所 : X\r\nエラーの種類 : y", "エラー", MbOk | MbIconStop)), IdOk);
    EXPECT_EQ(sink.Show(Box("HTMLファイルの書き換えが正常に終了しました。", "完了", MbOk)), IdOk);
    EXPECT_EQ(out.text(),
        "[エラー] エラー発生場所 : X\nエラーの種類 : y\n"
        "[完了] HTMLファイルの書き換えが正常に終了しました。\n");
}

TEST(TerminalSink, RetryQuestionIsAnsweredNoAndTheSkipIsSaid)
{
    Capture out;
    TTerminalSink sink(out.file());
    const int answer = sink.Show(Box("HTMLファイルの作成中にLexicanaタグのずれが検出されました。\n"
                                     "このパートの書き出しを再実行しますか？",
        "再実行の確認", MbYesNo));
    EXPECT_EQ(answer, IdNo);
    EXPECT_NE(out.text().find("スキップ"), std::string::npos);
}

TEST(TerminalSink, EveryQuestionGetsTheAnswerThatChangesNothing)
{
    EXPECT_EQ(NonInteractiveAnswer(
                  Box("セットファイルを更新しますか？", "項目データファイル変更", MbYesNo | MbIconWarning)),
        IdNo);
    EXPECT_EQ(NonInteractiveAnswer(Box("保存しますか？", "確認", MbYesNoCancel | MbIconQuestion)), IdCancel);
    EXPECT_EQ(NonInteractiveAnswer(Box("x", "y", MbOkCancel)), IdCancel);
    EXPECT_EQ(NonInteractiveAnswer(Box("x", "y", MbRetryCancel)), IdCancel);
    EXPECT_EQ(NonInteractiveAnswer(Box("x", "y", MbOk | MbIconInformation)), IdOk);

    Capture out;
    TTerminalSink sink(out.file());
    sink.Show(Box("保存しますか？", "確認", MbYesNoCancel));
    EXPECT_NE(out.text().find("→ キャンセル"), std::string::npos);
}

} // namespace
} // namespace lexicana
