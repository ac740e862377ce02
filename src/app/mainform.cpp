// The main window's construction, start-up and closing, its caption and
// status bar, dropped files, and what the document asks of the window.
#include "app/mainform.h"

#include "app/dlgconverting.h"
#include "app/filedialogs.h"
#include "app/filehistorymenu.h"
#include "app/recordpreviewpane.h"
#include "app/toolicons.h"
#include "app/windowlayout.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "components/strsortgrid.h"
#include "components/uitext.h"
#include "conversion/filerecords.h"
#include "data/filehistory.h"
#include "platform/programinfo.h"
#include "platform/doctext.h"
#include "platform/qdoctext.h"
#include "platform/runlock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>
#include <algorithm>

namespace lexicana {

namespace {

// Wide enough for the example glossary's five columns side by side.
constexpr int kInitialWidth = 1200;
constexpr int kInitialHeight = 720;
constexpr int kInitialCols = 6;
constexpr int kInitialRows = 8;
constexpr int kDefaultColWidth = 88;
constexpr int kRowNumberWidth = 40;
constexpr int kPaneHeight = 123;
constexpr int kRecentFiles = 9;
// Pending events are let through at most this often while a run works.
constexpr qint64 kEventIntervalMs = 15;

QFont JapaneseFont()
{
    QFont font;
    font.setFamilies(
        { QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAexGothic"),
            QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic") });
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QElapsedTimer& EventClock()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock;
}

// The local files among dropped URLs, in order.
QStringList LocalFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace

QFont InterfaceFont()
{
    QFont font = JapaneseFont();
    font.setPointSize(9);
    return font;
}

QFont PaneFont()
{
    QFont font = JapaneseFont();
    font.setPixelSize(15);
    return font;
}

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent)
    , global_(true)
    , doc_(global_, this)
    , qtDialogs_(std::make_unique<TQtFileDialogs>(this, [this] { return global_.SetFileName; }))
    , dialogs_(qtDialogs_.get())
{
    setObjectName(QStringLiteral("MainForm"));
    setFont(InterfaceFont());
    setWindowIcon(ProgramIcon());
    // The tool bar area offers no menu of its own.
    setContextMenuPolicy(Qt::NoContextMenu);

    BuildLayout();
    ApplyWindowLayout();
    BuildMainMenu();
    BuildPopupMenu();
    BuildToolBars();
    ConnectComponents();
    AttachRecordKeys();
    // Sees each key before Qt matches it against the shortcuts, to bring
    // the menus' enabling up to date (RefreshItemStates).
    qApp->installEventFilter(this);
    FormCreate(arguments);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    // FormDestroy: the history is saved and freed, the link flags go.
    history_.reset();
    global_.LinkColumns.clear();
    // The grid shows the document's table: it goes before the document.
    delete Splitter1;
    Splitter1 = nullptr;
    StringGrid_Main = nullptr;
    Memo_Main = nullptr;
    doc_.SetUi(nullptr);
}

void TMainForm::BuildLayout()
{
    TRecordTable& table = Table();
    table.SetColCount(kInitialCols);
    table.SetRowCount(kInitialRows);
    for (int col = 0; col < kInitialCols; ++col)
        table.SetColWidth(col, kDefaultColWidth);
    // The empty table the window starts with is nothing to undo.
    doc_.ResetHistory(true);
    ApplyUndoLimit();

    StringGrid_Main = new TStrSortGrid(table, this);
    StringGrid_Main->setObjectName(QStringLiteral("StringGrid_Main"));
    StringGrid_Main->SetGlobal(&global_);
    StringGrid_Main->SetSortOps(soBoth);
    StringGrid_Main->SetSpacing(0);

    Memo_Main = new QPlainTextEdit(this);
    Memo_Main->setObjectName(QStringLiteral("Memo_Main"));
    Memo_Main->setFont(PaneFont());
    Memo_Main->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_Main->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_Main->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_Main->setTabChangesFocus(false);
    Memo_Main->setContextMenuPolicy(Qt::CustomContextMenu);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(StringGrid_Main);
    Splitter1->addWidget(Memo_Main);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    setCentralWidget(Splitter1);
    BuildPreview();

    // Panel 0: position (centred), 1: record kind, 2: column meaning, 3: the
    // document's code.
    const int widths[4] = { 160, 100, 100, 80 };
    for (int i = 0; i < 4; ++i) {
        statusPanels_[i] = new QLabel(this);
        statusPanels_[i]->setFixedWidth(widths[i]);
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(statusPanels_[i]);
    }
    statusPanels_[0]->setAlignment(Qt::AlignCenter);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

QSize TMainForm::InitialWindowSize()
{
    return QSize(kInitialWidth, kInitialHeight);
}

void TMainForm::ApplyWindowLayout()
{
    TWindowLayout layout { InitialWindowSize(), kPaneHeight, false };
    if (const std::optional<TWindowLayout> stored = LoadWindowLayout())
        layout = *stored;
    // Never larger than the screen can show.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        layout.size = layout.size.boundedTo(screen->availableGeometry().size());
    resize(layout.size);
    // The grid takes what the window gains or loses; the pane keeps its height.
    const int pane = layout.paneHeight > 0 ? layout.paneHeight : kPaneHeight;
    Splitter1->setSizes({ std::max(layout.size.height() - pane, 1), pane });
    if (layout.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

TWindowLayout TMainForm::CurrentWindowLayout() const
{
    TWindowLayout layout;
    layout.maximized = isMaximized();
    layout.size = layout.maximized ? normalGeometry().size() : size();
    const QList<int> sizes = Splitter1->sizes();
    layout.paneHeight = sizes.size() > 1 ? sizes.at(1) : Memo_Main->height();
    return layout;
}

void TMainForm::ConnectComponents()
{
    connect(StringGrid_Main, &TStrSortGrid::CurrentCellChanged, this, &TMainForm::StringGrid_MainSelectCell);
    connect(StringGrid_Main, &TStrSortGrid::CellTextEdited, this,
        [this](int col, int row, const QString&) { StringGrid_MainSetEditText(col, row); });
    connect(StringGrid_Main, &TStrSortGrid::ColumnSorted, this, &TMainForm::StringGrid_MainColumnSorted);
    connect(StringGrid_Main, &TStrSortGrid::RowMoved, this, &TMainForm::StringGrid_MainRowMoved);
    // A sort or a row drag is a step of its own, apart from the typing before.
    connect(StringGrid_Main, &TStrSortGrid::AboutToReorder, this, [this] { doc_.RecordHistory().Seal(); });
    connect(StringGrid_Main, &TStrSortGrid::MousePressed, this, [this] { StringGrid_MainMouseDown(); });
    connect(StringGrid_Main, &TStrSortGrid::MouseReleased, this,
        [this](int col, int row, Qt::MouseButton, const QPoint&) { StringGrid_MainMouseUp(col, row); });
    connect(StringGrid_Main, &TStrSortGrid::CellContextMenu, this, &TMainForm::StringGrid_MainContextPopup);
    connect(StringGrid_Main, &TStrSortGrid::Entered, this, &TMainForm::StringGrid_MainEnter);
    connect(Memo_Main, &QPlainTextEdit::textChanged, this, &TMainForm::Memo_MainChange);
    connect(Memo_Main, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { Memo_MainContextPopup(Memo_Main->mapToGlobal(pos)); });
    Memo_Main->installEventFilter(this);
    Memo_Main->viewport()->installEventFilter(this);
    ConnectFindReplace();
    ConnectPreview();
}

void TMainForm::FormCreate(const QStringList& arguments)
{
    global_.ProgramPath = RunningProgramPath();
    Table().SetColWidth(0, kRowNumberWidth);
    StringGrid_Main->RenumberRows(1, Table().RowCount() - 1);

    history_ = std::make_unique<TFileHistory>(
        kRecentFiles,
        [this](const std::string& path) {
            std::string name;
            OpenSetFile(ConvertTextCode(path, TextCode::ShiftJis, DocumentTextCode(), name) ? name : path);
        },
        [this] { return QuerySaveData(); });
    historyMenu_ = new TFileHistoryMenu(*history_, S3, N3);

    UpdateCaption();
    ShowCellPosition(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
    ShowCellKind(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());

    if (global_.StartupRead && !global_.LastFile.empty())
        OpenSetFile(global_.LastFile);
    // An argument comes after the remembered set, so it is the one shown.
    if (!arguments.isEmpty()) {
        std::string path;
        if (TQtFileDialogs::AcceptChosenName(QFileInfo(arguments.first()).absoluteFilePath(), path))
            OpenSetFile(path);
    }

    setAcceptDrops(true);
    QPalette pane = Memo_Main->palette();
    pane.setColor(QPalette::Base, QApplication::palette().color(QPalette::Base));
    Memo_Main->setPalette(pane);
}

void TMainForm::SetFileDialogs(IFileDialogs* dialogs)
{
    dialogs_ = dialogs ? dialogs : qtDialogs_.get();
}

void TMainForm::OpenSetFile(const std::string& path)
{
    if (doc_.ReadLxsFile(path) == ResultOk) {
        std::string holder;
        if (TRunLock::HeldElsewhere(global_.SetFileName, &holder))
            ShowMessageBox(holder.empty()
                    ? lexicana::Tr("このセットは別のプログラムが変換中です。\n"
                                   "その変換が終わるまで、このセットは変換できません。")
                    : FillArgs(lexicana::Tr("このセットは別のプログラムが変換中です（%1）。\n"
                                            "その変換が終わるまで、このセットは変換できません。"),
                        { holder }),
                "Lexicana", MbOk | MbIconWarning);
    }
    // Opening a set switches the document's code for a while, also when it
    // fails: links the preview built meanwhile are built again.
    previewPane_->NoteRecordsChanged();
    // The grid was reset under its current cell: show the cell it has now.
    SelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

// --- caption and status bar ---------------------------------------------------

namespace {

// A document name as shown: the untitled name in the interface language.
QString ShownName(const std::string& path, bool fullPath)
{
    if (path == kUntitledName)
        return lexicana::TrQ("無題");
    return QStringFromDoc(fullPath ? path : ExtractFileName(path));
}

} // namespace

QString TMainForm::CaptionText() const
{
    QString caption = ShownName(global_.SetFileName, global_.FullPath);
    if (global_.ItemDataModified)
        caption += QStringLiteral(" *");
    return caption + QStringLiteral(" - Lexicana");
}

void TMainForm::UpdateCaption()
{
    setWindowTitle(CaptionText());
    statusPanels_[3]->setText(QString::fromLatin1(TextCodeName(DocumentTextCode())));
}

QString TMainForm::StatusText(int panel) const
{
    return panel >= 0 && panel < 4 ? statusPanels_[panel]->text() : QString();
}

void TMainForm::ShowCellPosition(int col, int row)
{
    const TRecordTable& table = doc_.Grid();
    statusPanels_[0]->setText(lexicana::TrQ("%1行 %2列目 / %3行 %4列")
                                  .arg(row)
                                  .arg(col)
                                  .arg(table.RowCount() - 1)
                                  .arg(table.ColCount() - 1));
}

void TMainForm::ShowCellPosition()
{
    ShowCellPosition(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

void TMainForm::ShowOperationPosition()
{
    ShowCellPosition(global_.OpCol, global_.OpRow);
}

void TMainForm::ShowCellKind(int col, int row)
{
    const TRecordTable& table = doc_.Grid();
    const QString heading = QStringFromDoc(table.Cell(col, 0));
    if (row >= 1 && IsFileRecord(table, global_, row)) {
        statusPanels_[1]->setText(lexicana::TrQ("ファイルレコード"));
        QString role;
        if (col == global_.SortCol)
            role = heading;
        else if (col == global_.RecordCodeCol)
            role = lexicana::TrQ("レコード識別コード");
        else if (col == global_.FileNameCol)
            role = lexicana::TrQ("ファイル名");
        else if (col == global_.PartIDCol)
            role = lexicana::TrQ("パートＩＤ");
        else
            role = lexicana::TrQ("何も入力しないでください");
        statusPanels_[2]->setText(role);
    } else {
        statusPanels_[1]->setText(lexicana::TrQ("通常レコード"));
        statusPanels_[2]->setText(heading);
    }
}

// --- save questions and closing -----------------------------------------------

int TMainForm::AskSaveChanges(const std::string& path)
{
    return ShowMessageBox(
        FillArgs(lexicana::Tr("%1 への変更を保存しますか？"), { ShownName(path, global_.FullPath).toStdString() }),
        "Lexicana", MbYesNoCancel | MbIconWarning);
}

bool TMainForm::QuerySaveData()
{
    // Nothing replaces the records while a conversion works on them.
    if (ConversionRunning())
        return false;
    // A cell typed in and put back as it was is no change.
    StringGrid_Main->CloseEditor();
    doc_.RecordHistory().Seal();
    if (!global_.ItemDataModified)
        return true;
    switch (AskSaveChanges(global_.ItemFileName)) {
    case IdNo:
        return true;
    case IdYes:
        return doc_.SaveDlg() == FileOk;
    default:
        return false;
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Closing in the middle of a run is the run's cancel question first.
    if (ConversionRunning()) {
        if (converting_)
            converting_->CancelBottunClick();
        event->ignore();
        return;
    }
    if (!QuerySaveData()) {
        event->ignore();
        return;
    }
    global_.Save();
    SaveWindowLayout(CurrentWindowLayout());
    event->accept();
}

void TMainForm::LexicanaX1Click()
{
    close();
}

// --- dropped files ----------------------------------------------------------------

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    DropFiles(files);
}

void TMainForm::DropFiles(const QStringList& localFiles)
{
    if (localFiles.isEmpty())
        return;
    std::string path;
    if (!TQtFileDialogs::AcceptChosenName(localFiles.first(), path))
        return;
    if (QuerySaveData())
        OpenSetFile(path);
}

// --- what the document asks of the window ------------------------------------

bool TMainForm::AskItemFileSaveName(const std::string& currentName, std::string& path, int& filterIndex)
{
    return dialogs_->SaveItemFile(currentName, path, filterIndex);
}

bool TMainForm::AskSetFileSaveName(const std::string& currentName, std::string& path)
{
    return dialogs_->SaveSetFile(currentName, path);
}

void TMainForm::SelectCell(int col, int row)
{
    StringGrid_Main->SetCurrentCell(col, row);
    // Run the selection handling also when the cell was current already.
    StringGrid_MainSelectCell(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
}

void TMainForm::SetBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TMainForm::AddRecentFile(const std::string& path)
{
    // The recent files are kept in Shift_JIS whatever the document's code;
    // a name Shift_JIS cannot hold is not kept.
    std::string sjis;
    if (history_ && ConvertTextCode(path, DocumentTextCode(), TextCode::ShiftJis, sjis))
        history_->Add(sjis);
}

void TMainForm::ProcessEvents()
{
    // Only a conversion lets the window work meanwhile (its dialog can
    // cancel); other long loops keep the user out of the half-done table.
    if (!ConversionRunning())
        return;
    QElapsedTimer& clock = EventClock();
    if (clock.elapsed() - lastEvents_ < kEventIntervalMs)
        return;
    lastEvents_ = clock.elapsed();
    QCoreApplication::processEvents();
}

} // namespace lexicana
