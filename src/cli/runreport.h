// What lexicana-convert prints about a finished run: the pages a check found
// stale, the diffs of changed pages in UTF-8, the one-line summary and the
// JSON object for scripts.
#pragma once

#include "conversion/runoutcome.h"

#include <string>

namespace lexicana {

// A page's bytes (UTF-8, Shift_JIS, JIS or EUC-JP, as detected) as UTF-8.
std::string PageTextAsUtf8(const std::string& bytes);

// The unified diffs of every changed page the outcome kept, in UTF-8.
std::string OutcomeDiffs(const TRunOutcome& outcome, bool colour);

struct TRunFacts {
    int exitStatus = 0;
    bool check = false;
    int records = 0;
    double seconds = 0;
};

// One JSON object: result, exit status, pages written / unchanged /
// skipped with their names (UTF-8), the pages that received characters as
// numeric character references with how many, records, links made and
// seconds.
std::string OutcomeJson(const TRunOutcome& outcome, const TRunFacts& facts);

} // namespace lexicana
