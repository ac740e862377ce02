#include "conversion/wordlink.h"

#include "common/messages.h"
#include "common/sjis.h"
#include "common/utils.h"
#include "conversion/wordlinkautomaton.h"

#include <algorithm>
#include <new>

namespace lexicana {

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
            const std::size_t length = SjisCharLength(text, i);
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

WordLink::WordLink(const StrGrid& linkTable, const std::string& filePlaceholder,
    const std::string& namePlaceholder, const std::string& wordPlaceholder, const std::string& linkTemplate,
    NodeMaker makeNode)
    : filePlaceholder_(filePlaceholder)
    , namePlaceholder_(namePlaceholder)
    , wordPlaceholder_(wordPlaceholder)
    , linkTemplate_(linkTemplate)
{
    if (makeNode == nullptr)
        makeNode = MakeNode;
    const int entries = linkTable.RowTotal();
    std::vector<std::unique_ptr<RepStrs>> made;
    made.reserve(static_cast<std::size_t>(std::max(entries, 0)));
    for (int entry = 0; entry < entries; ++entry) {
        try {
            const std::string& fileName = linkTable.Cell(0, entry);
            const std::string& name = linkTable.Cell(1, entry);
            const std::string& word = linkTable.Cell(2, entry);
            std::string link = linkTemplate_;
            ReplaceAll(link, filePlaceholder_, fileName);
            ReplaceAll(link, namePlaceholder_, name);
            ReplaceAll(link, wordPlaceholder_, word);
            made.push_back(makeNode(word, std::move(link), linkTable.RowNumber(3, entry)));
        } catch (const std::bad_alloc&) {
            ShowError("メモリが足りません");
        }
    }

    // Each node goes before the first node whose word is not longer than its
    // own: longest first, and among equal lengths the later entry first. A
    // stable sort of the reversed table order gives the same list without
    // walking it for every insertion.
    std::reverse(made.begin(), made.end());
    std::stable_sort(made.begin(), made.end(),
        [](const auto& a, const auto& b) { return a->word.size() > b->word.size(); });

    nodes_.reserve(made.size());
    for (const auto& node : made)
        nodes_.push_back(node.get());
    for (std::size_t k = made.size(); k-- > 0;) {
        made[k]->next = std::move(first_);
        first_ = std::move(made[k]);
    }
    count_ = static_cast<int>(nodes_.size());

    std::vector<std::string_view> words;
    words.reserve(nodes_.size());
    for (const RepStrs* node : nodes_)
        words.push_back(node->word);
    automaton_ = std::make_unique<WordLinkAutomaton>(words);
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

const std::string& WordLink::Replacement(const RepStrs& node, int row) const
{
    return (!linkToSelf_ && node.row == row) ? node.word : node.link;
}

std::string WordLink::ApplyWordLinks(const std::string& text, int row) const
{
    std::string out;
    if (text.empty())
        return out;
    out.reserve(text.size() + text.size() / 2);
    if (text.find('\\') == std::string::npos) {
        LinkSegment(text, row, out); // no marker can be present
        return out;
    }
    for (const TextSegment& segment : SplitProtectedRegions(text)) {
        const std::string_view part
            = std::string_view(text).substr(segment.begin, segment.end - segment.begin);
        if (segment.linked)
            LinkSegment(part, row, out);
        else
            out.append(part);
    }
    return out;
}

std::string WordLink::ApplyWordLinksReference(const std::string& text, int row) const
{
    std::string out;
    for (const TextSegment& segment : SplitProtectedRegions(text)) {
        const std::string_view part
            = std::string_view(text).substr(segment.begin, segment.end - segment.begin);
        if (segment.linked)
            LinkSegmentReference(part, row, out);
        else
            out.append(part);
    }
    return out;
}

void WordLink::LinkSegment(std::string_view text, int row, std::string& out) const
{
    thread_local std::vector<WordLinkAutomaton::Claim> claims;
    automaton_->FindClaims(text, claims);
    std::size_t done = 0;
    long long made = 0;
    for (const auto& claim : claims) {
        const RepStrs& node = *nodes_[static_cast<std::size_t>(claim.word)];
        out.append(text.substr(done, static_cast<std::size_t>(claim.position) - done));
        const std::string& replacement = Replacement(node, row);
        out.append(replacement);
        made += &replacement == &node.link;
        done = static_cast<std::size_t>(claim.position) + node.word.size();
    }
    linksMade_ += made;
    out.append(text.substr(done));
}

// The list walk. Linking a piece with the list from node n: find the first
// occurrence of n's word that starts on a character boundary of the piece;
// without one, go on with node n + 1; with one, the result is (the text
// before it, linked from node n + 1) + replacement + (the text after it,
// linked from node n again). Instead of recursing, the pieces still to be
// linked and the replacements between them wait on a work list, so the
// depth of the walk does not grow with words or occurrences.
void WordLink::LinkSegmentReference(std::string_view text, int row, std::string& out) const
{
    struct Work {
        std::string_view piece;
        const RepStrs* node; // link piece from this node on
        const std::string* replacement; // or, when set, append this
    };
    std::vector<Work> work;
    work.push_back({ text, first_.get(), nullptr });
    while (!work.empty()) {
        Work item = work.back();
        work.pop_back();
        if (item.replacement != nullptr) {
            out.append(*item.replacement);
            continue;
        }
        std::string_view piece = item.piece;
        const RepStrs* node = item.node;
        while (node != nullptr && !piece.empty()) {
            const std::size_t at = FindSjis(piece, node->word);
            if (at == std::string_view::npos) {
                node = node->next.get();
                continue;
            }
            // Linked later, in this order: the replacement, then the rest
            // of the piece from the same node; first the text before it.
            work.push_back({ piece.substr(at + node->word.size()), node, nullptr });
            work.push_back({ {}, nullptr, &Replacement(*node, row) });
            piece = piece.substr(0, at);
            node = node->next.get();
        }
        out.append(piece);
    }
}

} // namespace lexicana
