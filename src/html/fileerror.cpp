#include "html/fileerror.h"

#include "common/messages.h"
#include "platform/sjistext.h"

namespace lexicana {

namespace {

const char* const kCannotReadTail = "が読み出せません。\nファイル名が違っていないかを確認してください。";
const char* const kCannotWriteTail = "に書き出せません。\n書込み禁止になっていないか、\n"
                                     "ディスク容量に余裕があるかを確認してください。";

std::string Quoted(const char* kind, const std::string& path)
{
    return std::string(kind) + "(\"" + SjisToUtf8(path) + "\")";
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
        return Quoted("HTMLファイル", path) + kCannotReadTail;
    case PageCannotWriteTemp:
        return Quoted("HTMLファイル", path) + kCannotWriteTail;
    case OutputCannotRead:
        return Quoted("外部出力ファイル", path) + kCannotReadTail;
    case OutputCannotWrite:
        return Quoted("外部出力ファイル", path) + kCannotWriteTail;
    case PageNoStartMarker:
        return Quoted("HTMLファイル", path) + "に\nLexicanaパートの開始タグが見つかりません";
    case PageNoEndMarker:
        return Quoted("HTMLファイル", path) + "に\nLexicanaパートの終了タグが見つかりません";
    default:
        return "予期しないエラーです";
    }
}

void ShowFileError(int code, const std::string& path)
{
    const std::string text = FileErrorText(code, path);
    if (!text.empty())
        ShowError(text);
}

} // namespace lexicana
