// The product version and legal notice of the program, compiled in from the
// build's project version (the program file carries no version record).
#pragma once

#include <string>

namespace lexicana {

// The product version, e.g. "0.1.0"; "不明" (Shift_JIS) when none is known.
std::string GetProductVersion();
// The legal notice shown by the about box (Shift_JIS).
std::string GetLegalNotice();

} // namespace lexicana
