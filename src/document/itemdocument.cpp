// The item data file operations of the document: choosing the form of the
// file from its kind, loading and saving the record table, and keeping the
// item file's name, kind and flags in TGlobal.
#include "common/messages.h"
#include "common/translate.h"
#include "data/itemfile.h"
#include "document/document.h"
#include "platform/doctext.h"

#include <algorithm>
#include <stdexcept>

namespace lexicana {

namespace {

struct ItemFileForm {
    char separator;
    bool quoting;
};

ItemFileForm CommaForm()
{
    return { ',', true };
}

ItemFileForm TabForm()
{
    return { '\t', false };
}

// Kind 1 reads the comma form only when the character after the last "."
// of the path is a lower-case "c" (".csv"); kind 2 the comma form; kind 3
// the tab form. A "." is never a trail byte, so a byte search finds it.
ItemFileForm ReadingForm(const std::string& path, int kind)
{
    switch (kind) {
    case 1: {
        const std::size_t dot = path.rfind('.');
        const bool comma = dot != std::string::npos && dot + 1 < path.size() && path[dot + 1] == 'c';
        return comma ? CommaForm() : TabForm();
    }
    case 2:
        return CommaForm();
    case 3:
        return TabForm();
    default:
        throw std::invalid_argument(
            lexicana::Tr("項目データファイルの種類が不正です : ") + std::to_string(kind));
    }
}

// Whatever kind chose the name, the file is written in the form that kind 1
// (the set file's reading of its item data) reads for that path, so that the
// set opens the file as it was saved.
ItemFileForm WritingForm(const std::string& path, int kind)
{
    if (kind < 1 || kind > 3)
        throw std::invalid_argument(
            lexicana::Tr("項目データファイルの種類が不正です : ") + std::to_string(kind));
    return ReadingForm(path, 1);
}

// The columns item data are read and written with at least: what the last
// conversion table declared, or MinColCount before any table was read.
int DeclaredColCount(const TGlobal& global)
{
    return std::max(global.MinColCount, global.TableColCount);
}

} // namespace

int TDocument::OpenItemFile(const std::string& path, int kind)
{
    try {
        const ItemFileForm form = ReadingForm(path, kind);
        // A failed load has been reported and left grid, name and flags
        // as they were.
        TFileCode code;
        if (StrLoadFromFile(grid_, path, form.separator, form.quoting, DeclaredColCount(global_), &code) != 0)
            return -2;
        // Plain ASCII reads the same in either code: the document keeps its
        // code (a set being opened gives its own).
        if (code.ascii)
            code.code = global_.ItemFileCode.code;
        TakeItemFileCode(code);
        global_.ItemFileUntitled = false;
        ResetHistory(true);
        global_.ItemFileKind = kind;
        Ui().UpdateCaption();
        Ui().ShowCellPosition();
        Ui().SelectCell(1, 1);
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "OpenItemFile");
        return -2;
    } catch (...) {
        return -1;
    }
}

int TDocument::WriteItemFile(const std::string& path, int kind)
{
    try {
        const ItemFileForm form = WritingForm(path, kind);
        // A failed save has been reported; the data stay marked modified.
        // Saving trims cells; that is no step of the history (an undo puts
        // back whole cells anyway).
        {
            TRecordPause pause(history_);
            if (StrSaveToFile(grid_, path, form.separator, form.quoting, DeclaredColCount(global_),
                    &global_.ItemFileCode)
                != 0)
                return -2;
        }
        history_.MarkSaved();
        global_.ItemDataModified = false;
        Ui().UpdateCaption();
        return FileOk;
    } catch (const std::exception& e) {
        ReportError(e, "WriteItemFile");
        return -2;
    } catch (...) {
        return -1;
    }
}

int TDocument::SaveAsDlg()
{
    try {
        std::string path;
        // The filters come twice: in Shift_JIS, then in UTF-8 (kUtf8Filters
        // on); the document's code is offered first.
        int filterIndex = global_.ItemFileCode.code == TextCode::Utf8 ? kUtf8Filters + 1 : 1;
        if (!Ui().AskItemFileSaveName(global_.ItemFileName, path, filterIndex))
            return ItemSaveCancelled;
        const bool utf8 = filterIndex > kUtf8Filters;
        if (utf8)
            filterIndex -= kUtf8Filters;
        // Saving in the other code converts the document once the converted
        // records are written; a character the new code cannot hold has
        // been shown and nothing is written, and a failed write leaves the
        // document as it was.
        TCodeConversion conversion;
        if (!PrepareCodeConversion(utf8 ? TextCode::Utf8 : TextCode::ShiftJis, conversion))
            return ResultReported;
        if (conversion.to != global_.ItemFileCode.code) {
            const ItemFileForm form = WritingForm(path, filterIndex);
            const TFileCode code { conversion.to, false };
            if (StrSaveToFile(conversion.grid, path, form.separator, form.quoting, DeclaredColCount(global_), &code)
                != 0)
                return ResultReported;
            const TextCode before = DocumentTextCode();
            CommitCodeConversion(conversion);
            ConvertTextCode(std::string(path), before, DocumentTextCode(), path);
            history_.MarkSaved();
        } else {
            const int result = WriteItemFile(path, filterIndex);
            if (result != FileOk)
                return result;
        }
        global_.ItemFileName = path;
        global_.ItemFileKind = filterIndex;
        global_.ItemFileUntitled = false;
        global_.ItemDataModified = false;
        Ui().UpdateCaption();
        if (ShowMessageBox(
                lexicana::Tr("項目データファイルが変更されました。\nセットファイルを更新しますか？"),
                lexicana::Tr("項目データファイル変更"), MbYesNo | MbIconWarning)
            == IdYes)
            LxsSaveDlg();
        return FileOk;
    } catch (const std::exception& e) {
        ReportError(e, "SaveAsDlg");
        return -2;
    } catch (...) {
        return -1;
    }
}

int TDocument::SaveDlg()
{
    try {
        if (global_.ItemFileUntitled)
            return SaveAsDlg();
        return WriteItemFile(global_.ItemFileName, global_.ItemFileKind);
    } catch (const std::exception& e) {
        ReportError(e, "SaveDlg");
        return -2;
    } catch (...) {
        return -1;
    }
}

} // namespace lexicana
