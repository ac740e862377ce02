#include "app/applisetting.h"

#include "app/filedialogs.h"
#include "app/toolicons.h"
#include "common/messages.h"
#include "common/translate.h"
#include "components/recordtablemodel.h"
#include "components/uitext.h"
#include "data/global.h"
#include "platform/association.h"
#include "platform/programinfo.h"
#include "platform/qsjis.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace lexicana {

namespace {

const char* const kDefaultParam = "\"%1\"";
const char* const kAutomatic = lexicana::TrMark("自動");
constexpr int kMinUndoLimitMB = 1;
constexpr int kMaxUndoLimitMB = 4096;

// The browse dialog's filter: programs of this system.
#ifdef Q_OS_WIN
const char* const kEditorFilter = lexicana::TrMark("実行形式ﾌｧｲﾙ(*.exe)|*.exe");
#else
const char* const kEditorFilter = lexicana::TrMark("実行形式ﾌｧｲﾙ(*)|*");
#endif

// The association lives in the desktop's files of the user (MIME type,
// desktop entry, default application); the file that failed follows.
const char* const kAssociationAccessMessage
    = lexicana::TrMark("ファイルの関連付けを設定できません。\nデスクトップの設定フォル"
                       "ダへの書き込み権限があるか確認してください。");
const char* const kAssociationWriteMessage
    = lexicana::TrMark("ファイルの関連付けの書き込みに失敗しました。\n"
                       "デスクトップの設定フォルダへの書き込み権限があるか確認してください。");

std::string WithReason(const char* message, const std::string& reason)
{
    const std::string text = lexicana::Tr(message);
    return reason.empty() ? text : text + ("\n\n" + reason);
}

QButtonGroup* AddRadioItems(QGroupBox* box, const char* first, const char* second)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    int id = 0;
    for (const char* caption : { first, second }) {
        auto* item = new QRadioButton(lexicana::TrQ(caption), box);
        group->addButton(item, id++);
        layout->addWidget(item);
    }
    return group;
}

QPushButton* AddFieldRow(QGridLayout* grid, int row, const char* label, QLineEdit* field, const char* button)
{
    auto* caption = new QLabel(lexicana::TrQ(label));
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0, 1, 2);
    grid->addWidget(field, row + 1, 0);
    auto* push = new QPushButton(lexicana::TrQ(button));
    push->setAutoDefault(false);
    grid->addWidget(push, row + 1, 1);
    return push;
}

std::string ProgramIconPng()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ProgramIcon().pixmap(32, 32).save(&buffer, "PNG");
    return png.toStdString();
}

} // namespace

