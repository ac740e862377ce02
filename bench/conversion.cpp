// Speed of a whole conversion run: generates a set of 20,000 records in 200
// pages (half Shift_JIS with CR LF, half EUC-JP with LF) in which every
// entry's word is linked from other entries, then times
//   1. a full rewrite: a whole run in this process (ReadLxsFile +
//      StartConversion) and of lexicana-convert (when it sits beside this
//      program) on pages that all change, against a plain copy (reading the
//      item data file and writing the converted pages);
//   2. a run when nothing changed (every page already converted), against
//      plainly reading the item data file and the pages;
//   3. the same with the record of the last run (html/runstamp.h): the test
//      that answers such a run without converting, in this process and as
//      lexicana-convert, against the same plain read;
//   4. the full rewrite of the same set made in UTF-8 (item data, table and
//      set file decoded, every page UTF-8 with LF, in the folder's "utf8"),
//      the two codes taking turns, in this process and as lexicana-convert,
//      with the UTF-8 / Shift_JIS ratios; it fails unless the UTF-8 pages,
//      decoded, equal the Shift_JIS pages decoded;
// and prints the figures and the ratios, with the peak memory of the
// lexicana-convert process (which restarts itself on large pages, and is
// also timed kept off them) and the processor time of the runs in this process
// (on a machine busy with other work, compare that and the ratios measured
// in the same run rather than the clock).
// Usage: bench_conversion [records] [pages] [folder]
// (with a folder, the set is made there and kept, e.g. to try the progress
// line of lexicana-convert on a terminal).
#include "besttime.h"
#include "common/messages.h"
#include "data/global.h"
#include "document/document.h"
#include "html/pagecode.h"
#include "html/runstamp.h"
#include "jconvert/jconvert.h"
#include "platform/runcache.h"
#include "platform/sjistext.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace lexicana;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Katakana words made from the index: unique, 3 to 4 syllables.
std::vector<std::string> Syllables()
{
    std::vector<std::string> out;
    for (const char* s : { "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ",
             "ソ", "タ", "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "ヒ", "フ", "ヘ", "ホ",
             "マ", "ミ", "ム", "メ", "モ", "ラ", "リ", "ル", "レ", "ロ" })
        out.push_back(SjisOf(s));
    return out;
}

std::string WordOf(int n, const std::vector<std::string>& syllables)
{
    const int base = static_cast<int>(syllables.size());
    std::string word;
    int v = n + base * base; // at least three syllables
    while (v > 0) {
        word += syllables[v % base];
        v /= base;
    }
    return word;
}

std::string Field(const std::string& cell)
{
    return "\"" + cell + "\""; // the generated cells hold no quote or backslash
}

const char* PageCharset(bool utf8, bool euc)
{
    return utf8 ? "UTF-8" : euc ? "EUC-JP" : "Shift_JIS";
}

struct BenchSet {
    std::string setFile;
    std::vector<std::string> pages; // paths
    std::vector<int> pageCodes; // JCodeSjis, JCodeEuc or JCodeUtf8, by page
    std::string itemFile;
};

