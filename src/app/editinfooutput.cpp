#include "app/editinfooutput.h"

#include "app/documentedit.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "components/uitext.h"
#include "platform/filesystem.h"
#include "platform/qdoctext.h"
#include "platform/doctext.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace lexicana {

namespace {

const char* const kAnyFileFilter = lexicana::TrMark("全てのファイル(*.*)|*.*");

std::string EntryBytes(const QListWidgetItem* item)
{
    const QByteArray bytes = item->data(Qt::UserRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void SetEntry(QListWidgetItem* item, const std::string& path)
{
    item->setText(QStringFromDoc(path));
    item->setData(Qt::UserRole, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace

TDlg_EditInfoOutput::TDlg_EditInfoOutput(QWidget* owner, std::string listFile, std::string htmlDir)
    : QDialog(owner)
    , listFile_(std::move(listFile))
    , htmlDir_(std::move(htmlDir))
    , chooseFile_(QtFileChooser(this))
{
    setWindowTitle(lexicana::TrQ("外部出力ファイルリストの編集"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    BuildLayout();
    connect(Button_add, &QPushButton::clicked, this, &TDlg_EditInfoOutput::Button_addClick);
    connect(BitBtn_ref, &QPushButton::clicked, this, &TDlg_EditInfoOutput::BitBtn_refClick);
    connect(Button_change, &QPushButton::clicked, this, &TDlg_EditInfoOutput::Button_changeClick);
    connect(Button_delete, &QPushButton::clicked, this, &TDlg_EditInfoOutput::Button_deleteClick);
    connect(OKBtn, &QPushButton::clicked, this, &TDlg_EditInfoOutput::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TDlg_EditInfoOutput::CancelBtnClick);
    ListBox_InfoOutput->installEventFilter(this);
    ListBox_InfoOutput->viewport()->installEventFilter(this);
    FormCreate();
}

TDlg_EditInfoOutput::~TDlg_EditInfoOutput() = default;

void TDlg_EditInfoOutput::BuildLayout()
{
    auto makeButton = [this](const char* caption) {
        auto* button = new QPushButton(lexicana::TrQ(caption), this);
        button->setAutoDefault(false);
        return button;
    };
    auto* layout = new QVBoxLayout(this);

    Label1 = new QLabel(lexicana::TrQ("編集対象のファイル"), this);
    layout->addWidget(Label1);
    auto* nameRow = new QHBoxLayout;
    Edit_FileName = new QLineEdit(this);
    Label1->setBuddy(Edit_FileName);
    BitBtn_ref = makeButton(lexicana::TrMark("参照..."));
    nameRow->addWidget(Edit_FileName, 1);
    nameRow->addWidget(BitBtn_ref);
    layout->addLayout(nameRow);

    auto* addRow = new QHBoxLayout;
    Button_add = makeButton(lexicana::TrMark("↓追加"));
    addRow->addWidget(Button_add);
    addRow->addStretch(1);
    layout->addLayout(addRow);

    auto* listRow = new QHBoxLayout;
    ListBox_InfoOutput = new QListWidget(this);
    ListBox_InfoOutput->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox_InfoOutput->setMinimumSize(420, 180);
    auto* side = new QVBoxLayout;
    Button_change = makeButton(lexicana::TrMark("変更"));
    Button_delete = makeButton(lexicana::TrMark("削除"));
    side->addWidget(Button_change);
    side->addWidget(Button_delete);
    side->addStretch(1);
    listRow->addWidget(ListBox_InfoOutput, 1);
    listRow->addLayout(side);
    layout->addLayout(listRow, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = makeButton(lexicana::TrMark("キャンセル"));
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
}

void TDlg_EditInfoOutput::FormCreate()
{
    ListBox_InfoOutput->clear();
    // A list that does not exist yet starts empty, in the document's code;
    // OK creates it. One that exists is written back in its own code.
    listCode_ = { DocumentTextCode(), false };
    if (!PathIsFile(listFile_))
        return;
    TStringList lines;
    try {
        lines = LoadDocumentLines(listFile_, &listCode_);
    } catch (const std::exception&) {
        // Writing an empty list over one that could not be read would lose
        // it: only Cancel is left.
        ShowError(FillArgs(lexicana::Tr("外部出力ファイルリスト(\"%1\")が読み出せません。\n"
                                        "ファイルが読み出せる状態にあるかを確認してください。"),
            { DocToUtf8(listFile_) }));
        OKBtn->setEnabled(false);
        return;
    }
    const std::string base = IncludeTrailingSeparator(htmlDir_);
    for (const std::string& line : lines)
        if (!line.empty())
            AddEntry(ResolveRelativePath(base, line));
}

void TDlg_EditInfoOutput::AddEntry(const std::string& path)
{
    auto* item = new QListWidgetItem;
    SetEntry(item, path);
    ListBox_InfoOutput->addItem(item);
}

std::vector<std::string> TDlg_EditInfoOutput::Entries() const
{
    std::vector<std::string> entries;
    for (int i = 0; i < ListBox_InfoOutput->count(); ++i)
        entries.push_back(EntryBytes(ListBox_InfoOutput->item(i)));
    return entries;
}

void TDlg_EditInfoOutput::Button_addClick()
{
    std::string path;
    if (GetDocumentText(Edit_FileName, path))
        AddEntry(path);
}

void TDlg_EditInfoOutput::BitBtn_refClick()
{
    if (!chooseFile_)
        return;
    TFileChoiceRequest request;
    request.mode = TFileChoiceRequest::OpenExistingMany;
    request.filter = kAnyFileFilter;
    request.folder = htmlDir_;
    for (const std::string& path : chooseFile_(request))
        AddEntry(path);
}

void TDlg_EditInfoOutput::Button_changeClick()
{
    QListWidgetItem* item = ListBox_InfoOutput->currentItem();
    std::string path;
    if (item && GetDocumentText(Edit_FileName, path))
        SetEntry(item, path);
}

void TDlg_EditInfoOutput::Button_deleteClick()
{
    qDeleteAll(ListBox_InfoOutput->selectedItems());
}

bool TDlg_EditInfoOutput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox_InfoOutput && event->type() == QEvent::KeyRelease
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Button_deleteClick();
    } else if (watched == ListBox_InfoOutput->viewport() && event->type() == QEvent::MouseButtonRelease) {
        if (QListWidgetItem* item = ListBox_InfoOutput->currentItem())
            SetDocumentText(Edit_FileName, EntryBytes(item));
    }
    return QDialog::eventFilter(watched, event);
}

void TDlg_EditInfoOutput::OKBtnClick()
{
    TStringList lines;
    for (const std::string& entry : Entries())
        if (!entry.empty())
            lines.push_back(MakeRelativePath(entry, htmlDir_, true));
    try {
        SaveDocumentLines(listFile_, lines, listCode_);
    } catch (const std::exception& error) {
        // The dialog stays open, so the edited list is not lost.
        ShowError(FillArgs(lexicana::Tr("外部出力ファイルリスト(\"%1\")に書き出せません。\n%2"),
            { DocToUtf8(listFile_), error.what() }));
        return;
    }
    accept();
}

void TDlg_EditInfoOutput::CancelBtnClick()
{
    reject();
}

} // namespace lexicana
