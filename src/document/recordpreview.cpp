#include "document/recordpreview.h"

#include "common/messages.h"
#include "common/pathutils.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "common/utils.h"
#include "conversion/filerecords.h"
#include "conversion/linktable.h"
#include "document/document.h"
#include "html/itemgeneration.h"
#include "platform/doctext.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace lexicana {

namespace {

// Takes the boxes of the calling thread while it lives: the preview shows
// what went wrong in its own text instead of a message box.
class SilentSink final : public IMessageSink {
public:
    SilentSink()
        : previous_(SetThreadMessageSink(this))
    {
    }
    ~SilentSink() override { SetThreadMessageSink(previous_); }
    SilentSink(const SilentSink&) = delete;
    SilentSink& operator=(const SilentSink&) = delete;
    int Show(const MessageRequest& request) override
    {
        if (text.empty())
            text = request.text;
        // The first button: a question is never answered with a change.
        return request.buttons() == MessageButtons::YesNo || request.buttons() == MessageButtons::YesNoCancel
            ? IdNo
            : IdOk;
    }
    std::string text; // the first message, UTF-8

private:
    IMessageSink* previous_;
};

// MakeItem stops at once while Converting is clear; the flag is set for the
// preview's own call and put back as it was.
class ConvertingOn {
public:
    explicit ConvertingOn(TGlobal& global)
        : global_(global)
        , was_(global.Converting)
    {
        global_.Converting = true;
    }
    ~ConvertingOn() { global_.Converting = was_; }
    ConvertingOn(const ConvertingOn&) = delete;
    ConvertingOn& operator=(const ConvertingOn&) = delete;

private:
    TGlobal& global_;
    bool was_;
};

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A UTF-8 explanation as a Shift_JIS paragraph of the preview.
std::string Note(const std::string& utf8)
{
    std::string sjis;
    if (!Utf8ToDoc(EscapeHtml(utf8), sjis))
        sjis = DocOf(EscapeHtml(utf8));
    return "<p class=\"lexicana-preview-note\"><i>" + sjis + "</i></p>\n";
}

std::string Joined(const TStringList& lines)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i];
    }
    return out;
}

std::uint64_t Mix(std::uint64_t seed, const std::string& text)
{
    const std::uint64_t h = std::hash<std::string_view>()(text);
    return seed ^ (h + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

// What the word links take from a row. File name and part ID share their
// columns with the texts of normal records: they count for file records only.
std::uint64_t RowKey(const TRecordTable& grid, const TGlobal& g, int row)
{
    std::uint64_t key = Mix(0, grid.Cell(g.RecordCodeCol, row));
    if (IsFileRecord(grid, g, row)) {
        key = Mix(key, grid.Cell(g.FileNameCol, row));
        key = Mix(key, grid.Cell(g.PartIDCol, row));
    }
    key = Mix(key, grid.Cell(g.LinkedNameCol, row));
    key = Mix(key, grid.Cell(g.LinkedWordCol, row));
    if (g.Links.aliasCol >= 0)
        key = Mix(key, grid.Cell(g.Links.aliasCol, row));
    return key;
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word)
{
    if (text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) != word[i])
            return false;
    return true;
}

// The value of the href attribute in a link template, placeholders kept;
// "" when the template has none. Walks by characters, so a trail byte is
// never taken for a letter of "href".
std::string HrefOfTemplate(std::string_view templ)
{
    for (std::size_t pos = 0; pos < templ.size(); pos += CharLength(templ, pos)) {
        if (!StartsWithNoCase(templ, pos, "href"))
            continue;
        std::size_t at = pos + 4;
        while (at < templ.size() && (templ[at] == ' ' || templ[at] == '\t'))
            ++at;
        if (at >= templ.size() || templ[at] != '=')
            continue;
        ++at;
        while (at < templ.size() && (templ[at] == ' ' || templ[at] == '\t'))
            ++at;
        if (at >= templ.size())
            return {};
        const char quote = templ[at];
        if (quote == '"' || quote == '\'') {
            const std::size_t end = templ.find(quote, at + 1);
            return std::string(templ.substr(at + 1, end == std::string_view::npos ? end : end - at - 1));
        }
        const std::size_t end = templ.find_first_of(" \t>", at);
        return std::string(templ.substr(at, end == std::string_view::npos ? end : end - at));
    }
    return {};
}

std::string_view WithoutDotSlash(std::string_view href)
{
    return href.substr(0, 2) == "./" ? href.substr(2) : href;
}

} // namespace

