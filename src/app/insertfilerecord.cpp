#include "app/insertfilerecord.h"

#include "app/documentedit.h"
#include "common/messages.h"
#include "common/translate.h"
#include "components/uitext.h"
#include "data/global.h"
#include "data/recordtable.h"
#include "platform/filelist.h"
#include "platform/qsjis.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lexicana {

namespace {

// Pending events run at most this often while the list is built.
constexpr qint64 kEventInterval = 15;

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The texts the row box keeps: empty, or "-"?, digits, and "." digits.
bool IsAcceptedRowText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("\\A-?[0-9]+(\\.[0-9]+)?\\z"));
    return text.isEmpty() || pattern.match(text).hasMatch();
}

} // namespace

TDlg_InsertFileRecord::TDlg_InsertFileRecord(QWidget* owner, TRecordTable& grid, TGlobal& global,
    int proposedRow, int lowestRow, int highestRow, std::function<void()> updateCaption)
    : QDialog(owner)
    , grid_(grid)
    , global_(global)
    , lowestRow_(lowestRow)
    , highestRow_(std::max(lowestRow, highestRow))
    , updateCaption_(std::move(updateCaption))
{
    setWindowTitle(lexicana::TrQ("ファイルレコードの追加"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(true);
    BuildLayout();
    setMinimumSize(435, 140);
    resize(480, 360);

    Edit_InsertRecord->installEventFilter(this);
    connect(
        Edit_InsertRecord, &QLineEdit::textChanged, this, &TDlg_InsertFileRecord::Edit_InsertRecordChange);
    connect(SpeedButton_Up, &QToolButton::clicked, this, [this] { StepInsertRow(-1); });
    connect(SpeedButton_Down, &QToolButton::clicked, this, [this] { StepInsertRow(1); });
    connect(Button_Update, &QPushButton::clicked, this, &TDlg_InsertFileRecord::FillFileList);
    connect(ListView_FileList, &QTreeWidget::itemSelectionChanged, this,
        &TDlg_InsertFileRecord::ListView_FileListSelectItem);
    connect(Button_Insert, &QPushButton::clicked, this, &TDlg_InsertFileRecord::InsertFileRecordAt);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::close);

    // Opening: the proposed row, the remembered filter, the list.
    Edit_InsertRecord->setText(QString::number(proposedRow));
    // The filter is a setting, kept in Shift_JIS whatever the document's code.
    Edit_Extender->setText(QStringFromSjis(global_.FileRecordDialogFilter));
    FillFileList();
}

TDlg_InsertFileRecord::~TDlg_InsertFileRecord() = default;

void TDlg_InsertFileRecord::BuildLayout()
{
    auto makeButton = [this](const char* caption) {
        auto* button = new QPushButton(lexicana::TrQ(caption), this);
        button->setAutoDefault(false); // Enter in a box inserts nothing by surprise
        return button;
    };
    auto makeArrow = [this](const char* caption) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(caption));
        button->setAutoRaise(true);
        return button;
    };
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* rowLabel = new QLabel(lexicana::TrQ("追加するレコードの位置"), this);
    Edit_InsertRecord = new QLineEdit(this);
    Edit_InsertRecord->setMaximumWidth(70);
    rowLabel->setBuddy(Edit_InsertRecord);
    SpeedButton_Up = makeArrow("▲");
    SpeedButton_Down = makeArrow("▼");
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(SpeedButton_Up);
    arrows->addWidget(SpeedButton_Down);
    top->addWidget(rowLabel);
    top->addWidget(Edit_InsertRecord);
    top->addLayout(arrows);
    top->addSpacing(12);
    auto* filterLabel = new QLabel(lexicana::TrQ("フィルタ"), this);
    Edit_Extender = new QLineEdit(this);
    filterLabel->setBuddy(Edit_Extender);
    Button_Update = makeButton(lexicana::TrMark("リスト更新"));
    top->addWidget(filterLabel);
    top->addWidget(Edit_Extender, 1);
    top->addWidget(Button_Update);
    layout->addLayout(top);

    ListView_FileList = new QTreeWidget(this);
    ListView_FileList->setColumnCount(3);
    ListView_FileList->setHeaderLabels(
        { lexicana::TrQ("ファイル名"), lexicana::TrQ("サイズ"), lexicana::TrQ("更新日時") });
    ListView_FileList->setColumnWidth(0, 150);
    ListView_FileList->setColumnWidth(1, 60);
    ListView_FileList->setColumnWidth(2, 140);
    ListView_FileList->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    ListView_FileList->setRootIsDecorated(false);
    ListView_FileList->setUniformRowHeights(true);
    ListView_FileList->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView_FileList->setToolTip(lexicana::TrQ("ディレクトリは変換セットの設定で変更できます"));
    layout->addWidget(ListView_FileList, 1);

    auto* bottom = new QGridLayout;
    auto* nameLabel = new QLabel(lexicana::TrQ("ファイル名"), this);
    Edit_FileName = new QLineEdit(this);
    nameLabel->setBuddy(Edit_FileName);
    auto* pidLabel = new QLabel(lexicana::TrQ("パートＩＤ"), this);
    Edit_PID = new QLineEdit(this);
    pidLabel->setBuddy(Edit_PID);
    Button_Insert = makeButton(lexicana::TrMark("追加"));
    Button_Close = makeButton(lexicana::TrMark("閉じる"));
    bottom->addWidget(nameLabel, 0, 0);
    bottom->addWidget(pidLabel, 0, 1);
    bottom->addWidget(Edit_FileName, 1, 0);
    bottom->addWidget(Edit_PID, 1, 1);
    bottom->addWidget(Button_Insert, 1, 2);
    bottom->addWidget(Button_Close, 1, 3);
    bottom->setColumnStretch(0, 3);
    bottom->setColumnStretch(1, 1);
    layout->addLayout(bottom);
}

