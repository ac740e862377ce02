// Ordering of document texts (in the document's code) as the records are sorted: the Japanese
// locale's collation with letter case ignored, not byte values. Collation
// keys are computed once per text, so sorting a large table stays fast.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace lexicana {

// < 0, 0 or > 0 as a orders before, together with or after b.
int CompareCollated(std::string_view a, std::string_view b);

// The indexes 0 .. texts.size()-1 in ascending collation order of their
// texts; texts that collate equal keep their order (a stable sort).
std::vector<std::size_t> StableCollatedOrder(const std::vector<std::string_view>& texts);

} // namespace lexicana
