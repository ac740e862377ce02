// Word-link benchmark: a glossary-like load (20,000 words, 20,000 texts of
// about 300 bytes that mention words often) linked by the fast matcher and,
// on a sample, by the list walk, in Shift_JIS and in a UTF-8 copy of the same
// data; then degenerate texts of one repeated byte or character. Prints
// build and link times in both codes and their ratio, whether both codes make
// the same number of links, the speed ratio to the list walk and the
// matcher's memory.
#include "conversion/wordlink.h"

#include "besttime.h"

#include "common/textcode.h"
#include "platform/sjistext.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace lexicana;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Processor time of this process: steadier than wall time on a busy machine.
double CpuNow()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class Generator {
public:
    explicit Generator(unsigned seed)
        : random_(seed)
    {
    }
    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    // One Shift_JIS character: mostly kanji, some hiragana and katakana.
    std::string JapaneseChar()
    {
        const int kind = Below(10);
        unsigned char lead, trail;
        if (kind < 6) {
            lead = static_cast<unsigned char>(0x88 + Below(0x98 - 0x88));
            trail = static_cast<unsigned char>(0x40 + Below(0xfc - 0x40));
            if (trail == 0x7f)
                trail = 0x80;
            if (lead == 0x88 && trail < 0x9f) // no characters there: the next row
                lead = 0x89;
        } else if (kind < 9) {
            lead = 0x82;
            trail = static_cast<unsigned char>(0x9f + Below(0xf1 - 0x9f));
        } else {
            lead = 0x83;
            trail = static_cast<unsigned char>(0x40 + Below(0x96 - 0x40));
            if (trail == 0x7f)
                trail = 0x80;
        }
        return { static_cast<char>(lead), static_cast<char>(trail) };
    }
    char AsciiChar() { return static_cast<char>('a' + Below(26)); }

    std::string Stem()
    {
        std::string stem;
        if (Below(3) == 0) {
            const int length = 2 + Below(7);
            for (int k = 0; k < length; ++k)
                stem += AsciiChar();
        } else {
            const int chars = 1 + Below(4);
            for (int k = 0; k < chars; ++k)
                stem += JapaneseChar();
        }
        return stem;
    }

    // Extends a stem (so that many words share prefixes) to 2 .. 30 bytes.
    std::string Word(const std::string& stem)
    {
        std::string word = stem;
        const int target = 2 + Below(29);
        while (static_cast<int>(word.size()) < target) {
            const std::string piece = Below(3) == 0 ? std::string(1, AsciiChar()) : JapaneseChar();
            if (static_cast<int>(word.size() + piece.size()) > 30)
                break;
            word += piece;
        }
        return word;
    }

private:
    std::mt19937 random_;
};

std::size_t PeakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoul(line.substr(6));
    return 0;
}

void Degenerate(const char* title, const std::string& text, const std::vector<std::string>& words, bool check)
{
    StrGrid table(4, static_cast<int>(words.size()));
    for (int k = 0; k < table.RowTotal(); ++k) {
        table.Cell(1, k) = std::to_string(k);
        table.Cell(2, k) = words[static_cast<std::size_t>(k)];
        table.Cell(3, k) = std::to_string(k + 1);
    }
    WordLink links(table, "{\\FILE}", "{\\NAME}", "{\\WORD}", "<{\\NAME}>");
    const auto start = Clock::now();
    const std::string fast = links.ApplyWordLinks(text, 0);
    const double fastSeconds = Seconds(start);
    std::printf("  %-44s fast %8.3f s", title, fastSeconds);
    if (check) {
        const auto refStart = Clock::now();
        const std::string reference = links.ApplyWordLinksReference(text, 0);
        std::printf(
            "   list walk %8.3f s   %s", Seconds(refStart), fast == reference ? "identical" : "DIFFERENT");
    }
    std::printf("\n");
}

const char* CodeName(TextCode code)
{
    return code == TextCode::Utf8 ? "UTF-8" : "Shift_JIS";
}

// The glossary-like load in one code: its words as a link table and its texts.
struct Load {
    TextCode code;
    StrGrid table;
    std::vector<std::string> texts;
    std::size_t textBytes = 0;
};