TDlg_AppliSetting::TDlg_AppliSetting(TGlobal& global, std::function<void()> updateCaption, QWidget* owner)
    : QDialog(owner)
    , global_(global)
    , updateCaption_(std::move(updateCaption))
{
    setWindowTitle(lexicana::TrQ("アプリケーションの設定"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    PageControl->addTab(BuildBasicPage(), lexicana::TrQ("基本設定"));
    PageControl->addTab(BuildEditorPage(), lexicana::TrQ("エディタ"));
    PageControl->addTab(BuildAssociationPage(), lexicana::TrQ("関連付け/ヘルプ"));
    layout->addWidget(PageControl);

    auto* buttons = new QHBoxLayout;
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(lexicana::TrQ("キャンセル"), this);
    CancelBtn->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TDlg_AppliSetting::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TDlg_AppliSetting::CancelBtnClick);
    connect(Button_Editor, &QPushButton::clicked, this, &TDlg_AppliSetting::Button_EditorClick);
    connect(Button_HTMLEditor, &QPushButton::clicked, this, &TDlg_AppliSetting::Button_HTMLEditorClick);
    connect(Button_EditorParamReset, &QPushButton::clicked, this,
        &TDlg_AppliSetting::Button_EditorParamResetClick);
    connect(Button_HTMLEditorParamReset, &QPushButton::clicked, this,
        &TDlg_AppliSetting::Button_HTMLEditorParamResetClick);
    connect(Button_Relate, &QPushButton::clicked, this, &TDlg_AppliSetting::Button_RelateClick);

    FormCreate();
}

TDlg_AppliSetting::~TDlg_AppliSetting() = default;

QWidget* TDlg_AppliSetting::BuildBasicPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    CheckBox_FullPath = new QCheckBox(lexicana::TrQ("タイトルバーのファイル名をフルパスで表示する"), page);
    CheckBox_StartupRead = new QCheckBox(lexicana::TrQ("起動時に前回のファイルを自動的に読み込む"), page);
    CheckBox_SaveCSVatConv = new QCheckBox(lexicana::TrQ("変換実行直後に項目データも上書き保存する"), page);
    layout->addWidget(CheckBox_FullPath);
    layout->addWidget(CheckBox_StartupRead);
    CheckBox_NewDocumentUtf8 = new QCheckBox(lexicana::TrQ("新規作成する項目データをUTF-8にする"), page);
    CheckBox_NewDocumentUtf8->setToolTip(lexicana::TrQ(
        "オフのときはShift_JISです。開いたファイルは、読み込んだときの文字コードで保存します。"));
    layout->addWidget(CheckBox_SaveCSVatConv);
    layout->addWidget(CheckBox_NewDocumentUtf8);

    auto* radios = new QHBoxLayout;
    RadioGroup_RepDirection = new QGroupBox(lexicana::TrQ("全セル検索の方向"), page);
    RepDirectionItems
        = AddRadioItems(RadioGroup_RepDirection, lexicana::TrMark("上から下"), lexicana::TrMark("左から右"));
    RadioGroup_PopupOpPos = new QGroupBox(lexicana::TrQ("レコードの追加、削除先"), page);
    PopupOpPosItems = AddRadioItems(
        RadioGroup_PopupOpPos, lexicana::TrMark("選択中のセル"), lexicana::TrMark("マウスポインタの位置"));
    radios->addWidget(RadioGroup_RepDirection);
    radios->addWidget(RadioGroup_PopupOpPos);
    layout->addLayout(radios);

    auto* filterLabel = new QLabel(lexicana::TrQ("ファイルレコード追加ダイアログのフィルタ"), page);
    Edit_FileRecFilter = new QLineEdit(page);
    filterLabel->setBuddy(Edit_FileRecFilter);
    layout->addWidget(filterLabel);
    layout->addWidget(Edit_FileRecFilter);

    auto* codes = new QFormLayout;
    ComboBox_KanjiCode = new QComboBox(page);
    ComboBox_NewLineCode = new QComboBox(page);
    for (QComboBox* combo : { ComboBox_KanjiCode, ComboBox_NewLineCode }) {
        combo->setEditable(true); // typed text counts as well as a choice
        combo->setInsertPolicy(QComboBox::NoInsert);
        // What the user types is what counts: no completion turns a typed
        // "CR" into "CR+LF" or a typed "sjis" into "SJIS".
        combo->setCompleter(nullptr);
        combo->setMinimumContentsLength(8);
    }
    codes->addRow(lexicana::TrQ("漢字コード"), ComboBox_KanjiCode);
    codes->addRow(lexicana::TrQ("改行コード"), ComboBox_NewLineCode);
    SpinBox_UndoLimit = new QSpinBox(page);
    SpinBox_UndoLimit->setRange(kMinUndoLimitMB, kMaxUndoLimitMB);
    SpinBox_UndoLimit->setSuffix(QStringLiteral(" MB"));
    SpinBox_UndoLimit->setToolTip(lexicana::TrQ("レコードの変更を元に戻すための履歴が使うメモリの上限です。超えると古い変更から忘れます。"));
    codes->addRow(lexicana::TrQ("元に戻す履歴の上限"), SpinBox_UndoLimit);
    layout->addLayout(codes);
    layout->addStretch(1);
    return page;
}

