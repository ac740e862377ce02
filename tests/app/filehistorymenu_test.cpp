#include "app/filehistorymenu.h"
#include "data/filehistory.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <gtest/gtest.h>

using namespace lexicana;

namespace {

QStringList Texts(const QMenu& menu)
{
    QStringList texts;
    for (QAction* a : menu.actions())
        texts << (a->isSeparator() ? "-" : a->text());
    return texts;
}

} // namespace

TEST(FileHistoryMenu, EntriesFollowTheAnchorAndOpenThroughTheHistory)
{
    QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively();
    lexicana::test::RecordingSink sink;
    QMenu menu;
    menu.addAction("open");
    QAction* anchor = menu.addSeparator();
    menu.addAction("exit");

    std::vector<std::string> opened;
    TFileHistory* self = nullptr;
    TFileHistory history(
        9,
        [&](const std::string& path) {
            opened.push_back(path);
            self->Add(path); // rebuilds the menu while its action is being handled
        },
        nullptr);
    self = &history;
    auto* helper = new TFileHistoryMenu(history, &menu, anchor);
    EXPECT_EQ(Texts(menu), (QStringList { "open", "-", "exit" })); // no entries, no separator

    history.Add("/a.lxs");
    history.Add(SjisOf("/R&D/用語.lxs"));
    EXPECT_EQ(Texts(menu), (QStringList { "open", "-", "&1 /R&&D/用語.lxs", "&2 /a.lxs", "-", "exit" }));

    helper->EntryActions()[1]->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(opened, (std::vector<std::string> { "/a.lxs" }));
    EXPECT_EQ(Texts(menu), (QStringList { "open", "-", "&1 /a.lxs", "&2 /R&&D/用語.lxs", "-", "exit" }));
    QDir(lexicana::test::SettingsFolder() + "/Orvane").removeRecursively();
}