QString TDlg_InsertFileRecord::SizeText(long long bytes)
{
    return QString::number((std::max(0LL, bytes) + 1023) / 1024) + QStringLiteral("KB");
}

void TDlg_InsertFileRecord::FillFileList()
{
    if (filling_)
        return; // a click while the list is being built
    std::vector<TFolderFile> files;
    if (!ListFolderFiles(global_.HTMLDir, Edit_Extender->text().toStdString(), files)) {
        ShowMessageBox(
            lexicana::Tr("変換セットの設定で指定されたHTMLファイルの基準ディレクトリが開けません。\n"
                         "基準ディレクトリが存在し、アクセスできる状態にあるか確認してください。"),
            lexicana::Tr("ディレクトリ設定エラー"), MbOk | MbIconStop);
        return;
    }
    filling_ = true;
    ListView_FileList->clear();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (const TFolderFile& file : files) {
        auto* item = new QTreeWidgetItem(ListView_FileList);
        item->setText(0, QString::fromStdString(file.name));
        item->setText(1, SizeText(file.size));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(2, QString::fromStdString(file.modified));
        if (sinceEvents.elapsed() >= kEventInterval) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }
    filling_ = false;
}

void TDlg_InsertFileRecord::ListView_FileListSelectItem()
{
    const QList<QTreeWidgetItem*> selected = ListView_FileList->selectedItems();
    if (!selected.isEmpty())
        Edit_FileName->setText(selected.first()->text(0));
}

bool TDlg_InsertFileRecord::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit_InsertRecord && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Only typed characters are filtered: editing and shortcut keys
        // (arrows, Delete, Ctrl+V ...) carry no printable text.
        const bool printable = !text.isEmpty()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
        if (printable && !std::all_of(text.begin(), text.end(), IsAsciiDigit))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlg_InsertFileRecord::Edit_InsertRecordChange(const QString& text)
{
    if (busy_)
        return;
    busy_ = true;
    if (IsAcceptedRowText(text)) {
        lastValidText_ = text;
    } else {
        // The last accepted text comes back with the caret where it was,
        // then the row is kept within its range.
        const int caret
            = Edit_InsertRecord->cursorPosition() + static_cast<int>(lastValidText_.size() - text.size());
        Edit_InsertRecord->setText(lastValidText_);
        Edit_InsertRecord->setCursorPosition(std::clamp(caret, 0, static_cast<int>(lastValidText_.size())));
        StepInsertRow(0);
        lastValidText_ = Edit_InsertRecord->text();
    }
    busy_ = false;
}

std::optional<long long> TDlg_InsertFileRecord::ParseRow(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("\\A-?[0-9]+\\z"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void TDlg_InsertFileRecord::StepInsertRow(int delta)
{
    const std::optional<long long> value = ParseRow(Edit_InsertRecord->text());
    const long long row = value
        ? std::clamp(*value + delta, static_cast<long long>(lowestRow_), static_cast<long long>(highestRow_))
        : lowestRow_;
    const int caret = Edit_InsertRecord->cursorPosition();
    Edit_InsertRecord->setText(QString::number(row));
    Edit_InsertRecord->setCursorPosition(std::min(caret, static_cast<int>(Edit_InsertRecord->text().size())));
}

void TDlg_InsertFileRecord::InsertFileRecordAt()
{
    const QString rowText = Edit_InsertRecord->text();
    const std::optional<long long> value = ParseRow(rowText);
    if (!value) {
        ShowError(FillArgs(lexicana::Tr("「%1」は正しい整数ではありません。"), { rowText.toStdString() }));
        return;
    }
    std::string fileName, partId;
    if (!EncodeUserText(Edit_FileName->text(), fileName) || !EncodeUserText(Edit_PID->text(), partId))
        return;
    const int lastCol = std::max({ global_.RecordCodeCol, global_.FileNameCol, global_.PartIDCol });
    if (std::min({ global_.RecordCodeCol, global_.FileNameCol, global_.PartIDCol }) < 1
        || lastCol >= grid_.ColCount()) {
        ShowError(lexicana::Tr(
            "ファイルレコードを書き込む列が表にありません。\n変換テーブルファイルを読み込んでください。"));
        return;
    }
    // The grid cannot shrink while the dialog is modal; the bound keeps an
    // insertion inside the table all the same.
    const int highest = std::min(highestRow_, grid_.RowCount());
    if (highest < lowestRow_)
        return;
    const int row = static_cast<int>(
        std::clamp(*value, static_cast<long long>(lowestRow_), static_cast<long long>(highest)));

    grid_.BeginUpdate();
    grid_.InsertRow(row);
    grid_.SetCell(global_.RecordCodeCol, row, global_.FileRecordCode);
    grid_.SetCell(global_.FileNameCol, row, fileName);
    grid_.SetCell(global_.PartIDCol, row, partId);
    for (int r = row; r < grid_.RowCount(); ++r)
        grid_.SetCell(0, r, std::to_string(r));
    grid_.EndUpdate();

    global_.ItemDataModified = true;
    if (updateCaption_)
        updateCaption_();
}

} // namespace lexicana
