// Find and replace in the main window: the dialogs' requests run over the
// record table, the results shown in the grid and the text pane.
#include "app/findreplacecontroller.h"

#include "common/messages.h"
#include "common/textcode.h"
#include "common/stringlist.h"
#include "common/translate.h"
#include "common/utils.h"
#include "components/strsortgrid.h"
#include "components/uitext.h"
#include "document/document.h"
#include "platform/qdoctext.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>
#include <algorithm>
#include <string_view>

namespace lexicana {

namespace {

// Pending events are let through at most this often while cells are walked.
constexpr qint64 kEventIntervalMs = 50;

// "「X」(U+XXXX)" for each character, separated by "、".
QString CharacterList(const QString& characters)
{
    QString list;
    for (qsizetype i = 0; i < characters.size();) {
        const bool pair = characters.at(i).isHighSurrogate() && i + 1 < characters.size();
        const char32_t code = pair ? QChar::surrogateToUcs4(characters.at(i), characters.at(i + 1))
                                   : characters.at(i).unicode();
        const qsizetype length = pair ? 2 : 1;
        if (!list.isEmpty())
            list += lexicana::TrQ("、");
        list += lexicana::TrQ("「%1」(U+%2)")
                    .arg(characters.mid(i, length),
                        QStringLiteral("%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper());
        i += length;
    }
    return list;
}

} // namespace

// --- pane positions -------------------------------------------------------------

TPaneMap::TPaneMap(const std::string& cell)
{
    std::size_t pos = 0;
    int unit = 0;
    for (;;) {
        std::size_t lineEnd = cell.find("\r\n", pos);
        if (lineEnd == std::string::npos)
            lineEnd = cell.size();
        const std::string_view line(cell.data() + pos, lineEnd - pos);
        std::size_t chars = 0;
        for (std::size_t p = 0; p < line.size(); p += CharLength(line, p))
            ++chars;
        // Every character is one pane character unless some bytes decode
        // otherwise; only then is each character decoded on its own.
        const bool oneEach = static_cast<std::size_t>(QStringFromDoc(line).size()) == chars;
        for (std::size_t p = 0; p < line.size();) {
            const std::size_t length = CharLength(line, p);
            bytes_.push_back(pos + p);
            units_.push_back(unit);
            unit += oneEach ? 1 : static_cast<int>(QStringFromDoc(line.substr(p, length)).size());
            p += length;
        }
        if (lineEnd == cell.size())
            break;
        bytes_.push_back(lineEnd);
        units_.push_back(unit);
        ++unit;
        pos = lineEnd + 2;
    }
    bytes_.push_back(cell.size());
    units_.push_back(unit);
}

int TPaneMap::PaneOf(std::size_t pos) const
{
    const auto it = std::upper_bound(bytes_.begin(), bytes_.end(), pos);
    return units_[static_cast<std::size_t>(it - bytes_.begin()) - 1];
}

std::size_t TPaneMap::ByteOf(int unit) const
{
    const auto it = std::upper_bound(units_.begin(), units_.end(), std::max(unit, 0));
    return bytes_[static_cast<std::size_t>(it - units_.begin()) - 1];
}

QString PaneTextOfCell(const std::string& cell)
{
    TStringList lines;
    StrToStrs(cell, lines);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        shown << QStringFromDoc(line);
    return shown.join(QLatin1Char('\n'));
}

// --- controller -------------------------------------------------------------------

TFindReplaceController::TFindReplaceController(
    TDocument& document, TStrSortGrid* grid, QPlainTextEdit* pane, THooks hooks, QWidget* dialogParent)
    : QObject(dialogParent)
    , document_(document)
    , global_(document.Global())
    , grid_(grid)
    , pane_(pane)
    , hooks_(std::move(hooks))
{
    if (!hooks_.ShowCellInPane)
        hooks_.ShowCellInPane
            = [this](const std::string& text) { pane_->setPlainText(PaneTextOfCell(text)); };
    if (!hooks_.EnterGrid)
        hooks_.EnterGrid = [this] {
            grid_->setFocus(Qt::OtherFocusReason);
            global_.EditTarget = 0;
        };
    if (!hooks_.EnterPane)
        hooks_.EnterPane = [this] {
            pane_->setFocus(Qt::OtherFocusReason);
            global_.EditTarget = 1;
            QTextCursor cursor = pane_->textCursor();
            cursor.setPosition(0);
            pane_->setTextCursor(cursor);
        };
    if (!hooks_.CellsEdited)
        hooks_.CellsEdited = [this] { document_.Ui().UpdateCaption(); };

    FindDialog_SingleCell = new TFindDialog(dialogParent);
    ReplaceDialog_SingleCell = new TReplaceDialog(dialogParent);
    findDialog_ = FindDialog_SingleCell;
    replaceDialog_ = ReplaceDialog_SingleCell;
    // After each request the dialog that asked has the focus again: a box
    // shown meanwhile hands it to the main window, where the next Enter
    // would replace the selected match in the pane by a line break.
    auto fromDialog
        = [this](TFindDialog* dialog, void (TFindReplaceController::*handler)(const TFindRequest&)) {
              QPointer<TFindDialog> guarded(dialog);
              return [this, guarded, handler](const TFindRequest& request) {
                  (this->*handler)(request);
                  ReturnToDialog(guarded);
              };
          };
    connect(FindDialog_SingleCell, &TFindDialog::FindNextClicked, this,
        fromDialog(FindDialog_SingleCell, &TFindReplaceController::FindDialog_SingleCellFind));
    connect(ReplaceDialog_SingleCell, &TFindDialog::FindNextClicked, this,
        fromDialog(ReplaceDialog_SingleCell, &TFindReplaceController::FindDialog_SingleCellFind));
    connect(ReplaceDialog_SingleCell, &TReplaceDialog::ReplaceClicked, this,
        fromDialog(ReplaceDialog_SingleCell, &TFindReplaceController::ReplaceDialog_SingleCellReplace));
}

TFindReplaceController::~TFindReplaceController()
{
    delete findDialog_.data();
    delete replaceDialog_.data();
}

// --- menu commands ------------------------------------------------------------------

void TFindReplaceController::Menu_FindSingleCellClick()
{
    ShowDialog(FindDialog_SingleCell, true);
}

void TFindReplaceController::Menu_FindAllCellClick()
{
    ShowDialog(FindDialog_SingleCell, false);
}

void TFindReplaceController::Menu_ReplaceSingleCellClick()
{
    ShowDialog(ReplaceDialog_SingleCell, true);
}

void TFindReplaceController::Menu_ReplaceAllCellClick()
{
    ShowDialog(ReplaceDialog_SingleCell, false);
}

void TFindReplaceController::ShowDialog(TFindDialog* dialog, bool singleCell)
{
    grid_->CloseEditor();
    FocusPane();
    // The mode is the last command's, for both dialogs.
    global_.FindSingleCell = singleCell;
    FindDialog_SingleCell->SetAllCellMode(!singleCell);
    ReplaceDialog_SingleCell->SetAllCellMode(!singleCell);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->Edit_Find->setFocus(Qt::OtherFocusReason);
    dialog->Edit_Find->selectAll();
}

void TFindReplaceController::ReturnToDialog(TFindDialog* dialog)
{
    if (!dialog || !dialog->isVisible())
        return;
    dialog->raise();
    dialog->activateWindow();
    if (!dialog->focusWidget())
        dialog->Edit_Find->setFocus(Qt::OtherFocusReason);
}

void TFindReplaceController::FocusPane()
{
    if (global_.EditTarget == 1 && pane_->window()->focusWidget() == pane_) {
        pane_->setFocus(Qt::OtherFocusReason);
        return;
    }
    SyncPane();
    hooks_.EnterPane();
}

// --- requests ----------------------------------------------------------------------

std::optional<std::string> TFindReplaceController::Encode(const QString& text, const char* message) const
{
    QString unencodable;
    std::optional<std::string> bytes = DocFromQString(text, &unencodable);
    if (!bytes)
        ShowError(
            (lexicana::TrQ(message) + QStringLiteral("\r\n") + CharacterList(unencodable)).toStdString());
    return bytes;
}

bool TFindReplaceController::BeginRequest()
{
    // A conversion works on the records; a running request is not
    // interrupted by another.
    if (busy_ || grid_->IsReadOnly())
        return false;
    grid_->CloseEditor();
    busy_ = true;
    edited_ = false;
    eventClock_.start();
    SyncPane();
    return true;
}

void TFindReplaceController::EndRequest()
{
    busy_ = false;
}

void TFindReplaceController::FindDialog_SingleCellFind(const TFindRequest& request)
{
    if (busy_ || grid_->IsReadOnly())
        return;
    const std::optional<std::string> find = Encode(request.FindText,
        lexicana::TrMark("検索する文字列の次の文字はShift_JISで表せないため、検索できません。"));
    if (!find || !BeginRequest())
        return;
    try {
        TFindReplace(document_.Grid(), global_, *this).FindInCells(*find, request.Options);
    } catch (const std::exception& e) {
        ReportError(e, "FindInCells");
    }
    EndRequest();
}

void TFindReplaceController::ReplaceDialog_SingleCellReplace(const TFindRequest& request)
{
    if (busy_ || grid_->IsReadOnly())
        return;
    const std::optional<std::string> find = Encode(request.FindText,
        lexicana::TrMark("検索する文字列の次の文字はShift_JISで表せないため、置換できません。"));
    if (!find)
        return;
    const std::optional<std::string> replacement = Encode(request.ReplaceText,
        lexicana::TrMark("置換後の文字列の次の文字はShift_JISで表せないため、置換できません。"));
    if (!replacement || !BeginRequest())
        return;
    std::optional<std::size_t> count;
    try {
        // All the cells one replacement command changes are one undo step.
        TRecordStep step(document_.RecordHistory(),
            lexicana::Tr(
                request.Options.ReplaceAll ? lexicana::TrMark("すべて置換") : lexicana::TrMark("置換")));
        count = TFindReplace(document_.Grid(), global_, *this)
                    .ReplaceInCells(*find, *replacement, request.Options);
    } catch (const std::exception& e) {
        ReportError(e, "ReplaceInCells");
    }
    EndRequest();
    // Replace All says what it did, also when it found nothing.
    if (count && request.Options.ReplaceAll)
        ShowMessageBox(FillArgs(lexicana::Tr("%1 件置換しました。"), { std::to_string(*count) }),
            lexicana::Tr("置換"), MbOk | MbIconInformation);
}

// --- the view of the find steps -------------------------------------------------------

const std::string& TFindReplaceController::CurrentCell() const
{
    return document_.Grid().Cell(grid_->CurrentCol(), grid_->CurrentRow());
}

void TFindReplaceController::SyncPane()
{
    const std::string& cell = CurrentCell();
    if (pane_->toPlainText() != PaneTextOfCell(cell))
        hooks_.ShowCellInPane(cell);
}

int TFindReplaceController::CurrentCol() const
{
    return grid_->CurrentCol();
}

int TFindReplaceController::CurrentRow() const
{
    return grid_->CurrentRow();
}

void TFindReplaceController::GetSelection(std::size_t& start, std::size_t& length) const
{
    const QTextCursor cursor = pane_->textCursor();
    const TPaneMap map(CurrentCell());
    start = map.ByteOf(cursor.selectionStart());
    length = map.ByteOf(cursor.selectionEnd()) - start;
}

void TFindReplaceController::SetSelection(std::size_t start, std::size_t length)
{
    const TPaneMap map(CurrentCell());
    const int last = pane_->document()->characterCount() - 1;
    QTextCursor cursor = pane_->textCursor();
    cursor.setPosition(std::min(map.PaneOf(start), last));
    cursor.setPosition(std::min(map.PaneOf(start + length), last), QTextCursor::KeepAnchor);
    pane_->setTextCursor(cursor);
    pane_->ensureCursorVisible();
}

void TFindReplaceController::ShowCell(int col, int row)
{
    hooks_.EnterGrid();
    grid_->SetCurrentCell(col, row);
    SyncPane();
    hooks_.EnterPane();
}

void TFindReplaceController::ShowCellInGrid(int col, int row)
{
    hooks_.EnterGrid();
    grid_->SetCurrentCell(col, row);
    SyncPane();
}

void TFindReplaceController::CellReplaced(int col, int row)
{
    // The window shows the data modified from the first replacement on (a
    // question may still come), and the current cell's kind as it is now.
    const bool current = col == grid_->CurrentCol() && row == grid_->CurrentRow();
    if (current)
        hooks_.ShowCellInPane(document_.Grid().Cell(col, row));
    if (!edited_ || current)
        hooks_.CellsEdited();
    edited_ = true;
}

void TFindReplaceController::LetEventsRun()
{
    // Repaints and timers only: the user's input waits until the step is
    // done, so nothing changes the table under it.
    if (eventClock_.elapsed() < kEventIntervalMs)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    eventClock_.restart();
}

} // namespace lexicana
