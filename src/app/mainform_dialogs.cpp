// The main window's commands that open the dialogs of their own: find and
// replace, the conversion set, the external output list, inserting a file record, the
// options, help and the about box.
#include "app/aboutbox.h"
#include "app/applisetting.h"
#include "app/convsetsetting.h"
#include "app/editinfooutput.h"
#include "app/findreplacecontroller.h"
#include "app/help.h"
#include "app/insertfilerecord.h"
#include "app/mainform.h"
#include "components/strsortgrid.h"

#include <QAction>
#include <QPlainTextEdit>

namespace lexicana {

void TMainForm::N10Click()
{
    if (ConversionRunning())
        return;
    TDlg_ConvSetSetting dialog(
        this, global_, [this] { return doc_.LxsSaveDlg(); },
        [this](const std::string& path) { return doc_.ReadTableFile(path); });
    dialog.exec();
    // Saving the set may have named the set file.
    UpdateCaption();
}

void TMainForm::I1Click()
{
    TDlg_EditInfoOutput dialog(this, global_.InfoOutputList, global_.HTMLDir);
    dialog.exec();
}

void TMainForm::InsertFileRecordClick()
{
    if (ConversionRunning())
        return;
    StringGrid_Main->CloseEditor();
    TDlg_InsertFileRecord dialog(
        this, doc_.Grid(), global_, global_.OpRow, 1, doc_.Grid().RowCount(), [this] { UpdateCaption(); });
    {
        TRecordStep step(doc_.RecordHistory(), lexicana::Tr("ファイルレコードの追加"));
        dialog.exec();
    }
    FollowHistory();
    ShowOperationPosition();
}

void TMainForm::O1Click()
{
    const bool wasPointer = global_.PopupOperatePosition;
    TDlg_AppliSetting dialog(
        global_, [this] { UpdateCaption(); }, this);
    dialog.exec();
    ApplyUndoLimit();
    // Back from mouse-pointer mode: the operation position follows the
    // selected cell again, starting at the first record's first column.
    if (wasPointer && !global_.PopupOperatePosition)
        SelectCell(1, 1);
}

void TMainForm::HTMLH1Click()
{
    OpenHelp(global_);
}

void TMainForm::ConnectFindReplace()
{
    // The hooks go through the window's own handlers, so the pane never
    // writes its text back into a cell while the grid is the edit target.
    TFindReplaceController::THooks hooks;
    hooks.ShowCellInPane = [this](const std::string& text) { ShowCellInPane(text); };
    hooks.EnterGrid = [this] {
        StringGrid_Main->setFocus(Qt::OtherFocusReason);
        StringGrid_MainEnter();
    };
    hooks.EnterPane = [this] {
        Memo_Main->setFocus(Qt::OtherFocusReason);
        Memo_MainEnter();
    };
    hooks.CellsEdited = [this] {
        UpdateCaption();
        ShowCellKind(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
    };
    findReplace_ = new TFindReplaceController(doc_, StringGrid_Main, Memo_Main, hooks, this);
    connect(Menu_FindSingleCell, &QAction::triggered, findReplace_,
        &TFindReplaceController::Menu_FindSingleCellClick);
    connect(
        Menu_FindAllCell, &QAction::triggered, findReplace_, &TFindReplaceController::Menu_FindAllCellClick);
    connect(
        ToolButton_Find, &QAction::triggered, findReplace_, &TFindReplaceController::Menu_FindAllCellClick);
    connect(Menu_ReplaceSingleCell, &QAction::triggered, findReplace_,
        &TFindReplaceController::Menu_ReplaceSingleCellClick);
    connect(Menu_ReplaceAllCell, &QAction::triggered, findReplace_,
        &TFindReplaceController::Menu_ReplaceAllCellClick);
}

void TMainForm::About1Click()
{
    TAboutBox box(this);
    box.exec();
}

} // namespace lexicana
