// Progress of a conversion run on a terminal: one line on standard error
// naming the step, the page, the part and the record (only when standard
// error is a terminal), and Ctrl+C turned into the cancel of the run.
#pragma once

#include "conversion/progress.h"

#include <chrono>
#include <functional>
#include <string>

namespace lexicana {

class TGlobal;
class TTerminalLine;

class TTerminalProgress final : public IConversionProgress {
public:
    // interrupted tells whether the user asked to stop (Ctrl+C); the next
    // ProcessEvents then clears global.Converting, as a confirmed cancel
    // in the progress dialog does.
    TTerminalProgress(TGlobal& global, TTerminalLine& line, std::function<bool()> interrupted);

    void Open(int minRow, int maxRow) override;
    void SelectStep(int step) override;
    void SetFileName(const std::string& fileName) override;
    void SetPartId(const std::string& partId) override;
    void SetRecord(int row, int lastRow) override;
    void ProcessEvents() override;
    void Close() override;

    // True when an interrupt cancelled the run.
    bool Cancelled() const { return cancelled_; }
    // The line as it would be drawn now (UTF-8).
    std::string LineText() const;

private:
    // Redraws the line, at most every 100 ms unless now is set.
    void Refresh(bool now);

    TGlobal& global_;
    TTerminalLine& line_;
    std::function<bool()> interrupted_;
    bool cancelled_ = false;
    int step_ = -1;
    std::string fileName_;
    std::string partId_;
    int row_ = 0;
    int lastRow_ = 0;
    std::chrono::steady_clock::time_point lastDraw_ {};
};

} // namespace lexicana
