#include "html/itemgeneration.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "common/textcode.h"
#include "common/utils.h"
#include "common/version.h"
#include "platform/localtime.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string_view>

namespace lexicana {

namespace {

// Placeholders of head and foot lines.
constexpr std::string_view kVersionTextPlaceholder = "{\\w}";
constexpr std::string_view kProductVersionPlaceholder = "{\\v}";
constexpr std::string_view kDatePlaceholder = "{\\d}";
constexpr std::string_view kTimePlaceholder = "{\\t}";

// ReplaceAll that builds into scratch and swaps, so that the buffers of the
// lines and of scratch are reused from one record to the next instead of
// being allocated for every replacement.
bool ReplaceAllReusing(
    std::string& text, std::string_view find, std::string_view replacement, std::string& scratch)
{
    std::size_t match = FindChars(text, find);
    if (match == std::string::npos)
        return false;
    scratch.clear();
    std::size_t copied = 0;
    while (match != std::string::npos) {
        scratch.append(text, copied, match - copied);
        scratch.append(replacement);
        copied = match + find.size();
        match = FindChars(text, find, copied);
    }
    scratch.append(text, copied, std::string::npos);
    text.swap(scratch);
    return true;
}

void ReplaceInLinesView(TStringList& lines, std::string_view pattern, std::string_view replacement)
{
    thread_local std::string scratch;
    for (std::string& line : lines)
        ReplaceAllReusing(line, pattern, replacement, scratch);
}

void SetHeadingPlaceholder(std::string& placeholder, const std::string& heading)
{
    placeholder.assign(1, '{');
    placeholder += heading;
    placeholder += '}';
}

void EscapeLine(std::string& line)
{
    if (line.find('\\') == std::string::npos)
        return;
    // Rewritten in place: no escape makes the text longer.
    const std::size_t size = line.size();
    std::size_t write = 0;
    bool pending = false;
    for (std::size_t read = 0; read < size;) {
        const char c = line[read];
        if (const std::size_t length = CharLength(line, read); length > 1) {
            for (std::size_t k = 0; k < length; ++k)
                line[write++] = line[read++];
            pending = false;
            continue;
        }
        ++read;
        if (!pending) {
            if (c == '\\' && read < size)
                pending = true; // the backslash itself is dropped
            else
                line[write++] = c;
            continue;
        }
        pending = false;
        if (c == 't')
            line[write++] = '\t';
        else if (c != '<' && c != '>')
            line[write++] = c;
    }
    line.resize(write);
}

// Appends the lines joined with LF (StrsToStr) straight onto out.
void AppendJoined(std::string& out, const TStringList& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i];
    }
}

// lines := a fresh copy of a template, taken as its whole text split into
// lines again. Template lines hold no line breaks as read, but a numeric
// placeholder rewritten to a heading that has one does: such a line becomes
// several lines here, and the heading placeholder is then cut in two.
void CopyTemplate(TStringList& lines, const TStringList& templ)
{
    const bool hasBreak = std::any_of(templ.begin(), templ.end(),
        [](const std::string& line) { return line.find_first_of("\r\n") != std::string::npos; });
    if (!hasBreak) {
        lines = templ; // reuses the buffers of the working list
        return;
    }
    lines.clear();
    for (const std::string& line : templ) {
        if (line.find_first_of("\r\n") == std::string::npos) {
            lines.push_back(line);
            continue;
        }
        // Every line break ends a line, the one after the line included.
        for (std::string& piece : SplitLines(line + "\r\n"))
            lines.push_back(std::move(piece));
    }
}

int PartRow(const FileListGrid& parts, int index)
{
    if (index < 0 || index >= parts.RowTotal())
        throw std::out_of_range("parts table entry " + std::to_string(index) + " does not exist");
    return std::stoi(parts.Cell(0, index));
}

} // namespace

void ReplaceInLines(TStringList& lines, const std::string& pattern, const std::string& replacement)
{
    ReplaceInLinesView(lines, pattern, replacement);
}

void ApplyItemEscapes(TStringList& lines)
{
    for (std::string& line : lines)
        EscapeLine(line);
}

