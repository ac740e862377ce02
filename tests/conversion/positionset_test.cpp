// Tests of PositionSet against std::set on random operations, across the
// word and level edges of its bit tree.
#include "conversion/positionset.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace lexicana {
namespace {

TEST(PositionSetTest, NextAndPrevAgreeWithAnOrderedSet)
{
    std::mt19937 random(7);
    PositionSet set;
    for (int size : { 0, 1, 63, 64, 65, 4095, 4096, 4097, 300000 }) {
        set.Reset(size);
        std::set<int> model;
        const int operations = size == 0 ? 1 : 3000;
        for (int k = 0; k < operations && size > 0; ++k) {
            // Cluster positions near word edges half of the time.
            int x = static_cast<int>(random() % static_cast<unsigned>(size));
            if (k % 2)
                x = std::min(size - 1, static_cast<int>((x / 64) * 64 + random() % 2 * 63));
            if (random() % 3 == 0) {
                set.Erase(x);
                model.erase(x);
            } else {
                set.Insert(x);
                model.insert(x);
            }
            const int probe = static_cast<int>(random() % static_cast<unsigned>(size + 2)) - 1;
            const auto next = model.lower_bound(probe);
            EXPECT_EQ(set.Next(probe), next == model.end() ? -1 : *next) << size << " " << probe;
            const auto after = model.upper_bound(probe);
            EXPECT_EQ(set.Prev(probe), after == model.begin() ? -1 : *std::prev(after))
                << size << " " << probe;
            EXPECT_EQ(set.Contains(x), model.count(x) == 1);
        }
        EXPECT_EQ(set.Next(size), -1);
        EXPECT_EQ(set.Prev(-1), -1);
    }
    // Reset empties a set that held members, also when it shrinks.
    set.Reset(100);
    set.Insert(99);
    set.Reset(10);
    EXPECT_EQ(set.Next(0), -1);
    EXPECT_EQ(set.Prev(9), -1);
}

} // namespace
} // namespace lexicana
