// How the claims are found
// ------------------------
// The list walk claims occurrences word by word in list order: each word
// takes, in every piece of text still free, its leftmost occurrence that
// starts on a character boundary of that piece, then the next one after it,
// and so on. A piece always starts either at the start of the text or right
// after a claimed occurrence, and its character boundaries are counted from
// its own start. The result depends only on which (word, position) pairs get
// claimed, and a pair can only be claimed if the word occurs there in the
// original text, so:
//
// 1. One backward pass of an Aho-Corasick automaton over the reversed words
//    gives, at every position q, the longest word that starts at q. The
//    shorter words starting at q are the chain of its prefixes that are
//    words (the "next shorter" link of each distinct word). The list is
//    ordered by order length, which strictly falls along such a chain (in
//    Shift_JIS it is the byte length; in UTF-8 it counts characters by their
//    Shift_JIS width), so the candidate words of q, in list order, are that
//    chain (each distinct word followed by its duplicates in list order).
// 2. Every position with a candidate gets one event keyed (list index of its
//    current candidate, position). Events are handled in key order, which is
//    exactly the order of the list walk: word by word, left to right.
// 3. An event (i, q) looks up the free piece around q in the set of claim
//    starts. If q is covered, the position is finished. If word i runs past
//    the end of the piece, so will every longer word for the rest of the run
//    (pieces only shrink), so the event moves on to the first candidate of q
//    that is shorter than the room left (jump tables over the chain make that
//    a logarithmic step). If q is no character boundary of its piece, the
//    position is parked (see 4). Otherwise word i is claimed at q.
// 4. Character boundaries, Shift_JIS: with L[q] = number of lead bytes
//    directly before q, q is a boundary of a piece starting at s exactly
//    when min(L[q], q - s) is even (after a byte that is not a lead byte a
//    new character always starts; inside a run of lead bytes every second
//    position starts one). The answer for q changes only when a claim ends
//    inside the run of lead bytes before q; then the positions of that run
//    with the same parity as the claim's end become boundaries. Parked
//    positions are kept in two sets by parity, and a claim wakes exactly the
//    parked positions it turns into boundaries, with their next candidate
//    from the current word on. A position that is no boundary therefore
//    costs nothing while it waits, however many words start there.
//    UTF-8: every byte that is no continuation byte (0x80-0xBF) starts a
//    character, so a walk from any start reaches every sequence start at or
//    after it. A continuation byte q is no boundary of a piece starting at s
//    exactly when it lies inside a complete sequence whose start p is at or
//    after s; with C[q] = q - p for such a sequence in the walk over the
//    whole text (0 elsewhere), q is a boundary when C[q] == 0 or
//    C[q] > q - s. Whether a sequence is complete does not depend on the
//    piece's end: an end is always the start of a claim, which is a boundary
//    of an earlier piece holding the sequence, so it never cuts a complete
//    sequence. A claim ending inside a sequence makes its remaining
//    continuation bytes boundaries and wakes the parked ones among them, as
//    in Shift_JIS (one set suffices).
//
// 5. Whole words: a position where no word may start gets no event, and a
//    word that would end where no word may end is passed over like a word
//    too long for its piece (every duplicate of it ends there too).
//
// Every event either finishes a position, claims, moves to a strictly later
// candidate, or parks; text scanning is linear. A megabyte of one repeated
// byte against the words "a", "aa", "aaa" ... costs a few operations per byte.

#include "conversion/wordlinkautomaton.h"

#include "common/textcode.h"
#include "conversion/positionset.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <stdexcept>

