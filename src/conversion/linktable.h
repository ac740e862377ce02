// The word-link table of a conversion: every normal record of every part
// with the page of its part, its name, its word, its row and (when the
// table names an alias column) its further words, and the WordLink made
// from it with the table's link template and options.
#pragma once

#include "conversion/filerecords.h"
#include "conversion/wordlink.h"

#include <functional>
#include <memory>

namespace lexicana {

// Fills table in part and row order. goOn, when given, is asked after
// every record; false (a cancel) ends the filling and the call returns false.
bool MakeLinkTable(const TRecordTable& grid, const TGlobal& global, const FileListGrid& parts, StrGrid& table,
    const std::function<bool()>& goOn = {});

std::unique_ptr<WordLink> MakeWordLink(const StrGrid& table, const TGlobal& global);
// The same, discarding table (left empty) as soon as the word list is made.
std::unique_ptr<WordLink> MakeWordLink(StrGrid&& table, const TGlobal& global);

} // namespace lexicana
