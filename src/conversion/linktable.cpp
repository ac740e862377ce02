#include "conversion/linktable.h"

namespace lexicana {

bool MakeLinkTable(const TRecordTable& grid, const TGlobal& global, const FileListGrid& parts, StrGrid& table,
    const std::function<bool()>& goOn)
{
    const int partCount = parts.LastRow();
    const bool aliases = global.Links.aliasCol >= 0;
    // The counting walk sizes the table once.
    int count = 0;
    for (int k = 0; k < partCount; ++k) {
        const int end = parts.RowNumber(0, k + 1);
        for (int row = parts.RowNumber(0, k) + 1; row < end; ++row) {
            ++count;
            if (goOn && !goOn())
                return false;
        }
    }
    table = StrGrid(aliases ? 5 : 4, count);
    int entry = 0;
    for (int k = 0; k < partCount; ++k) {
        const int end = parts.RowNumber(0, k + 1);
        for (int row = parts.RowNumber(0, k) + 1; row < end; ++row) {
            table.Cell(0, entry) = parts.Cell(1, k);
            table.Cell(1, entry) = grid.Cell(global.LinkedNameCol, row);
            table.Cell(2, entry) = grid.Cell(global.LinkedWordCol, row);
            table.Cell(3, entry) = std::to_string(row);
            if (aliases)
                table.Cell(4, entry) = grid.Cell(global.Links.aliasCol, row);
            ++entry;
            if (goOn && !goOn())
                return false;
        }
    }
    return true;
}

std::unique_ptr<WordLink> MakeWordLink(const StrGrid& table, const TGlobal& global)
{
    auto links = std::make_unique<WordLink>(table, global.PlaceholderFile, global.PlaceholderName,
        global.PlaceholderWord, global.LinkTemplate, global.Links);
    links->SetLinkToSelf(global.LinkToSelf);
    return links;
}

std::unique_ptr<WordLink> MakeWordLink(StrGrid&& table, const TGlobal& global)
{
    auto links = std::make_unique<WordLink>(std::move(table), global.PlaceholderFile, global.PlaceholderName,
        global.PlaceholderWord, global.LinkTemplate, global.Links);
    links->SetLinkToSelf(global.LinkToSelf);
    return links;
}

} // namespace lexicana