namespace lexicana {

namespace {

constexpr int DenseThreshold = 24; // children from which a node gets a full table
constexpr int LinearSearchLimit = 8;

// Working memory of one FindClaims call, kept per thread between calls.
struct Scratch {
    std::vector<std::uint32_t> leadRun; // Shift_JIS: leadRun[q] = lead bytes directly before q
    // UTF-8: q minus the start of the complete sequence holding q as a
    // continuation byte, in the walk over the whole text; 0 at character starts
    std::vector<std::uint8_t> sequenceOffset;
    std::vector<std::uint64_t> events; // first events, sorted: (list index << 32 | position)
    std::vector<std::uint64_t> later; // min-heap of the events made while sweeping
    std::vector<std::int32_t> claimWord; // list index of the claim starting at q
    std::vector<std::int32_t> parkedIndex; // candidate a parked position waited with
    PositionSet claims; // starts of claimed occurrences
    PositionSet parked[2]; // parked positions: by parity in Shift_JIS, all in [0] in UTF-8
};

thread_local Scratch scratch;

// Texts above this size do not keep their working memory after the call.
constexpr int KeepScratchLimit = 1 << 16;

std::uint64_t EventKey(int index, int position)
{
    return (static_cast<std::uint64_t>(index) << 32) | static_cast<std::uint32_t>(position);
}

template <typename T> std::size_t Bytes(const std::vector<T>& v)
{
    return v.capacity() * sizeof(T);
}

} // namespace

WordLinkAutomaton::WordLinkAutomaton(
    const std::vector<std::string_view>& words, const std::vector<std::int64_t>& orderLengths)
{
    if (orderLengths.size() != words.size())
        throw std::invalid_argument("one order length per word");
    const int count = static_cast<int>(words.size());
    wordLength_.resize(words.size());
    distinct_.assign(words.size(), -1);

    // Sort the non-empty words by their reversed bytes; stable, so that the
    // duplicates of a word keep ascending list indices.
    std::vector<std::int32_t> order;
    order.reserve(words.size());
    std::size_t maxLength = 0;
    for (int i = 0; i < count; ++i) {
        if (words[static_cast<std::size_t>(i)].size() > INT_MAX / 2)
            throw std::length_error("word too long");
        wordLength_[static_cast<std::size_t>(i)]
            = static_cast<std::int32_t>(words[static_cast<std::size_t>(i)].size());
        if (!words[static_cast<std::size_t>(i)].empty())
            order.push_back(i);
        maxLength = std::max(maxLength, words[static_cast<std::size_t>(i)].size());
    }
    auto reversedLess = [&words](std::int32_t a, std::int32_t b) {
        const std::string_view x = words[static_cast<std::size_t>(a)];
        const std::string_view y = words[static_cast<std::size_t>(b)];
        const std::size_t common = std::min(x.size(), y.size());
        for (std::size_t k = 1; k <= common; ++k) {
            const auto cx = static_cast<unsigned char>(x[x.size() - k]);
            const auto cy = static_cast<unsigned char>(y[y.size() - k]);
            if (cx != cy)
                return cx < cy;
        }
        return x.size() < y.size();
    };
    std::stable_sort(order.begin(), order.end(), reversedLess);

    // Distinct words in that order, each with its list indices.
    std::vector<std::string_view> distinctWord;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::string_view word = words[static_cast<std::size_t>(order[k])];
        if (distinctWord.empty() || distinctWord.back() != word) {
            distinctWord.push_back(word);
            indexBegin_.push_back(static_cast<std::int32_t>(indices_.size()));
            distinctLength_.push_back(static_cast<std::int32_t>(word.size()));
            distinctOrderLength_.push_back(orderLengths[static_cast<std::size_t>(order[k])]);
        }
        indices_.push_back(order[k]);
        distinct_[static_cast<std::size_t>(order[k])] = static_cast<std::int32_t>(distinctWord.size() - 1);
    }
    const int distinctCount = static_cast<int>(distinctWord.size());
    indexBegin_.push_back(static_cast<std::int32_t>(indices_.size()));
    order = std::vector<std::int32_t>();

    // Trie of the reversed words, numbered in preorder: inserting the sorted
    // words one after the other creates the nodes in that order, and a
    // node's first child is always the next node. A scan inside an
    // occurrence of a long word therefore walks memory sequentially.
    std::vector<std::int32_t> parent { -1 };
    std::vector<std::uint8_t> labelIn { 0 }; // byte on the edge into the node
    std::vector<std::int32_t> depth { 0 };
    std::vector<std::int32_t> wordAt { -1 };
    std::vector<std::int32_t> wordNode(static_cast<std::size_t>(distinctCount), 0);
    std::vector<std::int32_t> path { 0 }; // nodes of the previous word, by depth
    for (int d = 0; d < distinctCount; ++d) {
        const std::string_view word = distinctWord[static_cast<std::size_t>(d)];
        const std::size_t length = word.size();
        std::size_t common = 0;
        if (d > 0) {
            const std::string_view previous = distinctWord[static_cast<std::size_t>(d) - 1];
            while (common < length && common < previous.size()
                && word[length - 1 - common] == previous[previous.size() - 1 - common])
                ++common;
        }
        path.resize(common + 1);
        for (std::size_t k = common; k < length; ++k) {
            parent.push_back(path.back());
            labelIn.push_back(static_cast<std::uint8_t>(word[length - 1 - k]));
            depth.push_back(static_cast<std::int32_t>(k + 1));
            wordAt.push_back(-1);
            path.push_back(static_cast<std::int32_t>(parent.size() - 1));
        }
        wordAt[static_cast<std::size_t>(path.back())] = d;
        wordNode[static_cast<std::size_t>(d)] = path.back();
    }
    path = std::vector<std::int32_t>();
    const std::size_t nodeCount = parent.size();

