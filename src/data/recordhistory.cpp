#include "data/recordhistory.h"

#include <algorithm>
#include <exception>

namespace lexicana {

namespace {

const std::string& NoName()
{
    static const std::string none;
    return none;
}

// The row's cells up to its last non-empty one.
std::vector<std::string> UsedCells(const TRecordTable& table, int row)
{
    const int used = table.UsedCellCount(row);
    std::vector<std::string> cells;
    cells.reserve(static_cast<std::size_t>(used));
    for (int col = 0; col < used; ++col)
        cells.push_back(table.Cell(col, row));
    return cells;
}

// Whether the row holds more than its row number.
bool HasData(const TRecordTable& table, int row)
{
    return table.UsedCellCount(row) > 1;
}

std::size_t CellsSize(const std::vector<std::string>& cells)
{
    std::size_t size = cells.capacity() * sizeof(std::string);
    for (const std::string& cell : cells)
        if (cell.capacity() > 15) // beyond the short-string buffer
            size += cell.capacity();
    return size;
}

} // namespace

TRecordHistory::TRecordHistory(TRecordTable& table)
    : table_(table)
{
    table_.SetJournal(this);
}

TRecordHistory::~TRecordHistory()
{
    table_.SetJournal(nullptr);
}

// --- steps --------------------------------------------------------------------

void TRecordHistory::Begin(const std::string& name)
{
    if (depth_ == 0) {
        Seal();
        pendingName_ = name;
    }
    ++depth_;
}

void TRecordHistory::End()
{
    if (depth_ > 0 && --depth_ == 0)
        Seal();
}

void TRecordHistory::Seal()
{
    // Inside a Begin .. End pair the step stays open until End.
    if (!openTop_ || depth_ > 0)
        return;
    openTop_ = false;
    const Step& top = undo_.back();
    const bool restored = std::all_of(top.changes.begin(), top.changes.end(), [this](const Change& change) {
        const auto* cell = std::get_if<SetCell>(&change);
        return cell && table_.Cell(cell->col, cell->row) == cell->text;
    });
    if (restored) {
        bytes_ -= top.bytes;
        undo_.pop_back();
    }
    // What could be redone before the step began is lost only when the step
    // is kept.
    if (parked_) {
        parked_ = false;
        if (restored) {
            redo_ = std::move(parkedRedo_);
            savedAt_ = parkedSavedAt_;
        } else {
            for (const Step& step : parkedRedo_)
                bytes_ -= step.bytes;
        }
        parkedRedo_.clear();
    }
    if (restored)
        Notify();
}

void TRecordHistory::NameOpenStep(const std::string& name)
{
    if (openTop_ && undo_.back().name.empty())
        undo_.back().name = name;
}

// --- undo and redo --------------------------------------------------------------

bool TRecordHistory::CanUndo() const
{
    return !undo_.empty();
}

bool TRecordHistory::CanRedo() const
{
    return !redo_.empty();
}

const std::string& TRecordHistory::UndoName() const
{
    return undo_.empty() ? NoName() : undo_.back().name;
}

const std::string& TRecordHistory::RedoName() const
{
    return redo_.empty() ? NoName() : redo_.back().name;
}

bool TRecordHistory::Undo(Place* place)
{
    Seal();
    return Replay(undo_, redo_, place);
}

bool TRecordHistory::Redo(Place* place)
{
    Seal();
    return Replay(redo_, undo_, place);
}

bool TRecordHistory::Replay(std::vector<Step>& from, std::vector<Step>& to, Place* place)
{
    if (from.empty())
        return false;
    Step step = std::move(from.back());
    from.pop_back();
    bytes_ -= step.bytes;
    Step captured;
    captured.name = step.name;
    Place where;
    capture_ = &captured;
    table_.BeginUpdate();
    try {
        for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change)
            Apply(*change, where);
    } catch (const std::exception&) {
        // The table no longer fits the history (it cannot happen while every
        // change goes through the journal): keep the table, drop the history.
        capture_ = nullptr;
        table_.EndUpdate();
        Lose();
        return false;
    }
    table_.EndUpdate();
    capture_ = nullptr;
    bytes_ += captured.bytes;
    to.push_back(std::move(captured));
    if (place)
        *place = where;
    Notify();
    return true;
}

