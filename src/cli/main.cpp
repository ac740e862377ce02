// lexicana-convert: runs a conversion of a set file without a window, as the
// conversion commands of the window program do. Messages go to standard
// error; the exit status says how the run ended (see CliUsageText).
#include "cli/interrupt.h"
#include "cli/options.h"
#include "cli/runreport.h"
#include "cli/stampedrun.h"
#include "cli/terminalline.h"
#include "cli/terminalprogress.h"
#include "cli/terminalsink.h"
#include "cli/watch.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "common/version.h"
#include "data/global.h"
#include "document/document.h"
#include "html/runstamp.h"
#include "html/termcheck.h"
#include "platform/nativepath.h"
#include "platform/runcache.h"
#include "platform/doctext.h"
#include "platform/largepages.h"
#include "platform/uilanguage.h"

#include <QCoreApplication>
#include <QTime>
#include <chrono>
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

// The command line as given, for a restart on large pages.
std::vector<std::string> commandLine;

// The set file's document path (Shift_JIS), made absolute so that its
// relative paths resolve against its own folder whatever the current folder.
bool SetFileDocumentPath(const std::string& given, std::string& path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(given, ec);
    const std::string native = ec ? given : absolute.lexically_normal().string();
    return DocumentPathFromNative(native, path);
}

// The folder of --output as a document path ending in a separator, or an
// empty string (with the reason printed) when it cannot be used: it may not
// be the HTML folder or lie inside it, where its files would become pages.
std::string OutputFolder(const std::string& given, const std::string& htmlDir)
{
    std::string folder;
    if (!SetFileDocumentPath(given, folder)) {
        std::fprintf(stderr, "lexicana-convert: %s\n",
            FillArgs(
                lexicana::Tr("--output のフォルダ名に Shift_JIS で表せない文字があります: %1"), { given })
                .c_str());
        return std::string();
    }
    folder = IncludeTrailingSeparator(folder);
    // Compared with links, "." and ".." resolved, as far as the folders
    // exist: the output folder may be neither the HTML folder nor below it.
    std::error_code ec;
    const std::filesystem::path html
        = std::filesystem::weakly_canonical(std::filesystem::path(NativeFileName(htmlDir)), ec);
    const std::filesystem::path out
        = std::filesystem::weakly_canonical(std::filesystem::path(NativeFileName(folder)), ec);
    const std::filesystem::path rest = out.lexically_relative(html);
    if (!rest.empty() && (rest == "." || *rest.begin() != "..")) {
        std::fprintf(stderr, "lexicana-convert: %s\n",
            FillArgs(lexicana::Tr("--output のフォルダが HTML フォルダの中にあります: %1"), { given })
                .c_str());
        return std::string();
    }
    return folder;
}

// The time of day that starts each line of the watch mode.
std::string NowText()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString();
}

// How one conversion ended, and the files its set is made of.
struct ConversionOutcome {
    int status = kExitDone;
    TWatchList watched; // the files read, for the watch mode
};

// The term check of the set: one finding per line on standard output; 1
// when there is any, 0 when none, 2 when the set or its table cannot be read.
int CheckTermsOnce(const TCliOptions& options, const std::string& setFile, const TGlobal& stored)
{
    TGlobal global = stored;
    TDocument doc(global);
    if (doc.ReadLxsFile(setFile) != ResultOk)
        return kExitUsage;
    std::vector<TermFinding> findings;
    if (doc.CheckTerms(findings) != ResultOk)
        return kExitUsage;
    for (const TermFinding& finding : findings)
        std::printf("%s\n", finding.text.c_str());
    if (!options.quiet)
        std::fprintf(stderr, "%s\n",
            FillArgs(lexicana::Tr("用語の検査: %1 件"), { std::to_string(findings.size()) }).c_str());
    return findings.empty() ? kExitDone : kExitStopped;
}

// Prints how a run ended as the options ask for and gives its exit status.
int ReportOutcome(const TCliOptions& options, const TRunOutcome& outcome, int records, bool watching,
    std::chrono::steady_clock::time_point started)
{
    if (!outcome.told)
        std::fprintf(stderr, "lexicana-convert: %s\n",
            FillArgs(lexicana::Tr("変換が結果コード %1 で終わりました。"), { std::to_string(outcome.result) })
                .c_str());
    if (!options.quiet && !outcome.skipped.empty())
        std::fprintf(stderr, "%s\n",
            FillArgs(lexicana::Tr("スキップしたパート: %1"), { std::to_string(outcome.skipped.size()) })
                .c_str());
    if (!options.quiet && !watching && outcome.Done())
        std::fprintf(stderr, "%s\n", outcome.Summary(options.check).c_str());
    // A check lists the pages that would change, one per line.
    if (options.check && !options.json)
        for (const std::string& page : outcome.written)
            std::printf("%s\n", DocToUtf8(page).c_str());
    if (options.diff && !options.json)
        std::fputs(OutcomeDiffs(outcome, ::isatty(STDOUT_FILENO) == 1).c_str(), stdout);

    int status = outcome.Done() ? kExitDone : kExitStopped;
    if (options.check && outcome.Done() && !outcome.written.empty())
        status = kExitStopped;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (options.json) {
        TRunFacts facts;
        facts.exitStatus = status;
        facts.check = options.check;
        facts.records = records;
        facts.seconds = seconds;
        std::fputs(OutcomeJson(outcome, facts).c_str(), stdout);
    }
    if (watching) {
        const std::string text
            = outcome.Done() ? outcome.Summary(options.check) : lexicana::Tr("変換は終了しませんでした");
        char duration[32];
        std::snprintf(duration, sizeof duration, "%.2f", seconds);
        // Below it, the pages that got characters as numeric references.
        const std::string references = outcome.Done() ? outcome.ReferenceLines() : std::string();
        std::fprintf(stderr, "[%s] %s (%s)%s\n", NowText().c_str(), text.c_str(),
            FillArgs(lexicana::Tr("%1 秒"), { duration }).c_str(), references.c_str());
    }
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}