// The set in Shift_JIS (pages alternately Shift_JIS with CR LF and EUC-JP
// with LF) or, with utf8, the same set made in UTF-8: item data, table and
// set file decoded from the Shift_JIS bytes, every page UTF-8 with LF.
BenchSet MakeSet(const std::string& folder, int records, int pages, bool utf8 = false)
{
    BenchSet set;
    const auto encode = [utf8](const std::string& sjis) { return utf8 ? SjisToUtf8(sjis) : sjis; };
    fs::create_directories(folder + "/html");
    const auto syllables = Syllables();
    const std::string desc1 = SjisOf("は、");
    const std::string desc2 = SjisOf("と深く関わる用語で、");
    const std::string desc3 = SjisOf("を調べるときにも参照される。");
    const std::string reading = SjisOf("よみ");

    std::string csv = Field("") + "," + Field(SjisOf("読み")) + "," + Field(SjisOf("コード")) + ","
        + Field(SjisOf("用語")) + "," + Field(SjisOf("説明")) + "\r\n";
    const int perPage = records / pages;
    int row = 0;
    for (int p = 0; p < pages; ++p) {
        char key[16];
        std::snprintf(key, sizeof key, "%04d", p);
        const std::string file = "page" + std::to_string(p) + ".html";
        csv += Field(std::to_string(++row)) + "," + Field(key) + ",\"\\\\@\"," + Field(file) + ","
            + Field(std::to_string(p)) + "\r\n";
        for (int i = 0; i < perPage; ++i) {
            const int n = p * perPage + i;
            const std::string word = WordOf(n, syllables);
            const std::string text = word + desc1 + WordOf((n + 1) % records, syllables) + desc2
                + WordOf((n * 7 + 3) % records, syllables) + desc3
                + WordOf((n * 31 + 11) % records, syllables);
            csv += Field(std::to_string(++row)) + "," + Field(key + reading + std::to_string(i)) + ","
                + Field("e" + std::to_string(n)) + "," + Field(word) + "," + Field(text) + "\r\n";
        }
        // Pages alternate: Shift_JIS with CR LF, EUC-JP with LF (UTF-8: all
        // UTF-8 with LF).
        const bool euc = !utf8 && p % 2 == 1;
        const std::string nl = euc || utf8 ? "\n" : "\r\n";
        std::string page = "<html><head><meta charset=\"" + std::string(PageCharset(utf8, euc))
            + "\"></head><body>" + nl + "<h1>" + SjisOf("用語集のページ") + "</h1>" + nl
            + "<!-- Start of \"Lexicana\" Part -->" + nl + "old" + nl + "<!-- End of \"Lexicana\" Part -->"
            + nl + "</body></html>" + nl;
        if (euc)
            page = sjis2euc(page);
        else
            page = encode(page);
        const std::string path = folder + "/html/" + file;
        WriteBytes(path, page);
        set.pages.push_back(path);
        set.pageCodes.push_back(utf8 ? JCodeUtf8 : euc ? JCodeEuc : JCodeSjis);
    }
    set.itemFile = folder + "/items.csv";
    WriteBytes(set.itemFile, encode(csv));
    WriteBytes(folder + "/table.ctb",
        encode("[Column]\r\nCount=4\r\nSort=1\r\nLinkedName=2\r\nLinkedWord=3\r\n"
               "[Title]\r\n1="
            + SjisOf("読み") + "\r\n2=" + SjisOf("コード") + "\r\n3=" + SjisOf("用語")
            + "\r\n4=" + SjisOf("説明")
            + "\r\n[Link]\r\n4=true\r\n"
              "[HeadTable]\r\n#start\r\n<dl>\r\n\r\n#end\r\n"
              "[MainConversionTable]\r\n#start\r\n<dt>{\\a}{"
            + SjisOf("用語") + "}</a></dt>\r\n<dd>{" + SjisOf("説明")
            + "}</dd>\r\n\r\n#end\r\n"
              "[FootTable]\r\n#start\r\n</dl>\r\n\r\n#end\r\n"));
    set.setFile = folder + "/set.lxs";
    WriteBytes(set.setFile,
        "[Lexicana]\r\ncsv=items.csv\r\nctb=table.ctb\r\nrep=\r\nHTMLdir=html\r\nInfoOutputList=\r\n");
    return set;
}

// Counts the boxes instead of printing them.
class QuietSink final : public IMessageSink {
public:
    int Show(const MessageRequest& request) override
    {
        last = request.caption + " " + request.text;
        return IdNo;
    }
    std::string last;
};

// Processor seconds (user and system, all threads) this process has used.
double LoadAverage()
{
    double load = 0;
    return getloadavg(&load, 1) == 1 ? load : -1;
}

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double InProcessRun(const BenchSet& set, int& result, double& readSeconds)
{
    TGlobal global(false);
    TDocument doc(global);
    const auto t0 = Clock::now();
    doc.ReadLxsFile(set.setFile);
    readSeconds = Seconds(t0);
    result = doc.StartConversion();
    return Seconds(t0);
}

