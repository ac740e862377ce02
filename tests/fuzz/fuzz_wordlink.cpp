// Word links: the fast matcher against the list walk. The first byte picks
// the record row of the text (its two low bits), the document's code (bit 2:
// UTF-8, else Shift_JIS), whether a record links to itself (bit 3) and the
// link options (its four high bits); the parts are the text and the words,
// one per line. Any difference aborts.
#include "common/textcode.h"
#include "conversion/wordlink.h"
#include "fuzzsupport.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    if (size == 0)
        return 0;
    const unsigned flags = data[0];
    SetDocumentTextCode((flags & 4) != 0 ? TextCode::Utf8 : TextCode::ShiftJis);
    const auto parts = SplitParts(Bytes(data + 1, size - 1), 2);
    const auto words = SplitAtLf(parts[1], 48);
    StrGrid table(4, static_cast<int>(words.size()));
    for (int k = 0; k < static_cast<int>(words.size()); ++k) {
        table.Cell(0, k) = "f" + std::to_string(k % 3);
        table.Cell(1, k) = std::to_string(k);
        table.Cell(2, k) = words[static_cast<std::size_t>(k)];
        table.Cell(3, k) = std::to_string(1 + k % 4);
    }
    LinkOptions options;
    options.wholeWords = (flags & 16) != 0;
    options.skipMarkup = (flags & 32) != 0;
    options.firstOnly = (flags & 64) != 0;
    options.ignoreCase = (flags & 128) != 0;
    WordLink links(table, "{\\FILE}", "{\\NAME}", "{\\WORD}", "<{\\NAME}:{\\WORD}>", options);
    links.SetLinkToSelf((flags & 8) != 0);
    const int row = static_cast<int>(flags & 3);
    CheckEqual(links.ApplyWordLinksReference(parts[0], row), links.ApplyWordLinks(parts[0], row),
        "word links: list walk (expected) and fast matcher (actual)");
    return 0;
}
