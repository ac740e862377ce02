// What making the parts and rewriting the pages read and use of a glossary:
// the record grid, the options, the three templates of the conversion table,
// a working list, the progress display and the outcome of the run that
// notes each page. The document hands out one that refers to its own members.
#pragma once

#include "common/stringlist.h"
#include "conversion/progress.h"
#include "conversion/runoutcome.h"
#include "conversion/runtarget.h"
#include "data/global.h"
#include "data/recordtable.h"

namespace lexicana {

struct PageInputs {
    const TRecordTable& grid;
    // Converting is watched for a cancel; PageText holds the page being
    // rewritten.
    TGlobal& global;
    const TStringList& headLines;
    // MarkUsedColumns rewrites its numeric placeholders once per run.
    TStringList& mainLines;
    const TStringList& footLines;
    // The working copy of each template while a part is made.
    TStringList& workLines;
    IConversionProgress& progress;
    // Each page written and each part skipped is noted here.
    TRunOutcome& outcome;
    // Where the rewritten pages and output files go.
    const TRunTarget& target;
};

} // namespace lexicana
