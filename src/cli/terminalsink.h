// The message sink of lexicana-convert: every message box becomes the line
// "[caption] text" on standard error (UTF-8), and every question gets the
// answer that is safe without a person to ask (see NonInteractiveAnswer).
#pragma once

#include "common/messages.h"

#include <cstdio>

namespace lexicana {

class TTerminalLine;

// The answer a run without a person gives to a box:
//  * the retry question of a page whose markers moved ("再実行の確認"): No,
//    so the part is skipped and the page stays as it was;
//  * any other Yes/No question (e.g. "項目データファイルが変更されました。
//    セットファイルを更新しますか？"): No, since a command-line run never
//    changes files it was not asked to convert;
//  * Yes/No/Cancel, OK/Cancel and Retry/Cancel: Cancel, which leaves
//    everything as it is;
//  * a plain message: OK.
int NonInteractiveAnswer(const MessageRequest& request);

class TTerminalSink final : public IMessageSink {
public:
    // line, when given, is erased before each message.
    explicit TTerminalSink(std::FILE* out, TTerminalLine* line = nullptr);

    int Show(const MessageRequest& request) override;
    // Quiet: only boxes with the stop or warning icon are printed; every
    // question still gets its answer.
    void SetQuiet(bool quiet) { quiet_ = quiet; }

private:
    std::FILE* out_;
    TTerminalLine* line_;
    bool quiet_ = false;
};

} // namespace lexicana