void MarkUsedColumns(const TRecordTable& grid, TStringList& mainLines, ColumnFlags& columnUsed)
{
    const int columns = grid.ColCount();
    columnUsed.assign(static_cast<std::size_t>(columns), 0);
    std::string placeholder;
    for (int i = 0; i < columns; ++i) {
        SetHeadingPlaceholder(placeholder, grid.Cell(i, 0));
        const std::string numeric = "{\\" + std::to_string(i) + "}";
        for (std::string& line : mainLines) {
            if (FindChars(line, placeholder) != std::string::npos)
                columnUsed[static_cast<std::size_t>(i)] = 1;
            if (ReplaceAll(line, numeric, placeholder))
                columnUsed[static_cast<std::size_t>(i)] = 1;
        }
    }
}

int MakeItem(
    const PageInputs& in, TStringList& lines, const WordLink& links, int row, const ColumnFlags& columnUsed)
{
    try {
        const TRecordTable& grid = in.grid;
        const TGlobal& global = in.global;
        IConversionProgress& progress = in.progress;
        thread_local std::string placeholder;
        const int columns = grid.ColCount();
        for (int i = 1; i < columns; ++i) {
            if (static_cast<std::size_t>(i) < columnUsed.size() && columnUsed[static_cast<std::size_t>(i)]) {
                SetHeadingPlaceholder(placeholder, grid.Cell(i, 0));
                const std::string& cell = grid.Cell(i, row);
                if (global.IsLinkColumn(i))
                    ReplaceInLinesView(lines, placeholder, links.ApplyWordLinks(cell, row));
                else
                    ReplaceInLinesView(lines, placeholder, cell);
            }
            progress.ProcessEvents();
            if (!global.Converting)
                return RunCancelled;
        }
        // The anchor: a cell outside the grid (LinkedNameCol is not checked
        // when the table is read) reads as empty text.
        std::string anchor = global.AnchorTemplate;
        ReplaceAll(anchor, global.PlaceholderName, grid.Cell(global.LinkedNameCol, row));
        ReplaceInLinesView(lines, global.PlaceholderA, anchor);
        ApplyItemEscapes(lines);
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "MakeItem");
        return -2;
    } catch (...) {
        return -1;
    }
}

int HeadFootStrings(const TGlobal& global, TStringList& lines)
{
    try {
        // Date and time are read at the moment each one is replaced.
        ReplaceInLinesView(lines, kVersionTextPlaceholder, global.VersionText);
        ReplaceInLinesView(lines, kProductVersionPlaceholder, GetProductVersion());
        ReplaceInLinesView(lines, kDatePlaceholder, CurrentDateText());
        ReplaceInLinesView(lines, kTimePlaceholder, CurrentTimeText());
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "HeadFootStrings");
        return -2;
    } catch (...) {
        return -1;
    }
}

int MakeOnePart(const PageInputs& in, std::string& out, const FileListGrid& parts, const WordLink& links,
    const ColumnFlags& columnUsed, int index)
{
    // Exceptions other than std::exception go to the caller.
    try {
        TStringList& lines = in.workLines;
        const int first = PartRow(parts, index) + 1;
        const int end = PartRow(parts, index + 1);
        const int lastRow = in.grid.RowCount() - 1;

        // The results of MakeItem and HeadFootStrings are not used: a failure
        // there has been reported, and the working list goes on as it stands.
        CopyTemplate(lines, in.headLines);
        HeadFootStrings(in.global, lines);
        AppendJoined(out, lines);

        for (int row = first; row < end; ++row) {
            in.progress.SetRecord(row, lastRow);
            CopyTemplate(lines, in.mainLines);
            MakeItem(in, lines, links, row, columnUsed);
            if (!in.global.Converting)
                return RunCancelled;
            AppendJoined(out, lines);
        }

        CopyTemplate(lines, in.footLines);
        HeadFootStrings(in.global, lines);
        AppendJoined(out, lines);
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "MakeOnePart");
        return -2;
    }
}

} // namespace lexicana
