#include "html/partprefetch.h"

#include "common/messages.h"

#include <algorithm>

namespace lexicana {

namespace {

// How many parts beyond the one the main thread waits for the helpers may
// hold made or be making, per helper: enough to keep them busy while the
// main thread writes a page, few enough that the parts of a large glossary
// are never all held at once.
constexpr std::size_t kAheadPerWorker = 1;

// Notes whether anything was to be shown: a helper's part that met a
// failure is made again on the main thread, which shows it there in order.
class NoteSink final : public IMessageSink {
public:
    int Show(const MessageRequest&) override
    {
        shown = true;
        return IdCancel;
    }
    bool shown = false;
};

} // namespace

struct PartPrefetch::Slot {
    enum class State { Waiting, Working, Done, Failed, Taken };
    State state = State::Waiting;
    std::string text;
    long long links = 0;
};

// What a helper makes its parts with: its own copy of the options and the
// working lists, and a progress display that only passes on a stop.
class PartPrefetch::Worker final : public IConversionProgress {
public:
    Worker(const PageInputs& in, const std::atomic<bool>& stop)
        : global_(in.global)
        , mainLines_(in.mainLines)
        , stop_(stop)
        , in_ { in.grid, global_, in.headLines, mainLines_, in.footLines, workLines_, *this, outcome_,
            in.target }
    {
        global_.Converting = true;
        global_.PageText.clear();
    }
    void ProcessEvents() override
    {
        if (stop_.load(std::memory_order_relaxed))
            global_.Converting = false;
    }
    const PageInputs& Inputs() const { return in_; }

private:
    TGlobal global_;
    TStringList mainLines_;
    TStringList workLines_;
    TRunOutcome outcome_;
    const std::atomic<bool>& stop_;
    PageInputs in_;
};

PartPrefetch::PartPrefetch(const PageInputs& in, const FileListGrid& parts, const WordLink& links,
    const ColumnFlags& columnUsed, std::vector<int> order, int workers)
    : in_(in)
    , parts_(parts)
    , links_(links)
    , columnUsed_(columnUsed)
    , order_(std::move(order))
    , position_(static_cast<std::size_t>(std::max(parts.RowTotal(), 0)), -1)
{
    for (std::size_t k = 0; k < order_.size(); ++k) {
        const int index = order_[k];
        if (index >= 0 && index < parts.RowTotal() && position_[static_cast<std::size_t>(index)] < 0)
            position_[static_cast<std::size_t>(index)] = static_cast<int>(k);
        slots_.push_back(std::make_unique<Slot>());
    }
    if (order_.size() < 2)
        return;
    for (int w = 0; w < workers; ++w)
        workers_.push_back(std::make_unique<Worker>(in_, stopFlag_));
    for (auto& worker : workers_)
        threads_.emplace_back([this, helper = worker.get()] { Work(*helper); });
}

PartPrefetch::~PartPrefetch()
{
    {
        std::lock_guard lock(mutex_);
        stopFlag_.store(true);
    }
    changed_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

int PartPrefetch::WorkersFor(unsigned cores)
{
    // The main thread reads and writes the pages; one helper per core makes
    // parts. A single core gains nothing from a helper.
    return cores < 2 ? 0 : static_cast<int>(std::min(cores, 8u));
}

void PartPrefetch::Work(Worker& worker)
{
    NoteSink sink;
    SetThreadMessageSink(&sink);
    const std::size_t ahead = kAheadPerWorker * workers_.size();
    while (true) {
        std::size_t place = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(
                lock, [&] { return stopFlag_.load() || next_ >= slots_.size() || next_ < taken_ + ahead; });
            if (stopFlag_.load() || next_ >= slots_.size())
                break;
            place = next_++;
            if (slots_[place]->state != Slot::State::Waiting)
                continue;
            slots_[place]->state = Slot::State::Working;
        }
        std::string text;
        sink.shown = false;
        const long long before = WordLink::LinksMadeOnThisThread();
        int result = -1;
        try {
            result = MakeOnePart(worker.Inputs(), text, parts_, links_, columnUsed_, order_[place]);
        } catch (...) {
            result = -1;
        }
        const long long made = WordLink::LinksMadeOnThisThread() - before;
        {
            std::lock_guard lock(mutex_);
            Slot& slot = *slots_[place];
            if (result == 0 && !sink.shown) {
                slot.text = std::move(text);
                slot.links = made;
                slot.state = Slot::State::Done;
            } else {
                slot.state = Slot::State::Failed;
            }
        }
        changed_.notify_all();
    }
    SetThreadMessageSink(nullptr);
}

int PartPrefetch::Take(int index, std::string& out, long long& linksMade)
{
    const int place = index >= 0 && index < static_cast<int>(position_.size())
        ? position_[static_cast<std::size_t>(index)]
        : -1;
    if (place < 0 || threads_.empty())
        return MakeHere(index, out, linksMade);
    std::unique_lock lock(mutex_);
    taken_ = std::max(taken_, static_cast<std::size_t>(place) + 1);
    changed_.notify_all();
    Slot& slot = *slots_[static_cast<std::size_t>(place)];
    if (slot.state == Slot::State::Waiting)
        slot.state = Slot::State::Taken; // no helper has begun it: made here
    changed_.wait(lock, [&] { return slot.state != Slot::State::Working; });
    if (slot.state != Slot::State::Done) {
        slot.state = Slot::State::Taken;
        lock.unlock();
        return MakeHere(index, out, linksMade);
    }
    slot.state = Slot::State::Taken;
    std::string text = std::move(slot.text);
    slot.text = std::string();
    linksMade = slot.links;
    lock.unlock();
    if (out.empty())
        out.swap(text);
    else
        out += text;
    return ReplayProgress(index);
}

int PartPrefetch::MakeHere(int index, std::string& out, long long& linksMade)
{
    const long long before = WordLink::LinksMadeOnThisThread();
    const int result = MakeOnePart(in_, out, parts_, links_, columnUsed_, index);
    linksMade = WordLink::LinksMadeOnThisThread() - before;
    return result;
}

// The calls MakeOnePart makes of the progress display, with its cancel
// checks: the record of each row, then pending events after each column.
int PartPrefetch::ReplayProgress(int index)
{
    const int first = parts_.RowNumber(0, index) + 1;
    const int end = parts_.RowNumber(0, index + 1);
    const int lastRow = in_.grid.RowCount() - 1;
    const int columns = in_.grid.ColCount();
    for (int row = first; row < end; ++row) {
        in_.progress.SetRecord(row, lastRow);
        for (int column = 1; column < columns; ++column) {
            in_.progress.ProcessEvents();
            if (!in_.global.Converting)
                return RunCancelled;
        }
        if (!in_.global.Converting)
            return RunCancelled;
    }
    return 0;
}

} // namespace lexicana
