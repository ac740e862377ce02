// The record preview in the main window: shown from the view menu and
// remembered, following the current record and its edits, the page's style
// sheet with the links marked, and a clicked link selecting its record.
#include "app/recordpreviewpane.h"
#include "components/recordtablemodel.h"
#include "mainformharness.h"

#include <QTextDocument>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

TEST(RecordPreviewPane, FollowsTheRecordAndItsEditsAndALinkSelectsItsRecord)
{
    {
        WindowTest w({ QStringLiteral(LEXICANA_SOURCE_DIR "/examples/glossary/glossary.lxs") });
        auto* pane = w.form->findChild<TRecordPreviewPane*>(QStringLiteral("RecordPreview"));
        ASSERT_NE(pane, nullptr);
        EXPECT_FALSE(pane->isVisible());
        w.action("Preview1")->trigger();
        EXPECT_TRUE(pane->isVisible());

        w.form->SelectCell(4, 2);
        pane->Flush();
        EXPECT_TRUE(pane->toPlainText().contains(QStringLiteral("ソートや探索のアルゴリズム")));
        // The page's own style sheet, then the mark of the links.
        const QString css = pane->document()->defaultStyleSheet();
        EXPECT_TRUE(css.contains(QStringLiteral("a.term-link")));
        EXPECT_TRUE(css.endsWith(TRecordPreviewPane::LinkMarkStyle()));

        // An edit of the description shows after the pause.
        w.grid()->Model().SetCellText(4, 2, QStringLiteral("新しい説明とスタック"));
        pane->Flush();
        EXPECT_TRUE(pane->toHtml().contains(QStringLiteral("kana-sa.html#stack")));

        emit pane->anchorClicked(QUrl(QStringLiteral("./kana-sa.html#stack")));
        EXPECT_EQ(w.grid()->CurrentRow(), 19);
        EXPECT_EQ(w.sink.count(), 0u);
    }
    // The next session shows the preview again.
    WindowTest again({}, false);
    EXPECT_TRUE(again.action("Preview1")->isChecked());
    EXPECT_TRUE(again.form->findChild<TRecordPreviewPane*>(QStringLiteral("RecordPreview"))->isVisible());
}

} // namespace
} // namespace lexicana::test
