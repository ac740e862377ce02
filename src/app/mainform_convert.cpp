// The conversion commands of the main window: a whole run, the part of the
// grid's current row, and the part of the record-operation row. A run shows
// its modeless progress dialog, keeps the records read-only while it lasts
// and never starts inside another.
#include "app/dlgconverting.h"
#include "app/mainform.h"
#include "app/termcheckdialog.h"
#include "components/strsortgrid.h"

#include <QPlainTextEdit>
#include <algorithm>
#include <QStatusBar>

namespace lexicana {

namespace {

constexpr int kRunSummaryMs = 15000;

} // namespace

void TMainForm::RunConversionCommand(const std::function<void()>& command)
{
    if (ConversionRunning() || converting_)
        return;
    StringGrid_Main->CloseEditor();
    StringGrid_Main->SetReadOnly(true);
    Memo_Main->setReadOnly(true);
    auto* dialog = new TDlg_Converting(global_, this);
    converting_ = dialog;
    doc_.SetProgress(dialog);

    // Restores the window however the run ends.
    struct Restore {
        TMainForm& form;
        TDlg_Converting* dialog;
        ~Restore()
        {
            form.doc_.SetProgress(nullptr);
            form.converting_ = nullptr;
            delete dialog;
            form.StringGrid_Main->SetReadOnly(false);
            form.Memo_Main->setReadOnly(false);
        }
    } restore { *this, dialog };

    command();
    // The run sorted the records: the pane and status bar show the cell
    // that is current now.
    ShowSortedCell();
    // For a while the status bar says how many pages the run wrote.
    if (doc_.LastRun().Done())
        statusBar()->showMessage(QString::fromStdString(doc_.LastRun().Summary()), kRunSummaryMs);
}

void TMainForm::S2Click()
{
    RunConversionCommand([this] { doc_.StartConversion(); });
}

void TMainForm::ConvPartClick_Menu()
{
    const int row = StringGrid_Main->CurrentRow();
    RunConversionCommand([this, row] { doc_.ConvertOnePart(row); });
}

void TMainForm::ConvPartClick_PopUp()
{
    const int row = global_.OpRow;
    RunConversionCommand([this, row] { doc_.ConvertOnePart(row); });
}

// The term check reads the table and the pages and changes nothing, so it
// may run whenever no conversion does; its window stays open beside the grid.
void TMainForm::TermCheckClick()
{
    if (ConversionRunning() || converting_)
        return;
    StringGrid_Main->CloseEditor();
    std::vector<TermFinding> findings;
    SetBusyCursor(true);
    const int result = doc_.CheckTerms(findings);
    SetBusyCursor(false);
    if (result != ResultOk)
        return;
    if (termCheck_ == nullptr)
        termCheck_ = new TTermCheckDialog(this, [this](int row) {
            if (row >= 1 && row < doc_.Grid().RowCount())
                SelectCell(std::max(StringGrid_Main->CurrentCol(), 1), row);
        });
    termCheck_->SetFindings(findings);
    termCheck_->show();
    termCheck_->raise();
    termCheck_->activateWindow();
}

} // namespace lexicana
