// The window of the term check: its findings in a list, one a line; a
// double-click (or Enter) on a finding asks for its record to be selected.
#pragma once

#include "html/termcheck.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QListWidget;

namespace lexicana {

class TTermCheckDialog : public QDialog {
public:
    // chooseRow is called with the grid row of a chosen finding's record.
    TTermCheckDialog(QWidget* parent, std::function<void(int row)> chooseRow);

    // Shows a new check's findings in place of the last ones.
    void SetFindings(const std::vector<TermFinding>& findings);
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
    QLabel* count_;
    std::function<void(int row)> chooseRow_;
};

} // namespace lexicana
