// The parts table of a conversion: one entry per file record in grid order
// and a closing entry, with the check that no two file records name the
// same file and part.
#include "conversion/filerecords.h"

#include "common/messages.h"
#include "common/translate.h"

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace lexicana {

namespace {

// The cell, or an empty text for a column the grid does not have.
const std::string& CellOrEmpty(const TRecordTable& grid, int col, int row)
{
    static const std::string empty;
    return col >= 0 && col < grid.ColCount() ? grid.Cell(col, row) : empty;
}

using FilePartKey = std::pair<std::string_view, std::string_view>;

struct FilePartHash {
    std::size_t operator()(const FilePartKey& key) const
    {
        const std::size_t a = std::hash<std::string_view>()(key.first);
        const std::size_t b = std::hash<std::string_view>()(key.second);
        return a ^ (b + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
    }
};

void ShowDuplicate(int firstRow, int row)
{
    ShowError(FillArgs(
        lexicana::Tr("ファイルレコードの重複があります。\nレコード%1と、レコード%2の内容が重複しています。"),
        { std::to_string(firstRow), std::to_string(row) }));
}

} // namespace

int GetFileRecord(const TRecordTable& grid, TGlobal& global, FileListGrid& parts, IEventPump* events)
{
    try {
        const int rowCount = grid.RowCount();

        // Counting pass. Every file record gets an entry ("<info>" ones
        // included), so the table is sized by all of them.
        int fileRecords = 0;
        for (int row = 1; row < rowCount; ++row) {
            if (IsFileRecord(grid, global, row))
                ++fileRecords;
            if (events)
                events->ProcessEvents();
        }
        parts.Resize(fileRecords + 1);

        // Filling pass. The map holds the first row of every (file, part ID)
        // met so far: the first earlier equal entry, which is the one a walk
        // over all earlier entries would find first. The keys view the grid's
        // cells, which do not change while the table is built.
        std::unordered_map<FilePartKey, int, FilePartHash> firstRowOf;
        firstRowOf.reserve(static_cast<std::size_t>(fileRecords));
        int k = 0;
        for (int row = 1; row < rowCount; ++row) {
            if (IsFileRecord(grid, global, row)) {
                const std::string& file = CellOrEmpty(grid, global.FileNameCol, row);
                const std::string& part = CellOrEmpty(grid, global.PartIDCol, row);
                auto [it, inserted] = firstRowOf.try_emplace(FilePartKey(file, part), row);
                if (!inserted) {
                    ShowDuplicate(it->second, row);
                    return PartTableDuplicate;
                }
                parts.Cell(0, k) = std::to_string(row);
                parts.Cell(1, k) = file;
                parts.Cell(2, k) = part;
                ++k;
            }
            if (events)
                events->ProcessEvents();
        }
        if (k == 0)
            return PartTableNoFileRecord;

        parts.Cell(0, k) = std::to_string(rowCount);
        parts.Cell(1, k).clear();
        parts.Cell(2, k).clear();
        global.NormalRecordCount = CountNormalRecords(parts);
        global.FileRecordCount = parts.LastRow();
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "GetFileRecord");
        return -2;
    } catch (...) {
        return -1;
    }
}

int CountNormalRecords(const FileListGrid& parts)
{
    if (parts.RowTotal() < 2)
        return 0;
    const int first = parts.RowNumber(0, 0);
    const int closing = parts.RowNumber(0, parts.LastRow());
    return (closing - first) - parts.LastRow();
}

} // namespace lexicana
