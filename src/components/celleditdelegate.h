// TCellEditDelegate: in-place editing of the record grid's cells. Every
// keystroke in the editor is written to the cell at once (so the cell, the
// editor and the text pane that mirrors it always agree); a keystroke that
// brings a character without a Shift_JIS code is refused and undone. A cell
// whose editor was opened and closed without typing keeps its bytes.
#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <string>

namespace lexicana {

class TRecordTableModel;

// The in-place editor: a line edit that remembers the cell it edits.
class TCellEditor : public QLineEdit {
    Q_OBJECT

public:
    explicit TCellEditor(QWidget* parent);

    QPersistentModelIndex index;
    std::string originalBytes; // the cell as it was when the editor opened
    QString accepted; // the last text written to the cell
    bool edited = false; // a keystroke has changed the cell
};

class TCellEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TCellEditDelegate(TRecordTableModel& model, QObject* parent = nullptr);

    QWidget* createEditor(
        QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The cell already holds the editor's text; nothing is written here.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // The user changed the editor's text (typing, pasting, deleting, Escape
    // restoring the cell); the cell holds text already.
    void TextEdited(const QModelIndex& index, const QString& text);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void EditorTextEdited(TCellEditor* editor, const QString& text);
    void Restore(TCellEditor* editor);

    TRecordTableModel& model_;
    mutable bool writing_ = false; // the editor's own write is under way
    bool refusing_ = false; // the refusal message is up
};

} // namespace lexicana
