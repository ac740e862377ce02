#include "components/strsortgrid.h"

#include "components/celleditdelegate.h"
#include "components/recordtablemodel.h"
#include "components/sortheaderview.h"
#include "conversion/filerecords.h"
#include "data/gridsort.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

namespace lexicana {

namespace {

constexpr int kRowHeight = 20;

// The colours of a window's active title bar, as the desktop has them by
// default: file records stand out as such bars.
const QColor kTitleBarColor(0x99, 0xB4, 0xD1);
const QColor kTitleTextColor(Qt::black);

} // namespace

TStrSortGrid::TStrSortGrid(TRecordTable& table, QWidget* parent)
    : QTableView(parent)
    , table_(table)
    , model_(new TRecordTableModel(table, this))
    , heading_(new TSortHeaderView(this))
    , delegate_(new TCellEditDelegate(*model_, this))
{
    setHorizontalHeader(heading_);
    setModel(model_);
    setItemDelegate(delegate_);
    model_->SetFileRecordColors(kTitleBarColor, kTitleTextColor);

    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);

    // Every row has the same fixed height, so the view never asks the
    // cells for their sizes.
    QHeaderView* numbers = verticalHeader();
    numbers->setSectionResizeMode(QHeaderView::Fixed);
    numbers->setMinimumSectionSize(1);
    numbers->setDefaultSectionSize(kRowHeight);
    numbers->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    numbers->setSectionsMovable(true);
    numbers->setHighlightSections(false);

    heading_->setSectionResizeMode(QHeaderView::Interactive);
    heading_->setSectionsClickable(false);
    heading_->setHighlightSections(false);
    heading_->setMinimumSectionSize(1);

    connect(heading_, &QHeaderView::sectionResized, this, &TStrSortGrid::ColumnResized);
    connect(numbers, &QHeaderView::sectionMoved, this, &TStrSortGrid::SectionDragged);
    connect(model_, &TRecordTableModel::ColumnWidthChanged, this, &TStrSortGrid::ApplyColumnWidth);
    connect(model_, &TRecordTableModel::RedrawSuspended, this,
        [this](bool suspended) { setUpdatesEnabled(!suspended); });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &TStrSortGrid::RememberCurrentCell);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        ApplyColumnWidths();
        ApplyRowNumberWidth();
        RestoreCurrentCell();
    });
    connect(model_, &QAbstractItemModel::rowsInserted, this, &TStrSortGrid::ApplyRowNumberWidth);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &TStrSortGrid::ApplyRowNumberWidth);
    connect(delegate_, &TCellEditDelegate::TextEdited, this,
        [this](const QModelIndex& index, const QString& text) {
            emit CellTextEdited(TRecordTableModel::TableCol(index), TRecordTableModel::TableRow(index), text);
        });

    heading_->viewport()->installEventFilter(this);
    numbers->viewport()->installEventFilter(this);
    viewport()->installEventFilter(this);

    ApplyColumnWidths();
    ApplyRowNumberWidth();
    SetCurrentCell(1, 1);
}

TStrSortGrid::~TStrSortGrid()
{
    // The model stops observing the table when it goes; make sure no view
    // signal reaches this half-destroyed grid meanwhile.
    disconnect(model_, nullptr, this, nullptr);
}

void TStrSortGrid::SetGlobal(const TGlobal* global)
{
    global_ = global;
    if (global_)
        model_->SetFileRecordTest([this](int row) { return IsFileRecord(table_, *global_, row); });
    else
        model_->SetFileRecordTest(nullptr);
}

void TStrSortGrid::SetFileRecordColors(const QColor& background, const QColor& text)
{
    model_->SetFileRecordColors(background, text);
}

void TStrSortGrid::SetSpacing(int value)
{
    if (value == spacing_)
        return;
    spacing_ = value;
    UpdateSortMark();
}

void TStrSortGrid::SetNonResBand(int value)
{
    nonResBand_ = value;
}

bool TStrSortGrid::HeadingMouseDown(int x)
{
    if (sortOps_ == soNon || model_->IsReadOnly())
        return false;
    // Near a border the press belongs to column resizing.
    if (heading_->logicalIndexAt(x - nonResBand_) != heading_->logicalIndexAt(x + nonResBand_))
        return false;
    const int section = heading_->logicalIndexAt(x);
    if (section < 0)
        return false;
    const int col = section + 1;
    sortedCol_ = col;
    sortShown_ = true;
    sortedTitle_ = table_.Cell(col, 0);
    switch (sortOps_) {
    case soUponly:
        ascending_ = true;
        break;
    case soDownOnly:
        ascending_ = false;
        break;
    default:
        ascending_ = !ascending_;
        break;
    }
    QuickSortGrid(table_, 1, table_.RowCount() - 1, col);
    return true;
}

