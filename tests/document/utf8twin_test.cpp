// A Shift_JIS glossary and its UTF-8 copy give the same pages: random
// glossaries are converted as they are into Shift_JIS pages, and once more
// with every cell, the table and the pages converted to UTF-8; each UTF-8
// page must equal its Shift_JIS twin decoded, word links included.
#include "common/textcode.h"
#include "platform/sjistext.h"
#include "support/conversionset.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lexicana;
using namespace lexicana::test;

namespace {

// Characters of the glossaries: kanji, hiragana, katakana (with trail bytes
// that are "\" and "["), half-width katakana (one byte in Shift_JIS, three
// in UTF-8), Latin letters of both cases, and double-byte characters that
// take two bytes in UTF-8 too.
const char* const kChars[]
    = { "語", "用", "集", "表", "あ", "い", "ア", "ソ", "ー", "ｱ", "ｲ", "ﾞ", "a", "b", "B", "×", "α" };

// Restores the Shift_JIS document code at the end of the test.
struct Utf8Scope {
    ~Utf8Scope() { SetDocumentTextCode(TextCode::ShiftJis); }
};

class Glossary {
public:
    explicit Glossary(unsigned seed)
        : random_(seed)
    {
        // A few characters per glossary, so that words overlap often.
        for (std::size_t k = 3 + Below(4); k > 0; --k)
            alphabet_.push_back(SjisOf(kChars[Below(std::size(kChars))]));
        for (std::size_t k = 1 + Below(8); k > 0; --k)
            options_ += std::string(kOptions[Below(5)]) + (Below(2) ? "=true\r\n" : "=false\r\n");
        // Words, many of them inside or around earlier ones.
        for (std::size_t k = 6 + Below(14); k > 0; --k) {
            std::string word = words_.empty() || Below(3) == 0 ? "" : words_[Below(words_.size())];
            if (Below(2))
                word = Chars(1 + Below(2)) + word;
            else
                word += Chars(1 + Below(word.empty() ? 3 : 2));
            words_.push_back(word);
        }
        // Two or three pages, each a file record followed by its records.
        const std::size_t pages = 2 + Below(2);
        for (std::size_t page = 0; page < pages; ++page) {
            const std::string key = { 'p', static_cast<char>('0' + page) };
            rows_.push_back({ "", key, "\\@", key + ".html", "", "", "", "" });
            for (std::size_t r = 0, records = 1 + Below(6); r < records; ++r)
                rows_.push_back({ "", key + "r" + std::to_string(r), "", "", "", words_[Below(words_.size())],
                    Text(), Below(4) == 0 ? words_[Below(words_.size())] + "|" + Chars(2) : "" });
        }
    }

    // The conversion table: word column 5, linked text column 6, further
    // words in column 7, and random link options.
    std::string Table() const
    {
        return "[Column]\r\nCount=7\r\nSort=1\r\nLinkedName=1\r\nLinkedWord=5\r\n[Title]\r\n5=w\r\n6=d\r\n"
               "[Link]\r\n6=true\r\nAliasColumn=7\r\n"
            + options_ + "[MainConversionTable]\r\n#start\r\n<p>{\\a}{w}: {d}</p>\r\n#end\r\n";
    }
    const std::vector<std::vector<std::string>>& Rows() const { return rows_; }

private:
    static constexpr const char* kOptions[]
        = { "LinkToSelf", "WholeWords", "IgnoreCase", "FirstOnly", "SkipMarkup" };

    std::size_t Below(std::size_t n) { return random_() % n; }
    std::string Chars(std::size_t count)
    {
        std::string chars;
        for (std::size_t k = 0; k < count; ++k)
            chars += alphabet_[Below(alphabet_.size())];
        return chars;
    }
    // Words, characters, blanks, markup and protected regions.
    std::string Text()
    {
        static const char* const extras[] = { " ", "<b>", "</b>", "&amp;", "\\[", "\\]" };
        std::string text;
        for (std::size_t k = Below(16); k > 0; --k) {
            const std::size_t pick = Below(10);
            text += pick < 5 ? words_[Below(words_.size())]
                : pick < 9   ? Chars(1)
                             : extras[Below(std::size(extras))];
        }
        return text;
    }

    std::mt19937 random_;
    std::vector<std::string> alphabet_;
    std::string options_;
    std::vector<std::string> words_;
    std::vector<std::vector<std::string>> rows_;
};

const std::string kHead = "<html><title>用語集</title>";
const std::string kTail = "</html>ｱ";

// Converts the glossary with every text passed through convert, in the
// given document code; returns the pages, or none after a failed run
// (failure then holds its message).
std::vector<std::string> Convert(
    const Glossary& glossary, TextCode code, std::string (*convert)(std::string_view), std::string& failure)
{
    SetDocumentTextCode(code);
    ConversionSet s;
    s.global.TableFileName = s.dir.write("set.ctb", convert(glossary.Table()));
    s.doc.Grid().SetColCount(8);
    std::vector<std::string> pages;
    for (const auto& row : glossary.Rows()) {
        std::vector<std::string> cells;
        for (const std::string& cell : row)
            cells.push_back(convert(cell));
        s.doc.Grid().AppendRow(std::move(cells));
        if (!row[3].empty()) {
            pages.push_back(row[3]);
            s.dir.write(row[3], convert(SjisOf(kHead)) + kStart + "old" + kEnd + convert(SjisOf(kTail)));
        }
    }
    if (s.doc.StartConversion() != 201) {
        failure = s.sink.count() ? s.sink.last().text : "no message";
        return {};
    }
    for (std::string& page : pages)
        page = s.Read(page);
    return pages;
}

std::string AsIs(std::string_view text)
{
    return std::string(text);
}

std::string ToUtf8(std::string_view sjis)
{
    return SjisToUtf8(sjis);
}

} // namespace

TEST(Utf8TwinTest, AUtf8CopyOfAShiftJisGlossaryGivesTheSamePagesDecoded)
{
    const Utf8Scope restore;
    int failures = 0;
    long long links = 0;
    for (unsigned seed = 1; seed <= 40 && failures < 3; ++seed) {
        const Glossary glossary(seed);
        std::string failure;
        const std::vector<std::string> sjis = Convert(glossary, TextCode::ShiftJis, AsIs, failure);
        const std::vector<std::string> utf8 = Convert(glossary, TextCode::Utf8, ToUtf8, failure);
        ASSERT_TRUE(failure.empty()) << "glossary " << seed << ": " << failure;
        ASSERT_EQ(sjis.size(), utf8.size());
        for (std::size_t p = 0; p < sjis.size(); ++p) {
            const std::string expected = SjisToUtf8(sjis[p]);
            links += std::count(expected.begin(), expected.end(), '#');
            if (expected != utf8[p]) {
                ++failures;
                ADD_FAILURE() << "glossary " << seed << ", page " << p << "\nShift_JIS, decoded:\n"
                              << expected << "\nUTF-8:\n"
                              << utf8[p];
            }
        }
    }
    EXPECT_GT(links, 0);
}
