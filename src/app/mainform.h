// TMainForm: the main window. It shows the record table of its document in
// the grid with the text pane below it, offers every command of the program
// through its menus, context menu, toolbars and keys, keeps the caption and
// status bar up to date, asks before unsaved data are replaced, and runs
// conversions with their progress dialog. The work itself is done by the
// document (TDocument); the window answers its questions (IDocumentUi).
#pragma once

#include "data/global.h"
#include "document/document.h"

#include <QFont>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolBar;

namespace lexicana {

class TFindReplaceController;

class IFileDialogs;
class TDlg_Converting;
class TTermCheckDialog;
class TFileHistory;
class TFileHistoryMenu;
class TStrSortGrid;
struct TEditorWaitHooks;
struct TWindowLayout;

// The interface font (a Japanese sans-serif at 9 point) and the text pane's.
QFont InterfaceFont();
QFont PaneFont();

class TMainForm : public QMainWindow, public IDocumentUi {
    Q_OBJECT

public:
    // Creates TGlobal (which loads the settings) and the document, builds
    // the window and runs the start-up steps (FormCreate); arguments are
    // the program's arguments without the program name.
    explicit TMainForm(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The size of the window at a first start (wide enough for the example
    // glossary's columns), before it is fitted to the screen.
    static QSize InitialWindowSize();

    TGlobal& Global() { return global_; }
    TDocument& Document() { return doc_; }
    TRecordTable& Table() { return doc_.Grid(); }

    // The file dialogs used from now on (tests answer them); null restores
    // Qt's dialogs. Not owned.
    void SetFileDialogs(IFileDialogs* dialogs);
    TFileHistory& History() { return *history_; }
    TFileHistoryMenu& HistoryMenu() { return *historyMenu_; }
    // The progress dialog while a conversion runs, else null.
    TDlg_Converting* ConvertingDialog() const { return converting_; }
    TTermCheckDialog* TermCheckDialog() const { return termCheck_; }
    // The text of status bar panel 0, 1, 2 or 3 (the document's code).
    QString StatusText(int panel) const;

    // --- document state shown by the window -------------------------------
    void UpdateCaption() override;
    // The caption for the current set file name and modified flag.
    QString CaptionText() const;
    void ShowCellPosition(int col, int row);
    void ShowCellKind(int col, int row);
    void ShowOperationPosition();
    // The Yes/No/Cancel question about saving the item data at path.
    int AskSaveChanges(const std::string& path);
    // True when the current item data may be replaced (saved or given up).
    bool QuerySaveData();

    // --- IDocumentUi ----------------------------------------------------------
    bool AskItemFileSaveName(const std::string& currentName, std::string& path, int& filterIndex) override;
    bool AskSetFileSaveName(const std::string& currentName, std::string& path) override;
    void ShowCellPosition() override;
    void SelectCell(int col, int row) override;
    void SetBusyCursor(bool busy) override;
    void AddRecentFile(const std::string& path) override;
    void ProcessEvents() override;

    // --- grid and text pane ---------------------------------------------------
    void ShowCellInPane(const std::string& text);
    void StringGrid_MainSelectCell(int col, int row);
    void StringGrid_MainSetEditText(int col, int row);
    void Memo_MainChange();
    void StringGrid_MainColumnSorted();
    void StringGrid_MainRowMoved(int from, int to);
    void StringGrid_MainMouseDown();
    void StringGrid_MainMouseUp(int col, int row);
    void StringGrid_MainContextPopup(int col, int row, const QPoint& globalPos);
    void Memo_MainContextPopup(const QPoint& globalPos);
    void StringGrid_MainEnter();
    void Memo_MainEnter();
    void Memo_MainMouseDown();
    // Record-operation position from a cell under the mouse pointer
    // ((-1, -1) when the pointer is over no cell); mouse-pointer mode only.
    void SetOperationPositionFromMouse(int col, int row);

    // --- record operations ----------------------------------------------------
    // Column 0 of rows first .. last numbered; the data are then modified.
    void RenumberRows(int first, int last);
    // An empty record at OpRow + offset.
    void InsertEmptyRecord(int offset);
    void DeleteRecord();
    int ConfirmDelete(int row);
    void CountRecords();

    // --- menu opening handlers (enabling and visibility) -----------------------
    void Edit1Click();
    void N7Click();
    void N4Click();
    void PopupMenu_ItemPopup();

    // --- commands -----------------------------------------------------------------
    void New1Click();
    void Open2Click();
    void Save1Click();
    void SaveAs2Click();
    void LexicanaX1Click();
    void N14Click();
    void N16Click();
    void Open1Click();
    void S1Click();
    void SaveAs1Click();
    void C2Click();
    void T1Click();
    void R1Click();
    void S2Click();
    void ConvPartClick_Menu();
    void ConvPartClick_PopUp();
    void TermCheckClick();
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelAll1Click();
    void RedrawClick();
    void S4Click();
    void D1Click();
    void Edit2Click();
    void InsertRecordClick();
    void InsertRecordNextClick();
    void D2Click();
    void OpenEditorClick();
    void CopyTagClick();
    void N10Click();
    void I1Click();
    void InsertFileRecordClick();
    void O1Click();
    void HTMLH1Click();
    void About1Click();
    // Opens a set file dropped onto the window (only the first one counts).
    void DropFiles(const QStringList& localFiles);

    // --- components -----------------------------------------------------------------
    TStrSortGrid* StringGrid_Main;
    QPlainTextEdit* Memo_Main;
    QSplitter* Splitter1;
    QToolBar* ToolBar_lxs;
    QToolBar* ToolBar_Item;
    QToolBar* ToolBar_Edit;
    QAction* ToolButton_NewSet;
    QAction* ToolButton_OpenSet;
    QAction* ToolButton_SaveSet;
    QAction* ToolButton_NewItem;
    QAction* ToolButton_OpenItem;
    QAction* ToolButton_SaveItem;
    QAction* ToolButton_Find;
    QAction* SpeedButton_Convert;

    // Main menu.
    QMenu* S3;
    QAction *New1, *Open2, *Save1, *SaveAs2, *N3, *LexicanaX1;
    QMenu* File1;
    QAction *N14, *N16, *Open1, *S1, *SaveAs1, *C2;
    QMenu* N7;
    QAction *N10, *I1, *T1, *R1, *S2, *P1, *TermCheck1;
    QMenu* Edit1;
    QAction *Undo1, *Redo1, *Cut1, *Copy1, *Paste1, *SelAll1;
    QAction *Menu_FindSingleCell, *Menu_FindAllCell, *Menu_ReplaceSingleCell, *Menu_ReplaceAllCell;
    QMenu* N4;
    QAction *O1, *R2, *S4, *D1, *Edit2;
    QMenu* Help1;
    QAction *HTMLH1, *About1;

    // Context menu.
    QMenu* PopupMenu_Item;
    QMenu* Edit3;
    QAction *Undo2, *Redo2, *Cut2, *Copy2, *Paste2, *N20;
    QMenu* PopUpRecOpe1;
    QAction *InsertRecord, *InsertRecordNext, *InsertFileRecord, *D2;
    QAction *OpenEditor, *CopyTag, *HorzLine1, *ConvPart;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction, by concern.
    void BuildLayout();
    // The window's size and the pane's height as the last session left
    // them (else the initial ones), within the screen.
    void ApplyWindowLayout();
    TWindowLayout CurrentWindowLayout() const;
    void BuildMainMenu();
    void BuildPopupMenu();
    void BuildToolBars();
    void ConnectComponents();
    // The find and replace dialogs and their menu items.
    void ConnectFindReplace();
    void FormCreate(const QStringList& arguments);
    // A menu item whose object name is its member's name.
    QAction* AddItem(QMenu* menu, const char* name, const char* caption, void (TMainForm::*handler)(),
        const char* shortcut = nullptr);

    // Keys. The record items' keys belong to the grid and the pane; Ctrl+N
    // of the main menu follows the focus; the enabling of the menus is
    // brought up to date before a key that may be a shortcut is matched.
    void AttachRecordKeys();
    void FollowFocusForKeys(QWidget* focus);
    void RefreshItemStates();
    bool IsRefreshKey(QWidget* receiver, const QKeyEvent* event) const;
    bool IsPaneOrGrid(QWidget* widget, bool& cellEditor) const;
    bool BelongsToWindow(QWidget* widget) const;

    void SetItemEnabled(QAction* action, bool enabled);

    // Record-level undo (redo when redo is true) while the grid is the edit
    // target: the table, the row numbers, the current cell, the pane and the
    // modified flag follow.
    void UndoRecords(bool redo);
    // The menu texts of undo and redo for the edit target.
    void UpdateUndoItems(bool paneTarget);
    // ItemDataModified as the undo history tells it, and the caption.
    void FollowHistory();
    // The history's memory limit from the settings (UndoLimitMB).
    void ApplyUndoLimit();
    // The edit commands on the grid act on the whole current cell through
    // the text pane.
    void RunOnWholeCell(const std::function<void()>& paneCommand);
    // Runs a conversion command with the progress dialog and the grid
    // read-only; nothing when a run is going on.
    void RunConversionCommand(const std::function<void()>& command);
    // The record count dialog in change or New mode.
    // True when the user set the count (the dialog was not cancelled).
    bool ShowNumOfItems(bool newMode);
    void OpenSetFile(const std::string& path);
    // After a sort: the pane, status bar and operation position follow the
    // current cell.
    void ShowSortedCell();
    // Minimises and hides the window while a waited-for editor runs.
    TEditorWaitHooks EditorWaitHooks();
    bool ConversionRunning() const { return doc_.IsRunning(); }
    std::string CurrentCellBytes() const;
    // The text of a pane the user edits (lines joined by CR LF).
    QString PaneText() const;

    // --- record preview
    // The pane beside the grid and the text pane that shows the current
    // record as its page will show it; the view menu's item shows or hides
    // it, and the choice is kept in the settings store.
    class TRecordPreviewPane* previewPane_ = nullptr;
    QSplitter* previewSplitter_ = nullptr;
    QAction* Preview1 = nullptr;
    // Puts the central widget and the pane side by side.
    void BuildPreview();
    // The pane follows the current cell, the edits and every change of the
    // table; its links select their record. Restores the stored choice.
    void ConnectPreview();
    void PreviewClick();
    void ShowPreview(bool shown);

    TGlobal global_;
    TDocument doc_;
    TFindReplaceController* findReplace_ = nullptr;
    std::unique_ptr<IFileDialogs> qtDialogs_;
    IFileDialogs* dialogs_;
    std::unique_ptr<TFileHistory> history_;
    TFileHistoryMenu* historyMenu_ = nullptr;
    TDlg_Converting* converting_ = nullptr;
    TTermCheckDialog* termCheck_ = nullptr; // made by the first term check
    QLabel* statusPanels_[4] = {};
    bool fillingPane_ = false;
    qint64 lastEvents_ = 0;
};

} // namespace lexicana
