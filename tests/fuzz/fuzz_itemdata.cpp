// Item data reader in both forms: every line through both line parsers, the
// cell escapes undone exactly, and a file loaded, saved and loaded again
// gives the very bytes of the first save (with the columns kept at least, as
// the document saves).
#include "data/itemfile.h"
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
    const std::string text(Bytes(data + 1, size - 1));
    const bool comma = (flags & 1) == 0;
    const char separator = comma ? ',' : '\t';
    const int minColCount = static_cast<int>((flags >> 1) & 7);

    for (const std::string& line : SplitAtLf(text, 64)) {
        (void)ParseCommaLine(line);
        (void)ParseTabLine(line);
    }
    CheckEqual(text, UnescapeCellText(EscapeCellText(text)), "UnescapeCellText(EscapeCellText(x))");

    ScratchFolder::Clear();
    const std::string path = ScratchFolder::Write("items.csv", text);
    // Saved in the code it was read in, as the document does.
    TRecordTable grid;
    TFileCode code;
    if (StrLoadFromFile(grid, path, separator, comma, minColCount, &code) != 0)
        return 0;
    const std::string first = ScratchFolder::Path() + "/first.csv";
    Check(StrSaveToFile(grid, first, separator, comma, minColCount, &code) == 0, "saving loaded item data");
    TRecordTable again;
    TFileCode againCode;
    Check(StrLoadFromFile(again, first, separator, comma, minColCount, &againCode) == 0,
        "loading saved item data");
    // Shift_JIS bytes that are also valid UTF-8 are read as UTF-8, by design:
    // the two readings may differ, so only a file read in the same code
    // again must give the same bytes.
    if (againCode.code != code.code)
        return 0;
    Check(againCode == code, "the byte-order mark kept");
    const std::string second = ScratchFolder::Path() + "/second.csv";
    Check(StrSaveToFile(again, second, separator, comma, minColCount, &againCode) == 0,
        "saving reloaded item data");
    CheckEqual(
        ScratchFolder::Read("first.csv"), ScratchFolder::Read("second.csv"), "save of a reloaded save");
    return 0;
}
