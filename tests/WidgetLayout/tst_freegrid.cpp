#include "WidgetLayout/FreeGrid_p.h"

#include <QRandomGenerator>
#include <QTest>

#include <climits>

using namespace TesselGUIToolkit;
using namespace TesselGUIToolkit::Detail;

Q_DECLARE_METATYPE(CFreeGridModel::Outcome)

namespace {

// A model from rectangles whose keys are their positions in the list.
CFreeGridModel Model(int rows, int columns, const QVector<QRect>& items)
{
    CFreeGridModel model(rows, columns);
    for (int i = 0; i < items.size(); ++i) {
        if (!model.AddItem(i, items.at(i)))
            qFatal("test layout %d does not fit", i);
    }
    return model;
}

QVector<QRect> Rects(const CFreeGridModel& model)
{
    QVector<QRect> rects(model.Items().size());
    for (const CFreeGridModel::Item& item : model.Items())
        rects[item.key] = item.cells;
    return rects;
}

QVector<QRect> FourSingles()
{
    return {QRect(0, 0, 1, 1), QRect(1, 0, 1, 1), QRect(0, 1, 1, 1), QRect(1, 1, 1, 1)};
}

} // namespace

class tst_FreeGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellSize_data()
    {
        QTest::addColumn<QSize>("host");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("spareWidth");
        QTest::addColumn<int>("spareHeight");

        QTest::newRow("wide host: height limits, spare columns")
            << QSize(1000, 500) << 2 << 2 << 1 << 442 << 249 << 115 << 0;
        QTest::newRow("tall host: width limits, spare rows")
            << QSize(1600, 1000) << 2 << 2 << 1 << 799 << 449 << 0 << 101;
        QTest::newRow("exact 16:9, no spacing")
            << QSize(1920, 1080) << 1 << 1 << 0 << 1920 << 1080 << 0 << 0;
        QTest::newRow("3 x 3, spacing 2")
            << QSize(800, 600) << 3 << 3 << 2 << 265 << 149 << 0 << 149;
        QTest::newRow("counts below 1 count as 1")
            << QSize(1920, 1080) << 0 << -4 << 0 << 1920 << 1080 << 0 << 0;
        QTest::newRow("empty host") << QSize(0, 0) << 2 << 2 << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("absurd host does not overflow")
            << QSize(INT_MAX, INT_MAX) << 8 << 8 << 1 << 268435455 << 150994943 << 0 << 939524096;
    }
    void cellSize()
    {
        QFETCH(QSize, host);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(int, spacing);
        const FreeCellSize size = FreeGridCellSize(host, rows, columns, spacing);
        QTEST(size.width, "width");
        QTEST(size.height, "height");
        QTEST(size.spareWidth, "spareWidth");
        QTEST(size.spareHeight, "spareHeight");
    }

    void cellSizeWithoutAspectIsEmpty()
    {
        const FreeCellSize size = FreeGridCellSize(QSize(800, 600), 2, 2, 1, 0, 9);
        QCOMPARE(size.width, 0);
        QCOMPARE(size.height, 0);
    }

    void suitLayout_data()
    {
        QTest::addColumn<QSize>("host");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("minRows");
        QTest::addColumn<int>("minColumns");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");

        QTest::newRow("4 in a wide host") << QSize(1000, 500) << 4 << 1 << 1 << true << 2 << 2;
        QTest::newRow("5: 2 x 3 has wider cells than 3 x 2")
            << QSize(1000, 500) << 5 << 1 << 1 << true << 2 << 3;
        QTest::newRow("16 in 16:9") << QSize(1600, 900) << 16 << 1 << 1 << true << 4 << 4;
        QTest::newRow("equal widths: fewer cells win")
            << QSize(10000, 100) << 1 << 1 << 1 << true << 1 << 1;
        QTest::newRow("64 needs 8 x 8") << QSize(1600, 900) << 64 << 1 << 1 << true << 8 << 8;
        QTest::newRow("65 fits nowhere") << QSize(1600, 900) << 65 << 1 << 1 << false << 1 << 1;
        QTest::newRow("no window") << QSize(1600, 900) << 0 << 1 << 1 << true << 1 << 1;
        QTest::newRow("negative count") << QSize(1600, 900) << -3 << 1 << 1 << true << 1 << 1;
        QTest::newRow("minimum rows") << QSize(1000, 500) << 2 << 2 << 1 << true << 2 << 1;
        QTest::newRow("minimum columns beyond 8")
            << QSize(1000, 500) << 2 << 1 << 9 << false << 1 << 9;
    }
    void suitLayout()
    {
        QFETCH(QSize, host);
        QFETCH(int, count);
        QFETCH(int, minRows);
        QFETCH(int, minColumns);
        int rows = -1;
        int columns = -1;
        QTEST(FreeGridSuitLayout(host, 1, count, minRows, minColumns, rows, columns), "found");
        QTEST(rows, "rows");
        QTEST(columns, "columns");
    }

    void suitLayoutByAddition_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rows0");
        QTest::addColumn<int>("columns0");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");

        QTest::newRow("one more than 2 x 2") << 1 << 2 << 2 << true << 2 << 3;
        QTest::newRow("nothing more keeps the grid") << 0 << 2 << 2 << true << 2 << 2;
        QTest::newRow("never fewer rows than before") << 1 << 3 << 1 << true << 3 << 2;
        QTest::newRow("beyond 64 cells") << 1 << 8 << 8 << false << 8 << 8;
    }
    void suitLayoutByAddition()
    {
        QFETCH(int, count);
        QFETCH(int, rows0);
        QFETCH(int, columns0);
        int rows = -1;
        int columns = -1;
        QTEST(FreeGridSuitLayoutByAddition(QSize(1000, 500), 1, count, rows0, columns0, rows,
                                           columns),
              "found");
        QTEST(rows, "rows");
        QTEST(columns, "columns");
    }

    void mapArrangement_data()
    {
        QTest::addColumn<int>("others");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QRect>("map");
        QTest::addColumn<QVector<QRect>>("windows");

        QTest::newRow("map alone") << 0 << 1 << 1 << QRect(0, 0, 1, 1) << QVector<QRect>();
        QTest::newRow("one beside")
            << 1 << 1 << 2 << QRect(0, 0, 1, 1) << QVector<QRect>{QRect(1, 0, 1, 1)};
        QTest::newRow("three down the last column")
            << 3 << 3 << 3 << QRect(0, 0, 2, 3)
            << QVector<QRect>{QRect(2, 0, 1, 1), QRect(2, 1, 1, 1), QRect(2, 2, 1, 1)};
        QTest::newRow("five: down, then along the last row")
            << 5 << 3 << 3 << QRect(0, 0, 2, 2)
            << QVector<QRect>{QRect(2, 0, 1, 1), QRect(2, 1, 1, 1), QRect(0, 2, 1, 1),
                              QRect(1, 2, 1, 1), QRect(2, 2, 1, 1)};
        QTest::newRow("six around a 3 x 3 map")
            << 6 << 4 << 4 << QRect(0, 0, 3, 3)
            << QVector<QRect>{QRect(3, 0, 1, 1), QRect(3, 1, 1, 1), QRect(3, 2, 1, 1),
                              QRect(0, 3, 1, 1), QRect(1, 3, 1, 1), QRect(2, 3, 1, 1)};
        QTest::newRow("fourteen in 5 x 5")
            << 14 << 5 << 5 << QRect(0, 0, 3, 3)
            << QVector<QRect>{QRect(3, 0, 1, 1), QRect(4, 0, 1, 1), QRect(3, 1, 1, 1),
                              QRect(4, 1, 1, 1), QRect(3, 2, 1, 1), QRect(4, 2, 1, 1),
                              QRect(0, 3, 1, 1), QRect(1, 3, 1, 1), QRect(2, 3, 1, 1),
                              QRect(3, 3, 1, 1), QRect(4, 3, 1, 1), QRect(0, 4, 1, 1),
                              QRect(1, 4, 1, 1), QRect(2, 4, 1, 1)};
    }
    void mapArrangement()
    {
        QFETCH(int, others);
        int rows = 0;
        int columns = 0;
        const QVector<QRect> cells = FreeGridMapArrangement(others, rows, columns);
        QTEST(rows, "rows");
        QTEST(columns, "columns");
        QTEST(cells.value(0), "map");
        QTEST(cells.mid(1), "windows");
    }

    void mapArrangementNeverOverlaps()
    {
        for (int others = 0; others <= 20; ++others) {
            int rows = 0;
            int columns = 0;
            const QVector<QRect> cells = FreeGridMapArrangement(others, rows, columns);
            QCOMPARE(cells.size(), qMin(others, 16) + 1);
            CFreeGridModel model(rows, columns);
            for (int i = 0; i < cells.size(); ++i)
                QVERIFY2(model.AddItem(i, cells.at(i)), qPrintable(QString::number(others)));
        }
    }

    void pressArea_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("area");
        QTest::addColumn<Qt::CursorShape>("cursor");

        const QRect w(0, 0, 480, 270);
        QTest::newRow("1 px in from the left, half height")
            << w << QPoint(1, 135) << 5 << Qt::SizeHorCursor;
        QTest::newRow("on the left edge, near the top")
            << w << QPoint(1, 10) << 1 << Qt::SizeFDiagCursor;
        QTest::newRow("2 px in starts a move") << w << QPoint(2, 135) << 0 << Qt::ArrowCursor;
        QTest::newRow("3 px in starts a move") << w << QPoint(3, 135) << 0 << Qt::ArrowCursor;
        QTest::newRow("top edge") << w << QPoint(240, 0) << 6 << Qt::SizeVerCursor;
        QTest::newRow("top-right corner") << w << QPoint(478, 10) << 2 << Qt::SizeBDiagCursor;
        QTest::newRow("right edge") << w << QPoint(479, 135) << 7 << Qt::SizeHorCursor;
        QTest::newRow("bottom-right corner") << w << QPoint(478, 260) << 4 << Qt::SizeFDiagCursor;
        QTest::newRow("bottom edge") << w << QPoint(240, 269) << 8 << Qt::SizeVerCursor;
        QTest::newRow("bottom-left corner") << w << QPoint(0, 260) << 3 << Qt::SizeBDiagCursor;
        QTest::newRow("corner box ends at 70 px") << w << QPoint(70, 0) << 1 << Qt::SizeFDiagCursor;
        QTest::newRow("edge box starts after it") << w << QPoint(71, 0) << 6 << Qt::SizeVerCursor;
        QTest::newRow("outside") << w << QPoint(480, 10) << -1 << Qt::ArrowCursor;
        QTest::newRow("window away from the origin")
            << QRect(100, 50, 480, 270) << QPoint(101, 185) << 5 << Qt::SizeHorCursor;
    }
    void pressArea()
    {
        QFETCH(QRect, window);
        QFETCH(QPoint, point);
        QFETCH(int, area);
        QCOMPARE(FreeGridPressArea(window, point), area);
        QTEST(FreeGridAreaCursor(area), "cursor");
    }

    void scaleGeometry_data()
    {
        QTest::addColumn<int>("area");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("bottom-right follows")
            << 4 << QPoint(150, 100) << QRect(QPoint(10, 10), QPoint(150, 100));
        QTest::newRow("left edge moves alone")
            << 5 << QPoint(50, 999) << QRect(QPoint(50, 10), QPoint(109, 69));
        QTest::newRow("top-left past bottom-right: one pixel")
            << 1 << QPoint(200, 200) << QRect(109, 69, 1, 1);
        QTest::newRow("bottom above the top stops on it")
            << 8 << QPoint(30, 5) << QRect(10, 10, 100, 1);
        QTest::newRow("no area keeps the window") << 0 << QPoint(0, 0) << QRect(10, 10, 100, 60);
    }
    void scaleGeometry()
    {
        QFETCH(int, area);
        QFETCH(QPoint, point);
        QTEST(FreeGridScaleGeometry(QRect(10, 10, 100, 60), point, area), "expected");
    }

    void countCells_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("count");

        QTest::newRow("two exact rows") << 499 << 249 << 1 << 2;
        QTest::newRow("two rows a pixel short each") << 497 << 249 << 1 << 2;
        QTest::newRow("two rows a pixel long each") << 501 << 249 << 1 << 2;
        QTest::newRow("one row") << 249 << 249 << 1 << 1;
        QTest::newRow("three rows, spacing 5, 2 px short each") << 304 << 100 << 5 << 3;
        QTest::newRow("nothing still one") << 0 << 100 << 1 << 1;
        QTest::newRow("no cell size") << 300 << 0 << 0 << 0;
    }
    void countCells()
    {
        QFETCH(int, extent);
        QFETCH(int, cell);
        QFETCH(int, spacing);
        QTEST(FreeGridCountCells(extent, cell, spacing), "count");
    }

    void cellsFromGeometry_data()
    {
        QTest::addColumn<QVector<QRect>>("geometries");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QVector<QRect>>("cells");

        // Cells 100 x 56 with spacing 5 inside a margin of 1.
        const auto cell = [](int c, int r, int cs = 1, int rs = 1, int shrink = 0) {
            return QRect(1 + c * 105, 1 + r * 61, cs * 100 + (cs - 1) * 5 - shrink,
                         rs * 56 + (rs - 1) * 5 - shrink);
        };
        QTest::newRow("three of a 2 x 2 keep the grid")
            << QVector<QRect>{cell(1, 0), cell(0, 1), cell(1, 1)} << false << 2 << 2
            << QVector<QRect>{QRect(1, 0, 1, 1), QRect(0, 1, 1, 1), QRect(1, 1, 1, 1)};
        QTest::newRow("laid-out cells 2 px short")
            << QVector<QRect>{cell(0, 0, 1, 1, 2), cell(1, 1, 1, 1, 2)} << false << 2 << 2
            << QVector<QRect>{QRect(0, 0, 1, 1), QRect(1, 1, 1, 1)};
        QTest::newRow("an empty column at the edge disappears")
            << QVector<QRect>{cell(1, 0), cell(1, 1)} << false << 2 << 1
            << QVector<QRect>{QRect(0, 0, 1, 1), QRect(0, 1, 1, 1)};
        QTest::newRow("spans") << QVector<QRect>{cell(0, 0, 2, 2), cell(2, 0), cell(2, 1)} << false
                               << 2 << 3
                               << QVector<QRect>{QRect(0, 0, 2, 2), QRect(2, 0, 1, 1),
                                                 QRect(2, 1, 1, 1)};
        QTest::newRow("right to left counts from the right")
            << QVector<QRect>{cell(0, 0), cell(1, 0)} << true << 1 << 2
            << QVector<QRect>{QRect(1, 0, 1, 1), QRect(0, 0, 1, 1)};
    }
    void cellsFromGeometry()
    {
        QFETCH(QVector<QRect>, geometries);
        QFETCH(bool, rightToLeft);
        int rows = 0;
        int columns = 0;
        QTEST(
            FreeGridCellsFromGeometry(geometries, QSize(100, 56), 5, rightToLeft, &rows, &columns),
            "cells");
        QTEST(rows, "rows");
        QTEST(columns, "columns");
    }

    void cellsFromGeometryRefusesBadInput()
    {
        int rows = -1;
        QVERIFY(FreeGridCellsFromGeometry({}, QSize(10, 10), 1, false, &rows, nullptr).isEmpty());
        QCOMPARE(rows, -1);
        QVERIFY(
            FreeGridCellsFromGeometry({QRect(0, 0, 5, 5)}, QSize(0, 10), 1, false, nullptr, nullptr)
                .isEmpty());
    }

    void frame()
    {
        FreeGridFrame frame;
        frame.area = QRect(1, 1, 201, 101); // two 100 x 50 cells each way, spacing 1
        frame.rows = 2;
        frame.columns = 2;
        frame.spacing = 1;
        QVERIFY(frame.IsValid());
        QCOMPARE(frame.CellsToPixels(QRect(1, 1, 1, 1)), QRect(102, 52, 100, 50));
        QCOMPARE(frame.CellsToPixels(QRect(0, 0, 2, 1)), QRect(1, 1, 201, 50));
        QCOMPARE(frame.CellAt(QPoint(102, 52)), QPoint(1, 1));
        QCOMPARE(frame.CellAt(QPoint(101, 51)), QPoint(0, 0)); // the gap belongs to the cell before
        QCOMPARE(frame.CellAt(QPoint(0, 0)), QPoint(-1, -1));
        QCOMPARE(frame.NearestCorner(QPoint(150, 1)), QPoint(1, 0));
        QCOMPARE(frame.NearestCorner(QPoint(153, 1)), QPoint(2, 0));
        frame.columns = 0;
        QVERIFY(!frame.IsValid());
    }

    void scaleCells_data()
    {
        QTest::addColumn<QRect>("cells");
        QTest::addColumn<int>("area");
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("bottom-right to 1.6 x 2.4")
            << QRect(0, 0, 1, 1) << 4 << QPointF(1.6, 2.4) << true << QRect(0, 0, 2, 2);
        QTest::newRow("never less than a cell")
            << QRect(0, 0, 2, 2) << 4 << QPointF(0.3, 0.3) << true << QRect(0, 0, 1, 1);
        QTest::newRow("top-left beyond the grid, halves round up")
            << QRect(0, 0, 1, 1) << 1 << QPointF(-1.2, 0.5) << true << QRect(-1, 0, 2, 1);
        QTest::newRow("right edge keeps the rows")
            << QRect(1, 1, 1, 2) << 7 << QPointF(3.5, 9.0) << true << QRect(1, 1, 3, 2);
        QTest::newRow("dragged past the fixed side")
            << QRect(0, 0, 1, 1) << 4 << QPointF(-0.7, 1.0) << false << QRect();
        QTest::newRow("no area") << QRect(0, 0, 1, 1) << 0 << QPointF(2, 2) << false << QRect();
        QTest::newRow("unknown area")
            << QRect(0, 0, 1, 1) << 9 << QPointF(2, 2) << false << QRect();
    }
    void scaleCells()
    {
        QFETCH(QRect, cells);
        QFETCH(int, area);
        QFETCH(QPointF, pointer);
        QFETCH(bool, ok);
        bool reported = !ok; // the function must set it either way
        QTEST(FreeGridScaleCells(cells, area, pointer, &reported), "expected");
        QCOMPARE(reported, ok);
    }

    void modelRefusesBadItems()
    {
        CFreeGridModel model(2, 2);
        QVERIFY(model.AddItem(7, QRect(0, 0, 1, 1)));
        QVERIFY(!model.AddItem(7, QRect(1, 1, 1, 1))); // key twice
        QVERIFY(!model.AddItem(8, QRect(0, 0, 2, 1))); // overlap
        QVERIFY(!model.AddItem(8, QRect(1, 1, 2, 1))); // outside
        QVERIFY(!model.AddItem(8, QRect(1, 1, 0, 1))); // empty
        QVERIFY(!model.SetGridSize(9, 1));
        QVERIFY(!model.SetGridSize(0, 1));
        QVERIFY(model.SetGridSize(1, 1));
        QVERIFY(!model.SetGridSize(1, 0));
        QCOMPARE(model.KeyAt(QPoint(0, 0)), 7);
        QCOMPARE(model.KeyAt(QPoint(5, 5)), -1);
        QVERIFY(model.CheckInvariant());
        QCOMPARE(model.Move(99, QPoint(0, 0)).outcome, CFreeGridModel::Outcome::Rejected);
        QCOMPARE(model.Scale(99, QRect(0, 0, 1, 1)).outcome, CFreeGridModel::Outcome::Rejected);
    }

    void move_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QVector<QRect>>("items");
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<CFreeGridModel::Outcome>("outcome");
        QTest::addColumn<int>("partner");
        QTest::addColumn<QVector<QRect>>("after");

        using O = CFreeGridModel::Outcome;
        QTest::newRow("onto an equal window: exchange")
            << 2 << 2 << FourSingles() << 0 << QPoint(1, 0) << O::Exchanged << 1
            << QVector<QRect>{QRect(1, 0, 1, 1), QRect(0, 0, 1, 1), QRect(0, 1, 1, 1),
                              QRect(1, 1, 1, 1)};
        QTest::newRow("onto idle cells")
            << 3 << 3 << QVector<QRect>{QRect(0, 0, 1, 1), QRect(2, 2, 1, 1)} << 0 << QPoint(1, 1)
            << O::Moved << -1 << QVector<QRect>{QRect(1, 1, 1, 1), QRect(2, 2, 1, 1)};
        QTest::newRow("kept inside the grid")
            << 2 << 2 << QVector<QRect>{QRect(0, 0, 1, 1)} << 0 << QPoint(5, -3) << O::Moved << -1
            << QVector<QRect>{QRect(1, 0, 1, 1)};
        QTest::newRow("same place")
            << 2 << 2 << FourSingles() << 3 << QPoint(1, 1) << O::Unchanged << -1 << FourSingles();
        QTest::newRow("covered windows take the place left, in order")
            << 2 << 4
            << QVector<QRect>{QRect(0, 0, 2, 2), QRect(2, 0, 1, 1), QRect(3, 0, 1, 1),
                              QRect(2, 1, 1, 1), QRect(3, 1, 1, 1)}
            << 0 << QPoint(2, 0) << O::Displaced << -1
            << QVector<QRect>{QRect(2, 0, 2, 2), QRect(0, 0, 1, 1), QRect(1, 0, 1, 1),
                              QRect(0, 1, 1, 1), QRect(1, 1, 1, 1)};
        QTest::newRow("one column along: the column slides back")
            << 2 << 3 << QVector<QRect>{QRect(0, 0, 2, 2), QRect(2, 0, 1, 1), QRect(2, 1, 1, 1)}
            << 0 << QPoint(1, 0) << O::Displaced << -1
            << QVector<QRect>{QRect(1, 0, 2, 2), QRect(0, 0, 1, 1), QRect(0, 1, 1, 1)};
        QTest::newRow("one cell diagonally")
            << 3 << 3 << QVector<QRect>{QRect(0, 0, 2, 2), QRect(2, 0, 1, 1), QRect(2, 1, 1, 1),
                                        QRect(2, 2, 1, 1), QRect(0, 2, 1, 1), QRect(1, 2, 1, 1)}
            << 0 << QPoint(1, 1) << O::Displaced << -1
            << QVector<QRect>{QRect(1, 1, 2, 2), QRect(2, 0, 1, 1), QRect(0, 1, 1, 1),
                              QRect(0, 0, 1, 1), QRect(0, 2, 1, 1), QRect(1, 0, 1, 1)};
        QTest::newRow("onto part of a larger window: exchange")
            << 2 << 3 << QVector<QRect>{QRect(0, 0, 1, 1), QRect(1, 0, 2, 2), QRect(0, 1, 1, 1)}
            << 0 << QPoint(1, 0) << O::Exchanged << 1
            << QVector<QRect>{QRect(1, 0, 2, 2), QRect(0, 0, 1, 1), QRect(0, 1, 1, 1)};
        QTest::newRow("partly on two: ties go to the first in reading order")
            << 2 << 3
            << QVector<QRect>{QRect(0, 0, 1, 2), QRect(1, 0, 1, 1), QRect(1, 1, 2, 1),
                              QRect(2, 0, 1, 1)}
            << 0 << QPoint(2, 0) << O::Exchanged << 3
            << QVector<QRect>{QRect(2, 0, 1, 1), QRect(1, 0, 1, 1), QRect(1, 1, 2, 1),
                              QRect(0, 0, 1, 2)};
    }
    void move()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QVector<QRect>, items);
        QFETCH(int, key);
        QFETCH(QPoint, target);
        CFreeGridModel model = Model(rows, columns, items);
        const CFreeGridModel::Result result = model.Move(key, target);
        QTEST(result.outcome, "outcome");
        if (result.outcome == CFreeGridModel::Outcome::Exchanged)
            QTEST(result.partner, "partner");
        QTEST(Rects(model), "after");
        QString why;
        QVERIFY2(model.CheckInvariant(&why), qPrintable(why));
    }

    void displacedWindowsAreReported()
    {
        CFreeGridModel model =
            Model(2, 3, {QRect(0, 0, 2, 2), QRect(2, 0, 1, 1), QRect(2, 1, 1, 1)});
        const CFreeGridModel::Result result = model.Move(0, QPoint(1, 0));
        QCOMPARE(result.displaced.size(), 2);
        QCOMPARE(result.displaced.at(0).key, 1);
        QCOMPARE(result.displaced.at(0).from, QRect(2, 0, 1, 1));
        QCOMPARE(result.displaced.at(0).to, QRect(0, 0, 1, 1));
    }

    void scale_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QVector<QRect>>("items");
        QTest::addColumn<QRect>("cells");
        QTest::addColumn<CFreeGridModel::Outcome>("outcome");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("columnsAfter");
        QTest::addColumn<QVector<QRect>>("after");

        using O = CFreeGridModel::Outcome;
        QTest::newRow("wider over a neighbour: it goes to a new row")
            << 2 << 2 << FourSingles() << QRect(0, 0, 2, 1) << O::Scaled << 3 << 2
            << QVector<QRect>{QRect(0, 0, 2, 1), QRect(0, 2, 1, 1), QRect(0, 1, 1, 1),
                              QRect(1, 1, 1, 1)};
        QTest::newRow("into idle cells")
            << 2 << 2 << QVector<QRect>{QRect(0, 0, 1, 1)} << QRect(0, 0, 2, 2) << O::Scaled << 2
            << 2 << QVector<QRect>{QRect(0, 0, 2, 2)};
        QTest::newRow("displaced keeps its size in a free place")
            << 2 << 3 << QVector<QRect>{QRect(0, 0, 1, 1), QRect(1, 0, 1, 1)} << QRect(0, 0, 2, 1)
            << O::Scaled << 2 << 3 << QVector<QRect>{QRect(0, 0, 2, 1), QRect(2, 0, 1, 1)};
        QTest::newRow("growing left shifts everything")
            << 2 << 2 << FourSingles() << QRect(-1, 0, 2, 1) << O::Scaled << 2 << 3
            << QVector<QRect>{QRect(0, 0, 2, 1), QRect(2, 0, 1, 1), QRect(1, 1, 1, 1),
                              QRect(2, 1, 1, 1)};
        QTest::newRow("shrinking")
            << 2 << 2 << QVector<QRect>{QRect(0, 0, 2, 2)} << QRect(0, 0, 1, 1) << O::Scaled << 2
            << 2 << QVector<QRect>{QRect(0, 0, 1, 1)};
        QTest::newRow("beyond 8 columns")
            << 1 << 8 << QVector<QRect>{QRect(0, 0, 1, 1)} << QRect(0, 0, 9, 1) << O::Rejected << 1
            << 8 << QVector<QRect>{QRect(0, 0, 1, 1)};
        QTest::newRow("no room for the displaced, even shrunk")
            << 8 << 8 << QVector<QRect>{QRect(0, 0, 8, 7), QRect(0, 7, 8, 1)} << QRect(0, 0, 8, 8)
            << O::Rejected << 8 << 8 << QVector<QRect>{QRect(0, 0, 8, 7), QRect(0, 7, 8, 1)};
        QTest::newRow("empty rectangle") << 2 << 2 << FourSingles() << QRect(0, 0, 0, 1)
                                         << O::Rejected << 2 << 2 << FourSingles();
    }
    void scale()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QVector<QRect>, items);
        QFETCH(QRect, cells);
        CFreeGridModel model = Model(rows, columns, items);
        QTEST(model.Scale(0, cells).outcome, "outcome");
        QTEST(model.Rows(), "rowsAfter");
        QTEST(model.Columns(), "columnsAfter");
        QTEST(Rects(model), "after");
        QString why;
        QVERIFY2(model.CheckInvariant(&why), qPrintable(why));
    }

    void rulesHoldAfterRandomOperations()
    {
        QRandomGenerator random(20240611);
        for (int run = 0; run < 20; ++run) {
            CFreeGridModel model(4, 4);
            int key = 0;
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 4; ++x) {
                    if (random.bounded(3))
                        QVERIFY(model.AddItem(key++, QRect(x, y, 1, 1)));
                }
            }
            for (int step = 0; step < 200 && key > 0; ++step) {
                const int k = random.bounded(key);
                if (!model.Contains(k))
                    continue;
                const QVector<CFreeGridModel::Item> before = model.Items();
                const int rowsBefore = model.Rows();
                const int columnsBefore = model.Columns();
                CFreeGridModel::Result result;
                switch (random.bounded(3)) {
                case 0:
                    result = model.Move(k, QPoint(random.bounded(-2, 10), random.bounded(-2, 10)));
                    break;
                case 1:
                    result = model.Scale(k,
                                         QRect(random.bounded(-2, 9), random.bounded(-2, 9),
                                               random.bounded(1, 5), random.bounded(1, 5)));
                    break;
                default:
                    result = model.Exchange(k, random.bounded(key));
                    break;
                }
                QString why;
                QVERIFY2(
                    model.CheckInvariant(&why),
                    qPrintable(QStringLiteral("run %1 step %2: %3").arg(run).arg(step).arg(why)));
                QCOMPARE(model.Items().size(), before.size());
                if (!result.Changed()) {
                    QCOMPARE(model.Rows(), rowsBefore);
                    QCOMPARE(model.Columns(), columnsBefore);
                    for (int i = 0; i < before.size(); ++i)
                        QCOMPARE(model.Items().at(i).cells, before.at(i).cells);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_FreeGrid)
#include "tst_freegrid.moc"
