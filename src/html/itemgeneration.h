// Item and part generation: the HTML text of one part of the glossary, made
// from the head, record and foot templates of the conversion table, in
// Shift_JIS with LF line breaks. Pieces are appended with nothing between.
#pragma once

#include "common/stringlist.h"
#include "conversion/filerecords.h"
#include "conversion/wordlink.h"
#include "html/pageinputs.h"

#include <string>
#include <vector>

namespace lexicana {

// One byte per grid column: non-zero when the record template uses it.
using ColumnFlags = std::vector<unsigned char>;

// Every occurrence of pattern in every line replaced (ReplaceAll per line).
void ReplaceInLines(TStringList& lines, const std::string& pattern, const std::string& replacement);

// The backslash escape pass over generated item lines: "\t" TAB, "\<" and
// "\>" nothing, "\x" x; a final backslash stays; double-byte characters are
// never part of an escape.
void ApplyItemEscapes(TStringList& lines);

// Fills columnUsed (resized to the grid's columns) and rewrites the numeric
// placeholders "{\n}" of mainLines to "{heading}".
void MarkUsedColumns(const TRecordTable& grid, TStringList& mainLines, ColumnFlags& columnUsed);

// Fills lines (a fresh copy of the record template) for the record at row.
// 0; RunCancelled; -2 reported with location "MakeItem"; -1 other failure.
int MakeItem(
    const PageInputs& in, TStringList& lines, const WordLink& links, int row, const ColumnFlags& columnUsed);

// Replaces "{\w}", "{\v}", "{\d}", "{\t}" in a fresh copy of the head or
// foot lines. 0; -2 reported with location "HeadFootStrings"; -1.
int HeadFootStrings(const TGlobal& global, TStringList& lines);

// Appends part index of the parts table (head, items, foot) to out.
// 0; RunCancelled; -2 reported with location "MakeOnePart".
int MakeOnePart(const PageInputs& in, std::string& out, const FileListGrid& parts, const WordLink& links,
    const ColumnFlags& columnUsed, int index);

} // namespace lexicana