// Reads the set afresh and converts it once, printing what the options ask
// for. watching: one line per run instead of the summary. A whole run or
// check in place is answered from the run stamp when it still holds, and a
// whole run in place that changed nothing records a fresh stamp.
ConversionOutcome ConvertOnce(const TCliOptions& options, const std::string& setFile, const TGlobal& stored,
    TTerminalLine& line, bool watching)
{
    const auto started = std::chrono::steady_clock::now();
    const long long startedNs = WallClockNs();
    ConversionOutcome result;
    result.watched.files.push_back(NativeFileName(setFile));
    const bool stamped = !options.noCache && !watching && options.partRow == 0 && options.outputDir.empty();
    const std::string stampSettings = stamped ? RunStampSettings(stored) : std::string();
    if (stamped) {
        TRunOutcome outcome;
        int records = 0;
        if (AnswerFromStamp(setFile, stampSettings, outcome, records)) {
            result.status = ReportOutcome(options, outcome, records, watching, started);
            return result;
        }
    }
    // A run that converts goes much faster on large pages; nothing has been
    // written or printed yet and the set not read, so the program may start
    // again here.
    if (!watching && HoldInterrupts()) {
        struct Release {
            ~Release() { ReleaseInterrupts(); }
        } release;
        RestartWithLargePages(commandLine);
    }
    TMessageCount messages;
    TGlobal global = stored;
    TDocument doc(global);
    // A set whose item data or conversion table could not be read has been
    // reported by the readers and left nothing loaded; converting it would
    // only add a second failure.
    if (doc.ReadLxsFile(setFile) != ResultOk) {
        result.status = kExitUsage;
        result.watched.complete = false;
        if (watching)
            std::fprintf(stderr, "[%s] %s\n", NowText().c_str(),
                lexicana::Tr("セットを読めませんでした。ファイルが直るのを待ちます。").c_str());
        return result;
    }
    for (const std::string* file : { &global.ItemFileName, &global.TableFileName, &global.InfoOutputList })
        if (!file->empty())
            result.watched.files.push_back(NativeFileName(*file));
    if (options.partRow >= doc.Grid().RowCount()) {
        std::fprintf(stderr, "lexicana-convert: %s\n",
            FillArgs(lexicana::Tr("行 %1 はありません (レコードは 1 から %2 まで)"),
                { std::to_string(options.partRow), std::to_string(doc.Grid().RowCount() - 1) })
                .c_str());
        result.status = kExitUsage;
        return result;
    }

    TRunTarget target;
    target.keepContents = options.diff;
    if (options.check) {
        target.mode = TRunTarget::Mode::CheckOnly;
    } else if (!options.outputDir.empty()) {
        target.mode = TRunTarget::Mode::Folder;
        target.folder = OutputFolder(options.outputDir, global.HTMLDir);
        if (target.folder.empty()) {
            result.status = kExitUsage;
            return result;
        }
    }
    doc.SetRunTarget(target);
    // Another conversion of the same set gets a while to end.
    doc.SetRunLockWait(options.lockWaitSeconds * 1000);

    TTerminalProgress progress(global, line, InterruptRequested);
    doc.SetProgress(&progress);
    if (options.partRow > 0)
        doc.ConvertOnePart(options.partRow);
    else
        doc.StartConversion();
    line.Clear();
    doc.SetProgress(nullptr);
    const TRunOutcome& outcome = doc.LastRun();
    // Only the closing message of a run that ended well may have been shown.
    if (stamped && target.WritesInPlace())
        RecordRunStamp(setFile, stampSettings, global, outcome, messages.Count() == 1, startedNs);
    result.status = ReportOutcome(options, outcome, global.NormalRecordCount, watching, started);
    return result;
}

int Run(const TCliOptions& options)
{
    TTerminalLine line(stderr, !options.quiet && ::isatty(STDERR_FILENO) == 1);
    TTerminalSink sink(stderr, &line);
    // While watching, each run is one line; its messages show only when
    // they are errors.
    sink.SetQuiet(options.quiet || options.watch);
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
        std::fprintf(stderr, "lexicana-convert: %s\n",
            FillArgs(lexicana::Tr("セットファイル名に Shift_JIS で表せない文字があります: %1"),
                { options.setFile })
                .c_str());
        return kExitUsage;
    }
    if (options.checkTerms)
        return CheckTermsOnce(options, setFile, global);
    if (!options.watch)
        return ConvertOnce(options, setFile, global, line, false).status;

    // A run that fails says so and the watch goes on; Ctrl+C ends it.
    WatchAndConvert(
        [&] { return ConvertOnce(options, setFile, global, line, true).watched; }, InterruptRequested);
    return kExitDone;
}

} // namespace

int main(int argc, char** argv)
{
    commandLine.assign(argv, argv + argc);
    std::vector<std::string> args(argv + 1, argv + argc);
    // QtCore serves the settings store, the locale's date and time formats
    // and the character codes; the messages are in the interface language of
    // the window program (its option, else the system's) from the first on.
    QCoreApplication app(argc, argv);
    InstallUiTranslation(ChosenUiLanguage());
    TCliOptions options;
    std::string error;
    if (!ParseCliOptions(args, options, error)) {
        std::fprintf(stderr, "lexicana-convert: %s\n", error.c_str());
        std::fprintf(stderr, "%s\n", lexicana::Tr("lexicana-convert --help で使い方を表示します。").c_str());
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
    return Run(options);
}
