// Time and peak memory of loading an item data file whose first line is
// 100,000 commas (empty fields) followed by 20,000 short lines, a 200 KB
// file, and the size it is saved back as; then a file whose first line fills
// every column a table can hold. Usage: bench_wideline [commas]
#include "data/itemfile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

using namespace lexicana;

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Peak resident memory of the process so far, in MB.
double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Loads and saves one generated file, printing the figures; true when both
// worked. The save pads lines to four fields, as a document without a wider
// conversion table does.
bool Measure(const char* name, const std::filesystem::path& dir, const std::string& text)
{
    const std::string path = (dir / "wide.csv").string();
    std::ofstream(path, std::ios::binary) << text;
    std::printf("%s\n  file: %.0f KB, peak memory before loading: %.1f MB\n", name,
        static_cast<double>(std::filesystem::file_size(path)) / 1024.0, PeakMegabytes());

    TRecordTable grid;
    auto start = std::chrono::steady_clock::now();
    const int loaded = StrLoadFromFile(grid, path, ',', true, 4);
    std::printf("  load: %s in %.3f s, %d columns x %d rows, peak memory %.1f MB\n",
        loaded == 0 ? "done" : "FAILED", Seconds(start), grid.ColCount(), grid.RowCount(), PeakMegabytes());

    start = std::chrono::steady_clock::now();
    const int saved = StrSaveToFile(grid, path, ',', true, 4);
    std::printf("  save: %s in %.3f s, %.0f KB, peak memory %.1f MB\n", saved == 0 ? "done" : "FAILED",
        Seconds(start), static_cast<double>(std::filesystem::file_size(path)) / 1024.0, PeakMegabytes());
    return loaded == 0 && saved == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t commas = argc > 1 ? std::stoul(argv[1]) : 100000;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lexicana_bench_wideline";
    std::filesystem::create_directories(dir);

    std::string empty(commas, ',');
    empty += "\r\n";
    for (int i = 0; i < 20000; ++i)
        empty += "x,y\r\n";
    const bool first = Measure("one line of empty fields, then 20,000 short lines", dir, empty);

    // A first line with text in all 1,000 data columns a table can hold.
    std::string far;
    for (int col = 0; col < 1000; ++col)
        far += "x,";
    far += "x\r\n";
    for (int i = 0; i < 66000; ++i)
        far += "a\r\n";
    const bool second = Measure("one line of 1,001 filled fields, then 66,000 one-field lines", dir, far);

    std::filesystem::remove_all(dir);
    return first && second ? 0 : 1;
}
