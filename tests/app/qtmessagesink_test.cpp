// The Qt message sink: the box shows the request's caption, text, icon and
// Japanese buttons, belongs to the main window unless told otherwise, and
// returns the standard id of the button pressed.
#include "app/qtmessagesink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

struct SeenBox {
    QString title, text, buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
};

// Shows request and presses the button whose text starts with press.
int ShowAndPress(TQtMessageSink& sink, const MessageRequest& request, const QString& press, SeenBox& seen)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.parent = box->parentWidget();
        QStringList texts;
        for (QAbstractButton* button : box->buttons())
            texts << button->text();
        texts.sort();
        seen.buttons = texts.join("|");
        for (QAbstractButton* button : box->buttons())
            if (button->text().startsWith(press))
                button->click();
    });
    return sink.Show(request);
}

TEST(QtMessageSink, ShowsTheRequestAndReturnsThePressedButton)
{
    QWidget owner;
    TQtMessageSink sink;
    sink.SetOwner(&owner);
    SeenBox seen;
    MessageRequest question { "a への変更を保存しますか？", "Lexicana", MbYesNoCancel | MbIconWarning };
    EXPECT_EQ(ShowAndPress(sink, question, "いいえ", seen), IdNo);
    EXPECT_EQ(seen.title, "Lexicana");
    EXPECT_EQ(seen.text, "a への変更を保存しますか？");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, "いいえ(&N)|はい(&Y)|キャンセル");
    EXPECT_EQ(seen.parent, &owner);

    EXPECT_EQ(ShowAndPress(sink, question, "キャンセル", seen), IdCancel);
    MessageRequest confirm { "削除？", "確認", MbOkCancel | MbIconQuestion };
    EXPECT_EQ(ShowAndPress(sink, confirm, "OK", seen), IdOk);
    EXPECT_EQ(seen.icon, QMessageBox::Question);

    MessageRequest system { "No such file", "Error", MbOk | MbIconInformation, false };
    EXPECT_EQ(ShowAndPress(sink, system, "OK", seen), IdOk);
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
}

} // namespace
} // namespace lexicana::test