QWidget* TDlg_AppliSetting::BuildEditorPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* table = new QGroupBox(lexicana::TrQ("テーブルファイルの編集"), page);
    auto* tableGrid = new QGridLayout(table);
    Edit_TextEditor = new QLineEdit(table);
    Button_Editor = AddFieldRow(
        tableGrid, 0, lexicana::TrMark("テキストエディタ"), Edit_TextEditor, lexicana::TrMark("参照"));
    Edit_EditorParam = new QLineEdit(table);
    Button_EditorParamReset = AddFieldRow(
        tableGrid, 2, lexicana::TrMark("パラメータ"), Edit_EditorParam, lexicana::TrMark("デフォルトに戻す"));
    CheckBox_WaitEditor = new QCheckBox(lexicana::TrQ("エディタを終了するまでLexicanaを隠す"), table);
    tableGrid->addWidget(CheckBox_WaitEditor, 4, 0, 1, 2);
    layout->addWidget(table);

    auto* html = new QGroupBox(lexicana::TrQ("HTMLファイルの編集"), page);
    auto* htmlGrid = new QGridLayout(html);
    Edit_HTMLEditor = new QLineEdit(html);
    Button_HTMLEditor = AddFieldRow(htmlGrid, 0,
        lexicana::TrMark("HTMLエディタ （未指定時はテーブルファイルと同じエディタが使われます）"),
        Edit_HTMLEditor, lexicana::TrMark("参照"));
    Edit_HTMLEditorParam = new QLineEdit(html);
    Button_HTMLEditorParamReset = AddFieldRow(htmlGrid, 2, lexicana::TrMark("パラメータ"),
        Edit_HTMLEditorParam, lexicana::TrMark("デフォルトに戻す"));
    CheckBox_WaitHTMLEditor = new QCheckBox(lexicana::TrQ("エディタを終了するまでLexicanaを隠す"), html);
    htmlGrid->addWidget(CheckBox_WaitHTMLEditor, 4, 0, 1, 2);
    layout->addWidget(html);

#ifndef Q_OS_WIN
    // The default editor is the desktop's handler of the file's type.
    auto* note = new QLabel(
        lexicana::TrQ("テキストエディタの既定値「xdg-open」は、ファイルの種類に合わせて"
                      "デスクトップで関連付けられたプログラムで開きます。\n"
                      "この場合、エディタの終了を待たずに Lexicana が再び表示されることがあります。"),
        page);
    note->setObjectName(QStringLiteral("Label_EditorNote"));
    note->setWordWrap(true);
    Edit_TextEditor->setToolTip(note->text());
    layout->addWidget(note);
#endif
    layout->addStretch(1);
    return page;
}

QWidget* TDlg_AppliSetting::BuildAssociationPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    Button_Relate = new QPushButton(lexicana::TrQ("セットファイル（拡張子は.lxs）を関連付ける"), page);
    Button_Relate->setAutoDefault(false);
    auto* relateRow = new QHBoxLayout;
    relateRow->addWidget(Button_Relate);
    relateRow->addStretch(1);
    layout->addLayout(relateRow);
    layout->addSpacing(12);
    CheckBox_UseRemoteHelp
        = new QCheckBox(lexicana::TrQ("インターネット上の最新ヘルプを参照する（常時接続環境向け）"), page);
    layout->addWidget(CheckBox_UseRemoteHelp);
    layout->addSpacing(12);
    // Each language is named in itself, so that it can be found whatever the
    // interface shows now.
    auto* language = new QGroupBox(lexicana::TrQ("表示言語（次回の起動から）"), page);
    auto* languageRow = new QHBoxLayout(language);
    ComboBox_Language = new QComboBox(language);
    ComboBox_Language->addItem(lexicana::TrQ("システムの言語に合わせる"), QString());
    ComboBox_Language->addItem(QStringLiteral("English"), QStringLiteral("en"));
    ComboBox_Language->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
    languageRow->addWidget(ComboBox_Language);
    languageRow->addStretch(1);
    layout->addWidget(language);
    layout->addStretch(1);
    return page;
}

QString TDlg_AppliSetting::TextOfKanjiCode(int code)
{
    switch (code) {
    case 2:
        return QStringLiteral("JIS");
    case 4:
        return QStringLiteral("EUC");
    case 5:
        return QStringLiteral("SJIS");
    case 7:
        return QStringLiteral("UTF-8");
    default:
        return lexicana::TrQ(kAutomatic);
    }
}

int TDlg_AppliSetting::KanjiCodeOfText(const QString& text)
{
    if (text == QLatin1String("JIS"))
        return 2;
    if (text == QLatin1String("EUC"))
        return 4;
    if (text == QLatin1String("SJIS"))
        return 5;
    if (text == QLatin1String("UTF-8"))
        return 7;
    return -1;
}

