#include "data/itemfile.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "platform/filesystem.h"
#include "platform/doctext.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace lexicana {

namespace {

// Length of the character at pos. A lead byte pairs only with a byte that
// can follow it (0x40 and up): a stray lead byte before a CR, LF, tab or
// quote is then one character of its own, so escaping and quote doubling
// still catch that byte and no raw line break or separator slips into a line.
inline std::size_t CharLengthAt(TextCode code, std::string_view text, std::size_t pos)
{
    if (code == TextCode::Utf8)
        return CharLength(TextCode::Utf8, text, pos);
    if (IsSjisLeadByte(text[pos]) && pos + 1 < text.size()
        && static_cast<unsigned char>(text[pos + 1]) >= 0x40)
        return 2;
    return 1;
}

// Length of the character after an escaping backslash. The writer puts a
// backslash before a stray lead byte whose next byte it escapes (so that the
// lead byte does not pair with that escape's backslash); a lead byte right
// after an escaping backslash therefore never pairs with a backslash.
inline std::size_t EscapedLengthAt(TextCode code, std::string_view text, std::size_t pos)
{
    if (pos + 1 < text.size() && text[pos + 1] == '\\')
        return 1;
    return CharLengthAt(code, text, pos);
}

// The escape written for a single byte, or nullptr when the byte is copied.
// escapeTabs: the tab form writes a tab inside a cell as "\t", since a raw
// tab separates its fields.
inline const char* EscapeOf(char ch, bool escapeTabs)
{
    switch (ch) {
    case '\\':
        return "\\\\";
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\t':
        return escapeTabs ? "\\t" : nullptr;
    default:
        return nullptr;
    }
}

// Appends text escaped (and, when doubleQuotes, with every quote doubled).
// A stray lead byte before an escaped byte gets a backslash of its own: it
// would otherwise pair with the escape's backslash when read back.
void AppendEscaped(std::string& out, std::string_view text, TextCode code, bool escapeTabs, bool doubleQuotes)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (const std::size_t length = CharLengthAt(code, text, pos); length > 1) {
            out.append(text, pos, length);
            pos += length;
            continue;
        }
        const char ch = text[pos++];
        if (const char* escape = EscapeOf(ch, escapeTabs)) {
            out += escape;
        } else if (doubleQuotes && ch == '"') {
            out += "\"\"";
        } else {
            if (code == TextCode::ShiftJis && IsSjisLeadByte(ch) && pos < text.size() && EscapeOf(text[pos], escapeTabs))
                out += '\\';
            out += ch;
        }
    }
}

// Unescapes text; tabEscape also turns "\t" into a tab.
std::string Unescape(std::string_view text, TextCode code, bool tabEscape)
{
    if (text.find('\\') == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t len = CharLengthAt(code, text, pos);
        if (len == 1 && text[pos] == '\\' && pos + 1 < text.size()) {
            ++pos;
            const char next = text[pos];
            if (next == 'r') {
                out += '\r';
            } else if (next == 'n') {
                out += '\n';
            } else if (tabEscape && next == 't') {
                out += '\t';
            } else {
                // Any other character after the backslash stands for itself.
                const std::size_t escaped = EscapedLengthAt(code, text, pos);
                out.append(text, pos, escaped);
                pos += escaped;
                continue;
            }
            ++pos;
            continue;
        }
        out.append(text, pos, len);
        pos += len;
    }
    return out;
}

// Appends one field of a line: quotes doubled, the text escaped and, when
// quoting, enclosed in quotes. A quote byte is never a trail byte, so
// doubling every quote byte is doubling every quote character.
void AppendField(std::string& out, std::string_view text, TextCode code, char separator, bool quoting)
{
    if (quoting)
        out += '"';
    if (quoting && !text.empty() && text.find_first_not_of('"') == std::string_view::npos) {
        // A field made only of doubled quotes would read back with one quote
        // too many; an escaped first quote ("\"" reads as a quote) keeps the
        // cell as it is.
        out += '\\';
    }
    AppendEscaped(out, text, code, separator == '\t', true);
    if (quoting)
        out += '"';
}

// Where the line that begins at start ends: its first CR or LF, or the end
// of the text. A plain loop: find_first_of looks each byte up in the set
// with a library call, which made it the costliest step of reading a file.
std::size_t LineEnd(std::string_view text, std::size_t start)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* p = begin + start; p != end; ++p) {
        if (*p == '\n' || *p == '\r')
            return static_cast<std::size_t>(p - begin);
    }
    return text.size();
}

