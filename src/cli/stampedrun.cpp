#include "cli/stampedrun.h"

#include "common/translate.h"
#include "html/runstamp.h"
#include "platform/runlock.h"

namespace lexicana {

TMessageCount::TMessageCount()
    : next_(&CurrentMessageSink())
{
    SetMessageSink(this);
}

TMessageCount::~TMessageCount()
{
    SetMessageSink(next_);
}

int TMessageCount::Show(const MessageRequest& request)
{
    ++count_;
    return next_->Show(request);
}

bool AnswerFromStamp(
    const std::string& setFile, const std::string& settings, TRunOutcome& outcome, int& records)
{
    // A conversion of the set going on elsewhere may be rewriting the pages.
    TRunLock lock;
    TRunStampHit hit;
    if (!lock.Acquire(setFile, 0) || !RunStampHolds(setFile, settings, hit))
        return false;
    lock.Release();
    ShowMessageBox(lexicana::Tr("HTMLファイルの書き換えが正常に終了しました。"), lexicana::Tr("完了"), MbOk);
    outcome = TRunOutcome();
    outcome.result = RunDone;
    outcome.told = true;
    for (const std::string& page : hit.pages)
        outcome.NoteUnchanged(page);
    outcome.linksMade = hit.links;
    records = hit.records;
    return true;
}

} // namespace lexicana
