// The record-count dialog: sets the number of records of the record table
// (change mode), or empties the table to a given number of records for a new
// untitled item data file (New mode, chosen by TGlobal::NewItemFileMode).
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace lexicana {

class TGlobal;
class TRecordTable;

class TDlg_NumOfItems : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimum = 1;
    static constexpr int kMaximum = 999999;

    // showPosition and updateCaption are run after a change (the main
    // window's ShowCellPosition and UpdateCaption); either may be empty.
    TDlg_NumOfItems(QWidget* owner, std::function<void()> showPosition, std::function<void()> updateCaption,
        TRecordTable& grid, TGlobal& global);
    ~TDlg_NumOfItems() override;

    // Caption by mode and Edit_Record = the current number of records; runs
    // when the dialog is shown, callable before for tests.
    void FormShow();
    // "▲" / "▼": the count plus or minus one, kept within kMinimum .. kMaximum.
    void SpeedButton_UpClick();
    void SpeedButton_DownClick();
    // Applies the count (see the .cpp) and accepts; a text that is not a
    // whole number in kMinimum .. kMaximum is reported and changes nothing
    // (the dialog stays open).
    void OKBtnClick();
    void CancelBtnClick();

    // The integer of a text, or nothing when it is not one (optional "-", digits).
    static std::optional<long long> ParseCount(const QString& text);
    // True for the texts the edit box keeps: empty, or an optional "-",
    // digits, and optionally "." and digits.
    static bool IsAcceptedText(const QString& text);

    QLineEdit* Edit_Record;
    QToolButton* SpeedButton_Up;
    QToolButton* SpeedButton_Down;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;
    // Key filter of Edit_Record: typed characters other than digits and
    // Backspace are dropped (control keys such as Enter or Ctrl+V pass).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Edit_RecordChange(const QString& text);
    void StepCount(int delta);

    TRecordTable& grid_;
    TGlobal& global_;
    std::function<void()> showPosition_;
    std::function<void()> updateCaption_;
    QString lastValidText_;
    bool busy_ = false;
};

} // namespace lexicana
