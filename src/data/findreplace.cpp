// Find and replace: byte-position search in cell texts (document's code) and the find
// and replace steps over the record table.
#include "data/findreplace.h"

#include "common/messages.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "data/global.h"
#include "data/recordtable.h"

#include <algorithm>

namespace lexicana {

namespace {

unsigned char Byte(std::string_view text, std::size_t pos)
{
    return static_cast<unsigned char>(text[pos]);
}

unsigned FoldByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// Lower-case letters of the double-byte Latin, Greek and Cyrillic alphabets
// map to their capitals; every other code stays.
unsigned FoldDouble(unsigned code)
{
    if (code >= 0x8281 && code <= 0x829A) // ａ-ｚ
        return code - 0x21;
    if (code >= 0x83BF && code <= 0x83D6) // α-ω
        return code - 0x20;
    if (code >= 0x8470 && code <= 0x847E) // а-н (0x847F is no character)
        return code - 0x30;
    if (code >= 0x8480 && code <= 0x8491) // о-я
        return code - 0x31;
    return code;
}

unsigned DoubleCode(std::string_view text, std::size_t pos)
{
    return (static_cast<unsigned>(Byte(text, pos)) << 8) | Byte(text, pos + 1);
}

// The code point of the UTF-8 character of length bytes at pos.
unsigned CodePoint(std::string_view text, std::size_t pos, std::size_t length)
{
    static constexpr unsigned kLeadMask[] = { 0, 0, 0x1F, 0x0F, 0x07 };
    unsigned code = Byte(text, pos) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (Byte(text, pos + i) & 0x3F);
    return code;
}

// Writes code point code over the length bytes at pos (code has that length).
void PutCodePoint(std::string& text, std::size_t pos, std::size_t length, unsigned code)
{
    static constexpr unsigned char kLeadBits[] = { 0, 0, 0xC0, 0xE0, 0xF0 };
    for (std::size_t i = length; i-- > 1;) {
        text[pos + i] = static_cast<char>(0x80 | (code & 0x3F));
        code >>= 6;
    }
    text[pos] = static_cast<char>(kLeadBits[length] | code);
}

// The UTF-8 counterpart of FoldDouble: small letters of the full-width Latin,
// Latin-1, Greek and Cyrillic alphabets map to their capitals, which take as
// many bytes.
unsigned FoldCodePoint(unsigned code)
{
    if ((code >= 0xFF41 && code <= 0xFF5A) // ａ-ｚ
        || (code >= 0x00E0 && code <= 0x00FE && code != 0x00F7) // à-þ
        || (code >= 0x03B1 && code <= 0x03C9 && code != 0x03C2) // α-ω
        || (code >= 0x0430 && code <= 0x044F)) // а-я
        return code - 0x20;
    return code;
}

// The Latin letters and digits of either width and "_" (and, in UTF-8, the
// letters of Latin-1).
bool IsWordCharAt(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return false;
    const std::size_t length = CharLength(text, pos);
    if (length > 1 && DocumentTextCode() == TextCode::Utf8) {
        const unsigned code = CodePoint(text, pos, length);
        return (code >= 0xFF10 && code <= 0xFF19) || (code >= 0xFF21 && code <= 0xFF3A)
            || (code >= 0xFF41 && code <= 0xFF5A)
            || (code >= 0x00C0 && code <= 0x00FF && code != 0x00D7 && code != 0x00F7);
    }
    if (length == 2) {
        const unsigned code = DoubleCode(text, pos);
        return (code >= 0x824F && code <= 0x8258) // ０-９
            || (code >= 0x8260 && code <= 0x8279) // Ａ-Ｚ
            || (code >= 0x8281 && code <= 0x829A); // ａ-ｚ
    }
    const unsigned char c = Byte(text, pos);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// find in the form the comparison uses: folded when case does not count.
std::string ComparisonForm(std::string_view find, bool fold)
{
    std::string form(find);
    if (!fold)
        return form;
    const bool utf8 = DocumentTextCode() == TextCode::Utf8;
    for (std::size_t i = 0; i < form.size();) {
        const std::size_t length = CharLength(form, i);
        if (length > 1 && utf8) {
            PutCodePoint(form, i, length, FoldCodePoint(CodePoint(form, i, length)));
        } else if (length == 2) {
            const unsigned code = FoldDouble(DoubleCode(form, i));
            form[i] = static_cast<char>(code >> 8);
            form[i + 1] = static_cast<char>(code & 0xFF);
        } else {
            form[i] = static_cast<char>(FoldByte(Byte(form, i)));
        }
        i += length;
    }
    return form;
}

// True when the characters of text from pos on are those of form (the
// comparison form of the find text), character for character: a double-byte
// character only ever matches a double-byte character.
bool SameCharsAt(std::string_view text, std::size_t pos, std::string_view form, bool fold)
{
    if (pos + form.size() > text.size())
        return false;
    const bool utf8 = DocumentTextCode() == TextCode::Utf8;
    for (std::size_t i = pos, j = 0; j < form.size();) {
        const std::size_t length = CharLength(text, i);
        if (length != CharLength(form, j))
            return false;
        if (length > 1 && utf8) {
            const unsigned code = CodePoint(text, i, length);
            if ((fold ? FoldCodePoint(code) : code) != CodePoint(form, j, length))
                return false;
        } else if (length == 2) {
            const unsigned code = fold ? FoldDouble(DoubleCode(text, i)) : DoubleCode(text, i);
            if (code != DoubleCode(form, j))
                return false;
        } else if ((fold ? FoldByte(Byte(text, i)) : Byte(text, i)) != Byte(form, j)) {
            return false;
        }
        i += length;
        j += length;
    }
    return true;
}

// A search of one find text: the comparison form is made once.
class TMatcher {
public:
    TMatcher(std::string_view find, const TFindOptions& options)
        : form_(ComparisonForm(find, !options.MatchCase))
        , fold_(!options.MatchCase)
        , wholeWord_(options.WholeWord)
    {
    }

    std::size_t Length() const { return form_.size(); }

    // Match at the character boundary pos whose preceding character is a
    // word character or not.
    bool At(std::string_view text, std::size_t pos, bool afterWordChar) const
    {
        if (form_.empty() || !SameCharsAt(text, pos, form_, fold_))
            return false;
        return !wholeWord_ || (!afterWordChar && !IsWordCharAt(text, pos + form_.size()));
    }

    // The first match (last when wantLast) lying wholly within [start, end).
    std::size_t Find(std::string_view text, std::size_t start, std::size_t end, bool wantLast) const
    {
        end = std::min(end, text.size());
        std::size_t found = kNoMatch;
        if (form_.empty() || end < form_.size())
            return found;
        const unsigned first = Byte(form_, 0);
        bool afterWordChar = false;
        for (std::size_t pos = 0; pos + form_.size() <= end;) {
            const unsigned char c = Byte(text, pos);
            if (pos >= start && (fold_ ? FoldByte(c) : c) == first && At(text, pos, afterWordChar)) {
                if (!wantLast)
                    return pos;
                found = pos;
            }
            if (wholeWord_)
                afterWordChar = IsWordCharAt(text, pos);
            pos += CharLength(text, pos);
        }
        return found;
    }

private:
    std::string form_;
    bool fold_;
    bool wholeWord_;
};

// The start of the character that ends at end (a character boundary > 0).
std::size_t StartOfCharBefore(std::string_view text, std::size_t end)
{
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < end; pos += CharLength(text, pos))
        last = pos;
    return last;
}

} // namespace

// --- search within one text -------------------------------------------------------

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view find, const TFindOptions& options)
{
    // Only a character boundary can start a match; the character before pos
    // decides the word boundary.
    std::size_t boundary = 0;
    bool afterWordChar = false;
    while (boundary < pos) {
        afterWordChar = IsWordCharAt(text, boundary);
        boundary += CharLength(text, boundary);
    }
    if (boundary != pos || pos > text.size())
        return false;
    return TMatcher(find, options).At(text, pos, afterWordChar);
}

