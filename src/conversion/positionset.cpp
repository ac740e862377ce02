#include "conversion/positionset.h"

#include <bit>

namespace lexicana {

void PositionSet::Reset(int size)
{
    size_ = size < 0 ? 0 : size;
    std::size_t bits = static_cast<std::size_t>(size_);
    int level = 0;
    do {
        std::size_t words = (bits + 63) / 64;
        if (words == 0)
            words = 1;
        if (static_cast<std::size_t>(level) == levels_.size())
            levels_.emplace_back();
        levels_[static_cast<std::size_t>(level)].assign(words, 0);
        bits = words;
        ++level;
    } while (bits > 1);
    levelCount_ = level;
}

void PositionSet::Insert(int position)
{
    std::size_t x = static_cast<std::size_t>(position);
    for (int level = 0; level < levelCount_; ++level) {
        std::uint64_t& word = levels_[static_cast<std::size_t>(level)][x >> 6];
        const bool wasEmpty = word == 0;
        word |= std::uint64_t { 1 } << (x & 63);
        if (!wasEmpty)
            break; // the upper levels already mark this word
        x >>= 6;
    }
}

void PositionSet::Erase(int position)
{
    std::size_t x = static_cast<std::size_t>(position);
    for (int level = 0; level < levelCount_; ++level) {
        std::uint64_t& word = levels_[static_cast<std::size_t>(level)][x >> 6];
        word &= ~(std::uint64_t { 1 } << (x & 63));
        if (word != 0)
            break;
        x >>= 6;
    }
}

bool PositionSet::Contains(int position) const
{
    const std::size_t x = static_cast<std::size_t>(position);
    return (levels_[0][x >> 6] >> (x & 63)) & 1;
}

int PositionSet::Next(int position) const
{
    if (position >= size_)
        return -1;
    std::size_t x = static_cast<std::size_t>(position < 0 ? 0 : position);
    int level = 0;
    // Climb until a word holds a member at or after x.
    for (;;) {
        const std::vector<std::uint64_t>& words = levels_[static_cast<std::size_t>(level)];
        const std::size_t w = x >> 6;
        if (w >= words.size())
            return -1;
        const std::uint64_t masked = words[w] & (~std::uint64_t { 0 } << (x & 63));
        if (masked != 0) {
            x = (w << 6) + static_cast<std::size_t>(std::countr_zero(masked));
            break;
        }
        if (++level == levelCount_)
            return -1;
        x = w + 1;
    }
    // Descend along the lowest members.
    while (level > 0) {
        --level;
        x = (x << 6)
            + static_cast<std::size_t>(std::countr_zero(levels_[static_cast<std::size_t>(level)][x]));
    }
    return static_cast<int>(x);
}

int PositionSet::Prev(int position) const
{
    if (position < 0 || size_ == 0)
        return -1;
    std::size_t x = static_cast<std::size_t>(position >= size_ ? size_ - 1 : position);
    int level = 0;
    for (;;) {
        const std::vector<std::uint64_t>& words = levels_[static_cast<std::size_t>(level)];
        const std::size_t w = x >> 6;
        const unsigned bit = static_cast<unsigned>(x & 63);
        const std::uint64_t mask = bit == 63 ? ~std::uint64_t { 0 } : (std::uint64_t { 2 } << bit) - 1;
        const std::uint64_t masked = words[w] & mask;
        if (masked != 0) {
            x = (w << 6) + 63 - static_cast<std::size_t>(std::countl_zero(masked));
            break;
        }
        if (w == 0 || ++level == levelCount_)
            return -1;
        x = w - 1;
    }
    while (level > 0) {
        --level;
        x = (x << 6) + 63
            - static_cast<std::size_t>(std::countl_zero(levels_[static_cast<std::size_t>(level)][x]));
    }
    return static_cast<int>(x);
}

std::size_t PositionSet::MemoryBytes() const
{
    std::size_t bytes = 0;
    for (const auto& level : levels_)
        bytes += level.capacity() * sizeof(std::uint64_t);
    return bytes;
}

} // namespace lexicana
