#include "app/aboutbox.h"
#include "app/help.h"
#include "common/version.h"
#include "components/htlabel.h"
#include "platform/qsjis.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace lexicana;

TEST(AboutBox, ShowsNameVersionNoticeAndClosesWithOk)
{
    TAboutBox box;
    box.PageControl->setCurrentIndex(-1);
    box.show();
    EXPECT_EQ(box.windowTitle(), "バージョン情報");
    EXPECT_EQ(box.PageControl->currentWidget(), box.VersionPage);
    EXPECT_EQ(box.PageControl->tabText(0), "バージョン情報");
    EXPECT_EQ(box.ProductName->text(), "Lexicana");
    EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
    EXPECT_EQ(box.Version->text(), "Version " + QStringFromSjis(GetProductVersion()));
    EXPECT_TRUE(box.Version->text().startsWith("Version 0."));
    EXPECT_EQ(box.Copyright->text(), QStringFromSjis(GetLegalNotice()));
    EXPECT_TRUE(box.Copyright->alignment() & Qt::AlignRight);
    EXPECT_TRUE(box.OKButton->isDefault());
    box.OKButton->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(AboutBox, SupportLinksOpenTheSiteAndTheMailHandler)
{
    std::vector<QString> opened;
    UrlOpener previous = SetUrlOpener([&opened](const QUrl& url) {
        opened.push_back(url.toString());
        return true;
    });
    TAboutBox box;
    box.show();
    QTest::mouseClick(box.SupportPage, Qt::LeftButton);
    QTest::mouseClick(box.SupportMail, Qt::LeftButton);
    SetUrlOpener(previous);
    EXPECT_EQ(
        opened, (std::vector<QString> { kSupportSiteAddress, QString("mailto:") + kSupportMailAddress }));
}
