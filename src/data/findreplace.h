// Find and replace over the record table: the search in one cell's Shift_JIS
// text from a selection (byte positions, never inside a double-byte
// character), the order in which all cells are visited, and the steps of the
// find and replace commands. The window supplies the current cell and the
// text pane's selection through IFindReplaceView.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexicana {

class TGlobal;
class TRecordTable;

struct TFindOptions {
    bool MatchCase = false; // letter case must match
    bool WholeWord = false; // only occurrences with no word character on either side
    bool Down = true; // toward the end of the text; else toward its start
    bool ReplaceAll = false; // replace dialog: every match instead of the selected one
};

constexpr std::size_t kNoMatch = std::string_view::npos;

// --- search within one text -------------------------------------------------

// True when find occurs at pos of text under options (pos must be a
// character boundary; an empty find never matches). Without MatchCase the
// Latin, Greek and Cyrillic letters of either width compare without case;
// width always counts. Word characters are the Latin letters and digits of
// either width and "_".
bool MatchesAt(std::string_view text, std::size_t pos, std::string_view find, const TFindOptions& options);

// Position of the first match lying wholly within [start, end), or kNoMatch.
// Only character boundaries of text (counted from its start) are tried.
std::size_t FindInRange(std::string_view text, std::string_view find, std::size_t start, std::size_t end,
    const TFindOptions& options);

// The Find Next step in one text with the selection (start, length) in
// bytes. Down searches from the selection start, past the selection's first
// character when the selection is not empty. Up takes the last match that
// ends before the last character of the selection (before the caret when the
// selection is empty). kNoMatch when there is none.
std::size_t FindFromSelection(std::string_view text, std::size_t selStart, std::size_t selLength,
    std::string_view find, const TFindOptions& options);

// Replaces every match, left to right; the search goes on after each
// inserted replacement, which is never searched again. Returns the number of
// replacements; lastEnd gets the position just after the last one.
std::size_t ReplaceAllInText(std::string& text, std::string_view find, std::string_view replacement,
    const TFindOptions& options, std::size_t* lastEnd = nullptr);

// --- the order of the cells ------------------------------------------------

// Moves (col, row) to the next data cell: along the row and then to column 1
// of the next row when vertical (RepDirectVert), down the column and then to
// row 1 of the next column otherwise. False, (col, row) unchanged, at the
// last cell (or when the table has no data cell).
bool NextCellOf(const TRecordTable& table, bool vertical, int& col, int& row);

// The question at the end of the table: "最後まで検索を行いました。\n最初から
// 検索を続けますか？", caption "検索終了", Yes and No. True for Yes.
bool AskContinueFromStart();

// --- the commands --------------------------------------------------------------

// What the find and replace steps need of the window: the current cell and
// the text pane's selection in bytes of that cell's text.
class IFindReplaceView {
public:
    virtual ~IFindReplaceView() = default;
    virtual int CurrentCol() const = 0;
    virtual int CurrentRow() const = 0;
    virtual void GetSelection(std::size_t& start, std::size_t& length) const = 0;
    virtual void SetSelection(std::size_t start, std::size_t length) = 0;
    // Makes (col, row) the current cell; the pane shows it and becomes the
    // edit target with the caret at 0.
    virtual void ShowCell(int col, int row) = 0;
    // Makes (col, row) the current cell with the grid as the edit target
    // (the end of the table has been reached).
    virtual void ShowCellInGrid(int col, int row) = 0;
    // The text of (col, row) was replaced in the table (the data are marked
    // modified already): the pane and the caption follow.
    virtual void CellReplaced(int col, int row) = 0;
    // Lets pending interface events run (called once per visited cell).
    virtual void LetEventsRun() { }
};

// The find and replace commands over the record table. FindSingleCell,
// RepDirectVert and FindMatched of TGlobal steer and report them. Replacements
// go into the table and set ItemDataModified.
class TFindReplace {
public:
    TFindReplace(TRecordTable& table, TGlobal& global, IFindReplaceView& view);

    // Find Next: selects the next match in the current cell or, in all-cell
    // mode, in the following cells (asking at the end of the table whether
    // to go on from the start). Returns FindMatched.
    bool FindInCells(std::string_view find, const TFindOptions& options);

    // Replace (options.ReplaceAll false): a selection that is a match is
    // replaced and the next match selected; any other selection is left
    // alone and the next match is selected as by Find Next.
    // Replace All: every match of the current cell; in all-cell mode every
    // cell from the current one to the end of the table and, when the user
    // answers Yes at the end, the cells before it, so that each cell is
    // replaced once. Returns the number of replacements.
    std::size_t ReplaceInCells(
        std::string_view find, std::string_view replacement, const TFindOptions& options);

    // Moves (col, row) on to the next cell in the RepDirectVert order. At the
    // last cell the grid shows it and the user is asked whether to go on from
    // the start: Yes gives (1, 1), No returns false.
    bool NextCell(int& col, int& row);

private:
    std::size_t ReplaceSelection(
        std::string_view find, std::string_view replacement, const TFindOptions& options);
    std::size_t ReplaceEverywhere(
        std::string_view find, std::string_view replacement, const TFindOptions& options);
    bool IsDataCell(int col, int row) const;
    // Writes text into (col, row) and tells the view.
    void StoreCell(int col, int row, std::string text);
    // The position of (col, row) in the visiting order.
    long long OrderIndex(int col, int row) const;

    TRecordTable& table_;
    TGlobal& global_;
    IFindReplaceView& view_;
};

} // namespace lexicana
