// The conversion set dialog: edits the conversion table file, the HTML base
// folder and the external output list of the set held in TGlobal, with
// browsing, a copy of a template table from the "template" folder beside
// the program (saved in the set's folder), and creation of an empty output list. OK takes the values
// over, reads the table at once and offers to save the set file; Cancel
// changes nothing.
#pragma once

#include "app/filechooser.h"

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace lexicana {

class TGlobal;

class TDlg_ConvSetSetting : public QDialog {
    Q_OBJECT
public:
    // saveSet saves the set file (the document's LxsSaveDlg); readTable
    // reads a conversion table (the document's ReadTableFile). Either may
    // be empty.
    TDlg_ConvSetSetting(QWidget* owner, TGlobal& global, std::function<int()> saveSet,
        std::function<int(const std::string&)> readTable);
    ~TDlg_ConvSetSetting() override;

    // The choosers of the browse buttons (Qt's dialogs unless replaced).
    void SetFileChooser(TFileChooser chooser) { chooseFile_ = std::move(chooser); }
    void SetFolderChooser(TFolderChooser chooser) { chooseFolder_ = std::move(chooser); }

    // Handlers (the buttons call them).
    void Button_TableClick();
    void Button_TemplateClick();
    void Button_HTMLClick();
    void Button_InfoOutputClick();
    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* Edit_Items;
    QLineEdit* Edit_Table;
    QLineEdit* Edit_HTML;
    QLineEdit* Edit_InfoOutput;
    QPushButton* Button_Template;
    QPushButton* Button_Table;
    QPushButton* Button_HTML;
    QPushButton* Button_InfoOutput;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    // Caption and edits from TGlobal.
    void FormCreate();
    // The one chosen name of a file dialog, or false when cancelled.
    bool ChooseFile(const TFileChoiceRequest& request, std::string& path);
    // Where a template copy is saved first: the set file's folder, else the
    // user's home folder.
    std::string TemplateCopyFolder() const;

    TGlobal& global_;
    std::function<int()> saveSet_;
    std::function<int(const std::string&)> readTable_;
    TFileChooser chooseFile_;
    TFolderChooser chooseFolder_;
    std::string repFileName_; // carried unchanged from opening to OK
};

} // namespace lexicana