void TRecordHistory::Apply(const Change& change, Place& place)
{
    if (const auto* c = std::get_if<SetCell>(&change)) {
        table_.SetCell(c->col, c->row, c->text);
        place = { c->col, c->row };
    } else if (const auto* r = std::get_if<SetRow>(&change)) {
        table_.SetRow(r->row, r->cells);
        place = { -1, r->row };
    } else if (const auto* i = std::get_if<InsertRow>(&change)) {
        table_.InsertRow(i->row);
        if (!i->cells.empty())
            table_.SetRow(i->row, i->cells);
        place = { -1, i->row };
    } else if (const auto* d = std::get_if<DeleteRow>(&change)) {
        table_.DeleteRow(d->row);
        place = { -1, std::min(d->row, table_.RowCount() - 1) };
    } else if (const auto* m = std::get_if<MoveRow>(&change)) {
        table_.MoveRow(m->from, m->to);
        place = { -1, m->to };
    } else if (const auto* x = std::get_if<ExchangeRows>(&change)) {
        table_.ExchangeRows(x->a, x->b);
        place = { -1, x->a };
    } else if (const auto* o = std::get_if<ReorderRows>(&change)) {
        table_.ReorderRows(o->first, o->order);
        place = { -1, o->first };
    } else if (const auto* v = std::get_if<ReverseRows>(&change)) {
        table_.ReverseRows(v->first, v->last);
        place = { -1, v->first };
    } else if (const auto* n = std::get_if<SetRowCount>(&change)) {
        table_.SetRowCount(n->count);
        place = { -1, std::min(place.row, table_.RowCount() - 1) };
    }
}

// --- state ------------------------------------------------------------------------

void TRecordHistory::Clear(bool saved)
{
    undo_.clear();
    redo_.clear();
    parkedRedo_.clear();
    parked_ = false;
    bytes_ = 0;
    openTop_ = false;
    savedAt_ = saved ? 0 : -1;
    Notify();
}

void TRecordHistory::MarkSaved()
{
    Seal();
    savedAt_ = static_cast<long>(undo_.size());
    Notify();
}

bool TRecordHistory::AtSavedState() const
{
    return savedAt_ == static_cast<long>(undo_.size());
}

void TRecordHistory::Suspend()
{
    ++suspended_;
}

void TRecordHistory::Resume()
{
    if (suspended_ > 0)
        --suspended_;
}

void TRecordHistory::SetMemoryLimit(std::size_t bytes)
{
    limit_ = bytes;
    Trim();
}

bool TRecordHistory::Recording() const
{
    return suspended_ == 0;
}

void TRecordHistory::Notify()
{
    if (listener_)
        listener_();
}

void TRecordHistory::Lose()
{
    Clear(false);
}

void TRecordHistory::Trim()
{
    // The step being recorded stays, however large.
    std::size_t drop = 0;
    while (bytes_ > limit_ && drop + 1 < undo_.size()) {
        bytes_ -= undo_[drop].bytes;
        ++drop;
    }
    if (drop == 0)
        return;
    undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(drop));
    savedAt_ = savedAt_ >= static_cast<long>(drop) ? savedAt_ - static_cast<long>(drop) : -1;
}

std::size_t TRecordHistory::SizeOf(const Change& change)
{
    std::size_t size = sizeof(Change);
    if (const auto* c = std::get_if<SetCell>(&change))
        size += c->text.capacity() > 15 ? c->text.capacity() : 0;
    else if (const auto* r = std::get_if<SetRow>(&change))
        size += CellsSize(r->cells);
    else if (const auto* i = std::get_if<InsertRow>(&change))
        size += CellsSize(i->cells);
    else if (const auto* o = std::get_if<ReorderRows>(&change))
        size += o->order.capacity() * sizeof(int);
    return size;
}

