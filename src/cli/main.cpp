// lexicana-convert: runs a conversion of a set file without a window, as the
// conversion commands of the window program do. Messages go to standard
// error; the exit status says how the run ended (see CliUsageText).
#include "cli/interrupt.h"
#include "cli/options.h"
#include "cli/terminalline.h"
#include "cli/terminalprogress.h"
#include "cli/terminalsink.h"
#include "common/version.h"
#include "data/global.h"
#include "document/document.h"
#include "platform/nativepath.h"

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

using namespace lexicana;

constexpr int kExitDone = 0;
constexpr int kExitStopped = 1;
constexpr int kExitUsage = 2;

// The set file's document path (Shift_JIS), made absolute so that its
// relative paths resolve against its own folder whatever the current folder.
bool SetFileDocumentPath(const std::string& given, std::string& path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(given, ec);
    const std::string native = ec ? given : absolute.lexically_normal().string();
    return DocumentPathFromNative(native, path);
}

int Run(const TCliOptions& options)
{
    TTerminalLine line(stderr, ::isatty(STDERR_FILENO) == 1);
    TTerminalSink sink(stderr, &line);
    SetMessageSink(&sink);
    // The default sink again on every way out, before sink goes away.
    struct SinkGuard {
        ~SinkGuard() { SetMessageSink(nullptr); }
    } sinkGuard;

    // The stored options, as the window program reads them at start. The
    // command line overrides them for this run only: a command-line run never
    // writes the settings store.
    TGlobal global(true);
    if (options.kanjiCode)
        global.KanjiCode = *options.kanjiCode;
    if (options.newLineCode)
        global.NewLineCode = *options.newLineCode;

    std::string setFile;
    if (!SetFileDocumentPath(options.setFile, setFile)) {
        std::fprintf(stderr, "lexicana-convert: セットファイル名に Shift_JIS で表せない文字があります: %s\n",
            options.setFile.c_str());
        return kExitUsage;
    }

    TDocument doc(global);
    // A set whose item data or conversion table could not be read has been
    // reported by the readers and left nothing loaded; converting it would
    // only add a second failure.
    if (doc.ReadLxsFile(setFile) != ResultOk)
        return kExitUsage;
    if (options.partRow >= doc.Grid().RowCount()) {
        std::fprintf(stderr, "lexicana-convert: 行 %d はありません (レコードは 1 から %d まで)\n",
            options.partRow, doc.Grid().RowCount() - 1);
        return kExitUsage;
    }

    TTerminalProgress progress(global, line, InterruptRequested);
    doc.SetProgress(&progress);
    if (options.partRow > 0)
        doc.ConvertOnePart(options.partRow);
    else
        doc.StartConversion();
    line.Clear();
    doc.SetProgress(nullptr);
    const TRunOutcome& outcome = doc.LastRun();
    if (!outcome.told)
        std::fprintf(stderr, "lexicana-convert: 変換が結果コード %d で終わりました。\n", outcome.result);
    if (!outcome.skipped.empty())
        std::fprintf(stderr, "スキップしたパート: %zu\n", outcome.skipped.size());
    return outcome.Done() ? kExitDone : kExitStopped;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    TCliOptions options;
    std::string error;
    if (!ParseCliOptions(args, options, error)) {
        std::fprintf(stderr, "lexicana-convert: %s\n", error.c_str());
        std::fprintf(stderr, "lexicana-convert --help で使い方を表示します。\n");
        return kExitUsage;
    }
    if (options.action == TCliOptions::Action::Help) {
        std::fputs(CliUsageText().c_str(), stdout);
        return kExitDone;
    }
    if (options.action == TCliOptions::Action::Version) {
        std::printf("Lexicana version %s\n", GetProductVersion().c_str());
        return kExitDone;
    }
    InstallInterruptHandler();
    // QtCore serves the settings store, the locale's date and time formats
    // and the character codes.
    QCoreApplication app(argc, argv);
    return Run(options);
}