void TStrSortGrid::QuickSortGrid(TRecordTable& grid, int fromRow, int toRow, int col)
{
    emit AboutToReorder();
    // An open editor would go on writing into a cell that now holds
    // another record.
    CloseEditor();
    struct Suspension {
        TRecordTable& table;
        explicit Suspension(TRecordTable& t)
            : table(t)
        {
            table.BeginUpdate();
        }
        ~Suspension() { table.EndUpdate(); }
    } suspension(table_);
    lastSortMoved_ = lexicana::QuickSortGrid(grid, fromRow, toRow, col, ascending_);
    UpdateSortMark();
    emit ColumnSorted();
}

void TStrSortGrid::UpdateSortMark()
{
    const bool shown = sortShown_ && !sortedTitle_.empty() && sortedCol_ >= 1;
    heading_->SetSortMark(shown ? sortedCol_ - 1 : -1, ascending_, spacing_);
}

void TStrSortGrid::SetReadOnly(bool readOnly)
{
    if (readOnly)
        CloseEditor();
    model_->SetReadOnly(readOnly);
    verticalHeader()->setSectionsMovable(!readOnly);
}

bool TStrSortGrid::IsReadOnly() const
{
    return model_->IsReadOnly();
}

int TStrSortGrid::CurrentCol() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? TRecordTableModel::TableCol(current) : -1;
}

int TStrSortGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? TRecordTableModel::TableRow(current) : -1;
}

void TStrSortGrid::SetCurrentCell(int col, int row)
{
    const int cols = model_->columnCount();
    const int rows = model_->rowCount();
    if (cols == 0 || rows == 0)
        return;
    const QModelIndex index = model_->IndexOfCell(std::clamp(col, 1, cols), std::clamp(row, 1, rows));
    setCurrentIndex(index);
    // Only this cell is selected, also when a key's Ctrl or Shift is still
    // held (Qt would extend the selection then).
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

QString TStrSortGrid::CellText(int col, int row) const
{
    return model_->CellText(col, row);
}

bool TStrSortGrid::SetCellText(int col, int row, const QString& text)
{
    if (IsReadOnly())
        return false;
    return model_->SetCellText(col, row, text);
}

bool TStrSortGrid::MouseCell(const QPoint& pos, int& col, int& row) const
{
    col = row = -1;
    const QHeaderView* numbers = verticalHeader();
    const QPoint inHeading = heading_->viewport()->mapFrom(this, pos);
    const QPoint inNumbers = numbers->viewport()->mapFrom(this, pos);
    const QPoint inCells = viewport()->mapFrom(this, pos);
    if (heading_->isVisible() && heading_->viewport()->rect().contains(inHeading)) {
        const int section = heading_->logicalIndexAt(inHeading.x());
        if (section >= 0) {
            col = section + 1;
            row = 0;
        }
    } else if (numbers->isVisible() && numbers->viewport()->rect().contains(inNumbers)) {
        const int section = numbers->logicalIndexAt(inNumbers.y());
        if (section >= 0) {
            col = 0;
            row = section + 1;
        }
    } else if (viewport()->rect().contains(inCells)) {
        const QModelIndex index = indexAt(inCells);
        if (index.isValid()) {
            col = TRecordTableModel::TableCol(index);
            row = TRecordTableModel::TableRow(index);
        }
    } else if (heading_->isVisible() && numbers->isVisible() && inHeading.y() >= 0
        && inHeading.y() < heading_->height() && inNumbers.x() >= 0 && inNumbers.x() < numbers->width()) {
        col = row = 0; // the corner above the row numbers
    }
    return col >= 0;
}

void TStrSortGrid::RenumberRows(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, table_.RowCount() - 1);
    if (table_.ColCount() == 0)
        return;
    // Usually most numbers are right already: write only those that are
    // not, and suspend the redrawing only when there is something to write.
    int row = first;
    while (row <= last && table_.Cell(0, row) == std::to_string(row))
        ++row;
    if (row > last)
        return;
    table_.BeginUpdate();
    for (; row <= last; ++row) {
        std::string number = std::to_string(row);
        if (table_.Cell(0, row) != number)
            table_.SetCell(0, row, std::move(number));
    }
    table_.EndUpdate();
}

void TStrSortGrid::CloseEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool TStrSortGrid::IsEditing() const
{
    return state() == QAbstractItemView::EditingState;
}

