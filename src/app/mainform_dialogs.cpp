// The main window's commands that open the dialogs of their own: the
// conversion set, the external output list, inserting a file record, the
// options, help and the about box.
#include "app/aboutbox.h"
#include "app/applisetting.h"
#include "app/convsetsetting.h"
#include "app/editinfooutput.h"
#include "app/help.h"
#include "app/insertfilerecord.h"
#include "app/mainform.h"
#include "components/strsortgrid.h"

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
    dialog.exec();
    UpdateCaption();
    ShowOperationPosition();
}

void TMainForm::O1Click()
{
    const bool wasPointer = global_.PopupOperatePosition;
    TDlg_AppliSetting dialog(
        global_, [this] { UpdateCaption(); }, this);
    dialog.exec();
    // Back from mouse-pointer mode: the operation position follows the
    // selected cell again, starting at the first record's first column.
    if (wasPointer && !global_.PopupOperatePosition)
        SelectCell(1, 1);
}

void TMainForm::HTMLH1Click()
{
    OpenHelp(global_);
}

void TMainForm::About1Click()
{
    TAboutBox box(this);
    box.exec();
}

} // namespace lexicana