// Seconds of a whole run in this process; cpuSeconds gets the processor time
// it took over all threads, which a machine busy with other work inflates
// less than the clock.
double TimedRun(const BenchSet& set, int& result, double& readSeconds, double& cpuSeconds)
{
    const double cpu0 = CpuSeconds();
    const double s = InProcessRun(set, result, readSeconds);
    cpuSeconds = CpuSeconds() - cpu0;
    return s;
}

// Every page back to its content before any run, so that the next run
// rewrites all of them.
void RestorePages(const BenchSet& set, const std::vector<std::string>& original)
{
    for (std::size_t i = 0; i < set.pages.size(); ++i)
        WriteBytes(set.pages[i], original[i]);
}

double ReadAll(const BenchSet& set)
{
    const auto t0 = Clock::now();
    std::size_t bytes = ReadBytes(set.itemFile).size();
    for (const std::string& page : set.pages)
        bytes += ReadBytes(page).size();
    const double s = Seconds(t0);
    return bytes > 0 ? s : s;
}

// The peak memory (kB) of a running process so far, from its high-water
// mark; 0 when it cannot be read. The children's figure of getrusage would
// count this program's own memory, which a child has between fork and exec.
long PeakKbOf(qint64 pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// The largest peak memory of the lexicana-convert runs so far (kB).
long processPeakKb = 0;

// One run of lexicana-convert on the set: its seconds, or -1 when it failed.
// cached: the run may be answered from the record of the last run.
// smallPages: the program's allocator is kept off large pages. peakKb: where
// the peak memory is gathered.
double ProcessRun(const QString& cli, const BenchSet& set, bool cached = false, bool smallPages = false,
    long* peakKb = &processPeakKb)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    if (smallPages) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.hugetlb=0"));
        run.setProcessEnvironment(environment);
    }
    QStringList args { QStringLiteral("--quiet"), QString::fromStdString(set.setFile) };
    if (!cached)
        args.prepend(QStringLiteral("--no-cache"));
    const auto t0 = Clock::now();
    run.start(cli, args);
    // The high-water mark only grows: read shortly before the end, it holds
    // the run's peak.
    while (run.state() != QProcess::NotRunning && !run.waitForFinished(2))
        *peakKb = std::max(*peakKb, PeakKbOf(run.processId()));
    const double s = Seconds(t0);
    if (run.exitCode() != 0) {
        std::printf("lexicana-convert failed with %d\n", run.exitCode());
        return -1;
    }
    return s;
}

// Every file of the set an hour old, as files are between the edits of a
// real glossary, so that a run may be recorded.
void AgeFiles(const std::string& folder)
{
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::last_write_time(entry.path(), old);
}

// Records a whole run of the unchanged set; false when it was not recorded.
bool RecordRun(const BenchSet& set)
{
    TGlobal global(false);
    const std::string settings = RunStampSettings(global);
    const long long started = WallClockNs();
    TDocument doc(global);
    doc.ReadLxsFile(set.setFile);
    doc.StartConversion();
    return RecordRunStamp(set.setFile, settings, global, doc.LastRun(), true, started);
}

// Seconds of answering a run of the unchanged set from its record (the key
// of the settings, the bytes of the inputs, the facts of the pages); -1 when
// the record does not hold.
double StampedAnswer(const BenchSet& set)
{
    const auto t0 = Clock::now();
    const TGlobal global(false);
    TRunStampHit hit;
    if (!RunStampHolds(set.setFile, RunStampSettings(global), hit))
        return -1;
    return Seconds(t0);
}

double CopyBytes(const BenchSet& set, const std::vector<std::string>& converted)
{
    const auto t0 = Clock::now();
    const std::string items = ReadBytes(set.itemFile);
    for (std::size_t i = 0; i < set.pages.size(); ++i)
        WriteBytes(set.pages[i], converted[i]);
    return Seconds(t0);
}

// Processor seconds (user and system) of the child processes waited for.
double ChildCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

using Best = lexicana::bench::BestTime;

