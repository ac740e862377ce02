#include "app/filehistorymenu.h"
#include "data/filehistory.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;

namespace {

class FileHistoryMenu : public ::testing::Test {
protected:
    void SetUp() override { QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively(); }
    void TearDown() override { SetUp(); }
};

QStringList Texts(const QMenu& menu)
{
    QStringList texts;
    for (QAction* a : menu.actions())
        texts << (a->isSeparator() ? "-" : a->text());
    return texts;
}

} // namespace

TEST_F(FileHistoryMenu, EntriesFollowTheAnchorAndOpenThroughTheHistory)
{
    RecordingSink sink;
    QMenu menu;
    menu.addAction("open");
    QAction* anchor = menu.addSeparator();
    menu.addAction("exit");

    std::vector<std::string> opened;
    bool allow = true;
    TFileHistory* self = nullptr;
    TFileHistory history(
        9,
        [&](const std::string& path) {
            opened.push_back(path);
            self->Add(path);
        },
        [&] { return allow; });
    self = &history;
    auto* helper = new TFileHistoryMenu(history, &menu, anchor);

    // Empty history: no entries and no separator of their own.
    EXPECT_EQ(Texts(menu), (QStringList { "open", "-", "exit" }));

    history.Add("/a.lxs");
    history.Add(SjisOf("/R&D/用語.lxs"));
    EXPECT_EQ(Texts(menu), (QStringList { "open", "-", "&1 /R&&D/用語.lxs", "&2 /a.lxs", "-", "exit" }));

    // Choosing entry 2 opens /a.lxs, which moves it to the front.
    helper->EntryActions()[1]->trigger();
    EXPECT_EQ(opened, (std::vector<std::string> { "/a.lxs" }));
    EXPECT_EQ(Texts(menu), (QStringList { "open", "-", "&1 /a.lxs", "&2 /R&&D/用語.lxs", "-", "exit" }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    allow = false;
    helper->EntryActions()[1]->trigger();
    EXPECT_EQ(opened.size(), 1u);
}
