#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/WidgetLayoutMgr.h"
#include "WidgetLayout/WidgetLayoutTables_p.h"

#include <QFile>
#include <QGridLayout>
#include <QPointer>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

using namespace TesselGUIToolkit;

typedef QVector<int> IntVector;
Q_DECLARE_METATYPE(IntVector)

namespace {

struct Cell
{
    QString type;
    int id;
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

Cell W(int id, int row, int column, int rowSpan = 1, int columnSpan = 1)
{
    return {QStringLiteral("QWidget"), id, row, column, rowSpan, columnSpan};
}

Cell Spacer(int row, int column, int rowSpan = 1, int columnSpan = 1)
{
    return {QStringLiteral("QSpacerItem"), 0, row, column, rowSpan, columnSpan};
}

QString ElementConfig(int type, int wndSize, const QString& rowStretch,
                      const QString& columnStretch, const QVector<Cell>& cells,
                      const QString& name = QStringLiteral("Division"))
{
    QString xml = QStringLiteral("<ElementConfig><Name>%1</Name><Type>%2</Type>"
                                 "<WndSize>%3</WndSize><RowStretch>%4</RowStretch>"
                                 "<ColumnStretch>%5</ColumnStretch><ElementItems>")
                      .arg(name)
                      .arg(type)
                      .arg(wndSize)
                      .arg(rowStretch, columnStretch);
    for (const Cell& cell : cells) {
        xml += QStringLiteral("<Element type=\"%1\" id=\"%2\" row=\"%3\" column=\"%4\" "
                              "rowSpan=\"%5\" columnSpan=\"%6\"/>")
                   .arg(cell.type)
                   .arg(cell.id)
                   .arg(cell.row)
                   .arg(cell.column)
                   .arg(cell.rowSpan)
                   .arg(cell.columnSpan);
    }
    return xml + QStringLiteral("</ElementItems></ElementConfig>");
}

// An n x n grid of one-cell windows numbered in reading order.
QString Square(int type, int n)
{
    QVector<Cell> cells;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c)
            cells.append(W(r * n + c, r, c));
    }
    const QString ones =
        QStringList(QVector<QString>(n, QStringLiteral("1")).toList()).join(QLatin1Char(','));
    return ElementConfig(type, n * n, ones, ones, cells);
}

QString Document(const QStringList& configs)
{
    return QStringLiteral("<Config>") + configs.join(QString()) + QStringLiteral("</Config>");
}

// The usual test divisions: 1 (one window), 2 (2 x 2), 4 (3 x 3), 3 (3 x 3 holding 6, a 2 x 2
// window top left), 8 (4 x 4).
QString StandardDocument()
{
    const QVector<Cell> six{W(0, 0, 0, 2, 2), W(1, 0, 2), W(2, 1, 2),
                            W(3, 2, 0),       W(4, 2, 1), W(5, 2, 2)};
    return Document({Square(1, 1), Square(2, 2), Square(4, 3),
                     ElementConfig(3, 6, QStringLiteral("1,1,1"), QStringLiteral("1,1,1"), six),
                     Square(8, 4)});
}

struct Rect
{
    int row = -1;
    int column = -1;
    int rowSpan = -1;
    int columnSpan = -1;
    bool operator==(const Rect& o) const
    {
        return row == o.row && column == o.column && rowSpan == o.rowSpan
            && columnSpan == o.columnSpan;
    }
};

char* toString(const Rect& r)
{
    return QTest::toString(
        QStringLiteral("(%1,%2 %3x%4)").arg(r.row).arg(r.column).arg(r.rowSpan).arg(r.columnSpan));
}

// Where the host's grid holds `w`; all -1 when it does not hold it.
Rect PlaceOf(QWidget* host, QWidget* w)
{
    Rect rect;
    auto* grid = qobject_cast<QGridLayout*>(host->layout());
    if (!grid)
        return rect;
    const int index = grid->indexOf(w);
    if (index < 0)
        return rect;
    grid->getItemPosition(index, &rect.row, &rect.column, &rect.rowSpan, &rect.columnSpan);
    return rect;
}

int WidgetItemCount(QWidget* host)
{
    QLayout* layout = host->layout();
    if (!layout)
        return 0;
    int count = 0;
    for (int i = 0; i < layout->count(); ++i) {
        if (layout->itemAt(i)->widget())
            ++count;
    }
    return count;
}

// A host with its windows, and files of descriptions in a temporary folder.
class Fixture
{
public:
    explicit Fixture(int windowCount = 16)
    {
        for (int i = 0; i < windowCount; ++i) {
            auto* w = new QWidget(&host);
            w->setObjectName(QStringLiteral("w%1").arg(i));
            windows.append(w);
        }
    }

    QString Write(const QString& name, const QByteArray& content)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(content);
        return path;
    }

    QString Write(const QString& name, const QString& content)
    {
        return Write(name, content.toUtf8());
    }

    bool Init(int type, const QString& document = StandardDocument())
    {
        return mgr.Init(Write(QStringLiteral("layouts.xml"), document), &host, windows, type);
    }

    QTemporaryDir dir;
    QWidget host;
    QList<QWidget*> windows;
    CWidgetLayoutMgr mgr;
};

} // namespace

