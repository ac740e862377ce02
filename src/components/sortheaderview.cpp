#include "components/sortheaderview.h"

#include <QPainter>
#include <QPolygon>
#include <QStyle>

namespace lexicana {

namespace {

constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 13;

// A grey triangle with a light and a dark edge, as if lit from the top left.
QPixmap DrawArrow(bool up)
{
    QPixmap pixmap(kGlyphWidth, kGlyphHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const int right = kGlyphWidth - 1;
    const int bottom = kGlyphHeight - 1;
    const int middle = right / 2;
    const QPoint apex = up ? QPoint(middle, 0) : QPoint(middle, bottom);
    const QPoint left = up ? QPoint(0, bottom) : QPoint(0, 0);
    const QPoint far = up ? QPoint(right, bottom) : QPoint(right, 0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(160, 160, 160));
    painter.drawPolygon(QPolygon({ apex, left, far }));
    const QColor shadow(96, 96, 96);
    const QColor light(255, 255, 255);
    painter.setPen(shadow);
    painter.drawLine(apex, left);
    if (!up)
        painter.drawLine(left, far); // the top edge is in the shade
    painter.setPen(light);
    painter.drawLine(apex, far);
    if (up)
        painter.drawLine(left, far); // the bottom edge catches the light
    return pixmap;
}

} // namespace

const QPixmap& GetSortUpGlyps(TSortUpKind kind)
{
    static QPixmap glyphs[2];
    QPixmap& glyph = glyphs[kind == bkUpCustom ? 1 : 0];
    if (glyph.isNull())
        glyph = DrawArrow(true);
    return glyph;
}

const QPixmap& GetSortDownGlyps(TSortDownKind kind)
{
    static QPixmap glyphs[2];
    QPixmap& glyph = glyphs[kind == bkDownCustom ? 1 : 0];
    if (glyph.isNull())
        glyph = DrawArrow(false);
    return glyph;
}

TSortHeaderView::TSortHeaderView(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TSortHeaderView::SetSortMark(int section, bool ascending, int spacing)
{
    section_ = section;
    ascending_ = ascending;
    spacing_ = spacing;
    viewport()->update();
}

QRect TSortHeaderView::ArrowRect(const QRect& sectionRect, int logicalIndex) const
{
    const QString title = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    const int x = sectionRect.left() + margin + fontMetrics().horizontalAdvance(title) + spacing_ + 2;
    const int y = sectionRect.top() + (sectionRect.height() - kGlyphHeight) / 2;
    return QRect(x, y, kGlyphWidth, kGlyphHeight);
}

QRect TSortHeaderView::SortMarkRect() const
{
    if (section_ < 0 || !model() || section_ >= count() || isSectionHidden(section_))
        return {};
    const QRect section(sectionViewportPosition(section_), 0, sectionSize(section_), viewport()->height());
    return ArrowRect(section, section_);
}

void TSortHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (logicalIndex != section_)
        return;
    painter->save();
    painter->setClipRect(rect);
    painter->drawPixmap(ArrowRect(rect, logicalIndex).topLeft(),
        ascending_ ? GetSortUpGlyps(bkUp) : GetSortDownGlyps(bkDown));
    painter->restore();
}

} // namespace lexicana
