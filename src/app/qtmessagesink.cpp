#include "app/qtmessagesink.h"

#include "common/translate.h"
#include "components/uitext.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QString>

namespace lexicana {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The button id of a pressed standard button; closing a box with its close
// box or Esc counts as its cancelling button.
int AnswerOf(int pressed, MessageButtons buttons)
{
    switch (pressed) {
    case QMessageBox::Ok:
        return IdOk;
    case QMessageBox::Cancel:
        return IdCancel;
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    case QMessageBox::Retry:
        return IdRetry;
    default:
        break;
    }
    switch (buttons) {
    case MessageButtons::YesNo:
        return IdNo;
    case MessageButtons::Ok:
        return IdOk;
    default:
        return IdCancel;
    }
}

} // namespace

int TQtMessageSink::Show(const MessageRequest& request)
{
    QWidget* owner = request.ownedByMainWindow ? owner_.data() : nullptr;
    QMessageBox box(BoxIcon(request.icon()), QString::fromStdString(request.caption),
        QString::fromStdString(request.text), BoxButtons(request.buttons()), owner);
    // The first button is the default, as with the system's message boxes.
    switch (request.buttons()) {
    case MessageButtons::OkCancel:
    case MessageButtons::Ok:
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageButtons::RetryCancel:
        box.setDefaultButton(QMessageBox::Retry);
        break;
    }
    // The buttons' captions in the interface language, with their keys.
    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } captions[] = { { QMessageBox::Ok, "OK" }, { QMessageBox::Cancel, lexicana::TrMark("キャンセル") },
        { QMessageBox::Yes, lexicana::TrMark("はい(&Y)") },
        { QMessageBox::No, lexicana::TrMark("いいえ(&N)") },
        { QMessageBox::Retry, lexicana::TrMark("再試行(&R)") } };
    for (const auto& caption : captions)
        if (QAbstractButton* button = box.button(caption.button))
            button->setText(lexicana::TrQ(caption.text));
    const int pressed = box.exec();
    return AnswerOf(pressed, request.buttons());
}

} // namespace lexicana
