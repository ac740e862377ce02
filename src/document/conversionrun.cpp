// The conversion run of the document: the whole-run and one-part commands,
// the run itself (sort, re-read of the conversion table, parts, word links,
// pages, optional save) and its closing messages. The progress display is
// closed and Converting cleared on every outcome, and a run never starts
// inside a running one.
#include "common/fileio.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "conversion/filerecords.h"
#include "conversion/linktable.h"
#include "data/gridsort.h"
#include "document/document.h"
#include "html/pagerewrite.h"
#include "platform/doctext.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>

namespace lexicana {

namespace {

constexpr const char* kPlainCaption = "Lexicana";

// Marks a run as going on for the object's lifetime; only the object that
// set the flag clears it, so the run inside a command leaves it alone.
class RunningMark {
public:
    explicit RunningMark(bool& flag)
        : flag_(flag)
        , owner_(!flag)
    {
        flag_ = true;
    }
    ~RunningMark()
    {
        if (owner_)
            flag_ = false;
    }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

private:
    bool& flag_;
    bool owner_;
};

// Closes the progress display and clears Converting once, at the latest
// when the run is left.
class ProgressCloser {
public:
    explicit ProgressCloser(TDocument& doc)
        : doc_(doc)
    {
    }
    ~ProgressCloser() { Close(); }
    ProgressCloser(const ProgressCloser&) = delete;
    ProgressCloser& operator=(const ProgressCloser&) = delete;
    void Close()
    {
        if (closed_)
            return;
        closed_ = true;
        doc_.Global().Converting = false;
        doc_.Progress().Close();
    }

private:
    TDocument& doc_;
    bool closed_ = false;
};

// Sorts the records by the Sort column (the value from before the table is
// read again), puts file records ahead of equal keys and renumbers the rows.
// Returns where the record at onlyRow stands afterwards, so that the one-part
// command converts the part the user pointed at.
int SortRecordsForRun(TRecordTable& grid, const TGlobal& global, int onlyRow)
{
    const int lastRow = grid.RowCount() - 1;
    if (!HasSortColumn(grid, global) || lastRow < 1)
        return onlyRow;
    // Numbering first lets column 0 tell each record's place before the sort;
    // the final numbering overwrites it anyway.
    const bool follow = onlyRow >= 1 && onlyRow <= lastRow;
    if (follow)
        grid.NumberRows();
    QsortGrid(grid, 1, lastRow, global.SortCol);
    MoveFileRecordsAhead(grid, global);
    int followed = onlyRow;
    if (follow) {
        const std::string tag = std::to_string(onlyRow);
        for (int row = 1; row <= lastRow; ++row) {
            if (grid.Cell(0, row) == tag) {
                followed = row;
                break;
            }
        }
    }
    grid.NumberRows();
    return followed;
}

// Keeps the undo history out of a run (its sort and numbering are no edits)
// and starts it afresh when the run ends, however it ends.
class HistoryPause {
public:
    explicit HistoryPause(TDocument& doc)
        : doc_(doc)
    {
        doc_.RecordHistory().Suspend();
    }
    ~HistoryPause()
    {
        doc_.RecordHistory().Resume();
        doc_.ResetHistory(!doc_.Global().ItemDataModified);
    }
    HistoryPause(const HistoryPause&) = delete;
    HistoryPause& operator=(const HistoryPause&) = delete;

private:
    TDocument& doc_;
};

// The lines of the external output list; false when it cannot be read.
bool LoadOutputList(const std::string& path, TStringList& lines)
{
    std::string text;
    if (ReadFileToString(path, text) != FileOk)
        return false;
    // A list in the other code is converted; a character without a code in
    // the document's throws, naming it.
    lines = DocumentLinesOf(text, path);
    return true;
}

} // namespace

bool TDocument::RefuseConversionWithoutTable()
{
    if (!global_.TableFileName.empty())
        return false;
    ShowMessageBox(
        lexicana::Tr("変換テーブルファイルが指定されていないため変換できません。\n"
                     "セットファイルを開くか、変換セットの設定でテーブルファイルを指定してください。"),
        kPlainCaption, MbOk | MbIconWarning);
    return true;
}

int TDocument::FinishRun(int result, bool told)
{
    lastRun_.result = result;
    lastRun_.told = told;
    return result;
}

bool TDocument::LockRuns(TRunLock& lock)
{
    if (global_.SetFileUntitled || global_.SetFileName.empty())
        return true;
    std::string holder;
    if (lock.Acquire(global_.SetFileName, lockWaitMs_, &holder))
        return true;
    ShowMessageBox(holder.empty()
            ? FillArgs(lexicana::Tr("セットファイル \"%1\" は別のプログラムが変換中です。\n"
                                    "その変換が終わってから、もう一度変換してください。"),
                { DocToUtf8(global_.SetFileName) })
            : FillArgs(lexicana::Tr("セットファイル \"%1\" は別のプログラムが変換中です（%2）。\n"
                                    "その変換が終わってから、もう一度変換してください。"),
                { DocToUtf8(global_.SetFileName), holder }),
        kPlainCaption, MbOk | MbIconWarning);
    return false;
}

int TDocument::RefuseCommand(TRunLock& lock)
{
    // A command given while a run goes on leaves that run's outcome alone.
    if (running_)
        return RunRefused;
    lastRun_ = {};
    if (RefuseConversionWithoutTable() || !LockRuns(lock))
        return FinishRun(RunRefused, true);
    return ResultOk;
}

int TDocument::StartConversion()
{
    TRunLock lock;
    if (const int refused = RefuseCommand(lock); refused != ResultOk)
        return refused;
    RunningMark running(running_);
    global_.Converting = true;
    Progress().Open(1, grid_.RowCount() - 1);
    return RunConversion(0);
}

int TDocument::ConvertOnePart(int row)
{
    TRunLock lock;
    if (const int refused = RefuseCommand(lock); refused != ResultOk)
        return refused;
    RunningMark running(running_);
    const int rowCount = grid_.RowCount();
    int first = std::min(row, rowCount - 1);
    while (first >= 1 && !IsFileRecord(grid_, global_, first))
        --first;
    if (first < 1) {
        ShowMessageBox(lexicana::Tr("ファイルレコードがここより前に存在しないため変換できません。"),
            kPlainCaption, MbOk);
        return FinishRun(RunRefused, true);
    }
    // No file record stands between first and row, so the next one after
    // first is the next one after row.
    int next = first + 1;
    while (next < rowCount && !IsFileRecord(grid_, global_, next))
        ++next;
    global_.Converting = true;
    Progress().Open(first, next - 1);
    return RunConversion(first);
}

int TDocument::RunConversion(int onlyRow)
{
    RunningMark running(running_);
    HistoryPause pause(*this);
    ProgressCloser closer(*this);
    lastRun_ = {};
    try {
        FileListGrid parts;
        TStringList outputList;
        if (!global_.InfoOutputList.empty() && !LoadOutputList(global_.InfoOutputList, outputList)) {
            closer.Close();
            ShowError(FillArgs(lexicana::Tr("外部出力ファイルリスト(\"%1\")が読み出せません。\n"
                                            "ファイル名が違っていないかを確認してください。"),
                { DocToUtf8(global_.InfoOutputList) }));
            return FinishRun(FileCannotOpen, true);
        }

        onlyRow = SortRecordsForRun(grid_, global_, onlyRow);

        const int table = ReadTableFile(global_.TableFileName);
        if (table != TableRead) {
            closer.Close();
            if (table != FileCannotOpen)
                ShowError(lexicana::Tr("テーブルファイルが正しい形式ではありません"));
            return FinishRun(table, true);
        }

        const int found = GetFileRecord(grid_, global_, parts, &Ui());
        if (found != 0) {
            closer.Close();
            if (found == PartTableNoFileRecord)
                ShowMessageBox(lexicana::Tr("ファイルレコードがひとつもありません"), kPlainCaption, MbOk);
            return FinishRun(found, found != ResultUnreported);
        }

        global_.HTMLBaseDir = IncludeTrailingSeparator(global_.HTMLDir);
        const int result = WriteToHTML(global_.HTMLBaseDir, parts, outputList, onlyRow);
        closer.Close();
        if (result == RunDone)
            ShowMessageBox(
                lexicana::Tr("HTMLファイルの書き換えが正常に終了しました。") + lastRun_.ReferenceLines(),
                lexicana::Tr("完了"), MbOk);
        else
            ShowMessageBox(lexicana::Tr("HTML書き換えを中断しました。"), lexicana::Tr("中断"), MbIconWarning);
        return FinishRun(result, true);
    } catch (const std::exception& e) {
        closer.Close();
        ReportError(e, "RunConversion");
        return FinishRun(ResultReported, true);
    } catch (...) {
        closer.Close();
        return FinishRun(ResultUnreported, false);
    }
}

int TDocument::WriteToHTML(
    const std::string& htmlBaseDir, const FileListGrid& parts, const TStringList& outputList, int onlyRow)
{
    try {
        global_.HTMLBaseDir = htmlBaseDir;
        std::unique_ptr<WordLink> links;
        {
            // The progress display may take a cancel while the table is made.
            StrGrid linkTable(4, 0);
            if (!MakeLinkTable(grid_, global_, parts, linkTable, [this] {
                    Progress().ProcessEvents();
                    return global_.Converting;
                }))
                return RunCancelled;
            links = MakeWordLink(std::move(linkTable), global_);
        }
        const int pages = HTMLFileOperation(parts, outputList, *links, onlyRow);
        links.reset();
        if (pages != RunPagesDone)
            return pages;
        if (global_.ItemDataModified && global_.SaveCSVatConv && target_.WritesInPlace())
            SaveDlg();
        return RunDone;
    } catch (const std::exception& e) {
        ReportError(e, "WriteToHTML");
        return -2;
    } catch (...) {
        return -1;
    }
}

int TDocument::HTMLFileOperation(
    const FileListGrid& parts, const TStringList& outputList, const WordLink& links, int onlyRow)
{
    return RewritePages(Pages(), parts, outputList, links, onlyRow);
}

int TDocument::MakeOnePage(
    const FileListGrid& parts, const WordLink& links, const std::vector<unsigned char>& columnUsed, int index)
{
    return RewritePage(Pages(), parts, links, columnUsed, index);
}

} // namespace lexicana
