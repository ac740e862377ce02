// How a conversion run ended, for the program that started it: the result
// code, whether the user has been shown how it ended, and which pages were
// written, left as they were, or skipped. The command-line program takes its
// exit status and summary from this alone, never from the messages shown.
#pragma once

#include "common/resultcodes.h"
#include "common/translate.h"
#include "platform/doctext.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lexicana {

struct TRunOutcome {
    // RunDone, RunCancelled, RunRefused, or the code of what stopped the run.
    int result = ResultOk;
    // A message saying how the run ended (or why it stopped) was shown.
    bool told = false;
    // Pages (names as in their file records), each once, in the order the
    // run first met them: replaced with new content, or already holding
    // exactly the new content and left untouched.
    std::vector<std::string> written;
    std::vector<std::string> unchanged;
    // Parts left out at the retry question, by page name and part ID.
    struct Part {
        std::string page;
        std::string partId;
    };
    std::vector<Part> skipped;
    // Word links written into the parts of the run.
    long long linksMade = 0;
    // Pages that received characters their code cannot hold, written as
    // numeric character references: name and how many.
    struct PageCount {
        std::string page;
        long long count = 0;
    };
    // With TRunTarget::keepContents: each changed page's content before the
    // run and after it, in the order of written.
    struct Change {
        std::string page;
        std::string before;
        std::string after;
    };
    std::vector<Change> changes;
    // Pages a run that does not write in place has changed so far, by full
    // path: the next part of the same page, and the page's marked blocks
    // when it is an external output file too, start from this content.
    std::unordered_map<std::string, std::string> staged;

    bool Done() const { return result == RunDone; }
    // "書き換えたページ: N、変更のなかったページ: M" (UTF-8); for a check
    // "変わるページ: N、最新のページ: M".
    std::string Summary(bool check = false) const
    {
        const std::string changed = std::to_string(written.size());
        const std::string same = std::to_string(unchanged.size());
        return FillArgs(check ? lexicana::Tr("変わるページ: %1、最新のページ: %2")
                              : lexicana::Tr("書き換えたページ: %1、変更のなかったページ: %2"),
            { changed, same });
    }
    // A page holding several parts is rewritten once per part; it is listed
    // once, as written when any of its parts changed it.
    void NoteWritten(const std::string& page)
    {
        if (written_.insert(page).second)
            written.push_back(page);
        if (unchanged_.erase(page) > 0)
            std::erase(unchanged, page);
    }
    // Keeps before (the first time) and after (every time) of a changed page.
    void NoteContents(const std::string& page, const std::string& before, const std::string& after)
    {
        for (Change& change : changes)
            if (change.page == page) {
                change.after = after;
                return;
            }
        changes.push_back({ page, before, after });
    }
    void NoteUnchanged(const std::string& page)
    {
        if (!written_.count(page) && unchanged_.insert(page).second)
            unchanged.push_back(page);
    }
    // Counts characters of a part put on page as references.
    void NoteReferences(const std::string& page, long long count)
    {
        if (count > 0)
            references_[page] += count;
    }
    // The written pages that received references, in the order of written.
    std::vector<PageCount> References() const
    {
        std::vector<PageCount> out;
        if (!references_.empty())
            for (const std::string& page : written)
                if (const auto found = references_.find(page); found != references_.end())
                    out.push_back({ page, found->second });
        return out;
    }
    // A line per page of References, each after a line end (UTF-8); empty
    // when no page received any.
    std::string ReferenceLines() const
    {
        std::string out;
        for (const PageCount& page : References())
            out += "\n"
                + FillArgs(lexicana::Tr("「%1」: %2 文字を数値文字参照で書き込みました。"),
                    { DocToUtf8(page.page), std::to_string(page.count) });
        return out;
    }

private:
    std::unordered_set<std::string> written_;
    std::unordered_set<std::string> unchanged_;
    std::unordered_map<std::string, long long> references_;
};

} // namespace lexicana
