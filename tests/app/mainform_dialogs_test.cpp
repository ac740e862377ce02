// The dialog commands of the main window open their dialogs, and the options
// dialog's return from mouse-pointer mode moves the current cell.
#include "app/applisetting.h"
#include "app/mainform.h"
#include "components/strsortgrid.h"
#include "mainformharness.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <gtest/gtest.h>

using namespace lexicana;
using namespace lexicana::test;

namespace {

// Triggers item and returns the title of the modal dialog it opened.
QString OpenedTitle(QAction* item)
{
    QString title;
    AnswerNextModal([&title](QWidget* dialog) {
        title = dialog->windowTitle();
        dialog->close();
    });
    item->trigger();
    return title;
}

} // namespace

TEST(MainFormDialogs, MenuItemsOpenTheirDialogs)
{
    WindowTest w;
    w.Records({ { "a" } });
    EXPECT_TRUE(OpenedTitle(w.form->N10).startsWith("変換セットの設定"));
    EXPECT_EQ(OpenedTitle(w.form->O1), "アプリケーションの設定");
    EXPECT_EQ(OpenedTitle(w.form->About1), "バージョン情報");

    TempDir dir;
    w.global().InfoOutputList = dir.file("outputs.txt");
    w.form->N7Click();
    ASSERT_TRUE(w.form->I1->isEnabled());
    EXPECT_EQ(OpenedTitle(w.form->I1), "外部出力ファイルリストの編集");
}

TEST(MainFormDialogs, OptionsBackToSelectedCellModeSelectsTheFirstCell)
{
    WindowTest w;
    w.Records({ { "a", "b" }, { "c", "d" } });
    w.global().PopupOperatePosition = true;
    w.form->SelectCell(2, 2);
    AnswerNextModal([](QWidget* dialog) {
        auto* options = static_cast<TDlg_AppliSetting*>(dialog);
        options->PopupOpPosItems->button(0)->click();
        options->OKBtnClick();
    });
    w.action("O1")->trigger();
    EXPECT_FALSE(w.global().PopupOperatePosition);
    EXPECT_EQ(w.grid()->CurrentCol(), 1);
    EXPECT_EQ(w.grid()->CurrentRow(), 1);
}

TEST(MainFormDialogs, FindCommandsOpenTheModelessDialogs)
{
    WindowTest w;
    w.Records({ { "a" } });
    for (QAction* item : { w.form->Menu_FindSingleCell, w.form->Menu_FindAllCell,
             w.form->Menu_ReplaceSingleCell, w.form->Menu_ReplaceAllCell, w.form->ToolButton_Find }) {
        ASSERT_TRUE(item->isEnabled()) << item->text().toStdString();
        item->trigger();
        QApplication::processEvents();
        bool shown = false;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && (top->windowTitle() == "検索" || top->windowTitle() == "置換")) {
                shown = true;
                top->close();
            }
        EXPECT_TRUE(shown) << item->text().toStdString();
    }
}
