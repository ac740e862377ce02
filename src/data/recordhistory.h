// TRecordHistory: undo and redo of the changes to a record table. It is the
// table's journal: each change leaves what undoes it (the old cell, the
// deleted row, the inverse order of a sort), never a copy of the table.
// Changes are grouped into named steps; undoing a step applies its inverse
// changes newest first, and what that undoing leaves in the journal is the
// step that redoes it. The row-number column and the heading row are not
// the user's data and are never kept: the caller renumbers after an undo.
#pragma once

#include "data/recordtable.h"

#include <cstddef>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace lexicana {

class TRecordHistory : public IRecordTableJournal {
public:
    // Attaches itself to table as its journal (and detaches on destruction).
    explicit TRecordHistory(TRecordTable& table);
    ~TRecordHistory() override;
    TRecordHistory(const TRecordHistory&) = delete;
    TRecordHistory& operator=(const TRecordHistory&) = delete;

    // --- steps -------------------------------------------------------------
    // Changes between Begin and End form one step called name (nested pairs
    // join the outermost). A change made outside any pair starts a step of
    // its own with an empty name that stays open (typing in one cell) until
    // Seal, a Begin, an undo, a save mark or a clear.
    void Begin(const std::string& name);
    void End();
    // Closes the open step (not inside a Begin .. End pair). A step whose cell changes all ended where they
    // began (a cell typed in and then restored) is dropped.
    void Seal();
    // Names the open step if it has no name yet.
    void NameOpenStep(const std::string& name);

    // --- undo and redo -------------------------------------------------------
    bool CanUndo() const;
    bool CanRedo() const;
    // The names of the steps Undo and Redo would take back or do again.
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    // A place of the table the step touched (column, row), for the window to
    // show; (-1, -1) when none.
    struct Place {
        int col = -1;
        int row = -1;
    };
    // False when there is nothing to undo (redo).
    bool Undo(Place* place = nullptr);
    bool Redo(Place* place = nullptr);

    // --- state -------------------------------------------------------------
    // Forgets every step; the table as it stands is the saved state when
    // saved is true, else no state is.
    void Clear(bool saved);
    // The table as it stands is what was saved.
    void MarkSaved();
    bool AtSavedState() const;
    // While suspended (nested) nothing is kept; the caller clears after.
    void Suspend();
    void Resume();
    // The most memory the steps may take (bytes, approximately); the oldest
    // steps are forgotten beyond it. The open step is always kept.
    void SetMemoryLimit(std::size_t bytes);
    std::size_t MemoryUsed() const { return bytes_; }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    // Called after every change of what Undo, Redo or AtSavedState tell.
    void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // --- IRecordTableJournal --------------------------------------------------
    void BeforeCellSet(const TRecordTable& table, int col, int row) override;
    void BeforeRowSet(const TRecordTable& table, int row) override;
    void RowInserted(int row) override;
    void BeforeRowDeleted(const TRecordTable& table, int row) override;
    void RowMoved(int from, int to) override;
    void RowsExchanged(int a, int b) override;
    void RowsReordered(int first, const std::vector<int>& order) override;
    void RowsReversed(int first, int last) override;
    void BeforeRowCount(const TRecordTable& table, int count) override;
    void BeforeColCount(const TRecordTable& table, int count) override;
    void BeforeRecordsCleared(const TRecordTable& table) override;
    void ContentReplaced() override;

private:
    // What undoes one change.
    struct SetCell { // the cell held text
        int col;
        int row;
        std::string text;
    };
    struct SetRow { // the row held cells
        int row;
        std::vector<std::string> cells;
    };
    struct InsertRow { // the row with cells was deleted
        int row;
        std::vector<std::string> cells;
    };
    struct DeleteRow { // the row was inserted
        int row;
    };
    struct MoveRow {
        int from;
        int to;
    };
    struct ExchangeRows {
        int a;
        int b;
    };
    struct ReorderRows {
        int first;
        std::vector<int> order;
    };
    struct ReverseRows {
        int first;
        int last;
    };
    struct SetRowCount {
        int count;
    };
    using Change = std::variant<SetCell, SetRow, InsertRow, DeleteRow, MoveRow, ExchangeRows, ReorderRows,
        ReverseRows, SetRowCount>;
    struct Step {
        std::string name;
        std::vector<Change> changes;
        std::size_t bytes = 0;
    };

    // Keeps change in the step being recorded (starting one if needed).
    void Keep(Change change);
    void Apply(const Change& change, Place& place);
    // Moves the top step of from through the table onto to.
    bool Replay(std::vector<Step>& from, std::vector<Step>& to, Place* place);
    bool Recording() const;
    // Forgets the oldest steps beyond the memory limit.
    void Trim();
    void Notify();
    // An untracked change the history cannot undo past: forget everything.
    void Lose();
    static std::size_t SizeOf(const Change& change);

    TRecordTable& table_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    Step* capture_ = nullptr; // while an undo or redo is applied
    // The redo steps and saved state from before the open step began, kept
    // until Seal knows whether the step changed anything.
    std::vector<Step> parkedRedo_;
    long parkedSavedAt_ = -1;
    bool parked_ = false;
    bool openTop_ = false; // changes go on into undo_.back()
    int depth_ = 0;
    std::string pendingName_;
    int suspended_ = 0;
    // undo_.size() at the saved state; -1 when no reachable state is saved.
    long savedAt_ = 0;
    std::size_t bytes_ = 0;
    std::size_t limit_ = std::size_t(64) << 20;
    std::function<void()> listener_;
};

// Suspend .. Resume for a scope.
class TRecordPause {
public:
    explicit TRecordPause(TRecordHistory& history)
        : history_(history)
    {
        history_.Suspend();
    }
    ~TRecordPause() { history_.Resume(); }
    TRecordPause(const TRecordPause&) = delete;
    TRecordPause& operator=(const TRecordPause&) = delete;

private:
    TRecordHistory& history_;
};

// Begin .. End for a scope.
class TRecordStep {
public:
    TRecordStep(TRecordHistory& history, const std::string& name)
        : history_(history)
    {
        history_.Begin(name);
    }
    ~TRecordStep() { history_.End(); }
    TRecordStep(const TRecordStep&) = delete;
    TRecordStep& operator=(const TRecordStep&) = delete;

private:
    TRecordHistory& history_;
};

} // namespace lexicana