// The word links of one build and what they were built from.
class TPreviewLinks {
public:
    TGlobal settings { false };
    std::string settingsKey;
    int rowCount = 0;
    std::vector<std::uint64_t> rowKeys;
    StrGrid table { 4, 0 };
    std::unique_ptr<WordLink> words;
    std::string failure; // UTF-8; the links are then empty
    // The row of each link's href, made at the first lookup.
    std::unordered_map<std::string, int> rowOfHref;
};

// The cells the word links are made of, copied from the grid in one buffer:
// per row the record code, file name, part ID (both for file records only,
// as in RowKey), name, word and alias. Copying these short cells is all the
// document's thread does for a build; the table the conversion's code reads
// is made from them on the build's thread.
class TPreviewCells {
public:
    TPreviewCells(const TRecordTable& grid, const TGlobal& g)
        : cols_ { g.RecordCodeCol, g.FileNameCol, g.PartIDCol, g.LinkedNameCol, g.LinkedWordCol,
            g.Links.aliasCol }
        , colCount_(grid.ColCount())
        , rowCount_(grid.RowCount())
    {
        ends_.reserve(static_cast<std::size_t>(rowCount_) * kSlots);
        for (int row = 1; row < rowCount_; ++row)
            ForEachSlot(grid, g, row, [this](int, const std::string& cell) {
                bytes_ += cell;
                ends_.push_back(bytes_.size());
            });
    }

    int RowCount() const { return rowCount_; }

    // True when the grid's row holds the cells copied from it.
    bool SameRow(const TRecordTable& grid, const TGlobal& g, int row) const
    {
        bool same = true;
        ForEachSlot(
            grid, g, row, [&](int slot, const std::string& cell) { same = same && cell == At(row, slot); });
        return same;
    }

    // A table of the grid's size holding only the copied cells, in their
    // own columns, so that the parts and links are made from it as from the
    // grid.
    TRecordTable Table() const
    {
        int width = 0;
        for (const int col : cols_)
            if (Inside(col))
                width = std::max(width, col + 1);
        TRecordTable table(colCount_, rowCount_);
        for (int row = 1; row < rowCount_; ++row) {
            std::vector<std::string> cells(static_cast<std::size_t>(width));
            for (int slot = 0; slot < kSlots; ++slot) {
                const int col = cols_[static_cast<std::size_t>(slot)];
                const std::string_view cell = At(row, slot);
                if (Inside(col) && !cell.empty())
                    cells[static_cast<std::size_t>(col)] = cell;
            }
            table.SetRow(row, std::move(cells));
        }
        return table;
    }

private:
    static constexpr int kSlots = 6;

    bool Inside(int col) const { return col >= 0 && col < colCount_; }

    template <class Fn> void ForEachSlot(const TRecordTable& grid, const TGlobal& g, int row, Fn&& fn) const
    {
        static const std::string empty;
        const bool fileRecord = IsFileRecord(grid, g, row);
        for (int slot = 0; slot < kSlots; ++slot) {
            const int col = cols_[static_cast<std::size_t>(slot)];
            const bool counts = Inside(col) && (fileRecord || (slot != 1 && slot != 2));
            fn(slot, counts ? grid.Cell(col, row) : empty);
        }
    }

    std::string_view At(int row, int slot) const
    {
        const std::size_t at = static_cast<std::size_t>(row - 1) * kSlots + static_cast<std::size_t>(slot);
        const std::size_t begin = at == 0 ? 0 : ends_[at - 1];
        return std::string_view(bytes_).substr(begin, ends_[at] - begin);
    }

