#include "html/termcheck.h"

#include "common/fileio.h"
#include "common/pathutils.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "common/utils.h"
#include "conversion/linktext.h"
#include "html/itemgeneration.h"
#include "html/markersearch.h"
#include "html/pagecode.h"
#include "platform/doctext.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

namespace lexicana {

namespace {

using Kind = TermFinding::Kind;

// One word of a record (its linked word or one of its further words).
struct Word {
    std::string text; // as written (Shift_JIS)
    int entry; // link table entry
    int row; // grid row of the record
};

class Checker {
public:
    explicit Checker(const TermCheckInputs& in)
        : in_(in)
    {
    }

    std::vector<TermFinding> Run()
    {
        CollectWords();
        SameWords();
        HiddenWords();
        NotLinked();
        EmptyWordsAndNames();
        SameNames();
        Pages();
        std::stable_sort(findings_.begin(), findings_.end(), [](const TermFinding& a, const TermFinding& b) {
            return a.kind != b.kind ? a.kind < b.kind : a.row < b.row;
        });
        return std::move(findings_);
    }

private:
    int Shown(int row) const
    {
        return (in_.gridRow.empty() || row < 0 || row >= static_cast<int>(in_.gridRow.size()))
            ? row
            : in_.gridRow[static_cast<std::size_t>(row)];
    }
    std::string RowText(int row) const { return std::to_string(Shown(row)); }

    void Add(Kind kind, int row, const char* text, std::initializer_list<std::string> args)
    {
        findings_.push_back({ kind, Shown(row), FillArgs(lexicana::Tr("行 %1: "), { RowText(row) }) + FillArgs(lexicana::Tr(text), args) });
    }

    // Words as they are matched: folded when letter case is ignored.
    std::string Match(const std::string& word) const
    {
        if (!in_.global.Links.ignoreCase)
            return word;
        std::string folded;
        return FoldLatinCase(word, folded) ? folded : word;
    }

    void CollectWords()
    {
        const StrGrid& table = in_.linkTable;
        for (int entry = 0; entry < table.RowTotal(); ++entry) {
            const int row = table.RowNumber(3, entry);
            auto add = [&](const std::string& word) {
                if (word.empty())
                    return;
                auto& same = byMatch_[Match(word)];
                // A record's word and its own further words may coincide.
                if (same.empty() || words_[static_cast<std::size_t>(same.back())].row != row) {
                    same.push_back(static_cast<int>(words_.size()));
                    words_.push_back({ word, entry, row });
                }
            };
            add(table.Cell(2, entry));
            if (table.ColumnTotal() > 4)
                for (const std::string& alias : SplitAliases(table.Cell(4, entry), in_.global.Links.aliasSeparator))
                    add(alias);
        }
    }

    // Among records with the same word, the last one in the table takes every link.
    void SameWords()
    {
        for (const auto& [match, same] : byMatch_) {
            if (same.size() < 2)
                continue;
            const Word& winner = words_[static_cast<std::size_t>(same.back())];
            for (std::size_t k = 0; k + 1 < same.size(); ++k) {
                const Word& word = words_[static_cast<std::size_t>(same[k])];
                Add(Kind::SameWord, word.row,
                    lexicana::TrMark("語「%1」は行 %2 の語と同じです。リンクは行 %2 にだけ張られます。"),
                    { DocToUtf8(word.text), RowText(winner.row) });
            }
        }
    }

    // A word that stands inside a longer word of another record never links
    // there: the longer word is matched first.
    void HiddenWords()
    {
        struct Container {
            int row = 0;
            std::string word;
            int count = 0;
        };
        std::map<int, std::map<std::string, Container>> hidden; // hidden word's index -> ...
        std::size_t longest = 0;
        for (const auto& [match, same] : byMatch_)
            longest = std::max(longest, match.size());
        std::vector<unsigned char> interior;
        std::vector<std::size_t> starts;
        for (const auto& [match, same] : byMatch_) {
            if (in_.global.Links.wholeWords)
                MarkWordInteriors(match, interior);
            starts.clear();
            for (std::size_t i = 0; i < match.size(); i += CharLength(match, i))
                starts.push_back(i);
            starts.push_back(match.size());
            for (std::size_t a = 0; a + 1 < starts.size(); ++a) {
                for (std::size_t b = a + 1; b < starts.size() && starts[b] - starts[a] <= longest; ++b) {
                    if (a == 0 && b + 1 == starts.size())
                        continue; // the word itself
                    if (!interior.empty() && in_.global.Links.wholeWords
                        && (interior[starts[a]] || interior[starts[b]]))
                        continue;
                    const auto found = byMatch_.find(std::string_view(match).substr(starts[a], starts[b] - starts[a]));
                    if (found == byMatch_.end())
                        continue;
                    const Word& outer = words_[static_cast<std::size_t>(same.back())];
                    for (const int inner : found->second) {
                        if (words_[static_cast<std::size_t>(inner)].row == outer.row)
                            continue;
                        Container& c = hidden[inner][match];
                        if (c.count++ == 0) {
                            c.row = outer.row;
                            c.word = outer.text;
                        }
                    }
                }
            }
        }
        for (const auto& [inner, containers] : hidden) {
            const Word& word = words_[static_cast<std::size_t>(inner)];
            // The container of the lowest row is named; the others are counted.
            const Container* first = nullptr;
            for (const auto& [match, c] : containers)
                if (first == nullptr || Shown(c.row) < Shown(first->row))
                    first = &c;
            const std::string words = DocToUtf8(word.text);
            if (containers.size() == 1)
                Add(Kind::HiddenWord, word.row,
                    lexicana::TrMark("語「%1」は行 %2 の「%3」の中ではリンクされません。"),
                    { words, RowText(first->row), DocToUtf8(first->word) });
            else
                Add(Kind::HiddenWord, word.row,
                    lexicana::TrMark("語「%1」は行 %2 の「%3」など %4 語の中ではリンクされません。"),
                    { words, RowText(first->row), DocToUtf8(first->word),
                        std::to_string(containers.size()) });
        }
    }

