// The insert-file-record dialog: lists the files of the HTML base folder
// that match a pattern and inserts file records (marker, file name, part ID)
// into the record table at a chosen row. It stays open after each insertion
// so that several file records can be added in one go. The folder is read
// where it is; the process's current folder is not changed.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace lexicana {

class TGlobal;
class TRecordTable;

class TDlg_InsertFileRecord : public QDialog {
    Q_OBJECT
public:
    // Rows lowestRow .. highestRow may be chosen (the main window gives 1 and
    // the table's RowCount, so a record can be appended after the last one);
    // proposedRow is shown first. updateCaption runs after every insertion.
    TDlg_InsertFileRecord(QWidget* owner, TRecordTable& grid, TGlobal& global, int proposedRow, int lowestRow,
        int highestRow, std::function<void()> updateCaption);
    ~TDlg_InsertFileRecord() override;

    // Rebuilds the file list from the HTML base folder and the filter; when
    // the folder cannot be opened the user is told and the list stays.
    void FillFileList();
    // The row box's integer plus delta (the lowest row when the box holds no
    // integer), kept within the row range and written back.
    void StepInsertRow(int delta);
    // Inserts a file record at the row of the row box (kept within the row
    // range); a box without an integer is reported and nothing is inserted.
    void InsertFileRecordAt();

    // The row box's whole number, or nothing (optional "-", digits).
    static std::optional<long long> ParseRow(const QString& text);
    // "(size + 1023) / 1024" followed by "KB".
    static QString SizeText(long long bytes);

    QLineEdit* Edit_InsertRecord;
    QToolButton* SpeedButton_Up;
    QToolButton* SpeedButton_Down;
    QLineEdit* Edit_Extender;
    QPushButton* Button_Update;
    QTreeWidget* ListView_FileList;
    QLineEdit* Edit_FileName;
    QLineEdit* Edit_PID;
    QPushButton* Button_Insert;
    QPushButton* Button_Close;

protected:
    // Row box keys: typed characters other than digits and Backspace are dropped.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void Edit_InsertRecordChange(const QString& text);
    void ListView_FileListSelectItem();

    TRecordTable& grid_;
    TGlobal& global_;
    const int lowestRow_;
    const int highestRow_;
    std::function<void()> updateCaption_;
    QString lastValidText_;
    bool busy_ = false;
    bool filling_ = false;
};

} // namespace lexicana
