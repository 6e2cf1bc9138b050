#pragma once

#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <initializer_list>

// Helpers shared by the calendar tests: data tables and pixel probes.
namespace CalendarTest {

/// Starts a _data() table with one column "row" holding whole rows, each named by its `name`.
/// The row type needs Q_DECLARE_METATYPE; the test reads it with QFETCH(Row, row).
template<typename Row>
void AddRows(std::initializer_list<Row> rows)
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::newRow(row.name) << row;
}

/// The widget as painted, on magenta: whatever stays magenta was never painted.
inline QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

/// Each channel within `tolerance`: antialiased text and blended fills are never exact.
inline bool Near(const QColor& a, const QColor& b, int tolerance = 3)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

/// Darkest grey in a rectangle: where the text's ink is fully covered.
inline int Ink(const QImage& image, const QRect& rect)
{
    int darkest = 256;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

inline bool HasPixelNear(const QImage& image, const QRect& rect, const QColor& color,
                         int tolerance)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (Near(image.pixelColor(x, y), color, tolerance))
                return true;
    return false;
}

} // namespace CalendarTest

#define COMPARE_COLOR(actual, expected)                                                            \
    QVERIFY2(CalendarTest::Near((actual), (expected)),                                             \
             qPrintable(QColor(actual).name() + " is not " + QColor(expected).name()))
