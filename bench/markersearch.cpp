// Speed of finding the part markers in pages: FindMarker (a byte search, then
// a short walk back to a sure character boundary) against FindMarkerByWalk
// (a walk from the page's start up to each byte match), on a Shift_JIS and
// an EUC-JP page of mostly Japanese text with the markers near both ends.
// Usage: bench_markersearch [page KB]
#include "html/markersearch.h"

#include "jconvert/jconvert.h"
#include "platform/sjistext.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

using namespace lexicana;

namespace {

using Finder = std::size_t (*)(std::string_view, std::string_view, int);

// Seconds per search of both markers, best of a few rounds.
double Time(Finder find, const std::string& page, const std::string& start, const std::string& end, int code)
{
    double best = 1e9;
    std::size_t sum = 0;
    for (int round = 0; round < 5; ++round) {
        const auto t0 = std::chrono::steady_clock::now();
        constexpr int kSearches = 200;
        for (int i = 0; i < kSearches; ++i)
            sum += find(page, start, code) + find(page, end, code);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, s / kSearches);
    }
    return sum > 0 ? best : best;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t kb = argc > 1 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[1]))) : 24;
    const std::string start = "<!-- Start of \"Lexicana\" Part -->";
    const std::string end = "<!-- End of \"Lexicana\" Part -->";
    const std::string text = SjisOf("<dt>用語</dt><dd>用語集の説明の文章、参照される。</dd>\n");
    std::string body;
    while (body.size() < kb * 1024)
        body += text;
    const std::string sjis = "<html><head></head><body>\n" + start + "\n" + body + end + "\n</body></html>\n";
    const std::string euc = sjis2euc(sjis);
    std::printf("page: %zu KB, both markers searched\n", sjis.size() / 1024);
    for (const auto& [name, page, code] :
        { std::tuple { "Shift_JIS", &sjis, int(JCodeSjis) }, std::tuple { "EUC-JP", &euc, int(JCodeEuc) } }) {
        const double fast = Time(FindMarker, *page, start, end, code);
        const double walk = Time(FindMarkerByWalk, *page, start, end, code);
        std::printf("%-9s FindMarker %.1f us, FindMarkerByWalk %.1f us (%.1f x)\n", name, fast * 1e6,
            walk * 1e6, walk / fast);
    }
    return 0;
}
