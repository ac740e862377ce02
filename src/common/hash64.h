// A fast 64-bit hash of byte strings (xxHash's XXH64), for telling whether a file's
// bytes are still those seen before. Not for security: it only has to notice
// edits, and it reads at memory speed so that hashing costs little beside
// reading the file.
#pragma once

#include <cstdint>
#include <string_view>

namespace lexicana {

// XXH64 of bytes with the given seed; the same value on every machine.
std::uint64_t Hash64(std::string_view bytes, std::uint64_t seed = 0);

} // namespace lexicana
