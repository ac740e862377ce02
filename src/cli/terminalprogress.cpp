#include "cli/terminalprogress.h"

#include "cli/terminalline.h"
#include "common/translate.h"
#include "data/global.h"
#include "platform/doctext.h"

namespace lexicana {

namespace {

const char* StepName(int step)
{
    switch (step) {
    case IConversionProgress::StepReadPage:
        return lexicana::TrMark("HTMLファイル読み込み");
    case IConversionProgress::StepMakePart:
        return lexicana::TrMark("Lexicanaパートの作成");
    case IConversionProgress::StepWriteTemp:
        return lexicana::TrMark("一時ファイルに書き込み");
    case IConversionProgress::StepReplacePage:
        return lexicana::TrMark("元のHTMLファイルに上書き");
    default:
        return lexicana::TrMark("準備中");
    }
}

} // namespace

TTerminalProgress::TTerminalProgress(TGlobal& global, TTerminalLine& line, std::function<bool()> interrupted)
    : global_(global)
    , line_(line)
    , interrupted_(std::move(interrupted))
{
}

void TTerminalProgress::Open(int minRow, int maxRow)
{
    step_ = -1;
    fileName_.clear();
    partId_.clear();
    row_ = minRow;
    lastRow_ = maxRow;
    Refresh(true);
}

void TTerminalProgress::SelectStep(int step)
{
    step_ = step;
    Refresh(false);
}

void TTerminalProgress::SetFileName(const std::string& fileName)
{
    // A new page: its part ID follows right after.
    fileName_ = DocToUtf8(fileName);
    partId_.clear();
    Refresh(true);
}

void TTerminalProgress::SetPartId(const std::string& partId)
{
    partId_ = DocToUtf8(partId);
    Refresh(true);
}

void TTerminalProgress::SetRecord(int row, int lastRow)
{
    row_ = row;
    lastRow_ = lastRow;
    Refresh(false);
}

void TTerminalProgress::ProcessEvents()
{
    if (interrupted_ && interrupted_() && global_.Converting) {
        global_.Converting = false;
        cancelled_ = true;
    }
}

void TTerminalProgress::Close()
{
    line_.Clear();
}

std::string TTerminalProgress::LineText() const
{
    std::string text = lexicana::Tr("変換中 ");
    text += std::to_string(row_) + "/" + std::to_string(lastRow_);
    text += " [";
    text += lexicana::Tr(StepName(step_));
    text += "]";
    if (!fileName_.empty())
        text += " " + fileName_;
    if (!partId_.empty())
        text += " (" + partId_ + ")";
    return text;
}

void TTerminalProgress::Refresh(bool now)
{
    if (!line_.Enabled())
        return;
    const auto t = std::chrono::steady_clock::now();
    if (!now && t - lastDraw_ < std::chrono::milliseconds(100))
        return;
    lastDraw_ = t;
    line_.Show(LineText());
}

} // namespace lexicana
