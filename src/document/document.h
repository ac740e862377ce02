// TDocument: the glossary being edited, without any window. It owns the
// record table and the line lists of the conversion table and the set file,
// refers to TGlobal, and offers the file operations of the main window with
// their result codes and messages. Questions go to the message sink; file
// dialogs and window updates go to an IDocumentUi.
#pragma once

#include "common/resultcodes.h"
#include "common/stringlist.h"
#include "conversion/progress.h"
#include "conversion/runoutcome.h"
#include "conversion/runtarget.h"
#include "data/global.h"
#include "data/recordhistory.h"
#include "data/recordtable.h"
#include "html/pageinputs.h"
#include "platform/runlock.h"

#include <string>
#include <vector>

namespace lexicana {

// What the document needs of the user interface. Every method has a
// default that fits a program without a window (dialogs are cancelled).
// Long loops call its ProcessEvents to let pending window events run.
class IDocumentUi : public IEventPump {
public:
    // Save dialog of the item data file (filters "CSV形式(*.csv)" and
    // "全てのファイル(*.*)", then the same two in UTF-8, default extension
    // "csv", asks before overwriting). false when cancelled; filterIndex is
    // 1-based, and comes in as the filter to offer first.
    virtual bool AskItemFileSaveName(const std::string& currentName, std::string& path, int& filterIndex)
    {
        (void)currentName, (void)path, (void)filterIndex;
        return false;
    }
    // Save dialog of the set file (default extension "lxs", asks before
    // overwriting). false when cancelled.
    virtual bool AskSetFileSaveName(const std::string& currentName, std::string& path)
    {
        (void)currentName, (void)path;
        return false;
    }

    // Notifications.
    virtual void UpdateCaption() { }
    virtual void ShowCellPosition() { }
    // Make (col, row) the current cell so the text pane and status follow.
    virtual void SelectCell(int col, int row) { (void)col, (void)row; }
    virtual void SetBusyCursor(bool busy) { (void)busy; }
    // A set file was opened or saved: the recent-files list takes it.
    virtual void AddRecentFile(const std::string& path) { (void)path; }
};

// The item data save dialog offers its filters in Shift_JIS, then the same
// ones in UTF-8: index kUtf8Filters + k is filter k in UTF-8.
inline constexpr int kUtf8Filters = 2;

class FileListGrid;
class WordLink;
struct TermFinding;

class TDocument {
public:
    // ui may be null (no window): the defaults of IDocumentUi apply.
    TDocument(TGlobal& global, IDocumentUi* ui = nullptr);

    TGlobal& Global() { return global_; }
    const TGlobal& Global() const { return global_; }
    TRecordTable& Grid() { return grid_; }
    const TRecordTable& Grid() const { return grid_; }
    // The undo history of the records. Loading, New and conversions start
    // it afresh; ItemDataModified follows it (set exactly when the records
    // differ from the saved state it knows).
    TRecordHistory& RecordHistory() { return history_; }
    // Makes code the code of the item data file and the document's code
    // (DocumentTextCode); the records are taken as being in it.
    void SetItemFileCode(const TFileCode& code);
    // SetItemFileCode for item data just read: when the code changes, the
    // file names are converted to it and a table read before is read again.
    void TakeItemFileCode(const TFileCode& code);
    // Converts the records and the file names to code to and makes it the
    // document's code (the table is read again, the history starts afresh,
    // the records count as modified). A character without a code in to is
    // shown with the records holding it, and the document stays as it was:
    // false.
    bool ConvertDocumentCode(TextCode to);
    // A fresh history; saved: the records as they stand are the saved
    // state (ItemDataModified follows).
    void ResetHistory(bool saved);
    IDocumentUi& Ui() { return *ui_; }
    void SetUi(IDocumentUi* ui);
    // The progress display of conversion runs; null restores a silent one.
    IConversionProgress& Progress() { return *progress_; }
    void SetProgress(IConversionProgress* progress);
    // What making the parts and rewriting the pages use of this document;
    // TableFileLines is the working list.
    PageInputs Pages();

    TStringList TableFileLines;
    TStringList HeadTableLines;
    TStringList MainTableLines;
    TStringList FootTableLines;
    TStringList SetFileLines;

    // Conversion table: TableRead, FileCannotOpen (message shown), or
    // ResultReported.
    int ReadTableFile(const std::string& path);

