// The set file of a conversion set: reading it (paths resolved against the
// set file's folder, then the item data and the conversion table loaded),
// writing it (paths relative to the set file where possible) and the two
// save commands.
#include "common/fileio.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "conversion/keytext.h"
#include "document/document.h"
#include "platform/doctext.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace lexicana {

namespace {

constexpr const char* kPlainCaption = "Lexicana";

// The value of the first line whose text before its first "=" equals key
// (case ignored), unchanged; empty when no line has the key.
std::string SetFileValue(const TStringList& lines, std::string_view key)
{
    for (const std::string& line : lines) {
        std::string_view k, v;
        if (SplitKeyValue(line, k, v) && EqualsIgnoreCase(k, key))
            return std::string(v);
    }
    return {};
}

// value prefixed with the set file's folder unless it is absolute.
std::string ResolvedValue(const std::string& folder, std::string value)
{
    MakeAbsolutePath(folder, value);
    return value;
}

// value relative to the set file at path; an empty value stays empty.
std::string RelativeValue(const std::string& value, const std::string& path)
{
    return value.empty() ? value : MakeRelativePath(value, path, false);
}

// Shows the busy cursor for its lifetime.
class BusyCursor {
public:
    explicit BusyCursor(IDocumentUi& ui)
        : ui_(ui)
    {
        ui_.SetBusyCursor(true);
    }
    ~BusyCursor() { Restore(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    // The normal cursor again, before the guard ends (e.g. for a message).
    void Restore()
    {
        if (busy_)
            ui_.SetBusyCursor(false);
        busy_ = false;
    }

private:
    IDocumentUi& ui_;
    bool busy_ = true;
};

// Puts the document's code back at the end of its scope unless kept: the
// code of a set that could not be opened must not stay.
class CodeRestore {
public:
    CodeRestore()
        : code_(DocumentTextCode())
    {
    }
    ~CodeRestore()
    {
        if (!kept_)
            SetDocumentTextCode(code_);
    }
    CodeRestore(const CodeRestore&) = delete;
    CodeRestore& operator=(const CodeRestore&) = delete;
    TextCode Code() const { return code_; }
    void Keep() { kept_ = true; }

private:
    TextCode code_;
    bool kept_ = false;
};

// Suspends redrawing of the record grid for its lifetime.
class GridUpdate {
public:
    explicit GridUpdate(TRecordTable& grid)
        : grid_(grid)
    {
        grid_.BeginUpdate();
    }
    ~GridUpdate() { grid_.EndUpdate(); }
    GridUpdate(const GridUpdate&) = delete;
    GridUpdate& operator=(const GridUpdate&) = delete;

private:
    TRecordTable& grid_;
};

} // namespace

int TDocument::ReadLxsFile(const std::string& path)
{
    try {
        BusyCursor busy(Ui());
        const std::string setName = DocToUtf8(path);
        std::string text, reason;
        if (lexicana::ReadFileToString(path, text, &reason) != FileOk)
            throw std::runtime_error(
                FillArgs(lexicana::Tr("セットファイル \"%1\" を開けません。"), { DocToUtf8(path) })
                + (reason.empty() ? std::string() : "\n" + reason));
        // The set file's values are in its own code until the item data
        // tell the document's code; its own path is taken into that code too.
        CodeRestore codeRestore;
        TFileCode setCode = DetectFileCode(text);
        // A plain ASCII set file takes the code new documents take; its item
        // data, when plain ASCII too, take the set's.
        if (setCode.ascii && global_.NewDocumentUtf8)
            setCode.code = TextCode::Utf8;
        TStringList lines = SplitLines(setCode.bom ? text.substr(kUtf8Bom.size()) : text);
        TStringList setPath { path };
        ConvertLinesCode(setPath, codeRestore.Code(), setCode.code);
        SetDocumentTextCode(setCode.code);

        const std::string csv = SetFileValue(lines, "csv");
        const std::string ctb = SetFileValue(lines, "ctb");
        const std::string rep = SetFileValue(lines, "rep");
        const std::string htmlDir = SetFileValue(lines, "HTMLdir");
        const std::string infoList = SetFileValue(lines, "InfoOutputList");
        if (csv.empty()) {
            busy.Restore();
            ShowMessageBox(lexicana::Tr("csvキーの値がありません"), kPlainCaption, MbOk);
            return SetFileNoCsv;
        }
        if (ctb.empty()) {
            busy.Restore();
            ShowMessageBox(lexicana::Tr("ctbキーの値がありません"), kPlainCaption, MbOk);
            return SetFileNoCtb;
        }

        // The set is loaded into a scratch document first and taken over only
        // when its item data and its conversion table have both been read, so
        // that a set that cannot be opened leaves the current one (records,
        // file names, flags, recent files) exactly as it was. The scratch
        // grid has the current column widths, which a load keeps.
        TGlobal loadedGlobal = global_;
        loadedGlobal.ItemFileCode = { setCode.code, false };
        TDocument loaded(loadedGlobal);
        loaded.Grid().SetColCount(grid_.ColCount());
        for (int col = 0; col < grid_.ColCount(); ++col)
            loaded.Grid().SetColWidth(col, grid_.ColWidth(col));
        const std::string folder = ExtractFileDir(setPath[0]);
        loadedGlobal.ItemFileName = ResolvedValue(folder, csv);
        loadedGlobal.TableFileName = ResolvedValue(folder, ctb);
        loadedGlobal.RepFileName = rep.empty() ? std::string() : ResolvedValue(folder, rep);
        loadedGlobal.HTMLDir = htmlDir.empty() ? folder : ResolvedValue(folder, htmlDir);
        loadedGlobal.InfoOutputList = infoList.empty() ? std::string() : ResolvedValue(folder, infoList);

        // Both report their own failures, naming the file. The table comes
        // second so that its columns, headings and widths apply to the
        // freshly loaded records.
        if (loaded.OpenItemFile(loadedGlobal.ItemFileName, 1) != 0)
            return -2;
        // The item data gave the document's code; the scratch document took
        // its names into it.
        try {
            ConvertLinesCode(setPath, setCode.code, DocumentTextCode());
            ConvertLinesCode(lines, setCode.code, DocumentTextCode());
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string(e.what()) + " : " + setName);
        }
        if (loaded.ReadTableFile(loadedGlobal.TableFileName) != TableRead)
            return -2;
        loadedGlobal.SetFileName = setPath[0];
        loadedGlobal.SetFileCode = setCode;
        loadedGlobal.SetFileUntitled = false;

        {
            GridUpdate update(Grid());
            const bool saved = !loadedGlobal.ItemDataModified;
            global_ = std::move(loadedGlobal);
            grid_.SwapContent(loaded.Grid());
            ResetHistory(saved);
            SetFileLines = std::move(lines);
            TableFileLines = std::move(loaded.TableFileLines);
            HeadTableLines = std::move(loaded.HeadTableLines);
            MainTableLines = std::move(loaded.MainTableLines);
            FootTableLines = std::move(loaded.FootTableLines);
            Ui().AddRecentFile(global_.SetFileName);
            codeRestore.Keep();
        }
        Ui().UpdateCaption();
        Ui().ShowCellPosition();
        Ui().SelectCell(1, 1);
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "ReadLxsFile");
        return -2;
    } catch (...) {
        return -1;
    }
}