    // Children: a single child is the next node; two or more go to an edge
    // list (sorted by byte, as created); the root, its children and nodes
    // with many children get a full row.
    std::vector<std::int32_t> children(nodeCount, 0);
    for (std::size_t v = 1; v < nodeCount; ++v)
        ++children[static_cast<std::size_t>(parent[v])];
    nodes_.assign(nodeCount, Node {});
    for (std::size_t v = 0; v < nodeCount; ++v) {
        Node& node = nodes_[v];
        node.childCount = static_cast<std::uint16_t>(children[v]);
        if (v == 0 || depth[v] == 1 || children[v] >= DenseThreshold) {
            node.kind = Node::Full;
            node.link = static_cast<std::int32_t>(dense_.size() / 256);
            dense_.resize(dense_.size() + 256, -1);
        } else if (children[v] == 1) {
            node.kind = Node::Single;
            node.label = labelIn[v + 1];
        } else if (children[v] > 1) {
            node.kind = Node::List;
            node.link = static_cast<std::int32_t>(edgeLabel_.size());
            edgeLabel_.resize(edgeLabel_.size() + static_cast<std::size_t>(children[v]));
            edgeTarget_.resize(edgeTarget_.size() + static_cast<std::size_t>(children[v]));
            children[v] = 0; // from here on: edges filled so far
        }
    }
    for (std::size_t v = 1; v < nodeCount; ++v) {
        const std::size_t u = static_cast<std::size_t>(parent[v]);
        Node& node = nodes_[u];
        if (node.kind == Node::Full) {
            dense_[static_cast<std::size_t>(node.link) * 256 + labelIn[v]] = static_cast<std::int32_t>(v);
        } else if (node.kind == Node::List) {
            const std::size_t at = static_cast<std::size_t>(node.link + children[u]++);
            edgeLabel_[at] = labelIn[v];
            edgeTarget_[at] = static_cast<std::int32_t>(v);
        }
    }
    children = std::vector<std::int32_t>();

    // Breadth-first order (by depth): a failure target is always shallower,
    // so it is finished before it is needed.
    std::vector<std::int32_t> byDepth(nodeCount);
    {
        std::vector<std::int32_t> start(static_cast<std::size_t>(maxLength) + 2, 0);
        for (std::size_t v = 0; v < nodeCount; ++v)
            ++start[static_cast<std::size_t>(depth[v]) + 1];
        for (std::size_t k = 1; k < start.size(); ++k)
            start[k] += start[k - 1];
        for (std::size_t v = 0; v < nodeCount; ++v)
            byDepth[static_cast<std::size_t>(start[static_cast<std::size_t>(depth[v])]++)]
                = static_cast<std::int32_t>(v);
    }
    depth = std::vector<std::int32_t>();

    // Failure links and outputs.
    nodes_[0].output = wordAt[0];
    for (std::size_t k = 1; k < nodeCount; ++k) {
        const std::size_t v = static_cast<std::size_t>(byDepth[k]);
        const std::int32_t u = parent[v];
        std::int32_t target = 0;
        if (u != 0) {
            std::int32_t f = nodes_[static_cast<std::size_t>(u)].fail;
            for (;;) {
                const int g = Child(f, labelIn[v]);
                if (g >= 0) {
                    target = g;
                    break;
                }
                if (f == 0)
                    break;
                f = nodes_[static_cast<std::size_t>(f)].fail;
            }
        }
        nodes_[v].fail = target;
        nodes_[v].output = wordAt[v] >= 0 ? wordAt[v] : nodes_[static_cast<std::size_t>(target)].output;
    }

