// StrGrid: a small column-wise string table with a fixed number of columns,
// the base of the parts table and of the link table of a conversion run.
#pragma once

#include <charconv>
#include <string>
#include <utility>
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
    // Moving hands the strings over: a grid of many rows is never copied
    // only to be thrown away.
    StrGrid(const StrGrid&) = default;
    StrGrid& operator=(const StrGrid&) = default;
    StrGrid(StrGrid&& other) noexcept
        : columns_(std::move(other.columns_))
        , rows_(std::exchange(other.rows_, 0))
    {
    }
    StrGrid& operator=(StrGrid&& other) noexcept
    {
        columns_ = std::move(other.columns_);
        rows_ = std::exchange(other.rows_, 0);
        return *this;
    }

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

    // The cell read as a row number: the grids keep row numbers as decimal
    // text. -1 when the cell is not wholly decimal digits or does not fit.
    int RowNumber(int column, int row) const
    {
        const std::string& text = Cell(column, row);
        if (text.empty() || text.front() < '0' || text.front() > '9')
            return -1;
        int value = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            return -1;
        return value;
    }

private:
    std::vector<std::vector<std::string>> columns_;
    int rows_ = 0;
};

}  // namespace lexicana