void TRecordHistory::Keep(Change change)
{
    const std::size_t size = SizeOf(change);
    if (capture_) {
        capture_->changes.push_back(std::move(change));
        capture_->bytes += size;
        return;
    }
    if (!openTop_) {
        // A new step: what was undone cannot be redone any more, unless the
        // step ends as a no-change (Seal decides).
        parked_ = true;
        parkedRedo_ = std::move(redo_);
        redo_.clear();
        parkedSavedAt_ = savedAt_;
        if (savedAt_ > static_cast<long>(undo_.size()))
            savedAt_ = -1;
        undo_.push_back(Step { depth_ > 0 ? pendingName_ : std::string(), {}, 0 });
        openTop_ = true;
        Notify();
    }
    Step& top = undo_.back();
    // Typing in one cell keeps only the text from before the first key.
    if (const auto* cell = std::get_if<SetCell>(&change); cell && !top.changes.empty())
        if (const auto* last = std::get_if<SetCell>(&top.changes.back());
            last && last->col == cell->col && last->row == cell->row)
            return;
    top.changes.push_back(std::move(change));
    top.bytes += size;
    bytes_ += size;
    Trim();
}

// --- the journal ------------------------------------------------------------------

void TRecordHistory::BeforeCellSet(const TRecordTable& table, int col, int row)
{
    if (Recording() && col > 0 && row > 0)
        Keep(SetCell { col, row, table.Cell(col, row) });
}

void TRecordHistory::BeforeRowSet(const TRecordTable& table, int row)
{
    if (Recording() && row > 0)
        Keep(SetRow { row, UsedCells(table, row) });
}

void TRecordHistory::RowInserted(int row)
{
    if (Recording())
        Keep(DeleteRow { row });
}

void TRecordHistory::BeforeRowDeleted(const TRecordTable& table, int row)
{
    if (Recording())
        Keep(InsertRow { row, UsedCells(table, row) });
}

void TRecordHistory::RowMoved(int from, int to)
{
    if (Recording())
        Keep(MoveRow { to, from });
}

void TRecordHistory::RowsExchanged(int a, int b)
{
    if (Recording())
        Keep(ExchangeRows { a, b });
}

void TRecordHistory::RowsReordered(int first, const std::vector<int>& order)
{
    if (!Recording())
        return;
    // Row first + i now holds the row that stood at order[i]: it goes back.
    std::vector<int> inverse(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        inverse[static_cast<std::size_t>(order[i] - first)] = first + static_cast<int>(i);
    Keep(ReorderRows { first, std::move(inverse) });
}

void TRecordHistory::RowsReversed(int first, int last)
{
    if (Recording())
        Keep(ReverseRows { first, last });
}

void TRecordHistory::BeforeRowCount(const TRecordTable& table, int count)
{
    if (!Recording())
        return;
    // Undone newest first: the rows come back, then their cells.
    for (int row = std::max(count, 1); row < table.RowCount(); ++row)
        if (HasData(table, row))
            Keep(SetRow { row, UsedCells(table, row) });
    Keep(SetRowCount { table.RowCount() });
}

void TRecordHistory::BeforeColCount(const TRecordTable& table, int count)
{
    // Columns are the conversion table's, not an edit: more of them change
    // nothing the history holds. With fewer, steps could hold cells of the
    // columns that go and could not be undone: the history starts afresh,
    // the records being saved or not as before unless cells are dropped.
    if (count >= table.ColCount())
        return;
    if (table.UsedColCount(1) > count)
        Lose();
    else
        Clear(AtSavedState());
}

void TRecordHistory::BeforeRecordsCleared(const TRecordTable& table)
{
    if (!Recording())
        return;
    for (int row = 1; row < table.RowCount(); ++row)
        if (HasData(table, row))
            Keep(SetRow { row, UsedCells(table, row) });
}

void TRecordHistory::ContentReplaced()
{
    Lose();
}

} // namespace lexicana
