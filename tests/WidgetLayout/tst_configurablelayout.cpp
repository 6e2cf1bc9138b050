#include "WidgetLayout/ConfigurableLayoutWidget.h"
#include "WidgetLayout/FreeGrid_p.h"
#include "WidgetLayout/LayoutTestSupport.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextCodec>

using namespace TesselGUIToolkit;
using namespace LayoutTest;

namespace {

const QString kCustomName = QStringLiteral("\u81EA\u5B9A\u4E49 1"); // a name in Chinese

// A one-window description of type 1 next to a 2 x 2 description of type 2 named kCustomName.
QByteArray DescriptionText()
{
    return ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>"
            + Description(1, 1, "1", "1", "0,0", "One")
            + Description(2, 4, "1,1", "1,1", "0,0 1,0 0,1 1,1", kCustomName) + "</Config>\n")
        .toUtf8();
}

// The centre of a cell given as "column,row".
QPoint Centre(const CConfigurableLayoutWidget& widget, const char* cell)
{
    const QSize size = widget.GetCellSize();
    const QPoint c = Cell(cell).topLeft();
    return QPoint(c.x() * size.width() + size.width() / 2,
                  c.y() * size.height() + size.height() / 2);
}

void Drag(CConfigurableLayoutWidget& widget, const QPoint& from, const QPoint& to)
{
    SendMouse(&widget, QEvent::MouseButtonPress, from);
    SendMouse(&widget, QEvent::MouseMove, (from + to) / 2, Qt::NoButton);
    SendMouse(&widget, QEvent::MouseMove, to, Qt::NoButton);
    SendMouse(&widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Drags between the cells of "column,row" pairs: "0,0 1,1 2,2 1,1" draws twice.
void Draw(CConfigurableLayoutWidget& widget, const QString& cells)
{
    const QStringList list = cells.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i + 1 < list.size(); i += 2)
        Drag(widget, Centre(widget, qPrintable(list[i])), Centre(widget, qPrintable(list[i + 1])));
}

// Elements as cell rectangles (x column, y row), all or only the merged ones.
QVector<QRect> Elements(const CConfigurableLayoutWidget& widget, bool mergedOnly = false)
{
    QVector<CConfigurableLayoutWidget::LayoutConfigStruct> elements;
    widget.GetLayoutConfigs(elements);
    QVector<QRect> cells;
    for (const auto& e : qAsConst(elements))
        if (!mergedOnly || e.merged)
            cells << QRect(e.column, e.row, e.columnSpan, e.rowSpan);
    return cells;
}

// Every cell of the grid belongs to exactly one element.
bool Tiles(const CConfigurableLayoutWidget& widget)
{
    Detail::CFreeGridModel grid;
    const QVector<QRect> elements = Elements(widget);
    bool ok = widget.GetRowCount() == 0
        || grid.SetGridSize(widget.GetRowCount(), widget.GetColumnCount());
    for (int i = 0; i < elements.size(); ++i)
        ok = ok && grid.AddItem(i, elements[i]);
    return ok && (widget.GetRowCount() == 0 || grid.IdleCells().isEmpty());
}

// A 301 x 301 editor of a 3 x 3 grid: cells of 100 x 100 pixels.
struct Editor : CConfigurableLayoutWidget
{
    Editor()
    {
        resize(301, 301);
        SetParam(3, 3);
    }
};

// Pixels of `colour` on the horizontal or vertical segment from `from` to `to`.
int CountOnLine(const QImage& image, QPoint from, const QPoint& to, const QColor& colour)
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    int count = image.pixelColor(from) == colour;
    while (from != to)
        count += image.pixelColor(from += step) == colour;
    return count;
}

// clang-format off
const struct { const char *name, *drags, *merged; int elements, changes; } kDrawings[] = {
    {"two neighbours", "0,0 1,0", "0,0,2,1", 8, 1}, {"square", "0,0 1,1", "0,0,2,2", 6, 1},
    {"drawn backwards", "2,2 1,1", "1,1,2,2", 6, 1}, {"column", "2,0 2,2", "2,0,1,3", 7, 1},
    {"touching a merged element takes it in", "0,0 1,1 2,2 1,1", "0,0,3,3", 1, 2},
    {"a merged corner widens the rectangle", "0,1 1,1 1,0 2,1", "0,0,3,2", 4, 2},
    {"two separate merges", "0,0 0,1 2,1 2,2", "0,0,1,2 2,1,1,2", 7, 2},
    {"redrawing a merged element changes nothing", "0,0 1,1 1,1 0,0", "0,0,2,2", 6, 2},
    {"one cell merges nothing", "1,1 1,1", "", 9, 0}};

