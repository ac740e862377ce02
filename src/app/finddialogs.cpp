// The find and replace dialogs: controls, layout and the signals of their
// buttons.
#include "app/finddialogs.h"

#include "common/translate.h"
#include "components/uitext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lexicana {

namespace {

constexpr int kEditWidth = 220;
constexpr int kButtonWidth = 110;

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(lexicana::TrQ(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(kButtonWidth);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(kEditWidth);
    return edit;
}

} // namespace

// --- find dialog ---------------------------------------------------------------

TFindDialog::TFindDialog(QWidget* parent)
    : TFindDialog(false, parent)
{
}

TFindDialog::TFindDialog(bool replaceLayout, QWidget* parent)
    : QDialog(parent)
{
    Build(replaceLayout);
}

void TFindDialog::Build(bool replaceLayout)
{
    setObjectName(QStringLiteral("FindDialog_SingleCell"));
    setWindowTitle(lexicana::TrQ("検索"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(false);

    Label_Find = new QLabel(lexicana::TrQ("検索する文字列(&N):"), this);
    Edit_Find = MakeEdit("Edit_Find", this);
    Label_Find->setBuddy(Edit_Find);
    CheckBox_WholeWord = new QCheckBox(lexicana::TrQ("単語単位で探す(&W)"), this);
    CheckBox_WholeWord->setObjectName(QStringLiteral("CheckBox_WholeWord"));
    CheckBox_MatchCase = new QCheckBox(lexicana::TrQ("大文字と小文字を区別する(&C)"), this);
    CheckBox_MatchCase->setObjectName(QStringLiteral("CheckBox_MatchCase"));

    GroupBox_Direction = new QGroupBox(lexicana::TrQ("方向"), this);
    GroupBox_Direction->setObjectName(QStringLiteral("GroupBox_Direction"));
    RadioButton_Up = new QRadioButton(lexicana::TrQ("上へ(&U)"), GroupBox_Direction);
    RadioButton_Up->setObjectName(QStringLiteral("RadioButton_Up"));
    RadioButton_Down = new QRadioButton(lexicana::TrQ("下へ(&D)"), GroupBox_Direction);
    RadioButton_Down->setObjectName(QStringLiteral("RadioButton_Down"));
    RadioButton_Down->setChecked(true);
    auto* direction = new QHBoxLayout(GroupBox_Direction);
    direction->addWidget(RadioButton_Up);
    direction->addWidget(RadioButton_Down);

    Button_FindNext = MakeButton(lexicana::TrMark("次を検索(&F)"), "Button_FindNext", this);
    Button_FindNext->setDefault(true);
    Button_Cancel = MakeButton(lexicana::TrMark("キャンセル"), "Button_Cancel", this);

    fields_ = new QGridLayout;
    fields_->addWidget(Label_Find, 0, 0);
    fields_->addWidget(Edit_Find, 0, 1);
    auto* checks = new QVBoxLayout;
    checks->addWidget(CheckBox_WholeWord);
    checks->addWidget(CheckBox_MatchCase);
    checks->addStretch();
    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    options->addWidget(GroupBox_Direction, 0, Qt::AlignBottom);
    auto* left = new QVBoxLayout;
    left->addLayout(fields_);
    if (replaceLayout)
        left->addStretch();
    left->addLayout(options);

    buttons_ = new QVBoxLayout;
    buttons_->addWidget(Button_FindNext);
    buttons_->addWidget(Button_Cancel);
    buttons_->addStretch();

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addLayout(buttons_);

    connect(Edit_Find, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(Button_FindNext, &QPushButton::clicked, this, [this] {
        if (Button_FindNext->isEnabled())
            emit FindNextClicked(Request());
    });
    connect(Button_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(RadioButton_Up, &QRadioButton::toggled, this, [this](bool on) {
        if (!allCells_)
            upChosen_ = on;
    });
    UpdateButtons();
}

TFindRequest TFindDialog::Request() const
{
    TFindRequest request;
    request.FindText = Edit_Find->text();
    request.Options.MatchCase = CheckBox_MatchCase->isChecked();
    request.Options.WholeWord = CheckBox_WholeWord->isChecked();
    request.Options.Down = !RadioButton_Up->isChecked();
    return request;
}

void TFindDialog::SetFindText(const QString& text)
{
    Edit_Find->setText(text);
}

void TFindDialog::SetAllCellMode(bool allCells)
{
    if (allCells == allCells_)
        return;
    allCells_ = allCells;
    RadioButton_Up->setEnabled(!allCells);
    if (allCells)
        RadioButton_Down->setChecked(true);
    else if (upChosen_)
        RadioButton_Up->setChecked(true);
}

void TFindDialog::UpdateButtons()
{
    Button_FindNext->setEnabled(!Edit_Find->text().isEmpty());
}

// --- replace dialog ---------------------------------------------------------------

TReplaceDialog::TReplaceDialog(QWidget* parent)
    : TFindDialog(true, parent)
{
    setObjectName(QStringLiteral("ReplaceDialog_SingleCell"));
    setWindowTitle(lexicana::TrQ("置換"));

    Label_Replace = new QLabel(lexicana::TrQ("置換後の文字列(&P):"), this);
    Edit_Replace = MakeEdit("Edit_Replace", this);
    Label_Replace->setBuddy(Edit_Replace);
    fields_->addWidget(Label_Replace, 1, 0);
    fields_->addWidget(Edit_Replace, 1, 1);
    setTabOrder(Edit_Find, Edit_Replace);

    Button_Replace = MakeButton(lexicana::TrMark("置換して次に(&R)"), "Button_Replace", this);
    Button_ReplaceAll = MakeButton(lexicana::TrMark("すべて置換(&A)"), "Button_ReplaceAll", this);
    buttons_->insertWidget(1, Button_Replace);
    buttons_->insertWidget(2, Button_ReplaceAll);

    connect(Button_Replace, &QPushButton::clicked, this, [this] {
        if (Button_Replace->isEnabled())
            emit ReplaceClicked(Request());
    });
    connect(Button_ReplaceAll, &QPushButton::clicked, this, [this] {
        if (!Button_ReplaceAll->isEnabled())
            return;
        TFindRequest request = Request();
        request.Options.ReplaceAll = true;
        emit ReplaceClicked(request);
    });
    UpdateButtons();
}

TFindRequest TReplaceDialog::Request() const
{
    TFindRequest request = TFindDialog::Request();
    request.ReplaceText = Edit_Replace->text();
    return request;
}

void TReplaceDialog::SetReplaceText(const QString& text)
{
    Edit_Replace->setText(text);
}

void TReplaceDialog::UpdateButtons()
{
    TFindDialog::UpdateButtons();
    // Called from the base constructor before the replace buttons exist.
    const bool enabled = !Edit_Find->text().isEmpty();
    if (Button_Replace)
        Button_Replace->setEnabled(enabled);
    if (Button_ReplaceAll)
        Button_ReplaceAll->setEnabled(enabled);
}

} // namespace lexicana
