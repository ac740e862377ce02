// What a conversion run tells its progress display, and how it lets pending
// window events run so that a cancel can arrive (the display's owner clears
// TGlobal::Converting when the user confirms cancelling). The window program
// shows a dialog, the command-line program a line on the terminal, tests
// record the calls.
#pragma once

#include <string>

namespace lexicana {

// What a long loop calls to let pending window events run; a program without
// a window runs none.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    virtual void ProcessEvents() {}
};

class IConversionProgress {
public:
    // The four steps of rewriting one page.
    enum Step { StepReadPage = 0, StepMakePart = 1, StepWriteTemp = 2, StepReplacePage = 3 };

    virtual ~IConversionProgress() = default;
    // The display appears for records minRow .. maxRow.
    virtual void Open(int minRow, int maxRow) { (void)minRow, (void)maxRow; }
    virtual void SelectStep(int step) { (void)step; }
    // Shift_JIS texts: the page's file name and the part ID.
    virtual void SetFileName(const std::string& fileName) { (void)fileName; }
    virtual void SetPartId(const std::string& partId) { (void)partId; }
    // The record being converted: row of lastRow (the bar's position).
    virtual void SetRecord(int row, int lastRow) { (void)row, (void)lastRow; }
    // Let pending events run; a confirmed cancel clears TGlobal::Converting.
    virtual void ProcessEvents() {}
    // The display disappears (the run clears Converting itself).
    virtual void Close() {}
};

}  // namespace lexicana
