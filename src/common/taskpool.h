// A few worker threads that run tasks handed to them, in the order given.
// Starting a thread per task costs a thread's start and stack each time;
// a run that hands out hundreds of short tasks (a page's write and flush)
// keeps the same few threads instead.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace lexicana {

class TaskPool {
public:
    // At most threads workers, started as tasks arrive.
    explicit TaskPool(int threads);
    // Runs every task handed over, then ends the workers.
    ~TaskPool();
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    // Runs task on a worker; the future gives its result or its exception.
    // Where no thread can be started the task runs here, before returning.
    std::future<bool> Run(std::function<bool()> task);

private:
    void Work();

    const std::size_t limit_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::packaged_task<bool()>> tasks_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0;
    bool ending_ = false;
};

} // namespace lexicana