    // Complete the full rows: a missing child becomes the state the failure
    // chain leads to, so that a scan step at such a node is one lookup.
    // Breadth first, so the rows along a failure chain are complete already.
    for (const std::int32_t v : byDepth) {
        const Node& node = nodes_[static_cast<std::size_t>(v)];
        if (node.kind != Node::Full)
            continue;
        std::int32_t* row = dense_.data() + static_cast<std::size_t>(node.link) * 256;
        for (int byte = 0; byte < 256; ++byte)
            if (row[byte] < 0)
                row[byte] = v == 0 ? 0 : Step(node.fail, static_cast<unsigned char>(byte));
    }

    // Chain of each distinct word: the next shorter word that is a prefix of
    // it, plus jump tables for the logarithmic search of FirstAtMost.
    std::vector<std::int32_t> next(static_cast<std::size_t>(distinctCount), -1);
    for (std::size_t d = 0; d < next.size(); ++d)
        next[d] = nodes_[static_cast<std::size_t>(nodes_[static_cast<std::size_t>(wordNode[d])].fail)].output;
    jump_.push_back(std::move(next));
    for (;;) {
        const std::vector<std::int32_t>& last = jump_.back();
        if (std::none_of(last.begin(), last.end(), [](std::int32_t d) { return d >= 0; }))
            break;
        std::vector<std::int32_t> doubled(last.size(), -1);
        for (std::size_t d = 0; d < last.size(); ++d)
            doubled[d] = last[d] < 0 ? -1 : last[static_cast<std::size_t>(last[d])];
        jump_.push_back(std::move(doubled));
    }
}

int WordLinkAutomaton::Child(int state, unsigned char byte) const
{
    const Node& node = nodes_[static_cast<std::size_t>(state)];
    switch (node.kind) {
    case Node::Full:
        return dense_[static_cast<std::size_t>(node.link) * 256 + byte];
    case Node::Single:
        return node.label == byte ? state + 1 : -1;
    case Node::List: {
        const auto begin = edgeLabel_.begin() + node.link;
        const auto end = begin + node.childCount;
        const auto it = node.childCount <= LinearSearchLimit ? std::find(begin, end, byte)
                                                             : std::lower_bound(begin, end, byte);
        return (it != end && *it == byte) ? edgeTarget_[static_cast<std::size_t>(it - edgeLabel_.begin())]
                                          : -1;
    }
    default:
        return -1;
    }
}

inline int WordLinkAutomaton::Step(int state, unsigned char byte) const
{
    // Full rows are complete; other nodes fall back along their failure
    // links until a child or a full row answers (the root has a full row).
    for (;;) {
        const Node& node = nodes_[static_cast<std::size_t>(state)];
        if (node.kind == Node::Full)
            return dense_[static_cast<std::size_t>(node.link) * 256 + byte];
        if (node.kind == Node::Single) {
            if (node.label == byte)
                return state + 1;
        } else if (node.kind == Node::List) {
            const std::uint8_t* labels = edgeLabel_.data() + node.link;
            for (int k = 0; k < node.childCount; ++k)
                if (labels[k] == byte)
                    return edgeTarget_[static_cast<std::size_t>(node.link + k)];
        }
        state = node.fail;
    }
}

template <typename T> int WordLinkAutomaton::FirstAtMost(int d, const std::vector<T>& measure, T limit) const
{
    if (d < 0 || measure[static_cast<std::size_t>(d)] <= limit)
        return d;
    for (std::size_t k = jump_.size(); k-- > 0;) {
        const int j = jump_[k][static_cast<std::size_t>(d)];
        if (j >= 0 && measure[static_cast<std::size_t>(j)] > limit)
            d = j;
    }
    return jump_[0][static_cast<std::size_t>(d)];
}

