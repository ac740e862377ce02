#include "common/taskpool.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace lexicana {
namespace {

// Every task handed over runs once, its result or exception reaches its
// future, and the pool's end waits for the tasks still queued.
TEST(TaskPool, RunsEveryTaskOnceAndHandsBackResultsAndExceptions)
{
    std::atomic<int> ran { 0 };
    {
        TaskPool pool(3);
        std::vector<std::future<bool>> results;
        for (int i = 0; i < 200; ++i)
            results.push_back(pool.Run([i, &ran] {
                ++ran;
                if (i == 7)
                    throw std::runtime_error("task 7");
                return i % 2 == 0;
            }));
        for (int i = 0; i < 200; ++i) {
            if (i == 7)
                EXPECT_THROW(results[i].get(), std::runtime_error);
            else
                EXPECT_EQ(results[i].get(), i % 2 == 0) << i;
        }
        // Handed over and dropped unawaited: the pool's end still runs them.
        for (int i = 0; i < 50; ++i)
            pool.Run([&ran] {
                ++ran;
                return true;
            });
    }
    EXPECT_EQ(ran.load(), 250);
}

} // namespace
} // namespace lexicana