// The text without its trailing bytes of 0x20 or less (trail bytes are 0x40
// and up, so this never cuts a double-byte character).
std::string_view TrimTrailingBlanks(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 0x20)
        --end;
    return text.substr(0, end);
}

// The field text as stored: escapes undone when the text has a backslash.
std::string FinishCell(std::string&& cell, TextCode code, bool tabEscape)
{
    if (cell.find('\\') == std::string::npos)
        return std::move(cell);
    return Unescape(cell, code, tabEscape);
}

// The comma form reader, a state machine over the bytes of the line. The
// quote and the comma are single bytes that no trail byte equals, so the
// line is read byte by byte; runs of bytes that only append are copied as
// one block.
void ParseCommaFields(std::string_view line, TextCode code, std::vector<std::string>& cells)
{
    enum class State { FieldFirst, QuoteOpen, Plain, PlainQuote, Quoted, QuotedQuote };
    const std::size_t size = line.size();
    std::size_t pos = 0;
    while (true) {
        // FieldStart
        std::string cell;
        bool endedAtComma = false;
        const std::string_view rest = line.substr(pos);
        if (rest == "\"\"" || (rest.size() > 2 && rest[0] == '"' && rest[1] == '"' && rest[2] == ',')) {
            // An empty field: take the two quotes and the comma, if any.
            pos += 2;
            if (pos < size) {
                ++pos;
                endedAtComma = true;
            }
        } else {
            State state = State::FieldFirst;
            bool done = false;
            while (!done) {
                if (state == State::Quoted) {
                    // Everything up to the next quote belongs to the field.
                    std::size_t quote = line.find('"', pos);
                    if (quote == std::string_view::npos)
                        quote = size;
                    cell.append(line, pos, quote - pos);
                    pos = quote;
                } else if (state == State::Plain) {
                    // Everything up to the next quote or comma.
                    std::size_t stop = pos;
                    while (stop < size && line[stop] != '"' && line[stop] != ',')
                        ++stop;
                    cell.append(line, pos, stop - pos);
                    pos = stop;
                }
                const bool got = pos < size;
                const char ch = got ? line[pos++] : '\0';
                switch (state) {
                case State::FieldFirst:
                    if (!got) {
                        done = true;
                    } else if (ch == '"') {
                        state = State::QuoteOpen;
                    } else if (ch == ',') {
                        endedAtComma = done = true;
                    } else {
                        cell += ch;
                        state = State::Plain;
                    }
                    break;
                case State::QuoteOpen:
                    if (!got) {
                        cell += '"';
                        done = true;
                    } else if (ch == '"') {
                        cell += '"';
                        state = State::FieldFirst;
                    } else {
                        cell += ch;
                        state = State::Quoted;
                    }
                    break;
                case State::Plain:
                    if (!got) {
                        done = true;
                    } else if (ch == '"') {
                        state = State::PlainQuote;
                    } else if (ch == ',') {
                        endedAtComma = done = true;
                    } else {
                        cell += ch;
                    }
                    break;
                case State::PlainQuote:
                    if (!got) {
                        done = true; // the pending quote is dropped
                    } else if (ch == ',') {
                        endedAtComma = done = true;
                    } else if (ch == '"') {
                        cell += '"';
                        state = State::Plain;
                    } else {
                        cell += '"';
                        cell += ch;
                        state = State::Plain;
                    }
                    break;
                case State::Quoted:
                    if (!got) {
                        done = true;
                    } else if (ch == '"') {
                        state = State::QuotedQuote;
                    } else {
                        cell += ch;
                    }
                    break;
                case State::QuotedQuote:
                    if (!got) {
                        done = true;
                    } else if (ch == ',') {
                        endedAtComma = done = true;
                    } else if (ch == '"') {
                        cell += '"';
                        state = State::Quoted;
                    } else {
                        cell += '"';
                        cell += ch;
                        state = State::Quoted;
                    }
                    break;
                }
            }
        }
        // FieldEnd
        cells.push_back(FinishCell(std::move(cell), code, false));
        if (!endedAtComma)
            return;
    }
}

