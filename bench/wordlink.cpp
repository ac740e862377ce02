// Word-link benchmark: a glossary-like load (20,000 words, 20,000 texts of
// about 300 bytes that mention words often) linked by the fast matcher and,
// on a sample, by the list walk; then degenerate texts of one repeated byte.
// Prints build and link times, the speed ratio and the matcher's memory.
#include "conversion/wordlink.h"

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

} // namespace

int main(int argc, char** argv)
{
    // --fast-only skips the list walk and the degenerate texts (for profiling).
    const bool fastOnly = argc > 1 && std::string(argv[1]) == "--fast-only";
    constexpr int WordCount = 20000;
    constexpr int TextCount = 20000;
    constexpr int TextBytes = 300;
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
    std::size_t textTotal = 0;
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
        textTotal += text.size();
        texts.push_back(std::move(text));
    }
    StrGrid table(4, WordCount);
    for (int k = 0; k < WordCount; ++k) {
        table.Cell(0, k) = "part" + std::to_string(k / 500) + ".html";
        table.Cell(1, k) = "id" + std::to_string(k);
        table.Cell(2, k) = words[static_cast<std::size_t>(k)];
        table.Cell(3, k) = std::to_string(k + 1);
    }

    std::printf("Word links: %d words (2-30 bytes), %d texts, %.1f MB of text\n", WordCount, TextCount,
        static_cast<double>(textTotal) / 1e6);

    auto start = Clock::now();
    double cpu = CpuNow();
    WordLink links(
        table, "{\\FILE}", "{\\NAME}", "{\\WORD}", "<a href = \"./{\\FILE}#{\\NAME}\">{\\WORD}</a>");
    const double buildSeconds = Seconds(start);
    const double buildCpu = CpuNow() - cpu;

    start = Clock::now();
    cpu = CpuNow();
    std::size_t outputBytes = 0;
    for (int t = 0; t < TextCount; ++t)
        outputBytes += links.ApplyWordLinks(texts[static_cast<std::size_t>(t)], t + 1).size();
    const double fastSeconds = Seconds(start);
    const double fastCpu = CpuNow() - cpu;

    std::printf("                                 wall time   processor time\n");
    std::printf("  build (list + automaton)       %8.3f s   %8.3f s\n", buildSeconds, buildCpu);
    std::printf("  link, fast matcher             %8.3f s   %8.3f s   (%.2f us per text, output %.1f MB)\n",
        fastSeconds, fastCpu, fastCpu * 1e6 / TextCount, static_cast<double>(outputBytes) / 1e6);
    std::printf("  whole fast load                %8.3f s   %8.3f s\n", buildSeconds + fastSeconds,
        buildCpu + fastCpu);
    std::printf("  automaton                      %8.1f MB  (%d nodes)\n",
        static_cast<double>(links.AutomatonMemoryBytes()) / 1e6, links.AutomatonNodeCount());

    {
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
            start = Clock::now();
            cpu = CpuNow();
            WordLink optioned(table, "{\\FILE}", "{\\NAME}", "{\\WORD}",
                "<a href = \"./{\\FILE}#{\\NAME}\">{\\WORD}</a>", options);
            for (int t = 0; t < TextCount; ++t)
                optioned.ApplyWordLinks(texts[static_cast<std::size_t>(t)], t + 1);
            const double optionSeconds = Seconds(start);
            const double optionCpu = CpuNow() - cpu;
            std::printf("  whole load, %-18s %8.3f s   %8.3f s   (%.2f x the load without)\n", variant.name,
                optionSeconds, optionCpu, optionCpu / (buildCpu + fastCpu));
        }
    }
    if (fastOnly)
        return 0;

    // The list walk on as many texts as fit in about 10 seconds.
    int sample = 0;
    bool identical = true;
    start = Clock::now();
    while (sample < TextCount && Seconds(start) < 10.0) {
        const std::string& text = texts[static_cast<std::size_t>(sample)];
        identical = identical
            && links.ApplyWordLinksReference(text, sample + 1) == links.ApplyWordLinks(text, sample + 1);
        ++sample;
    }
    const double sampleSeconds = Seconds(start);
    // The sample also ran the fast matcher once per text; that share is tiny.
    const double referenceFullSeconds = sampleSeconds / sample * TextCount;
    std::printf("  list walk on %5d texts        %8.3f s   (%.2f ms per text; %s)\n", sample, sampleSeconds,
        sampleSeconds * 1e3 / sample, identical ? "results identical" : "RESULTS DIFFER");
    std::printf("  list walk, extrapolated        %8.1f s\n", referenceFullSeconds);
    std::printf("  speed ratio (link times)       %8.0f x\n", referenceFullSeconds / fastSeconds);
    std::printf(
        "  peak resident so far           %8.1f MB\n", static_cast<double>(PeakResidentKilobytes()) / 1e3);

    std::printf("Degenerate texts (1 MB of one repeated byte):\n");
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
    std::printf("peak resident %.1f MB\n", static_cast<double>(PeakResidentKilobytes()) / 1e3);
    return identical ? 0 : 1;
}
