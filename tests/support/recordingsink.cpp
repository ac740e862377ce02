#include "support/recordingsink.h"

namespace lexicana::test {

RecordingSink::RecordingSink()
    : previous_(SetMessageSink(this))
{
}

RecordingSink::~RecordingSink()
{
    SetMessageSink(previous_);
}

int RecordingSink::Show(const MessageRequest& request)
{
    boxes.push_back(request);
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (request.buttons()) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return IdYes;
    case MessageButtons::RetryCancel:
        return IdRetry;
    default:
        return IdOk;
    }
}

RecordingSink& RecordingSink::Answer(int buttonId)
{
    answers_.push_back(buttonId);
    return *this;
}

} // namespace lexicana::test
