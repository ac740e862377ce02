// Differential test of the word-link table: the fast matcher and the list
// walk must give byte-identical texts on many random cases built to make
// words overlap, nest, repeat and straddle double-byte characters, in
// Shift_JIS and in UTF-8 documents.
#include "common/textcode.h"
#include "conversion/wordlink.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace lexicana {
namespace {

std::string Visible(const std::string& bytes)
{
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

class CaseMaker {
public:
    explicit CaseMaker(unsigned seed)
        : random_(seed)
    {
    }

    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

    // Pieces texts and words are made of. The double-byte characters
    // have trail bytes that are themselves lead bytes (0x82, 0x81, 0xe0),
    // a backslash (0x5c) or a bracket, so that runs of lead bytes and
    // misread markers come up often; the lone bytes split characters.
    std::string Token(int mode)
    {
        static const std::vector<std::string> ascii = { "a", "b" };
        static const std::vector<std::string> sjis = { "a", "b", "\x82\xa0", "\x82\x82", "\x81\x40",
            "\x81\x81", "\xe0\x5c", "\x82\xe0", "\x95\x5b", "\x82", "\x81", "\xa0", "\x40", "\xe0" };
        static const std::vector<std::string> runs
            = { "a", "a", "a", "\x81", "\x81", "\x81", "\x82\xa0", "b" };
        // Letters of both cases, digits, a trail byte that is a letter, and markup.
        static const std::vector<std::string> markup = { "a", "b", "A", "B", "1", " ", "\x82\x61", "\x83\x41",
            "<", ">", "<a href=\"", "\">", "</a>", "<code>", "</CODE>", "<!--", "-->", "&amp;", "&", ";", "=" };
        // UTF-8: characters of two, three and four bytes, stray
        // continuation bytes, sequences cut short, bytes that start nothing,
        // and letters for whole words and letter case.
        static const std::vector<std::string> utf8 = { "a", "A", " ", "\xc3\xa9", "\xc3\x89", "\xe3\x81\x82",
            "\xe3\x80\x80", "\xf0\x9f\x98\x80", "\xe5\x9b", "\xe5\x9b\xbd", "\x80", "\xa9", "\x81", "\xbf",
            "\xe3", "\xe3\x81", "\xf0\x9f\x98", "\xc3", "\xc0", "\xff" };
        // Runs of continuation bytes with sequence starts among them.
        static const std::vector<std::string> utf8Runs
            = { "a", "\x80", "\x80", "\x80", "\xe3", "\xc3", "\xf0", "\xe3\x80\x80", "\xf0\x80\x80\x80" };
        // UTF-8 characters of one Shift_JIS width in one and three bytes
        // (half-width katakana), of two widths in two, three and four, and
        // cut sequences: words of equal order length and different byte
        // lengths, listed apart from byte order.
        static const std::vector<std::string> utf8Widths
            = { "a", "A", "\xef\xbd\xb1", "\xef\xbe\x9f", "\xef\xbd\xa1", "\xc3\xa9", "\xe3\x81\x82",
                  "\xef\xbc\xa1", "\xf0\x9f\x98\x80", "\xef\xbd", "\xbd" };
        static const std::vector<const std::vector<std::string>*> sets
            = { &ascii, &sjis, &runs, &markup, &utf8, &utf8Runs, &utf8Widths };
        const auto& set = *sets[static_cast<std::size_t>(mode)];
        return set[static_cast<std::size_t>(Below(static_cast<int>(set.size())))];
    }

    std::string Word(int mode, const std::string& sample)
    {
        if (mode != 0 && !sample.empty() && Chance(30)) {
            // Any stretch of bytes: may start on a trail byte or end on a lead byte.
            const int from = Below(static_cast<int>(sample.size()));
            const int length = 1 + Below(std::min(6, static_cast<int>(sample.size()) - from));
            return sample.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
        }
        std::string word;
        const int tokens = 1 + Below(mode == 2 || mode == 5 ? 8 : 4);
        for (int k = 0; k < tokens; ++k)
            word += Token(mode);
        return word;
    }

    std::string Text(int mode, const std::vector<std::string>& words, int maxTokens)
    {
        std::string text;
        const int tokens = Below(maxTokens + 1);
        for (int k = 0; k < tokens; ++k) {
            const int pick = Below(100);
            if (pick < 40 && !words.empty())
                text += words[static_cast<std::size_t>(Below(static_cast<int>(words.size())))];
            else if (pick < 44)
                text += "\\[";
            else if (pick < 48)
                text += "\\]";
            else if (pick < 50)
                text += "\\";
            else
                text += Token(mode);
        }
        return text;
    }

private:
    std::mt19937 random_;
};

struct Outcome {
    int cases = 0;
    int failures = 0;
    long long linkedBytes = 0;
};

// One random table and a few texts; returns false after a mismatch.
void RunCase(CaseMaker& make, int mode, int maxEntries, int maxTokens, Outcome& outcome)
{
    const std::string sample = make.Text(mode, {}, 12);
    const int entries = 1 + make.Below(maxEntries);
    std::vector<std::string> words;
    // Some tables give records further words, separated by "|" (which is
    // also the trail byte of some double-byte characters).
    StrGrid table(make.Chance(30) ? 5 : 4, entries);
    for (int k = 0; k < entries; ++k) {
        std::string word;
        if (!words.empty() && make.Chance(20))
            word = words[static_cast<std::size_t>(make.Below(static_cast<int>(words.size())))];
        else if (!make.Chance(4))
            word = make.Word(mode, sample);
        words.push_back(word);
        table.Cell(0, k) = "f" + std::to_string(k % 3);
        table.Cell(1, k) = std::to_string(k);
        table.Cell(2, k) = word;
        table.Cell(3, k) = std::to_string(1 + make.Below(4));
        if (table.ColumnTotal() > 4 && make.Chance(50))
            table.Cell(4, k) = make.Word(mode, sample) + "|" + make.Word(mode, sample);
    }
    // Half the tables turn on a random choice of link options.
    LinkOptions options;
    if (make.Chance(50)) {
        options.wholeWords = make.Chance(50);
        options.skipMarkup = make.Chance(50);
        options.firstOnly = make.Chance(50);
        options.ignoreCase = make.Chance(50);
        if (make.Chance(30))
            options.noLinkElements = make.Chance(50) ? std::vector<std::string> {} : std::vector<std::string> { "CODE" };
    }
    WordLink links(table, "{\\FILE}", "{\\NAME}", "{\\WORD}", "<{\\NAME}:{\\WORD}>", options);
    links.SetLinkToSelf(make.Chance(50));
    for (int t = 0; t < 4; ++t) {
        const std::string text = make.Text(mode, words, maxTokens);
        const int row = make.Below(5);
        const std::string fast = links.ApplyWordLinks(text, row);
        const std::string reference = links.ApplyWordLinksReference(text, row);
        ++outcome.cases;
        outcome.linkedBytes += static_cast<long long>(fast.size() - std::min(fast.size(), text.size()));
        if (fast != reference && ++outcome.failures <= 5) {
            std::string list;
            for (const RepStrs* node = links.First(); node != nullptr; node = node->next.get())
                list += " [" + Visible(node->word) + " row " + std::to_string(node->row) + "]";
            ADD_FAILURE() << "mode " << mode << " self " << links.LinkToSelf() << " options " << options.wholeWords
                          << options.skipMarkup << options.firstOnly << options.ignoreCase << " row " << row
                          << "\n words:" << list << "\n text:      " << Visible(text)
                          << "\n fast:      " << Visible(fast) << "\n reference: " << Visible(reference);
        }
    }
}

TEST(WordLinkDifferentialTest, FastMatcherEqualsListWalkOnSmallAlphabets)
{
    CaseMaker make(20240601);
    Outcome outcome;
    for (int k = 0; k < 4000; ++k)
        RunCase(make, 0, 8, 20, outcome);
    EXPECT_EQ(outcome.failures, 0);
    EXPECT_GT(outcome.linkedBytes, 0);
}

TEST(WordLinkDifferentialTest, FastMatcherEqualsListWalkOnShiftJisAndMarkers)
{
    CaseMaker make(77);
    Outcome outcome;
    for (int k = 0; k < 6000; ++k)
        RunCase(make, 1, 10, 24, outcome);
    EXPECT_EQ(outcome.failures, 0);
    EXPECT_GT(outcome.linkedBytes, 0);
}

TEST(WordLinkDifferentialTest, FastMatcherEqualsListWalkOnRunsOfOneByte)
{
    // Runs of 'a' and of the lead byte 0x81 against words that are runs
    // of different lengths: many nested and overlapping occurrences, and
    // character boundaries that move with every claim.
    CaseMaker make(5);
    Outcome outcome;
    for (int k = 0; k < 1500; ++k)
        RunCase(make, 2, 12, 40, outcome);
    EXPECT_EQ(outcome.failures, 0);
}

TEST(WordLinkDifferentialTest, FastMatcherEqualsListWalkOnLettersDigitsAndMarkup)
{
    CaseMaker make(4242);
    Outcome outcome;
    for (int k = 0; k < 4000; ++k)
        RunCase(make, 3, 10, 30, outcome);
    EXPECT_EQ(outcome.failures, 0);
    EXPECT_GT(outcome.linkedBytes, 0);
}

// Sets the document's text code for one test and restores Shift_JIS after it.
class TextCodeScope {
public:
    explicit TextCodeScope(TextCode code) { SetDocumentTextCode(code); }
    ~TextCodeScope() { SetDocumentTextCode(TextCode::ShiftJis); }
    TextCodeScope(const TextCodeScope&) = delete;
    TextCodeScope& operator=(const TextCodeScope&) = delete;
};

TEST(WordLinkDifferentialTest, FastMatcherEqualsListWalkInUtf8)
{
    // The UTF-8 alphabets, then the Shift_JIS ones read as UTF-8 (lead and
    // continuation bytes in any order), then larger tables.
    const TextCodeScope utf8(TextCode::Utf8);
    struct Run {
        int mode;
        int tables;
        int maxEntries;
        int maxTokens;
    };
    const Run runs[] = { { 4, 6000, 10, 24 }, { 5, 2000, 12, 40 }, { 6, 4000, 10, 24 }, { 1, 1500, 10, 24 },
        { 3, 1000, 10, 30 }, { 4, 20, 300, 400 }, { 5, 20, 300, 400 }, { 6, 20, 300, 400 } };
    for (const Run& run : runs) {
        CaseMaker make(static_cast<unsigned>(31 * run.mode + run.maxEntries));
        Outcome outcome;
        for (int k = 0; k < run.tables; ++k)
            RunCase(make, run.mode, run.maxEntries, run.maxTokens, outcome);
        EXPECT_EQ(outcome.failures, 0) << "mode " << run.mode << ", up to " << run.maxEntries << " words";
        EXPECT_GT(outcome.linkedBytes, 0) << "mode " << run.mode;
    }
}

TEST(WordLinkDifferentialTest, FastMatcherEqualsListWalkOnLargerTables)
{
    CaseMaker make(99);
    Outcome outcome;
    for (int k = 0; k < 40; ++k)
        RunCase(make, 1 + k % 3, 300, 400, outcome);
    EXPECT_EQ(outcome.failures, 0);
}

} // namespace
} // namespace lexicana
