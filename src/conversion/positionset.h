// PositionSet: a set of byte positions 0 .. size-1 kept as a tree of 64-bit
// words, so that insert, erase and the nearest member at or after / at or
// before a position cost a few word operations even for megabyte texts.
#pragma once

#include <cstdint>
#include <vector>

namespace lexicana {

class PositionSet {
public:
    // Empties the set and sets its universe to 0 .. size-1 (keeps capacity).
    void Reset(int size);
    int Size() const { return size_; }

    void Insert(int position);
    void Erase(int position);
    bool Contains(int position) const;

    // Smallest member >= position, or -1.
    int Next(int position) const;
    // Largest member <= position, or -1.
    int Prev(int position) const;

    // Bytes held by the set (for memory figures).
    std::size_t MemoryBytes() const;

private:
    // levels_[0] holds one bit per position; a bit of levels_[k + 1] says
    // whether the corresponding word of levels_[k] is non-zero. The last
    // level is a single word.
    std::vector<std::vector<std::uint64_t>> levels_;
    int levelCount_ = 0;
    int size_ = 0;
};

} // namespace lexicana