std::size_t FindInRange(std::string_view text, std::string_view find, std::size_t start, std::size_t end,
    const TFindOptions& options)
{
    return TMatcher(find, options).Find(text, start, end, false);
}

std::size_t FindFromSelection(std::string_view text, std::size_t selStart, std::size_t selLength,
    std::string_view find, const TFindOptions& options)
{
    selStart = std::min(selStart, text.size());
    selLength = std::min(selLength, text.size() - selStart);
    const TMatcher matcher(find, options);
    if (options.Down) {
        // Past the first character of a selection, so that the match now
        // selected is not found again.
        std::size_t start = selStart;
        if (selLength > 0)
            start += CharLength(text, selStart);
        return matcher.Find(text, start, text.size(), false);
    }
    if (selStart == 0)
        return kNoMatch;
    // The range ends before the selection's last character, so that the
    // match now selected is not found again; it never ends inside a
    // double-byte character.
    const std::size_t end = selLength > 0 ? StartOfCharBefore(text, selStart + selLength) : selStart;
    return matcher.Find(text, 0, end, true);
}

std::size_t ReplaceAllInText(std::string& text, std::string_view find, std::string_view replacement,
    const TFindOptions& options, std::size_t* lastEnd)
{
    const TMatcher matcher(find, options);
    const std::size_t first = matcher.Find(text, 0, text.size(), false);
    if (first == kNoMatch)
        return 0;
    const bool replacementEndsInWord = !replacement.empty()
        && IsWordCharAt(replacement, StartOfCharBefore(replacement, replacement.size()));

    std::string out;
    out.reserve(text.size() + replacement.size());
    out.append(text, 0, first);
    std::size_t count = 0;
    std::size_t end = 0;
    // The character before pos in the text as it is being rewritten: after
    // a replacement that is the replacement's last character.
    bool afterWordChar = first > 0 && IsWordCharAt(text, StartOfCharBefore(text, first));
    for (std::size_t pos = first; pos < text.size();) {
        if (matcher.At(text, pos, afterWordChar)) {
            out.append(replacement);
            ++count;
            end = out.size();
            pos += matcher.Length();
            if (!replacement.empty())
                afterWordChar = replacementEndsInWord;
            continue;
        }
        const std::size_t length = CharLength(text, pos);
        afterWordChar = IsWordCharAt(text, pos);
        out.append(text, pos, length);
        pos += length;
    }
    text.swap(out);
    if (lastEnd)
        *lastEnd = end;
    return count;
}