    // Records no other record links to, the links counted as a conversion
    // makes them (the linked columns the entry template shows).
    void NotLinked()
    {
        TStringList mainLines = in_.mainLines;
        ColumnFlags columnUsed;
        MarkUsedColumns(in_.grid, mainLines, columnUsed);
        std::set<int> linked;
        std::vector<int> targets;
        const StrGrid& table = in_.linkTable;
        for (int entry = 0; entry < table.RowTotal(); ++entry) {
            const int row = table.RowNumber(3, entry);
            for (int col = 1; col < in_.grid.ColCount(); ++col) {
                if (static_cast<std::size_t>(col) >= columnUsed.size() || !columnUsed[static_cast<std::size_t>(col)]
                    || !in_.global.IsLinkColumn(col))
                    continue;
                targets.clear();
                in_.links.CollectLinkTargets(in_.grid.Cell(col, row), row, targets);
                for (const int target : targets)
                    if (target != row)
                        linked.insert(target);
            }
        }
        for (int entry = 0; entry < table.RowTotal(); ++entry) {
            const int row = table.RowNumber(3, entry);
            const std::string& word = table.Cell(2, entry);
            if (!word.empty() && linked.count(row) == 0)
                Add(Kind::NotLinked, row,
                    lexicana::TrMark("語「%1」にはどの記録からもリンクが張られません。"),
                    { DocToUtf8(word) });
        }
    }

    void EmptyWordsAndNames()
    {
        const StrGrid& table = in_.linkTable;
        for (int entry = 0; entry < table.RowTotal(); ++entry) {
            const int row = table.RowNumber(3, entry);
            if (table.Cell(2, entry).empty())
                Add(Kind::EmptyWord, row, lexicana::TrMark("リンクする語が空です。"), {});
            if (table.Cell(1, entry).empty())
                Add(Kind::EmptyName, row, lexicana::TrMark("リンク名が空です。"), {});
        }
    }

    // Two anchors with the same name on one page: links reach only the first.
    void SameNames()
    {
        std::map<std::pair<std::string, std::string>, int> first; // (page, name) -> row
        const StrGrid& table = in_.linkTable;
        for (int entry = 0; entry < table.RowTotal(); ++entry) {
            const std::string& name = table.Cell(1, entry);
            if (name.empty())
                continue;
            const int row = table.RowNumber(3, entry);
            const auto [it, isNew] = first.try_emplace({ table.Cell(0, entry), name }, row);
            if (!isNew)
                Add(Kind::SameName, row, lexicana::TrMark("リンク名「%1」はページ「%2」の行 %3 と同じです。"),
                    { DocToUtf8(name), DocToUtf8(table.Cell(0, entry)), RowText(it->second) });
        }
    }

    void Pages()
    {
        const std::string folder = IncludeTrailingSeparator(in_.global.HTMLDir);
        std::map<std::string, std::pair<bool, std::string>> pages; // path -> (read, bytes)
        for (int k = 0; k + 1 < in_.parts.RowTotal(); ++k) {
            const int row = in_.parts.RowNumber(0, k);
            const std::string& fileName = in_.parts.Cell(1, k);
            const std::string& partId = in_.parts.Cell(2, k);
            auto [it, isNew] = pages.try_emplace(folder + fileName);
            if (isNew)
                it->second.first = ReadFileToString(it->first, it->second.second) == FileOk;
            if (!it->second.first) {
                Add(Kind::PageMissing, row,
                    lexicana::TrMark("ページ「%1」が読めません（ないか、開けません）。"),
                    { DocToUtf8(fileName) });
                continue;
            }
            const std::string& page = it->second.second;
            const int code = PageCodeOf(page);
            for (const std::string* marker : { &in_.global.PartStartMarker, &in_.global.PartEndMarker }) {
                std::string text = *marker;
                ReplaceAll(text, in_.global.PlaceholderID, partId);
                if (FindMarker(page, MarkerInPageCode(text, code), code) == std::string::npos)
                    Add(Kind::NoMarker, row, lexicana::TrMark("ページ「%1」に印「%2」がありません。"),
                        { DocToUtf8(fileName), DocToUtf8(text) });
            }
        }
    }

    const TermCheckInputs& in_;
    std::vector<Word> words_;
    std::map<std::string, std::vector<int>, std::less<>> byMatch_; // matched word -> its words, in table order
    std::vector<TermFinding> findings_;
};

} // namespace

std::vector<TermFinding> CheckTerms(const TermCheckInputs& in)
{
    return Checker(in).Run();
}

} // namespace lexicana
