#include "data/filehistory.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

class FileHistory : public ::testing::Test {
protected:
    void SetUp() override { QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively(); }
    void TearDown() override { SetUp(); }

    static QSettings Store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Lexicana");
    }
    static void StoreEntries(int count, int written)
    {
        QSettings s = Store();
        s.setValue("History/Data", count);
        for (int i = 0; i < written; ++i)
            s.setValue("History/" + QString::number(i), QString("/set/%1.lxs").arg(i));
    }
};

} // namespace

TEST_F(FileHistory, MostRecentFirstWithoutCaseDuplicatesAndAtMostTheMaximum)
{
    RecordingSink sink;
    TFileHistory h(9, nullptr, nullptr);
    int changes = 0;
    h.SetChangedCallback([&] { ++changes; });
    EXPECT_EQ(h.Count(), 0);

    h.Add("/d/one.lxs");
    h.Add("/d/two.lxs");
    h.Add("/d/three.lxs");
    EXPECT_EQ(h.Entries(), (std::vector<std::string> { "/d/three.lxs", "/d/two.lxs", "/d/one.lxs" }));
    h.Add("/d/two.lxs");
    EXPECT_EQ(h.Entries(), (std::vector<std::string> { "/d/two.lxs", "/d/three.lxs", "/d/one.lxs" }));
    EXPECT_EQ(h.MenuCaption(0), "&1 /d/two.lxs");
    EXPECT_EQ(h.MenuCaption(2), "&3 /d/one.lxs");

    // A path differing only in letter case replaces the old entry.
    h.Add("/D/ONE.LXS");
    EXPECT_EQ(h.Entries(), (std::vector<std::string> { "/D/ONE.LXS", "/d/two.lxs", "/d/three.lxs" }));

    // An empty path changes nothing but still asks for a rebuild.
    int before = changes;
    h.Add("");
    EXPECT_EQ(h.Count(), 3);
    EXPECT_EQ(changes, before + 1);

    for (int i = 0; i < 10; ++i)
        h.Add("/e/" + std::to_string(i));
    EXPECT_EQ(h.Count(), 9);
    EXPECT_EQ(h.Entry(0), "/e/9");
    EXPECT_EQ(h.Entry(8), "/e/1");
    EXPECT_EQ(h.Entry(9), "");
    EXPECT_EQ(h.MenuCaption(8), "&9 /e/1");
}

TEST_F(FileHistory, CaseFoldingNeverTouchesDoubleByteCharacters)
{
    // "ア" is 83 41 and "ャ" is 83 83; 83 61 is another character again:
    // their trail bytes look like "A" and "a" but they are different paths.
    EXPECT_FALSE(TFileHistory::SamePath("\x83\x41.lxs", "\x83\x61.lxs"));
    EXPECT_TRUE(TFileHistory::SamePath(SjisOf("/データ/Set.LXS"), SjisOf("/データ/set.lxs")));
    EXPECT_FALSE(TFileHistory::SamePath("/a.lxs", "/a.lx"));
}

TEST_F(FileHistory, SavedWhenDestroyedAndReadWhenCreated)
{
    RecordingSink sink;
    {
        TFileHistory h(9, nullptr, nullptr);
        h.Add("/d/one.lxs");
        h.Add(SjisOf("/d/用語集.lxs"));
    }
    EXPECT_EQ(sink.count(), 0u);
    {
        QSettings s = Store();
        EXPECT_EQ(s.value("History/Data").toInt(), 2);
        EXPECT_EQ(s.value("History/0").toString(), QString("/d/用語集.lxs"));
        EXPECT_EQ(s.value("History/1").toString(), QString("/d/one.lxs"));
    }
    TFileHistory again(9, nullptr, nullptr);
    EXPECT_EQ(again.Entries(), (std::vector<std::string> { SjisOf("/d/用語集.lxs"), "/d/one.lxs" }));
}

TEST_F(FileHistory, ExplicitSaveIsNotRepeatedWhenNothingChanged)
{
    RecordingSink sink;
    {
        TFileHistory h(9, nullptr, nullptr);
        h.Add("/d/one.lxs");
        EXPECT_TRUE(h.Save());
        Store().setValue("History/Data", 0); // changed behind the object's back
    }
    EXPECT_EQ(Store().value("History/Data").toInt(), 0);
    {
        TFileHistory h(9, nullptr, nullptr);
        EXPECT_TRUE(h.Save());
        h.Add("/d/two.lxs");
    }
    EXPECT_EQ(Store().value("History/Data").toInt(), 1);
}

TEST_F(FileHistory, StoreContentsBeyondTheMaximumOrMissingAreTolerated)
{
    RecordingSink sink;
    StoreEntries(12, 12);
    {
        TFileHistory h(9, nullptr, nullptr);
        EXPECT_EQ(h.Count(), 9);
        EXPECT_EQ(h.Entry(8), "/set/8.lxs");
    }
    EXPECT_EQ(Store().value("History/Data").toInt(), 9);

    // A count naming values that are not there gives empty entries; a
    // damaged count is read only as far as the maximum.
    QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively();
    StoreEntries(2000000000, 1);
    TFileHistory h(9, nullptr, nullptr);
    EXPECT_EQ(h.Count(), 9);
    EXPECT_EQ(h.Entry(0), "/set/0.lxs");
    EXPECT_EQ(h.Entry(1), "");

    QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively();
    Store().setValue("History/Data", "many");
    TFileHistory bad(9, nullptr, nullptr);
    EXPECT_EQ(bad.Count(), 0);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(FileHistory, OpeningAnEntryAsksFirstAndSurvivesTheListChanging)
{
    RecordingSink sink;
    bool allow = false;
    std::vector<std::string> opened;
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
    EXPECT_TRUE(opened.empty());

    allow = true;
    EXPECT_TRUE(h.OpenEntry(1));
    EXPECT_EQ(opened, (std::vector<std::string> { "/a.lxs" }));
    EXPECT_EQ(h.Entry(0), "/a.lxs");
    EXPECT_FALSE(h.OpenEntry(5));
}

TEST_F(FileHistory, SaveFailureIsShownWithoutOwner)
{
    RecordingSink sink;
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
