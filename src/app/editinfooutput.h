// The dialog that edits the external output list: the files whose marked
// blocks a conversion refreshes. It shows every listed name as a full path
// (relative names resolved against the HTML folder) and writes the list back
// on OK with the names made relative to that folder again.
#pragma once

#include "app/filechooser.h"
#include "common/textcode.h"

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lexicana {

class TDlg_EditInfoOutput : public QDialog {
    Q_OBJECT
public:
    // listFile: the external output list (TGlobal::InfoOutputList);
    // htmlDir: the HTML base folder (TGlobal::HTMLDir). The list is read
    // at once; a missing list starts empty and is created by OK.
    TDlg_EditInfoOutput(QWidget* owner, std::string listFile, std::string htmlDir);
    ~TDlg_EditInfoOutput() override;

    // The chooser of "参照..." (Qt's dialog unless replaced).
    void SetFileChooser(TFileChooser chooser) { chooseFile_ = std::move(chooser); }

    // The entries as document paths, in list order.
    std::vector<std::string> Entries() const;

    // Handlers (the buttons call them).
    void Button_addClick();
    void BitBtn_refClick();
    void Button_changeClick();
    void Button_deleteClick();
    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* Edit_FileName;
    QPushButton* Button_add;
    QPushButton* BitBtn_ref;
    QLabel* Label1;
    QListWidget* ListBox_InfoOutput;
    QPushButton* Button_change;
    QPushButton* Button_delete;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    // Delete key released in the list, mouse released over it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void FormCreate();
    void AddEntry(const std::string& path);

    std::string listFile_;
    TFileCode listCode_;
    std::string htmlDir_;
    TFileChooser chooseFile_;
};

} // namespace lexicana
