#include "components/htlabel.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace lexicana;

namespace {

// Records the addresses handed to the desktop instead of opening them.
struct RecordedOpener {
    std::vector<QString> opened;
    UrlOpener previous;
    RecordedOpener()
    {
        previous = SetUrlOpener([this](const QUrl& url) {
            opened.push_back(url.toString());
            return true;
        });
    }
    ~RecordedOpener() { SetUrlOpener(previous); }
};

} // namespace

TEST(HTLabel, LooksLikeALink)
{
    THTLabel label(QStringLiteral("http://example.org/"));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_TRUE(label.font().underline());
}

TEST(HTLabel, ClickOpensWebAddressesAndTakesAnythingElseForMail)
{
    RecordedOpener opener;
    THTLabel label(QStringLiteral("http://example.org/a b"));
    label.resize(200, 20);
    QSignalSpy clicks(&label, &THTLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    QTest::mouseClick(&label, Qt::RightButton); // not a click
    EXPECT_EQ(clicks.count(), 1);

    const std::vector<QString> texts
        = { "https://example.org/", "support@example.org", "HTTP://EXAMPLE.ORG/", "mailto:a@b.jp", "" };
    for (const QString& text : texts) {
        label.setText(text);
        label.Click();
    }
    EXPECT_EQ(clicks.count(), 6);
    EXPECT_EQ(opener.opened,
        (std::vector<QString> { "http://example.org/a b", "https://example.org/",
            "mailto:support@example.org", "mailto:HTTP://EXAMPLE.ORG/", "mailto:a@b.jp" }));
}

TEST(HTLabel, FailedOpenIsSilent)
{
    UrlOpener previous = SetUrlOpener([](const QUrl&) { return false; });
    EXPECT_FALSE(THTLabel::OpenAddress(QStringLiteral("http://example.org/")));
    EXPECT_FALSE(THTLabel::OpenAddress(QString()));
    SetUrlOpener(previous);
}