// Text in the given page code as UTF-8.
std::string Utf8Of(const std::string& bytes, int code)
{
    switch (code) {
    case JCodeUtf8:
        return bytes;
    case JCodeEuc:
        return SjisToUtf8(euc2sjis(bytes));
    case JCodeJis83:
    case JCodeJis78:
        return SjisToUtf8(jis2sjis(bytes));
    default:
        return SjisToUtf8(bytes);
    }
}

// A converted page decoded to UTF-8 with LF line ends and its charset named
// UTF-8: the form in which a page of the Shift_JIS set and its UTF-8 twin
// must agree. The page outside its part is in the code it was made in
// (code); the part is in the code the run judged the page before it to be
// in, which for a page whose bytes fit both EUC-JP and Shift_JIS is the
// document's.
std::string DecodedPage(const std::string& bytes, int code, const std::string& before)
{
    const int pageCode = PageCodeOf(before);
    const int partCode
        = pageCode == JCodeUtf8 || pageCode == JCodeEuc || pageCode == JCodeJis83 || pageCode == JCodeJis78
        ? pageCode
        : JCodeSjis;
    const std::string startMarker = "<!-- Start of \"Lexicana\" Part -->";
    const std::size_t partStart = bytes.find(startMarker);
    const std::size_t start = partStart == std::string::npos ? partStart : partStart + startMarker.size();
    const std::size_t end = bytes.find("<!-- End of \"Lexicana\" Part -->");
    std::string text = start == std::string::npos || end == std::string::npos || end < start
        ? Utf8Of(bytes, code)
        : Utf8Of(bytes.substr(0, start), code) + Utf8Of(bytes.substr(start, end - start), partCode)
            + Utf8Of(bytes.substr(end), code);
    text = StrictConvertReturnCode(text, ReturnCrLf, ReturnLf);
    const std::string charset = "charset=\"";
    const std::size_t at = text.find(charset);
    if (at != std::string::npos) {
        const std::size_t from = at + charset.size();
        text.replace(from, text.find('"', from) - from, "UTF-8");
    }
    return text;
}