class tst_WidgetLayoutMgr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // ---- Choice tables ---------------------------------------------------------------------

    void splitGroupType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("group");
        // Each range's ends and the numbers just outside them.
        const struct
        {
            int first, last, group;
        } ranges[] = {{0, 18, 1},    {50, 56, 2},   {60, 61, 3},   {100, 111, 4}, {201, 205, 5},
                      {301, 307, 6}, {350, 356, 7}, {400, 404, 8}, {450, 454, 9}, {500, 511, 10}};
        for (const auto& range : ranges) {
            QTest::addRow("%d", range.first) << range.first << range.group;
            QTest::addRow("%d", range.last) << range.last << range.group;
            QTest::addRow("%d", range.first - 1) << range.first - 1 << 0;
            QTest::addRow("%d", range.last + 1) << range.last + 1 << 0;
        }
        QTest::newRow("free layout 200") << 200 << 0;
        QTest::newRow("512") << 512 << 0;
        QTest::newRow("INT_MIN") << INT_MIN << 0;
        QTest::newRow("INT_MAX") << INT_MAX << 0;
    }
    void splitGroupType()
    {
        QFETCH(int, type);
        QFETCH(int, group);
        QCOMPARE(CWidgetLayoutMgr::GetSplitGroupType(type), group);
    }

    void groupMaxima_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("windowType");
        QTest::addColumn<int>("maximum");
        const int table[][4] = {{1, 64, 16, 1}, {5, 1, 1, 0}, {7, 17, 16, 17},
                                {8, 8, 8, 5},   {9, 8, 8, 5}, {10, 48, 13, 4}};
        for (const auto& row : table) {
            for (int view = 1; view <= 3; ++view)
                QTest::addRow("group %d view %d", row[0], view) << row[0] << view << row[view];
        }
        for (int group : {0, 2, 3, 4, 6, 11, -1}) {
            for (int view = 1; view <= 3; ++view)
                QTest::addRow("unlisted group %d view %d", group, view) << group << view << 0;
        }
        for (int view : {0, 4, -1})
            QTest::addRow("group 1 unknown view %d", view) << 1 << view << 0;
    }
    void groupMaxima()
    {
        QFETCH(int, group);
        QFETCH(int, windowType);
        QFETCH(int, maximum);
        CWidgetLayoutMgr mgr;
        mgr.SetSpliteWindowType(windowType);
        QCOMPARE(mgr.GetMaximumWndCountInGroup(group), maximum);
    }

    void videoTable_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("windowType");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        struct Range
        {
            int first, last, type;
        };
        const QVector<QPair<int, QVector<Range>>> tables{
            {1,
             {{1, 1, 1},
              {2, 4, 2},
              {5, 9, 4},
              {10, 16, 8},
              {17, 25, 15},
              {26, 36, 18},
              {37, 64, 17}}},
            {7,
             {{1, 6, 350},
              {7, 8, 351},
              {9, 9, 352},
              {10, 10, 353},
              {11, 12, 354},
              {13, 16, 355},
              {17, 17, 356}}},
            {8, {{1, 2, 400}, {3, 3, 401}, {4, 5, 402}, {6, 6, 403}, {7, 8, 404}}},
            {9, {{1, 2, 450}, {3, 3, 451}, {4, 5, 452}, {6, 6, 453}, {7, 8, 454}}},
            {10,
             {{1, 4, 501},
              {5, 5, 502},
              {6, 6, 503},
              {7, 7, 504},
              {8, 12, 506},
              {13, 13, 507},
              {14, 24, 508},
              {25, 32, 509},
              {33, 36, 510},
              {37, 48, 511}}},
        };
        // Preview maxima are large enough for every row of every table.
        for (const auto& table : tables) {
            for (const Range& range : table.second) {
                for (int n : {range.first, (range.first + range.last) / 2, range.last})
                    QTest::addRow("group %d n %d", table.first, n)
                        << table.first << 1 << n << range.type;
            }
            QTest::addRow("group %d n 0", table.first) << table.first << 1 << 0 << 2;
            QTest::addRow("group %d n -3", table.first) << table.first << 1 << -3 << 2;
        }
        // Counts beyond the group's maximum fall back to group 1, or to 17 beyond its maximum.
        QTest::newRow("group 7, 20 -> group 1") << 7 << 1 << 20 << 15;
        QTest::newRow("group 7, 65 -> 17") << 7 << 1 << 65 << 17;
        QTest::newRow("group 8, 9 -> group 1") << 8 << 1 << 9 << 4;
        QTest::newRow("group 10, 49 -> group 1") << 10 << 1 << 49 << 17;
        QTest::newRow("group 1, 65") << 1 << 1 << 65 << 17;
        QTest::newRow("playback group 10, 14 -> group 1") << 10 << 2 << 14 << 8;
        QTest::newRow("playback group 10, 13") << 10 << 2 << 13 << 507;
        QTest::newRow("playback group 1, 17 -> 17") << 1 << 2 << 17 << 17;
        QTest::newRow("playback group 7, 17 -> 17") << 7 << 2 << 17 << 17;
        QTest::newRow("map view group 1, 2 -> 17") << 1 << 3 << 2 << 17;
        QTest::newRow("map view group 8, 5") << 8 << 3 << 5 << 402;
        // Groups without a table answer 2 for what they can hold, fall back for the rest.
        QTest::newRow("custom group, 1") << 5 << 1 << 1 << 2;
        QTest::newRow("custom group, 2 -> group 1") << 5 << 1 << 2 << 2;
        QTest::newRow("no group, 1 -> group 1") << 0 << 1 << 1 << 1;
        QTest::newRow("group 4, 12 -> group 1") << 4 << 1 << 12 << 8;
        QTest::newRow("unknown window type, 1") << 1 << 0 << 1 << 17;
        QTest::newRow("unknown window type, 0") << 1 << 0 << 0 << 2;
    }
    void videoTable()
    {
        QFETCH(int, group);
        QFETCH(int, windowType);
        QFETCH(int, count);
        QFETCH(int, expected);
        CWidgetLayoutMgr mgr;
        mgr.SetSpliteWindowType(windowType);
        QCOMPARE(mgr.GetVideoLayoutByWndCountWithinGroup(group, count), expected);
    }

    void mapTable_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("windowType");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        struct Range
        {
            int first, last, type;
        };
        const QVector<QPair<int, QVector<Range>>> tables{
            {1, {{1, 1, 1}}},
            {7,
             {{1, 6, 350}, {7, 8, 351}, {9, 10, 353}, {11, 12, 354}, {13, 16, 355}, {17, 17, 356}}},
            {8, {{1, 2, 400}, {3, 3, 401}, {4, 5, 402}}},
            {9, {{1, 2, 450}, {3, 3, 451}, {4, 5, 452}}},
            {10, {{1, 4, 500}}},
        };
        for (const auto& table : tables) {
            for (const Range& range : table.second) {
                for (int n : {range.first, (range.first + range.last) / 2, range.last})
                    QTest::addRow("group %d n %d", table.first, n)
                        << table.first << 3 << n << range.type;
            }
            QTest::addRow("group %d n 0", table.first) << table.first << 3 << 0 << 2;
        }
        // Map maxima: beyond the group's, group 7; beyond group 7's, 356.
        QTest::newRow("group 1, 2 -> group 7") << 1 << 3 << 2 << 350;
        QTest::newRow("group 8, 6 -> group 7") << 8 << 3 << 6 << 350;
        QTest::newRow("group 8, 9 -> group 7") << 8 << 3 << 9 << 353;
        QTest::newRow("group 9, 12 -> group 7") << 9 << 3 << 12 << 354;
        QTest::newRow("group 10, 5 -> group 7") << 10 << 3 << 5 << 350;
        QTest::newRow("group 7, 18 -> 356") << 7 << 3 << 18 << 356;
        QTest::newRow("custom group, 1 -> group 7") << 5 << 3 << 1 << 350;
        QTest::newRow("no group, 0") << 0 << 3 << 0 << 2;
        // With larger (preview) maxima the tables' "more" rows become reachable.
        QTest::newRow("preview group 8, 6: more") << 8 << 1 << 6 << 2;
        QTest::newRow("preview group 10, 5: more") << 10 << 1 << 5 << 2;
        QTest::newRow("preview group 1, 2: more") << 1 << 1 << 2 << 2;
        QTest::newRow("playback group 7, 17 -> 356") << 7 << 2 << 17 << 356;
    }
    void mapTable()
    {
        QFETCH(int, group);
        QFETCH(int, windowType);
        QFETCH(int, count);
        QFETCH(int, expected);
        CWidgetLayoutMgr mgr;
        mgr.SetSpliteWindowType(windowType);
        QCOMPARE(mgr.GetMapLayoutByWndCountWithinGroup(group, count), expected);
    }

    void layoutByWndCount_data()
    {
        QTest::addColumn<int>("currentType");
        QTest::addColumn<int>("windowType");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("expected");
        QTest::newRow("preview in group 7, 20 -> 15") << 352 << 1 << 20 << 1 << 15;
        QTest::newRow("preview in group 7, 65 -> 17") << 352 << 1 << 65 << 1 << 17;
        QTest::newRow("preview in group 7, 9") << 352 << 1 << 9 << 1 << 352;
        QTest::newRow("playback view uses video table") << 8 << 2 << 10 << 2 << 8;
        QTest::newRow("map in group 8, 8 counts 9") << 401 << 3 << 8 << 3 << 353;
        QTest::newRow("map in group 8, 17 -> 356") << 401 << 3 << 17 << 3 << 356;
        QTest::newRow("map in group 8, 4 counts 5") << 401 << 3 << 4 << 3 << 402;
        QTest::newRow("map in group 10, 3 counts 4") << 500 << 3 << 3 << 3 << 500;
        QTest::newRow("map view, 0 counts 1") << 1 << 3 << 0 << 3 << 1;
        QTest::newRow("map view, -1 counts 0") << 1 << 3 << -1 << 3 << 2;
        QTest::newRow("unknown view 0") << 8 << 1 << 4 << 0 << 2;
        QTest::newRow("unknown view 4") << 8 << 1 << 4 << 4 << 2;
        QTest::newRow("nothing shown yet, 16") << 0 << 1 << 16 << 1 << 8;
    }
    void layoutByWndCount()
    {
        QFETCH(int, currentType);
        QFETCH(int, windowType);
        QFETCH(int, count);
        QFETCH(int, view);
        QFETCH(int, expected);
        QCOMPARE(Detail::LayoutByWndCount(count, view, currentType, windowType), expected);
    }

    void layoutByWndCountFollowsShownDivision()
    {
        // The same question through a manager: the group comes from what it shows.
        Fixture f(4);
        const QString group8 = ElementConfig(401, 3, QStringLiteral("1"), QStringLiteral("1,1,1"),
                                             {W(0, 0, 0), W(1, 0, 1), W(2, 0, 2)});
        QVERIFY(f.Init(401, Document({group8})));
        f.mgr.SetSpliteWindowType(3);
        QCOMPARE(f.mgr.GetLayoutByWndCount(8, 3), 353);
        QCOMPARE(f.mgr.GetLayoutByWndCount(17, 3), 356);
        QCOMPARE(f.mgr.GetLayoutByWndCount(2, 3), 401);
        f.mgr.SetSpliteWindowType(1);
        QCOMPARE(f.mgr.GetLayoutByWndCount(6, 1), 403);
        QCOMPARE(f.mgr.GetLayoutByWndCount(6, 7), 2);
    }

    void convertTable_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        // Index = window count 0 to 20.
        const int intoMap[] = {1,   450, 451, 501, 402, 350, 351, 351, 353, 353, 354,
                               354, 355, 355, 355, 355, 356, 1,   1,   1,   1};
        const int outOfMap[] = {1,   1,   450, 2, 2, 453, 453, 4, 4, 4, 506,
                                506, 506, 8,   8, 8, 8,   2,   2, 2, 2};
        const int previewToPlayback[] = {1,   1,   400, 401, 2, 402, 403, 504, 404, 4, 353,
                                         506, 506, 507, 8,   8, 8,   1,   1,   1,   1};
        for (int n = 0; n <= 20; ++n) {
            QTest::addRow("preview to map %d", n) << 1 << 3 << n << intoMap[n];
            QTest::addRow("playback to map %d", n) << 2 << 3 << n << intoMap[n];
            QTest::addRow("map to map %d", n) << 3 << 3 << n << intoMap[n];
            QTest::addRow("unknown to map %d", n) << 0 << 3 << n << intoMap[n];
            QTest::addRow("map to preview %d", n) << 3 << 1 << n << outOfMap[n];
            QTest::addRow("map to playback %d", n) << 3 << 2 << n << outOfMap[n];
            QTest::addRow("map to unknown %d", n) << 3 << 7 << n << outOfMap[n];
            QTest::addRow("preview to playback %d", n) << 1 << 2 << n << previewToPlayback[n];
            QTest::addRow("playback to preview %d", n) << 2 << 1 << n << 0;
            QTest::addRow("preview to preview %d", n) << 1 << 1 << n << 0;
            QTest::addRow("playback to playback %d", n) << 2 << 2 << n << 0;
        }
        QTest::newRow("into map, large") << 1 << 3 << 1000 << 1;
        QTest::newRow("out of map, large") << 3 << 1 << 1000 << 2;
        QTest::newRow("preview to playback, large") << 1 << 2 << 1000 << 1;
        QTest::newRow("negative count") << 1 << 2 << -1 << 0;
        QTest::newRow("negative count into map") << 1 << 3 << -5 << 0;
    }
    void convertTable()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, count);
        QFETCH(int, expected);
        QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(count, from, to), expected);
    }

    void supportSplit_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<IntVector>("expected");
        QTest::newRow("preview") << 1 << IntVector{1,   2,   4,   8,   15,  18,  17,  350, 351,
                                                   352, 353, 354, 355, 356, 400, 401, 402, 403,
                                                   404, 450, 451, 452, 453, 454, 500, 501, 502,
                                                   503, 504, 505, 506, 507, 508, 509, 510, 511};
        QTest::newRow("playback") << 2
                                  << IntVector{1,   2,   4,   8,   350, 351, 352, 353, 354, 355,
                                               400, 401, 402, 403, 404, 450, 451, 452, 453, 454,
                                               500, 501, 502, 503, 504, 505, 506, 507};
        QTest::newRow("map") << 3 << IntVector{1,   350, 351, 353, 354, 355, 356, 400,
                                               401, 402, 450, 451, 452, 500, 501};
        QTest::newRow("unknown 0") << 0 << IntVector{};
        QTest::newRow("unknown 4") << 4 << IntVector{};
        QTest::newRow("unknown -1") << -1 << IntVector{};
    }
    void supportSplit()
    {
        QFETCH(int, view);
        QFETCH(IntVector, expected);
        QVector<int> out{99, 98}; // emptied first
        CWidgetLayoutMgr::GetSupportSplit(out, view);
        QCOMPARE(out, expected);
    }

    void suitableLayoutType_data()
    {
        QTest::addColumn<IntVector>("sizes"); // window sizes of the descriptions 4, 5, 8
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<IntVector>("candidates");
        QTest::addColumn<int>("expected");
        // sizes[i] is the window size of division {4, 5, 8}[i].
        QTest::newRow("smallest qualifying")
            << IntVector{9, 8, 16} << 5 << 9 << IntVector{8, 4, 5} << 5;
        QTest::newRow("tie: earliest candidate")
            << IntVector{9, 9, 16} << 5 << 9 << IntVector{8, 4, 5} << 4;
        QTest::newRow("tie, other order") << IntVector{9, 9, 16} << 5 << 9 << IntVector{5, 4} << 5;
        QTest::newRow("none qualifies")
            << IntVector{9, 8, 16} << 20 << 30 << IntVector{8, 4, 5} << 0;
        QTest::newRow("min > max") << IntVector{9, 8, 16} << 9 << 5 << IntVector{8, 4, 5} << 0;
        QTest::newRow("bounds inclusive")
            << IntVector{9, 8, 16} << 16 << 16 << IntVector{4, 5, 8} << 8;
        QTest::newRow("without description counts 0")
            << IntVector{9, 8, 16} << 0 << 3 << IntVector{4, 77} << 77;
        QTest::newRow("no candidates") << IntVector{9, 8, 16} << 0 << 100 << IntVector{} << 0;
    }
    void suitableLayoutType()
    {
        QFETCH(IntVector, sizes);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(IntVector, candidates);
        QFETCH(int, expected);
        Fixture f(1);
        QStringList configs;
        const int types[] = {4, 5, 8};
        for (int i = 0; i < 3; ++i) {
            configs << ElementConfig(types[i], sizes[i], QStringLiteral("1"), QStringLiteral("1"),
                                     {W(0, 0, 0)});
        }
        QVERIFY(f.Init(4, Document(configs)));
        QCOMPARE(f.mgr.GetSuitableLayoutType(min, max, candidates), expected);
    }

    void suitableLayoutTypeOverLoadedDescriptions()
    {
        Fixture f(1);
        QStringList configs;
        // Written out of order: the candidates are taken by ascending type all the same.
        for (const auto& entry : {qMakePair(8, 9), qMakePair(4, 9), qMakePair(5, 12)})
            configs << ElementConfig(entry.first, entry.second, QStringLiteral("1"),
                                     QStringLiteral("1"), {W(0, 0, 0)});
        QVERIFY(f.Init(4, Document(configs)));
        QCOMPARE(f.mgr.GetLayoutTypes(), (IntVector{4, 5, 8}));
        QCOMPARE(f.mgr.GetSuitableLayoutType(5, 12), 4);
        QCOMPARE(f.mgr.GetSuitableLayoutType(10, 12), 5);
        QCOMPARE(f.mgr.GetSuitableLayoutType(13, 20), 0);
        QCOMPARE(f.mgr.GetSuitableLayoutType(12, 10), 0);
    }

    // ---- Set-up and rebuild ----------------------------------------------------------------

    void initPlacesWindowsByDescription()
    {
        Fixture f(10);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QVERIFY(f.Init(3));
        QCOMPARE(f.mgr.GetSplitType(), 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 3);
        QCOMPARE(changed.at(0).at(1).toString(), QString());

        auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
        QVERIFY(grid);
        QCOMPARE(grid->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(grid->spacing(), 0);
        QCOMPARE(WidgetItemCount(&f.host), 6);
        QCOMPARE(PlaceOf(&f.host, f.windows[0]), (Rect{0, 0, 2, 2}));
        QCOMPARE(PlaceOf(&f.host, f.windows[2]), (Rect{1, 2, 1, 1}));
        QCOMPARE(PlaceOf(&f.host, f.windows[5]), (Rect{2, 2, 1, 1}));
        for (int i = 0; i < 10; ++i)
            QCOMPARE(f.windows[i]->isHidden(), i >= 6);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(grid->rowStretch(i), 1);
            QCOMPARE(grid->columnStretch(i), 1);
        }
    }

    void laterDescriptionOfATypeWins()
    {
        Fixture f(4);
        const QString first = f.Write(QStringLiteral("a.xml"), Document({Square(2, 2)}));
        const QString second =
            f.Write(QStringLiteral("b.xml"),
                    Document({ElementConfig(2, 2, QStringLiteral("1"), QStringLiteral("1,1"),
                                            {W(0, 0, 0), W(1, 0, 1)})}));
        QVERIFY(f.mgr.Init(QStringList{first, second}, &f.host, f.windows, 2));
        QCOMPARE(f.mgr.GetWndCountByType(2), 2);
        QCOMPARE(WidgetItemCount(&f.host), 2);
        // Re-initialising forgets the earlier descriptions.
        QVERIFY(f.mgr.Init(first, &f.host, f.windows, 2));
        QCOMPARE(f.mgr.GetWndCountByType(2), 4);
        QCOMPARE(WidgetItemCount(&f.host), 4);
    }

    void initFailures()
    {
        Fixture f(4);
        QVERIFY(f.Init(2));
        QLayout* before = f.host.layout();

        // A null host fails before anything is forgotten.
        QVERIFY(!f.mgr.Init(QStringList(), nullptr, f.windows, 2));
        QCOMPARE(f.mgr.GetSplitType(), 2);
        QCOMPARE(f.mgr.GetWndCountByType(2), 4);

        // A file that cannot be opened empties the manager.
        const QString good = f.Write(QStringLiteral("good.xml"), StandardDocument());
        QVERIFY(!f.mgr.Init(QStringList{good, f.dir.filePath(QStringLiteral("missing.xml"))},
                            &f.host, f.windows, 2));
        QCOMPARE(f.mgr.GetSplitType(), 0);
        QCOMPARE(f.mgr.GetWndCountByType(2), 0);
        QCOMPARE(f.mgr.GetWidget(0), nullptr);
        QCOMPARE(f.mgr.IndexOf(f.windows[0]), -1);
        QVERIFY(!f.mgr.ReDisplay(4)); // no host any more
        QCOMPARE(f.host.layout(), before);
        QVERIFY(!f.mgr.ResetWidgets(f.windows, 2));
        QVERIFY(!f.mgr.Init(QString(), &f.host, f.windows, 2));
    }

    void resetWidgetsRenumbersAndShows()
    {
        Fixture f(6);
        QVERIFY(f.Init(2));
        QList<QWidget*> reversed;
        for (int i = 5; i >= 0; --i)
            reversed << f.windows[i];
        QVERIFY(f.mgr.ResetWidgets(reversed, 4));
        QCOMPARE(f.mgr.GetWidget(0), f.windows[5]);
        QCOMPARE(f.mgr.IndexOf(f.windows[0]), 5);
        QCOMPARE(PlaceOf(&f.host, f.windows[5]), (Rect{0, 0, 1, 1}));
        // Six windows in a nine-window division: the walk stops at the seventh cell.
        QCOMPARE(WidgetItemCount(&f.host), 6);
        QVERIFY(!f.mgr.ResetWidgets(reversed, 99));
        QCOMPARE(f.mgr.GetSplitType(), 0);
    }

    void addWidgetExtendsWithoutRebuild()
    {
        Fixture f(4);
        QVERIFY(f.Init(2));
        auto* extra = new QWidget(&f.host);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        f.mgr.AddWidget(extra);
        f.mgr.AddWidget(nullptr);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(f.mgr.IndexOf(extra), 4);
        QCOMPARE(f.mgr.GetWidget(5), nullptr);
        QVERIFY(f.mgr.ReDisplay(4));
        QCOMPARE(PlaceOf(&f.host, extra), (Rect{1, 1, 1, 1}));
    }

    void reDisplay()
    {
        Fixture f(16);
        QVERIFY(f.Init(2));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QLayout* layout = f.host.layout();

        QVERIFY(f.mgr.ReDisplay(2)); // already shown: no rebuild
        QCOMPARE(changed.count(), 0);
        QCOMPARE(f.host.layout(), layout);

        QVERIFY(f.mgr.ReDisplay(8));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 8);
        QCOMPARE(WidgetItemCount(&f.host), 16);

        // A type without a description fails and leaves everything as it was.
        layout = f.host.layout();
        QVERIFY(!f.mgr.ReDisplay(15));
        QCOMPARE(f.mgr.GetSplitType(), 8);
        QCOMPARE(f.host.layout(), layout);
        QCOMPARE(changed.count(), 1);
    }

    void customDivisionFromText_data()
    {
        QTest::addColumn<int>("type");
        for (int type = 201; type <= 205; ++type)
            QTest::addRow("%d", type) << type;
    }
    void customDivisionFromText()
    {
        QFETCH(int, type);
        Fixture f(4);
        QVERIFY(f.Init(2));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QLayout* layout = f.host.layout();

        // Without text or description the custom type is recorded but nothing is shown.
        QVERIFY(!f.mgr.ReDisplay(type));
        QCOMPARE(f.mgr.GetSplitType(), type);
        QCOMPARE(f.host.layout(), layout);
        QCOMPARE(changed.count(), 0);

        // Its "Type" says 7: ignored, the text describes `type`.
        const QString text = QStringLiteral("<Config>")
            + ElementConfig(7, 3, QStringLiteral("1,1"), QStringLiteral("1,1"),
                            {W(0, 0, 0, 2, 1), W(1, 0, 1), W(2, 1, 1)})
            + QStringLiteral("</Config>");
        QVERIFY(f.mgr.ReDisplay(type, text));
        QCOMPARE(f.mgr.GetXml(), text);
        QCOMPARE(f.mgr.GetWndCountByType(type), 3);
        QCOMPARE(f.mgr.GetWndCountByType(7), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), type);
        QCOMPARE(changed.at(0).at(1).toString(), text);
        QCOMPARE(PlaceOf(&f.host, f.windows[0]), (Rect{0, 0, 2, 1}));
        QVERIFY(f.windows[3]->isHidden());

        // The same text again: nothing to do. Another text rebuilds.
        QVERIFY(f.mgr.ReDisplay(type, text));
        QCOMPARE(changed.count(), 1);
        const QString wide = QStringLiteral("<x>")
            + ElementConfig(0, 2, QStringLiteral("1"), QStringLiteral("1,1"),
                            {W(0, 0, 0), W(1, 0, 1)})
            + QStringLiteral("</x>");
        QVERIFY(f.mgr.ReDisplay(type, wide));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(f.mgr.GetWndCountByType(type), 2);

        // Going back to a file-defined division empties the text.
        QVERIFY(f.mgr.ReDisplay(2));
        QCOMPARE(f.mgr.GetXml(), QString());
        QCOMPARE(changed.last().at(1).toString(), QString());
    }

    void customDivisionBadText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("garbage") << QStringLiteral("not xml at all");
        QTest::newRow("truncated") << QStringLiteral("<Config><ElementConfig><Name>x</Na");
        QTest::newRow("first child is not ElementConfig")
            << QStringLiteral("<Config><Other/><ElementConfig><WndSize>1</WndSize>"
                              "</ElementConfig></Config>");
        QTest::newRow("ElementConfig as root")
            << QStringLiteral("<ElementConfig><WndSize>1</WndSize></ElementConfig>");
    }
    void customDivisionBadText()
    {
        QFETCH(QString, text);
        Fixture f(4);
        QVERIFY(f.Init(2));
        QLayout* layout = f.host.layout();
        QVERIFY(!f.mgr.ReDisplay(203, text));
        QCOMPARE(f.mgr.GetSplitType(), 203);
        QCOMPARE(f.mgr.GetWndCountByType(203), 0);
        QCOMPARE(f.host.layout(), layout);
        // A custom description already there survives bad text.
        const QString good = QStringLiteral("<C>")
            + ElementConfig(0, 1, QStringLiteral("1"), QStringLiteral("1"), {W(0, 0, 0)})
            + QStringLiteral("</C>");
        QVERIFY(f.mgr.ReDisplay(203, good));
        QVERIFY(f.mgr.ReDisplay(203, text));
        QCOMPARE(f.mgr.GetWndCountByType(203), 1);
        QCOMPARE(f.mgr.GetXml(), text);
    }

    void textReplacesFileDescription()
    {
        Fixture f(9);
        QVERIFY(f.Init(2));
        const QString text = QStringLiteral("<C>")
            + ElementConfig(0, 2, QStringLiteral("1"), QStringLiteral("1,1"),
                            {W(0, 0, 0), W(1, 0, 1)})
            + QStringLiteral("</C>");
        QVERIFY(f.mgr.ReDisplay(4, text));
        QCOMPARE(f.mgr.GetWndCountByType(4), 2);
        QCOMPARE(f.mgr.GetXml(), QString()); // not a custom division
        QCOMPARE(WidgetItemCount(&f.host), 2);
    }

    void stretchFactors_data()
    {
        QTest::addColumn<QString>("rowStretch");
        QTest::addColumn<QString>("columnStretch");
        QTest::addColumn<IntVector>("rows");
        QTest::addColumn<IntVector>("columns");
        QTest::newRow("1,2 and empty")
            << QStringLiteral("1,2") << QString() << IntVector{1, 2} << IntVector{0};
        QTest::newRow("non-numeric part")
            << QStringLiteral("3,x,4") << QStringLiteral("2") << IntVector{3, 0, 4} << IntVector{2};
        QTest::newRow("empty parts kept") << QStringLiteral(",5") << QStringLiteral("1,,1")
                                          << IntVector{0, 5} << IntVector{1, 0, 1};
        QTest::newRow("negative reads 0")
            << QStringLiteral("-2,1") << QStringLiteral("1") << IntVector{0, 1} << IntVector{1};
    }
    void stretchFactors()
    {
        QFETCH(QString, rowStretch);
        QFETCH(QString, columnStretch);
        QFETCH(IntVector, rows);
        QFETCH(IntVector, columns);
        Fixture f(2);
        QVERIFY(f.Init(
            9,
            Document({ElementConfig(9, 2, rowStretch, columnStretch, {W(0, 0, 0), W(1, 1, 0)})})));
        auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
        QVERIFY(grid);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(grid->rowStretch(i), rows[i]);
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(grid->columnStretch(i), columns[i]);
    }

    void spacersAndInertCells()
    {
        Fixture f(3);
        const QVector<Cell> cells{
            W(0, 0, 0), Spacer(0, 1), {QStringLiteral("QLabel"), 1, 1, 0, 1, 1}, W(1, 1, 1)};
        QVERIFY(f.Init(
            9,
            Document({ElementConfig(9, 2, QStringLiteral("1,1"), QStringLiteral("1,1"), cells)})));
        auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
        QCOMPARE(grid->count(), 3);
        QSpacerItem* spacer = grid->itemAtPosition(0, 1)->spacerItem();
        QVERIFY(spacer);
        QCOMPARE(spacer->sizeHint(), QSize(0, 0));
        QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
        QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(grid->itemAtPosition(1, 0), nullptr); // the inert cell
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), (Rect{1, 1, 1, 1}));
        QVERIFY(f.windows[2]->isHidden());
    }

    void missingWindowCutsTheWalk()
    {
        Fixture f(2);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        const QVector<Cell> cells{W(0, 0, 0), W(5, 0, 1), W(1, 1, 0)};
        QVERIFY(f.Init(
            9,
            Document({ElementConfig(9, 2, QStringLiteral("1,1"), QStringLiteral("1,1"), cells)})));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(WidgetItemCount(&f.host), 1);
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), Rect());
        // Shown (its index is below the window size) though not placed.
        QVERIFY(!f.windows[1]->isHidden());
    }

    void windowsWithoutParentAreNotShownByCount()
    {
        Fixture f(0);
        QWidget orphan;
        std::unique_ptr<QWidget> lone(new QWidget);
        // Division 1 places window 0 only; window 1 is counted in but has no cell.
        QVERIFY(f.mgr.Init(f.Write(QStringLiteral("d.xml"),
                                   Document({ElementConfig(1, 2, QStringLiteral("1"),
                                                           QStringLiteral("1"), {W(0, 0, 0)})})),
                           &f.host, {&orphan, lone.get()}, 1));
        QCOMPARE(orphan.parentWidget(), &f.host); // placed, so adopted by the host
        QVERIFY(!orphan.isHidden());
        QCOMPARE(lone->parentWidget(), nullptr);
        QVERIFY(lone->isHidden()); // no top-level window popped up
        orphan.setParent(nullptr);
    }

    // ---- Exchanges, insertion, removal -------------------------------------------------------

    void switchDisplay_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("rebuilds");
        QTest::newRow("exchange") << 0 << 1 << true << 1;
        QTest::newRow("same index") << 2 << 2 << true << 0;
        QTest::newRow("unknown second") << 0 << 99 << false << 0;
        QTest::newRow("unknown first") << 10 << 0 << false << 0;
        QTest::newRow("negative") << -1 << 0 << false << 0;
        QTest::newRow("both beyond") << 50 << 50 << false << 0;
    }
    void switchDisplay()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, result);
        QFETCH(int, rebuilds);
        Fixture f(10);
        QVERIFY(f.Init(4));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QCOMPARE(f.mgr.SwitchDisplay(a, b), result);
        QCOMPARE(changed.count(), rebuilds);
        if (rebuilds) {
            QCOMPARE(f.mgr.GetWidget(a), f.windows[b]);
            QCOMPARE(f.mgr.GetWidget(b), f.windows[a]);
            QCOMPARE(PlaceOf(&f.host, f.windows[b]), (Rect{0, a, 1, 1}));
        } else {
            for (int i = 0; i < 10; ++i)
                QCOMPARE(f.mgr.GetWidget(i), f.windows[i]);
        }
    }

    void switchDisplayByWindow()
    {
        Fixture f(9);
        QVERIFY(f.Init(4));
        QVERIFY(f.mgr.SwitchDisplay(f.windows[3], f.windows[7]));
        QCOMPARE(f.mgr.IndexOf(f.windows[7]), 3);
        QCOMPARE(PlaceOf(&f.host, f.windows[7]), (Rect{1, 0, 1, 1}));
        // A window that is not there stands for index 0.
        QWidget stranger;
        QVERIFY(f.mgr.SwitchDisplay(&stranger, f.windows[5]));
        QCOMPARE(f.mgr.GetWidget(0), f.windows[5]);
        QVERIFY(f.mgr.SwitchDisplay(nullptr, nullptr)); // 0 with 0
        QCOMPARE(f.mgr.GetWidget(0), f.windows[5]);

        // ResetSwitch brings back the order in which the windows were given.
        QVERIFY(f.mgr.ResetSwitch());
        for (int i = 0; i < 9; ++i)
            QCOMPARE(f.mgr.GetWidget(i), f.windows[i]);
        QCOMPARE(PlaceOf(&f.host, f.windows[7]), (Rect{2, 1, 1, 1}));
    }

    void insertWidgetAt()
    {
        Fixture f(4);
        QVERIFY(f.Init(4));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        auto* inserted = new QWidget(&f.host);
        QVERIFY(f.mgr.InsertWidgetAt(1, inserted));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.mgr.GetWidget(0), f.windows[0]);
        QCOMPARE(f.mgr.GetWidget(1), inserted);
        QCOMPARE(f.mgr.GetWidget(2), f.windows[1]);
        QCOMPARE(f.mgr.GetWidget(4), f.windows[3]);
        QCOMPARE(PlaceOf(&f.host, inserted), (Rect{0, 1, 1, 1}));
        QList<QWidget*> given;
        f.mgr.GetLayoutWidgets(given);
        QCOMPARE(
            given,
            (QList<QWidget*>{f.windows[0], inserted, f.windows[1], f.windows[2], f.windows[3]}));

        // With a type: shows that type.
        auto* second = new QWidget(&f.host);
        QVERIFY(f.mgr.InsertWidgetAt(0, second, true, 2));
        QCOMPARE(f.mgr.GetSplitType(), 2);
        QCOMPARE(PlaceOf(&f.host, second), (Rect{0, 0, 1, 1}));
        QVERIFY(f.windows[2]->isHidden()); // index 4 now, beyond the four windows of 2

        // Beyond the end: appended once.
        auto* last = new QWidget(&f.host);
        QVERIFY(f.mgr.InsertWidgetAt(100, last));
        QCOMPARE(f.mgr.IndexOf(last), 6);
        QCOMPARE(f.mgr.GetWidget(7), nullptr);

        // Bad input changes nothing.
        const int before = changed.count();
        QVERIFY(!f.mgr.InsertWidgetAt(0, nullptr));
        QVERIFY(!f.mgr.InsertWidgetAt(-1, new QWidget(&f.host)));
        QCOMPARE(changed.count(), before);
        QCOMPARE(f.mgr.GetWidget(0), second);
    }

    void removeWidgetAt()
    {
        Fixture f(5);
        QVERIFY(f.Init(2));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QVERIFY(!f.mgr.RemoveWidgetAt(5));
        QVERIFY(!f.mgr.RemoveWidgetAt(-1));
        QCOMPARE(changed.count(), 0);

        QVERIFY(f.mgr.RemoveWidgetAt(1));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(f.mgr.GetWidget(1), f.windows[2]);
        QCOMPARE(f.mgr.GetWidget(4), nullptr);
        QCOMPARE(f.mgr.IndexOf(f.windows[1]), -1);
        // The window taken out is the client's: neither hidden nor deleted, just unplaced.
        QVERIFY(!f.windows[1]->isHidden());
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), Rect());
        QCOMPARE(PlaceOf(&f.host, f.windows[4]), (Rect{1, 1, 1, 1}));
        QList<QWidget*> given;
        f.mgr.GetLayoutWidgets(given);
        QCOMPARE(given, (QList<QWidget*>{f.windows[0], f.windows[2], f.windows[3], f.windows[4]}));

        QVERIFY(f.mgr.RemoveWidgetAt(0, true, 1));
        QCOMPARE(f.mgr.GetSplitType(), 1);
        QCOMPARE(PlaceOf(&f.host, f.windows[2]), (Rect{0, 0, 1, 1}));
    }

    // ---- Maximise and restore --------------------------------------------------------------

    void maximiseAndRestore()
    {
        Fixture f(6);
        QVERIFY(f.Init(4));
        QSignalSpy maximised(&f.mgr, &CWidgetLayoutMgr::SignalShowMaximized);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QSignalSpy normal(&f.mgr, &CWidgetLayoutMgr::SignalShowNormal);

        f.mgr.ShowMaximized(f.windows[3]);
        QCOMPARE(maximised.count(), 1);
        QCOMPARE(maximised.at(0).at(0).toBool(), true);
        QCOMPARE(WidgetItemCount(&f.host), 1);
        QCOMPARE(PlaceOf(&f.host, f.windows[3]), (Rect{0, 0, 1, 1}));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f.windows[i]->isHidden(), i != 3);
        QVERIFY(f.mgr.Maximized(f.windows[3]));
        QVERIFY(!f.mgr.Maximized(f.windows[0]));
        QVERIFY(!f.mgr.Maximized(nullptr));

        // Same type again rebuilds while maximised.
        f.mgr.ShowNormal();
        QCOMPARE(maximised.count(), 2);
        QCOMPARE(maximised.at(1).at(0).toBool(), false);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(WidgetItemCount(&f.host), 6);
        QVERIFY(!f.mgr.Maximized(f.windows[3]));
        QVERIFY(!f.windows[0]->isHidden());

        f.mgr.ShowMaximized(2);
        QVERIFY(f.mgr.Maximized(f.windows[2]));
        QVERIFY(f.mgr.ReDisplay(4)); // any rebuild ends the maximised state
        QVERIFY(!f.mgr.Maximized(f.windows[2]));
        QCOMPARE(normal.count(), 0);
    }

    void maximiseIgnored()
    {
        Fixture f(4);
        QVERIFY(f.Init(2));
        QSignalSpy maximised(&f.mgr, &CWidgetLayoutMgr::SignalShowMaximized);
        QLayout* layout = f.host.layout();
        QWidget stranger;
        f.mgr.ShowMaximized(nullptr);
        f.mgr.ShowMaximized(&stranger);
        f.mgr.ShowMaximized(4);
        f.mgr.ShowMaximized(-1);
        QCOMPARE(maximised.count(), 0);
        QCOMPARE(f.host.layout(), layout);

        // In the one-window division neither maximise nor restore does anything.
        QVERIFY(f.mgr.ReDisplay(1));
        layout = f.host.layout();
        f.mgr.ShowMaximized(f.windows[0]);
        f.mgr.ShowNormal();
        QCOMPARE(maximised.count(), 0);
        QCOMPARE(f.host.layout(), layout);
        QVERIFY(!f.mgr.Maximized(f.windows[0]));
    }

    void maximiseCustomDivisionAndRestore()
    {
        Fixture f(3);
        QVERIFY(f.Init(2));
        const QString text = QStringLiteral("<C>")
            + ElementConfig(0, 3, QStringLiteral("1"), QStringLiteral("1,1,1"),
                            {W(0, 0, 0), W(1, 0, 1), W(2, 0, 2)})
            + QStringLiteral("</C>");
        QVERIFY(f.mgr.ReDisplay(202, text));
        f.mgr.ShowMaximized(f.windows[1]);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        f.mgr.ShowNormal();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 202);
        QCOMPARE(changed.at(0).at(1).toString(), text);
        QCOMPARE(PlaceOf(&f.host, f.windows[2]), (Rect{0, 2, 1, 1}));
    }

    // ---- Queries ---------------------------------------------------------------------------

    void neighbours_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("expected");
        // 2 x 2: 0 1 / 2 3.
        QTest::newRow("2x2 left of 0 wraps") << 2 << 0 << 0 << 3;
        QTest::newRow("2x2 right of 3 wraps") << 2 << 3 << 2 << 0;
        QTest::newRow("2x2 right of 1") << 2 << 1 << 2 << 2;
        QTest::newRow("2x2 down of 1") << 2 << 1 << 3 << 3;
        QTest::newRow("2x2 up of 1 stays") << 2 << 1 << 1 << 1;
        QTest::newRow("2x2 up of 2") << 2 << 2 << 1 << 0;
        QTest::newRow("2x2 down of 3 stays") << 2 << 3 << 3 << 3;
        // 3 x 3 holding 6: big 0 at (0,0) 2x2; 1 (0,2); 2 (1,2); 3..5 along the bottom.
        QTest::newRow("six: down of 0") << 3 << 0 << 3 << 3;
        QTest::newRow("six: up of 4 reaches the big window") << 3 << 4 << 1 << 0;
        QTest::newRow("six: up of 3") << 3 << 3 << 1 << 0;
        QTest::newRow("six: down of 1") << 3 << 1 << 3 << 2;
        QTest::newRow("six: down of 2") << 3 << 2 << 3 << 5;
        QTest::newRow("six: left of 0 wraps over six cells") << 3 << 0 << 0 << 5;
        QTest::newRow("six: right of 5 wraps") << 3 << 5 << 2 << 0;
    }
    void neighbours()
    {
        QFETCH(int, type);
        QFETCH(int, window);
        QFETCH(int, direction);
        QFETCH(int, expected);
        Fixture f(9);
        QVERIFY(f.Init(type));
        QCOMPARE(
            f.mgr.GetWidget(f.windows[window], static_cast<CWidgetLayoutMgr::Direction>(direction)),
            f.windows[expected]);
    }

    void neighbourRules()
    {
        // Left and right count the cells, spacers included; a wrap onto a spacer's count is
        // an index without a window.
        const QVector<struLayoutElementData> cells{
            {QStringLiteral("QWidget"), 0, 0, 0, 1, 1},
            {QStringLiteral("QSpacerItem"), 0, 0, 1, 1, 1},
            {QStringLiteral("QWidget"), 1, 1, 0, 1, 2},
        };
        QCOMPARE(Detail::NeighbourIndex(cells, 0, CWidgetLayoutMgr::Left), 2);
        QCOMPARE(Detail::NeighbourIndex(cells, 2, CWidgetLayoutMgr::Right), 2);
        QCOMPARE(Detail::NeighbourIndex(cells, 0, CWidgetLayoutMgr::Down), 1);
        QCOMPARE(Detail::NeighbourIndex(cells, 2, CWidgetLayoutMgr::Up), 0);
        QCOMPARE(Detail::NeighbourIndex(cells, 3, CWidgetLayoutMgr::Up), -1);
        QCOMPARE(Detail::NeighbourIndex(cells, -1, CWidgetLayoutMgr::Up), -1);
        QCOMPARE(Detail::NeighbourIndex(cells, 0, 9), -1);

        Fixture f(3);
        QVERIFY(f.Init(2));
        QWidget stranger;
        QCOMPARE(f.mgr.GetWidget(&stranger, CWidgetLayoutMgr::Left), nullptr);
        QCOMPARE(f.mgr.GetWidget(nullptr, CWidgetLayoutMgr::Left), nullptr);
        // Three windows in a four-cell division: wrapping left from 0 lands on index 3.
        QCOMPARE(f.mgr.GetWidget(f.windows[0], CWidgetLayoutMgr::Left), nullptr);
        QCOMPARE(f.mgr.GetWidget(f.windows[0], CWidgetLayoutMgr::Down), f.windows[2]);
        QCOMPARE(f.mgr.GetWidget(f.windows[0], static_cast<CWidgetLayoutMgr::Direction>(7)),
                 nullptr);
        // Neighbours follow exchanges: cells name display indexes.
        QVERIFY(f.mgr.SwitchDisplay(0, 2));
        QCOMPARE(f.mgr.GetWidget(f.windows[2], CWidgetLayoutMgr::Right), f.windows[1]);
    }

    void spans()
    {
        Fixture f(9);
        QVERIFY(f.Init(3));
        int rowSpan = 0;
        int columnSpan = 0;
        QVERIFY(f.mgr.GetWidgetSpan(f.windows[0], rowSpan, columnSpan));
        QCOMPARE(rowSpan, 2);
        QCOMPARE(columnSpan, 2);
        QVERIFY(f.mgr.GetWidgetSpan(f.windows[4], rowSpan, columnSpan));
        QCOMPARE(rowSpan, 1);
        QVERIFY(!f.mgr.GetWidgetSpan(f.windows[7], rowSpan, columnSpan)); // no cell in 3
        QCOMPARE(rowSpan, -1);
        QCOMPARE(columnSpan, -1);
        QVERIFY(!f.mgr.GetWidgetSpan(nullptr, rowSpan, columnSpan));
        QCOMPARE(rowSpan, -1);

        QVERIFY(f.mgr.GetWidgetSpanByIndex(3, 0, rowSpan, columnSpan));
        QCOMPARE(columnSpan, 2);
        QVERIFY(f.mgr.GetWidgetSpanByIndex(8, 15, rowSpan, columnSpan));
        QCOMPARE(rowSpan, 1);
        QVERIFY(!f.mgr.GetWidgetSpanByIndex(3, 6, rowSpan, columnSpan));
        QCOMPARE(rowSpan, -1);
        QCOMPARE(columnSpan, -1);
        QVERIFY(!f.mgr.GetWidgetSpanByIndex(77, 0, rowSpan, columnSpan));
    }

    void windowLists()
    {
        Fixture f(6);
        QVERIFY(f.Init(2));
        QList<QWidget*> out{&f.host};
        f.mgr.GetAllWidgets(out);
        QCOMPARE(out, f.windows);
        f.mgr.GetLayoutWidgets(out);
        QCOMPARE(out, f.windows.mid(0, 4));
        QVERIFY(f.mgr.SwitchDisplay(0, 5));
        f.mgr.GetLayoutWidgets(out); // order given, exchanges ignored
        QCOMPARE(out, f.windows.mid(0, 4));
        f.mgr.GetLayoutVisibleWidgets(out);
        QCOMPARE(out, (QList<QWidget*>{f.windows[5], f.windows[1], f.windows[2], f.windows[3]}));
        // Fewer windows than the division shows.
        QVERIFY(f.mgr.ResetWidgets(f.windows.mid(0, 2), 8));
        f.mgr.GetLayoutVisibleWidgets(out);
        QCOMPARE(out, f.windows.mid(0, 2));
        f.mgr.GetLayoutWidgets(out);
        QCOMPARE(out, f.windows.mid(0, 2));
    }

    void warningsWithoutDescription()
    {
        Fixture f(2);
        QVERIFY(f.Init(2));
        QVERIFY(!f.mgr.ReDisplay(204)); // recorded, undescribed
        QList<QWidget*> out{&f.host};
        QTest::ignoreMessage(QtWarningMsg,
                             "CWidgetLayoutMgr::GetLayoutWidgets: ptr_element_config == NULL");
        f.mgr.GetLayoutVisibleWidgets(out);
        QVERIFY(out.isEmpty());
        out << &f.host;
        QTest::ignoreMessage(QtWarningMsg,
                             "CWidgetLayoutMgr::GetLayoutWidgets: pElementConfig == NULL");
        f.mgr.GetLayoutWidgets(out);
        QVERIFY(out.isEmpty());
        // The other queries answer silently.
        int rowSpan = 0;
        int columnSpan = 0;
        QVERIFY(!f.mgr.GetWidgetSpan(f.windows[0], rowSpan, columnSpan));
        QCOMPARE(f.mgr.GetWidget(f.windows[0], CWidgetLayoutMgr::Down), nullptr);
        QCOMPARE(f.mgr.GetWndCountByType(204), 0);
        QCOMPARE(f.mgr.GetVirtualWndCountByType(204), 0);
    }

    void countsByType()
    {
        Fixture f(1);
        QVERIFY(f.Init(3));
        QCOMPARE(f.mgr.GetWndCountByType(3), 6);
        QCOMPARE(f.mgr.GetVirtualWndCountByType(3), 9);
        QCOMPARE(f.mgr.GetWndCountByType(8), 16);
        QCOMPARE(f.mgr.GetWndCountByType(-1), 0);
        QCOMPARE(f.mgr.GetVirtualWndCountByType(12345), 0);
        QCOMPARE(f.mgr.GetWidget(-1), nullptr);
        QCOMPARE(f.mgr.GetWidget(1), nullptr);
        QCOMPARE(f.mgr.IndexOf(nullptr), -1);
    }

    void setLayoutByWndCount_data()
    {
        QTest::addColumn<int>("windowType");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected"); // 0: ignored, division 2 stays
        QTest::newRow("0 ignored") << 1 << 0 << 0;
        QTest::newRow("65 ignored") << 1 << 65 << 0;
        QTest::newRow("-4 ignored") << 1 << -4 << 0;
        QTest::newRow("preview 1") << 1 << 1 << 1;
        QTest::newRow("preview 7") << 1 << 7 << 4;
        QTest::newRow("preview 16") << 1 << 16 << 8;
        QTest::newRow("map 1 counts the map once") << 3 << 1 << 1;
    }
    void setLayoutByWndCount()
    {
        QFETCH(int, windowType);
        QFETCH(int, count);
        QFETCH(int, expected);
        Fixture f(16);
        QVERIFY(f.Init(2));
        f.mgr.SetSpliteWindowType(windowType);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QCOMPARE(f.mgr.SetLayoutByWndCount(count), expected != 0);
        QCOMPARE(f.mgr.GetSplitType(), expected ? expected : 2);
        QCOMPARE(changed.count(), expected ? 1 : 0);
    }

    void settersStore()
    {
        CWidgetLayoutMgr mgr;
        QCOMPARE(mgr.GetMaxWndNum(), 64);
        QCOMPARE(mgr.GetSplitType(), 0);
        QCOMPARE(mgr.GetXml(), QString());
        mgr.SetMaxWndNum(9);
        QCOMPARE(mgr.GetMaxWndNum(), 9);
        mgr.SetSpliteWindowType(2);
        QCOMPARE(mgr.GetSpliteWindowType(), 2);
        // Nothing to act on yet: every operation answers without a crash.
        QVERIFY(!mgr.ReDisplay(4));
        QVERIFY(!mgr.SwitchDisplay(0, 0));
        QVERIFY(!mgr.ResetSwitch());
        QVERIFY(!mgr.RemoveWidgetAt(0));
        QVERIFY(!mgr.SetLayoutByWndCount(4));
        mgr.ShowMaximized(0);
        mgr.ShowNormal();
        QCOMPARE(mgr.GetWidget(nullptr, CWidgetLayoutMgr::Up), nullptr);
    }

    void destroyedWindowReadsNull()
    {
        Fixture f(4);
        QVERIFY(f.Init(2));
        delete f.windows.takeAt(1);
        QCOMPARE(f.mgr.GetWidget(1), nullptr);
        QList<QWidget*> out;
        f.mgr.GetAllWidgets(out);
        QCOMPARE(out, f.windows);
        // Index 1 has no window any more: the walk stops at its cell.
        QVERIFY(f.mgr.ReDisplay(4));
        QCOMPARE(WidgetItemCount(&f.host), 1);
        QVERIFY(f.mgr.SwitchDisplay(1, 3));
        QCOMPARE(PlaceOf(&f.host, f.windows[2]), (Rect{0, 1, 1, 1}));
    }

    void nullWindowsKeepTheirIndex()
    {
        Fixture f(2);
        QVERIFY(f.mgr.Init(f.Write(QStringLiteral("l.xml"), StandardDocument()), &f.host,
                           {f.windows[0], nullptr, f.windows[1]}, 2));
        QCOMPARE(f.mgr.IndexOf(f.windows[1]), 2);
        QCOMPARE(f.mgr.GetWidget(1), nullptr);
        QCOMPARE(WidgetItemCount(&f.host), 1); // the empty place cuts the walk
        QVERIFY(f.mgr.SwitchDisplay(1, 2));
        QCOMPARE(WidgetItemCount(&f.host), 2);
        QList<QWidget*> out;
        f.mgr.GetAllWidgets(out);
        QCOMPARE(out, f.windows);
    }

    void duplicateWindowPlacedOnce()
    {
        Fixture f(2);
        // The same window twice in the list, and a division naming id 0 twice.
        QVERIFY(f.mgr.Init(f.Write(QStringLiteral("l.xml"), StandardDocument()), &f.host,
                           {f.windows[0], f.windows[0], f.windows[1]}, 2));
        QCOMPARE(PlaceOf(&f.host, f.windows[0]), (Rect{0, 0, 1, 1}));
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), (Rect{1, 0, 1, 1}));
        QCOMPARE(f.mgr.IndexOf(f.windows[0]), 0);
        const QString twice = QStringLiteral("<C>")
            + ElementConfig(0, 2, QStringLiteral("1"), QStringLiteral("1,1"),
                            {W(0, 0, 0), W(0, 0, 1)})
            + QStringLiteral("</C>");
        QVERIFY(f.mgr.ReDisplay(201, twice));
        QCOMPARE(WidgetItemCount(&f.host), 1);
    }

    void managerLeavesHostAndWindowsBehind()
    {
        QWidget host;
        QPointer<QWidget> window = new QWidget(&host);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("l.xml"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(StandardDocument().toUtf8());
        }
        {
            CWidgetLayoutMgr mgr;
            QVERIFY(mgr.Init(path, &host, {window.data()}, 1));
        }
        QVERIFY(window);
        QVERIFY(host.layout());
        QCOMPARE(host.layout()->indexOf(window), 0);
    }

    // ---- Description reading ----------------------------------------------------------------

    void singleDescriptionText()
    {
        CWidgetLayoutMgr mgr;
        CLayoutElementConfig out;
        const QString text = QStringLiteral(
            "<Root><ElementConfig><Name>Two</Name><Type>42</Type><WndSize>2</WndSize>"
            "<RowStretch>1</RowStretch><ColumnStretch>2,3</ColumnStretch><ElementItems>"
            "<A type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" rowSpan=\"1\" columnSpan=\"1\"/>"
            "<B type=\"QSpacerItem\" id=\"x\" row=\"0\" column=\"1\"/>"
            "</ElementItems></ElementConfig><ElementConfig><Type>9</Type></ElementConfig></Root>");
        QVERIFY(mgr.GetSingleLayoutElementByXml(out, text));
        QCOMPARE(out.GetLayoutName(), QStringLiteral("Two"));
        QCOMPARE(out.GetLayoutType(), 42);
        QCOMPARE(out.WndSize(), 2);
        QCOMPARE(out.GetLayoutRowstretch(), QStringLiteral("1"));
        QCOMPARE(out.GetLayoutColumnstretch(), QStringLiteral("2,3"));
        QCOMPARE(out.Size(), 2);
        const struLayoutElementData* spacer = out.GetElementItem(1);
        QVERIFY(spacer);
        QCOMPARE(spacer->type, QStringLiteral("QSpacerItem"));
        QCOMPARE(spacer->id, 0); // non-numeric
        QCOMPARE(spacer->column, 1);
        QCOMPARE(spacer->rowSpan, 0); // missing
        QCOMPARE(out.GetElementItem(2), nullptr);

        // Bad text leaves `out` alone.
        QVERIFY(!mgr.GetSingleLayoutElementByXml(out, QString()));
        QVERIFY(!mgr.GetSingleLayoutElementByXml(out, QStringLiteral("<a><b/></a>")));
        QVERIFY(!mgr.GetSingleLayoutElementByXml(out, QStringLiteral("<a><ElementConfig>")));
        QCOMPARE(out.GetLayoutType(), 42);
        QCOMPARE(out.Size(), 2);
    }

    void missingElementsReadEmpty()
    {
        CLayoutElementConfig out;
        out.SetLayoutName(QStringLiteral("old"));
        QVERIFY(CLayoutElementConfig::ParseSingle(QStringLiteral("<a><ElementConfig/></a>"), out));
        QCOMPARE(out.GetLayoutName(), QString());
        QCOMPARE(out.GetLayoutType(), 0);
        QCOMPARE(out.WndSize(), 0);
        QCOMPARE(out.GetLayoutRowstretch(), QString());
        QCOMPARE(out.Size(), 0);
    }

    void elementConfigRecord()
    {
        CLayoutElementConfig config;
        config.SetLayoutName(QStringLiteral("n"));
        config.SetLayoutType(7);
        config.SetWndSize(2);
        config.SetLayoutRowstretch(QStringLiteral("1,1"));
        config.SetLayoutColumnstretch(QStringLiteral("1"));
        config.AddElementItem({QStringLiteral("QWidget"), 0, 0, 0, 1, 1});
        config.AddElementItem({QStringLiteral("QSpacerItem"), 0, 1, 0, 1, 3});
        QCOMPARE(config.GetLayoutVirtualWndCount(), 4);

        CLayoutElementConfig copy(config);
        CLayoutElementConfig assigned;
        assigned = config;
        for (const CLayoutElementConfig* c : {&copy, &assigned}) {
            QCOMPARE(c->GetLayoutName(), QStringLiteral("n"));
            QCOMPARE(c->GetLayoutType(), 7);
            QCOMPARE(c->WndSize(), 2);
            QCOMPARE(c->GetLayoutRowstretch(), QStringLiteral("1,1"));
            QCOMPARE(c->GetLayoutColumnstretch(), QStringLiteral("1"));
            QCOMPARE(c->Size(), 2);
        }
        copy.GetElementItem(0)->row = 5; // copies are independent
        QCOMPARE(config.GetElementItem(0)->row, 0);

        // Equal cells ignore the type text.
        QVERIFY(config.Contains({QStringLiteral("anything"), 0, 1, 0, 1, 3}));
        QVERIFY(!config.Contains({QStringLiteral("QSpacerItem"), 0, 1, 0, 1, 2}));
        QVERIFY(!config.Contains({QStringLiteral("QWidget"), 1, 0, 0, 1, 1}));

        QVERIFY(!config.RemoveElementItem(2));
        QVERIFY(config.RemoveElementItem(0));
        QCOMPARE(config.Size(), 1);
        QCOMPARE(config.GetElementItem(0)->columnSpan, 3);
        config.Clear();
        QCOMPARE(config.Size(), 0);
        QCOMPARE(config.GetLayoutVirtualWndCount(), 0);
        QCOMPARE(config.WndSize(), 2);
        QCOMPARE(config.GetElementItem(0), nullptr);
        QCOMPARE(config.GetElementItem(static_cast<unsigned int>(-1)), nullptr);
    }

    void virtualCountDoesNotOverflow()
    {
        CLayoutElementConfig config;
        config.AddElementItem({QStringLiteral("QWidget"), 0, 0, 0, 100000, 100000});
        QCOMPARE(config.GetLayoutVirtualWndCount(), INT_MAX);
        CLayoutElementConfig negative;
        negative.AddElementItem({QStringLiteral("QWidget"), 0, 0, 0, -2, 3});
        QCOMPARE(negative.GetLayoutVirtualWndCount(), -6);
    }

    void writtenDescriptionReadsBack()
    {
        CLayoutElementConfig config;
        config.SetLayoutName(QStringLiteral("Round trip"));
        config.SetLayoutType(103);
        config.SetWndSize(2);
        config.SetLayoutRowstretch(QStringLiteral("2,1"));
        config.SetLayoutColumnstretch(QStringLiteral("1"));
        config.AddElementItem({QStringLiteral("QWidget"), 0, 0, 0, 1, 1});
        config.AddElementItem({QStringLiteral("QWidget"), 1, 1, 0, 1, 1});
        CGenericDS document;
        QVERIFY(document.CreateASRoot(QStringLiteral("Config")));
        QVERIFY(config.WriteToElement(document));
        CGenericDS none;
        QVERIFY(!config.WriteToElement(none));

        const QVector<CLayoutElementConfig> read =
            CLayoutElementConfig::ParseDocument(document.GetXml());
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].GetLayoutName(), QStringLiteral("Round trip"));
        QCOMPARE(read[0].GetLayoutType(), 103);
        QCOMPARE(read[0].GetLayoutRowstretch(), QStringLiteral("2,1"));
        QCOMPARE(read[0].Size(), 2);
        for (const struLayoutElementData& cell : config.GetElementItems())
            QVERIFY(read[0].Contains(cell));
        QVERIFY(!config.ReadFromElement(CGenericDS()));
        QCOMPARE(config.GetLayoutType(), 103);
    }

    // ---- Damaged description files ----------------------------------------------------------

    void badDescriptionFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("initResult"); // Init with type 9
        QTest::addColumn<int>("wndCount"); // GetWndCountByType(9)
        QTest::addColumn<int>("placed"); // windows in the host's grid

        QTest::newRow("empty file") << QByteArray() << false << 0 << 0;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not xml <<>>") << false << 0 << 0;
        QTest::newRow("binary zeros") << QByteArray(64, '\0') << false << 0 << 0;
        QTest::newRow("truncated")
            << Document({Square(9, 2)}).left(120).toUtf8() << false << 0 << 0;
        QTest::newRow("unclosed root")
            << QByteArray("<Config><ElementConfig><Type>9</Type></ElementConfig>") << false << 0
            << 0;
        QTest::newRow("ElementConfig not a direct child")
            << QByteArray("<Config><Group><ElementConfig><Type>9</Type><WndSize>1</WndSize>"
                          "</ElementConfig></Group></Config>")
            << false << 0 << 0;
        QTest::newRow("missing attributes")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>2</WndSize>"
                          "<ElementItems><E type=\"QWidget\"/><E type=\"QWidget\" id=\"1\"/>"
                          "</ElementItems></ElementConfig></Config>")
            << true << 2 << 0; // both cells read as (0,0) with span 0: not placeable
        QTest::newRow("non-numeric attributes")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>two</WndSize>"
                          "<ElementItems><E type=\"QWidget\" id=\"0\" row=\"a\" column=\"0\" "
                          "rowSpan=\"1\" columnSpan=\"1x\"/></ElementItems></ElementConfig>"
                          "</Config>")
            << true << 0 << 0;
        QTest::newRow("negative spans")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>2</WndSize>"
                          "<ElementItems>"
                          "<E type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" rowSpan=\"-1\" "
                          "columnSpan=\"1\"/>"
                          "<E type=\"QWidget\" id=\"1\" row=\"0\" column=\"1\" rowSpan=\"1\" "
                          "columnSpan=\"1\"/></ElementItems></ElementConfig></Config>")
            << true << 2 << 1;
        QTest::newRow("negative position")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>1</WndSize>"
                          "<ElementItems><E type=\"QWidget\" id=\"0\" row=\"-3\" column=\"0\" "
                          "rowSpan=\"1\" columnSpan=\"1\"/></ElementItems></ElementConfig>"
                          "</Config>")
            << true << 1 << 0;
        QTest::newRow("absurd position")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>1</WndSize>"
                          "<ElementItems><E type=\"QWidget\" id=\"0\" row=\"2000000000\" "
                          "column=\"0\" rowSpan=\"2000000000\" columnSpan=\"1\"/>"
                          "</ElementItems></ElementConfig></Config>")
            << true << 1 << 0;
        QTest::newRow("ids without windows")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>3</WndSize>"
                          "<ElementItems>"
                          "<E type=\"QWidget\" id=\"40\" row=\"0\" column=\"0\" rowSpan=\"1\" "
                          "columnSpan=\"1\"/>"
                          "<E type=\"QWidget\" id=\"0\" row=\"0\" column=\"1\" rowSpan=\"1\" "
                          "columnSpan=\"1\"/></ElementItems></ElementConfig></Config>")
            << true << 3 << 0;
        QTest::newRow("absurd stretch")
            << QByteArray("<Config><ElementConfig><Type>9</Type><WndSize>1</WndSize>"
                          "<RowStretch>99999999999,1,-5</RowStretch>"
                          "<ColumnStretch>2147483647</ColumnStretch><ElementItems>"
                          "<E type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" rowSpan=\"1\" "
                          "columnSpan=\"1\"/></ElementItems></ElementConfig></Config>")
            << true << 1 << 1;

        // 10,000 cells of a 100 x 100 grid; ids 0 to 9999.
        QStringList cells;
        for (int i = 0; i < 10000; ++i) {
            cells << QStringLiteral("<E type=\"QWidget\" id=\"%1\" row=\"%2\" column=\"%3\" "
                                    "rowSpan=\"1\" columnSpan=\"1\"/>")
                         .arg(i)
                         .arg(i / 100)
                         .arg(i % 100);
        }
        const QString many = QStringLiteral("<Config><ElementConfig><Type>9</Type>"
                                            "<WndSize>10000</WndSize><RowStretch>")
            + QStringList(QVector<QString>(10000, QStringLiteral("1")).toList())
                  .join(QLatin1Char(','))
            + QStringLiteral("</RowStretch><ElementItems>") + cells.join(QString())
            + QStringLiteral("</ElementItems></ElementConfig></Config>");
        QTest::newRow("10,000 cells") << many.toUtf8() << true << 10000 << 16;
    }
    void badDescriptionFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, initResult);
        QFETCH(int, wndCount);
        QFETCH(int, placed);
        Fixture f(16);
        const QString good = f.Write(QStringLiteral("a.xml"), Document({Square(2, 2)}));
        const QString bad = f.Write(QStringLiteral("b.xml"), content);
        // A damaged file adds what it can and never fails Init by itself.
        QCOMPARE(f.mgr.Init(QStringList{good, bad}, &f.host, f.windows, 9), initResult);
        QCOMPARE(f.mgr.GetWndCountByType(9), wndCount);
        QCOMPARE(f.mgr.GetWndCountByType(2), 4);
        if (initResult) {
            QCOMPARE(f.mgr.GetSplitType(), 9);
            QCOMPARE(WidgetItemCount(&f.host), placed);
            auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
            QVERIFY(grid);
            QVERIFY(grid->rowCount() <= Detail::kMaxGridLines);
            QVERIFY(grid->columnCount() <= Detail::kMaxGridLines);
        }
        // Whatever the file held, the manager still works.
        QVERIFY(f.mgr.ReDisplay(2));
        QCOMPARE(WidgetItemCount(&f.host), 4);
        QList<QWidget*> out;
        f.mgr.GetLayoutVisibleWidgets(out);
        QCOMPARE(out.size(), 4);
    }

    void defaultLayoutFiles()
    {
        const QStringList files =
            CWidgetLayoutMgr::DefaultLayoutFiles(QStringLiteral(NIMB_LAYOUTS_DIR));
        QVERIFY(files.size() >= 1);
        for (const QString& file : files) {
            QVERIFY(file.endsWith(QLatin1String(".xml")));
            QVERIFY(QFileInfo(file).isAbsolute());
        }
        QStringList sorted = files;
        sorted.sort();
        QCOMPARE(files, sorted);
        QVERIFY(CWidgetLayoutMgr::DefaultLayoutFiles(QStringLiteral("/no/such/folder")).isEmpty());

        qputenv("NIMB_LAYOUTS_DIR", NIMB_LAYOUTS_DIR);
        QCOMPARE(CWidgetLayoutMgr::DefaultLayoutsFolder(), QStringLiteral(NIMB_LAYOUTS_DIR));
        QCOMPARE(CWidgetLayoutMgr::DefaultLayoutFiles(), files);
        qunsetenv("NIMB_LAYOUTS_DIR");
    }
};

QTEST_MAIN(tst_WidgetLayoutMgr)
#include "tst_widgetlayoutmgr.moc"
