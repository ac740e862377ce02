#include "app/convsetsetting.h"

#include "app/documentedit.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "components/uitext.h"
#include "data/global.h"
#include "platform/filesystem.h"
#include "platform/nativepath.h"
#include "platform/newfile.h"
#include "platform/programinfo.h"
#include "platform/qdoctext.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace lexicana {

namespace {

const char* const kTableFilter
    = lexicana::TrMark("変換テーブルファイル(*.ctb)|*.ctb|全てのファイル(*.*)|*.*");
const char* const kInfoOutputFilter
    = lexicana::TrMark("情報出力ファイルリスト(*.lst)|*.lst|全てのファイル(*.*)|*.*");

} // namespace

TDlg_ConvSetSetting::TDlg_ConvSetSetting(QWidget* owner, TGlobal& global, std::function<int()> saveSet,
    std::function<int(const std::string&)> readTable)
    : QDialog(owner)
    , global_(global)
    , saveSet_(std::move(saveSet))
    , readTable_(std::move(readTable))
    , chooseFile_(QtFileChooser(this))
    , chooseFolder_(QtFolderChooser(this))
{
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    BuildLayout();
    connect(Button_Table, &QPushButton::clicked, this, &TDlg_ConvSetSetting::Button_TableClick);
    connect(Button_Template, &QPushButton::clicked, this, &TDlg_ConvSetSetting::Button_TemplateClick);
    connect(Button_HTML, &QPushButton::clicked, this, &TDlg_ConvSetSetting::Button_HTMLClick);
    connect(Button_InfoOutput, &QPushButton::clicked, this, &TDlg_ConvSetSetting::Button_InfoOutputClick);
    connect(OKBtn, &QPushButton::clicked, this, &TDlg_ConvSetSetting::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TDlg_ConvSetSetting::CancelBtnClick);
    FormCreate();
}

TDlg_ConvSetSetting::~TDlg_ConvSetSetting() = default;

void TDlg_ConvSetSetting::BuildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 360);
    grid->setVerticalSpacing(4);
    layout->addLayout(grid);

    auto makeEdit = [this](QLabel* label) {
        auto* edit = new QLineEdit(this);
        label->setBuddy(edit);
        return edit;
    };
    auto makeButton = [this](const char* caption) {
        auto* button = new QPushButton(lexicana::TrQ(caption), this);
        button->setAutoDefault(false);
        return button;
    };

    auto* itemsLabel
        = new QLabel(lexicana::TrQ("項目データファイル（メインウィンドウから開いてください）"), this);
    itemsLabel->setEnabled(false);
    Edit_Items = makeEdit(itemsLabel);
    Edit_Items->setEnabled(false);
    grid->addWidget(itemsLabel, 0, 0, 1, 2);
    grid->addWidget(Edit_Items, 1, 0);

    auto* tableLabel = new QLabel(lexicana::TrQ("変換テーブルファイル(*.ctb)"), this);
    Button_Template = makeButton(lexicana::TrMark("テンプレートからコピー"));
    Edit_Table = makeEdit(tableLabel);
    Button_Table = makeButton(lexicana::TrMark("参照"));
    grid->addWidget(tableLabel, 2, 0, Qt::AlignBottom);
    grid->addWidget(Button_Template, 2, 0, Qt::AlignRight);
    grid->addWidget(Edit_Table, 3, 0);
    grid->addWidget(Button_Table, 3, 1);

    auto* htmlLabel = new QLabel(lexicana::TrQ("HTMLファイル(*.html)の基準フォルダ"), this);
    Edit_HTML = makeEdit(htmlLabel);
    Button_HTML = makeButton(lexicana::TrMark("参照"));
    grid->addWidget(htmlLabel, 4, 0);
    grid->addWidget(Edit_HTML, 5, 0);
    grid->addWidget(Button_HTML, 5, 1);

    auto* outputLabel = new QLabel(lexicana::TrQ("外部出力ファイル"), this);
    Edit_InfoOutput = makeEdit(outputLabel);
    Button_InfoOutput = makeButton(lexicana::TrMark("参照"));
    grid->addWidget(outputLabel, 6, 0);
    grid->addWidget(Edit_InfoOutput, 7, 0);
    grid->addWidget(Button_InfoOutput, 7, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(
        lexicana::TrQ("ファイル名がフルパスでない場合、\nカレントディレクトリのファイルになります"), this));
    bottom->addStretch(1);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = makeButton(lexicana::TrMark("キャンセル"));
    bottom->addWidget(OKBtn, 0, Qt::AlignBottom);
    bottom->addWidget(CancelBtn, 0, Qt::AlignBottom);
    layout->addSpacing(6);
    layout->addLayout(bottom);
}

void TDlg_ConvSetSetting::FormCreate()
{
    const std::string setName = global_.FullPath ? global_.SetFileName : ExtractFileName(global_.SetFileName);
    setWindowTitle(lexicana::TrQ("変換セットの設定 - %1").arg(QStringFromDoc(setName)));
    SetDocumentText(Edit_Items, global_.ItemFileName);
    SetDocumentText(Edit_Table, global_.TableFileName);
    SetDocumentText(Edit_HTML, global_.HTMLDir);
    SetDocumentText(Edit_InfoOutput, global_.InfoOutputList);
    repFileName_ = global_.RepFileName;
}

void TDlg_ConvSetSetting::showEvent(QShowEvent* event)
{
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}