    std::array<int, kSlots> cols_;
    int colCount_;
    int rowCount_;
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

TPreviewBuild::TPreviewBuild() = default;
TPreviewBuild::~TPreviewBuild() = default;

void TPreviewBuild::Run()
{
    SilentSink sink;
    // The cells are in the code they were copied in.
    const ThreadTextCode code(code_);
    TPreviewLinks& links = *links_;
    try {
        const TRecordTable grid = cells_->Table();
        links.rowKeys.resize(static_cast<std::size_t>(links.rowCount));
        for (int row = 1; row < links.rowCount; ++row)
            links.rowKeys[static_cast<std::size_t>(row)] = RowKey(grid, links.settings, row);
        // The counts GetFileRecord sets go to the copy of the settings.
        FileListGrid parts;
        const int found = GetFileRecord(grid, links.settings, parts);
        if (found == ResultOk)
            MakeLinkTable(grid, links.settings, parts, links.table);
        else if (found == PartTableNoFileRecord)
            links.failure = lexicana::Tr("ファイルレコードがひとつもありません");
        else
            links.failure = sink.text.empty() ? lexicana::Tr("リンクの一覧を作れませんでした。") : sink.text;
        links.words = MakeWordLink(links.table, links.settings);
    } catch (const std::exception& e) {
        links.failure = e.what();
        links.table = StrGrid(4, 0);
        // Without keys no row compares equal: the next change builds again.
        links.rowKeys.clear();
        links.rowCount = -1;
    }
    if (!links.words)
        links.words = MakeWordLink(StrGrid(4, 0), links.settings);
}

TRecordPreview::TRecordPreview(TDocument& doc)
    : doc_(doc)
{
}

TRecordPreview::~TRecordPreview() = default;

void TRecordPreview::RecordsChanged()
{
    dirty_ = true;
    ++generation_;
}

void TRecordPreview::CellChanged(int col, int row)
{
    const TGlobal& g = doc_.Global();
    if (col == g.RecordCodeCol || col == g.FileNameCol || col == g.PartIDCol || col == g.LinkedNameCol
        || col == g.LinkedWordCol || (g.Links.aliasCol >= 0 && col == g.Links.aliasCol))
        RowsChanged(row, row);
}

void TRecordPreview::RowsChanged(int first, int last)
{
    // While a build runs, a change from its snapshot makes it stale: it is
    // installed marked, and another build follows. Marked links without one
    // are built from the records as they will then stand.
    const TPreviewCells* before = building_.get();
    if (!before && (dirty_ || !links_))
        return;
    const TRecordTable& grid = doc_.Grid();
    const TGlobal& g = doc_.Global();
    if (grid.RowCount() != (before ? before->RowCount() : links_->rowCount)) {
        RecordsChanged();
        return;
    }
    first = std::max(first, 1);
    last = std::min(last, grid.RowCount() - 1);
    for (int row = first; row <= last; ++row) {
        const bool same = before ? before->SameRow(grid, g, row)
                                 : RowKey(grid, g, row) == links_->rowKeys[static_cast<std::size_t>(row)];
        if (!same) {
            RecordsChanged();
            return;
        }
    }
}

bool TRecordPreview::NeedsBuild() const
{
    return dirty_ || !links_ || links_->settingsKey != LinkSettings();
}

std::string TRecordPreview::LinkSettings() const
{
    const TGlobal& g = doc_.Global();
    std::string key;
    for (const int col : { g.RecordCodeCol, g.FileNameCol, g.PartIDCol, g.LinkedNameCol, g.LinkedWordCol,
             g.Links.aliasCol, int(g.LinkToSelf), int(g.Links.wholeWords), int(g.Links.skipMarkup),
             int(g.Links.firstOnly), int(g.Links.ignoreCase) })
        key += std::to_string(col) + ',';
    for (const std::string* text : { &g.FileRecordCode, &g.LinkTemplate, &g.PlaceholderFile,
             &g.PlaceholderName, &g.PlaceholderWord, &g.Links.aliasSeparator })
        key += *text + '\x01';
    for (const std::string& element : g.Links.noLinkElements)
        key += element + '\x02';
    return key;
}

std::unique_ptr<TPreviewBuild> TRecordPreview::PrepareBuild()
{
    std::unique_ptr<TPreviewBuild> build(new TPreviewBuild);
    build->generation_ = generation_;
    build->code_ = DocumentTextCode();
    auto links = std::make_unique<TPreviewLinks>();
    links->settings = doc_.Global();
    links->settings.PageText.clear();
    links->settingsKey = LinkSettings();
    links->rowCount = doc_.Grid().RowCount();
    build->links_ = std::move(links);
    build->cells_ = std::make_shared<const TPreviewCells>(doc_.Grid(), doc_.Global());
    building_ = build->cells_;
    return build;
}

std::unique_ptr<TPreviewBuild> TRecordPreview::Install(std::unique_ptr<TPreviewBuild> build)
{
    if (build && build->cells_ == building_)
        building_.reset(); // the build keeps its snapshot, freed with it
    if (!build || !build->links_ || !build->links_->words)
        return build;
    links_.swap(build->links_);
    ++builds_;
    dirty_ = build->generation_ != generation_;
    return build;
}

void TRecordPreview::Build()
{
    if (!NeedsBuild())
        return;
    std::unique_ptr<TPreviewBuild> build = PrepareBuild();
    build->Run();
    build = Install(std::move(build));
}

int TRecordPreview::FileRecordAbove(int row) const
{
    const TRecordTable& grid = doc_.Grid();
    for (int r = std::min(row, grid.RowCount() - 1); r >= 1; --r)
        if (IsFileRecord(grid, doc_.Global(), r))
            return r;
    return 0;
}

std::string TRecordPreview::PagePath(int row) const
{
    const int fileRow = FileRecordAbove(row);
    if (fileRow < 1)
        return {};
    const TGlobal& g = doc_.Global();
    const std::string& file = doc_.Grid().Cell(g.FileNameCol, fileRow);
    return g.HTMLDir.empty() ? file : IncludeTrailingSeparator(g.HTMLDir) + file;
}

std::string TRecordPreview::Html(int row, bool build)
{
    const TRecordTable& grid = doc_.Grid();
    if (row < 1 || row >= grid.RowCount())
        return {};
    if (doc_.IsRunning())
        return Note(lexicana::Tr("変換中はプレビューを表示しません。"));
    const TGlobal& g = doc_.Global();
    if (g.TableFileName.empty() || g.TableColCount == 0)
        return Note(lexicana::Tr("変換テーブルが読み込まれていないため、プレビューを表示できません。"));
    if (FileRecordAbove(row) < 1)
        return Note(lexicana::Tr("このレコードは最初のファイルレコードより前にあるため、変換されません。"));
    if (build)
        Build();
    std::string html;
    if (links_ && !links_->failure.empty())
        html = Note(links_->failure);
    try {
        html += IsFileRecord(grid, g, row) ? HeadHtml(row) : ItemHtml(row);
    } catch (const std::exception& e) {
        html += Note(e.what());
    }
    return html;
}

std::string TRecordPreview::ItemHtml(int row)
{
    SilentSink sink;
    TGlobal& g = doc_.Global();
    TStringList mainLines = doc_.MainTableLines;
    ColumnFlags columnUsed;
    MarkUsedColumns(doc_.Grid(), mainLines, columnUsed);
    TStringList lines = mainLines;
    IConversionProgress silent;
    TRunOutcome outcome;
    const TRunTarget target;
    const PageInputs in { doc_.Grid(), g, doc_.HeadTableLines, mainLines, doc_.FootTableLines, lines, silent,
        outcome, target };
    static const std::unique_ptr<WordLink> noLinks = MakeWordLink(StrGrid(4, 0), TGlobal(false));
    const WordLink& words = links_ && links_->words ? *links_->words : *noLinks;
    int result = 0;
    {
        ConvertingOn converting(g);
        result = MakeItem(in, lines, words, row, columnUsed);
    }
    if (result != 0)
        return Note(sink.text.empty() ? lexicana::Tr("プレビューを作れませんでした。") : sink.text);
    return Joined(lines);
}

std::string TRecordPreview::HeadHtml(int row)
{
    SilentSink sink;
    const TGlobal& g = doc_.Global();
    TStringList lines = doc_.HeadTableLines;
    if (HeadFootStrings(g, lines) != 0)
        return Note(sink.text.empty() ? lexicana::Tr("プレビューを作れませんでした。") : sink.text);
    const TRecordTable& grid = doc_.Grid();
    return Note(FillArgs(lexicana::Tr("ページ %1 のパート「%2」の先頭"),
               { DocToUtf8(grid.Cell(g.FileNameCol, row)), DocToUtf8(grid.Cell(g.PartIDCol, row)) }))
        + Joined(lines);
}

int TRecordPreview::RowOfLink(const std::string& href)
{
    Build();
    if (!links_)
        return -1;
    if (links_->rowOfHref.empty()) {
        const TGlobal& s = links_->settings;
        const std::string pattern = HrefOfTemplate(s.LinkTemplate);
        if (pattern.empty())
            return -1;
        const StrGrid& table = links_->table;
        links_->rowOfHref.reserve(static_cast<std::size_t>(table.RowTotal()));
        for (int entry = 0; entry < table.RowTotal(); ++entry) {
            std::string link = pattern;
            ReplaceAll(link, s.PlaceholderFile, table.Cell(0, entry));
            ReplaceAll(link, s.PlaceholderName, table.Cell(1, entry));
            ReplaceAll(link, s.PlaceholderWord, table.Cell(2, entry));
            // The first record of a link wins, as the page's browser would jump.
            links_->rowOfHref.try_emplace(
                std::string(WithoutDotSlash(link)), std::stoi(table.Cell(3, entry)));
        }
    }
    const auto it = links_->rowOfHref.find(std::string(WithoutDotSlash(href)));
    return it == links_->rowOfHref.end() ? -1 : it->second;
}

} // namespace lexicana
