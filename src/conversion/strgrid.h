// StrGrid: a small column-wise string table with a fixed number of columns,
// the base of the parts table and of the link table of a conversion run.
#pragma once

#include <string>
#include <vector>

namespace lexicana {

class StrGrid {
public:
    StrGrid(int columns, int rows)
        : columns_(static_cast<std::size_t>(columns))
    {
        Resize(rows);
    }
    virtual ~StrGrid() = default;

    // Discards every string and gives each column rows empty strings.
    void Resize(int rows)
    {
        rows_ = rows;
        for (auto& column : columns_)
            column.assign(static_cast<std::size_t>(rows), std::string());
    }
    int RowTotal() const { return rows_; }
    int LastRow() const { return rows_ - 1; }
    int ColumnTotal() const { return static_cast<int>(columns_.size()); }

    std::string& Cell(int column, int row) { return columns_[column][static_cast<std::size_t>(row)]; }
    const std::string& Cell(int column, int row) const { return columns_[column][static_cast<std::size_t>(row)]; }

private:
    std::vector<std::vector<std::string>> columns_;
    int rows_ = 0;
};

}  // namespace lexicana
