// The main window's file commands: the save question before data are
// replaced or the window closes, set files and item data files opened and
// saved through the dialogs, start-up, recent files and dropped files.
#include "app/filehistorymenu.h"
#include "data/filehistory.h"
#include "mainformharness.h"

#include <QAction>
#include <QFileInfo>
#include <QLockFile>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

bool SettingsWritten()
{
    return !QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Lexicana")
                .allKeys()
                .isEmpty();
}

TEST(MainFormFiles, ClosingAsksToSaveAndWritesSettingsOnlyWhenItGoesAhead)
{
    WindowTest w;
    w.Records({ { "a" } });
    w.global().ItemDataModified = true;

    w.sink.Answer(IdCancel);
    EXPECT_FALSE(w.form->close());
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "無題 への変更を保存しますか？");
    EXPECT_EQ(w.sink.last().caption, "Lexicana");
    EXPECT_EQ(w.sink.last().flags, MbYesNoCancel | MbIconWarning);
    EXPECT_FALSE(SettingsWritten());

    // Yes, then the save dialog cancelled: still open.
    w.sink.Answer(IdYes);
    w.dialogs.Cancel();
    EXPECT_FALSE(w.form->close());
    EXPECT_EQ(w.dialogs.asked, std::vector<std::string> { "save item" });
    EXPECT_FALSE(SettingsWritten());

    // Yes and a name: saved, closed, settings written.
    const TempDir dir;
    w.sink.Answer(IdYes).Answer(IdNo); // then "update the set file?" No
    w.dialogs.Choose(dir.file("saved.csv"));
    EXPECT_TRUE(w.form->close());
    EXPECT_NE(TempDir::read(dir.file("saved.csv")).find("\"a\""), std::string::npos);
    EXPECT_TRUE(SettingsWritten());
}

TEST(MainFormFiles, OpeningASetAsksFirstThenShowsItAndRemembersIt)
{
    WindowSet set({ { "k", "\\@", "a.html", "A", "" }, { "k", "", "", "", "word" } });
    WindowTest w;
    w.global().ItemDataModified = true;
    w.sink.Answer(IdCancel);
    w.action("Open2")->trigger();
    EXPECT_TRUE(w.dialogs.asked.empty());

    w.sink.Answer(IdNo);
    w.dialogs.Choose(set.set);
    w.action("Open2")->trigger();
    EXPECT_EQ(w.caption(), "set.lxs - Lexicana");
    EXPECT_EQ(w.cell(5, 2), "word");
    EXPECT_EQ(w.cell(5, 0), "word"); // heading from the conversion table
    EXPECT_EQ(w.form->StatusText(1), "ファイルレコード");
    EXPECT_EQ(w.form->StatusText(3), "Shift_JIS"); // the document's code
    ASSERT_EQ(w.form->HistoryMenu().EntryActions().size(), 1);
    EXPECT_EQ(w.form->HistoryMenu().EntryActions()[0]->text(), "&1 " + QString::fromStdString(set.set));
    w.form->N7Click();
    EXPECT_TRUE(w.form->S2->isEnabled());

    // A set another program is converting opens with a warning, and its
    // conversion is refused while that lasts.
    QLockFile other(QString::fromStdString(set.dir.file(".set.lxs.lexicana-lock")));
    other.setStaleLockTime(0);
    ASSERT_TRUE(other.tryLock(0));
    w.sink.clear();
    w.dialogs.Choose(set.set);
    w.action("Open2")->trigger();
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_NE(w.sink.last().text.find("別のプログラムが変換中です"), std::string::npos);
    w.action("S2")->trigger();
    EXPECT_NE(w.sink.last().text.find("は別のプログラムが変換中です"), std::string::npos);
    EXPECT_EQ(w.form->ConvertingDialog(), nullptr);
}

TEST(MainFormFiles, StartUpReadsTheRememberedSetFirstAndTheArgumentLast)
{
    WindowSet first({ { "first" } }, "first");
    WindowSet second({ { "second" } }, "second");
    {
        WindowTest w;
        w.dialogs.Choose(first.set);
        w.action("Open2")->trigger();
        w.global().StartupRead = true;
        ASSERT_TRUE(w.form->close());
    }
    WindowTest w({ QString::fromStdString(second.set) }, false);
    EXPECT_EQ(w.caption(), "second.lxs - Lexicana");
    EXPECT_EQ(w.cell(1, 1), "second");
    EXPECT_EQ(w.form->History().Entries(), (std::vector<std::string> { second.set, first.set }));
}

