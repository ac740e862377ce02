#include "components/celleditdelegate.h"

#include "components/recordtablemodel.h"
#include "platform/qdoctext.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>
#include <limits>

namespace lexicana {

TCellEditor::TCellEditor(QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(false);
    // A cell may be long; the editor must never cut it.
    setMaxLength(std::numeric_limits<int>::max());
}

TCellEditDelegate::TCellEditDelegate(TRecordTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent)
    , model_(model)
{
}

QWidget* TCellEditDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& /*option*/, const QModelIndex& index) const
{
    auto* editor = new TCellEditor(parent);
    editor->index = index;
    auto* self = const_cast<TCellEditDelegate*>(this);
    connect(editor, &QLineEdit::textEdited, self,
        [self, editor](const QString& text) { self->EditorTextEdited(editor, text); });
    return editor;
}

void TCellEditDelegate::setEditorData(QWidget* widget, const QModelIndex& index) const
{
    auto* editor = qobject_cast<TCellEditor*>(widget);
    if (!editor || writing_)
        return;
    const int col = TRecordTableModel::TableCol(index);
    const int row = TRecordTableModel::TableRow(index);
    editor->originalBytes = model_.Table().Cell(col, row);
    editor->accepted = model_.CellText(col, row);
    editor->edited = false;
    editor->setText(editor->accepted);
}

void TCellEditDelegate::setModelData(
    QWidget* /*editor*/, QAbstractItemModel* /*model*/, const QModelIndex& /*index*/) const
{
}

void TCellEditDelegate::EditorTextEdited(TCellEditor* editor, const QString& text)
{
    if (!editor->index.isValid())
        return;
    const int col = TRecordTableModel::TableCol(editor->index);
    const int row = TRecordTableModel::TableRow(editor->index);
    QString unencodable;
    std::optional<std::string> bytes = DocFromQString(text, &unencodable);
    if (!bytes || model_.IsReadOnly()) {
        // Put the last accepted text back, the caret where it was before
        // the refused input, then say why.
        const int caret = editor->cursorPosition() - static_cast<int>(text.size() - editor->accepted.size());
        editor->setText(editor->accepted);
        editor->setCursorPosition(std::max(caret, 0));
        if (!bytes) {
            refusing_ = true;
            QPointer<TCellEditDelegate> alive(this);
            TRecordTableModel::ReportUnencodable(unencodable);
            if (alive)
                refusing_ = false;
        }
        return;
    }
    writing_ = true;
    model_.SetCellBytes(col, row, std::move(*bytes));
    writing_ = false;
    editor->accepted = text;
    editor->edited = true;
    emit TextEdited(editor->index, text);
}

void TCellEditDelegate::Restore(TCellEditor* editor)
{
    if (!editor->edited || !editor->index.isValid())
        return;
    const int col = TRecordTableModel::TableCol(editor->index);
    const int row = TRecordTableModel::TableRow(editor->index);
    writing_ = true;
    model_.SetCellBytes(col, row, editor->originalBytes);
    writing_ = false;
    editor->edited = false;
    editor->accepted = model_.CellText(col, row);
    emit TextEdited(editor->index, editor->accepted);
}

bool TCellEditDelegate::eventFilter(QObject* object, QEvent* event)
{
    // The refusal message takes the focus for a moment; the editor stays.
    if (refusing_ && event->type() == QEvent::FocusOut)
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (auto* editor = qobject_cast<TCellEditor*>(object))
            Restore(editor);
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace lexicana
