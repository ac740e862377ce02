// The conversion table of the document: the file read, then its lines
// into the grid, the options and the templates.
#include "conversion/tablefile.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "common/translate.h"
#include "document/document.h"
#include "platform/doctext.h"

#include <exception>
#include <string>

namespace lexicana {

int TDocument::ReadTableFile(const std::string& path)
{
    try {
        std::string text;
        if (lexicana::ReadFileToString(path, text) != FileOk) {
            ShowMessageBox(FillArgs(lexicana::Tr("テーブルファイルの読み込みに失敗しました。\nエラー内容 : "
                                                 "ファイル \"%1\" を開けません。"),
                               { DocToUtf8(path) }),
                lexicana::Tr("テーブルファイル読み込みエラー"), MbOk | MbIconWarning);
            return FileCannotOpen;
        }
        // A table in the other code than the document's is converted.
        const TFileCode code = DetectFileCode(text);
        TStringList lines = SplitLines(code.bom ? text.substr(kUtf8Bom.size()) : text);
        ConvertLinesCode(lines, code.code, DocumentTextCode());
        TableFileLines = std::move(lines);
        ReadTableLines({ grid_, global_, HeadTableLines, MainTableLines, FootTableLines }, TableFileLines);
        return TableRead;
    } catch (const std::exception& e) {
        // The report names the table, which a caller reading several files
        // (a set being opened) cannot otherwise tell.
        ReportError(std::string(e.what()) + " : " + DocToUtf8(path), "ReadTableFile");
        return -2;
    } catch (...) {
        return -1;
    }
}

} // namespace lexicana
