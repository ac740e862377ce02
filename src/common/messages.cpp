#include "common/messages.h"

#include "common/translate.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lexicana {

namespace {

// Default sink: a program that installed nothing still shows its messages.
class StderrSink final : public IMessageSink {
public:
    int Show(const MessageRequest& request) override
    {
        std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
        switch (request.buttons()) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return IdYes;
        case MessageButtons::RetryCancel:
            return IdCancel;
        default:
            return IdOk;
        }
    }
};

StderrSink g_defaultSink;
IMessageSink* g_sink = &g_defaultSink;
thread_local IMessageSink* t_sink = nullptr;

} // namespace

MessageIcon IconOfFlags(int flags)
{
    switch (flags & 0xF0) {
    case MbIconStop:
        return MessageIcon::Stop;
    case MbIconQuestion:
        return MessageIcon::Question;
    case MbIconWarning:
        return MessageIcon::Warning;
    case MbIconInformation:
        return MessageIcon::Information;
    default:
        return MessageIcon::None;
    }
}

MessageButtons ButtonsOfFlags(int flags)
{
    switch (flags & 0x0F) {
    case MbOkCancel:
        return MessageButtons::OkCancel;
    case MbYesNoCancel:
        return MessageButtons::YesNoCancel;
    case MbYesNo:
        return MessageButtons::YesNo;
    case MbRetryCancel:
        return MessageButtons::RetryCancel;
    default:
        return MessageButtons::Ok;
    }
}

IMessageSink* SetMessageSink(IMessageSink* sink)
{
    IMessageSink* previous = g_sink == &g_defaultSink ? nullptr : g_sink;
    g_sink = sink ? sink : &g_defaultSink;
    return previous;
}

IMessageSink* SetThreadMessageSink(IMessageSink* sink)
{
    IMessageSink* previous = t_sink;
    t_sink = sink;
    return previous;
}

IMessageSink& CurrentMessageSink()
{
    return t_sink ? *t_sink : *g_sink;
}

std::string ErrorReportText(const std::string& message, const std::string& location)
{
    return FillArgs(lexicana::Tr("エラー発生場所 : %1\r\nエラーの種類 : %2"), { location, message });
}

void ReportError(const std::exception& error, const std::string& location)
{
    ReportError(std::string(error.what()), location);
}

void ReportError(const std::string& message, const std::string& location)
{
    ShowError(ErrorReportText(message, location));
}

void ShowError(const std::string& text)
{
    ShowMessageBox(text, lexicana::Tr("エラー"), MbOk | MbIconStop);
}

int ShowMessageBox(const std::string& text, const std::string& caption, int flags)
{
    MessageRequest request { text, caption, flags, true };
    return CurrentMessageSink().Show(request);
}

void ShowLastSystemError()
{
    ShowLastSystemError(errno);
}

void ShowLastSystemError(int errorCode)
{
    MessageRequest request { std::strerror(errorCode), "Error", MbOk | MbIconInformation, false };
    CurrentMessageSink().Show(request);
}

} // namespace lexicana
