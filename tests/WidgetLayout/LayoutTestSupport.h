#pragma once

// Helpers shared by the window-layout tests: the offscreen warning filter, compact cell tables,
// synthetic mouse events, rendering and scratch files.

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using Calls = QList<QVariantList>; // what a QSignalSpy recorded

namespace LayoutTest {

// The offscreen platform plugin has no window manager. It warns ("This plugin does not support
// ...") whenever a shown window's size is pinned, a window is raised, or a pop-up grabs the
// keyboard or the mouse; none of that says anything about the code under test. Install in
// initTestCase(), remove in cleanupTestCase(); every other warning still reaches QtTest.
inline QtMessageHandler& PreviousHandler()
{
    static QtMessageHandler previous = nullptr;
    return previous;
}

inline void FilterOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                                    const QString& text)
{
    if (type != QtWarningMsg || !text.startsWith("This plugin does not support "))
        PreviousHandler()(type, context, text);
}

inline void InstallWarningFilter()
{
    PreviousHandler() = qInstallMessageHandler(FilterOffscreenWarnings);
}

inline void RemoveWarningFilter()
{
    qInstallMessageHandler(PreviousHandler());
}

// Cell rectangles written compactly: "x,y,w,h" or "x,y" (one cell), separated by spaces.
inline QVector<QRect> Rects(const char* text)
{
    QVector<QRect> rects;
    for (const QString& item : QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts)) {
        const QStringList n = item.split(',');
        rects << QRect(n.value(0).toInt(), n.value(1).toInt(), n.size() > 2 ? n[2].toInt() : 1,
                       n.size() > 3 ? n[3].toInt() : 1);
    }
    return rects;
}

inline QRect Cell(const char* text)
{
    return Rects(text).value(0);
}

// Table-driven tests: _data() adds one row per entry of a static table (tag = its name), the
// test reads the entry back with Row().
template <typename T, size_t N> void AddRows(const T (&table)[N])
{
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < N; ++i)
        QTest::newRow(table[i].name) << int(i);
}

template <typename T, size_t N> const T& Row(const T (&table)[N])
{
    return table[*static_cast<int*>(QTest::qData("row", QMetaType::Int))];
}

inline void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Whatever keeps the background colour was never painted.
inline QImage Render(QWidget& widget, const QColor& background = Qt::magenta,
                     QWidget::RenderFlags flags = QWidget::DrawWindowBackground
                         | QWidget::DrawChildren)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(background);
    widget.render(&image, QPoint(), QRegion(), flags);
    return image;
}

// The cells (x column, y row) a widget takes in its parent's grid layout.
inline QRect GridCell(const QWidget* parent, QWidget* widget)
{
    auto* grid = qobject_cast<QGridLayout*>(parent->layout());
    int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
    grid->getItemPosition(grid->indexOf(widget), &row, &column, &rowSpan, &columnSpan);
    return QRect(column, row, columnSpan, rowSpan);
}

inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One description of a layout-description file, cells in Rects() notation; ids count from 0
// unless a fifth number gives one, and a cell written "s1,0" is a spacer.
inline QString Description(int type, int windows, const QString& rows, const QString& columns,
                           const char* cells, const QString& name = QString())
{
    QString items;
    int id = 0;
    for (const QString& item : QString::fromLatin1(cells).split(' ', Qt::SkipEmptyParts)) {
        const bool spacer = item.startsWith('s');
        const QRect c = Cell(qPrintable(item.mid(spacer ? 1 : 0)));
        const int n = spacer ? -1 : item.count(',') > 3 ? item.section(',', 4).toInt() : id++;
        items += QString::asprintf("<Element type=\"%s\" id=\"%d\" row=\"%d\" column=\"%d\" "
                                   "rowSpan=\"%d\" columnSpan=\"%d\"/>",
                                   spacer ? "QSpacerItem" : "QWidget", n, c.y(), c.x(), c.height(),
                                   c.width());
    }
    return QStringLiteral("<ElementConfig><Name>%1</Name><Type>%2</Type><WndSize>%3</WndSize>"
                          "<RowStretch>%4</RowStretch><ColumnStretch>%5</ColumnStretch>"
                          "<ElementItems>%6</ElementItems></ElementConfig>")
        .arg(name.isEmpty() ? QString::number(type) : name, QString::number(type),
             QString::number(windows), rows, columns, items);
}

} // namespace LayoutTest
