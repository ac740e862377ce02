#include "app/termcheckdialog.h"

#include "common/translate.h"
#include "components/uitext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexicana {

TTermCheckDialog::TTermCheckDialog(QWidget* parent, std::function<void(int row)> chooseRow)
    : QDialog(parent)
    , list_(new QListWidget(this))
    , count_(new QLabel(this))
    , chooseRow_(std::move(chooseRow))
{
    setObjectName(QStringLiteral("TermCheckDialog"));
    setWindowTitle(lexicana::TrQ("用語の検査"));
    setModal(false);
    list_->setObjectName(QStringLiteral("TermCheckList"));
    list_->setUniformItemSizes(true); // a large glossary may have many findings
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(720, 360);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item != nullptr && chooseRow_)
            chooseRow_(item->data(Qt::UserRole).toInt());
    });
}

void TTermCheckDialog::SetFindings(const std::vector<TermFinding>& findings)
{
    list_->clear();
    for (const TermFinding& finding : findings) {
        auto* item = new QListWidgetItem(QString::fromStdString(finding.text), list_);
        item->setData(Qt::UserRole, finding.row);
    }
    count_->setText(findings.empty()
            ? lexicana::TrQ("問題は見つかりませんでした。")
            : QString::fromStdString(
                FillArgs(lexicana::Tr("見つかった問題: %1 件（ダブルクリックでそのレコードを選択します）"),
                    { std::to_string(findings.size()) })));
    if (!findings.empty())
        list_->setCurrentRow(0);
}

} // namespace lexicana
