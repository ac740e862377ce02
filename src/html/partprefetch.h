// Parts made ahead on helper threads: while the main thread rewrites one
// page, the parts of the next pages are generated on the other cores. The
// main thread takes them in page order; what the progress display, the
// messages and the cancel see is the same as when every part is made on the
// main thread.
#pragma once

#include "conversion/filerecords.h"
#include "conversion/wordlink.h"
#include "html/itemgeneration.h"
#include "html/pageinputs.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lexicana {

class PartPrefetch {
public:
    // Helper threads make the parts listed in order (parts table entries),
    // all but the first, which the main thread is about to need; workers 0
    // makes every part on the main thread. The inputs must outlive the
    // object and stay unchanged while it lives.
    PartPrefetch(const PageInputs& in, const FileListGrid& parts, const WordLink& links,
        const ColumnFlags& columnUsed, std::vector<int> order, int workers);
    // Stops the helpers and waits for them.
    ~PartPrefetch();
    PartPrefetch(const PartPrefetch&) = delete;
    PartPrefetch& operator=(const PartPrefetch&) = delete;

    // Appends part index to out and gives the links it made; a part not made
    // ahead (not begun yet, failed or not listed) is made here. The progress
    // display gets the calls MakeOnePart makes, with the cancel checked at
    // the same points. The result of MakeOnePart.
    int Take(int index, std::string& out, long long& linksMade);

    // The helper threads a machine with this many cores uses.
    static int WorkersFor(unsigned cores);

private:
    struct Slot;
    class Worker;
    int MakeHere(int index, std::string& out, long long& linksMade);
    int ReplayProgress(int index);
    void Work(Worker& worker);

    const PageInputs& in_;
    const FileListGrid& parts_;
    const WordLink& links_;
    const ColumnFlags& columnUsed_;
    std::vector<int> order_;
    std::vector<int> position_; // parts table entry -> place in order_, or -1
    std::vector<std::unique_ptr<Slot>> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 1; // the next place a helper claims
    std::size_t taken_ = 0; // places the main thread has asked for
    // Set once the object goes: polled by the helpers between columns.
    std::atomic<bool> stopFlag_ { false };
    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<std::thread> threads_;
};

} // namespace lexicana
