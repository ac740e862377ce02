#include "app/help.h"
#include "app/mainform.h"
#include "components/htlabel.h"
#include "data/global.h"
#include "platform/uilanguage.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <utility>

using namespace lexicana;

TEST(Help, LocalManualBesideTheProgramOrTheSiteManual)
{
    TGlobal global(false);
    global.ProgramPath = "/opt/lexicana/bin/lexicana";
    EXPECT_EQ(HelpPageUrl(global).toString(), "file:///opt/lexicana/bin/manual/menu.html");
    global.UseLocalHelp = false;
    EXPECT_EQ(HelpPageUrl(global).toString(), "https://lexicana.example.org/manual/lexicana/menu.html");

    // An English interface opens the English manual.
    ASSERT_TRUE(InstallUiTranslation(UiLanguage::English));
    EXPECT_EQ(HelpPageUrl(global).toString(), "https://lexicana.example.org/manual/lexicana/menu-en.html");
    global.UseLocalHelp = true;
    EXPECT_EQ(HelpPageUrl(global).toString(), "file:///opt/lexicana/bin/manual/menu-en.html");
    RemoveUiTranslation();
    global.UseLocalHelp = false;

    QUrl opened;
    UrlOpener previous = SetUrlOpener([&opened](const QUrl& url) {
        opened = url;
        return false; // a failure is not reported
    });
    EXPECT_FALSE(OpenHelp(global));
    SetUrlOpener(previous);
    EXPECT_EQ(opened, HelpPageUrl(global));
}

namespace {

void CollectCaptions(const QList<QAction*>& actions, QStringList& captions)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || action->text().contains(QLatin1String(".lxs"))) // recent files
            continue;
        captions << action->text().remove(QLatin1Char('&'));
        if (action->menu())
            CollectCaptions(action->menu()->actions(), captions);
    }
}

} // namespace

// Each manual page names every command of the menus in its language.
TEST(Help, ManualBesideTheProgramDescribesEveryMenuCommand)
{
    for (const auto& [language, name] : { std::pair { UiLanguage::Japanese, "menu.html" },
             std::pair { UiLanguage::English, "menu-en.html" } }) {
        QFile page(QStringLiteral(LEXICANA_SOURCE_DIR "/manual/") + QLatin1String(name));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << name;
        const QString manual = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(manual.contains(QLatin1String("<meta charset=\"UTF-8\">")));
        for (const char* linked : { "tutorial.html", "formats.html", "style.css" })
            EXPECT_TRUE(QFile::exists(QStringLiteral(LEXICANA_SOURCE_DIR "/manual/") + linked)) << linked;

        ASSERT_TRUE(InstallUiTranslation(language));
        QStringList captions;
        {
            TMainForm window;
            CollectCaptions(window.menuBar()->actions(), captions);
            CollectCaptions(window.PopupMenu_Item->actions(), captions);
        }
        RemoveUiTranslation();
        EXPECT_GT(captions.size(), 45);
        for (const QString& caption : captions)
            EXPECT_TRUE(manual.contains(caption)) << name << ": " << caption.toStdString();
    }
}
