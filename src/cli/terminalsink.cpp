#include "cli/terminalsink.h"

#include "cli/terminalline.h"
#include "common/translate.h"
#include "html/pagerewrite.h"

#include <string>

namespace lexicana {

namespace {

// The text with CR LF (and lone CR) turned into LF for the terminal.
std::string TerminalText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            out += '\n';
        } else {
            out += text[i];
        }
    }
    return out;
}

const char* AnswerName(int answer)
{
    switch (answer) {
    case IdYes:
        return lexicana::TrMark("はい");
    case IdNo:
        return lexicana::TrMark("いいえ");
    case IdCancel:
        return lexicana::TrMark("キャンセル");
    case IdRetry:
        return lexicana::TrMark("再試行");
    default:
        return "OK";
    }
}

} // namespace

int NonInteractiveAnswer(const MessageRequest& request)
{
    switch (request.buttons()) {
    case MessageButtons::YesNo:
        return IdNo;
    case MessageButtons::YesNoCancel:
    case MessageButtons::OkCancel:
    case MessageButtons::RetryCancel:
        return IdCancel;
    case MessageButtons::Ok:
        break;
    }
    return IdOk;
}

TTerminalSink::TTerminalSink(std::FILE* out, TTerminalLine* line)
    : out_(out)
    , line_(line)
{
}

int TTerminalSink::Show(const MessageRequest& request)
{
    const int answer = NonInteractiveAnswer(request);
    if (quiet_ && request.icon() != MessageIcon::Stop && request.icon() != MessageIcon::Warning)
        return answer;
    if (line_)
        line_->Clear();
    std::fprintf(out_, "[%s] %s\n", request.caption.c_str(), TerminalText(request.text).c_str());
    if (request.buttons() != MessageButtons::Ok) {
        // The run notes the skipped part in its outcome; this only says why
        // the page stays as it was.
        if (request.caption == lexicana::Tr(kPartRetryCaption) && answer == IdNo) {
            std::fprintf(out_, "  → %s\n",
                lexicana::Tr("いいえ: このパートをスキップします (ページは変更しません)。").c_str());
        } else {
            std::fprintf(out_, "  → %s\n",
                FillArgs(lexicana::Tr("%1 (対話できないため)"), { lexicana::Tr(AnswerName(answer)) })
                    .c_str());
        }
    }
    std::fflush(out_);
    return answer;
}

} // namespace lexicana
