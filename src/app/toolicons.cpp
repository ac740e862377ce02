#include "app/toolicons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace lexicana {

namespace {

constexpr int kSize = 16;

// A sheet of paper with a folded corner; set files are tinted blue, item
// data files show table lines.
void DrawSheet(QPainter& p, bool table)
{
    QPainterPath sheet;
    sheet.moveTo(2.5, 0.5);
    sheet.lineTo(9.5, 0.5);
    sheet.lineTo(13.5, 4.5);
    sheet.lineTo(13.5, 15.5);
    sheet.lineTo(2.5, 15.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(table ? QColor(255, 255, 255) : QColor(225, 235, 255));
    p.drawPath(sheet);
    p.setBrush(QColor(200, 200, 200));
    QPainterPath fold;
    fold.moveTo(9.5, 0.5);
    fold.lineTo(9.5, 4.5);
    fold.lineTo(13.5, 4.5);
    p.drawPath(fold);
    p.setPen(QPen(table ? QColor(60, 130, 60) : QColor(60, 90, 170), 1));
    if (table) {
        for (int y = 7; y <= 13; y += 3)
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
        p.drawLine(QPointF(7.5, 6.5), QPointF(7.5, 13.5));
    } else {
        for (int y = 6; y <= 13; y += 2)
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    }
}

// A yellow star in the top-right corner: "new".
void DrawNewMark(QPainter& p)
{
    p.setPen(QPen(QColor(200, 140, 0), 1));
    p.setBrush(QColor(255, 220, 40));
    QPolygonF star;
    const QPointF centre(12.0, 4.0);
    for (int i = 0; i < 8; ++i) {
        const double radius = (i % 2 == 0) ? 4.0 : 1.6;
        const double angle = i * 3.14159265 / 4.0;
        star << centre + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
    }
    p.drawPolygon(star);
}

// An open folder: "open".
void DrawFolder(QPainter& p, const QColor& tint)
{
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(0.5, 3.5, 12, 10));
    p.setBrush(tint);
    QPolygonF flap;
    flap << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(12.5, 13.5) << QPointF(0.5, 13.5);
    p.drawPolygon(flap);
}

// A floppy disk: "save".
void DrawDisk(QPainter& p, const QColor& body)
{
    p.setPen(QPen(QColor(40, 40, 60), 1));
    p.setBrush(body);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(80, 80, 80));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void DrawFind(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(120, 80, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

// A green arrow turning a page: "convert".
void DrawConvert(QPainter& p)
{
    p.setPen(QPen(QColor(20, 110, 40), 1));
    p.setBrush(QColor(60, 180, 80));
    QPolygonF arrow;
    arrow << QPointF(1.5, 5.5) << QPointF(8.5, 5.5) << QPointF(8.5, 1.5) << QPointF(15, 8)
          << QPointF(8.5, 14.5) << QPointF(8.5, 10.5) << QPointF(1.5, 10.5);
    p.drawPolygon(arrow);
}

QPixmap DrawImage(ToolImage image)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ImageNewSet:
        DrawSheet(p, false);
        DrawNewMark(p);
        break;
    case ImageOpenSet:
        DrawFolder(p, QColor(190, 210, 250));
        break;
    case ImageSaveSet:
        DrawDisk(p, QColor(70, 100, 190));
        break;
    case ImageNewItem:
        DrawSheet(p, true);
        DrawNewMark(p);
        break;
    case ImageOpenItem:
        DrawFolder(p, QColor(250, 225, 130));
        break;
    case ImageSaveItem:
        DrawDisk(p, QColor(60, 150, 80));
        break;
    case ImageFind:
        DrawFind(p);
        break;
    case ImageConvert:
        DrawConvert(p);
        break;
    }
    return pixmap;
}

} // namespace

QIcon ToolIcon(ToolImage image)
{
    static QHash<int, QIcon> cache;
    auto found = cache.find(image);
    if (found == cache.end())
        found = cache.insert(image, QIcon(DrawImage(image)));
    return *found;
}

QIcon ProgramIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 2));
    p.setBrush(QColor(70, 110, 190));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(11, 8), QPointF(11, 24));
    p.drawLine(QPointF(11, 24), QPointF(22, 24));
    return QIcon(pixmap);
}

} // namespace lexicana
