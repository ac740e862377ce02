// TSortHeaderView: the heading row of the record grid. It draws the column
// headings left-aligned and, after the title of the column sorted last, a
// small grey bevelled arrow pointing up (ascending) or down (descending).
#pragma once

#include <QHeaderView>
#include <QPixmap>

namespace lexicana {

// Kinds of the cached sort arrows; every kind draws the same arrow.
enum TSortUpKind { bkUp, bkUpCustom };
enum TSortDownKind { bkDown, bkDownCustom };

// The arrows, drawn once and shared by every grid of the program.
const QPixmap& GetSortUpGlyps(TSortUpKind kind);
const QPixmap& GetSortDownGlyps(TSortDownKind kind);

class TSortHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit TSortHeaderView(QWidget* parent = nullptr);

    // Shows the arrow in section (a model column); -1 shows none. spacing
    // is the gap in pixels between the title and the arrow.
    void SetSortMark(int section, bool ascending, int spacing);
    int SortMarkSection() const { return section_; }
    bool SortMarkAscending() const { return ascending_; }
    // Where the arrow of the marked section is drawn, in viewport
    // coordinates; empty when no arrow is shown.
    QRect SortMarkRect() const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QRect ArrowRect(const QRect& sectionRect, int logicalIndex) const;

    int section_ = -1;
    bool ascending_ = true;
    int spacing_ = 10;
};

} // namespace lexicana