int TDocument::WriteLxsFile(const std::string& path)
{
    try {
        const std::pair<const char*, const std::string*> entries[] = {
            { "csv=", &global_.ItemFileName },
            { "ctb=", &global_.TableFileName },
            { "rep=", &global_.RepFileName },
            { "HTMLdir=", &global_.HTMLDir },
            { "InfoOutputList=", &global_.InfoOutputList },
        };
        // Written back in the code it was read in; a new set file in the
        // document's.
        const TFileCode code
            = global_.SetFileUntitled ? TFileCode { DocumentTextCode(), false } : global_.SetFileCode;
        TStringList lines { "[Lexicana]" };
        for (const auto& [key, value] : entries)
            lines.push_back(key + RelativeValue(*value, path));
        try {
            SaveDocumentLines(path, lines, code);
        } catch (const std::exception& e) {
            // Reported here so that a failed save is never taken for a
            // completed one; the file keeps its previous content.
            const std::string reason = e.what();
            ShowError(
                FillArgs(lexicana::Tr("セットファイル \"%1\" を保存できませんでした。"), { DocToUtf8(path) })
                + (reason.empty() ? std::string() : "\n" + reason));
            return SetFileCannotWrite;
        }
        global_.SetFileCode = code;
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "WriteLxsFile");
        return -2;
    } catch (...) {
        return -1;
    }
}

int TDocument::LxsSaveAsDlg()
{
    try {
        std::string chosen;
        if (!Ui().AskSetFileSaveName(global_.SetFileName, chosen))
            return SetFileSaveCancelled;
        // A set file that was not written is not taken as the current one.
        if (int written = WriteLxsFile(chosen); written != 0)
            return written == -1 ? -1 : -2;
        global_.SetFileName = chosen;
        Ui().AddRecentFile(chosen);
        global_.SetFileUntitled = false;
        Ui().UpdateCaption();
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "LxsSaveAsDlg");
        return -2;
    } catch (...) {
        return -2;
    }
}

int TDocument::LxsSaveDlg()
{
    try {
        if (global_.SetFileUntitled)
            return LxsSaveAsDlg();
        // A file that cannot be written has been reported by the writer.
        const int written = WriteLxsFile(global_.SetFileName);
        return written == SetFileCannotWrite ? ResultReported : written;
    } catch (const std::exception& e) {
        ReportError(e, "LxsSaveDlg");
        return -2;
    } catch (...) {
        return -1;
    }
}

} // namespace lexicana
