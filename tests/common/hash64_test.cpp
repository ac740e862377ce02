#include "common/hash64.h"

#include <gtest/gtest.h>
#include <string>

namespace lexicana {
namespace {

// Reference values of XXH64 (xxhsum -H1), for inputs that reach every path
// of the function: short inputs, the 32-byte stripes, and tails of 8, 4 and
// 1 to 3 bytes.
TEST(Hash64, GivesTheReferenceValuesOfXxh64)
{
    std::string stripes, bytes100;
    for (int i = 0; i < 3 * 256; ++i)
        stripes += static_cast<char>(i);
    stripes += "lexicana";
    for (int i = 0; i < 100; ++i)
        bytes100 += static_cast<char>(i * 7 + 3);
    const struct {
        std::string bytes;
        std::uint64_t hash;
    } cases[] = {
        { "", 0xEF46DB3751D8E999ULL },
        { "abc", 0x44BC2CF5AD770999ULL },
        { "abcdefghijklmnopqrstuvwxyz0123456789+-*", 0xBA225C4201902885ULL },
        { bytes100, 0xA61F8D4C170FE531ULL },
        { stripes, 0xD037DC0D9D217F50ULL },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hash64(c.bytes), c.hash) << c.bytes.size() << " bytes";
        // In pieces of every size from 1 to 40 bytes, the same value.
        for (std::size_t piece = 1; piece <= 40; ++piece) {
            Hash64Stream stream;
            for (std::size_t at = 0; at < c.bytes.size(); at += piece)
                stream.Add(std::string_view(c.bytes).substr(at, piece));
            EXPECT_EQ(stream.Value(), c.hash) << c.bytes.size() << " bytes in pieces of " << piece;
        }
    }
}

} // namespace
} // namespace lexicana
