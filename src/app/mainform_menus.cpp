// The main window's menus, context menu and toolbars: their items, the
// enabling and visibility set when a menu opens, and their keys. Qt's
// shortcut contexts decide which item a key runs: the context menu's record
// keys belong to the grid and the text pane (and the cell editor inside the
// grid), the main menu's keys to the whole window, and the editors keep
// their own editing keys by claiming them first.
#include "app/mainform.h"
#include "app/toolicons.h"
#include "common/translate.h"
#include "components/strsortgrid.h"
#include "components/uitext.h"
#include "conversion/filerecords.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>

namespace lexicana {

namespace {

// A key that can be a menu item's shortcut: with Ctrl or Alt, or a function
// key. Typing keys pass without the menus being looked at.
bool MayBeShortcut(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    return event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35;
}

} // namespace

QAction* TMainForm::AddItem(
    QMenu* menu, const char* name, const char* caption, void (TMainForm::*handler)(), const char* shortcut)
{
    auto* action = new QAction(lexicana::TrQ(caption), menu);
    action->setObjectName(QString::fromLatin1(name));
    if (shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut), QKeySequence::PortableText));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    menu->addAction(action);
    return action;
}

void TMainForm::BuildMainMenu()
{
    QMenuBar* bar = menuBar();

    S3 = bar->addMenu(lexicana::TrQ("セットファイル(&S)"));
    New1 = AddItem(S3, "New1", lexicana::TrMark("新規作成(&N)..."), &TMainForm::New1Click);
    Open2 = AddItem(S3, "Open2", lexicana::TrMark("開く(&O)..."), &TMainForm::Open2Click);
    Save1 = AddItem(S3, "Save1", lexicana::TrMark("上書き保存(&S)"), &TMainForm::Save1Click);
    SaveAs2 = AddItem(S3, "SaveAs2", lexicana::TrMark("名前を付けて保存(&A)..."), &TMainForm::SaveAs2Click);
    N3 = S3->addSeparator();
    LexicanaX1 = AddItem(
        S3, "LexicanaX1", lexicana::TrMark("Lexicanaの終了(&X)"), &TMainForm::LexicanaX1Click, "Alt+F4");

    File1 = bar->addMenu(lexicana::TrQ("データファイル(&D)"));
    N14 = AddItem(File1, "N14", lexicana::TrMark("表のレコード数変更(&S)..."), &TMainForm::N14Click);
    File1->addSeparator();
    N16 = AddItem(File1, "N16", lexicana::TrMark("新規作成(&N)..."), &TMainForm::N16Click, "Ctrl+N");
    Open1 = AddItem(File1, "Open1", lexicana::TrMark("開く(&O)..."), &TMainForm::Open1Click, "Ctrl+O");
    S1 = AddItem(File1, "S1", lexicana::TrMark("上書き保存(&S)"), &TMainForm::S1Click, "Ctrl+S");
    SaveAs1
        = AddItem(File1, "SaveAs1", lexicana::TrMark("名前を付けて保存(&A)..."), &TMainForm::SaveAs1Click);
    File1->addSeparator();
    C2 = AddItem(File1, "C2", lexicana::TrMark("レコード数のカウント(&C)"), &TMainForm::C2Click);

    N7 = bar->addMenu(lexicana::TrQ("変換(&C)"));
    N10 = AddItem(N7, "N10", lexicana::TrMark("変換セットの設定(&S)..."), &TMainForm::N10Click);
    I1 = AddItem(N7, "I1", lexicana::TrMark("外部出力ファイルリストの編集(&I)..."), &TMainForm::I1Click);
    T1 = AddItem(N7, "T1", lexicana::TrMark("変換テーブルファイルの編集(&T)"), &TMainForm::T1Click);
    N7->addSeparator();
    R1 = AddItem(N7, "R1", lexicana::TrMark("変換テーブルファイルの再読み込み(&R)"), &TMainForm::R1Click);
    N7->addSeparator();
    S2 = AddItem(N7, "S2", lexicana::TrMark("変換開始(&G)"), &TMainForm::S2Click, "Alt+T");
    P1 = AddItem(
        N7, "P1", lexicana::TrMark("選択中のパートだけを変換(&P)"), &TMainForm::ConvPartClick_Menu, "Alt+P");
    N7->addSeparator();
    TermCheck1 = AddItem(N7, "TermCheck1", lexicana::TrMark("用語の検査(&K)..."), &TMainForm::TermCheckClick);
    connect(N7, &QMenu::aboutToShow, this, &TMainForm::N7Click);

    Edit1 = bar->addMenu(lexicana::TrQ("編集(&E)"));
    Undo1 = AddItem(Edit1, "Undo1", lexicana::TrMark("元に戻す(&U)"), &TMainForm::Undo1Click, "Ctrl+Z");
    Redo1 = AddItem(Edit1, "Redo1", lexicana::TrMark("やり直し(&R)"), &TMainForm::Redo1Click, "Ctrl+Y");
    Edit1->addSeparator();
    Cut1 = AddItem(Edit1, "Cut1", lexicana::TrMark("切り取り(&T)"), &TMainForm::Cut1Click, "Ctrl+X");
    Copy1 = AddItem(Edit1, "Copy1", lexicana::TrMark("コピー(&C)"), &TMainForm::Copy1Click, "Ctrl+C");
    Paste1 = AddItem(Edit1, "Paste1", lexicana::TrMark("貼り付け(&P)"), &TMainForm::Paste1Click, "Ctrl+V");
    SelAll1 = AddItem(Edit1, "SelAll1", lexicana::TrMark("全て選択(&S)"), &TMainForm::SelAll1Click, "Ctrl+A");
    Edit1->addSeparator();
    Menu_FindSingleCell
        = AddItem(Edit1, "Menu_FindSingleCell", lexicana::TrMark("単一セル内を検索(&F)..."), nullptr);
    Menu_FindAllCell = AddItem(Edit1, "Menu_FindAllCell", lexicana::TrMark("全セル内を検索(&M)..."), nullptr);
    Menu_ReplaceSingleCell
        = AddItem(Edit1, "Menu_ReplaceSingleCell", lexicana::TrMark("単一セル内を置換(&R)..."), nullptr);
    Menu_ReplaceAllCell
        = AddItem(Edit1, "Menu_ReplaceAllCell", lexicana::TrMark("全セル内を置換(&A)..."), nullptr);
    connect(Edit1, &QMenu::aboutToShow, this, &TMainForm::Edit1Click);

    N4 = bar->addMenu(lexicana::TrQ("表示/ツールバー(&O)"));
    O1 = AddItem(N4, "O1", lexicana::TrMark("オプション設定(&O)..."), &TMainForm::O1Click);
    R2 = AddItem(N4, "R2", lexicana::TrMark("再描画(&R)"), &TMainForm::RedrawClick);
    N4->addSeparator();
    S4 = AddItem(N4, "S4", lexicana::TrMark("セットファイル(&S)"), &TMainForm::S4Click);
    D1 = AddItem(N4, "D1", lexicana::TrMark("データファイル(&D)"), &TMainForm::D1Click);
    Edit2 = AddItem(N4, "Edit2", lexicana::TrMark("編集(&E)"), &TMainForm::Edit2Click);
    for (QAction* item : { S4, D1, Edit2 })
        item->setCheckable(true);
    Preview1 = AddItem(N4, "Preview1", lexicana::TrMark("プレビュー(&V)"), &TMainForm::PreviewClick);
    Preview1->setCheckable(true);
    connect(N4, &QMenu::aboutToShow, this, &TMainForm::N4Click);

    Help1 = bar->addMenu(lexicana::TrQ("ヘルプ(&H)"));
    HTMLH1 = AddItem(Help1, "HTMLH1", lexicana::TrMark("HTMLヘルプ(&H)"), &TMainForm::HTMLH1Click, "F1");
    Help1->addSeparator();
    About1 = AddItem(Help1, "About1", lexicana::TrMark("バージョン情報(&A)..."), &TMainForm::About1Click);
}

