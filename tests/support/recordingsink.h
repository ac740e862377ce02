// Test double of the message sink: records every box and answers questions
// from a script (the next answers queued with Answer()), so every question
// path can be tested without a window.
#pragma once

#include "common/messages.h"

#include <deque>
#include <string>
#include <vector>

namespace lexicana::test {

class RecordingSink final : public IMessageSink {
public:
    RecordingSink();
    ~RecordingSink() override; // restores the sink that was installed before

    int Show(const MessageRequest& request) override;

    // Queues the answer of the next box; without a queued answer a box is
    // answered with its first button (OK or Yes; Retry for Retry/Cancel).
    RecordingSink& Answer(int buttonId);

    std::vector<MessageRequest> boxes;
    std::size_t count() const { return boxes.size(); }
    const MessageRequest& last() const { return boxes.back(); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    void clear() { boxes.clear(); }

private:
    std::deque<int> answers_;
    IMessageSink* previous_;
};

} // namespace lexicana::test