int WordLinkAutomaton::NextCandidate(int d, int minIndex, int maxLength) const
{
    if (minIndex >= static_cast<int>(wordLength_.size()))
        return -1;
    // The words from minIndex on in the list are those of a smaller order
    // length and the later duplicates of equal order length; an empty word
    // (order length 0) has only empty words after it. Along a chain the
    // order length strictly falls, so one word of the chain at most has
    // minIndex's order length.
    const int minDistinct = distinct_[static_cast<std::size_t>(minIndex)];
    if (minDistinct < 0)
        return -1;
    const std::int64_t minOrderLength = distinctOrderLength_[static_cast<std::size_t>(minDistinct)];
    d = FirstAtMost(FirstAtMost(d, distinctLength_, maxLength), distinctOrderLength_, minOrderLength);
    if (d < 0)
        return -1;
    if (distinctOrderLength_[static_cast<std::size_t>(d)] == minOrderLength) {
        // Same order length as the word at minIndex: only the duplicates
        // from minIndex on are still to come.
        const auto begin = indices_.begin() + indexBegin_[static_cast<std::size_t>(d)];
        const auto end = indices_.begin() + indexBegin_[static_cast<std::size_t>(d) + 1];
        const auto it = std::lower_bound(begin, end, minIndex);
        if (it != end)
            return *it;
        d = jump_[0][static_cast<std::size_t>(d)];
        if (d < 0)
            return -1;
    }
    // Shorter words come after every word of minIndex's order length in the
    // list.
    return indices_[static_cast<std::size_t>(indexBegin_[static_cast<std::size_t>(d)])];
}

