// A fast 64-bit hash of byte strings (xxHash's XXH64), for telling whether a file's
// bytes are still those seen before. Not for security: it only has to notice
// edits, and it reads at memory speed so that hashing costs little beside
// reading the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace lexicana {

// XXH64 of bytes with the given seed; the same value on every machine.
std::uint64_t Hash64(std::string_view bytes, std::uint64_t seed = 0);

// Hash64 of bytes that arrive in pieces: Value() after Add of every piece
// equals Hash64 of the pieces joined.
class Hash64Stream {
public:
    explicit Hash64Stream(std::uint64_t seed = 0);
    ~Hash64Stream();
    Hash64Stream(const Hash64Stream&) = delete;
    Hash64Stream& operator=(const Hash64Stream&) = delete;

    void Add(std::string_view bytes);
    std::uint64_t Value() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace lexicana
