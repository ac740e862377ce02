// Conversion table lines: the reader on any lines, into a grid that already
// holds records (exceptions are the reader's way to refuse a table).
#include "common/fileio.h"
#include "conversion/tablefile.h"
#include "fuzzsupport.h"

#include <exception>

using namespace lexicana;
using namespace lexicana::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    TStringList lines = SplitLines(std::string(Bytes(data, size)));
    TRecordTable grid;
    grid.SetColCount(5);
    grid.SetRowCount(3);
    grid.SetCell(1, 1, "key");
    grid.SetCell(2, 2, "\\@");
    TGlobal global(false);
    TStringList head, main, foot;
    try {
        ReadTableLines({ grid, global, head, main, foot }, lines);
    } catch (const std::exception&) {
    }
    Check(grid.RowCount() == 3, "records kept by the table reader");
    for (int col = 0; col < grid.ColCount(); ++col)
        (void)grid.Cell(col, 2);
    return 0;
}