// The grid starts as 3 x 3 with cells (0, 0) to (1, 1) merged.
const struct { const char *name, *merged; int rows, cols; QSize grid; int count; } kParams[] = {
    {"no rows", "0,0,2,2", 0, 3, {3, 3}, 6}, {"no columns", "0,0,2,2", 3, 0, {3, 3}, 6},
    {"absurd", "0,0,2,2", 100000, 3, {3, 3}, 6}, {"larger", "0,0,2,2", 4, 4, {4, 4}, 13},
    {"one row fewer", "0,0,2,2", 2, 3, {3, 2}, 3}, {"to one row", "0,0,2,1", 1, 3, {3, 1}, 2},
    {"cut back to one cell", "", 1, 1, {1, 1}, 1}};
// clang-format on

} // namespace

class tst_ConfigurableLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        InstallWarningFilter();
        // drawing logs every point it follows; the test output has no use for them
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    }
    void cleanupTestCase() { RemoveWarningFilter(); }

    void drawingMerges_data() { AddRows(kDrawings); }
    void drawingMerges()
    {
        const auto& r = Row(kDrawings);
        Editor editor;
        QSignalSpy state(&editor, &CConfigurableLayoutWidget::SignalStateChanged);
        Draw(editor, r.drags);
        QCOMPARE(Elements(editor, true), Rects(r.merged));
        QCOMPARE(Elements(editor).size(), r.elements);
        QVERIFY(Tiles(editor));
        QCOMPARE(state.count(), r.changes);
        for (const QVariantList& arguments : qAsConst(state))
            QVERIFY(arguments.at(0).toBool());
    }

    void clicksSelectAndStrayDragsDoNothing()
    {
        Editor editor;
        Draw(editor, "1,1 2,2");
        QSignalSpy select(&editor, &CConfigurableLayoutWidget::SignalSelectIndex);
        QSignalSpy state(&editor, &CConfigurableLayoutWidget::SignalStateChanged);
        Draw(editor, "2,2 2,2 0,2 0,2");
        QCOMPARE(select, (QList<QVariantList>{{1, 1}, {2, 0}})); // the element's top-left cell
        Drag(editor, Centre(editor, "0,0"), QPoint(500, 500)); // released outside the grid
        Drag(editor, QPoint(-5, 20), Centre(editor, "1,1")); // pressed outside it
        QCOMPARE(Elements(editor).size(), 6);
        QCOMPARE(state.count(), 0);
    }

    void setParam_data() { AddRows(kParams); }
    void setParam()
    {
        const auto& r = Row(kParams);
        Editor editor;
        Draw(editor, "0,0 1,1");
        QSignalSpy state(&editor, &CConfigurableLayoutWidget::SignalStateChanged);
        editor.SetParam(r.rows, r.cols);
        QCOMPARE(QSize(editor.GetColumnCount(), editor.GetRowCount()), r.grid);
        QCOMPARE(Elements(editor, true), Rects(r.merged));
        QCOMPARE(Elements(editor).size(), r.count);
        QVERIFY(Tiles(editor));
        QCOMPARE(state.count(), r.grid == QSize(3, 3) ? 0 : 1);
        QCOMPARE(editor.GetCellSize(), QSize(300 / r.grid.width(), 300 / r.grid.height()));
    }

    void savedFileLoadsIntoTheLayoutManager()
    {
        QTemporaryDir dir;
        const QString path = WriteFile(dir.filePath("layouts.xml"), DescriptionText());
        Editor editor;
        editor.SetLayoutName(kCustomName);
        QVERIFY(editor.Init(path));
        QCOMPARE(Elements(editor), Rects("0,0 1,0 0,1 1,1"));
        editor.SetParam(3, 3); // one window of 2 x 2 cells and five single cells
        Draw(editor, "0,0 1,1");
        QSignalSpy state(&editor, &CConfigurableLayoutWidget::SignalStateChanged);
        QVERIFY(editor.Save());
        QCOMPARE(state, (QList<QVariantList>{{false}}));

        const QByteArray bytes = ReadFile(path); // in GB2312, without indentation
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GB2312\"?>")
                && !bytes.contains("\n "));
        QVERIFY(bytes.contains(QTextCodec::codecForName("GB2312")->fromUnicode(kCustomName)));

        QWidget host;
        QList<QWidget*> windows;
        for (int i = 0; i < 6; ++i)
            windows << new QWidget(&host);
        CWidgetLayoutMgr manager;
        QVERIFY(manager.Init(path, &host, windows, 2));
        QVERIFY(manager.GetWndCountByType(2) == 6 && manager.GetWndCountByType(1) == 1);
        const CLayoutElementConfig* config = manager.GetLayoutElementConfig(2);
        QVERIFY(config->GetLayoutName() == kCustomName && config->GetLayoutRowstretch() == "1,1,1");
        QVector<QRect> placed;
        for (QWidget* window : windows)
            placed << GridCell(&host, window);
        QCOMPARE(placed, Rects("0,0,2,2 2,0 2,1 0,2 1,2 2,2"));
    }

    void loadsADescriptionByType()
    {
        QTemporaryDir dir;
        Editor editor;
        QVERIFY(!editor.Init(QString()) && !editor.Init("/no/such/folder/layouts.xml"));
        QVERIFY(!editor.Save() && !editor.LoadLayoutElementConfig(2)
                && Elements(editor).size() == 9);
        QVERIFY(editor.Init(WriteFile(dir.filePath("layouts.xml"), DescriptionText())));
        QVERIFY(editor.GetLayoutName() == "One" && editor.GetRowCount() == 1); // the first one
        QVERIFY(editor.LoadLayoutElementConfig(2) && editor.GetLayoutName() == kCustomName);
        QVERIFY(!editor.LoadLayoutElementConfig(77)); // nothing changes
        QVERIFY(editor.GetLayoutName() == kCustomName && Elements(editor).size() == 4);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("layoutName");
        QTest::addColumn<QSize>("grid"); // empty: the file does not load
        const QByteArray head = "<Config><ElementConfig><Name>A</Name><Type>9</Type>";
        const QByteArray tail = "</ElementItems></ElementConfig></Config>";
        const auto e = [](const char* r, const char* c, const char* rs, const char* cs) {
            return QString("<E type=\"QWidget\" row=\"%1\" column=\"%2\" rowSpan=\"%3\" "
                           "columnSpan=\"%4\"/>")
                .arg(r, c, rs, cs)
                .toUtf8();
        };
        QTest::newRow("empty") << QByteArray() << QString() << QSize();
        QTest::newRow("garbage") << QByteArray("\x01\x02 not xml <<<") << QString() << QSize();
        QTest::newRow("unknown name") << DescriptionText() << QStringLiteral("Nope") << QSize();
        QTest::newRow("no cells, no stretches")
            << head + "</ElementConfig></Config>" << QString() << QSize();
        QTest::newRow("grid from the cells")
            << head + "<ElementItems>" + e("1", "2", "1", "1") + tail << QString() << QSize(3, 2);
        QTest::newRow("broken cells are left out")
            << head + "<RowStretch>1,1</RowStretch><ColumnStretch>1,1</ColumnStretch><ElementItems>"
                + e("0", "0", "-3", "1") + e("x", "0", "2", "2") + e("1", "1", "9", "9")
                + e("1", "0", "1", "2") + e("0", "1", "1", "1").replace("QWidget", "Other") + tail
            << QString() << QSize(2, 2);
        QTest::newRow("10,000 cells in one row") << head + "<ColumnStretch>"
                + QByteArray("1,").repeated(9999) + "1</ColumnStretch></ElementConfig></Config>"
                                                 << QString() << QSize();
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, layoutName);
        QFETCH(QSize, grid);
        QTemporaryDir dir;
        const QString path = WriteFile(dir.filePath("layouts.xml"), content);
        CConfigurableLayoutWidget editor;
        editor.resize(301, 301);
        editor.SetLayoutName(layoutName);
        QCOMPARE(editor.Init(path), !grid.isEmpty());
        QCOMPARE(QSize(editor.GetColumnCount(), editor.GetRowCount()),
                 grid.isEmpty() ? QSize(0, 0) : grid);
        QVERIFY(Tiles(editor));
        if (grid.isEmpty()) {
            QVERIFY(!editor.Save());
            QCOMPARE(ReadFile(path), content); // a failed save leaves the file alone
        }
    }

    void paintsCellsMergesAndTheRectangleBeingDrawn()
    {
        Editor editor;
        Draw(editor, "0,0 1,1");
        QImage image = Render(editor, Qt::white);
        // the merged element's right edge is red, solid and two pixels wide; inner lines dashed
        QCOMPARE(CountOnLine(image, {199, 20}, {199, 180}, Qt::red)
                     + CountOnLine(image, {200, 20}, {200, 180}, Qt::red),
                 2 * 161);
        const int dashes = CountOnLine(image, {100, 10}, {100, 190}, Qt::darkGray);
        QVERIFY(dashes > 40 && dashes < 181);
        // the cursor over a single cell outlines it in blue, three pixels wide
        SendMouse(&editor, QEvent::MouseMove, Centre(editor, "2,2"), Qt::NoButton, Qt::NoButton);
        QVERIFY(CountOnLine(Render(editor, Qt::white), {199, 220}, {201, 220}, Qt::blue) >= 2);
        // while drawing, the drawn rectangle is green and dash-dot-dot
        SendMouse(&editor, QEvent::MouseButtonPress, QPoint(230, 30));
        SendMouse(&editor, QEvent::MouseMove, QPoint(270, 250), Qt::NoButton);
        const int green = CountOnLine(Render(editor, Qt::white), {230, 40}, {230, 240}, Qt::green);
        QVERIFY(green > 50 && green < 201);
    }
};

QTEST_MAIN(tst_ConfigurableLayout)
#include "tst_configurablelayout.moc"