bool TStrSortGrid::eventFilter(QObject* object, QEvent* event)
{
    const bool onHeading = object == heading_->viewport();
    const bool onNumbers = object == verticalHeader()->viewport();
    const bool onCells = object == viewport();
    if (!onHeading && !onNumbers && !onCells)
        return QTableView::eventFilter(object, event);
    auto* widget = static_cast<QWidget*>(object);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        if (onCells)
            break; // reported by mousePressEvent after the view's handling
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint local = mouse->position().toPoint();
        if (event->type() == QEvent::MouseButtonPress && onHeading)
            HeadingMouseDown(local.x());
        const QPoint pos = widget->mapTo(this, local);
        int col, row;
        MouseCell(pos, col, row);
        if (event->type() == QEvent::MouseButtonPress)
            emit MousePressed(col, row, mouse->button(), pos);
        else
            emit MouseReleased(col, row, mouse->button(), pos);
        break;
    }
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        int col, row;
        MouseCell(widget->mapTo(this, menu->pos()), col, row);
        emit CellContextMenu(col, row, menu->globalPos());
        return true;
    }
    default:
        break;
    }
    return QTableView::eventFilter(object, event);
}

void TStrSortGrid::mousePressEvent(QMouseEvent* event)
{
    // A right-click only asks for the context menu: the current cell and
    // the selection stay where they are.
    if (event->button() != Qt::RightButton)
        QTableView::mousePressEvent(event);
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    int col, row;
    MouseCell(pos, col, row);
    emit MousePressed(col, row, event->button(), pos);
}

void TStrSortGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        QTableView::mouseReleaseEvent(event);
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    int col, row;
    MouseCell(pos, col, row);
    emit MouseReleased(col, row, event->button(), pos);
}

void TStrSortGrid::contextMenuEvent(QContextMenuEvent* event)
{
    // From the keyboard: at the current cell.
    int col = CurrentCol();
    int row = CurrentRow();
    QPoint global = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard && currentIndex().isValid())
        global = viewport()->mapToGlobal(visualRect(currentIndex()).center());
    else
        MouseCell(mapFromGlobal(global), col, row);
    emit CellContextMenu(col, row, global);
    event->accept();
}

void TStrSortGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    emit Entered();
}

void TStrSortGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit CurrentCellChanged(TRecordTableModel::TableCol(current), TRecordTableModel::TableRow(current));
}

void TStrSortGrid::ApplyColumnWidths()
{
    for (int col = 1; col < table_.ColCount(); ++col)
        ApplyColumnWidth(col);
}

void TStrSortGrid::ApplyColumnWidth(int col)
{
    if (col == 0) {
        ApplyRowNumberWidth();
        return;
    }
    if (col < 1 || col > model_->columnCount())
        return;
    const int width = std::max(table_.ColWidth(col), 0);
    if (columnWidth(col - 1) == width)
        return;
    applyingWidths_ = true;
    setColumnWidth(col - 1, width);
    applyingWidths_ = false;
}

void TStrSortGrid::ApplyRowNumberWidth()
{
    // The width of column 0, but never too narrow for the highest number.
    QHeaderView* numbers = verticalHeader();
    const QString widest = QString::number(std::max(table_.RowCount() - 1, 1));
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, numbers);
    const int needed = numbers->fontMetrics().horizontalAdvance(widest) + 2 * margin + 4;
    const int width = std::max(table_.ColWidth(0), needed);
    if (numbers->width() != width || numbers->minimumWidth() != width)
        numbers->setFixedWidth(width);
}

void TStrSortGrid::ColumnResized(int section, int /*oldSize*/, int newSize)
{
    if (applyingWidths_ || section + 1 >= table_.ColCount())
        return;
    if (table_.ColWidth(section + 1) != newSize)
        table_.SetColWidth(section + 1, newSize);
}

void TStrSortGrid::SectionDragged(int /*logicalIndex*/, int oldVisual, int newVisual)
{
    // The header only shows where the row was dropped; the table moves the
    // record, and the header goes back to showing the table's order.
    {
        QSignalBlocker blocker(verticalHeader());
        verticalHeader()->moveSection(newVisual, oldVisual);
    }
    if (model_->IsReadOnly() || oldVisual == newVisual)
        return;
    const int from = oldVisual + 1;
    const int to = newVisual + 1;
    emit AboutToReorder();
    table_.MoveRow(from, to);
    RenumberRows(std::min(from, to), std::max(from, to));
    emit RowMoved(from, to);
}

void TStrSortGrid::RememberCurrentCell()
{
    keptCol_ = CurrentCol();
    keptRow_ = CurrentRow();
}

void TStrSortGrid::RestoreCurrentCell()
{
    SetCurrentCell(std::max(keptCol_, 1), std::max(keptRow_, 1));
}

} // namespace lexicana
