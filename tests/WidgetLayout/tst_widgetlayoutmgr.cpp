#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/WidgetLayoutMgr.h"
#include "WidgetLayout/WidgetLayoutTables_p.h"

#include "TestSupport.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QPointer>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTemporaryDir>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

// One cell of a description: a window cell unless another type is given.
QString Cell(int id, int row, int column, int rowSpan = 1, int columnSpan = 1,
             const char* type = "QWidget")
{
    return QString::asprintf("<E type=\"%s\" id=\"%d\" row=\"%d\" column=\"%d\" rowSpan=\"%d\" "
                             "columnSpan=\"%d\"/>",
                             type, id, row, column, rowSpan, columnSpan);
}

QString Config(int type, int wndSize, const char* rows, const char* columns,
               const QStringList& cells)
{
    return QString::asprintf("<ElementConfig><Type>%d</Type><WndSize>%d</WndSize><RowStretch>%s"
                             "</RowStretch><ColumnStretch>%s</ColumnStretch><ElementItems>",
                             type, wndSize, rows, columns)
        + cells.join(QString()) + "</ElementItems></ElementConfig>";
}

// An n x n grid of one-cell windows numbered in reading order.
QString Square(int type, int n)
{
    QStringList cells;
    for (int i = 0; i < n * n; ++i)
        cells << Cell(i, i / n, i % n);
    const QByteArray ones = QByteArray("1,").repeated(n).chopped(1);
    return Config(type, n * n, ones, ones, cells);
}

QString Document(const QStringList& configs)
{
    return "<Config>" + configs.join(QString()) + "</Config>";
}

// Divisions 1 (one window), 2 (2 x 2), 4 (3 x 3), 8 (4 x 4) and 3 (3 x 3 holding 6: a 2 x 2
// window top left, 1 and 2 down the right, 3 to 5 along the bottom).
QString StandardDocument()
{
    return Document({Square(1, 1), Square(2, 2), Square(4, 3), Square(8, 4),
                     Config(3, 6, "1,1,1", "1,1,1",
                            {Cell(0, 0, 0, 2, 2), Cell(1, 0, 2), Cell(2, 1, 2), Cell(3, 2, 0),
                             Cell(4, 2, 1), Cell(5, 2, 2)})});
}

// "row,column rowSpan x columnSpan" of `w` in the host's grid; empty when it is not there.
QString PlaceOf(QWidget* host, QWidget* w)
{
    auto* grid = qobject_cast<QGridLayout*>(host->layout());
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    if (!grid || grid->indexOf(w) < 0)
        return QString();
    grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
    return QStringLiteral("%1,%2 %3x%4").arg(row).arg(column).arg(rowSpan).arg(columnSpan);
}

int Placed(QWidget* host)
{
    int count = 0;
    for (int i = 0; host->layout() && i < host->layout()->count(); ++i)
        count += host->layout()->itemAt(i)->widget() ? 1 : 0;
    return count;
}

