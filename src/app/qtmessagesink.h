// The message sink of the window program: every report and question of the
// core becomes a modal QMessageBox with the given text, caption, icon and
// buttons, owned by the main window (the system-error box by no window).
#pragma once

#include "common/messages.h"

#include <QPointer>
#include <QWidget>

namespace lexicana {

class TQtMessageSink final : public IMessageSink {
public:
    TQtMessageSink() = default;

    // The window that owns the boxes (the main window); null for none.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    int Show(const MessageRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace lexicana
