// Shows the entries of a TFileHistory in a menu: numbered actions after an
// anchor action (the separator above them) and a separator of its own after
// them while entries exist. Rebuilt whenever the history changes; choosing
// an action opens its entry through the history.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QMenu;

namespace lexicana {

class TFileHistory;

class TFileHistoryMenu : public QObject {
    Q_OBJECT
public:
    // Registers itself as the history's changed callback and builds the
    // entries. A child of menu; the history may be destroyed before or
    // after it (the callback is guarded).
    TFileHistoryMenu(TFileHistory& history, QMenu* menu, QAction* anchor);
    ~TFileHistoryMenu() override;

    // Removes the shown entries and their separator and adds the current ones.
    void Rebuild();

    // The entry actions in list order, and the trailing separator (nullptr
    // while no entry is shown).
    const QList<QAction*>& EntryActions() const { return entries_; }
    QAction* TrailingSeparator() const { return separator_; }

    // The action text of entry index: "&" + number + " " + the decoded path,
    // with a "&" of the path doubled so that it shows as itself.
    QString ActionText(int index) const;

private:
    TFileHistory& history_;
    QPointer<QMenu> menu_;
    QPointer<QAction> anchor_;
    QList<QAction*> entries_;
    QAction* separator_ = nullptr;
};

} // namespace lexicana