bool TDlg_ConvSetSetting::ChooseFile(const TFileChoiceRequest& request, std::string& path)
{
    if (!chooseFile_)
        return false;
    std::vector<std::string> chosen = chooseFile_(request);
    if (chosen.empty())
        return false;
    path = std::move(chosen.front());
    return true;
}

void TDlg_ConvSetSetting::Button_TableClick()
{
    TFileChoiceRequest request;
    request.mode = TFileChoiceRequest::OpenAnyName;
    request.filter = kTableFilter;
    request.defaultSuffix = QStringLiteral("ctb");
    std::string path;
    if (ChooseFile(request, path))
        SetDocumentText(Edit_Table, path);
}

void TDlg_ConvSetSetting::Button_TemplateClick()
{
    const std::string programPath = global_.ProgramPath.empty() ? RunningProgramPath() : global_.ProgramPath;
    TFileChoiceRequest open;
    open.mode = TFileChoiceRequest::OpenExisting;
    open.title = lexicana::TrQ("テーブルファイルの指定");
    open.filter = kTableFilter;
    open.defaultSuffix = QStringLiteral("ctb");
    open.folder = ProgramDataFolder(programPath) + "/template";
    std::string templatePath;
    if (!ChooseFile(open, templatePath))
        return;

    TFileChoiceRequest save;
    save.mode = TFileChoiceRequest::SaveAs;
    save.title = lexicana::TrQ("新規テーブルファイルにコピー");
    save.filter = kTableFilter;
    save.defaultSuffix = QStringLiteral("ctb");
    // The copy belongs with the set, never among the shipped templates.
    save.folder = TemplateCopyFolder();
    std::string newPath;
    if (!ChooseFile(save, newPath))
        return;

    // The copy replaces an existing file in one step; when it fails the
    // user is told and the edit keeps its name.
    std::string bytes;
    std::string error;
    bool copied = ReadFileBytes(templatePath, bytes, &error);
    if (!copied && error.empty())
        error = FillArgs(
            lexicana::Tr("%1 を読み込めません。"), { QStringFromDoc(templatePath).toStdString() });
    copied = copied && SaveFileBytes(newPath, bytes, &error);
    if (!copied && error.empty())
        error = FillArgs(lexicana::Tr("%1 に書き込めません。"), { QStringFromDoc(newPath).toStdString() });
    if (!copied) {
        ShowError(FillArgs(lexicana::Tr("テンプレートを \"%1\" にコピーできませんでした。\n%2"),
            { QStringFromDoc(newPath).toStdString(), error }));
        return;
    }
    SetDocumentText(Edit_Table, newPath);
}

std::string TDlg_ConvSetSetting::TemplateCopyFolder() const
{
    // An untitled set has no folder ("無題").
    const std::string setFolder = ExtractFileDir(global_.SetFileName);
    if ((HasDrivePrefix(setFolder) || setFolder.starts_with('/')) && PathIsFolder(setFolder))
        return setFolder;
    // No set file yet: the user's home folder.
    const QByteArray home = QFile::encodeName(QDir::homePath());
    std::string folder;
    if (!DocumentPathFromNative(std::string(home.constData(), static_cast<std::size_t>(home.size())), folder))
        folder = "/";
    return folder;
}

void TDlg_ConvSetSetting::Button_HTMLClick()
{
    if (!chooseFolder_)
        return;
    TFolderChoiceRequest request;
    request.title = lexicana::TrQ("HTMLファイルの基準フォルダを選択");
    std::string start;
    if (GetDocumentText(Edit_HTML, start))
        request.start = start;
    if (std::optional<std::string> folder = chooseFolder_(request))
        SetDocumentText(Edit_HTML, *folder);
}

void TDlg_ConvSetSetting::Button_InfoOutputClick()
{
    TFileChoiceRequest request;
    request.mode = TFileChoiceRequest::OpenOrCreate;
    request.title = lexicana::TrQ("情報出力ファイルの指定");
    request.filter = kInfoOutputFilter;
    request.defaultSuffix = QStringLiteral("lst");
    std::string path;
    if (!ChooseFile(request, path))
        return;
    if (!PathIsFile(path)) {
        // A new, empty list; a file that appeared meanwhile is left as it is.
        int error = 0;
        if (!CreateEmptyFileExclusively(path, error)) {
            ShowLastSystemError(error);
            return;
        }
    }
    SetDocumentText(Edit_InfoOutput, path);
}

void TDlg_ConvSetSetting::OKBtnClick()
{
    // Every text is checked before anything is taken over.
    std::string table, html, infoOutput;
    if (!GetDocumentText(Edit_Table, table) || !GetDocumentText(Edit_HTML, html)
        || !GetDocumentText(Edit_InfoOutput, infoOutput))
        return;

    global_.TableFileName = table;
    if (readTable_)
        readTable_(table);
    global_.RepFileName = repFileName_;
    global_.HTMLDir = html;
    global_.InfoOutputList = infoOutput;

    if (ShowMessageBox(lexicana::Tr("セットファイルを今すぐ上書きしますか？"), lexicana::Tr("確認"),
            MbYesNo | MbIconQuestion)
            == IdYes
        && saveSet_)
        saveSet_();
    accept();
}

void TDlg_ConvSetSetting::CancelBtnClick()
{
    reject();
}

} // namespace lexicana