void WordLinkAutomaton::FindClaims(
    std::string_view text, std::vector<Claim>& claims, const unsigned char* interior) const
{
    claims.clear();
    if (text.empty() || indices_.empty())
        return;
    if (text.size() >= static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long for word links");
    if (DocumentTextCode() == TextCode::Utf8)
        FindClaimsIn<TextCode::Utf8>(text, claims, interior);
    else
        FindClaimsIn<TextCode::ShiftJis>(text, claims, interior);
    if (text.size() > static_cast<std::size_t>(KeepScratchLimit))
        scratch = Scratch();
}

template <TextCode Code>
void WordLinkAutomaton::FindClaimsIn(
    std::string_view text, std::vector<Claim>& claims, const unsigned char* interior) const
{
    const int n = static_cast<int>(text.size());
    Scratch& s = scratch;
    auto byteAt = [text](int q) { return static_cast<unsigned char>(text[static_cast<std::size_t>(q)]); };

    if constexpr (Code == TextCode::ShiftJis) {
        s.leadRun.resize(static_cast<std::size_t>(n) + 1);
        s.leadRun[0] = 0;
        for (int q = 0; q < n; ++q)
            s.leadRun[static_cast<std::size_t>(q) + 1]
                = IsSjisLeadByte(byteAt(q)) ? s.leadRun[static_cast<std::size_t>(q)] + 1 : 0;
    } else {
        s.sequenceOffset.resize(static_cast<std::size_t>(n) + 1);
        std::uint8_t* offset = s.sequenceOffset.data();
        for (int q = 0; q < n;) {
            offset[q] = 0;
            if (byteAt(q) < 0xC2) {
                ++q;
                continue;
            }
            const int length
                = static_cast<int>(CharLength(TextCode::Utf8, text, static_cast<std::size_t>(q)));
            for (int k = 1; k < length; ++k)
                offset[q + k] = static_cast<std::uint8_t>(k);
            q += length;
        }
        offset[n] = 0;
    }

    // Backward pass: the longest word starting at each position.
    s.events.clear();
    int state = 0;
    for (int q = n; q-- > 0;) {
        state = Step(state, byteAt(q));
        const int d = nodes_[static_cast<std::size_t>(state)].output;
        if (d >= 0 && (interior == nullptr || !interior[q]))
            s.events.push_back(
                EventKey(indices_[static_cast<std::size_t>(indexBegin_[static_cast<std::size_t>(d)])], q));
    }
    if (s.events.empty())
        return;
    // The first events are sorted once; events made during the sweep (rare)
    // go to a heap, and the sweep takes the smaller of the two heads.
    std::sort(s.events.begin(), s.events.end());
    s.later.clear();

    s.claimWord.resize(static_cast<std::size_t>(n));
    s.parkedIndex.resize(static_cast<std::size_t>(n));
    s.claims.Reset(n);
    s.parked[0].Reset(n);
    if constexpr (Code == TextCode::ShiftJis)
        s.parked[1].Reset(n);
    auto push = [&s](int index, int position) {
        if (index < 0)
            return;
        s.later.push_back(EventKey(index, position));
        std::push_heap(s.later.begin(), s.later.end(), std::greater<>());
    };
    // Whether q, inside the piece starting at start, is no character start
    // of that piece.
    auto insideCharacter = [&s](int q, int start) {
        if constexpr (Code == TextCode::ShiftJis)
            return ((std::min<std::uint32_t>(
                        s.leadRun[static_cast<std::size_t>(q)], static_cast<std::uint32_t>(q - start)))
                       & 1)
                != 0;
        else
            return s.sequenceOffset[static_cast<std::size_t>(q)] != 0
                && s.sequenceOffset[static_cast<std::size_t>(q)] <= q - start;
    };
    // The set a position that is no character start waits in.
    auto parkedSet = [&s](int q) -> PositionSet& {
        if constexpr (Code == TextCode::ShiftJis)
            return s.parked[q & 1];
        else
            return s.parked[0];
    };

    std::size_t nextFirst = 0;
    while (nextFirst < s.events.size() || !s.later.empty()) {
        std::uint64_t key;
        if (!s.later.empty() && (nextFirst == s.events.size() || s.later.front() < s.events[nextFirst])) {
            std::pop_heap(s.later.begin(), s.later.end(), std::greater<>());
            key = s.later.back();
            s.later.pop_back();
        } else {
            key = s.events[nextFirst++];
        }
        const int index = static_cast<int>(key >> 32);
        const int q = static_cast<int>(key & 0xffffffffu);

        // The free piece [start, end) around q.
        int start = 0;
        const int previous = s.claims.Prev(q);
        if (previous >= 0) {
            start = previous
                + wordLength_[static_cast<std::size_t>(s.claimWord[static_cast<std::size_t>(previous)])];
            if (start > q)
                continue; // covered by a claim
        }
        const int following = s.claims.Next(q + 1);
        const int end = following < 0 ? n : following;

        const int length = wordLength_[static_cast<std::size_t>(index)];
        if (length > end - q) {
            push(NextCandidate(distinct_[static_cast<std::size_t>(index)], index + 1, end - q), q);
            continue;
        }
        if (interior != nullptr && interior[q + length]) {
            push(NextCandidate(distinct_[static_cast<std::size_t>(index)], index + 1, length - 1), q);
            continue;
        }
        if (insideCharacter(q, start)) {
            parkedSet(q).Insert(q);
            s.parkedIndex[static_cast<std::size_t>(q)] = index;
            continue;
        }

        s.claims.Insert(q);
        s.claimWord[static_cast<std::size_t>(q)] = index;

        // A claim ending inside a character (a run of lead bytes, a UTF-8
        // sequence) restarts the character boundaries there: wake the
        // parked positions after it that now start a character.
        const int claimEnd = q + length;
        if (claimEnd >= end)
            continue;
        auto wake = [&](PositionSet& set, auto startsCharacter) {
            for (int x = set.Next(claimEnd); x >= 0 && x < end && startsCharacter(x); x = set.Next(x + 1)) {
                set.Erase(x);
                const int waited = s.parkedIndex[static_cast<std::size_t>(x)];
                push(NextCandidate(distinct_[static_cast<std::size_t>(waited)], index, end - x), x);
            }
        };
        if constexpr (Code == TextCode::ShiftJis) {
            if (IsSjisLeadByte(byteAt(claimEnd - 1)))
                wake(s.parked[claimEnd & 1], [&s, claimEnd](int x) {
                    return static_cast<int>(s.leadRun[static_cast<std::size_t>(x)]) >= x - claimEnd;
                });
        } else {
            if (s.sequenceOffset[static_cast<std::size_t>(claimEnd)] != 0)
                wake(s.parked[0], [&s, claimEnd](int x) {
                    return s.sequenceOffset[static_cast<std::size_t>(x)] > x - claimEnd;
                });
        }
    }

    for (int x = s.claims.Next(0); x >= 0; x = s.claims.Next(x + 1))
        claims.push_back({ x, s.claimWord[static_cast<std::size_t>(x)] });
}

std::size_t WordLinkAutomaton::MemoryBytes() const
{
    std::size_t bytes = Bytes(nodes_) + Bytes(edgeLabel_) + Bytes(edgeTarget_) + Bytes(dense_)
        + Bytes(wordLength_) + Bytes(distinct_) + Bytes(indexBegin_) + Bytes(indices_)
        + Bytes(distinctLength_) + Bytes(distinctOrderLength_);
    for (const auto& level : jump_)
        bytes += Bytes(level);
    return bytes;
}

} // namespace lexicana
