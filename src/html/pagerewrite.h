// Page rewriting: every target page gets its freshly generated part between
// its two part markers, in the page's character code and line ends; every
// byte outside the markers stays as it was.
#pragma once

#include "common/stringlist.h"
#include "common/translate.h"
#include "conversion/filerecords.h"
#include "conversion/wordlink.h"
#include "html/itemgeneration.h"
#include "html/pageinputs.h"

namespace lexicana {

// The caption of the question asked when a page's markers moved while it was
// rewritten; answering No skips the part.
inline constexpr const char* kPartRetryCaption = lexicana::TrMark("再実行の確認");

// Rewrites the page of every part (onlyRow 0), or of the part whose file
// record is at grid row onlyRow, then the external output files.
// RunPagesDone, RunCancelled, a PageResult (message shown), or
// ResultReported with location "HTMLFileOperation". Each page written and
// each part skipped at the retry question is noted in in.outcome.
int RewritePages(const PageInputs& in, const FileListGrid& parts, const TStringList& outputList,
    const WordLink& links, int onlyRow);

// Rewrites the page of parts entry index: a PageResult (PageOk also when
// the user skipped the part), -1, or -2 reported with location
// "MakeOnePage".
int RewritePage(const PageInputs& in, const FileListGrid& parts, const WordLink& links,
    const ColumnFlags& columnUsed, int index);

} // namespace lexicana