// The reader of the unquoted form: fields split at every raw separator byte,
// doubled quotes undoubled, escapes undone.
void ParseSeparatedFields(std::string_view line, TextCode code, char separator, std::vector<std::string>& cells)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        const std::string_view field = line.substr(start, end == std::string_view::npos ? end : end - start);
        std::string cell;
        if (field.find('"') == std::string_view::npos) {
            cell.assign(field);
        } else {
            cell.reserve(field.size());
            for (std::size_t i = 0; i < field.size(); ++i) {
                cell += field[i];
                if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"')
                    ++i;
            }
        }
        cells.push_back(FinishCell(std::move(cell), code, separator == '\t'));
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

// reason: what the reading function said (it names the file).
std::string ReadFailureText(const std::string& path, const std::string& reason)
{
    const std::string name = DocToUtf8(path);
    if (DirectoryExists(path))
        return lexicana::Tr("フォルダーはファイルとして読み込めません : ") + name;
    if (!PathExists(path))
        return lexicana::Tr("ファイルが見つかりません : ") + name;
    if (!reason.empty())
        return reason; // e.g. a device or FIFO, or no permission
    return lexicana::Tr("ファイルを読み込めません : ") + name;
}

} // namespace

std::string EscapeCellText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    AppendEscaped(out, text, DocumentTextCode(), false, false);
    return out;
}

std::string UnescapeCellText(std::string_view text)
{
    return Unescape(text, DocumentTextCode(), false);
}

std::string QuoteField(std::string_view text, bool quoting)
{
    if (!quoting)
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

std::vector<std::string> ParseCommaLine(std::string_view line)
{
    std::vector<std::string> cells;
    ParseCommaFields(line, DocumentTextCode(), cells);
    return cells;
}

std::vector<std::string> ParseTabLine(std::string_view line)
{
    std::vector<std::string> cells;
    ParseSeparatedFields(line, DocumentTextCode(), '\t', cells);
    return cells;
}

// Files from this size on are read by two threads.
constexpr std::size_t kParallelParseBytes = 1 << 20;

// The rows of a stretch of lines, and the widest row.
struct ParsedLines {
    std::vector<std::vector<std::string>> rows;
    int colCount = 0;
    int wideLine = 0; // the first line (from 1) with too many columns, or 0
};

// Parses the lines of text (CR LF, LF or CR each end a line; a final line end
// adds no empty line), each row without its trailing empty cells. Stops at
// the first line with more than kMaxDataColumns data columns.
ParsedLines ParseLines(std::string_view text, TextCode code, char separator, bool quoting, int colCount)
{
    ParsedLines out;
    out.colCount = colCount;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = LineEnd(text, start);
        std::vector<std::string> cells;
        cells.reserve(static_cast<std::size_t>(out.colCount));
        if (quoting)
            ParseCommaFields(text.substr(start, end - start), code, cells);
        else
            ParseSeparatedFields(text.substr(start, end - start), code, separator, cells);
        while (!cells.empty() && cells.back().empty())
            cells.pop_back();
        if (cells.size() > static_cast<std::size_t>(kMaxDataColumns) + 1) {
            out.wideLine = static_cast<int>(out.rows.size()) + 1;
            return out;
        }
        out.colCount = std::max(out.colCount, static_cast<int>(cells.size()));
        out.rows.push_back(std::move(cells));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return out;
}

int StrLoadFromFile(TRecordTable& grid, const std::string& path, char separator, bool quoting, int minColCount,
    TFileCode* readCode)
{
    try {
        std::string text, reason;
        if (ReadFileToString(path, text, &reason) != FileOk)
            throw std::runtime_error(ReadFailureText(path, reason));

        // The lines go straight into a new table, which replaces the grid's
        // content only when the whole file has been read.
        // The grid gets the columns up to the last one holding a non-empty
        // cell: empty fields at the end of a line hold nothing to keep, and a
        // line of many empty fields must not widen every row of the grid.
        TRecordTable loaded(std::max(minColCount, 1), 0);
        const TFileCode fileCode = DetectFileCode(text);
        const TextCode code = fileCode.code;
        const std::string_view all = std::string_view(text).substr(fileCode.bom ? kUtf8Bom.size() : 0);
        // A large file is read in two halves at once, split at a line start.
        std::size_t split = all.size();
        if (all.size() >= kParallelParseBytes && std::thread::hardware_concurrency() > 1) {
            split = LineEnd(all, all.size() / 2);
            if (split < all.size())
                split += split + 1 < all.size() && all[split] == '\r' && all[split + 1] == '\n' ? 2 : 1;
        }
        ParsedLines first, second;
        std::exception_ptr secondFailure;
        std::thread helper;
        if (split < all.size()) {
            try {
                helper = std::thread([&] {
                    try {
                        second = ParseLines(all.substr(split), code, separator, quoting, loaded.ColCount());
                    } catch (...) {
                        secondFailure = std::current_exception();
                    }
                });
            } catch (const std::system_error&) {
                split = all.size(); // no thread to be had: one reads it all
            }
        }
        try {
            first = ParseLines(all.substr(0, split), code, separator, quoting, loaded.ColCount());
        } catch (...) {
            if (helper.joinable())
                helper.join();
            throw;
        }
        if (helper.joinable())
            helper.join();
        if (first.wideLine == 0 && !secondFailure && second.wideLine > 0)
            first.wideLine = static_cast<int>(first.rows.size()) + second.wideLine;
        if (first.wideLine > 0)
            throw std::runtime_error(FillArgs(
                lexicana::Tr("項目データファイルの %1 行目は列が多すぎます（データ列の上限 %2） : %3"),
                { std::to_string(first.wideLine), std::to_string(kMaxDataColumns), DocToUtf8(path) }));
        if (secondFailure)
            std::rethrow_exception(secondFailure);
        loaded.SetColCount(std::max({ loaded.ColCount(), first.colCount, second.colCount }));
        for (ParsedLines* half : { &first, &second }) {
            for (std::vector<std::string>& cells : half->rows)
                loaded.AppendRow(std::move(cells));
            half->rows = {};
        }
        // An empty file still gives the heading row.
        if (loaded.RowCount() == 0)
            loaded.AppendRow({});

        const int kept = std::min(grid.ColCount(), loaded.ColCount());
        for (int col = 0; col < kept; ++col)
            loaded.SetColWidth(col, grid.ColWidth(col));
        grid.SwapContent(loaded);
        if (readCode)
            *readCode = fileCode;
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "StrLoadFromFile");
        return -2;
    }
}