Load MakeLoad(TextCode code, const std::vector<std::string>& words, std::vector<std::string> texts)
{
    Load load { code, StrGrid(4, static_cast<int>(words.size())), std::move(texts) };
    for (int k = 0; k < load.table.RowTotal(); ++k) {
        load.table.Cell(0, k) = "part" + std::to_string(k / 500) + ".html";
        load.table.Cell(1, k) = "id" + std::to_string(k);
        load.table.Cell(2, k) = words[static_cast<std::size_t>(k)];
        load.table.Cell(3, k) = std::to_string(k + 1);
    }
    for (const std::string& text : load.texts)
        load.textBytes += text.size();
    return load;
}

const char* const LinkTemplate = "<a href = \"./{\\FILE}#{\\NAME}\">{\\WORD}</a>";

using Timing = lexicana::bench::BestTime;

struct LoadTimes {
    Timing build;
    Timing link;
    Timing whole;
    std::size_t outputBytes = 0;
    long long links = 0;
};

// Builds the links of load's table and links every text of it, in load's
// code; keeps the best times of the rounds in times.
void TimeLoad(const Load& load, const LinkOptions& options, LoadTimes& times)
{
    SetDocumentTextCode(load.code);
    auto start = Clock::now();
    double cpu = CpuNow();
    WordLink links(load.table, "{\\FILE}", "{\\NAME}", "{\\WORD}", LinkTemplate, options);
    const double buildWall = Seconds(start);
    const double buildCpu = CpuNow() - cpu;
    start = Clock::now();
    cpu = CpuNow();
    std::size_t outputBytes = 0;
    for (std::size_t t = 0; t < load.texts.size(); ++t)
        outputBytes += links.ApplyWordLinks(load.texts[t], static_cast<int>(t) + 1).size();
    const double linkWall = Seconds(start);
    const double linkCpu = CpuNow() - cpu;
    times.build.Take(buildWall, buildCpu);
    times.link.Take(linkWall, linkCpu);
    times.whole.Take(buildWall + linkWall, buildCpu + linkCpu);
    times.outputBytes = outputBytes;
    times.links = links.LinksMade();
}

void PrintRow(const char* title, const Timing& sjis, const Timing& utf8)
{
    std::printf("  %-28s %8.3f s %8.3f s   %8.3f s %8.3f s   %6.3f\n", title, sjis.wall, sjis.cpu, utf8.wall,
        utf8.cpu, utf8.cpu / sjis.cpu);
}

// The list walk on as many texts of load as fit in about the given time,
// compared with the fast matcher; prints the extrapolated speed ratio.
bool SampleListWalk(const Load& load, double seconds, double fastSeconds)
{
    SetDocumentTextCode(load.code);
    WordLink links(load.table, "{\\FILE}", "{\\NAME}", "{\\WORD}", LinkTemplate);
    const int count = static_cast<int>(load.texts.size());
    int sample = 0;
    bool identical = true;
    const auto start = Clock::now();
    while (sample < count && Seconds(start) < seconds) {
        const std::string& text = load.texts[static_cast<std::size_t>(sample)];
        identical = identical
            && links.ApplyWordLinksReference(text, sample + 1) == links.ApplyWordLinks(text, sample + 1);
        ++sample;
    }
    const double sampleSeconds = Seconds(start);
    // The sample also ran the fast matcher once per text; that share is tiny.
    const double fullSeconds = sampleSeconds / sample * count;
    std::printf(
        "  %-9s list walk on %5d texts %7.3f s (%.2f ms per text; %s), extrapolated %.1f s, %.0f x the "
        "fast matcher\n",
        CodeName(load.code), sample, sampleSeconds, sampleSeconds * 1e3 / sample,
        identical ? "results identical" : "RESULTS DIFFER", fullSeconds, fullSeconds / fastSeconds);
    return identical;
}

} // namespace

