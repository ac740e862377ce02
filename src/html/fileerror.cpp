#include "html/fileerror.h"

#include "common/messages.h"
#include "common/translate.h"
#include "platform/doctext.h"

namespace lexicana {

namespace {

std::string Named(const char* text, const std::string& path)
{
    return FillArgs(lexicana::Tr(text), { DocToUtf8(path) });
}

} // namespace

std::string FileErrorText(int code, const std::string& path)
{
    switch (code) {
    case 0:
    case 100:
    case -1:
        return std::string();
    case PageCannotRead:
        return Named(
            lexicana::TrMark(
                "HTMLファイル(\"%1\")が読み出せません。\nファイル名が違っていないかを確認してください。"),
            path);
    case PageCannotWriteTemp:
        return Named(lexicana::TrMark("HTMLファイル(\"%1\")に書き出せません。\n書込み禁止になっていないか、\n"
                                      "ディスク容量に余裕があるかを確認してください。"),
            path);
    case OutputCannotRead:
        return Named(
            lexicana::TrMark(
                "外部出力ファイル(\"%1\")が読み出せません。\nファイル名が違っていないかを確認してください。"),
            path);
    case OutputCannotWrite:
        return Named(
            lexicana::TrMark("外部出力ファイル(\"%1\")に書き出せません。\n書込み禁止になっていないか、\n"
                             "ディスク容量に余裕があるかを確認してください。"),
            path);
    case PageNoStartMarker:
        return Named(
            lexicana::TrMark("HTMLファイル(\"%1\")に\nLexicanaパートの開始タグが見つかりません"), path);
    case PageNoEndMarker:
        return Named(
            lexicana::TrMark("HTMLファイル(\"%1\")に\nLexicanaパートの終了タグが見つかりません"), path);
    default:
        return lexicana::Tr("予期しないエラーです");
    }
}

void ShowFileError(int code, const std::string& path)
{
    const std::string text = FileErrorText(code, path);
    if (!text.empty())
        ShowError(text);
}

} // namespace lexicana
