// Message boxes of the core: every failure report and every question goes
// through one installed sink (Qt message boxes in the window program, the
// terminal in the command-line program, a recorder in tests).
#pragma once

#include <exception>
#include <string>

namespace lexicana {

// Standard message-box flags: the low nibble selects the buttons, the next
// one the icon. Combinations are or-ed, e.g. MbYesNo | MbIconQuestion == 36.
enum MessageFlags : int {
    MbOk = 0x00,
    MbOkCancel = 0x01,
    MbYesNoCancel = 0x03,
    MbYesNo = 0x04,
    MbRetryCancel = 0x05,
    MbIconStop = 0x10,
    MbIconQuestion = 0x20,
    MbIconWarning = 0x30,
    MbIconInformation = 0x40,
};

// Button identifiers returned by a message box.
enum MessageAnswer : int { IdOk = 1, IdCancel = 2, IdRetry = 4, IdYes = 6, IdNo = 7 };

enum class MessageIcon { None, Stop, Question, Warning, Information };
enum class MessageButtons { Ok, OkCancel, YesNoCancel, YesNo, RetryCancel };

MessageIcon IconOfFlags(int flags);
MessageButtons ButtonsOfFlags(int flags);

// One message box as the sink receives it. Texts are UTF-8.
struct MessageRequest {
    std::string text;
    std::string caption;
    int flags = 0;
    bool ownedByMainWindow = true; // false for the system-error box
    MessageIcon icon() const { return IconOfFlags(flags); }
    MessageButtons buttons() const { return ButtonsOfFlags(flags); }
};

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // Shows the box, blocks until it is closed and returns the button id.
    virtual int Show(const MessageRequest& request) = 0;
};

// Installs the sink used from now on (nullptr restores the default sink,
// which writes to standard error and answers with the box's first button).
// Returns the previously installed sink.
IMessageSink* SetMessageSink(IMessageSink* sink);
// Installs a sink for the calling thread alone, over the program's one
// (nullptr: the program's sink again), so that a helper thread collects its
// messages instead of showing boxes from outside the main thread. Returns
// the thread's previous sink.
IMessageSink* SetThreadMessageSink(IMessageSink* sink);
// The calling thread's sink where it has one, else the program's.
IMessageSink& CurrentMessageSink();

// Shows "エラー発生場所 : " + location CR LF "エラーの種類 : " + what().
void ReportError(const std::exception& error, const std::string& location);
// The same report for a message text that is not held by an exception.
void ReportError(const std::string& message, const std::string& location);
// Error box: caption "エラー", OK button, stop icon.
void ShowError(const std::string& text);
// Any box with the given flags; returns the button id (1, 2, 6, 7 ...).
int ShowMessageBox(const std::string& text, const std::string& caption, int flags);
// Shows the system's text for the last error (errno) with caption "Error",
// OK and the information icon, owned by no window.
void ShowLastSystemError();
void ShowLastSystemError(int errorCode);

// The text ReportError shows, exposed for callers that need it verbatim.
std::string ErrorReportText(const std::string& message, const std::string& location);

} // namespace lexicana
