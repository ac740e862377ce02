#include "app/aboutbox.h"

#include "app/help.h"
#include "app/toolicons.h"
#include "common/version.h"
#include "components/htlabel.h"
#include "components/uitext.h"
#include "platform/qdoctext.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lexicana {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(lexicana::TrQ("バージョン情報"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed border
    PageControl = new QTabWidget(this);
    VersionPage = new QWidget(PageControl);
    PageControl->addTab(VersionPage, lexicana::TrQ("バージョン情報"));
    layout->addWidget(PageControl);

    auto* page = new QGridLayout(VersionPage);
    ProgramIcon = new QLabel(VersionPage);
    ProgramIcon->setFixedSize(48, 48);
    ProgramIcon->setScaledContents(true); // stretched
    ProgramIcon->setPixmap(lexicana::ProgramIcon().pixmap(32, 32));
    page->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);

    ProductName = new QLabel(QStringLiteral("Lexicana"), VersionPage);
    QFont large = ProductName->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    ProductName->setFont(large);
    page->addWidget(ProductName, 0, 1);
    Version = new QLabel(VersionCaption(), VersionPage);
    page->addWidget(Version, 1, 1);

    Copyright = new QLabel(QStringFromDoc(GetLegalNotice()), VersionPage);
    Copyright->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Copyright->setWordWrap(true);
    Copyright->setMinimumWidth(340);
    page->addWidget(Copyright, 2, 0, 1, 2);

    auto* links = new QGridLayout;
    links->addWidget(new QLabel(QStringLiteral("Support Page :"), VersionPage), 0, 0);
    SupportPage = new THTLabel(QString::fromLatin1(kSupportSiteAddress), VersionPage);
    links->addWidget(SupportPage, 0, 1);
    links->addWidget(new QLabel(QStringLiteral("E-Mail :"), VersionPage), 1, 0);
    SupportMail = new THTLabel(QString::fromLatin1(kSupportMailAddress), VersionPage);
    links->addWidget(SupportMail, 1, 1);
    links->setColumnStretch(2, 1);
    page->addLayout(links, 3, 0, 1, 2);
    page->setRowStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString TAboutBox::VersionCaption()
{
    return QStringLiteral("Version ") + QStringFromDoc(GetProductVersion());
}

void TAboutBox::showEvent(QShowEvent* event)
{
    PageControl->setCurrentWidget(VersionPage);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}

} // namespace lexicana
