// TDlg_AppliSetting: the options dialog. It shows the user's settings of
// TGlobal on three pages, stores them back on OK, and offers one immediate
// action: making this program the desktop's handler of set files (".lxs").
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace lexicana {

class TGlobal;

class TDlg_AppliSetting : public QDialog {
    Q_OBJECT
public:
    // Asks for an editor program: given the dialog's title, gives the chosen
    // file name (local), or false when the user cancelled.
    using EditorChooser = std::function<bool(const QString& title, QString& chosen)>;

    // updateCaption runs after OK has stored the settings (the main window's
    // UpdateCaption); it may be empty. The dialog is filled at once.
    TDlg_AppliSetting(TGlobal& global, std::function<void()> updateCaption, QWidget* owner = nullptr);
    ~TDlg_AppliSetting() override;

    // Fills the combo lists and every control from TGlobal.
    void FormCreate();
    // Stores the controls into TGlobal, runs the callback and accepts. A
    // field with a character that has no Shift_JIS code is refused with a
    // message; then nothing is stored and the dialog stays open.
    void OKBtnClick();
    void CancelBtnClick();
    // Browse for the text or HTML editor; a chosen file that exists is put
    // into the field with its full path.
    void Button_EditorClick();
    void Button_HTMLEditorClick();
    // Put "\"%1\"" into the matching parameter field (not yet the setting).
    void Button_EditorParamResetClick();
    void Button_HTMLEditorParamResetClick();
    // Associates ".lxs" with this program at once (independent of OK).
    void Button_RelateClick();

    // Replaces the file dialog of the browse buttons (tests).
    void SetEditorChooser(EditorChooser chooser) { chooser_ = std::move(chooser); }

    // The combo mappings; the texts compare exactly (case-sensitive).
    static QString TextOfKanjiCode(int code);
    static int KanjiCodeOfText(const QString& text);
    static QString TextOfNewLineCode(int code);
    static int NewLineCodeOfText(const QString& text);

    QTabWidget* PageControl;
    // "基本設定"
    QCheckBox* CheckBox_FullPath;
    QCheckBox* CheckBox_StartupRead;
    QCheckBox* CheckBox_SaveCSVatConv;
    QCheckBox* CheckBox_NewDocumentUtf8;
    QGroupBox* RadioGroup_RepDirection;
    QButtonGroup* RepDirectionItems; // ids 0 "上から下", 1 "左から右"
    QGroupBox* RadioGroup_PopupOpPos;
    QButtonGroup* PopupOpPosItems; // ids 0 "選択中のセル", 1 "マウスポインタの位置"
    QLineEdit* Edit_FileRecFilter;
    QComboBox* ComboBox_KanjiCode;
    QComboBox* ComboBox_NewLineCode;
    // The undo history's memory limit in MB.
    QSpinBox* SpinBox_UndoLimit;
    // "エディタ"
    QLineEdit* Edit_TextEditor;
    QPushButton* Button_Editor;
    QLineEdit* Edit_EditorParam;
    QPushButton* Button_EditorParamReset;
    QCheckBox* CheckBox_WaitEditor;
    QLineEdit* Edit_HTMLEditor;
    QPushButton* Button_HTMLEditor;
    QLineEdit* Edit_HTMLEditorParam;
    QPushButton* Button_HTMLEditorParamReset;
    QCheckBox* CheckBox_WaitHTMLEditor;
    // "関連付け/ヘルプ"
    QPushButton* Button_Relate;
    QCheckBox* CheckBox_UseRemoteHelp;
    // The interface language: data "" (the system's), "en" or "ja".
    QComboBox* ComboBox_Language;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    QWidget* BuildBasicPage();
    QWidget* BuildEditorPage();
    QWidget* BuildAssociationPage();
    void BrowseEditor(const QString& title, QLineEdit* field);
    bool ChooseWithFileDialog(const QString& title, const QString& start, QString& chosen);

    TGlobal& global_;
    std::function<void()> updateCaption_;
    EditorChooser chooser_;
};

} // namespace lexicana