// --- the order of the cells ----------------------------------------------------

bool NextCellOf(const TRecordTable& table, bool vertical, int& col, int& row)
{
    const int lastCol = table.ColCount() - 1;
    const int lastRow = table.RowCount() - 1;
    if (lastCol < 1 || lastRow < 1)
        return false;
    // A table that shrank under the position ends the walk in its last line.
    const int c = std::clamp(col, 1, lastCol);
    const int r = std::clamp(row, 1, lastRow);
    if (vertical) {
        if (row > lastRow || (c == lastCol && r == lastRow))
            return false;
        if (c < lastCol)
            col = c + 1, row = r;
        else
            col = 1, row = r + 1;
    } else {
        if (col > lastCol || (c == lastCol && r == lastRow))
            return false;
        if (r < lastRow)
            col = c, row = r + 1;
        else
            col = c + 1, row = 1;
    }
    return true;
}

bool AskContinueFromStart()
{
    return ShowMessageBox(lexicana::Tr("最後まで検索を行いました。\n最初から検索を続けますか？"),
               lexicana::Tr("検索終了"), MbYesNo)
        == IdYes;
}

// --- the commands ----------------------------------------------------------------

TFindReplace::TFindReplace(TRecordTable& table, TGlobal& global, IFindReplaceView& view)
    : table_(table)
    , global_(global)
    , view_(view)
{
}

bool TFindReplace::IsDataCell(int col, int row) const
{
    return col >= 1 && row >= 1 && col < table_.ColCount() && row < table_.RowCount();
}

long long TFindReplace::OrderIndex(int col, int row) const
{
    const long long cols = table_.ColCount() - 1;
    const long long rows = table_.RowCount() - 1;
    return global_.RepDirectVert ? (row - 1) * cols + (col - 1) : (col - 1) * rows + (row - 1);
}

void TFindReplace::StoreCell(int col, int row, std::string text)
{
    // Replacing a text by the same text changes nothing.
    if (table_.Cell(col, row) == text)
        return;
    table_.SetCell(col, row, std::move(text));
    global_.ItemDataModified = true;
    view_.CellReplaced(col, row);
}

bool TFindReplace::NextCell(int& col, int& row)
{
    if (NextCellOf(table_, global_.RepDirectVert, col, row))
        return true;
    if (!IsDataCell(1, 1))
        return false;
    // The last cell (of a table that may have shrunk meanwhile).
    col = std::clamp(col, 1, table_.ColCount() - 1);
    row = std::clamp(row, 1, table_.RowCount() - 1);
    view_.ShowCellInGrid(col, row);
    if (!AskContinueFromStart())
        return false;
    col = 1;
    row = 1;
    return true;
}

