// TFindReplaceController: find and replace in the main window. It owns the
// modeless find and replace dialogs, runs their requests over the document's
// record table (TFindReplace) and shows the results in the grid and the text
// pane, whose selection it translates between the pane's characters and the
// cell's Shift_JIS bytes. The main window constructs it and connects the four
// menu commands.
#pragma once

#include "app/finddialogs.h"
#include "data/findreplace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;
class QWidget;

namespace lexicana {

class TDocument;
class TGlobal;
class TStrSortGrid;

// Positions in a cell's text as the text pane shows it: the lines (split at
// CR LF) decoded and joined by one line break each.
class TPaneMap {
public:
    explicit TPaneMap(const std::string& cell);
    // The pane position of the byte position pos (a character boundary).
    int PaneOf(std::size_t pos) const;
    // The byte position of the character boundary at or before pane position unit.
    std::size_t ByteOf(int unit) const;

private:
    std::vector<std::size_t> bytes_; // every character boundary and the end
    std::vector<int> units_; // its pane position
};

// The pane text of a cell.
QString PaneTextOfCell(const std::string& cell);

class TFindReplaceController : public QObject, private IFindReplaceView {
    Q_OBJECT

public:
    // What the main window does when the edit target or the pane changes;
    // an empty hook gets the default described.
    struct THooks {
        // Shows a cell's text in the pane without writing it back into the
        // cell (default: sets the pane's text).
        std::function<void(const std::string& text)> ShowCellInPane;
        // The grid becomes the edit target (default: focus, EditTarget 0).
        std::function<void()> EnterGrid;
        // The pane becomes the edit target with the caret at 0 (default:
        // focus, EditTarget 1, caret 0).
        std::function<void()> EnterPane;
        // Cells were replaced and the data marked modified: at the first
        // replacement of a request and at each of the current cell
        // (default: the document's UpdateCaption).
        std::function<void()> CellsEdited;
    };

    // grid shows document's table, pane the grid's current cell; the dialogs
    // are made with dialogParent (the main window) as their owner.
    TFindReplaceController(TDocument& document, TStrSortGrid* grid, QPlainTextEdit* pane, THooks hooks = {},
        QWidget* dialogParent = nullptr);
    ~TFindReplaceController() override;

    // The menu commands: focus the pane, set FindSingleCell, show a dialog.
    void Menu_FindSingleCellClick();
    void Menu_FindAllCellClick();
    void Menu_ReplaceSingleCellClick();
    void Menu_ReplaceAllCellClick();

    // The dialogs' buttons: Find Next, and Replace or Replace All (which
    // then reports the number of replacements).
    void FindDialog_SingleCellFind(const TFindRequest& request);
    void ReplaceDialog_SingleCellReplace(const TFindRequest& request);

    TFindDialog* FindDialog_SingleCell;
    TReplaceDialog* ReplaceDialog_SingleCell;

private:
    void ShowDialog(TFindDialog* dialog, bool singleCell);
    // Gives the focus back to dialog (when it is still shown).
    void ReturnToDialog(TFindDialog* dialog);
    // Focuses the pane; entering it (caret at 0) unless it is the edit target
    // with the focus already.
    void FocusPane();
    // The Shift_JIS of a dialog text, or nothing after the error message
    // followed by the list of the characters without a code.
    std::optional<std::string> Encode(const QString& text, const char* message) const;
    // False while a request runs or a conversion keeps the grid read-only.
    bool BeginRequest();
    void EndRequest();
    // Makes the pane show the current cell if it does not.
    void SyncPane();
    const std::string& CurrentCell() const;

    // IFindReplaceView
    int CurrentCol() const override;
    int CurrentRow() const override;
    void GetSelection(std::size_t& start, std::size_t& length) const override;
    void SetSelection(std::size_t start, std::size_t length) override;
    void ShowCell(int col, int row) override;
    void ShowCellInGrid(int col, int row) override;
    void CellReplaced(int col, int row) override;
    void LetEventsRun() override;

    TDocument& document_;
    TGlobal& global_;
    TStrSortGrid* grid_;
    QPlainTextEdit* pane_;
    THooks hooks_;
    bool busy_ = false;
    bool edited_ = false;
    QElapsedTimer eventClock_;
    // The dialogs may go with their owner window before the controller.
    QPointer<TFindDialog> findDialog_;
    QPointer<TReplaceDialog> replaceDialog_;
};

} // namespace lexicana
