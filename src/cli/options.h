// Command-line options of lexicana-convert: which set file to convert, the
// whole run or one part, the character code and line ends that override
// the stored options for this run only, where the files go (in place, a
// check, a folder) and what is printed.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lexicana {

struct TCliOptions {
    enum class Action { Convert, Help, Version };
    Action action = Action::Convert;
    // The set file as given on the command line (local encoding).
    std::string setFile;
    // 0 for a whole run; otherwise a grid row of the one part to convert.
    int partRow = 0;
    // Overrides of TGlobal::KanjiCode and NewLineCode (-1 = as in the page).
    std::optional<int> kanjiCode;
    std::optional<int> newLineCode;
    // --check: convert in memory, write nothing, list the pages that would
    // change. --diff: show each changed page as a unified diff. --output:
    // write the changed files under this folder instead of in place.
    bool check = false;
    bool diff = false;
    std::string outputDir;
    // --quiet: only errors on standard error. --json: one JSON object on
    // standard output at the end.
    bool quiet = false;
    bool json = false;
    // --watch: convert again whenever a file of the set changes, until Ctrl+C.
    bool watch = false;
    // --check-terms: no conversion; the term check's findings, one per line.
    bool checkTerms = false;
    // --no-cache: always convert in full, never answer from the record of
    // the last run.
    bool noCache = false;
    // --lock-wait: seconds to wait for another conversion of the same set.
    int lockWaitSeconds = 30;
};

// Parses the arguments after the program name. False on a usage error, with
// a one-line reason (UTF-8) in error.
bool ParseCliOptions(const std::vector<std::string>& args, TCliOptions& options, std::string& error);

// The value of --kanji (sjis 5, jis 2, euc 4, utf8 7, auto -1) or --newline
// (crlf 1, cr 2, lf 3, auto -1); nullopt for any other word.
std::optional<int> KanjiCodeOfName(const std::string& name);
std::optional<int> NewLineCodeOfName(const std::string& name);

// The text of --help (UTF-8).
std::string CliUsageText();

} // namespace lexicana
