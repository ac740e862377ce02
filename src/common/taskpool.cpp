#include "common/taskpool.h"

namespace lexicana {

TaskPool::TaskPool(int threads)
    : limit_(static_cast<std::size_t>(threads < 1 ? 1 : threads))
{
    threads_.reserve(limit_);
}

TaskPool::~TaskPool()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    ready_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

std::future<bool> TaskPool::Run(std::function<bool()> task)
{
    std::packaged_task<bool()> packaged(std::move(task));
    std::future<bool> result = packaged.get_future();
    std::unique_lock<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(packaged));
    if (idle_ < tasks_.size() && threads_.size() < limit_) {
        try {
            threads_.emplace_back([this] { Work(); });
        } catch (...) {
            // No thread to be had: the workers there are run the task, or
            // where there are none it is run here.
            if (threads_.empty()) {
                std::packaged_task<bool()> here = std::move(tasks_.back());
                tasks_.pop_back();
                lock.unlock();
                here();
                return result;
            }
        }
    }
    lock.unlock();
    ready_.notify_one();
    return result;
}

void TaskPool::Work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        ++idle_;
        ready_.wait(lock, [this] { return ending_ || !tasks_.empty(); });
        --idle_;
        if (tasks_.empty())
            return; // ending, and nothing left to run
        std::packaged_task<bool()> task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

} // namespace lexicana
