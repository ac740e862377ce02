// The document's code: the code of its item data file (Shift_JIS or UTF-8).
// Taking a code on, converting the records and names to the other code (Save
// As in the other code), and converting a file read in the other code.
#include "common/messages.h"
#include "common/translate.h"
#include "document/document.h"
#include "platform/doctext.h"

#include <array>
#include <set>
#include <stdexcept>

namespace lexicana {

namespace {

// Adds the characters of bad (UTF-8, each once) to chars, keeping the order.
void AddChars(std::string& chars, std::set<std::string>& seen, const std::string& bad)
{
    for (std::size_t i = 0; i < bad.size(); i += CharLength(TextCode::Utf8, bad, i)) {
        std::string ch = bad.substr(i, CharLength(TextCode::Utf8, bad, i));
        if (seen.insert(ch).second)
            chars += ch;
    }
}

// "1, 2, 5" of at most 20 record numbers, then "...".
std::string RecordList(const std::vector<int>& rows)
{
    std::string list;
    for (std::size_t i = 0; i < rows.size() && i < 20; ++i)
        list += (i ? ", " : "") + std::to_string(rows[i]);
    if (rows.size() > 20)
        list += ", ...";
    return list;
}

// The file names the document keeps, which are in its code.
std::array<std::string*, 6> FileNames(TGlobal& global)
{
    return { &global.ItemFileName, &global.TableFileName, &global.SetFileName, &global.RepFileName,
        &global.HTMLDir, &global.InfoOutputList };
}

} // namespace

void TDocument::TakeItemFileCode(const TFileCode& code)
{
    const TextCode from = global_.ItemFileCode.code;
    SetItemFileCode(code);
    if (from == code.code)
        return;
    // The names go into the new code as far as it holds them; the table's
    // templates and markers are read again in it.
    for (std::string* name : FileNames(global_)) {
        std::string out;
        if (*name != kUntitledName && ConvertTextCode(*name, from, code.code, out))
            *name = std::move(out);
    }
    if (!TableFileLines.empty() && !global_.TableFileName.empty())
        ReadTableFile(global_.TableFileName);
}

void TDocument::SetItemFileCode(const TFileCode& code)
{
    global_.ItemFileCode = code;
    SetDocumentTextCode(code.code);
}

bool TDocument::PrepareCodeConversion(TextCode to, TCodeConversion& conversion)
{
    const TextCode from = global_.ItemFileCode.code;
    conversion.to = to;
    conversion.grid = grid_;
    conversion.names.clear();
    if (from == to)
        return true;
    // Everything is converted into copies: a character without a code
    // leaves the document exactly as it was.
    TRecordTable& converted = conversion.grid;
    std::string chars;
    std::set<std::string> seen;
    std::vector<int> rows;
    for (int row = 0; row < converted.RowCount(); ++row) {
        bool rowFailed = false;
        for (int col = 1; col < converted.ColCount(); ++col) {
            std::string out, bad;
            if (ConvertTextCode(converted.Cell(col, row), from, to, out, &bad)) {
                converted.SetCell(col, row, std::move(out));
            } else {
                AddChars(chars, seen, bad);
                rowFailed = true;
            }
        }
        if (rowFailed && row > 0)
            rows.push_back(row);
    }
    for (const std::string* name : FileNames(global_)) {
        std::string out, bad;
        if (*name == kUntitledName)
            out = *name; // the untitled name is a mark, shown in the interface's language
        else if (!ConvertTextCode(*name, from, to, out, &bad))
            AddChars(chars, seen, bad);
        conversion.names.push_back(std::move(out));
    }
    // The table is read again in the new code: its characters must have one.
    for (const std::string& line : TableFileLines) {
        std::string out, bad;
        if (!ConvertTextCode(line, from, to, out, &bad))
            AddChars(chars, seen, bad);
    }
    if (!chars.empty()) {
        std::string text = FillArgs(lexicana::Tr("次の文字は%1で表せないため保存できません。\r\n%2"),
            { TextCodeName(to), chars });
        if (!rows.empty())
            text += "\r\n" + FillArgs(lexicana::Tr("レコード : %1"), { RecordList(rows) });
        ShowError(text);
        return false;
    }
    return true;
}

void TDocument::CommitCodeConversion(TCodeConversion& conversion)
{
    if (conversion.to == global_.ItemFileCode.code)
        return;
    {
        TRecordPause pause(history_);
        grid_.SwapContent(conversion.grid);
    }
    const auto names = FileNames(global_);
    for (std::size_t i = 0; i < names.size() && i < conversion.names.size(); ++i)
        *names[i] = std::move(conversion.names[i]);
    SetItemFileCode({ conversion.to, false });
    // The table's templates and markers are read again in the new code; the
    // history held texts of the old one.
    if (!global_.TableFileName.empty())
        ReadTableFile(global_.TableFileName);
    ResetHistory(false);
}

bool TDocument::ConvertDocumentCode(TextCode to)
{
    TCodeConversion conversion;
    if (!PrepareCodeConversion(to, conversion))
        return false;
    CommitCodeConversion(conversion);
    return true;
}

} // namespace lexicana