// True when every page of the UTF-8 set, decoded, equals its Shift_JIS twin
// decoded; prints the first page that differs.
bool SamePagesDecoded(const BenchSet& sjis, const std::vector<std::string>& sjisOriginal,
    const BenchSet& utf8, const std::vector<std::string>& utf8Original)
{
    for (std::size_t i = 0; i < sjis.pages.size(); ++i) {
        const std::string expected
            = DecodedPage(ReadBytes(sjis.pages[i]), sjis.pageCodes[i], sjisOriginal[i]);
        const std::string actual = DecodedPage(ReadBytes(utf8.pages[i]), utf8.pageCodes[i], utf8Original[i]);
        if (expected != actual) {
            const auto diff = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
            std::printf("UTF-8 page %s differs from its Shift_JIS twin decoded at byte %td\n",
                utf8.pages[i].c_str(), diff.first - expected.begin());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const int pages = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    QTemporaryDir tmp;
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/settings").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (tmp.path() + "/cache").toLocal8Bit());
    qputenv("SOURCE_DATE_EPOCH", "1609459200");
    const std::string folder = argc > 3 ? std::string(argv[3]) : tmp.path().toStdString() + "/set";
    const BenchSet set = MakeSet(folder, records, pages);
    std::printf("set: %d records in %d pages, item data file %zu bytes\n", records, pages,
        static_cast<std::size_t>(fs::file_size(set.itemFile)));

    std::vector<std::string> original;
    for (const std::string& p : set.pages)
        original.push_back(ReadBytes(p));

    QuietSink sink;
    SetMessageSink(&sink);
    constexpr int kRepeats = 3;
    double best = 1e9, bestRead = 1e9, bestSame = 1e9, bestCpu = 1e9, bestSameCpu = 1e9;
    for (int i = 0; i < kRepeats; ++i) {
        int result = 0;
        double read = 0;
        RestorePages(set, original);
        double cpu = 0;
        best = std::min(best, TimedRun(set, result, read, cpu));
        bestCpu = std::min(bestCpu, cpu);
        bestRead = std::min(bestRead, read);
        bestSame = std::min(bestSame, TimedRun(set, result, read, cpu));
        bestSameCpu = std::min(bestSameCpu, cpu);
        if (result != 201) {
            std::printf("run failed (%d): %s\n", result, sink.last.c_str());
            return 1;
        }
    }
    SetMessageSink(nullptr);
    std::vector<std::string> converted;
    std::size_t pageBytes = 0;
    for (const std::string& p : set.pages) {
        converted.push_back(ReadBytes(p));
        pageBytes += converted.back().size();
    }
    std::printf("pages after the run: %zu bytes\n", pageBytes);

    double process = -1, processSame = -1, smallPages = -1;
    long peakKb = 0, smallPeakKb = 0;
    const QString cli = QCoreApplication::applicationDirPath() + "/lexicana-convert";
    if (fs::exists(cli.toStdString())) {
        for (int i = 0; i < kRepeats; ++i) {
            RestorePages(set, original);
            const double small = ProcessRun(cli, set, false, true, &smallPeakKb);
            if (small < 0)
                return 1;
            smallPages = smallPages < 0 ? small : std::min(smallPages, small);
            RestorePages(set, original);
            const double full = ProcessRun(cli, set);
            const double same = ProcessRun(cli, set);
            if (full < 0 || same < 0)
                return 1;
            process = process < 0 ? full : std::min(process, full);
            processSame = processSame < 0 ? same : std::min(processSame, same);
        }
        peakKb = processPeakKb;
    }

    double copy = 1e9, read = 1e9;
    for (int i = 0; i < kRepeats; ++i) {
        copy = std::min(copy, CopyBytes(set, converted));
        read = std::min(read, ReadAll(set));
    }

    // The record of the last run, then runs answered from it.
    AgeFiles(folder);
    // Setting the times back changed the files' status just now; a run
    // records only files settled since shortly before it began.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    SetMessageSink(&sink);
    const bool recorded = RecordRun(set);
    SetMessageSink(nullptr);
    double stamped = 1e9, processStamped = -1;
    constexpr int kStampRepeats = 10;
    for (int i = 0; recorded && i < kStampRepeats; ++i)
        stamped = std::min(stamped, StampedAnswer(set));
    double programStart = -1;
    if (recorded && fs::exists(cli.toStdString()))
        for (int i = 0; i < kRepeats; ++i) {
            const double same = ProcessRun(cli, set, true);
            processStamped = processStamped < 0 ? same : std::min(processStamped, same);
            // What starting the program costs alone.
            QProcess version;
            const auto t0 = Clock::now();
            version.start(cli, { QStringLiteral("--version") });
            version.waitForFinished(-1);
            const double start = Seconds(t0);
            programStart = programStart < 0 ? start : std::min(programStart, start);
        }
    // The plain read once more, in the same moment as the answers.
    for (int i = 0; i < kRepeats; ++i)
        read = std::min(read, ReadAll(set));

    std::printf("full rewrite in process : %.3f s (of which reading the set %.3f s)\n", best, bestRead);
    std::printf("unchanged in process    : %.3f s\n", bestSame);
    std::printf(
        "processor time in process: full %.3f s, unchanged %.3f s (all threads; %u cores, load %.1f)\n",
        bestCpu, bestSameCpu, std::thread::hardware_concurrency(), LoadAverage());
    if (process >= 0) {
        std::printf("lexicana-convert full   : %.3f s, unchanged %.3f s, peak memory %ld MB\n", process,
            processSame, peakKb / 1024);
        std::printf("  full on small pages   : %.3f s, peak memory %ld MB (GLIBC_TUNABLES=glibc.malloc.hugetlb=0)\n",
            smallPages, smallPeakKb / 1024);
    }
    std::printf("plain copy              : %.3f s (read the item data file, write the pages)\n", copy);
    std::printf("plain read              : %.3f s (read the item data file and the pages)\n", read);
    std::printf("full rewrite / copy     : %.1f x in process", best / copy);
    if (process >= 0)
        std::printf(", %.1f x lexicana-convert", process / copy);
    std::printf("\nunchanged / read        : %.1f x in process", bestSame / read);
    if (process >= 0)
        std::printf(", %.1f x lexicana-convert", processSame / read);
    std::printf("\n");
    if (!recorded || stamped < 0) {
        std::printf("the unchanged run was not recorded\n");
        return 1;
    }
    std::printf("unchanged, recorded     : %.4f s answered in process", stamped);
    if (processStamped >= 0)
        std::printf(", lexicana-convert %.3f s (of which starting the program, as --version takes, %.3f s)",
            processStamped, programStart);
    std::printf("\nrecorded unchanged / read: %.1f x in process", stamped / read);
    if (processStamped >= 0)
        std::printf(", %.1f x lexicana-convert", processStamped / read);
    std::printf("\n");

    // The same set in UTF-8, and the full rewrite of both codes taking turns
    // (the first code alternating), so that a change in the machine's load
    // weighs on both alike.
    const BenchSet utf8Set = MakeSet(folder + "/utf8", records, pages, true);
    std::vector<std::string> utf8Original;
    for (const std::string& p : utf8Set.pages)
        utf8Original.push_back(ReadBytes(p));
    const BenchSet* const sets[2] = { &set, &utf8Set };
    const std::vector<std::string>* const originals[2] = { &original, &utf8Original };
    constexpr int kTurns = kRepeats;
    Best inProcess[2], program[2];
    SetMessageSink(&sink);
    for (int i = 0; i < kTurns * 2; ++i) {
        const int c = (i + i / 2) % 2;
        RestorePages(*sets[c], *originals[c]);
        int result = 0;
        double readSet = 0, cpu = 0;
        const double wall = TimedRun(*sets[c], result, readSet, cpu);
        if (result != 201) {
            std::printf("%s run failed (%d): %s\n", c ? "UTF-8" : "Shift_JIS", result, sink.last.c_str());
            return 1;
        }
        inProcess[c].Take(wall, cpu);
    }
    SetMessageSink(nullptr);
    bool same = SamePagesDecoded(set, original, utf8Set, utf8Original);
    std::size_t utf8PageBytes = 0;
    for (const std::string& p : utf8Set.pages)
        utf8PageBytes += fs::file_size(p);
    const bool withProgram = fs::exists(cli.toStdString());
    for (int i = 0; withProgram && i < kTurns * 2; ++i) {
        const int c = (i + i / 2) % 2;
        RestorePages(*sets[c], *originals[c]);
        const double cpu0 = ChildCpuSeconds();
        const double wall = ProcessRun(cli, *sets[c]);
        if (wall < 0)
            return 1;
        program[c].Take(wall, ChildCpuSeconds() - cpu0);
    }
    if (withProgram)
        same = SamePagesDecoded(set, original, utf8Set, utf8Original) && same;

    std::printf("UTF-8 set: item data file %zu bytes, pages after the run %zu bytes\n",
        static_cast<std::size_t>(fs::file_size(utf8Set.itemFile)), utf8PageBytes);
    std::printf("full rewrite, best of %d, codes taking turns (load %.1f):\n", kTurns, LoadAverage());
    std::printf(
        "                          Shift_JIS wall / cpu   UTF-8 wall / cpu    UTF-8 / Shift_JIS wall, cpu\n");
    const auto row = [](const char* title, const Best& sjis, const Best& utf8) {
        std::printf("  %-22s %7.3f s / %.3f s  %7.3f s / %.3f s  %5.2f x, %.2f x\n", title, sjis.wall,
            sjis.cpu, utf8.wall, utf8.cpu, utf8.wall / sjis.wall, utf8.cpu / sjis.cpu);
    };
    row("in process", inProcess[0], inProcess[1]);
    if (withProgram)
        row("lexicana-convert", program[0], program[1]);
    std::printf("UTF-8 pages decoded equal the Shift_JIS pages decoded: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
