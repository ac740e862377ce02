// The set file of a conversion set: reading it (paths resolved against the
// set file's folder, then the item data and the conversion table loaded),
// writing it (paths relative to the set file where possible) and the two
// save commands.
#include "common/fileio.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "conversion/document.h"
#include "conversion/keytext.h"
#include "platform/sjistext.h"

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
        SetFileLines.clear();
        std::string text;
        if (lexicana::ReadFileToString(path, text) != FileOk)
            throw std::runtime_error("セットファイル \"" + SjisToUtf8(path) + "\" を開けません。");
        SetFileLines = SplitLines(text);

        const std::string csv = SetFileValue(SetFileLines, "csv");
        const std::string ctb = SetFileValue(SetFileLines, "ctb");
        const std::string rep = SetFileValue(SetFileLines, "rep");
        const std::string htmlDir = SetFileValue(SetFileLines, "HTMLdir");
        const std::string infoList = SetFileValue(SetFileLines, "InfoOutputList");
        if (csv.empty()) {
            busy.Restore();
            ShowMessageBox("csvキーの値がありません", kPlainCaption, MbOk);
            return 2;
        }
        if (ctb.empty()) {
            busy.Restore();
            ShowMessageBox("ctbキーの値がありません", kPlainCaption, MbOk);
            return 3;
        }

        const std::string folder = ExtractFileDir(path);
        global_.ItemFileName = ResolvedValue(folder, csv);
        global_.TableFileName = ResolvedValue(folder, ctb);
        global_.RepFileName = rep.empty() ? std::string() : ResolvedValue(folder, rep);
        global_.HTMLDir = htmlDir.empty() ? folder : ResolvedValue(folder, htmlDir);
        global_.InfoOutputList = infoList.empty() ? std::string() : ResolvedValue(folder, infoList);

        {
            GridUpdate update(Grid());
            // Both report their own failures; the set is opened regardless.
            // The table comes second so that its columns, headings and
            // widths apply to the freshly loaded records.
            OpenItemFile(global_.ItemFileName, 1);
            ReadTableFile(global_.TableFileName);
            global_.SetFileName = path;
            Ui().AddRecentFile(path);
        }
        global_.SetFileUntitled = false;
        Ui().UpdateCaption();
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
        std::string bytes = "[Lexicana]\r\n";
        for (const auto& [key, value] : entries)
            bytes += key + RelativeValue(*value, path) + "\r\n";

        std::string reason;
        if (!SaveFileAtomically(path, bytes, &reason)) {
            // Reported here so that a failed save is never taken for a
            // completed one; the file keeps its previous content.
            ShowError("セットファイル \"" + SjisToUtf8(path) + "\" を保存できませんでした。"
                + (reason.empty() ? std::string() : "\n" + reason));
            return 1;
        }
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
            return 1;
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
        return written == 1 ? -2 : written;
    } catch (const std::exception& e) {
        ReportError(e, "LxsSaveDlg");
        return -2;
    } catch (...) {
        return -1;
    }
}

} // namespace lexicana
