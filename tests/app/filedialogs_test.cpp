// The file dialogs' filters in Qt's form and the refusal of names that have
// no Shift_JIS code.
#include "app/filedialogs.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

TEST(FileDialogs, FiltersKeepTheirDescriptionsAndSplitThePatterns)
{
    EXPECT_EQ(TQtFileDialogs::QtFilters(kOpenItemFilter),
        QStringList(
            { "テキストファイル(CSV形式)(*.csv; *.txt) (*.csv *.txt)", "全てのファイル(*.*) (*.*)" }));
    EXPECT_EQ(TQtFileDialogs::QtFilters(kSetFileFilter).first(), "Lexicanaセットファイル(*.lxs) (*.lxs)");
}

TEST(FileDialogs, ChosenNamesBecomeShiftJisPathsOrAreRefused)
{
    RecordingSink sink;
    std::string path;
    ASSERT_TRUE(TQtFileDialogs::AcceptChosenName("/tmp/用語集.lxs", path));
    EXPECT_EQ(path, "/tmp/" + SjisOf("用語集") + ".lxs");
    EXPECT_EQ(sink.count(), 0u);

    path = "kept";
    EXPECT_FALSE(TQtFileDialogs::AcceptChosenName(QString::fromUtf8("/tmp/\xED\x95\x9C.lxs"), path));
    EXPECT_EQ(path, "kept");
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "エラー");
}

} // namespace
} // namespace lexicana::test