bool TFindReplace::FindInCells(std::string_view find, const TFindOptions& options)
{
    global_.FindMatched = false;
    view_.LetEventsRun();
    int col = view_.CurrentCol();
    int row = view_.CurrentRow();
    if (find.empty() || !IsDataCell(col, row))
        return false;
    std::size_t selStart = 0;
    std::size_t selLength = 0;
    view_.GetSelection(selStart, selLength);
    std::size_t pos = FindFromSelection(table_.Cell(col, row), selStart, selLength, find, options);
    if (pos != kNoMatch) {
        view_.SetSelection(pos, find.size());
        global_.FindMatched = true;
        return true;
    }
    if (global_.FindSingleCell)
        return false;
    // The following cells are searched in the table itself; the grid moves
    // only to the cell of a match (or to the last cell for the question).
    while (NextCell(col, row)) {
        view_.LetEventsRun();
        if (!IsDataCell(col, row))
            return false;
        // A cell entered has the caret at its start.
        pos = FindFromSelection(table_.Cell(col, row), 0, 0, find, options);
        if (pos != kNoMatch) {
            view_.ShowCell(col, row);
            view_.SetSelection(pos, find.size());
            global_.FindMatched = true;
            return true;
        }
    }
    return false;
}

std::size_t TFindReplace::ReplaceInCells(
    std::string_view find, std::string_view replacement, const TFindOptions& options)
{
    global_.FindMatched = false;
    if (find.empty() || !IsDataCell(view_.CurrentCol(), view_.CurrentRow()))
        return 0;
    return options.ReplaceAll ? ReplaceEverywhere(find, replacement, options)
                              : ReplaceSelection(find, replacement, options);
}

std::size_t TFindReplace::ReplaceSelection(
    std::string_view find, std::string_view replacement, const TFindOptions& options)
{
    const int col = view_.CurrentCol();
    const int row = view_.CurrentRow();
    std::size_t selStart = 0;
    std::size_t selLength = 0;
    view_.GetSelection(selStart, selLength);
    std::string text = table_.Cell(col, row);
    // Only a selected match is replaced; otherwise the step finds the next
    // match, as Find Next does.
    if (selLength != find.size() || !MatchesAt(text, selStart, find, options)) {
        FindInCells(find, options);
        return 0;
    }
    text.replace(selStart, selLength, replacement);
    StoreCell(col, row, std::move(text));
    // The caret goes beyond the inserted text in the direction of the
    // search, so that the replacement is not found again.
    view_.SetSelection(options.Down ? selStart + replacement.size() : selStart, 0);
    FindInCells(find, options);
    global_.FindMatched = true;
    return 1;
}

std::size_t TFindReplace::ReplaceEverywhere(
    std::string_view find, std::string_view replacement, const TFindOptions& options)
{
    int col = view_.CurrentCol();
    int row = view_.CurrentRow();
    std::size_t count = 0;
    std::size_t lastEnd = 0;
    std::string text = table_.Cell(col, row);
    if (const std::size_t n = ReplaceAllInText(text, find, replacement, options, &lastEnd); n > 0) {
        count += n;
        StoreCell(col, row, std::move(text));
        view_.SetSelection(lastEnd, 0);
    }
    if (global_.FindSingleCell)
        return count;

    const int startCol = col;
    const int startRow = row;
    const long long startIndex = OrderIndex(col, row);
    bool wrapped = false;
    for (;;) {
        if (!NextCellOf(table_, global_.RepDirectVert, col, row)) {
            // Started at the first cell: every cell has had its turn.
            if (wrapped || (startCol == 1 && startRow == 1) || !AskContinueFromStart())
                break;
            wrapped = true;
            col = 1;
            row = 1;
        }
        // After the start again the walk stops where it began.
        if (wrapped && OrderIndex(col, row) >= startIndex)
            break;
        view_.LetEventsRun();
        if (!IsDataCell(col, row))
            break;
        text = table_.Cell(col, row);
        if (const std::size_t n = ReplaceAllInText(text, find, replacement, options); n > 0) {
            count += n;
            StoreCell(col, row, std::move(text));
        }
    }
    return count;
}

} // namespace lexicana
