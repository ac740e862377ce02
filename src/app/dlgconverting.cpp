#include "app/dlgconverting.h"

#include "common/messages.h"
#include "common/translate.h"
#include "components/uitext.h"
#include "data/global.h"
#include "platform/qdoctext.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <climits>

namespace lexicana {

namespace {

const char* const kStepNames[] = {
    lexicana::TrMark("HTMLファイル読み込み"),
    lexicana::TrMark("Lexicanaパートの作成"),
    lexicana::TrMark("一時ファイルに書き込み"),
    lexicana::TrMark("元のHTMLファイルに上書き"),
};

} // namespace

TDlg_Converting::TDlg_Converting(TGlobal& global, QWidget* parent)
    : QDialog(parent)
    , global_(global)
{
    setWindowTitle(lexicana::TrQ("変換処理中"));
    setModal(false);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // not resizable

    Label_Message = new QLabel(lexicana::TrQ("変換処理中です。しばらくお待ちください。"), this);
    layout->addWidget(Label_Message);

    RadioGroup_Process = new QGroupBox(lexicana::TrQ("変換処理ステップ"), this);
    auto* steps = new QVBoxLayout(RadioGroup_Process);
    processButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(lexicana::TrQ(kStepNames[i]), RadioGroup_Process);
        steps->addWidget(button);
        processButtons_->addButton(button, i);
    }
    // The run selects the step; the user only watches it.
    RadioGroup_Process->setEnabled(false);
    layout->addWidget(RadioGroup_Process);

    Label_FileName = new QLabel(lexicana::TrQ(FileLabelPrefix), this);
    Label_Part = new QLabel(lexicana::TrQ(PartLabelPrefix), this);
    layout->addWidget(Label_FileName);
    layout->addWidget(Label_Part);

    ProgressBar_Record = new QProgressBar(this);
    ProgressBar_Record->setTextVisible(false);
    ProgressBar_Record->setMinimumWidth(360);
    layout->addWidget(ProgressBar_Record);

    auto* bottom = new QHBoxLayout;
    Label_Record = new QLabel(lexicana::TrQ(RecordLabelPrefix), this);
    CancelBottun = new QPushButton(lexicana::TrQ("キャンセル"), this);
    // Enter must not cancel by accident; Esc does (reject()).
    CancelBottun->setAutoDefault(false);
    CancelBottun->setDefault(false);
    bottom->addWidget(Label_Record, 1);
    bottom->addWidget(CancelBottun);
    layout->addLayout(bottom);

    connect(CancelBottun, &QPushButton::clicked, this, &TDlg_Converting::CancelBottunClick);
}

TDlg_Converting::~TDlg_Converting() = default;

void TDlg_Converting::Open(int minRow, int maxRow)
{
    // The order matters to a bar that refuses a minimum above its maximum.
    ProgressBar_Record->setMaximum(INT_MAX);
    ProgressBar_Record->setMinimum(minRow);
    ProgressBar_Record->setValue(minRow);
    ProgressBar_Record->setMaximum(maxRow);

    closingQuietly_ = false;
    adjustSize();
    if (QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    eventTimer_.invalidate();
}

void TDlg_Converting::SelectStep(int step)
{
    if (QAbstractButton* button = processButtons_->button(step)) {
        button->setChecked(true);
        return;
    }
    // No step: an exclusive group keeps one button checked unless told otherwise.
    processButtons_->setExclusive(false);
    for (QAbstractButton* b : processButtons_->buttons())
        b->setChecked(false);
    processButtons_->setExclusive(true);
}

int TDlg_Converting::ProcessIndex() const
{
    return processButtons_->checkedId();
}

void TDlg_Converting::SetFileName(const std::string& fileName)
{
    Label_FileName->setText(lexicana::TrQ(FileLabelPrefix) + QStringFromDoc(fileName));
}

void TDlg_Converting::SetPartId(const std::string& partId)
{
    Label_Part->setText(lexicana::TrQ(PartLabelPrefix) + QStringFromDoc(partId));
}

void TDlg_Converting::SetRecord(int row, int lastRow)
{
    ProgressBar_Record->setValue(row);
    Label_Record->setText(
        lexicana::TrQ(RecordLabelPrefix) + QString::number(row) + " / " + QString::number(lastRow));
}

void TDlg_Converting::ProcessEvents()
{
    // An event pass per cell would cost more than the conversion itself.
    if (eventTimer_.isValid() && eventTimer_.elapsed() < kEventInterval)
        return;
    QCoreApplication::processEvents();
    eventTimer_.start();
}

void TDlg_Converting::Close()
{
    closingQuietly_ = true;
    close();
    closingQuietly_ = false;
}

void TDlg_Converting::CancelBottunClick()
{
    close();
}

bool TDlg_Converting::FormCloseQuery()
{
    if (!global_.Converting)
        return true;
    if (ShowMessageBox(lexicana::Tr("変換を中断しますか？"), lexicana::Tr("確認"), MbYesNo | MbIconQuestion)
        != IdYes)
        return false;
    global_.Converting = false;
    return true;
}

void TDlg_Converting::reject()
{
    close();
}

void TDlg_Converting::closeEvent(QCloseEvent* event)
{
    if (closingQuietly_ || FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace lexicana
