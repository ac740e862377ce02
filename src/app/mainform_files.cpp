// The file commands of the main window: set files and item data files
// (new, open, save, save as), the conversion table (edit, reload), and the
// wait hooks that keep the window out of the way of an outside editor.
#include "app/filedialogs.h"
#include "app/mainform.h"
#include "common/messages.h"
#include "common/translate.h"
#include "components/strsortgrid.h"
#include "data/filehistory.h"
#include "data/fileutils.h"
#include "platform/doctext.h"

namespace lexicana {

// --- set file -----------------------------------------------------------------------

void TMainForm::New1Click()
{
    if (ConversionRunning())
        return;
    history_->Add(std::string());
    global_.ItemFileName = kUntitledName;
    global_.SetFileName = kUntitledName;
    global_.TableFileName.clear();
    global_.HTMLDir.clear();
    // Both files are untitled now: saving asks for their names instead of
    // writing files called "無題".
    global_.SetFileUntitled = true;
    global_.ItemFileUntitled = true;
    UpdateCaption();
}

void TMainForm::Open2Click()
{
    if (!QuerySaveData())
        return;
    std::string path;
    if (!dialogs_->OpenSetFile(path))
        return;
    OpenSetFile(path);
}

void TMainForm::Save1Click()
{
    if (ConversionRunning())
        return;
    doc_.LxsSaveDlg();
}

void TMainForm::SaveAs2Click()
{
    if (ConversionRunning())
        return;
    doc_.LxsSaveAsDlg();
}

// --- item data file -------------------------------------------------------------------

void TMainForm::Open1Click()
{
    if (!QuerySaveData())
        return;
    std::string path;
    int filterIndex = 1;
    if (!dialogs_->OpenItemFile(path, filterIndex))
        return;
    // A file that could not be read has been reported and left the records
    // and their name as they were.
    const TextCode before = DocumentTextCode();
    if (doc_.OpenItemFile(path, filterIndex) != 0)
        return;
    // The name chosen in the old code, in the item data's.
    std::string name;
    global_.ItemFileName = ConvertTextCode(path, before, DocumentTextCode(), name) ? name : path;
    SelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
    if (ShowMessageBox(lexicana::Tr("項目データファイルが変更されました。\nセットファイルを更新しますか？"),
            lexicana::Tr("項目データファイル変更"), MbYesNo | MbIconWarning)
        == IdYes)
        doc_.LxsSaveDlg();
}

void TMainForm::S1Click()
{
    if (ConversionRunning())
        return;
    doc_.SaveDlg();
}

void TMainForm::SaveAs1Click()
{
    if (ConversionRunning())
        return;
    doc_.SaveAsDlg();
}

// --- conversion table ---------------------------------------------------------------

TEditorWaitHooks TMainForm::EditorWaitHooks()
{
    TEditorWaitHooks hooks;
    hooks.hide = [this] {
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
    };
    hooks.restore = [this] {
        show();
        setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
    };
    return hooks;
}

void TMainForm::T1Click()
{
    LaunchTableEditor(global_, EditorWaitHooks());
}

void TMainForm::R1Click()
{
    if (ConversionRunning())
        return;
    doc_.ReadTableFile(global_.TableFileName);
    SelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

} // namespace lexicana
