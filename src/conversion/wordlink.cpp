#include "conversion/wordlink.h"

#include "common/messages.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "common/utils.h"
#include "conversion/linktext.h"
#include "conversion/wordlinkautomaton.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <numeric>

namespace lexicana {

namespace {
// Links written on this thread (LinksMadeOnThisThread).
thread_local long long t_linksMade = 0;
} // namespace

long long WordLink::LinksMadeOnThisThread()
{
    return t_linksMade;
}

namespace {

std::unique_ptr<RepStrs> MakeNode(std::string word, std::string link, int row)
{
    auto node = std::make_unique<RepStrs>();
    node->word = std::move(word);
    node->link = std::move(link);
    node->row = row;
    return node;
}

} // namespace

std::vector<TextSegment> SplitProtectedRegions(std::string_view text)
{
    std::vector<TextSegment> segments;
    const std::size_t n = text.size();
    std::size_t from = 0;
    // Each round scans what follows the last closing marker as a text of its own.
    while (from < n) {
        constexpr std::size_t none = std::string_view::npos;
        std::size_t open = none;
        std::size_t close = none;
        bool escape = false;
        for (std::size_t i = from; i < n;) {
            const std::size_t length = CharLength(text, i);
            if (length == 2) {
                escape = false; // a double-byte character consumes a pending escape
            } else if (escape) {
                escape = false;
                if (text[i] == '[' && open == none) {
                    open = i - 1;
                } else if (text[i] == ']') {
                    close = i - 1;
                    break;
                }
            } else if (text[i] == '\\') {
                escape = true;
            }
            i += length;
        }
        if (open == none && close == none) {
            segments.push_back({ from, n, true });
            break;
        }
        if (open != none) {
            segments.push_back({ from, open, true });
            if (close == none) {
                segments.push_back({ open + 2, n, false });
                break;
            }
            segments.push_back({ open + 2, close, false });
        } else {
            segments.push_back({ from, close, false });
        }
        from = close + 2;
    }
    return segments;
}

std::int64_t WordOrderLength(TextCode code, std::string_view word)
{
    if (code == TextCode::ShiftJis)
        return 4 * static_cast<std::int64_t>(word.size());
    std::int64_t length = 0;
    for (std::size_t i = 0; i < word.size();) {
        const auto lead = static_cast<unsigned char>(word[i]);
        const std::size_t bytes = CharLength(TextCode::Utf8, word, i);
        if (bytes == 1) {
            length += lead < 0x80 ? 4 : 1;
        } else {
            // Half-width katakana, U+FF61 .. U+FF9F: EF BD A1 .. EF BE 9F.
            const auto second = static_cast<unsigned char>(word[i + 1]);
            const auto third = bytes == 3 ? static_cast<unsigned char>(word[i + 2]) : 0;
            const bool halfWidthKana
                = lead == 0xEF && ((second == 0xBD && third >= 0xA1) || (second == 0xBE && third <= 0x9F));
            length += halfWidthKana ? 4 : 8;
        }
        i += bytes;
    }
    return length;
}

WordLink::WordLink(const StrGrid& linkTable, const std::string& filePlaceholder,
    const std::string& namePlaceholder, const std::string& wordPlaceholder, const std::string& linkTemplate,
    const LinkOptions& options, NodeMaker makeNode)
    : filePlaceholder_(filePlaceholder)
    , namePlaceholder_(namePlaceholder)
    , wordPlaceholder_(wordPlaceholder)
    , linkTemplate_(linkTemplate)
    , options_(options)
{
    Build(linkTable, makeNode, nullptr);
}

WordLink::WordLink(StrGrid&& linkTable, const std::string& filePlaceholder, const std::string& namePlaceholder,
    const std::string& wordPlaceholder, const std::string& linkTemplate, const LinkOptions& options)
    : filePlaceholder_(filePlaceholder)
    , namePlaceholder_(namePlaceholder)
    , wordPlaceholder_(wordPlaceholder)
    , linkTemplate_(linkTemplate)
    , options_(options)
{
    Build(linkTable, nullptr, &linkTable);
}

void WordLink::Build(const StrGrid& linkTable, NodeMaker makeNode, StrGrid* discard)
{
    if (makeNode == nullptr)
        makeNode = MakeNode;
    const int entries = linkTable.RowTotal();
    const bool hasAliases = linkTable.ColumnTotal() > 4;
    std::vector<std::unique_ptr<RepStrs>> made;
    made.reserve(static_cast<std::size_t>(std::max(entries, 0)));
    for (int entry = 0; entry < entries; ++entry) {
        const std::string& fileName = linkTable.Cell(0, entry);
        const std::string& name = linkTable.Cell(1, entry);
        const int row = linkTable.RowNumber(3, entry);
        auto add = [&](const std::string& word) {
            try {
                // Made whole before it is kept: a node without its parts
                // would be linked with nothing to make the link from.
                std::unique_ptr<RepStrs> node = makeNode(word, LinkText(fileName, name, word), row);
                if (options_.ignoreCase)
                    node->parts = std::make_unique<RepStrs::LinkParts>(RepStrs::LinkParts { fileName, name });
                made.push_back(std::move(node));
            } catch (const std::bad_alloc&) {
                ShowError(lexicana::Tr("メモリが足りません"));
            }
        };
        add(linkTable.Cell(2, entry));
        if (hasAliases)
            for (const std::string& alias : SplitAliases(linkTable.Cell(4, entry), options_.aliasSeparator))
                add(alias);
    }
    if (discard != nullptr)
        *discard = StrGrid(linkTable.ColumnTotal(), 0);

    // Each node goes before the first node whose word is not longer than its
    // own (by WordOrderLength): longest first, and among equal lengths the
    // later entry first. A stable sort of the reversed table order gives the
    // same list without walking it for every insertion.
    const TextCode code = DocumentTextCode();
    std::reverse(made.begin(), made.end());
    std::vector<std::int64_t> lengths(made.size());
    for (std::size_t k = 0; k < made.size(); ++k)
        lengths[k] = WordOrderLength(code, made[k]->word);
    std::vector<std::size_t> order(made.size());
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    std::stable_sort(order.begin(), order.end(),
        [&lengths](std::size_t a, std::size_t b) { return lengths[a] > lengths[b]; });
    std::vector<std::unique_ptr<RepStrs>> sorted;
    std::vector<std::int64_t> orderLengths;
    sorted.reserve(made.size());
    orderLengths.reserve(made.size());
    for (const std::size_t k : order) {
        sorted.push_back(std::move(made[k]));
        orderLengths.push_back(lengths[k]);
    }
    made = std::move(sorted);

    nodes_.reserve(made.size());
    for (const auto& node : made)
        nodes_.push_back(node.get());
    for (std::size_t k = made.size(); k-- > 0;) {
        made[k]->next = std::move(first_);
        first_ = std::move(made[k]);
    }
    count_ = static_cast<int>(nodes_.size());

    // With letter case ignored, words and texts are matched folded.
    if (options_.ignoreCase) {
        matchWords_.resize(nodes_.size());
        for (std::size_t k = 0; k < nodes_.size(); ++k)
            if (!FoldLatinCase(nodes_[k]->word, matchWords_[k]))
                matchWords_[k] = nodes_[k]->word;
    }
    std::vector<std::string_view> words;
    words.reserve(nodes_.size());
    for (std::size_t k = 0; k < nodes_.size(); ++k)
        words.push_back(MatchWord(static_cast<int>(k)));
    automaton_ = std::make_unique<WordLinkAutomaton>(words, orderLengths);
}

std::string WordLink::LinkText(
    const std::string& fileName, const std::string& name, std::string_view word) const
{
    std::string link = linkTemplate_;
    ReplaceAll(link, filePlaceholder_, fileName);
    ReplaceAll(link, namePlaceholder_, name);
    ReplaceAll(link, wordPlaceholder_, word);
    return link;
}

WordLink::~WordLink()
{
    // Unlink node by node: the default destruction of the chain would
    // recurse once per word.
    while (first_)
        first_ = std::move(first_->next);
}

std::size_t WordLink::AutomatonMemoryBytes() const
{
    return automaton_->MemoryBytes() + nodes_.capacity() * sizeof(const RepStrs*);
}

int WordLink::AutomatonNodeCount() const
{
    return automaton_->NodeCount();
}

namespace {

// The rows linked so far in one text, for linking only the first occurrence:
// a mark per row that holds the number of the text it was set in, so that
// starting a text clears nothing and allocates nothing.
class LinkedRows {
public:
    void StartText()
    {
        if (++text_ == 0) {
            std::fill(marks_.begin(), marks_.end(), 0);
            text_ = 1;
        }
        others_.clear();
    }
    // True when row had not been linked yet in this text.
    bool Insert(int row)
    {
        if (row < 0) { // not a grid row: rare, kept in a list
            if (std::find(others_.begin(), others_.end(), row) != others_.end())
                return false;
            others_.push_back(row);
            return true;
        }
        const auto index = static_cast<std::size_t>(row);
        if (index >= marks_.size())
            marks_.resize(index + 1, 0);
        if (marks_[index] == text_)
            return false;
        marks_[index] = text_;
        return true;
    }

private:
    std::vector<std::uint32_t> marks_;
    std::uint32_t text_ = 0;
    std::vector<int> others_;
};

thread_local LinkedRows t_linkedRows;

} // namespace

// The state of one text being linked.
struct WordLink::TextRun {
    TextRun(int row, Walk walk, std::string* out, std::vector<int>* targets, bool firstOnly)
        : row(row)
        , walk(walk)
        , out(out)
        , targets(targets)
    {
        if (firstOnly)
            t_linkedRows.StartText();
    }
    int row; // grid row of the record the text belongs to
    Walk walk;
    std::string* out; // the linked text, or nullptr when only targets are collected
    std::vector<int>* targets; // the rows linked to, or nullptr
    long long made = 0;
};

std::string WordLink::ApplyWordLinks(const std::string& text, int row) const
{
    std::string out;
    if (text.empty())
        return out;
    out.reserve(text.size() + text.size() / 2);
    TextRun run(row, Walk::Automaton, &out, nullptr, options_.firstOnly);
    Apply(text, run);
    linksMade_ += run.made;
    t_linksMade += run.made;
    return out;
}

std::string WordLink::ApplyWordLinksReference(const std::string& text, int row) const
{
    std::string out;
    TextRun run(row, Walk::Reference, &out, nullptr, options_.firstOnly);
    Apply(text, run);
    return out;
}

void WordLink::CollectLinkTargets(const std::string& text, int row, std::vector<int>& targets) const
{
    TextRun run(row, Walk::Automaton, nullptr, &targets, options_.firstOnly);
    Apply(text, run);
}

// Links the stretches of text outside protected regions and, when markup is
// skipped, outside markup; everything else is copied as it stands (the
// region markers themselves are left out).
void WordLink::Apply(std::string_view text, TextRun& run) const
{
    std::vector<TextRange> markup;
    if (options_.skipMarkup && text.find_first_of("<&") != std::string_view::npos)
        markup = FindMarkupRanges(text, options_.noLinkElements);
    auto copy = [&run](std::string_view part) {
        if (run.out != nullptr)
            run.out->append(part);
    };
    std::size_t m = 0;
    auto linkBetween = [&](std::size_t begin, std::size_t end) {
        std::size_t at = begin;
        while (at < end) {
            while (m < markup.size() && markup[m].end <= at)
                ++m;
            if (m == markup.size() || markup[m].begin >= end) {
                LinkStretch(text.substr(at, end - at), run);
                return;
            }
            if (markup[m].begin > at)
                LinkStretch(text.substr(at, markup[m].begin - at), run);
            const std::size_t from = std::max(at, markup[m].begin);
            const std::size_t stop = std::min(markup[m].end, end);
            copy(text.substr(from, stop - from));
            at = stop;
        }
    };
    if (text.find('\\') == std::string_view::npos) {
        linkBetween(0, text.size()); // no marker can be present
        return;
    }
    for (const TextSegment& segment : SplitProtectedRegions(text)) {
        if (segment.linked)
            linkBetween(segment.begin, segment.end);
        else
            copy(text.substr(segment.begin, segment.end - segment.begin));
    }
}

void WordLink::Emit(const RepStrs& node, std::string_view occurrence, TextRun& run) const
{
    bool link = linkToSelf_ || node.row != run.row;
    if (link && options_.firstOnly)
        link = t_linkedRows.Insert(node.row);
    if (!link) {
        if (run.out != nullptr)
            run.out->append(occurrence);
        return;
    }
    ++run.made;
    if (run.targets != nullptr)
        run.targets->push_back(node.row);
    if (run.out == nullptr)
        return;
    if (!options_.ignoreCase || occurrence == node.word)
        run.out->append(node.link);
    else
        run.out->append(LinkText(node.parts->file, node.parts->name, occurrence));
}

void WordLink::LinkStretch(std::string_view text, TextRun& run) const
{
    if (text.empty())
        return;
    thread_local std::string folded;
    thread_local std::vector<unsigned char> interior;
    std::string_view match = text;
    if (options_.ignoreCase && FoldLatinCase(text, folded))
        match = folded;
    const unsigned char* interiorFlags = nullptr;
    if (options_.wholeWords) {
        MarkWordInteriors(text, interior);
        interiorFlags = interior.data();
    }
    if (run.walk == Walk::Reference) {
        LinkStretchReference(text, match, interiorFlags, run);
        return;
    }
    thread_local std::vector<WordLinkAutomaton::Claim> claims;
    automaton_->FindClaims(match, claims, interiorFlags);
    std::size_t done = 0;
    // Without the options that decide per occurrence, what replaces a word
    // is known from its node alone.
    const bool plain = !options_.firstOnly && !options_.ignoreCase && run.out != nullptr && run.targets == nullptr;
    for (const auto& claim : claims) {
        const RepStrs& node = *nodes_[static_cast<std::size_t>(claim.word)];
        const std::size_t at = static_cast<std::size_t>(claim.position);
        if (run.out != nullptr)
            run.out->append(text.substr(done, at - done));
        if (plain) {
            const bool link = linkToSelf_ || node.row != run.row;
            run.out->append(link ? node.link : node.word);
            run.made += link;
        } else {
            Emit(node, text.substr(at, node.word.size()), run);
        }
        done = at + node.word.size();
    }
    if (run.out != nullptr)
        run.out->append(text.substr(done));
}

// The list walk. Linking a piece with the list from node n: find the first
// occurrence of n's word that starts on a character boundary of the piece
// (and, for whole words, neither starts nor ends inside a Latin word);
// without one, go on with node n + 1; with one, the result is (the text
// before it, linked from node n + 1) + replacement + (the text after it,
// linked from node n again). Instead of recursing, the pieces still to be
// linked and the replacements between them wait on a work list, so the
// depth of the walk does not grow with words or occurrences. Pieces are
// views of match (the text, folded when letter case is ignored); what is
// written comes from text at the same positions.
void WordLink::LinkStretchReference(
    std::string_view text, std::string_view match, const unsigned char* interior, TextRun& run) const
{
    struct Work {
        std::string_view piece;
        int node; // link piece from this list index on
        const RepStrs* emit; // or, when set, write what replaces this occurrence
    };
    auto offset
        = [&match](std::string_view piece) { return static_cast<std::size_t>(piece.data() - match.data()); };
    auto find = [&](std::string_view piece, std::string_view word) {
        std::size_t at = FindChars(piece, word);
        while (interior != nullptr && at != std::string_view::npos
            && (interior[offset(piece) + at] || interior[offset(piece) + at + word.size()]))
            at = FindChars(piece, word, at + CharLength(piece, at));
        return at;
    };
    std::vector<Work> work;
    work.push_back({ match, 0, nullptr });
    while (!work.empty()) {
        Work item = work.back();
        work.pop_back();
        if (item.emit != nullptr) {
            Emit(*item.emit, text.substr(offset(item.piece), item.piece.size()), run);
            continue;
        }
        std::string_view piece = item.piece;
        int k = item.node;
        while (k < count_ && !piece.empty()) {
            const std::string_view word = MatchWord(k);
            const std::size_t at = word.empty() ? std::string_view::npos : find(piece, word);
            if (at == std::string_view::npos) {
                ++k;
                continue;
            }
            // Linked later, in this order: the replacement, then the rest
            // of the piece from the same node; first the text before it.
            work.push_back({ piece.substr(at + word.size()), k, nullptr });
            work.push_back({ piece.substr(at, word.size()), 0, nodes_[static_cast<std::size_t>(k)] });
            piece = piece.substr(0, at);
            ++k;
        }
        if (run.out != nullptr)
            run.out->append(text.substr(offset(piece), piece.size()));
    }
}

} // namespace lexicana
