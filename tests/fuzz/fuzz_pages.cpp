// Marker search and page rewriting. Parts: the page, the words of its
// records (one per line), and a marker to search. The first byte picks the
// output code and line end. The marker search finds only real occurrences
// before the first zero byte; a whole run rewrites the page between its part
// markers and leaves every byte outside them as it was.
#include "document/document.h"
#include "fuzzsupport.h"
#include "html/markersearch.h"
#include "jconvert/jconvert.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

namespace {

const std::string kStart = "<!-- Start of \"Lexicana\" Part -->";
const std::string kEnd = "<!-- End of \"Lexicana\" Part -->";

// Columns: 1 sort key, 2 record code, 3 file name, 4 part ID, 5 word.
const std::string kTable = "[Column]\r\nCount=5\r\nSort=1\r\nLinkedWord=5\r\n[Title]\r\n5=w\r\n"
                           "[MainConversionTable]\r\n#start\r\n<i>{w}</i>\r\n\r\n#end\r\n";

void CheckMarkerSearch(std::string_view page, std::string_view marker)
{
    const std::string_view text = page.substr(0, page.find('\0'));
    for (int code = 0; code <= 6; ++code) {
        const std::size_t at = FindMarker(page, marker, code);
        if (at == std::string_view::npos)
            continue;
        Check(!marker.empty() && at + marker.size() <= text.size(), "marker found inside the page");
        CheckEqual(marker, text.substr(at, marker.size()), "marker found where it stands");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    if (size == 0)
        return 0;
    const unsigned flags = data[0];
    const auto parts = SplitParts(Bytes(data + 1, size - 1), 3);
    const std::string& page = parts[0];
    CheckMarkerSearch(page, parts[2]);
    CheckMarkerSearch(page, kStart);

    ScratchFolder::Clear();
    TGlobal global(false);
    TDocument doc(global);
    global.TableFileName = ScratchFolder::Write("set.ctb", kTable);
    global.HTMLDir = ScratchFolder::Path();
    global.KanjiCode = static_cast<int>(flags % 8) - 1;
    global.NewLineCode = static_cast<int>((flags >> 3) % 5) - 1;
    doc.Grid().SetColCount(6);
    doc.Grid().SetRowCount(1);
    doc.Grid().AppendRow({ "", "a", "\\@", "p.html", "", "" });
    for (const std::string& word : SplitAtLf(parts[1], 8))
        doc.Grid().AppendRow({ "", "b", "", "", "", word });
    ScratchFolder::Write("p.html", page);

    if (doc.StartConversion() != RunDone) {
        CheckEqual(page, ScratchFolder::Read("p.html"), "a page after a failed run");
        return 0;
    }
    const std::string written = ScratchFolder::Read("p.html");
    if (written == page)
        return 0; // the part was skipped (markers out of order) or is unchanged
    const int code = InCodeCheck(page);
    const std::size_t start = FindMarker(page, kStart, code);
    const std::size_t end = FindMarker(page, kEnd, code);
    Check(start != std::string::npos && end != std::string::npos && start + kStart.size() <= end,
        "markers in order in a rewritten page");
    const std::string_view head = std::string_view(page).substr(0, start + kStart.size());
    const std::string_view tail = std::string_view(page).substr(end);
    Check(written.size() >= head.size() + tail.size(), "rewritten page keeps head and tail");
    CheckEqual(head, std::string_view(written).substr(0, head.size()), "head of a rewritten page");
    CheckEqual(
        tail, std::string_view(written).substr(written.size() - tail.size()), "tail of a rewritten page");
    return 0;
}