int main(int argc, char** argv)
{
    // --fast-only skips the list walk and the degenerate texts (for profiling).
    const bool fastOnly = argc > 1 && std::string(argv[1]) == "--fast-only";
    constexpr int WordCount = 20000;
    constexpr int TextCount = 20000;
    constexpr int TextBytes = 300;
    constexpr int Rounds = 5;
    Generator gen(12345);

    std::vector<std::string> stems;
    for (int k = 0; k < 4000; ++k)
        stems.push_back(gen.Stem());
    std::vector<std::string> words;
    for (int k = 0; k < WordCount; ++k) {
        std::string word
            = gen.Word(stems[static_cast<std::size_t>(gen.Below(static_cast<int>(stems.size())))]);
        if (word.size() < 2)
            word += gen.AsciiChar();
        words.push_back(word);
    }
    std::vector<std::string> texts;
    for (int t = 0; t < TextCount; ++t) {
        std::string text;
        while (static_cast<int>(text.size()) < TextBytes) {
            const int pick = gen.Below(10);
            if (pick < 3)
                text += words[static_cast<std::size_t>(gen.Below(WordCount))];
            else if (pick < 4)
                text += stems[static_cast<std::size_t>(gen.Below(static_cast<int>(stems.size())))];
            else if (pick < 5)
                text += ' ';
            else
                text += gen.JapaneseChar();
        }
        texts.push_back(std::move(text));
    }
    // The UTF-8 copy of the same words and texts.
    std::vector<std::string> utf8Words;
    std::vector<std::string> utf8Texts;
    for (const std::string& word : words)
        utf8Words.push_back(SjisToUtf8(word));
    for (const std::string& text : texts)
        utf8Texts.push_back(SjisToUtf8(text));
    const Load loads[2] = { MakeLoad(TextCode::ShiftJis, words, std::move(texts)),
        MakeLoad(TextCode::Utf8, utf8Words, std::move(utf8Texts)) };
    const Load& sjis = loads[0];
    const Load& utf8 = loads[1];

    std::printf(
        "Word links: %d words (2-30 bytes), %d texts, %.1f MB of text in Shift_JIS, %.1f MB in UTF-8\n",
        WordCount, TextCount, static_cast<double>(sjis.textBytes) / 1e6,
        static_cast<double>(utf8.textBytes) / 1e6);
    std::printf("Best of %d rounds, the codes taking turns:\n", Rounds);
    std::printf(
        "                               Shift_JIS              UTF-8                  UTF-8 / Shift_JIS\n");
    std::printf(
        "                               wall       processor   wall       processor   (processor time)\n");

    LoadTimes plain[2];
    for (int round = 0; round < Rounds; ++round)
        for (int c = 0; c < 2; ++c)
            TimeLoad(loads[c], {}, plain[c]);
    PrintRow("build (list + automaton)", plain[0].build, plain[1].build);
    PrintRow("link, fast matcher", plain[0].link, plain[1].link);
    PrintRow("whole fast load", plain[0].whole, plain[1].whole);

    // The same load with each link option alone, then with all of them.
    struct Variant {
        const char* name;
        bool LinkOptions::*option;
    };
    const Variant variants[] = { { "whole words", &LinkOptions::wholeWords },
        { "skip markup", &LinkOptions::skipMarkup }, { "first only", &LinkOptions::firstOnly },
        { "ignore case", &LinkOptions::ignoreCase }, { "all link options", nullptr } };
    for (const Variant& variant : variants) {
        LinkOptions options;
        if (variant.option != nullptr)
            options.*variant.option = true;
        else
            options.wholeWords = options.skipMarkup = options.firstOnly = options.ignoreCase = true;
        LoadTimes optioned[2];
        for (int round = 0; round < Rounds; ++round)
            for (int c = 0; c < 2; ++c)
                TimeLoad(loads[c], options, optioned[c]);
        PrintRow(("whole load, " + std::string(variant.name)).c_str(), optioned[0].whole, optioned[1].whole);
    }
    for (const Load& load : loads) {
        SetDocumentTextCode(load.code);
        WordLink links(load.table, "{\\FILE}", "{\\NAME}", "{\\WORD}", LinkTemplate);
        std::printf("  %-9s output %.1f MB, %lld links, automaton %.1f MB (%d nodes)\n", CodeName(load.code),
            static_cast<double>(plain[load.code == TextCode::Utf8].outputBytes) / 1e6,
            plain[load.code == TextCode::Utf8].links, static_cast<double>(links.AutomatonMemoryBytes()) / 1e6,
            links.AutomatonNodeCount());
    }
    // The UTF-8 copy orders its words as the original does, so it makes the
    // same links.
    const bool sameLinks = plain[0].links == plain[1].links;
    std::printf("  links in both codes: %s\n", sameLinks ? "the same" : "DIFFERENT");
    SetDocumentTextCode(TextCode::ShiftJis);
    if (fastOnly)
        return sameLinks ? 0 : 1;

    bool identical = SampleListWalk(sjis, 6.0, plain[0].link.wall);
    identical = SampleListWalk(utf8, 6.0, plain[1].link.wall) && identical;
    std::printf(
        "  peak resident so far           %8.1f MB\n", static_cast<double>(PeakResidentKilobytes()) / 1e3);

    std::printf("Degenerate texts (1 MB of one repeated byte or character):\n");
    SetDocumentTextCode(TextCode::ShiftJis);
    const std::size_t mb = 1 << 20;
    for (int longest : { 30, 1000 }) {
        std::vector<std::string> runs;
        for (int k = 1; k <= longest; ++k)
            runs.push_back(std::string(static_cast<std::size_t>(k), 'a'));
        Degenerate(
            ("'a' x 1M, words a .. a^" + std::to_string(longest)).c_str(), std::string(mb, 'a'), runs, true);
        Degenerate(("'a' x 1M + 'b', words a .. a^" + std::to_string(longest) + " + b").c_str(),
            std::string(mb, 'a') + "b",
            [&] {
                auto w = runs;
                w.push_back("ab");
                return w;
            }(),
            longest <= 30);
        std::vector<std::string> leads;
        for (int k = 1; k <= longest; ++k)
            leads.push_back(std::string(static_cast<std::size_t>(k), '\x81'));
        Degenerate(("0x81 x 1M, words 0x81 .. 0x81^" + std::to_string(longest)).c_str(),
            std::string(mb, '\x81'), leads, true);
        // Trail bytes that are never character starts, with words on them.
        std::vector<std::string> trails;
        std::string trail;
        for (int k = 1; k <= longest; ++k) {
            trail += (k % 2) ? '@' : '\x81';
            trails.push_back(trail);
        }
        std::string pairs;
        for (std::size_t k = 0; k < mb / 2; ++k)
            pairs += "\x81@";
        Degenerate(("0x81 '@' x 512K, words on the trail bytes, " + std::to_string(longest)).c_str(), pairs,
            trails, longest <= 30);
    }
    // A longer word cut across every run, so that the long words of the
    // positions before it no longer fit there.
    {
        std::vector<std::string> runs;
        for (int k = 1; k <= 1000; ++k)
            runs.push_back(std::string(static_cast<std::size_t>(k), 'a'));
        runs.push_back(std::string(500, 'a') + "c" + std::string(500, 'a'));
        std::string blocks;
        while (blocks.size() < mb)
            blocks += std::string(999, 'a') + "c";
        Degenerate("blocks a^999 c, words a .. a^1000, a^500 c a^500", blocks, runs, true);
        std::vector<std::string> kana;
        for (int k = 1; k <= 30; ++k) {
            std::string word;
            for (int c = 0; c < k; ++c)
                word += "\x82\xa0";
            kana.push_back(word);
        }
        std::string text;
        while (text.size() < mb)
            text += "\x82\xa0";
        Degenerate("0x82 0xa0 x 512K, words of 1 .. 30 such characters", text, kana, true);
    }
    // UTF-8: stray continuation bytes (each a character), a three-byte
    // character repeated, and words that start on its continuation bytes.
    SetDocumentTextCode(TextCode::Utf8);
    {
        std::vector<std::string> strays;
        std::vector<std::string> kana;
        std::vector<std::string> inside;
        std::string word;
        const std::string a = "\xe3\x81\x82";
        for (int k = 1; k <= 30; ++k) {
            strays.push_back(std::string(static_cast<std::size_t>(k), '\x80'));
            std::string repeated;
            for (int c = 0; c < k; ++c)
                repeated += a;
            kana.push_back(repeated);
            word += a[static_cast<std::size_t>(1 + k % 3) % 3];
            inside.push_back(word);
        }
        std::string text;
        while (text.size() < mb)
            text += a;
        Degenerate("UTF-8 0x80 x 1M, words 0x80 .. 0x80^30", std::string(mb, '\x80'), strays, true);
        Degenerate("UTF-8 U+3042 x 349K, words of 1 .. 30 of it", text, kana, true);
        Degenerate("UTF-8 U+3042 x 349K, words on continuation bytes", text, inside, true);
    }
    SetDocumentTextCode(TextCode::ShiftJis);
    std::printf("peak resident %.1f MB\n", static_cast<double>(PeakResidentKilobytes()) / 1e3);
    return identical && sameLinks ? 0 : 1;
}