    // Item data file: OpenItemFile ResultOk / ResultReported /
    // ResultUnreported; WriteItemFile FileOk / ResultReported; SaveAsDlg
    // ItemSaveCancelled / FileOk / ResultReported; SaveDlg as those. Only
    // FileOk is a completed save.
    int OpenItemFile(const std::string& path, int kind);
    int WriteItemFile(const std::string& path, int kind);
    int SaveAsDlg();
    int SaveDlg();

    // Set file: ReadLxsFile ResultOk / SetFileNoCsv / SetFileNoCtb /
    // ResultReported / ResultUnreported; WriteLxsFile ResultOk /
    // SetFileCannotWrite (reported) / -2 / -1; LxsSaveAsDlg ResultOk /
    // SetFileSaveCancelled / ResultReported; LxsSaveDlg the result of those.
    int ReadLxsFile(const std::string& path);
    int WriteLxsFile(const std::string& path);
    int LxsSaveAsDlg();
    int LxsSaveDlg();

    // Conversion runs. StartConversion is the whole-run command and
    // ConvertOnePart the one-part command (row: any row of the part); both
    // refuse to start inside a running run (RunRefused) and return the
    // result: RunDone when "HTMLファイルの書き換えが正常に終了しました。"
    // was shown, another code when the run was refused, stopped or
    // cancelled. LastRun then tells the whole outcome.
    int StartConversion();
    int ConvertOnePart(int row);
    const TRunOutcome& LastRun() const { return lastRun_; }
    // Where the next runs put their files (in place unless set otherwise).
    // A run that does not write in place never saves the item data either.
    void SetRunTarget(const TRunTarget& target) { target_ = target; }
    // How long a run waits for another conversion of the same set to end
    // before it is refused (0: refused at once).
    void SetRunLockWait(int ms) { lockWaitMs_ = ms; }
    // The run itself (Converting set and progress open by the caller);
    // onlyRow 0 for every part, else the grid row of the one file record.
    int RunConversion(int onlyRow);
    // RunDone, RunCancelled, a page code, ResultReported.
    int WriteToHTML(const std::string& htmlBaseDir, const FileListGrid& parts, const TStringList& outputList,
        int onlyRow);
    // RunPagesDone, RunCancelled, a page code (message shown), -2.
    int HTMLFileOperation(
        const FileListGrid& parts, const TStringList& outputList, const WordLink& links, int onlyRow);
    // Rewrites the page of parts entry index: a PageResult, -1 or -2.
    int MakeOnePage(const FileListGrid& parts, const WordLink& links,
        const std::vector<unsigned char>& columnUsed, int index);
    bool IsRunning() const { return running_; }
    // The term check of the set (see html/termcheck.h): reads the conversion
    // table as a run does, orders a copy of the records as a run would and
    // reads the pages, writing nothing and leaving the records as they are.
    // ResultOk with the findings; otherwise the failure has been shown.
    int CheckTerms(std::vector<TermFinding>& findings);
    // A document without a conversion table (nothing opened yet, or a set
    // that could not be opened) cannot be converted: says so and returns
    // true. Both commands ask it before any progress display opens.
    bool RefuseConversionWithoutTable();

private:
    // A change of the document's code, prepared in copies.
    struct TCodeConversion {
        TextCode to = TextCode::ShiftJis;
        TRecordTable grid;
        std::vector<std::string> names;
    };
    // Converts the records and file names into copies and checks the table
    // lines; a character without a code in to is shown (with its records)
    // and false returned, the document untouched.
    bool PrepareCodeConversion(TextCode to, TCodeConversion& conversion);
    // Takes a prepared conversion on (nothing when the code stays).
    void CommitCodeConversion(TCodeConversion& conversion);
    // Ends a command: its result goes into lastRun_, which also notes
    // whether the user was told.
    int FinishRun(int result, bool told);
    // Takes the lock of the set's conversions for lock's lifetime; when
    // another process holds it, says so and returns false.
    bool LockRuns(TRunLock& lock);
    // What both commands check before they start: no run going on, a
    // table, the set's lock (held in lock). RunRefused when the command
    // may not start, else ResultOk.
    int RefuseCommand(TRunLock& lock);

    bool running_ = false;
    TRunOutcome lastRun_;
    TRunTarget target_;
    int lockWaitMs_ = 0;
    TGlobal& global_;
    IDocumentUi defaultUi_;
    IDocumentUi* ui_;
    IConversionProgress defaultProgress_;
    IConversionProgress* progress_;
    TRecordTable grid_;
    TRecordHistory history_ { grid_ };
};

} // namespace lexicana