TEST(MainFormFiles, OpeningItemDataAsksWhetherTheSetFileIsUpdated)
{
    WindowSet set({ { "x" }, { "y" } });
    WindowTest w;
    w.dialogs.Choose(set.items, 1);
    w.sink.Answer(IdNo);
    w.action("Open1")->trigger();
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_EQ(w.sink.last().text, "項目データファイルが変更されました。\nセットファイルを更新しますか？");
    EXPECT_EQ(w.sink.last().caption, "項目データファイル変更");
    EXPECT_EQ(w.global().ItemFileName, set.items);
    EXPECT_EQ(w.cell(1, 2), "y");
    EXPECT_EQ(w.form->Memo_Main->toPlainText(), "x");

    // A file that cannot be read keeps the name and records; no question.
    w.sink.clear();
    w.dialogs.Choose(set.dir.file("missing.csv"), 1);
    w.action("Open1")->trigger();
    EXPECT_EQ(w.global().ItemFileName, set.items);
    EXPECT_EQ(w.cell(1, 2), "y");
    for (const auto& text : w.texts())
        EXPECT_EQ(text.find("セットファイルを更新しますか"), std::string::npos);
}

TEST(MainFormFiles, NewSetFileForgetsTheNamesButKeepsTheRecords)
{
    WindowSet set({ { "x" } });
    WindowTest w;
    w.dialogs.Choose(set.set);
    w.action("Open2")->trigger();
    w.action("New1")->trigger();
    EXPECT_EQ(w.caption(), "無題 - Lexicana");
    EXPECT_TRUE(w.global().TableFileName.empty());
    EXPECT_TRUE(w.global().HTMLDir.empty());
    EXPECT_EQ(w.cell(1, 1), "x");
    EXPECT_EQ(w.form->History().Count(), 1);

    // Saving now asks for names instead of writing files called "無題".
    w.dialogs.asked.clear();
    w.dialogs.Cancel();
    w.action("Save1")->trigger();
    w.dialogs.Cancel();
    w.action("S1")->trigger();
    EXPECT_EQ(w.dialogs.asked, (std::vector<std::string> { "save set", "save item" }));
}

TEST(MainFormFiles, RecentFilesMoveToTheFrontAndOpenAfterTheQuestion)
{
    WindowSet a({ { "a" } }, "a");
    WindowSet b({ { "b" } }, "b");
    WindowTest w;
    for (const auto* set : { &a, &b, &a }) {
        w.dialogs.Choose(set->set);
        w.action("Open2")->trigger();
    }
    EXPECT_EQ(w.form->History().Entries(), (std::vector<std::string> { a.set, b.set }));

    w.global().ItemDataModified = true;
    w.sink.Answer(IdCancel);
    w.form->HistoryMenu().EntryActions()[1]->trigger();
    EXPECT_EQ(w.cell(1, 1), "a");

    w.sink.Answer(IdNo);
    w.form->HistoryMenu().EntryActions()[1]->trigger();
    EXPECT_EQ(w.cell(1, 1), "b");
    EXPECT_EQ(w.caption(), "b.lxs - Lexicana");
}

TEST(MainFormFiles, DroppedFilesOpenTheFirstAsASetFile)
{
    WindowSet a({ { "a" } }, "a");
    WindowSet b({ { "b" } }, "b");
    WindowTest w;
    w.form->DropFiles({ QString::fromStdString(a.set), QString::fromStdString(b.set) });
    EXPECT_EQ(w.caption(), "a.lxs - Lexicana");
    EXPECT_EQ(w.form->History().Count(), 1);

    // A name that Shift_JIS cannot hold is refused with a message.
    w.form->DropFiles({ QString::fromUtf8("/tmp/\xED\x95\x9C.lxs") });
    ASSERT_EQ(w.sink.count(), 1u);
    EXPECT_NE(w.sink.last().text.find("Shift_JIS"), std::string::npos);
    EXPECT_EQ(w.caption(), "a.lxs - Lexicana");
}

} // namespace
} // namespace lexicana::test