int StrSaveToFile(TRecordTable& grid, const std::string& path, char separator, bool quoting, int fieldCount,
    const TFileCode* writeCode)
{
    try {
        const TFileCode fileCode = writeCode ? *writeCode : TFileCode { DocumentTextCode(), false };
        struct Trim {
            int col;
            int row;
            std::size_t length;
        };
        std::vector<Trim> trims;
        std::string out;
        // Every line has fieldCount fields, or more where its cells reach
        // further: a few rows with text in far columns do not pad every other
        // row to their width.
        const int padded = std::clamp(fieldCount, 1, std::max(grid.ColCount(), 1));
        std::vector<int> fields(static_cast<std::size_t>(grid.RowCount()));
        std::size_t estimate = 0;
        for (int row = 0; row < grid.RowCount(); ++row) {
            int count = std::max(padded, grid.UsedCellCount(row));
            // Cells that are blank once trimmed do not widen the line.
            while (count > padded && count > 1 && TrimTrailingBlanks(grid.Cell(count - 1, row)).empty())
                --count;
            fields[static_cast<std::size_t>(row)] = count;
            for (int col = 0; col < count; ++col)
                estimate += grid.Cell(col, row).size() + 4;
        }
        out.reserve(estimate + estimate / 16);
        if (fileCode.bom)
            out += kUtf8Bom;

        for (int row = 0; row < grid.RowCount(); ++row) {
            for (int col = 0; col < fields[static_cast<std::size_t>(row)]; ++col) {
                const std::string& cell = grid.Cell(col, row);
                std::string_view text = cell;
                if (col > 0) {
                    out += separator;
                    text = TrimTrailingBlanks(text);
                    if (text.size() != cell.size())
                        trims.push_back({ col, row, text.size() });
                }
                AppendField(out, text, fileCode.code, separator, quoting);
            }
            out += "\r\n";
        }
        // A first cell starting with the bytes of the byte-order mark would
        // be taken for the mark on reading: an escaping backslash keeps them
        // the cell's (only the tab form can start with a cell's bytes).
        const std::size_t contentStart = fileCode.bom ? kUtf8Bom.size() : 0;
        if (std::string_view(out).substr(contentStart).starts_with(kUtf8Bom))
            out.insert(contentStart, 1, '\\');

        std::string error;
        if (!SaveFileAtomically(path, out, &error))
            throw std::runtime_error(error);
        // The grid shows the texts as saved.
        for (const Trim& trim : trims)
            grid.SetCell(trim.col, trim.row, grid.Cell(trim.col, trim.row).substr(0, trim.length));
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "StrSaveToFile");
        return -2;
    }
}

} // namespace lexicana
