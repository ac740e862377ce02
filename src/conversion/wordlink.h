// WordLink: the word-link table of a conversion run. It holds the linkable
// word of every normal record with the HTML link to that record and turns
// occurrences of those words in a text into links (longest words first).
#pragma once

#include "common/linkoptions.h"
#include "common/textcode.h"
#include "conversion/strgrid.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

class WordLinkAutomaton;

// One node of the word list.
struct RepStrs {
    std::string word; // the text to look for
    std::string link; // the text that replaces an occurrence
    int row = 0; // grid row of the record the word belongs to
    // The file and name of the link, kept only where an occurrence may
    // differ from word (letter case ignored), to make its link with the
    // text as written; null otherwise, so that a node of a large table
    // stays small.
    struct LinkParts {
        std::string file;
        std::string name;
    };
    std::unique_ptr<LinkParts> parts;
    std::unique_ptr<RepStrs> next;
};

// A stretch of a text, as the protected-region markers divide it.
struct TextSegment {
    std::size_t begin;
    std::size_t end;
    bool linked; // false inside a protected region
};

// Divides text at the protected-region markers "\[" and "\]" (which are
// left out of every segment). Segments outside regions are linked.
std::vector<TextSegment> SplitProtectedRegions(std::string_view text);

// The length the word list is ordered by, longest first. Shift_JIS: 4 per
// byte. UTF-8: 4 per character that Shift_JIS holds in one byte (ASCII and
// half-width katakana), 8 per other character, 1 per stray byte. A UTF-8
// copy of a Shift_JIS word thus has the same order length as the original,
// so both documents get the same links; and a word's order length exceeds
// that of every proper prefix of it, which the fast matcher relies on.
std::int64_t WordOrderLength(TextCode code, std::string_view word);

class WordLink {
public:
    // Makes a node; replaceable in tests to simulate exhausted memory.
    using NodeMaker = std::unique_ptr<RepStrs> (*)(std::string word, std::string link, int row);

    // linkTable has 4 columns per normal record: file name of its part,
    // LinkedNameCol cell, LinkedWordCol cell, grid row as decimal text; a
    // fifth column, where present, holds the record's further words
    // (options.aliasSeparator between them), each linked like its word.
    // A node that cannot be allocated is reported ("メモリが足りません")
    // and its word left out.
    WordLink(const StrGrid& linkTable, const std::string& filePlaceholder, const std::string& namePlaceholder,
        const std::string& wordPlaceholder, const std::string& linkTemplate, const LinkOptions& options = {},
        NodeMaker makeNode = nullptr);
    // The same table from a link table that is discarded (left empty) as
    // soon as the list is made, before the matcher is built: a large run
    // does not hold both at once.
    WordLink(StrGrid&& linkTable, const std::string& filePlaceholder, const std::string& namePlaceholder,
        const std::string& wordPlaceholder, const std::string& linkTemplate, const LinkOptions& options = {});
    ~WordLink();
    WordLink(const WordLink&) = delete;
    WordLink& operator=(const WordLink&) = delete;

    // Whether a record's own word links to the record itself.
    void SetLinkToSelf(bool linkToSelf) { linkToSelf_ = linkToSelf; }
    bool LinkToSelf() const { return linkToSelf_; }

    const LinkOptions& Options() const { return options_; }

    // The text with the words of the table replaced by their links; row is
    // the grid row of the record the text belongs to.
    std::string ApplyWordLinks(const std::string& text, int row) const;
    // The same result by walking the list word by word: the definition of
    // the results, slow (every word is searched in every piece).
    std::string ApplyWordLinksReference(const std::string& text, int row) const;
    // The grid rows ApplyWordLinks would link to in text (one entry per
    // link, in text order), without making the text.
    void CollectLinkTargets(const std::string& text, int row, std::vector<int>& targets) const;

    // Links ApplyWordLinks has written so far (a record's own word left
    // as it is does not count).
    long long LinksMade() const { return linksMade_; }
    // Links ApplyWordLinks has written on the calling thread, over every
    // table: what one part made while other threads link other parts is the
    // difference around making it.
    static long long LinksMadeOnThisThread();

    // The list, longest word first (WordOrderLength in the document's code).
    const RepStrs* First() const { return first_.get(); }
    int WordCount() const { return count_; }
    // Bytes held by the fast matcher.
    std::size_t AutomatonMemoryBytes() const;
    int AutomatonNodeCount() const;

private:
    // Makes the list from linkTable, then (when discard is given) empties
    // it, then builds the matcher.
    void Build(const StrGrid& linkTable, NodeMaker makeNode, StrGrid* discard);
    struct TextRun; // the state of one ApplyWordLinks call
    enum class Walk { Automaton, Reference };
    void Apply(std::string_view text, TextRun& run) const;
    void LinkStretch(std::string_view text, TextRun& run) const;
    void LinkStretchReference(
        std::string_view text, std::string_view match, const unsigned char* interior, TextRun& run) const;
    // Writes what replaces the occurrence of node's word at text (self,
    // repeated or linked) and notes a link made.
    void Emit(const RepStrs& node, std::string_view occurrence, TextRun& run) const;
    std::string LinkText(const std::string& fileName, const std::string& name, std::string_view word) const;
    // The word of list index k as it is matched.
    std::string_view MatchWord(int k) const
    {
        return options_.ignoreCase ? std::string_view(matchWords_[static_cast<std::size_t>(k)])
                                   : std::string_view(nodes_[static_cast<std::size_t>(k)]->word);
    }

    std::unique_ptr<RepStrs> first_;
    std::vector<const RepStrs*> nodes_; // the list as an array (list index -> node)
    std::vector<std::string> matchWords_; // the words folded, when letter case is ignored
    int count_ = 0;
    std::unique_ptr<WordLinkAutomaton> automaton_;
    mutable std::atomic<long long> linksMade_ { 0 };
    std::string filePlaceholder_;
    std::string namePlaceholder_;
    std::string wordPlaceholder_;
    std::string linkTemplate_;
    LinkOptions options_;
    bool linkToSelf_ = false;
};

} // namespace lexicana