QString TDlg_AppliSetting::TextOfNewLineCode(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("CR+LF");
    case 2:
        return QStringLiteral("CR");
    case 3:
        return QStringLiteral("LF");
    default:
        return lexicana::TrQ(kAutomatic);
    }
}

int TDlg_AppliSetting::NewLineCodeOfText(const QString& text)
{
    if (text == QLatin1String("CR+LF"))
        return 1;
    if (text == QLatin1String("CR"))
        return 2;
    if (text == QLatin1String("LF"))
        return 3;
    return -1;
}

void TDlg_AppliSetting::FormCreate()
{
    ComboBox_KanjiCode->clear();
    ComboBox_KanjiCode->addItems({ "SJIS", "JIS", "EUC", "UTF-8", lexicana::TrQ(kAutomatic) });
    ComboBox_NewLineCode->clear();
    ComboBox_NewLineCode->addItems({ "CR+LF", "CR", "LF", lexicana::TrQ(kAutomatic) });

    Edit_TextEditor->setText(QStringFromSjis(global_.Editor));
    Edit_EditorParam->setText(QStringFromSjis(global_.EditorParam));
    Edit_HTMLEditor->setText(QStringFromSjis(global_.HTMLEditor));
    Edit_HTMLEditorParam->setText(QStringFromSjis(global_.HTMLEditorParam));
    Edit_FileRecFilter->setText(QStringFromSjis(global_.FileRecordDialogFilter));
    CheckBox_WaitEditor->setChecked(global_.WaitEditor);
    CheckBox_WaitHTMLEditor->setChecked(global_.WaitHTMLEditor);
    CheckBox_FullPath->setChecked(global_.FullPath);
    CheckBox_StartupRead->setChecked(global_.StartupRead);
    CheckBox_SaveCSVatConv->setChecked(global_.SaveCSVatConv);
    CheckBox_NewDocumentUtf8->setChecked(global_.NewDocumentUtf8);

    RepDirectionItems->button(global_.RepDirectVert ? 0 : 1)->setChecked(true);
    PopupOpPosItems->button(global_.PopupOperatePosition ? 1 : 0)->setChecked(true);

    ComboBox_KanjiCode->setCurrentText(TextOfKanjiCode(global_.KanjiCode));
    ComboBox_NewLineCode->setCurrentText(TextOfNewLineCode(global_.NewLineCode));
    SpinBox_UndoLimit->setValue(global_.UndoLimitMB);
    CheckBox_UseRemoteHelp->setChecked(!global_.UseLocalHelp);
    ComboBox_Language->setCurrentIndex(
        std::max(0, ComboBox_Language->findData(QString::fromStdString(global_.InterfaceLanguage))));
}

void TDlg_AppliSetting::OKBtnClick()
{
    // Every text field must be representable before anything is stored.
    struct Field {
        QLineEdit* edit;
        std::string* member;
        std::string bytes;
    };
    Field fields[] = {
        { Edit_TextEditor, &global_.Editor, {} },
        { Edit_EditorParam, &global_.EditorParam, {} },
        { Edit_HTMLEditor, &global_.HTMLEditor, {} },
        { Edit_HTMLEditorParam, &global_.HTMLEditorParam, {} },
        { Edit_FileRecFilter, &global_.FileRecordDialogFilter, {} },
    };
    for (Field& field : fields) {
        QString unencodable;
        std::optional<std::string> bytes = SjisFromQString(field.edit->text(), &unencodable);
        if (!bytes) {
            for (int page = 0; page < PageControl->count(); ++page)
                if (PageControl->widget(page)->isAncestorOf(field.edit))
                    PageControl->setCurrentIndex(page);
            field.edit->setFocus();
            TRecordTableModel::ReportUnencodable(unencodable);
            return;
        }
        field.bytes = std::move(*bytes);
    }
    for (Field& field : fields)
        *field.member = std::move(field.bytes);
    global_.WaitEditor = CheckBox_WaitEditor->isChecked();
    global_.WaitHTMLEditor = CheckBox_WaitHTMLEditor->isChecked();
    global_.FullPath = CheckBox_FullPath->isChecked();
    global_.StartupRead = CheckBox_StartupRead->isChecked();
    global_.SaveCSVatConv = CheckBox_SaveCSVatConv->isChecked();
    global_.NewDocumentUtf8 = CheckBox_NewDocumentUtf8->isChecked();

    global_.RepDirectVert = RepDirectionItems->checkedId() == 0;
    global_.PopupOperatePosition = PopupOpPosItems->checkedId() > 0;

    global_.KanjiCode = KanjiCodeOfText(ComboBox_KanjiCode->currentText());
    global_.NewLineCode = NewLineCodeOfText(ComboBox_NewLineCode->currentText());
    global_.UndoLimitMB = SpinBox_UndoLimit->value();
    global_.UseLocalHelp = !CheckBox_UseRemoteHelp->isChecked();
    global_.InterfaceLanguage = ComboBox_Language->currentData().toString().toStdString();

    if (updateCaption_)
        updateCaption_();
    accept();
}

