#include "common/textcode.h"
#include "data/filehistory.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;
using Paths = std::vector<std::string>;

namespace {

class FileHistory : public ::testing::Test {
protected:
    void SetUp() override { QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively(); }
    void TearDown() override { SetUp(); }
    static QSettings Store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Lexicana");
    }
    RecordingSink sink;
};

} // namespace

TEST_F(FileHistory, MostRecentFirstWithoutCaseDuplicatesAndAtMostTheMaximum)
{
    TFileHistory h(9, nullptr, nullptr);
    int changes = 0;
    h.SetChangedCallback([&] { ++changes; });
    for (const char* path : { "/d/one.lxs", "/d/two.lxs", "/d/three.lxs", "/d/two.lxs", "/D/ONE.LXS" })
        h.Add(path);
    EXPECT_EQ(h.Entries(), (Paths { "/D/ONE.LXS", "/d/two.lxs", "/d/three.lxs" }));
    EXPECT_EQ(h.MenuCaption(2), "&3 /d/three.lxs");
    h.Add(""); // changes nothing, still asks for a rebuild
    EXPECT_EQ(h.Count(), 3);
    EXPECT_EQ(changes, 6);

    // Trail bytes that look like "A" and "a" belong to different characters,
    // whatever the document's code: the entries are Shift_JIS.
    SetDocumentTextCode(TextCode::Utf8);
    h.Add("\x83\x41.lxs");
    h.Add("\x83\x61.lxs");
    SetDocumentTextCode(TextCode::ShiftJis);
    EXPECT_EQ(h.Count(), 5);

    for (int i = 0; i < 10; ++i)
        h.Add("/e/" + std::to_string(i));
    EXPECT_EQ(h.Count(), 9);
    EXPECT_EQ(h.Entry(8), "/e/1");
    EXPECT_EQ(h.MenuCaption(8), "&9 /e/1");
}

TEST_F(FileHistory, SavedWhenDestroyedUnlessAlreadySavedAndReadWhenCreated)
{
    {
        TFileHistory h(9, nullptr, nullptr);
        h.Add("/d/one.lxs");
        h.Add(SjisOf("/d/用語集.lxs"));
    }
    EXPECT_EQ(Store().value("History/Data").toInt(), 2);
    EXPECT_EQ(Store().value("History/0").toString(), QString("/d/用語集.lxs"));
    {
        TFileHistory h(9, nullptr, nullptr);
        EXPECT_EQ(h.Entries(), (Paths { SjisOf("/d/用語集.lxs"), "/d/one.lxs" }));
        EXPECT_TRUE(h.Save());
        Store().setValue("History/Data", 0); // an unchanged list is not written twice
    }
    EXPECT_EQ(Store().value("History/Data").toInt(), 0);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(FileHistory, StoreContentsBeyondTheMaximumMissingOrDamagedAreTolerated)
{
    Store().setValue("History/Data", 2000000000); // read only as far as the maximum
    for (int i = 0; i < 12; i += 2)
        Store().setValue("History/" + QString::number(i), QString("/s/%1").arg(i));
    {
        TFileHistory h(9, nullptr, nullptr);
        EXPECT_EQ(h.Count(), 9);
        EXPECT_EQ(h.Entry(1), ""); // a missing value
        EXPECT_EQ(h.Entry(8), "/s/8");
    }
    EXPECT_EQ(Store().value("History/Data").toInt(), 9);

    Store().setValue("History/Data", "many");
    TFileHistory bad(9, nullptr, nullptr);
    EXPECT_EQ(bad.Count(), 0);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(FileHistory, OpeningAnEntryAsksFirstAndSurvivesTheListChanging)
{
    bool allow = false;
    Paths opened;
    TFileHistory* self = nullptr;
    TFileHistory h(
        9,
        [&](const std::string& path) {
            opened.push_back(path);
            self->Add(path); // as ReadLxsFile does
        },
        [&] { return allow; });
    self = &h;
    h.Add("/a.lxs");
    h.Add("/b.lxs");
    EXPECT_FALSE(h.OpenEntry(1));
    allow = true;
    EXPECT_TRUE(h.OpenEntry(1));
    EXPECT_FALSE(h.OpenEntry(5));
    EXPECT_EQ(opened, (Paths { "/a.lxs" }));
    EXPECT_EQ(h.Entry(0), "/a.lxs");
}

TEST_F(FileHistory, SaveFailureIsShownWithoutOwner)
{
    {
        TFileHistory h(9, nullptr, nullptr);
        h.Add("/a.lxs");
        // The store's file becomes a folder: it can no longer be written.
        ASSERT_TRUE(QDir().mkpath(lexicana::test::SettingsFolder() + "/Orvane/Lexicana.conf"));
    }
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text, "履歴を保存できません");
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_EQ(sink.last().flags, MbOk | MbIconStop);
    EXPECT_FALSE(sink.last().ownedByMainWindow);
}
