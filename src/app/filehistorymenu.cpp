#include "app/filehistorymenu.h"

#include "data/filehistory.h"
#include "platform/qsjis.h"

#include <QAction>
#include <QMenu>

namespace lexicana {

TFileHistoryMenu::TFileHistoryMenu(TFileHistory& history, QMenu* menu, QAction* anchor)
    : QObject(menu)
    , history_(history)
    , menu_(menu)
    , anchor_(anchor)
{
    QPointer<TFileHistoryMenu> self(this);
    history_.SetChangedCallback([self] {
        if (self)
            self->Rebuild();
    });
    Rebuild();
}

TFileHistoryMenu::~TFileHistoryMenu() = default;

QString TFileHistoryMenu::ActionText(int index) const
{
    // The entries are kept in Shift_JIS whatever the document's code.
    QString path = QStringFromSjis(history_.Entry(index));
    path.replace("&", "&&");
    return "&" + QString::number(index + 1) + " " + path;
}

void TFileHistoryMenu::Rebuild()
{
    // The old actions may be the one whose click is being handled (opening
    // an entry adds it to the history), so they are deleted later.
    for (QAction* action : entries_) {
        if (menu_)
            menu_->removeAction(action);
        action->deleteLater();
    }
    entries_.clear();
    if (separator_) {
        if (menu_)
            menu_->removeAction(separator_);
        separator_->deleteLater();
        separator_ = nullptr;
    }
    if (!menu_ || history_.Count() == 0)
        return;

    // Insert in front of the action that follows the anchor.
    const QList<QAction*> actions = menu_->actions();
    qsizetype at = anchor_ ? actions.indexOf(anchor_) : -1;
    QAction* before = (at >= 0 && at + 1 < actions.size()) ? actions[at + 1] : nullptr;
    if (at < 0)
        before = actions.isEmpty() ? nullptr : actions.front();

    for (int i = 0; i < history_.Count(); ++i) {
        auto* action = new QAction(ActionText(i), menu_);
        connect(action, &QAction::triggered, this, [this, i] { history_.OpenEntry(i); });
        menu_->insertAction(before, action);
        entries_.append(action);
    }
    separator_ = new QAction(menu_);
    separator_->setSeparator(true);
    menu_->insertAction(before, separator_);
}

} // namespace lexicana