void TMainForm::BuildPopupMenu()
{
    // Shown only by the grid's and text pane's handlers. A menu that is not
    // showing gives its items no keys; the record items get theirs from the
    // grid and the text pane (AttachRecordKeys), and the edit items' keys
    // are the main menu's, which run the same commands.
    PopupMenu_Item = new QMenu(this);
    PopupMenu_Item->setObjectName(QStringLiteral("PopupMenu_Item"));
    connect(PopupMenu_Item, &QMenu::aboutToShow, this, &TMainForm::PopupMenu_ItemPopup);

    Edit3 = PopupMenu_Item->addMenu(lexicana::TrQ("編集"));
    Undo2 = AddItem(Edit3, "Undo2", lexicana::TrMark("元に戻す(&U)"), &TMainForm::Undo1Click, "Ctrl+Z");
    Redo2 = AddItem(Edit3, "Redo2", lexicana::TrMark("やり直し(&R)"), &TMainForm::Redo1Click, "Ctrl+Y");
    for (QAction* item : { Redo1, Redo2 })
        item->setShortcuts(
            { QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z")) });
    Edit3->addSeparator();
    Cut2 = AddItem(Edit3, "Cut2", lexicana::TrMark("切り取り(&T)"), &TMainForm::Cut1Click, "Ctrl+X");
    Copy2 = AddItem(Edit3, "Copy2", lexicana::TrMark("コピー(&C)"), &TMainForm::Copy1Click, "Ctrl+C");
    Paste2 = AddItem(Edit3, "Paste2", lexicana::TrMark("貼り付け(&P)"), &TMainForm::Paste1Click, "Ctrl+V");
    N20 = AddItem(Edit3, "N20", lexicana::TrMark("全て選択(&A)"), &TMainForm::SelAll1Click, "Ctrl+A");
    connect(Edit3, &QMenu::aboutToShow, this, &TMainForm::Edit1Click);

    PopUpRecOpe1 = PopupMenu_Item->addMenu(lexicana::TrQ("レコード操作"));
    InsertRecord = AddItem(PopUpRecOpe1, "InsertRecord",
        lexicana::TrMark("現在の位置に空きレコードを追加(&I)"), &TMainForm::InsertRecordClick, "Ctrl+I");
    InsertRecordNext = AddItem(PopUpRecOpe1, "InsertRecordNext",
        lexicana::TrMark("現在の次の位置に空きレコードを追加(&N)"), &TMainForm::InsertRecordNextClick,
        "Ctrl+N");
    InsertFileRecord = AddItem(PopUpRecOpe1, "InsertFileRecord",
        lexicana::TrMark("ファイルレコードを追加(&F)..."), &TMainForm::InsertFileRecordClick, "Ctrl+F");
    D2 = AddItem(
        PopUpRecOpe1, "D2", lexicana::TrMark("現在のレコードを削除(&D)"), &TMainForm::D2Click, "Ctrl+D");

    OpenEditor = AddItem(PopupMenu_Item, "OpenEditor", lexicana::TrMark("HTMLエディタで開く(&H)"),
        &TMainForm::OpenEditorClick);
    CopyTag = AddItem(
        PopupMenu_Item, "CopyTag", lexicana::TrMark("Lexicanaタグをコピー(&W)"), &TMainForm::CopyTagClick);
    HorzLine1 = PopupMenu_Item->addSeparator();
    ConvPart = AddItem(PopupMenu_Item, "ConvPart", lexicana::TrMark("このパートだけを変換(&C)"),
        &TMainForm::ConvPartClick_PopUp);
}

void TMainForm::AttachRecordKeys()
{
    // The record keys work wherever the focus is inside the grid (its cell
    // editor included) or the text pane.
    for (QAction* item : { InsertRecord, InsertRecordNext, InsertFileRecord, D2 }) {
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        StringGrid_Main->addAction(item);
        Memo_Main->addAction(item);
    }
    connect(
        qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocusForKeys(now); });
    FollowFocusForKeys(QApplication::focusWidget());
}

void TMainForm::FollowFocusForKeys(QWidget* focus)
{
    // Ctrl+N inserts a record there and makes a new item data file
    // elsewhere. Qt takes two items with one key in force as ambiguous and
    // runs neither, so the main menu's item gives up its key while the
    // grid or the pane has the focus: a widget shortcut of a menu item is in
    // force only when the menu itself has the focus. The menu still shows
    // the key.
    if (!StringGrid_Main || !Memo_Main)
        return; // the window is being taken apart
    bool cellEditor = false;
    const bool paneOrGrid = focus && IsPaneOrGrid(focus, cellEditor);
    N16->setShortcutContext(paneOrGrid ? Qt::WidgetShortcut : Qt::WindowShortcut);
}

void TMainForm::RefreshItemStates()
{
    // Qt runs an item's key only while the item is enabled, so the
    // enabling of the menus whose items have keys is brought up to date
    // before a key is matched, as opening the menus would.
    Edit1Click();
    N7Click();
}

void TMainForm::BuildToolBars()
{
    auto makeBar = [this](const char* caption, const char* name) {
        QToolBar* bar = addToolBar(lexicana::TrQ(caption));
        bar->setObjectName(QString::fromLatin1(name));
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(true);
        bar->setFloatable(true);
        return bar;
    };
    auto makeButton = [this](QToolBar* bar, const char* name, ToolImage image, const char* hint,
                          void (TMainForm::*handler)()) {
        QAction* button = bar->addAction(ToolIcon(image), lexicana::TrQ(hint));
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(lexicana::TrQ(hint));
        if (handler)
            connect(button, &QAction::triggered, this, handler);
        return button;
    };

    ToolBar_lxs = makeBar(lexicana::TrMark("セットファイル"), "ToolBar_lxs");
    // The new-set button runs the New command of the set file menu.
    ToolButton_NewSet = makeButton(ToolBar_lxs, "ToolButton_NewSet", ImageNewSet,
        lexicana::TrMark("セットファイルの新規作成"), &TMainForm::New1Click);
    ToolButton_OpenSet = makeButton(ToolBar_lxs, "ToolButton_OpenSet", ImageOpenSet,
        lexicana::TrMark("セットファイルを開く"), &TMainForm::Open2Click);
    ToolButton_SaveSet = makeButton(ToolBar_lxs, "ToolButton_SaveSet", ImageSaveSet,
        lexicana::TrMark("セットファイルの上書き保存"), &TMainForm::Save1Click);

    ToolBar_Item = makeBar(lexicana::TrMark("データファイル"), "ToolBar_Item");
    ToolButton_NewItem = makeButton(ToolBar_Item, "ToolButton_NewItem", ImageNewItem,
        lexicana::TrMark("項目データファイルの新規作成"), &TMainForm::N16Click);
    ToolButton_OpenItem = makeButton(ToolBar_Item, "ToolButton_OpenItem", ImageOpenItem,
        lexicana::TrMark("項目データファイルを開く"), &TMainForm::Open1Click);
    ToolButton_SaveItem = makeButton(ToolBar_Item, "ToolButton_SaveItem", ImageSaveItem,
        lexicana::TrMark("項目データファイルの上書き保存"), &TMainForm::S1Click);

    ToolBar_Edit = makeBar(lexicana::TrMark("編集"), "ToolBar_Edit");
    ToolButton_Find
        = makeButton(ToolBar_Edit, "ToolButton_Find", ImageFind, lexicana::TrMark("検索"), nullptr);
    // The conversion button is never disabled.
    SpeedButton_Convert = makeButton(
        ToolBar_Edit, "SpeedButton_Convert", ImageConvert, lexicana::TrMark("変換開始"), &TMainForm::S2Click);
}

void TMainForm::SetItemEnabled(QAction* action, bool enabled)
{
    action->setEnabled(enabled);
}

// --- opening handlers ------------------------------------------------------------

void TMainForm::Edit1Click()
{
    const bool clipboardText = !QApplication::clipboard()->text().isEmpty();
    const bool pane = global_.EditTarget == 1;
    bool undo = doc_.RecordHistory().CanUndo();
    bool redo = doc_.RecordHistory().CanRedo();
    bool cutCopy = true;
    if (pane) {
        cutCopy = Memo_Main->textCursor().hasSelection();
        undo = Memo_Main->document()->isUndoAvailable();
        redo = Memo_Main->document()->isRedoAvailable();
    }
    UpdateUndoItems(pane);
    // A conversion works on the records: nothing may change them meanwhile.
    const bool changes = !ConversionRunning();
    for (QAction* item : { Undo1, Undo2 })
        SetItemEnabled(item, undo && changes);
    for (QAction* item : { Redo1, Redo2 })
        SetItemEnabled(item, redo && changes);
    for (QAction* item : { Cut1, Cut2 })
        SetItemEnabled(item, cutCopy && changes);
    for (QAction* item : { Copy1, Copy2 })
        SetItemEnabled(item, cutCopy);
    for (QAction* item : { Paste1, Paste2 })
        SetItemEnabled(item, clipboardText && changes);
    for (QAction* item :
        { SelAll1, N20, Menu_FindSingleCell, Menu_FindAllCell, Menu_ReplaceSingleCell, Menu_ReplaceAllCell })
        SetItemEnabled(item, true);
}

void TMainForm::UpdateUndoItems(bool paneTarget)
{
    // While the grid is the target the items name the step they take back
    // or do again ("元に戻す: すべて置換").
    const TRecordHistory& history = doc_.RecordHistory();
    auto caption = [&](const char* plain, const char* named, bool can, const std::string& step) {
        if (paneTarget || !can)
            return lexicana::TrQ(plain);
        const std::string name = step.empty() ? lexicana::Tr("編集") : step;
        return QString::fromStdString(FillArgs(lexicana::Tr(named), { name }));
    };
    const QString undo = caption(lexicana::TrMark("元に戻す(&U)"), lexicana::TrMark("元に戻す: %1(&U)"),
        history.CanUndo(), history.UndoName());
    const QString redo = caption(lexicana::TrMark("やり直し(&R)"), lexicana::TrMark("やり直し: %1(&R)"),
        history.CanRedo(), history.RedoName());
    for (QAction* item : { Undo1, Undo2 })
        item->setText(undo);
    for (QAction* item : { Redo1, Redo2 })
        item->setText(redo);
}

void TMainForm::N7Click()
{
    SetItemEnabled(I1, !global_.InfoOutputList.empty());
    const bool table = !global_.TableFileName.empty();
    for (QAction* item : { T1, R1, S2, P1, TermCheck1 })
        SetItemEnabled(item, table);
    SetItemEnabled(N10, true);
}

void TMainForm::N4Click()
{
    S4->setChecked(!ToolBar_lxs->isHidden());
    D1->setChecked(!ToolBar_Item->isHidden());
    Edit2->setChecked(!ToolBar_Edit->isHidden());
}

void TMainForm::PopupMenu_ItemPopup()
{
    const bool grid = global_.EditTarget != 1;
    PopUpRecOpe1->menuAction()->setVisible(grid);
    HorzLine1->setVisible(grid);
    ConvPart->setVisible(grid);
    const TRecordTable& table = doc_.Grid();
    const bool fileRecord = grid && global_.OpRow >= 1 && global_.OpRow < table.RowCount()
        && IsFileRecord(table, global_, global_.OpRow);
    OpenEditor->setVisible(fileRecord);
    CopyTag->setVisible(fileRecord);
}

// --- view ---------------------------------------------------------------------------

void TMainForm::RedrawClick()
{
    StringGrid_Main->viewport()->update();
    StringGrid_Main->horizontalHeader()->viewport()->update();
    StringGrid_Main->verticalHeader()->viewport()->update();
    Memo_Main->viewport()->update();
    statusBar()->update();
}

void TMainForm::S4Click()
{
    ToolBar_lxs->setVisible(ToolBar_lxs->isHidden());
}

void TMainForm::D1Click()
{
    ToolBar_Item->setVisible(ToolBar_Item->isHidden());
}

void TMainForm::Edit2Click()
{
    ToolBar_Edit->setVisible(ToolBar_Edit->isHidden());
}

// --- keys -------------------------------------------------------------------------------

bool TMainForm::BelongsToWindow(QWidget* widget) const
{
    QWidget* window = widget->window();
    if (window == this)
        return true;
    // A toolbar dragged out of the window is a window of its own.
    return qobject_cast<QToolBar*>(window) && window->parentWidget() == this;
}

bool TMainForm::IsPaneOrGrid(QWidget* widget, bool& cellEditor) const
{
    cellEditor = false;
    if (widget == StringGrid_Main || widget == Memo_Main || Memo_Main->isAncestorOf(widget))
        return true;
    if (StringGrid_Main->isAncestorOf(widget)) {
        cellEditor = widget != StringGrid_Main->viewport();
        return true;
    }
    return false;
}

bool TMainForm::IsRefreshKey(QWidget* receiver, const QKeyEvent* event) const
{
    if (!BelongsToWindow(receiver) || !MayBeShortcut(event))
        return false;
    // Only the widget that has the focus is asked (the event travels on to
    // its parents when that widget leaves it).
    QWidget* focus = receiver->window()->focusWidget();
    return focus ? receiver == focus : receiver == receiver->window();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Sent to the focus widget before Qt matches the key against the
        // shortcuts; the event goes on unchanged.
        if (watched->isWidgetType()
            && IsRefreshKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
            RefreshItemStates();
        break;
    case QEvent::FocusIn:
        if (watched == Memo_Main) {
            // Coming back to the window (or from a menu) is no entering.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Memo_MainEnter();
        }
        break;
    case QEvent::MouseButtonPress:
        if (watched == Memo_Main->viewport())
            Memo_MainMouseDown();
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Files dropped on the text pane open as set files, like anywhere
        // else on the window; dragged text is the pane's business.
        if (watched == Memo_Main->viewport()) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QMimeData* mime = drop->mimeData();
            if (mime && mime->hasUrls()) {
                QStringList files;
                for (const QUrl& url : mime->urls())
                    if (url.isLocalFile())
                        files << url.toLocalFile();
                if (!files.isEmpty()) {
                    drop->acceptProposedAction();
                    if (event->type() == QEvent::Drop)
                        DropFiles(files);
                    return true;
                }
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace lexicana
