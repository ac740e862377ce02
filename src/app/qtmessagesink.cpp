#include "app/qtmessagesink.h"

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
    // Japanese captions of the buttons (Qt has no translation installed).
    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } captions[] = { { QMessageBox::Ok, "OK" }, { QMessageBox::Cancel, "キャンセル" },
        { QMessageBox::Yes, "はい(&Y)" }, { QMessageBox::No, "いいえ(&N)" },
        { QMessageBox::Retry, "再試行(&R)" } };
    for (const auto& caption : captions)
        if (QAbstractButton* button = box.button(caption.button))
            button->setText(QString::fromUtf8(caption.text));
    const int pressed = box.exec();
    return AnswerOf(pressed, request.buttons());
}

} // namespace lexicana
