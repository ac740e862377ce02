// The short way of lexicana-convert through the run stamp (html/runstamp.h):
// a whole run or check of a set whose stamp still holds reports what an
// unchanged run reports, without reading the item data or converting; and
// the count of messages a full run shows, which tells whether it may be
// recorded.
#pragma once

#include "common/messages.h"
#include "conversion/runoutcome.h"

#include <string>

namespace lexicana {

// Counts the messages shown while it lives and passes each on to the sink
// that was installed before it.
class TMessageCount final : public IMessageSink {
public:
    TMessageCount();
    ~TMessageCount() override;
    TMessageCount(const TMessageCount&) = delete;
    TMessageCount& operator=(const TMessageCount&) = delete;

    int Show(const MessageRequest& request) override;
    int Count() const { return count_; }

private:
    IMessageSink* next_;
    int count_ = 0;
};

// When the stamp of setFile holds (checked under the set's lock, which is
// not waited for: a conversion going on elsewhere leaves the waiting and the
// answer to the full run): shows the closing message of a run that ended
// well, fills outcome as a run that found every page up to date and records
// with its count of normal records, and returns true. Otherwise nothing is
// shown and a full run must follow.
bool AnswerFromStamp(
    const std::string& setFile, const std::string& settings, TRunOutcome& outcome, int& records);

} // namespace lexicana
