// Tests of the output date and time: the time-zone field dropped from time
// formats, and SOURCE_DATE_EPOCH standing in for the clock.
#include "platform/localtime.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace lexicana {
namespace {

TEST(LocalTimeTest, TimeZoneFieldIsDroppedOutsideQuotes)
{
    EXPECT_EQ(TimeFormatWithoutZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(TimeFormatWithoutZone("t HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(TimeFormatWithoutZone("H時mm分ss秒 t"), "H時mm分ss秒");
    EXPECT_EQ(TimeFormatWithoutZone("HH 'at' mm t ss"), "HH 'at' mm ss");
}

TEST(LocalTimeTest, SourceDateEpochFixesDateAndTimeInUtc)
{
    // 2001-09-09 01:46:40 UTC
    qputenv("SOURCE_DATE_EPOCH", "1000000000");
    long long seconds = 0;
    ASSERT_TRUE(SourceDateEpoch(seconds));
    EXPECT_EQ(seconds, 1000000000);
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(1000000000, Qt::UTC);
    EXPECT_EQ(
        CurrentDateText(), QLocale::system().toString(instant.date(), QLocale::ShortFormat).toStdString());
    const std::string time = CurrentTimeText();
    EXPECT_NE(time.find("46"), std::string::npos);
    EXPECT_NE(time.find("40"), std::string::npos);
    EXPECT_EQ(time.find("UTC"), std::string::npos);
    EXPECT_EQ(CurrentTimeText(), time);

    qputenv("SOURCE_DATE_EPOCH", "soon");
    EXPECT_FALSE(SourceDateEpoch(seconds));
    qunsetenv("SOURCE_DATE_EPOCH");
    EXPECT_FALSE(SourceDateEpoch(seconds));
    EXPECT_FALSE(CurrentDateText().empty());
}

} // namespace
} // namespace lexicana
