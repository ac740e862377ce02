// Page rewriting: every target page gets its freshly generated part between
// its two part markers, in the page's character code and line ends; every
// byte outside the markers stays as it was.
#pragma once

#include "common/stringlist.h"
#include "conversion/filerecords.h"
#include "conversion/wordlink.h"
#include "html/itemgeneration.h"
#include "html/pageinputs.h"

namespace lexicana {

// Rewrites the page of every part (onlyRow 0), or of the part whose file
// record is at grid row onlyRow, then the external output files.
// 203 done, 206 cancelled, a page code (message shown), -2 reported with
// location "HTMLFileOperation".
int RewritePages(const PageInputs& in, const FileListGrid& parts, const TStringList& outputList,
    const WordLink& links, int onlyRow);

// Rewrites the page of parts entry index: 0, 106, 107, 108, 300, 301, -1,
// -2 reported with location "MakeOnePage".
int RewritePage(const PageInputs& in, const FileListGrid& parts, const WordLink& links,
    const ColumnFlags& columnUsed, int index);

} // namespace lexicana
