// The progress dialog of a conversion run: it shows the step, page, part and
// record being converted, keeps the window responsive while the run works,
// and lets the user cancel after a confirmation (which clears
// TGlobal::Converting; the run stops at its next check).
#pragma once

#include "common/translate.h"
#include "conversion/progress.h"

#include <QDialog>
#include <QElapsedTimer>
#include <string>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace lexicana {

class TGlobal;

class TDlg_Converting : public QDialog, public IConversionProgress {
    Q_OBJECT
public:
    // Label texts in front of the current page, part ID and record (UTF-8).
    static constexpr const char* FileLabelPrefix = lexicana::TrMark("変換対象のHTMLファイル : ");
    static constexpr const char* PartLabelPrefix = lexicana::TrMark("変換対象のパートID : ");
    static constexpr const char* RecordLabelPrefix = lexicana::TrMark("変換処理中のレコード : ");
    // Events are let through at most this often (milliseconds).
    static constexpr int kEventInterval = 15;

    // Builds the dialog (hidden); Open() shows it, modeless.
    TDlg_Converting(TGlobal& global, QWidget* parent = nullptr);
    ~TDlg_Converting() override;

    // --- IConversionProgress ------------------------------------------------
    // Sets the bar up for rows minRow .. maxRow, centres the dialog on the
    // screen and shows it without blocking.
    void Open(int minRow, int maxRow) override;
    // Checks the item of RadioGroup_Process (0 .. 3); another value checks none.
    void SelectStep(int step) override;
    // Shift_JIS texts shown after their label prefixes.
    void SetFileName(const std::string& fileName) override;
    void SetPartId(const std::string& partId) override;
    // Bar position row; label prefix + row + " / " + lastRow.
    void SetRecord(int row, int lastRow) override;
    // QCoreApplication::processEvents, at most once every kEventInterval ms.
    void ProcessEvents() override;
    // Closes (hides) the dialog without asking; the owner destroys it.
    void Close() override;

    // The checked step of RadioGroup_Process, -1 when none.
    int ProcessIndex() const;

    // Asks the dialog to close, through the close query.
    void CancelBottunClick();
    // True when the dialog may close: always while Converting is false;
    // otherwise asks "変換を中断しますか？" and on Yes clears Converting.
    bool FormCloseQuery();

    // The widgets, top to bottom (owned by the dialog).
    QLabel* Label_Message;
    QGroupBox* RadioGroup_Process;
    QLabel* Label_FileName;
    QLabel* Label_Part;
    QProgressBar* ProgressBar_Record;
    QLabel* Label_Record;
    QPushButton* CancelBottun;

public slots:
    // Esc: the same as the cancel button.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TGlobal& global_;
    QButtonGroup* processButtons_;
    QElapsedTimer eventTimer_;
    bool closingQuietly_ = false;
};

} // namespace lexicana
