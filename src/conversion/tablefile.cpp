// Reading of the conversion table's lines into the grid, the options and the
// templates.
#include "conversion/tablefile.h"

#include "common/translate.h"
#include "common/utils.h"
#include "conversion/keytext.h"
#include "platform/doctext.h"

#include <algorithm>
#include <climits>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lexicana {

namespace {

// A Count above kMaxDataColumns (the most data columns a table can hold: far
// above any glossary, and low enough that a mistyped Count cannot exhaust
// memory) is refused.

enum class Section { None, Column, Title, Width, Tag, Link, HeadTable, MainTable, FootTable };

Section SectionOfHeader(const TGlobal& g, std::string_view line)
{
    // Tested in this order; both spellings of the record template section
    // fill the same list.
    const std::pair<const std::string*, Section> names[] = {
        { &g.SectionColumn, Section::Column },
        { &g.SectionTitle, Section::Title },
        { &g.SectionWidth, Section::Width },
        { &g.SectionTag, Section::Tag },
        { &g.SectionLink, Section::Link },
        { &g.SectionHeadTable, Section::HeadTable },
        { &g.SectionMainConversionTable, Section::MainTable },
        { &g.SectionMainConvertionTable, Section::MainTable },
        { &g.SectionFootTable, Section::FootTable },
    };
    for (const auto& [name, section] : names)
        if (EqualsIgnoreCase(line, *name))
            return section;
    return Section::None;
}

// Any line that begins with "[" ends a section, tested before comment
// removal and also inside a template block.
bool EndsSection(const std::string& line)
{
    return !line.empty() && line[0] == '[';
}

// Blanks and control characters (bytes up to 0x20) removed from both ends.
std::string_view TrimControls(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

[[noreturn]] void ThrowNotInteger(std::string_view text)
{
    throw std::runtime_error(
        FillArgs(lexicana::Tr("'%1' は有効な整数値ではありません"), { DocToUtf8(text) }));
}

// A decimal integer with optional leading blanks (spaces; a tab is a
// control character, not a blank) and sign; anything else (trailing text,
// an empty text, a value outside int) throws.
int ParseTableInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        ThrowNotInteger(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            ThrowNotInteger(text);
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            ThrowNotInteger(text);
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        ThrowNotInteger(text);
    return static_cast<int>(value);
}

// 1 true, 0 false, -1 neither (compared after trimming, case ignored).
int ParseFlag(std::string_view value)
{
    std::string_view v = TrimControls(value);
    if (EqualsIgnoreCase(v, "true"))
        return 1;
    if (EqualsIgnoreCase(v, "false"))
        return 0;
    return -1;
}

// One read of a table into its target. Headings and link flags that name a
// column the grid (or the flag array) does not have yet are kept aside and
// applied when the column exists, so that "[Title]" or "[Link]" may come
// before the Count that creates the column, and nothing is ever written
// outside the grid or the flag array.
class TableReader {
public:
    explicit TableReader(const TableTarget& target)
        : target_(target)
        , g_(target.global)
        , grid_(target.grid)
        , pendingColCount_(target.grid.ColCount())
        , usedColCount_(target.grid.UsedColCount(1))
    {
    }

    void ApplyDefaults();
    void Scan(TStringList& lines);
    // Settles the column count (only after a complete read), the headings
    // kept aside and a flag array covering every column of the grid.
    // Columns past Count where a record holds a non-empty cell stay, so
    // that no text of the item data is dropped; one that has no heading is
    // titled by its number.
    void Finish(bool complete);

private:
    std::size_t ReadKeySection(Section section, TStringList& lines, std::size_t first);
    std::size_t ReadTemplateSection(TStringList& target, const TStringList& lines, std::size_t first);
    void ApplyKey(Section section, std::string_view key, std::string_view value);
    void ApplyColumnKey(std::string_view key, std::string_view value);
    void ApplyTitle(std::string_view key, std::string_view value);
    void ApplyWidth(std::string_view key, std::string_view value);
    void ApplyTag(std::string_view key, std::string_view value);
    void ApplyLink(std::string_view key, std::string_view value);
    // The link option named by key, if it is one; true when it was.
    bool ApplyLinkOption(std::string_view key, std::string_view value, int flag);
    void ApplyLateTitles();

    const TableTarget& target_;
    TGlobal& g_;
    TRecordTable& grid_;
    int pendingColCount_;
    const int usedColCount_; // the grid's columns up to the last non-empty cell of a record
    std::map<int, std::string> lateTitles_;
    std::map<int, unsigned char> lateLinkFlags_;
};

void TableReader::ApplyDefaults()
{
    g_.SetTableDefaults();
    target_.headLines.clear();
    target_.mainLines.clear();
    target_.footLines.clear();
    g_.LinkColumns.clear();
}

void TableReader::Scan(TStringList& lines)
{
    std::size_t i = 0;
    while (i < lines.size()) {
        lines[i] = CutAtFirst(lines[i], ";");
        const Section section = SectionOfHeader(g_, lines[i]);
        switch (section) {
        case Section::None:
            ++i;
            break;
        case Section::HeadTable:
            i = ReadTemplateSection(target_.headLines, lines, i + 1);
            break;
        case Section::MainTable:
            i = ReadTemplateSection(target_.mainLines, lines, i + 1);
            break;
        case Section::FootTable:
            i = ReadTemplateSection(target_.footLines, lines, i + 1);
            break;
        case Section::Link:
            // Every "[Link]" starts again from all flags off.
            g_.LinkColumns.assign(static_cast<std::size_t>(pendingColCount_), 0);
            lateLinkFlags_.clear();
            i = ReadKeySection(section, lines, i + 1);
            break;
        default:
            i = ReadKeySection(section, lines, i + 1);
            break;
        }
    }
}

std::size_t TableReader::ReadKeySection(Section section, TStringList& lines, std::size_t first)
{
    std::size_t j = first;
    for (; j < lines.size() && !EndsSection(lines[j]); ++j) {
        lines[j] = CutAtFirst(lines[j], ";");
        std::string_view key, value;
        SplitKeyValue(lines[j], key, value);
        if (!key.empty())
            ApplyKey(section, key, value);
    }
    return j;
}

std::size_t TableReader::ReadTemplateSection(TStringList& target, const TStringList& lines, std::size_t first)
{
    target.clear();
    bool inBlock = false;
    std::size_t j = first;
    for (; j < lines.size() && !EndsSection(lines[j]); ++j) {
        const std::string& line = lines[j];
        if (EqualsIgnoreCase(line, g_.BlockStart))
            inBlock = true;
        else if (EqualsIgnoreCase(line, g_.BlockEnd))
            inBlock = false;
        else if (inBlock)
            target.push_back(line);
    }
    return j;
}

void TableReader::ApplyKey(Section section, std::string_view key, std::string_view value)
{
    switch (section) {
    case Section::Column:
        ApplyColumnKey(key, value);
        break;
    case Section::Title:
        ApplyTitle(key, value);
        break;
    case Section::Width:
        ApplyWidth(key, value);
        break;
    case Section::Tag:
        ApplyTag(key, value);
        break;
    case Section::Link:
        ApplyLink(key, value);
        break;
    default:
        break;
    }
}

void TableReader::ApplyColumnKey(std::string_view key, std::string_view value)
{
    if (EqualsIgnoreCase(key, "Count")) {
        int count = ParseTableInteger(value);
        if (count > kMaxDataColumns)
            throw std::runtime_error(
                FillArgs(lexicana::Tr("[Column] の Count の値 %1 が大きすぎます（上限 %2）"),
                    { std::to_string(count), std::to_string(kMaxDataColumns) }));
        // Fewer than one data column would leave nothing to edit.
        if (count < 1)
            count = 1;
        pendingColCount_ = count + 1;
        grid_.SetColCount(std::max({ pendingColCount_, g_.MinColCount, usedColCount_ }));
        ApplyLateTitles();
    } else if (EqualsIgnoreCase(key, "Sort")) {
        g_.SortCol = ParseTableInteger(value);
    } else if (EqualsIgnoreCase(key, "LinkedName")) {
        g_.LinkedNameCol = ParseTableInteger(value);
    } else if (EqualsIgnoreCase(key, "LinkedWord")) {
        g_.LinkedWordCol = ParseTableInteger(value);
    }
}

void TableReader::ApplyTitle(std::string_view key, std::string_view value)
{
    const int col = ParseTableInteger(key);
    if (col < 0)
        return;
    if (col < grid_.ColCount())
        grid_.SetCell(col, 0, std::string(value));
    else
        lateTitles_[col] = std::string(value);
}

void TableReader::ApplyWidth(std::string_view key, std::string_view value)
{
    const int col = ParseTableInteger(key);
    const int width = ParseTableInteger(value);
    if (col < 0 || col >= grid_.ColCount())
        throw std::runtime_error(
            FillArgs(lexicana::Tr("[Width] の列番号 %1 はグリッドの列の範囲（0～%2）外です"),
                { std::to_string(col), std::to_string(grid_.ColCount() - 1) }));
    grid_.SetColWidth(col, width);
}

void TableReader::ApplyTag(std::string_view key, std::string_view value)
{
    const std::pair<const char*, std::string TGlobal::*> tags[] = {
        { "Start", &TGlobal::PartStartMarker },
        { "End", &TGlobal::PartEndMarker },
        { "Anchor", &TGlobal::LinkTemplate },
        { "AnchorName", &TGlobal::AnchorTemplate },
        { "OuterRecordStart", &TGlobal::OuterRecordStart },
        { "OuterRecordEnd", &TGlobal::OuterRecordEnd },
        { "OuterFileRecordStart", &TGlobal::OuterFileRecordStart },
        { "OuterFileRecordEnd", &TGlobal::OuterFileRecordEnd },
        { "OuterDateStart", &TGlobal::OuterDateStart },
        { "OuterDateEnd", &TGlobal::OuterDateEnd },
        { "OuterTimeStart", &TGlobal::OuterTimeStart },
        { "OuterTimeEnd", &TGlobal::OuterTimeEnd },
        { "OuterVersionStart", &TGlobal::OuterVersionStart },
        { "OuterVersionEnd", &TGlobal::OuterVersionEnd },
        { "OuterLXVersionStart", &TGlobal::OuterLXVersionStart },
        { "OuterLXVersionEnd", &TGlobal::OuterLXVersionEnd },
        { "OuterLinkStart", &TGlobal::OuterLinkStart },
        { "OuterLinkEnd", &TGlobal::OuterLinkEnd },
    };
    for (const auto& [name, member] : tags) {
        if (EqualsIgnoreCase(key, name)) {
            g_.*member = std::string(value);
            return;
        }
    }
}

void TableReader::ApplyLink(std::string_view key, std::string_view value)
{
    const int flag = ParseFlag(value);
    if (EqualsIgnoreCase(key, "LinkToSelf")) {
        if (flag >= 0)
            g_.LinkToSelf = flag == 1;
        return;
    }
    if (ApplyLinkOption(key, value, flag))
        return;
    if (flag < 0)
        return;
    const int col = ParseTableInteger(key);
    if (col < 0)
        return;
    if (static_cast<std::size_t>(col) < g_.LinkColumns.size())
        g_.LinkColumns[static_cast<std::size_t>(col)] = static_cast<unsigned char>(flag);
    else
        lateLinkFlags_[col] = static_cast<unsigned char>(flag);
}

bool TableReader::ApplyLinkOption(std::string_view key, std::string_view value, int flag)
{
    LinkOptions& links = g_.Links;
    const std::pair<const char*, bool LinkOptions::*> flags[] = {
        { "WholeWords", &LinkOptions::wholeWords },
        { "SkipMarkup", &LinkOptions::skipMarkup },
        { "FirstOnly", &LinkOptions::firstOnly },
        { "IgnoreCase", &LinkOptions::ignoreCase },
    };
    for (const auto& [name, member] : flags) {
        if (EqualsIgnoreCase(key, name)) {
            if (flag >= 0)
                links.*member = flag == 1;
            return true;
        }
    }
    if (EqualsIgnoreCase(key, "AliasColumn")) {
        // Column 0 holds the row numbers, which would link everywhere.
        const int col = ParseTableInteger(value);
        links.aliasCol = col >= 1 ? col : -1;
    } else if (EqualsIgnoreCase(key, "AliasSeparator")) {
        const std::string_view separator = TrimControls(value);
        links.aliasSeparator = separator.empty() ? "|" : std::string(separator);
    } else if (EqualsIgnoreCase(key, "NoLinkElements")) {
        // Names separated by commas or spaces.
        links.noLinkElements.clear();
        std::string name;
        for (const char c : std::string(value) + ",") {
            if (c == ',' || c == ' ' || c == '\t') {
                if (!name.empty())
                    links.noLinkElements.push_back(name);
                name.clear();
            } else {
                name += c;
            }
        }
    } else {
        return false;
    }
    return true;
}

void TableReader::ApplyLateTitles()
{
    for (auto it = lateTitles_.begin(); it != lateTitles_.end();) {
        if (it->first < grid_.ColCount()) {
            grid_.SetCell(it->first, 0, std::move(it->second));
            it = lateTitles_.erase(it);
        } else {
            ++it;
        }
    }
}

void TableReader::Finish(bool complete)
{
    if (complete)
        grid_.SetColCount(std::max(pendingColCount_, usedColCount_));
    ApplyLateTitles();
    const int cols = grid_.ColCount();
    if (complete)
        g_.TableColCount = std::max(pendingColCount_, g_.MinColCount);
    g_.LinkColumns.resize(static_cast<std::size_t>(cols), 0);
    for (const auto& [col, flag] : lateLinkFlags_)
        if (col < cols)
            g_.LinkColumns[static_cast<std::size_t>(col)] = flag;
}

} // namespace

void ReadTableLines(const TableTarget& target, TStringList& lines)
{
    TableReader reader(target);
    reader.ApplyDefaults();
    try {
        reader.Scan(lines);
    } catch (...) {
        // What was read so far stays; the grid and flags stay consistent.
        reader.Finish(false);
        throw;
    }
    reader.Finish(true);
}

} // namespace lexicana
