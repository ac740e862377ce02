// WordLinkAutomaton: the fast word matcher of the word-link table. Built once
// per conversion run over all words (in list order), it finds which
// occurrences the list walk of the word-link table would claim in a text,
// with one backward pass of an Aho-Corasick automaton and a priority sweep.
#pragma once

#include "common/textcode.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lexicana {

class WordLinkAutomaton {
public:
    // One occurrence claimed in a text: its byte position and the index of
    // its word in the list.
    struct Claim {
        int position;
        int word;
    };

    // words in list order with their order lengths: the list is ordered by
    // order length, greatest first (among equal ones the later entry first),
    // and a word's order length exceeds that of each of its proper prefixes.
    // The views need not outlive the call. Empty words never match.
    WordLinkAutomaton(
        const std::vector<std::string_view>& words, const std::vector<std::int64_t>& orderLengths);

    // The occurrences the list walk claims in text, in position order.
    // claims is cleared first. With interior (one flag per position 0 ..
    // size), no word starts or ends at a flagged position: such
    // occurrences are not there for the walk. Characters are those of the
    // document's code (DocumentTextCode). Safe to call from several threads
    // at once.
    void FindClaims(std::string_view text, std::vector<Claim>& claims,
        const unsigned char* interior = nullptr) const;

    // Bytes held by the automaton and its word tables.
    std::size_t MemoryBytes() const;
    int NodeCount() const { return static_cast<int>(nodes_.size()); }

private:
    // FindClaims with the character boundaries of the given code.
    template <TextCode Code>
    void FindClaimsIn(std::string_view text, std::vector<Claim>& claims, const unsigned char* interior) const;
    // Child of state with the given byte, or -1 (before the full rows are
    // completed; afterwards a full row answers like Step).
    int Child(int state, unsigned char byte) const;
    // The automaton's next state after reading byte in state.
    int Step(int state, unsigned char byte) const;
    // First word of the prefix chain that starts with distinct word d (d
    // itself or a shorter word that is a prefix of it and of the text) whose
    // length is at most maxLength and whose list index is at least minIndex;
    // returns that list index or -1.
    int NextCandidate(int d, int minIndex, int maxLength) const;
    // First distinct word of the chain from d whose measure (byte length or
    // order length, per distinct word; both grow along every chain) is at
    // most limit.
    template <typename T> int FirstAtMost(int d, const std::vector<T>& measure, T limit) const;

    // Trie over the reversed words in preorder, so that a node's first
    // child is the next node. The fields a scan step reads are kept
    // together in 16 bytes.
    struct Node {
        enum Kind : std::uint8_t { Leaf, Single, List, Full };
        std::int32_t fail = 0;
        // Longest distinct word that ends at this node or at a node of its
        // failure chain: the longest word starting at the scanned position.
        std::int32_t output = -1;
        // List: first edge in edgeLabel_/edgeTarget_; Full: row in dense_
        // (256 next states, failure transitions resolved).
        std::int32_t link = 0;
        std::uint16_t childCount = 0;
        std::uint8_t label = 0; // Single: byte to the only child (the next node)
        Kind kind = Leaf;
    };
    std::vector<Node> nodes_;
    std::vector<std::uint8_t> edgeLabel_;
    std::vector<std::int32_t> edgeTarget_;
    std::vector<std::int32_t> dense_;

    // Per list index: word length and distinct word (-1 for an empty word).
    std::vector<std::int32_t> wordLength_;
    std::vector<std::int32_t> distinct_;
    // Per distinct word: its list indices (ascending) in
    // indices_[indexBegin_[d] .. indexBegin_[d + 1]), its length, the next
    // shorter distinct word that is a prefix of it, and jump tables over
    // that chain (jump_[k][d] = the 2^k-th next, or -1). The list follows
    // the order lengths; a piece fits a word by its byte length.
    std::vector<std::int32_t> indexBegin_;
    std::vector<std::int32_t> indices_;
    std::vector<std::int32_t> distinctLength_;
    std::vector<std::int64_t> distinctOrderLength_;
    std::vector<std::vector<std::int32_t>> jump_;
};

} // namespace lexicana
