// Record editing in the main window: the text pane mirroring the grid's
// current cell, the edit target and the edit commands, the record-operation
// position and the context menu, inserting, deleting, moving and counting
// records, the record-count dialog, and the commands for file records.
#include "app/mainform.h"
#include "app/numofitems.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "common/utils.h"
#include "components/strsortgrid.h"
#include "conversion/filerecords.h"
#include "data/fileutils.h"
#include "data/gridsort.h"
#include "platform/qdoctext.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

namespace lexicana {

// --- the text pane follows the grid -------------------------------------------

std::string TMainForm::CurrentCellBytes() const
{
    return doc_.Grid().Cell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

QString TMainForm::PaneText() const
{
    QString text = Memo_Main->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void TMainForm::ShowCellInPane(const std::string& text)
{
    TStringList lines;
    StrToStrs(text, lines);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        shown << QStringFromDoc(line);
    fillingPane_ = true;
    Memo_Main->setUpdatesEnabled(false);
    Memo_Main->setPlainText(shown.join(QLatin1Char('\n')));
    Memo_Main->setUpdatesEnabled(true);
    fillingPane_ = false;
    Memo_Main->viewport()->update();
}

void TMainForm::StringGrid_MainSelectCell(int col, int row)
{
    // Leaving a cell ends its edit step: one step per cell visit (a visit
    // that changed nothing leaves the data as saved as before).
    const bool wasModified = global_.ItemDataModified;
    doc_.RecordHistory().Seal();
    if (global_.ItemDataModified != wasModified)
        UpdateCaption();
    if (global_.EditTarget == 0)
        ShowCellInPane(doc_.Grid().Cell(col, row));
    ShowCellPosition(col, row);
    ShowCellKind(col, row);
    if (!global_.PopupOperatePosition) {
        global_.OpCol = col;
        global_.OpRow = row;
    }
}

void TMainForm::StringGrid_MainSetEditText(int col, int row)
{
    (void)col, (void)row;
    if (global_.EditTarget != 0)
        return;
    ShowCellInPane(CurrentCellBytes());
    doc_.RecordHistory().NameOpenStep(lexicana::Tr("セルの編集"));
    FollowHistory();
    ShowCellKind(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

void TMainForm::Memo_MainChange()
{
    // Only the user's own typing in the pane goes back into the cell.
    if (fillingPane_ || global_.EditTarget != 1)
        return;
    const int col = StringGrid_Main->CurrentCol();
    const int row = StringGrid_Main->CurrentRow();
    if (col < 1 || row < 1)
        return;
    if (!StringGrid_Main->SetCellText(col, row, PaneText())) {
        // The text has a character without a Shift_JIS code (the grid has
        // said so): the pane shows the cell as it still is.
        const int position = Memo_Main->textCursor().position();
        ShowCellInPane(doc_.Grid().Cell(col, row));
        QTextCursor cursor = Memo_Main->textCursor();
        cursor.setPosition(std::min(position, Memo_Main->document()->characterCount() - 1));
        Memo_Main->setTextCursor(cursor);
        return;
    }
    doc_.RecordHistory().NameOpenStep(lexicana::Tr("セルの編集"));
    FollowHistory();
    ShowCellKind(col, row);
}

void TMainForm::StringGrid_MainColumnSorted()
{
    // File records go ahead of the records with their sort key (before the
    // cell is shown, so the pane shows what is there now). A new order is a
    // change to be saved.
    // The sort is one step with the moving of the file records.
    MoveFileRecordsAhead(doc_.Grid(), global_);
    TRecordHistory& history = doc_.RecordHistory();
    history.NameOpenStep(lexicana::Tr("並べ替え"));
    history.Seal();
    FollowHistory();
    ShowSortedCell();
}

void TMainForm::ShowSortedCell()
{
    // The same as selecting the current cell anew.
    StringGrid_MainSelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

void TMainForm::StringGrid_MainRowMoved(int from, int to)
{
    TRecordHistory& history = doc_.RecordHistory();
    history.NameOpenStep(lexicana::Tr("行の移動"));
    history.Seal();
    RenumberRows(std::min(from, to), std::max(from, to));
    // The current cell went along with its record: the status bar, the
    // kind and the operation position follow it there.
    SelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

// --- edit target ------------------------------------------------------------------

void TMainForm::StringGrid_MainEnter()
{
    global_.EditTarget = 0;
}

void TMainForm::StringGrid_MainMouseDown()
{
    global_.EditTarget = 0;
    StringGrid_Main->RenumberRows(1, doc_.Grid().RowCount() - 1);
}

void TMainForm::Memo_MainEnter()
{
    global_.EditTarget = 1;
    QTextCursor cursor = Memo_Main->textCursor();
    cursor.setPosition(0);
    Memo_Main->setTextCursor(cursor);
}

void TMainForm::Memo_MainMouseDown()
{
    global_.EditTarget = 1;
}

// --- record-operation position and context menu --------------------------------

void TMainForm::SetOperationPositionFromMouse(int col, int row)
{
    if (col < 0 || row < 0)
        col = row = -1;
    global_.OpCol = col;
    global_.OpRow = row;
}

void TMainForm::StringGrid_MainMouseUp(int col, int row)
{
    if (global_.PopupOperatePosition)
        SetOperationPositionFromMouse(col, row);
}

void TMainForm::StringGrid_MainContextPopup(int col, int row, const QPoint& globalPos)
{
    if (global_.PopupOperatePosition)
        SetOperationPositionFromMouse(col, row);
    if (global_.OpCol >= 0 && global_.OpRow >= 0)
        PopupMenu_Item->exec(globalPos);
}

void TMainForm::Memo_MainContextPopup(const QPoint& globalPos)
{
    PopupMenu_Item->exec(globalPos);
}

// --- edit commands ------------------------------------------------------------------

void TMainForm::RunOnWholeCell(const std::function<void()>& paneCommand)
{
    StringGrid_Main->CloseEditor();
    Memo_Main->setFocus(Qt::OtherFocusReason);
    Memo_MainEnter();
    Memo_Main->selectAll();
    paneCommand();
    StringGrid_Main->setFocus(Qt::OtherFocusReason);
    StringGrid_MainEnter();
}

void TMainForm::Undo1Click()
{
    if (ConversionRunning())
        return;
    if (global_.EditTarget == 1)
        Memo_Main->undo();
    else
        UndoRecords(false);
}

void TMainForm::Redo1Click()
{
    if (ConversionRunning())
        return;
    if (global_.EditTarget == 1)
        Memo_Main->redo();
    else
        UndoRecords(true);
}

void TMainForm::UndoRecords(bool redo)
{
    StringGrid_Main->CloseEditor();
    TRecordHistory& history = doc_.RecordHistory();
    TRecordHistory::Place place;
    if (!(redo ? history.Redo(&place) : history.Undo(&place))) {
        FollowHistory();
        return;
    }
    const int last = doc_.Grid().RowCount() - 1;
    StringGrid_Main->RenumberRows(1, last);
    // The changed place becomes the current cell, shown in the pane.
    const int col = place.col >= 1 ? place.col : std::max(StringGrid_Main->CurrentCol(), 1);
    const int row
        = std::clamp(place.row >= 1 ? place.row : StringGrid_Main->CurrentRow(), 1, std::max(last, 1));
    SelectCell(col, row);
    ShowCellInPane(doc_.Grid().Cell(col, row));
    ShowCellKind(col, row);
    FollowHistory();
}

void TMainForm::ApplyUndoLimit()
{
    const int megabytes = std::clamp(global_.UndoLimitMB, 1, 4096);
    doc_.RecordHistory().SetMemoryLimit(static_cast<std::size_t>(megabytes) << 20);
}

void TMainForm::FollowHistory()
{
    global_.ItemDataModified = !doc_.RecordHistory().AtSavedState();
    UpdateCaption();
}

void TMainForm::Cut1Click()
{
    if (ConversionRunning())
        return;
    if (global_.EditTarget == 1) {
        Memo_Main->cut();
    } else {
        TRecordStep step(doc_.RecordHistory(), lexicana::Tr("切り取り"));
        RunOnWholeCell([this] { Memo_Main->cut(); });
    }
}

void TMainForm::Copy1Click()
{
    if (global_.EditTarget == 1)
        Memo_Main->copy();
    else
        RunOnWholeCell([this] { Memo_Main->copy(); });
}

void TMainForm::Paste1Click()
{
    if (ConversionRunning())
        return;
    if (global_.EditTarget == 1) {
        Memo_Main->paste();
    } else {
        TRecordStep step(doc_.RecordHistory(), lexicana::Tr("貼り付け"));
        RunOnWholeCell([this] { Memo_Main->paste(); });
    }
}

void TMainForm::SelAll1Click()
{
    StringGrid_Main->CloseEditor();
    Memo_Main->setFocus(Qt::OtherFocusReason);
    Memo_MainEnter();
    Memo_Main->selectAll();
}

// --- inserting, deleting, numbering ------------------------------------------------

void TMainForm::RenumberRows(int first, int last)
{
    StringGrid_Main->RenumberRows(first, last);
    FollowHistory();
}

void TMainForm::InsertEmptyRecord(int offset)
{
    TRecordTable& table = doc_.Grid();
    const int opRow = global_.OpRow;
    // Nothing at the heading row, over no cell, or beyond the last record.
    if (ConversionRunning() || opRow <= 0 || opRow >= table.RowCount())
        return;
    const int col = StringGrid_Main->CurrentCol();
    StringGrid_Main->CloseEditor();
    TRecordStep step(doc_.RecordHistory(), lexicana::Tr("レコードの追加"));
    const int p = opRow + offset;
    if (p >= table.RowCount())
        table.AppendRow({});
    else
        table.InsertRow(p);
    RenumberRows(p, table.RowCount() - 1);
    // The new record's cell becomes the current and only selected one,
    // ready to be filled.
    SelectCell(col, p);
}

void TMainForm::InsertRecordClick()
{
    InsertEmptyRecord(0);
}

void TMainForm::InsertRecordNextClick()
{
    InsertEmptyRecord(1);
}

int TMainForm::ConfirmDelete(int row)
{
    return ShowMessageBox(
        FillArgs(lexicana::Tr("レコード%1を本当に削除してもいいですか？"), { std::to_string(row) }),
        lexicana::Tr("確認"), MbOkCancel | MbIconWarning);
}

void TMainForm::DeleteRecord()
{
    TRecordTable& table = doc_.Grid();
    const int r = global_.OpRow;
    if (ConversionRunning() || r <= 0 || r >= table.RowCount())
        return;
    if (ConfirmDelete(r) != IdOk)
        return;
    const int col = StringGrid_Main->CurrentCol();
    const int row = StringGrid_Main->CurrentRow();
    StringGrid_Main->CloseEditor();
    TRecordStep step(doc_.RecordHistory(), lexicana::Tr("レコードの削除"));
    if (table.RowCount() > 2) {
        table.DeleteRow(r);
    } else {
        // The table keeps one record below its heading row: the last
        // record is emptied instead.
        for (int c = 1; c < table.ColCount(); ++c)
            table.SetCell(c, r, std::string());
    }
    RenumberRows(r, table.RowCount() - 1);
    SelectCell(col, std::min(row, table.RowCount() - 1));
}

void TMainForm::D2Click()
{
    DeleteRecord();
}

// --- counts -------------------------------------------------------------------------

void TMainForm::CountRecords()
{
    if (ConversionRunning())
        return;
    if (doc_.ReadTableFile(global_.TableFileName) != TableRead)
        return;
    FileListGrid parts;
    const int result = GetFileRecord(doc_.Grid(), global_, parts, this);
    if (result == PartTableNoFileRecord) {
        ShowMessageBox(lexicana::Tr("ファイルレコードがひとつもありません"), "Lexicana", MbOk);
    } else if (result == 0) {
        ShowMessageBox(FillArgs(lexicana::Tr("ファイルレコード\t%1\n通常レコード\t%2"),
                           { std::to_string(parts.LastRow()), std::to_string(CountNormalRecords(parts)) }),
            lexicana::Tr("レコード数カウント結果"), MbOk | MbIconInformation);
    }
}

void TMainForm::C2Click()
{
    CountRecords();
}

bool TMainForm::ShowNumOfItems(bool newMode)
{
    StringGrid_Main->CloseEditor();
    // In New mode the dialog belongs to the application, not the window.
    TDlg_NumOfItems dialog(
        newMode ? nullptr : this, [this] { ShowCellPosition(); }, [this] { UpdateCaption(); }, doc_.Grid(),
        global_);
    if (newMode)
        dialog.setFont(font());
    TRecordHistory& history = doc_.RecordHistory();
    bool accepted = false;
    if (newMode) {
        // New records replace the history: nothing of the old ones is kept.
        TRecordPause pause(history);
        accepted = dialog.exec() == QDialog::Accepted;
    } else {
        TRecordStep step(history, lexicana::Tr("レコード数の変更"));
        accepted = dialog.exec() == QDialog::Accepted;
    }
    FollowHistory();
    SelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
    return accepted;
}

void TMainForm::N14Click()
{
    if (ConversionRunning())
        return;
    global_.NewItemFileMode = false;
    ShowNumOfItems(false);
}

void TMainForm::N16Click()
{
    if (!QuerySaveData())
        return;
    global_.NewItemFileMode = true;
    // New records start a history of their own, never saved yet, in the
    // code the options give new documents.
    if (ShowNumOfItems(true)) {
        doc_.ConvertDocumentCode(global_.NewDocumentUtf8 ? TextCode::Utf8 : TextCode::ShiftJis);
        doc_.SetItemFileCode({ DocumentTextCode(), false });
        doc_.ResetHistory(false);
        UpdateCaption();
    }
    // The dialog's clearing took the headings: the conversion table gives
    // them back (there is nothing to read while no table is set).
    if (!global_.TableFileName.empty())
        doc_.ReadTableFile(global_.TableFileName);
    SelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

// --- file records -------------------------------------------------------------------

void TMainForm::CopyTagClick()
{
    const TRecordTable& table = doc_.Grid();
    const int row = global_.OpRow;
    if (row < 1 || row >= table.RowCount())
        return;
    std::string start = global_.PartStartMarker;
    std::string end = global_.PartEndMarker;
    const std::string& id = table.Cell(global_.PartIDCol, row);
    ReplaceAll(start, global_.PlaceholderID, id);
    ReplaceAll(end, global_.PlaceholderID, id);
    QApplication::clipboard()->setText(QStringFromDoc(start + "\n" + end));
}

void TMainForm::OpenEditorClick()
{
    const TRecordTable& table = doc_.Grid();
    const int row = global_.OpRow;
    if (row < 1 || row >= table.RowCount())
        return;
    global_.HTMLBaseDir = IncludeTrailingSeparator(global_.HTMLDir);
    const std::string path = global_.HTMLBaseDir + table.Cell(global_.FileNameCol, row);
    LaunchHTMLEditor(global_, path, EditorWaitHooks());
}

} // namespace lexicana