void TDlg_AppliSetting::CancelBtnClick()
{
    reject();
}

bool TDlg_AppliSetting::ChooseWithFileDialog(const QString& title, const QString& start, QString& chosen)
{
    QFileDialog dialog(this, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(TQtFileDialogs::QtFilters(kEditorFilter));
#ifndef Q_OS_WIN
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDot);
#endif
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, lexicana::TrQ("ファイルの場所:"));
    dialog.setLabelText(QFileDialog::FileName, lexicana::TrQ("ファイル名:"));
    dialog.setLabelText(QFileDialog::FileType, lexicana::TrQ("ファイルの種類:"));
    dialog.setLabelText(QFileDialog::Accept, lexicana::TrQ("開く(&O)"));
    dialog.setLabelText(QFileDialog::Reject, lexicana::TrQ("キャンセル"));
    if (!start.isEmpty())
        dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    chosen = dialog.selectedFiles().first();
    return true;
}

void TDlg_AppliSetting::BrowseEditor(const QString& title, QLineEdit* field)
{
    QString chosen;
    bool picked = false;
    if (chooser_) {
        picked = chooser_(title, chosen);
    } else {
        const QFileInfo current(field->text());
        const QString start = current.isAbsolute() && current.dir().exists() ? current.absolutePath()
                                                                             : QStringLiteral("/usr/bin");
        picked = ChooseWithFileDialog(title, start, chosen);
    }
    const QFileInfo info(chosen);
    if (picked && !chosen.isEmpty() && info.isFile())
        field->setText(info.absoluteFilePath());
}

void TDlg_AppliSetting::Button_EditorClick()
{
    BrowseEditor(lexicana::TrQ("テキストエディタの指定"), Edit_TextEditor);
}

void TDlg_AppliSetting::Button_HTMLEditorClick()
{
    BrowseEditor(lexicana::TrQ("HTMLエディタの指定"), Edit_HTMLEditor);
}

void TDlg_AppliSetting::Button_EditorParamResetClick()
{
    Edit_EditorParam->setText(QString::fromLatin1(kDefaultParam));
}

void TDlg_AppliSetting::Button_HTMLEditorParamResetClick()
{
    Edit_HTMLEditorParam->setText(QString::fromLatin1(kDefaultParam));
}

void TDlg_AppliSetting::Button_RelateClick()
{
    std::string error;
    if (!PrepareSetFileAssociation(&error)) {
        ShowError(WithReason(kAssociationAccessMessage, error));
        return;
    }
    const std::string current = SetFileHandler();
    if (!current.empty() && current != kDesktopFileId) {
        const std::string question
            = FillArgs(lexicana::Tr("既に\".lxs\"には%1が関連付けられています。\n"
                                    "関連付けを設定しなおしますか？（後で元に戻すことはできません）"),
                { current });
        if (ShowMessageBox(question, lexicana::Tr("設定変更の確認"), MbYesNo | MbIconQuestion) != IdYes)
            return;
    }
    const std::string program = global_.ProgramPath.empty() ? RunningProgramPath() : global_.ProgramPath;
    if (WriteSetFileAssociation(program, ProgramIconPng(), &error))
        ShowMessageBox(lexicana::Tr("関連付けが完了しました。"), lexicana::Tr("関連付けの設定完了"),
            MbOk | MbIconInformation);
    else
        ShowMessageBox(WithReason(kAssociationWriteMessage, error), lexicana::Tr("関連付けの設定失敗"),
            MbOk | MbIconStop);
}

} // namespace lexicana
