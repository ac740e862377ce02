#include "app/numofitems.h"

#include "common/messages.h"
#include "common/translate.h"
#include "components/uitext.h"
#include "data/global.h"
#include "data/recordtable.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lexicana {

namespace {

const char* const kChangeCaption = lexicana::TrMark("表のレコード数を変更");
const char* const kNewCaption = lexicana::TrMark("新規作成");

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

TDlg_NumOfItems::TDlg_NumOfItems(QWidget* owner, std::function<void()> showPosition,
    std::function<void()> updateCaption, TRecordTable& grid, TGlobal& global)
    : QDialog(owner)
    , grid_(grid)
    , global_(global)
    , showPosition_(std::move(showPosition))
    , updateCaption_(std::move(updateCaption))
{
    setWindowTitle(lexicana::TrQ(global_.NewItemFileMode ? kNewCaption : kChangeCaption));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed border

    auto* label = new QLabel(lexicana::TrQ("レコード（データ）"), this);
    layout->addWidget(label);

    auto* row = new QHBoxLayout;
    Edit_Record = new QLineEdit(this);
    label->setBuddy(Edit_Record);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    SpeedButton_Up = new QToolButton(this);
    SpeedButton_Up->setText("▲");
    SpeedButton_Up->setAutoRaise(true);
    SpeedButton_Down = new QToolButton(this);
    SpeedButton_Down->setText("▼");
    SpeedButton_Down->setAutoRaise(true);
    arrows->addWidget(SpeedButton_Up);
    arrows->addWidget(SpeedButton_Down);
    row->addWidget(Edit_Record);
    row->addLayout(arrows);
    row->addWidget(new QLabel(lexicana::TrQ("行"), this));
    layout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    OKBtn = new QPushButton("OK", this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(lexicana::TrQ("キャンセル"), this);
    CancelBtn->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);

    Edit_Record->installEventFilter(this);
    connect(Edit_Record, &QLineEdit::textChanged, this, &TDlg_NumOfItems::Edit_RecordChange);
    connect(SpeedButton_Up, &QToolButton::clicked, this, &TDlg_NumOfItems::SpeedButton_UpClick);
    connect(SpeedButton_Down, &QToolButton::clicked, this, &TDlg_NumOfItems::SpeedButton_DownClick);
    connect(OKBtn, &QPushButton::clicked, this, &TDlg_NumOfItems::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TDlg_NumOfItems::CancelBtnClick);
}

TDlg_NumOfItems::~TDlg_NumOfItems() = default;

void TDlg_NumOfItems::FormShow()
{
    setWindowTitle(lexicana::TrQ(global_.NewItemFileMode ? kNewCaption : kChangeCaption));
    Edit_Record->setText(QString::number(std::max(0, grid_.RowCount() - 1)));
    Edit_Record->selectAll();
}

void TDlg_NumOfItems::showEvent(QShowEvent* event)
{
    FormShow();
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}

bool TDlg_NumOfItems::IsAcceptedText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("\\A-?[0-9]+(\\.[0-9]+)?\\z"));
    return text.isEmpty() || pattern.match(text).hasMatch();
}

std::optional<long long> TDlg_NumOfItems::ParseCount(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("\\A-?[0-9]+\\z"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    long long value = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool TDlg_NumOfItems::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit_Record && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Only typed characters are filtered: editing and shortcut keys
        // (arrows, Delete, Enter, Ctrl+V ...) carry no printable text.
        bool printable = !text.isEmpty() && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
        if (printable && !std::all_of(text.begin(), text.end(), IsAsciiDigit))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlg_NumOfItems::Edit_RecordChange(const QString& text)
{
    if (busy_)
        return;
    busy_ = true;
    if (IsAcceptedText(text)) {
        lastValidText_ = text;
    } else {
        // Put the last accepted text back; the caret keeps its distance from
        // the end of the text.
        int caret = Edit_Record->cursorPosition() + static_cast<int>(lastValidText_.size() - text.size());
        Edit_Record->setText(lastValidText_);
        Edit_Record->setCursorPosition(std::clamp(caret, 0, static_cast<int>(lastValidText_.size())));
    }
    busy_ = false;
}

void TDlg_NumOfItems::StepCount(int delta)
{
    std::optional<long long> value = ParseCount(Edit_Record->text());
    if (!value) {
        if (!Edit_Record->text().isEmpty()) {
            ShowError(FillArgs(
                lexicana::Tr("「%1」は正しい整数ではありません。"), { Edit_Record->text().toStdString() }));
            return;
        }
        value = 0; // an empty box counts from nothing
    }
    long long next
        = std::clamp(*value + delta, static_cast<long long>(kMinimum), static_cast<long long>(kMaximum));
    Edit_Record->setText(QString::number(next));
}

void TDlg_NumOfItems::SpeedButton_UpClick()
{
    StepCount(1);
}

void TDlg_NumOfItems::SpeedButton_DownClick()
{
    StepCount(-1);
}

void TDlg_NumOfItems::OKBtnClick()
{
    const QString text = Edit_Record->text();
    std::optional<long long> value = ParseCount(text);
    if (!value) {
        ShowError(FillArgs(lexicana::Tr("「%1」は正しい整数ではありません。"), { text.toStdString() }));
        Edit_Record->setFocus();
        return;
    }
    // The table always keeps its heading row and at least one record, and
    // never grows beyond what the buttons allow.
    if (*value < kMinimum || *value > kMaximum) {
        ShowError(FillArgs(lexicana::Tr("レコード数には%1から%2までの整数を指定してください。"),
            { std::to_string(kMinimum), std::to_string(kMaximum) }));
        Edit_Record->setFocus();
        return;
    }
    const int n = static_cast<int>(*value);

    grid_.BeginUpdate();
    const int oldRowCount = grid_.RowCount();
    grid_.SetRowCount(n + 1);
    if (global_.NewItemFileMode) {
        // Headings too: the conversion table is read again afterwards.
        for (int col = 1; col < grid_.ColCount(); ++col)
            grid_.SetCell(col, 0, std::string());
        grid_.ClearRecords();
        grid_.NumberRows();
        global_.ItemFileUntitled = true;
        global_.ItemFileName = kUntitledName;
    } else {
        for (int row = std::max(1, oldRowCount); row <= n; ++row)
            grid_.SetCell(0, row, std::to_string(row));
    }
    grid_.EndUpdate();

    global_.ItemDataModified = true;
    if (updateCaption_)
        updateCaption_();
    if (showPosition_)
        showPosition_();
    accept();
}

void TDlg_NumOfItems::CancelBtnClick()
{
    reject();
}

} // namespace lexicana
