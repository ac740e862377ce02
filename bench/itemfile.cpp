// Speed and memory of the item data file and the record sort: generates a
// table of 100,000 records of 10 Shift_JIS columns (about 30 MB as a file),
// then times saving and loading it in both forms and sorting it by a
// Japanese column. Usage: bench_itemfile [records]
#include "data/itemfile.h"

#include "benchtable.h"
#include "data/gridsort.h"
#include "platform/sjistext.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

using namespace lexicana;
using lexicana::bench::MakeTable;

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// "VmRSS 123 MB, VmHWM 456 MB" from /proc/self/status.
std::string Memory()
{
    std::ifstream status("/proc/self/status");
    std::string line, out;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0 || line.rfind("VmHWM:", 0) == 0) {
            const long kb = std::stol(line.substr(6));
            out += (out.empty() ? "" : ", ") + line.substr(0, 5) + " " + std::to_string(kb / 1024) + " MB";
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    const int records = argc > 1 ? std::stoi(argv[1]) : 100000;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lexicana_bench_itemfile";
    std::filesystem::create_directories(dir);
    const std::string commaPath = (dir / "items.csv").string();
    const std::string tabPath = (dir / "items.txt").string();

    std::printf("at start: %s\n", Memory().c_str());
    auto start = std::chrono::steady_clock::now();
    TRecordTable table = MakeTable(records);
    std::printf("generate %d records x %d columns: %.3f s (%s)\n", records, table.ColCount(), Seconds(start),
        Memory().c_str());

    start = std::chrono::steady_clock::now();
    if (StrSaveToFile(table, commaPath, ',', true) != 0)
        return 1;
    std::printf("save comma form: %.3f s, %.1f MB\n", Seconds(start),
        static_cast<double>(std::filesystem::file_size(commaPath)) / 1e6);
    start = std::chrono::steady_clock::now();
    if (StrSaveToFile(table, tabPath, '\t', false) != 0)
        return 1;
    std::printf("save tab form:   %.3f s, %.1f MB\n", Seconds(start),
        static_cast<double>(std::filesystem::file_size(tabPath)) / 1e6);

    TRecordTable loaded(5, 2);
    start = std::chrono::steady_clock::now();
    if (StrLoadFromFile(loaded, commaPath, ',', true, 4) != 0)
        return 1;
    std::printf("load comma form: %.3f s (%s)\n", Seconds(start), Memory().c_str());
    start = std::chrono::steady_clock::now();
    if (StrLoadFromFile(loaded, tabPath, '\t', false, 4) != 0)
        return 1;
    std::printf("load tab form:   %.3f s\n", Seconds(start));

    bool same = loaded.RowCount() == table.RowCount();
    for (int row = 0; same && row < table.RowCount(); ++row)
        same = loaded.Row(row) == table.Row(row);
    std::printf("loaded table equals the saved one: %s\n", same ? "yes" : "NO");

    start = std::chrono::steady_clock::now();
    QsortGrid(loaded, 1, loaded.RowCount() - 1, 1);
    std::printf("sort by Japanese column 1: %.3f s\n", Seconds(start));
    start = std::chrono::steady_clock::now();
    QuickSortGrid(loaded, 1, loaded.RowCount() - 1, 6, false);
    std::printf("sort descending by Japanese column 6 (long texts): %.3f s\n", Seconds(start));
    TGlobal global(false);
    start = std::chrono::steady_clock::now();
    MoveFileRecordsAhead(loaded, global);
    loaded.NumberRows();
    std::printf("file-record pass and renumbering: %.3f s\n", Seconds(start));

    std::printf("memory with two tables held: %s\n", Memory().c_str());
    table = TRecordTable();
    malloc_trim(0);
    std::printf("memory with the loaded table only: %s\n", Memory().c_str());
    std::filesystem::remove_all(dir);
    return same ? 0 : 1;
}