// A host with its windows, and description files in a temporary folder.
struct Fixture
{
    explicit Fixture(int windowCount = 16)
    {
        for (int i = 0; i < windowCount; ++i)
            windows << new QWidget(&host);
    }
    QString Write(const QString& content, const QString& name = "layouts.xml")
    {
        return TestSupport::WriteFile(dir.filePath(name), content.toUtf8());
    }
    bool Init(int type, const QString& document = StandardDocument())
    {
        return mgr.Init(Write(document), &host, windows, type);
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
    void choiceTables()
    {
        // Group ranges, and the numbers just outside them.
        // clang-format off
        const int groups[][3] = {{0, 18, 1}, {50, 56, 2}, {60, 61, 3}, {100, 111, 4}, {201, 205, 5},
            {301, 307, 6}, {350, 356, 7}, {400, 404, 8}, {450, 454, 9}, {500, 511, 10}};
        // clang-format on
        for (int type = -1; type <= 512; ++type) {
            int group = 0;
            for (const auto& range : groups)
                group = type >= range[0] && type <= range[1] ? range[2] : group;
            QVERIFY2(CWidgetLayoutMgr::GetSplitGroupType(type) == group,
                     qPrintable(QString::number(type)));
        }
        QVERIFY(!CWidgetLayoutMgr::GetSplitGroupType(INT_MIN)
                && !CWidgetLayoutMgr::GetSplitGroupType(INT_MAX));

        // Group maxima for preview, playback and map views; 0 for anything unlisted.
        const int maxima[][4] = {{1, 64, 16, 1}, {5, 1, 1, 0}, {7, 17, 16, 17},
                                 {8, 8, 8, 5},   {9, 8, 8, 5}, {10, 48, 13, 4}};
        CWidgetLayoutMgr mgr;
        for (int view = 0; view <= 4; ++view) {
            mgr.SetSpliteWindowType(view);
            for (const auto& row : maxima)
                QCOMPARE(mgr.GetMaximumWndCountInGroup(row[0]),
                         view >= 1 && view <= 3 ? row[view] : 0);
            for (int group : {0, 2, 3, 4, 6, 11, -1})
                QCOMPARE(mgr.GetMaximumWndCountInGroup(group), 0);
        }

        // Within a group, every window count of a range gives its division. Preview maxima hold
        // every row; counts of 0 or less give 2.
        // clang-format off
        const QVector<QVector<int>> video = {
            {1, 1, 1, 1, 2, 4, 2, 5, 9, 4, 10, 16, 8, 17, 25, 15, 26, 36, 18, 37, 64, 17},
            {7, 1, 6, 350, 7, 8, 351, 9, 9, 352, 10, 10, 353, 11, 12, 354, 13, 16, 355, 17, 17, 356},
            {8, 1, 2, 400, 3, 3, 401, 4, 5, 402, 6, 6, 403, 7, 8, 404},
            {9, 1, 2, 450, 3, 3, 451, 4, 5, 452, 6, 6, 453, 7, 8, 454},
            {10, 1, 4, 501, 5, 5, 502, 6, 6, 503, 7, 7, 504, 8, 12, 506, 13, 13, 507, 14, 24, 508,
             25, 32, 509, 33, 36, 510, 37, 48, 511}};
        const QVector<QVector<int>> map = {{1, 1, 1, 1},
            {7, 1, 6, 350, 7, 8, 351, 9, 10, 353, 11, 12, 354, 13, 16, 355, 17, 17, 356},
            {8, 1, 2, 400, 3, 3, 401, 4, 5, 402}, {9, 1, 2, 450, 3, 3, 451, 4, 5, 452},
            {10, 1, 4, 500}};
        // clang-format on
        for (bool isVideo : {true, false}) {
            mgr.SetSpliteWindowType(isVideo ? 1 : 3);
            auto within = [&](int group, int n) {
                return isVideo ? mgr.GetVideoLayoutByWndCountWithinGroup(group, n)
                               : mgr.GetMapLayoutByWndCountWithinGroup(group, n);
            };
            // Each table: its group, then first count, last count and division of each range.
            for (const QVector<int>& table : isVideo ? video : map) {
                for (int i = 1; i + 2 < table.size(); i += 3) {
                    for (int n = table[i]; n <= table[i + 1]; ++n)
                        QVERIFY2(within(table[0], n) == table[i + 2],
                                 qPrintable(QString("group %1 count %2").arg(table[0]).arg(n)));
                }
                QCOMPARE(within(table[0], 0), 2);
            }
        }
        // Beyond a group's maximum: video falls back to group 1 (or 17 beyond its maximum), map
        // views to group 7 (or 356); the tables' "more" rows give 2.
        // clang-format off
        const int fallbacks[][5] = { // video (1) or map (0), window type, group, count, division
            {1, 1, 7, 20, 15}, {1, 1, 7, 65, 17}, {1, 1, 8, 9, 4}, {1, 1, 10, 49, 17},
            {1, 1, 1, 65, 17}, {1, 2, 10, 14, 8}, {1, 2, 10, 13, 507}, {1, 2, 1, 17, 17},
            {1, 3, 1, 2, 17}, {1, 3, 8, 5, 402}, {1, 1, 5, 1, 2}, {1, 1, 5, 2, 2}, {1, 1, 0, 1, 1},
            {1, 1, 4, 12, 8}, {1, 0, 1, 1, 17}, {0, 3, 1, 2, 350}, {0, 3, 8, 9, 353},
            {0, 3, 9, 12, 354}, {0, 3, 7, 18, 356}, {0, 3, 5, 1, 350}, {0, 3, 0, 0, 2},
            {0, 1, 8, 6, 2}, {0, 1, 10, 5, 2}, {0, 1, 1, 2, 2}, {0, 2, 7, 17, 356}};
        // clang-format on
        for (const auto& row : fallbacks) {
            mgr.SetSpliteWindowType(row[1]);
            QCOMPARE(row[0] ? mgr.GetVideoLayoutByWndCountWithinGroup(row[2], row[3])
                            : mgr.GetMapLayoutByWndCountWithinGroup(row[2], row[3]),
                     row[4]);
        }
        // A count in a view, starting from the group of the division shown; the map counts the map.
        // clang-format off
        const int views[][5] = { // current division, window type, count, view, division
            {352, 1, 20, 1, 15}, {352, 1, 9, 1, 352}, {8, 2, 10, 2, 8}, {401, 3, 8, 3, 353},
            {401, 3, 17, 3, 356}, {401, 3, 4, 3, 402}, {1, 3, 0, 3, 1}, {1, 3, -1, 3, 2},
            {8, 1, 4, 0, 2}, {8, 1, 4, 4, 2}, {0, 1, 16, 1, 8}};
        // clang-format on
        for (const auto& row : views)
            QCOMPARE(Detail::LayoutByWndCount(row[2], row[3], row[0], row[1]), row[4]);

        // Windows moved between views, by count 0 to 20; other pairs of views give 0.
        // clang-format off
        const int intoMap[] = {1, 450, 451, 501, 402, 350, 351, 351, 353, 353, 354, 354, 355, 355,
            355, 355, 356, 1, 1, 1, 1};
        const int outOfMap[] = {1, 1, 450, 2, 2, 453, 453, 4, 4, 4, 506, 506, 506, 8, 8, 8, 8, 2, 2,
            2, 2};
        const int toPlayback[] = {1, 1, 400, 401, 2, 402, 403, 504, 404, 4, 353, 506, 506, 507, 8,
            8, 8, 1, 1, 1, 1};
        // clang-format on
        for (int n = 0; n <= 20; ++n) {
            for (int from : {0, 1, 2, 3})
                QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(n, from, 3), intoMap[n]);
            for (int to : {1, 2, 7})
                QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(n, 3, to), outOfMap[n]);
            QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(n, 1, 2), toPlayback[n]);
            for (const QPoint& pair : {QPoint(2, 1), QPoint(1, 1), QPoint(2, 2)})
                QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(n, pair.x(), pair.y()), 0);
        }
        QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(1000, 1, 3), 1);
        QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(1000, 3, 1), 2);
        QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(1000, 1, 2), 1);
        QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(-1, 1, 2), 0);
        QCOMPARE(CWidgetLayoutMgr::GetLayoutByWndCount(-5, 1, 3), 0);

        // The divisions offered per view, in order; `out` is emptied first.
        // clang-format off
        const QVector<int> offered[] = {{},
            {1, 2, 4, 8, 15, 18, 17, 350, 351, 352, 353, 354, 355, 356, 400, 401, 402, 403, 404,
             450, 451, 452, 453, 454, 500, 501, 502, 503, 504, 505, 506, 507, 508, 509, 510, 511},
            {1, 2, 4, 8, 350, 351, 352, 353, 354, 355, 400, 401, 402, 403, 404, 450, 451, 452, 453,
             454, 500, 501, 502, 503, 504, 505, 506, 507},
            {1, 350, 351, 353, 354, 355, 356, 400, 401, 402, 450, 451, 452, 500, 501}, {}};
        // clang-format on
        for (int view = -1; view <= 4; ++view) {
            QVector<int> out{99, 98};
            CWidgetLayoutMgr::GetSupportSplit(out, view);
            QCOMPARE(out, offered[qMax(0, view)]);
        }
    }

    void suitableLayoutType()
    {
        Fixture f(1);
        // Written out of order: the candidates are taken by ascending type all the same.
        QVERIFY(f.Init(4,
                       Document({Config(8, 16, "1", "1", {Cell(0, 0, 0)}),
                                 Config(4, 9, "1", "1", {Cell(0, 0, 0)}),
                                 Config(5, 9, "1", "1", {Cell(0, 0, 0)})})));
        QCOMPARE(f.mgr.GetLayoutTypes(), QVector<int>({4, 5, 8}));
        QCOMPARE(f.mgr.GetSuitableLayoutType(5, 16), 4); // fewest windows, earliest on a tie
        QCOMPARE(f.mgr.GetSuitableLayoutType(10, 16), 8); // bounds inclusive
        QCOMPARE(f.mgr.GetSuitableLayoutType(17, 30), 0);
        QCOMPARE(f.mgr.GetSuitableLayoutType(9, 5), 0);
        QCOMPARE(f.mgr.GetSuitableLayoutType(5, 16, {8, 5, 4}), 5); // candidates in their order
        QCOMPARE(f.mgr.GetSuitableLayoutType(0, 3, {4, 77}), 77); // undescribed: 0 windows
        QCOMPARE(f.mgr.GetSuitableLayoutType(0, 100, {}), 0);
    }

    void initAndRebuild()
    {
        Fixture f(10);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QVERIFY(f.Init(3));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0), QVariantList({3, QString()}));
        auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
        QVERIFY(grid->contentsMargins().isNull() && grid->spacing() == 0);
        QCOMPARE(Placed(&f.host), 6);
        QCOMPARE(PlaceOf(&f.host, f.windows[0]), QStringLiteral("0,0 2x2"));
        for (int i = 0; i < 10; ++i)
            QCOMPARE(f.windows[i]->isHidden(), i >= 6);

        QLayout* layout = f.host.layout();
        QVERIFY(f.mgr.ReDisplay(3)); // already shown: no rebuild
        QVERIFY(!f.mgr.ReDisplay(15)); // undescribed: everything stays
        QCOMPARE(f.host.layout(), layout);
        QVERIFY(f.mgr.ReDisplay(8));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(Placed(&f.host), 10);

        // The next index for an added window, without a rebuild; null is ignored.
        auto* extra = new QWidget(&f.host);
        f.mgr.AddWidget(extra);
        f.mgr.AddWidget(nullptr);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(f.mgr.IndexOf(extra), 10);
        QVERIFY(f.mgr.ResetWidgets(f.windows.mid(0, 2), 4));
        QCOMPARE(Placed(&f.host), 2);
        QCOMPARE(f.mgr.IndexOf(extra), -1);
        QVERIFY(!f.mgr.ResetWidgets(f.windows, 99));

        // A later description of a type wins; Init forgets what was loaded before.
        const QString first = f.Write(Document({Square(2, 2)}), "a.xml");
        const QString second = f.Write(Document({Square(2, 1)}), "b.xml");
        QVERIFY(f.mgr.Init(QStringList{first, second}, &f.host, f.windows, 2));
        QCOMPARE(f.mgr.GetWndCountByType(2), 1);
        QCOMPARE(f.mgr.GetWndCountByType(8), 0);
        // A null host fails before anything is forgotten; a file that cannot be opened empties.
        QVERIFY(!f.mgr.Init(QStringList{first}, nullptr, f.windows, 2));
        QCOMPARE(f.mgr.GetWndCountByType(2), 1);
        QVERIFY(
            !f.mgr.Init(QStringList{first, f.dir.filePath("missing.xml")}, &f.host, f.windows, 2));
        QCOMPARE(f.mgr.GetSplitType(), 0);
        QCOMPARE(f.mgr.GetWndCountByType(2), 0);
        layout = f.host.layout();
        QVERIFY(!f.mgr.ReDisplay(2)); // no host any more
        QCOMPARE(f.host.layout(), layout);
        QVERIFY(!f.mgr.Init(QString(), &f.host, f.windows, 2));
    }

    void customDivisions()
    {
        Fixture f(4);
        QVERIFY(f.Init(2));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QLayout* layout = f.host.layout();
        // Without text or description a custom type is recorded, but nothing is shown.
        QVERIFY(!f.mgr.ReDisplay(201));
        QCOMPARE(f.mgr.GetSplitType(), 201);
        QCOMPARE(f.host.layout(), layout);
        // The root's first child describes the division; its "Type" (7 here) is ignored.
        const QString text = Document(
            {Config(7, 3, "1,1", "1,1", {Cell(0, 0, 0, 2, 1), Cell(1, 0, 1), Cell(2, 1, 1)})});
        for (int type = 201; type <= 203; ++type) {
            QVERIFY(f.mgr.ReDisplay(type, text));
            QCOMPARE(f.mgr.GetWndCountByType(type), 3);
            QCOMPARE(changed.last(), QVariantList({type, text}));
        }
        QCOMPARE(f.mgr.GetXml(), text);
        QCOMPARE(f.mgr.GetWndCountByType(7), 0);
        QCOMPARE(PlaceOf(&f.host, f.windows[0]), QStringLiteral("0,0 2x1"));
        QVERIFY(f.mgr.ReDisplay(203, text)); // the same text again: nothing to do
        QCOMPARE(changed.count(), 3);

        // Bad text fails for an undescribed type, and leaves a custom description in place.
        const QString bad[] = {"not xml at all", "<Config><ElementConfig><Name>x</Na",
                               "<Config><Other/>" + Config(0, 1, "1", "1", {}) + "</Config>",
                               Config(0, 1, "1", "1", {})};
        for (const QString& badText : bad) {
            QVERIFY(!f.mgr.ReDisplay(204, badText));
            QCOMPARE(f.mgr.GetWndCountByType(204), 0);
            QVERIFY(f.mgr.ReDisplay(203, badText));
            QCOMPARE(f.mgr.GetWndCountByType(203), 3);
            QCOMPARE(f.mgr.GetXml(), badText);
        }

        // Text replaces the description of a file-defined type too; showing one empties GetXml.
        QVERIFY(f.mgr.ReDisplay(
            4, Document({Config(0, 2, "1", "1,1", {Cell(0, 0, 0), Cell(1, 0, 1)})})));
        QCOMPARE(f.mgr.GetWndCountByType(4), 2);
        QCOMPARE(f.mgr.GetXml(), QString());
        QCOMPARE(Placed(&f.host), 2);

        // Maximising a custom division comes back to it with its text.
        QVERIFY(f.mgr.ReDisplay(202, text));
        f.mgr.ShowMaximized(f.windows[1]);
        f.mgr.ShowNormal();
        QCOMPARE(changed.last(), QVariantList({202, text}));
        QCOMPARE(PlaceOf(&f.host, f.windows[2]), QStringLiteral("1,1 1x1"));
    }

    void cells()
    {
        Fixture f(3);
        // Stretch: one factor per part, empty and non-numeric parts 0, negatives 0.
        QVERIFY(f.Init(9, Document({Config(9, 2, "3,x,-2,", "", {Cell(0, 0, 0), Cell(1, 1, 1)})})));
        auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
        QCOMPARE(QVector<int>({grid->rowStretch(0), grid->rowStretch(1), grid->rowStretch(2),
                               grid->columnStretch(0)}),
                 QVector<int>({3, 0, 0, 0}));
        // Spacers stretch, cells of other types are inert; a window not placed is hidden.
        QVERIFY(f.Init(9,
                       Document({Config(9, 2, "1,1", "1,1",
                                        {Cell(0, 0, 0), Cell(0, 0, 1, 1, 1, "QSpacerItem"),
                                         Cell(1, 1, 0, 1, 1, "QLabel"), Cell(1, 1, 1)})})));
        grid = qobject_cast<QGridLayout*>(f.host.layout());
        QCOMPARE(grid->count(), 3);
        QCOMPARE(grid->itemAtPosition(0, 1)->spacerItem()->sizePolicy().verticalPolicy(),
                 QSizePolicy::Expanding);
        QCOMPARE(grid->itemAtPosition(1, 0), nullptr);
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), QStringLiteral("1,1 1x1"));
        QVERIFY(f.windows[2]->isHidden());
        // A cell naming a missing window ends the walk; the rest stay shown but unplaced.
        QVERIFY(f.Init(
            9,
            Document({Config(9, 2, "1", "1,1", {Cell(0, 0, 0), Cell(5, 0, 1), Cell(1, 0, 2)})})));
        QCOMPARE(Placed(&f.host), 1);
        QVERIFY(!f.windows[1]->isHidden());
        // A window listed twice, or named by two cells, is placed once.
        QVERIFY(f.mgr.Init(f.Write(StandardDocument()), &f.host,
                           {f.windows[0], f.windows[0], f.windows[1]}, 2));
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), QStringLiteral("1,0 1x1"));
        QCOMPARE(f.mgr.IndexOf(f.windows[0]), 0);
        QVERIFY(f.mgr.ReDisplay(
            201, Document({Config(0, 2, "1", "1,1", {Cell(0, 0, 0), Cell(0, 0, 1)})})));
        QCOMPARE(Placed(&f.host), 1);

        // Windows without a parent: a placed one is adopted by the host; one counted in but
        // without a cell does not pop up as a window of its own.
        QWidget orphan;
        QWidget lone;
        QVERIFY(f.mgr.Init(f.Write(Document({Config(1, 2, "1", "1", {Cell(0, 0, 0)})})), &f.host,
                           {&orphan, &lone}, 1));
        QCOMPARE(orphan.parentWidget(), &f.host);
        QVERIFY(!orphan.isHidden() && lone.isHidden() && !lone.parentWidget());
        orphan.setParent(nullptr);
    }

    void exchangesInsertionsRemovals()
    {
        Fixture f(9);
        QVERIFY(f.Init(4));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        for (const QPoint& bad : {QPoint(0, 99), QPoint(10, 0), QPoint(-1, 0), QPoint(50, 50)})
            QVERIFY(!f.mgr.SwitchDisplay(bad.x(), bad.y()));
        QVERIFY(f.mgr.SwitchDisplay(2, 2)); // true, nothing to rebuild
        QCOMPARE(changed.count(), 0);
        QVERIFY(f.mgr.SwitchDisplay(0, 1));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(PlaceOf(&f.host, f.windows[1]), QStringLiteral("0,0 1x1"));
        QVERIFY(f.mgr.SwitchDisplay(f.windows[3], f.windows[7]));
        QCOMPARE(PlaceOf(&f.host, f.windows[7]), QStringLiteral("1,0 1x1"));
        QWidget stranger; // a window not found stands for index 0
        QVERIFY(f.mgr.SwitchDisplay(&stranger, f.windows[5]));
        QCOMPARE(f.mgr.GetWidget(0), f.windows[5]);
        QVERIFY(f.mgr.ResetSwitch());
        for (int i = 0; i < 9; ++i)
            QCOMPARE(f.mgr.GetWidget(i), f.windows[i]);

        auto* inserted = new QWidget(&f.host);
        QVERIFY(f.mgr.InsertWidgetAt(1, inserted));
        QCOMPARE(PlaceOf(&f.host, inserted), QStringLiteral("0,1 1x1"));
        QList<QWidget*> given;
        f.mgr.GetLayoutWidgets(given);
        QCOMPARE(given.mid(0, 3), QList<QWidget*>({f.windows[0], inserted, f.windows[1]}));
        QVERIFY(f.mgr.InsertWidgetAt(0, new QWidget(&f.host), true, 2)); // and shows type 2
        QVERIFY(f.windows[2]->isHidden()); // index 4 now, beyond the four windows of type 2
        auto* last = new QWidget(&f.host);
        QVERIFY(f.mgr.InsertWidgetAt(100, last)); // appended
        QCOMPARE(f.mgr.GetWidget(11), last);
        const int before = changed.count();
        QVERIFY(!f.mgr.InsertWidgetAt(0, nullptr));
        QVERIFY(!f.mgr.InsertWidgetAt(-1, &stranger));
        QVERIFY(!f.mgr.RemoveWidgetAt(12));
        QVERIFY(!f.mgr.RemoveWidgetAt(-1));
        QCOMPARE(changed.count(), before);

        QVERIFY(f.mgr.RemoveWidgetAt(0)); // the windows above move down
        QCOMPARE(f.mgr.GetWidget(0), f.windows[0]);
        QVERIFY(f.mgr.RemoveWidgetAt(0, true, 1));
        QCOMPARE(f.mgr.GetSplitType(), 1);
        QCOMPARE(f.mgr.IndexOf(f.windows[0]), -1);
        QVERIFY(!f.windows[0]->isHidden()); // neither hidden nor deleted, just unplaced
        QCOMPARE(PlaceOf(&f.host, inserted), QStringLiteral("0,0 1x1"));
    }

    void maximise()
    {
        Fixture f(6);
        QVERIFY(f.Init(4));
        QSignalSpy maximised(&f.mgr, &CWidgetLayoutMgr::SignalShowMaximized);
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        QLayout* layout = f.host.layout();
        QWidget stranger;
        for (QWidget* ignored : {static_cast<QWidget*>(nullptr), &stranger})
            f.mgr.ShowMaximized(ignored);
        for (int ignored : {6, -1})
            f.mgr.ShowMaximized(ignored);
        QCOMPARE(f.host.layout(), layout);

        f.mgr.ShowMaximized(f.windows[3]);
        QCOMPARE(Placed(&f.host), 1);
        QVERIFY(f.windows[0]->isHidden() && !f.windows[3]->isHidden());
        QVERIFY(f.mgr.Maximized(f.windows[3]) && !f.mgr.Maximized(f.windows[0]));
        f.mgr.ShowNormal(); // rebuilds the same division
        QCOMPARE(maximised, QList<QVariantList>({{true}, {false}}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(Placed(&f.host), 6);
        f.mgr.ShowMaximized(2);
        QVERIFY(f.mgr.ReDisplay(4)); // any rebuild ends the maximised state
        QVERIFY(!f.mgr.Maximized(f.windows[2]));

        // In the one-window division neither does anything.
        QVERIFY(f.mgr.ReDisplay(1));
        const int before = maximised.count();
        f.mgr.ShowMaximized(f.windows[0]);
        f.mgr.ShowNormal();
        QCOMPARE(maximised.count(), before);
        QVERIFY(!f.mgr.Maximized(f.windows[0]));
    }

    void neighboursAndSpans()
    {
        // 2 x 2: 0 1 / 2 3; the six-window division 3: a big 0 top left, 1 and 2 down the right,
        // 3 to 5 along the bottom. Left and right step and wrap, up and down find the window on
        // the edge over the first column or stay.
        // clang-format off
        const int rows[][4] = { // division, window, direction, neighbour
            {2, 0, 0, 3}, {2, 3, 2, 0}, {2, 1, 2, 2}, {2, 1, 3, 3}, {2, 1, 1, 1}, {2, 2, 1, 0},
            {2, 3, 3, 3}, {3, 0, 3, 3}, {3, 4, 1, 0}, {3, 3, 1, 0}, {3, 1, 3, 2}, {3, 2, 3, 5},
            {3, 0, 0, 5}, {3, 5, 2, 0}};
        // clang-format on
        Fixture f(9);
        QVERIFY(f.Init(2));
        for (const auto& row : rows) {
            QVERIFY(f.mgr.ReDisplay(row[0]));
            QCOMPARE(f.mgr.GetWidget(f.windows[row[1]], CWidgetLayoutMgr::Direction(row[2])),
                     f.windows[row[3]]);
        }
        QWidget stranger;
        QCOMPARE(f.mgr.GetWidget(&stranger, CWidgetLayoutMgr::Left), nullptr);
        QCOMPARE(f.mgr.GetWidget(f.windows[0], CWidgetLayoutMgr::Direction(7)), nullptr);
        // Cells name display indexes, spacers included in the count.
        const QVector<struLayoutElementData> cells{
            {"QWidget", 0, 0, 0, 1, 1}, {"QSpacerItem", 0, 0, 1, 1, 1}, {"QWidget", 1, 1, 0, 1, 2}};
        QCOMPARE(Detail::NeighbourIndex(cells, 0, CWidgetLayoutMgr::Left), 2);
        QCOMPARE(Detail::NeighbourIndex(cells, 0, CWidgetLayoutMgr::Down), 1);
        QCOMPARE(Detail::NeighbourIndex(cells, 3, CWidgetLayoutMgr::Up), -1);

        int rowSpan = 0, columnSpan = 0;
        QVERIFY(f.mgr.GetWidgetSpan(f.windows[0], rowSpan, columnSpan));
        QCOMPARE(QSize(columnSpan, rowSpan), QSize(2, 2));
        QVERIFY(!f.mgr.GetWidgetSpan(f.windows[7], rowSpan, columnSpan)); // no cell in 3
        QCOMPARE(QSize(columnSpan, rowSpan), QSize(-1, -1));
        QVERIFY(f.mgr.GetWidgetSpanByIndex(8, 15, rowSpan, columnSpan));
        QCOMPARE(QSize(columnSpan, rowSpan), QSize(1, 1));
        QVERIFY(!f.mgr.GetWidgetSpanByIndex(3, 6, rowSpan, columnSpan));
        QVERIFY(!f.mgr.GetWidgetSpanByIndex(77, 0, rowSpan, columnSpan));
        QCOMPARE(QSize(columnSpan, rowSpan), QSize(-1, -1));
        QCOMPARE(f.mgr.GetWndCountByType(3), 6);
        QCOMPARE(f.mgr.GetVirtualWndCountByType(3), 9);
        QCOMPARE(f.mgr.GetVirtualWndCountByType(12345), 0);
    }

    void windowLists()
    {
        Fixture f(6);
        QVERIFY(f.Init(2));
        QList<QWidget*> out{&f.host}; // emptied first
        f.mgr.GetAllWidgets(out);
        QCOMPARE(out, f.windows);
        QVERIFY(f.mgr.SwitchDisplay(0, 5));
        f.mgr.GetLayoutWidgets(out); // in the order given, exchanges ignored
        QCOMPARE(out, f.windows.mid(0, 4));
        f.mgr.GetLayoutVisibleWidgets(out);
        QCOMPARE(out, QList<QWidget*>({f.windows[5], f.windows[1], f.windows[2], f.windows[3]}));
        // A null window keeps its index as an empty place; a destroyed one reads as null.
        QVERIFY(f.mgr.ResetWidgets({f.windows[0], nullptr, f.windows[1], f.windows[2]}, 4));
        QCOMPARE(f.mgr.IndexOf(f.windows[1]), 2);
        QCOMPARE(Placed(&f.host), 1); // the empty place ends the walk
        delete f.windows.takeAt(0);
        QCOMPARE(f.mgr.GetWidget(0), nullptr);
        f.mgr.GetAllWidgets(out);
        QCOMPARE(out, f.windows.mid(0, 2));

        QVERIFY(!f.mgr.ReDisplay(204)); // recorded, undescribed
        QTest::ignoreMessage(QtWarningMsg,
                             "CWidgetLayoutMgr::GetLayoutWidgets: ptr_element_config == NULL");
        f.mgr.GetLayoutVisibleWidgets(out);
        QVERIFY(out.isEmpty());
        QTest::ignoreMessage(QtWarningMsg,
                             "CWidgetLayoutMgr::GetLayoutWidgets: pElementConfig == NULL");
        f.mgr.GetLayoutWidgets(out);
        QVERIFY(out.isEmpty());

        CWidgetLayoutMgr fresh; // nothing to act on yet
        QVERIFY(!fresh.ReDisplay(4) && !fresh.SwitchDisplay(0, 0) && !fresh.ResetSwitch());
    }

    void setLayoutByWndCount()
    {
        Fixture f(16);
        QVERIFY(f.Init(2));
        QSignalSpy changed(&f.mgr, &CWidgetLayoutMgr::SignalWidgetLayoutChanged);
        for (int ignored : {0, 65, -4})
            QVERIFY(!f.mgr.SetLayoutByWndCount(ignored));
        QCOMPARE(changed.count(), 0);
        const QPair<int, int> counts[] = {{7, 4}, {16, 8}, {1, 1}};
        for (const auto& count : counts) {
            QVERIFY(f.mgr.SetLayoutByWndCount(count.first));
            QCOMPARE(f.mgr.GetSplitType(), count.second);
        }
        QVERIFY(f.mgr.ReDisplay(2));
        f.mgr.SetSpliteWindowType(3);
        QVERIFY(f.mgr.SetLayoutByWndCount(1)); // counting the map once
        QCOMPARE(f.mgr.GetSplitType(), 1);
        // The map view counts the map among the windows, from the group of the division shown.
        QVERIFY(f.Init(401, Document({Config(401, 3, "1", "1,1,1", {Cell(0, 0, 0)})})));
        QCOMPARE(f.mgr.GetLayoutByWndCount(8, 3), 353);
        QCOMPARE(f.mgr.GetLayoutByWndCount(2, 3), 401);
        QCOMPARE(f.mgr.GetLayoutByWndCount(6, 7), 2);
    }

    void descriptions()
    {
        CWidgetLayoutMgr mgr;
        CLayoutElementConfig out;
        // Missing elements read as empty text or 0, missing or non-numeric attributes as 0.
        const QString text = "<Root><ElementConfig><Name>Two</Name><Type>42</Type><WndSize>2"
                             "</WndSize><RowStretch>1</RowStretch><ColumnStretch>2,3"
                             "</ColumnStretch><ElementItems>"
            + Cell(0, 0, 0) + "<B type=\"QSpacerItem\" id=\"x\" row=\"0\" column=\"1\"/>"
            + "</ElementItems></ElementConfig><ElementConfig><Type>9</Type></ElementConfig></Root>";
        QVERIFY(mgr.GetSingleLayoutElementByXml(out, text));
        QCOMPARE(QStringList({out.GetLayoutName(), out.GetLayoutRowstretch(),
                              out.GetLayoutColumnstretch()}),
                 QStringList({"Two", "1", "2,3"}));
        QVERIFY(out.GetLayoutType() == 42 && out.WndSize() == 2 && out.Size() == 2);
        const struLayoutElementData* spacer = out.GetElementItem(1);
        QVERIFY(spacer->type == "QSpacerItem" && spacer->id == 0 && spacer->rowSpan == 0);
        QCOMPARE(out.GetElementItem(2), nullptr);
        for (const char* bad : {"", "<a><b/></a>", "<a><ElementConfig>"})
            QVERIFY(!mgr.GetSingleLayoutElementByXml(out, bad));
        QCOMPARE(out.GetLayoutType(), 42); // bad text leaves `out` alone
        QVERIFY(CLayoutElementConfig::ParseSingle("<a><ElementConfig/></a>", out));
        QVERIFY(out.GetLayoutName().isEmpty() && out.WndSize() == 0 && out.Size() == 0);

        // Equal cells ignore the type text; spacers count in the grid units.
        CLayoutElementConfig config;
        config.SetLayoutType(103);
        config.SetLayoutRowstretch("2,1");
        config.AddElementItem({"QWidget", 0, 0, 0, 1, 1});
        config.AddElementItem({"QSpacerItem", 0, 1, 0, 1, 3});
        QVERIFY(config.Contains({"anything", 0, 1, 0, 1, 3}));
        QCOMPARE(config.GetLayoutVirtualWndCount(), 4); // spacers included
        CGenericDS document;
        document.CreateASRoot("Config");
        QVERIFY(config.WriteToElement(document));
        CGenericDS none;
        QVERIFY(!config.WriteToElement(none) && !config.ReadFromElement(none));
        const QVector<CLayoutElementConfig> read =
            CLayoutElementConfig::ParseDocument(document.GetXml());
        QCOMPARE(read.size(), 1);
        QVERIFY(read[0].GetLayoutType() == 103 && read[0].GetLayoutRowstretch() == "2,1");
        QVERIFY(read[0].Size() == 2 && read[0].Contains(config.GetElementItems().at(1)));
        QVERIFY(!config.RemoveElementItem(2));
        QVERIFY(config.RemoveElementItem(0));
        QCOMPARE(config.GetElementItem(0)->columnSpan, 3);
        config.Clear();
        QVERIFY(config.Size() == 0 && config.GetLayoutType() == 103);
        config.AddElementItem({"QWidget", 0, 0, 0, 100000, 100000});
        QCOMPARE(config.GetLayoutVirtualWndCount(), INT_MAX); // saturates
    }

    void damagedDescriptionFiles()
    {
        auto one = [](const QString& cells, const char* wndSize = "1", const char* stretch = "") {
            return QString::asprintf("<Config><ElementConfig><Type>9</Type><WndSize>%s</WndSize>"
                                     "<RowStretch>%s</RowStretch><ElementItems>",
                                     wndSize, stretch)
                + cells + "</ElementItems></ElementConfig></Config>";
        };
        QStringList many; // 10,000 cells of a 100 x 100 grid
        for (int i = 0; i < 10000; ++i)
            many << Cell(i, i / 100, i % 100);
        const QByteArray stretch = QByteArray("1,").repeated(10000);
        const QString nonNumeric =
            QString(Cell(0, 0, 0)).replace("n=\"0\"", "n=\"a\"").replace("n=\"1\"", "n=\"1x\"");
        // clang-format off
        const struct { QString content; bool init; int windows; int placed; } files[] = {
            // What Init with type 9 gives, the window count of type 9, the windows placed.
            {"", false, 0, 0}, {"\x01\x02 not xml <<>>", false, 0, 0},
            {Document({Square(9, 2)}).left(120), false, 0, 0},
            {"<C><G>" + Config(9, 1, "", "", {}) + "</G></C>", false, 0, 0},
            {one("<E type=\"QWidget\"/>"), true, 1, 0}, // no attributes: cells of span 0
            {one(nonNumeric, "two"), true, 0, 0}, {one(Cell(0, 0, 0, -1) + Cell(1, 0, 1), "2"), true, 2, 1},
            {one(Cell(0, -3, 0)), true, 1, 0}, {one(Cell(0, 2000000000, 0, 2000000000)), true, 1, 0},
            {one(Cell(40, 0, 0) + Cell(0, 0, 1), "3"), true, 3, 0}, // the walk ends at 40
            {one(Cell(0, 0, 0), "1", "99999999999,1,-5"), true, 1, 1},
            {one(many.join(QString()), "10000", stretch.constData()), true, 10000, 16}};
        // clang-format on
        for (const auto& file : files) {
            Fixture f(16);
            const QString good = f.Write(Document({Square(2, 2)}), "a.xml");
            const QString bad = f.Write(file.content, "b.xml");
            // A damaged file adds what it can and never fails Init by itself.
            QCOMPARE(f.mgr.Init(QStringList{good, bad}, &f.host, f.windows, 9), file.init);
            QCOMPARE(f.mgr.GetWndCountByType(9), file.windows);
            if (file.init) {
                QCOMPARE(Placed(&f.host), file.placed);
                auto* grid = qobject_cast<QGridLayout*>(f.host.layout());
                QVERIFY(grid->rowCount() <= Detail::kMaxGridLines);
                QVERIFY(grid->columnCount() <= Detail::kMaxGridLines);
            }
            QVERIFY(f.mgr.ReDisplay(2)); // whatever the file held, the manager still works
            QCOMPARE(Placed(&f.host), 4);
        }
    }

    void defaultLayoutFiles()
    {
        const QStringList files = CWidgetLayoutMgr::DefaultLayoutFiles(NIMB_LAYOUTS_DIR);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QVERIFY(file.endsWith(".xml") && QFileInfo(file).isAbsolute());
        QStringList sorted = files;
        sorted.sort();
        QCOMPARE(files, sorted);
        QVERIFY(CWidgetLayoutMgr::DefaultLayoutFiles("/no/such/folder").isEmpty());
        qputenv("NIMB_LAYOUTS_DIR", NIMB_LAYOUTS_DIR);
        QCOMPARE(CWidgetLayoutMgr::DefaultLayoutsFolder(), QStringLiteral(NIMB_LAYOUTS_DIR));
        QCOMPARE(CWidgetLayoutMgr::DefaultLayoutFiles(), files);
        qunsetenv("NIMB_LAYOUTS_DIR");

        // The manager leaves host and windows behind.
        QWidget host;
        QPointer<QWidget> window = new QWidget(&host);
        {
            CWidgetLayoutMgr mgr;
            QVERIFY(mgr.Init(files, &host, {window.data()}, 1));
        }
        QVERIFY(window && host.layout() && host.layout()->indexOf(window) == 0);
    }

    void shippedDescriptions()
    {
        // Every shipped description: positive stretch factors, window cells that cover the grid
        // without overlap, one for each display index, and index 0 at the top left.
        QMap<int, CLayoutElementConfig> all;
        for (const QString& file : CWidgetLayoutMgr::DefaultLayoutFiles(NIMB_LAYOUTS_DIR)) {
            QVector<CLayoutElementConfig> configs;
            QVERIFY(CLayoutElementConfig::LoadDocument(file, configs) && !configs.isEmpty());
            for (const CLayoutElementConfig& config : qAsConst(configs)) {
                QVERIFY2(!all.contains(config.GetLayoutType()), "described twice");
                all.insert(config.GetLayoutType(), config);
            }
        }
        for (const CLayoutElementConfig& config : qAsConst(all)) {
            const QString name = QString::number(config.GetLayoutType());
            const QStringList rows = config.GetLayoutRowstretch().split(',');
            const QStringList columns = config.GetLayoutColumnstretch().split(',');
            for (const QString& factor : rows + columns)
                QVERIFY2(factor.toInt() > 0, qPrintable(name));
            QVector<int> owner(rows.size() * columns.size(), -1);
            QSet<int> ids;
            for (const struLayoutElementData& cell : config.GetElementItems()) {
                QVERIFY2(Detail::IsWindowCell(cell) && cell.id >= 0 && cell.id < config.WndSize(),
                         qPrintable(name));
                QVERIFY(Detail::IsPlaceableCell(cell) && cell.row + cell.rowSpan <= rows.size()
                        && cell.column + cell.columnSpan <= columns.size());
                for (int r = cell.row; r < cell.row + cell.rowSpan; ++r) {
                    for (int c = cell.column; c < cell.column + cell.columnSpan; ++c) {
                        QVERIFY2(owner[r * columns.size() + c] < 0, qPrintable(name));
                        owner[r * columns.size() + c] = cell.id;
                    }
                }
                ids.insert(cell.id);
            }
            QVERIFY2(ids.size() == config.WndSize() && config.Size() == config.WndSize(),
                     qPrintable(name));
            QVERIFY2(!owner.contains(-1) && owner[0] == 0, qPrintable(name));
        }

        // The selector's buttons name the grid ("R" for R x R, "CxR") and the window count.
        // clang-format off
        const QPair<const char*, int> buttons[] = {{"1_1", 1}, {"2_4", 2}, {"3_6", 3}, {"3_9", 4},
            {"4_8", 5}, {"4_13", 7}, {"4_16", 8}, {"5_25", 15}, {"7_32", 16}, {"6_36", 18},
            {"8_64", 17}, {"4x3_4", 100}, {"4x3_6", 101}, {"4x3_9", 102}, {"4x3_12", 103},
            {"8x6_7", 104}, {"8x6_16", 105}, {"8x6_24", 106}, {"8x6_36", 107}, {"8x6_48", 108}};
        // clang-format on
        for (const auto& button : buttons) {
            const CLayoutElementConfig config = all.value(button.second);
            const int rows = config.GetLayoutRowstretch().split(',').size();
            const int columns = config.GetLayoutColumnstretch().split(',').size();
            QCOMPARE(
                (rows == columns ? QString::number(rows) : QString("%1x%2").arg(columns).arg(rows))
                    + '_' + QString::number(config.WndSize()),
                QString(button.first));
        }
        // Every type a view offers is described; whatever the tables choose for n windows is
        // described and shows at least n.
        for (int view = 1; view <= 3; ++view) {
            QVector<int> offered;
            CWidgetLayoutMgr::GetSupportSplit(offered, view);
            for (int type : qAsConst(offered))
                QVERIFY2(all.contains(type), qPrintable(QString::number(type)));
        }
        auto holds = [&](int type, int n) { return all.value(type).WndSize() >= n; };
        const QPair<int, int> groupMaxima[] = {{1, 64}, {7, 17}, {8, 8}, {9, 8}, {10, 48}};
        for (const auto& group : groupMaxima) {
            for (int n = 1; n <= group.second; ++n) {
                QVERIFY(holds(Detail::VideoLayoutByWndCountWithinGroup(group.first, n, 1), n));
                QVERIFY(n > Detail::MaximumWndCountInGroup(group.first, 3)
                        || holds(Detail::MapLayoutByWndCountWithinGroup(group.first, n, 3), n));
            }
        }
        for (int n = 0; n <= 16; ++n) {
            QVERIFY(holds(CWidgetLayoutMgr::GetLayoutByWndCount(n, 1, 3), n + 1)); // and the map
            QVERIFY(holds(CWidgetLayoutMgr::GetLayoutByWndCount(n, 3, 1), n));
            QVERIFY(holds(CWidgetLayoutMgr::GetLayoutByWndCount(n, 1, 2), n));
        }
    }
};

QTEST_MAIN(tst_WidgetLayoutMgr)
#include "tst_widgetlayoutmgr.moc"
