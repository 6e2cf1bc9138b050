#include "WidgetLayout/ConfigurableLayoutWidget.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

#include "WidgetLayout/OffscreenPlatformWarnings.h"

#include <QGridLayout>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

typedef CConfigurableLayoutWidget::LayoutConfigStruct Element;

const QString kCustomName = QStringLiteral("\u81EA\u5B9A\u4E49 1"); // a name in Chinese

// A 2 x 2 description of type 2 named kCustomName next to a one-window description of type 1.
QByteArray DescriptionText()
{
    const QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<Config>\n"
                       " <ElementConfig>\n"
                       "  <Name>One</Name><Type>1</Type><WndSize>1</WndSize>\n"
                       "  <RowStretch>1</RowStretch><ColumnStretch>1</ColumnStretch>\n"
                       "  <ElementItems><Element type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" "
                       "rowSpan=\"1\" columnSpan=\"1\"/></ElementItems>\n"
                       " </ElementConfig>\n"
                       " <ElementConfig>\n"
                       "  <Name>%1</Name><Type>2</Type><WndSize>4</WndSize>\n"
                       "  <RowStretch>1,1</RowStretch><ColumnStretch>1,1</ColumnStretch>\n"
                       "  <ElementItems>\n"
                       "   <Element type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" rowSpan=\"1\" "
                       "columnSpan=\"1\"/>\n"
                       "   <Element type=\"QWidget\" id=\"1\" row=\"0\" column=\"1\" rowSpan=\"1\" "
                       "columnSpan=\"1\"/>\n"
                       "   <Element type=\"QWidget\" id=\"2\" row=\"1\" column=\"0\" rowSpan=\"1\" "
                       "columnSpan=\"1\"/>\n"
                       "   <Element type=\"QWidget\" id=\"3\" row=\"1\" column=\"1\" rowSpan=\"1\" "
                       "columnSpan=\"1\"/>\n"
                       "  </ElementItems>\n"
                       " </ElementConfig>\n"
                       "</Config>\n")
            .arg(kCustomName);
    return text.toUtf8();
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return path;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QPoint CellCentre(const CConfigurableLayoutWidget& widget, const QPoint& cell)
{
    const QSize size = widget.GetCellSize();
    return QPoint(cell.x() * size.width() + size.width() / 2,
                  cell.y() * size.height() + size.height() / 2);
}

void SendMouse(QWidget& widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Drag(CConfigurableLayoutWidget& widget, const QPoint& from, const QPoint& to)
{
    SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Elements as rectangles in cells (x column, y row, width columns, height rows).
QList<QRect> Cells(const CConfigurableLayoutWidget& widget, bool mergedOnly)
{
    QVector<Element> elements;
    widget.GetLayoutConfigs(elements);
    QList<QRect> cells;
    for (const Element& element : qAsConst(elements)) {
        if (!mergedOnly || element.merged)
            cells.append(QRect(element.column, element.row, element.columnSpan, element.rowSpan));
    }
    return cells;
}

// Every cell of the grid belongs to exactly one element.
bool Tiles(const CConfigurableLayoutWidget& widget)
{
    QVector<int> covered(widget.GetRowCount() * widget.GetColumnCount(), 0);
    for (const QRect& cells : Cells(widget, false)) {
        for (int r = cells.top(); r <= cells.bottom(); ++r) {
            for (int c = cells.left(); c <= cells.right(); ++c) {
                if (r < 0 || c < 0 || r >= widget.GetRowCount() || c >= widget.GetColumnCount())
                    return false;
                ++covered[r * widget.GetColumnCount() + c];
            }
        }
    }
    return std::all_of(covered.begin(), covered.end(), [](int n) { return n == 1; });
}

// A 301 x 301 editor of a 3 x 3 grid: cells of 100 x 100 pixels.
struct Editor
{
    Editor()
    {
        widget.resize(301, 301);
        widget.SetParam(3, 3);
    }
    CConfigurableLayoutWidget widget;
};

QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// Pixels of `colour` on the segment from `from` to `to` (horizontal or vertical).
int CountOnLine(const QImage& image, QPoint from, const QPoint& to, const QColor& colour)
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    int count = 0;
    for (;; from += step) {
        count += image.pixelColor(from) == colour ? 1 : 0;
        if (from == to)
            break;
    }
    return count;
}

} // namespace

class tst_ConfigurableLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        OffscreenPlatformWarnings::Install();
        // drawing logs every point it follows; the test output has no use for them
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    }
    void cleanupTestCase() { OffscreenPlatformWarnings::Remove(); }

    void drawingMerges_data()
    {
        QTest::addColumn<QList<QPoint>>("drags"); // pairs of cells (column, row)
        QTest::addColumn<QList<QRect>>("merged");
        QTest::addColumn<int>("elements");
        QTest::addColumn<QList<bool>>("states");

        QTest::newRow("two neighbours") << QList<QPoint>{{0, 0}, {1, 0}}
                                        << QList<QRect>{{0, 0, 2, 1}} << 8 << QList<bool>{true};
        QTest::newRow("square") << QList<QPoint>{{0, 0}, {1, 1}} << QList<QRect>{{0, 0, 2, 2}}
                                << 6 << QList<bool>{true};
        QTest::newRow("drawn backwards") << QList<QPoint>{{2, 2}, {1, 1}}
                                         << QList<QRect>{{1, 1, 2, 2}} << 6 << QList<bool>{true};
        QTest::newRow("column") << QList<QPoint>{{2, 0}, {2, 2}} << QList<QRect>{{2, 0, 1, 3}}
                                << 7 << QList<bool>{true};
        QTest::newRow("touching a merged element takes it in")
            << QList<QPoint>{{0, 0}, {1, 1}, {2, 2}, {1, 1}} << QList<QRect>{{0, 0, 3, 3}} << 1
            << QList<bool>{true, true};
        QTest::newRow("corner of a merged element widens the rectangle")
            << QList<QPoint>{{0, 1}, {1, 1}, {1, 0}, {2, 1}} << QList<QRect>{{0, 0, 3, 2}} << 4
            << QList<bool>{true, true};
        QTest::newRow("two separate merges")
            << QList<QPoint>{{0, 0}, {0, 1}, {2, 1}, {2, 2}}
            << QList<QRect>{{0, 0, 1, 2}, {2, 1, 1, 2}} << 7 << QList<bool>{true, true};
        QTest::newRow("redrawing a merged element changes nothing")
            << QList<QPoint>{{0, 0}, {1, 1}, {1, 1}, {0, 0}} << QList<QRect>{{0, 0, 2, 2}} << 6
            << QList<bool>{true, true};
        QTest::newRow("one cell merges nothing") << QList<QPoint>{{1, 1}, {1, 1}}
                                                 << QList<QRect>() << 9 << QList<bool>();
    }
    void drawingMerges()
    {
        QFETCH(QList<QPoint>, drags);
        QFETCH(QList<QRect>, merged);
        QFETCH(int, elements);
        QFETCH(QList<bool>, states);

        Editor editor;
        QSignalSpy state(&editor.widget, &CConfigurableLayoutWidget::SignalStateChanged);
        for (int i = 0; i + 1 < drags.size(); i += 2)
            Drag(editor.widget, CellCentre(editor.widget, drags.at(i)),
                 CellCentre(editor.widget, drags.at(i + 1)));

        QCOMPARE(Cells(editor.widget, true), merged);
        QCOMPARE(Cells(editor.widget, false).size(), elements);
        QVERIFY(Tiles(editor.widget));
        QList<bool> reported;
        for (const QList<QVariant>& arguments : qAsConst(state))
            reported.append(arguments.at(0).toBool());
        QCOMPARE(reported, states);
    }

    void clickSelectsTheElementUnderIt()
    {
        Editor editor;
        Drag(editor.widget, CellCentre(editor.widget, {1, 1}), CellCentre(editor.widget, {2, 2}));
        QSignalSpy select(&editor.widget, &CConfigurableLayoutWidget::SignalSelectIndex);
        QSignalSpy state(&editor.widget, &CConfigurableLayoutWidget::SignalStateChanged);
        Drag(editor.widget, CellCentre(editor.widget, {2, 2}), CellCentre(editor.widget, {2, 2}));
        Drag(editor.widget, CellCentre(editor.widget, {0, 2}), CellCentre(editor.widget, {0, 2}));
        QCOMPARE(select.count(), 2);
        QCOMPARE(select.at(0), (QList<QVariant>{1, 1})); // the merged element's top-left cell
        QCOMPARE(select.at(1), (QList<QVariant>{2, 0}));
        QCOMPARE(state.count(), 0);
    }

    void releaseOutsideTheGridMergesNothing()
    {
        Editor editor;
        QSignalSpy state(&editor.widget, &CConfigurableLayoutWidget::SignalStateChanged);
        Drag(editor.widget, CellCentre(editor.widget, {0, 0}), QPoint(500, 500));
        Drag(editor.widget, QPoint(-5, 20), CellCentre(editor.widget, {1, 1}));
        QCOMPARE(Cells(editor.widget, false).size(), 9);
        QCOMPARE(state.count(), 0);
    }

    void setParam_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("expectedRows");
        QTest::addColumn<int>("expectedColumns");
        QTest::addColumn<QList<QRect>>("merged");
        QTest::addColumn<int>("elements");

        // the grid starts as 3 x 3 with cells (0, 0) to (1, 1) merged
        const QList<QRect> square{{0, 0, 2, 2}};
        QTest::newRow("no rows") << 0 << 3 << 3 << 3 << square << 6;
        QTest::newRow("no columns") << 3 << 0 << 3 << 3 << square << 6;
        QTest::newRow("negative") << -2 << -2 << 3 << 3 << square << 6;
        QTest::newRow("absurd") << 100000 << 3 << 3 << 3 << square << 6;
        QTest::newRow("unchanged") << 3 << 3 << 3 << 3 << square << 6;
        QTest::newRow("larger") << 4 << 4 << 4 << 4 << square << 13;
        QTest::newRow("one row fewer") << 2 << 3 << 2 << 3 << square << 3;
        QTest::newRow("cut back to one row") << 1 << 3 << 1 << 3 << QList<QRect>{{0, 0, 2, 1}}
                                             << 2;
        QTest::newRow("cut back to one cell") << 1 << 1 << 1 << 1 << QList<QRect>() << 1;
    }
    void setParam()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(int, expectedRows);
        QFETCH(int, expectedColumns);
        QFETCH(QList<QRect>, merged);
        QFETCH(int, elements);

        Editor editor;
        Drag(editor.widget, CellCentre(editor.widget, {0, 0}), CellCentre(editor.widget, {1, 1}));
        QSignalSpy state(&editor.widget, &CConfigurableLayoutWidget::SignalStateChanged);
        editor.widget.SetParam(rows, columns);
        QCOMPARE(editor.widget.GetRowCount(), expectedRows);
        QCOMPARE(editor.widget.GetColumnCount(), expectedColumns);
        QCOMPARE(Cells(editor.widget, true), merged);
        QCOMPARE(Cells(editor.widget, false).size(), elements);
        QVERIFY(Tiles(editor.widget));
        QCOMPARE(state.count(), expectedRows == 3 && expectedColumns == 3 ? 0 : 1);
        QCOMPARE(editor.widget.GetCellSize(),
                 QSize(300 / expectedColumns, 300 / expectedRows));
    }

    void savedFileLoadsIntoTheLayoutManager()
    {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "layouts.xml", DescriptionText());
        CConfigurableLayoutWidget editor;
        editor.resize(301, 301);
        editor.SetLayoutName(kCustomName);
        QVERIFY(editor.Init(path));
        QCOMPARE(editor.GetRowCount(), 2);
        QCOMPARE(editor.GetColumnCount(), 2);
        QCOMPARE(Cells(editor, false).size(), 4);

        // a 3 x 3 grid with one window of 2 x 2 cells and five single cells
        editor.SetParam(3, 3);
        Drag(editor, CellCentre(editor, {0, 0}), CellCentre(editor, {1, 1}));
        QSignalSpy state(&editor, &CConfigurableLayoutWidget::SignalStateChanged);
        QVERIFY(editor.Save());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.at(0).at(0).toBool(), false);

        const QByteArray bytes = ReadFile(path);
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GB2312\"?>"));
        QVERIFY2(!bytes.contains("\n "), "written without indentation");
        QTextCodec* gb2312 = QTextCodec::codecForName("GB2312");
        QVERIFY(gb2312);
        QVERIFY(bytes.contains(gb2312->fromUnicode(kCustomName)));

        QWidget host;
        QList<QWidget*> windows;
        for (int i = 0; i < 6; ++i)
            windows.append(new QWidget(&host));
        CWidgetLayoutMgr manager;
        QVERIFY(manager.Init(path, &host, windows, 2));
        QCOMPARE(manager.GetWndCountByType(2), 6);
        QCOMPARE(manager.GetWndCountByType(1), 1); // the other description is untouched
        QCOMPARE(manager.GetLayoutElementConfig(2)->GetLayoutName(), kCustomName);
        QCOMPARE(manager.GetLayoutElementConfig(2)->GetLayoutRowstretch(), QStringLiteral("1,1,1"));
        QCOMPARE(manager.GetLayoutElementConfig(2)->GetLayoutColumnstretch(),
                 QStringLiteral("1,1,1"));

        auto* grid = qobject_cast<QGridLayout*>(host.layout());
        QVERIFY(grid);
        const QList<QRect> expected{{0, 0, 2, 2}, {2, 0, 1, 1}, {2, 1, 1, 1},
                                    {0, 2, 1, 1}, {1, 2, 1, 1}, {2, 2, 1, 1}};
        for (int i = 0; i < 6; ++i) {
            int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
            grid->getItemPosition(grid->indexOf(windows.at(i)), &row, &column, &rowSpan,
                                  &columnSpan);
            QCOMPARE(QRect(column, row, columnSpan, rowSpan), expected.at(i));
        }

        // and the editor reads its own file back
        CConfigurableLayoutWidget reader;
        reader.resize(301, 301);
        reader.SetLayoutName(kCustomName);
        QVERIFY(reader.Init(path));
        QCOMPARE(Cells(reader, false), Cells(editor, false));
    }

    void loadsADescriptionByType()
    {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "layouts.xml", DescriptionText());
        CConfigurableLayoutWidget editor;
        editor.resize(201, 201);
        QVERIFY(editor.Init(path));
        QCOMPARE(editor.GetLayoutName(), QStringLiteral("One")); // the first description
        QCOMPARE(editor.GetRowCount(), 1);

        QVERIFY(editor.LoadLayoutElementConfig(2));
        QCOMPARE(editor.GetLayoutName(), kCustomName);
        QCOMPARE(Cells(editor, false).size(), 4);

        QVERIFY(!editor.LoadLayoutElementConfig(77));
        QCOMPARE(editor.GetLayoutName(), kCustomName);
        QCOMPARE(Cells(editor, false).size(), 4);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("layoutName");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");

        const QByteArray head = "<Config><ElementConfig><Name>A</Name><Type>9</Type>";
        QTest::newRow("empty") << QByteArray() << QString() << false << 0 << 0;
        QTest::newRow("garbage") << QByteArray("\x01\x02 not xml <<<") << QString() << false << 0
                                 << 0;
        QTest::newRow("truncated") << head.left(30) << QString() << false << 0 << 0;
        QTest::newRow("unknown name") << DescriptionText() << QStringLiteral("Nope") << false << 0
                                      << 0;
        QTest::newRow("no cells, no stretches")
            << head + "</ElementConfig></Config>" << QString() << false << 0 << 0;
        QTest::newRow("grid from the cells")
            << head + "<ElementItems><E type=\"QWidget\" row=\"1\" column=\"2\" rowSpan=\"1\" "
                      "columnSpan=\"1\"/></ElementItems></ElementConfig></Config>"
            << QString() << true << 2 << 3;
        QTest::newRow("broken cells are left out")
            << head + "<RowStretch>1,1</RowStretch><ColumnStretch>1,1</ColumnStretch>"
                      "<ElementItems>"
                      "<E type=\"QWidget\" row=\"0\" column=\"0\" rowSpan=\"-3\" columnSpan=\"1\"/>"
                      "<E type=\"QWidget\" row=\"x\" column=\"0\" rowSpan=\"2\" columnSpan=\"2\"/>"
                      "<E type=\"QWidget\" row=\"1\" column=\"1\" rowSpan=\"9\" columnSpan=\"9\"/>"
                      "<E type=\"QWidget\" row=\"1\" column=\"0\" rowSpan=\"1\" columnSpan=\"2\"/>"
                      "<E type=\"Other\" row=\"0\" column=\"1\" rowSpan=\"1\" columnSpan=\"1\"/>"
                      "</ElementItems></ElementConfig></Config>"
            << QString() << true << 2 << 2;
        QTest::newRow("10,000 cells in one row")
            << head + "<ColumnStretch>" + QByteArray("1,").repeated(9999) + "1</ColumnStretch>"
                   + "</ElementConfig></Config>"
            << QString() << false << 0 << 0;
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, layoutName);
        QFETCH(bool, loads);
        QFETCH(int, rows);
        QFETCH(int, columns);

        QTemporaryDir dir;
        const QString path = WriteFile(dir, "layouts.xml", content);
        CConfigurableLayoutWidget editor;
        editor.resize(301, 301);
        editor.SetLayoutName(layoutName);
        QCOMPARE(editor.Init(path), loads);
        QCOMPARE(editor.GetRowCount(), rows);
        QCOMPARE(editor.GetColumnCount(), columns);
        QVERIFY(Tiles(editor));
        if (!loads) {
            QVERIFY(!editor.Save());
            QCOMPARE(ReadFile(path), content); // a failed save leaves the file alone
        }
    }

    void withoutAFile()
    {
        CConfigurableLayoutWidget editor;
        QVERIFY(!editor.Init(QString()));
        QVERIFY(!editor.Init(QStringLiteral("/no/such/folder/layouts.xml")));
        editor.SetParam(2, 2);
        QVERIFY(!editor.Save());
        QVERIFY(!editor.LoadLayoutElementConfig(2));
        QCOMPARE(Cells(editor, false).size(), 4);
    }

    void hoverFollowsItsElementWhenResized()
    {
        CConfigurableLayoutWidget editor;
        editor.SetParam(3, 3);
        editor.resize(301, 301);
        Render(editor); // delivers the pending resize of a widget never shown
        SendMouse(editor, QEvent::MouseMove, QPoint(250, 250), Qt::NoButton, Qt::NoButton);
        editor.resize(601, 601);
        const QImage image = Render(editor);
        const QColor blue(0, 0, 255);
        QVERIFY(CountOnLine(image, {399, 450}, {401, 450}, blue) >= 2);
        QCOMPARE(CountOnLine(image, {199, 250}, {201, 250}, blue), 0);
    }

    void paintsCellsMergesAndTheRectangleBeingDrawn()
    {
        Editor editor;
        Drag(editor.widget, CellCentre(editor.widget, {0, 0}), CellCentre(editor.widget, {1, 1}));
        QImage image = Render(editor.widget);
        const QColor red(255, 0, 0);
        const QColor gray(Qt::darkGray);
        // the merged element's right edge is red, solid and two pixels wide
        QCOMPARE(CountOnLine(image, {199, 20}, {199, 180}, red)
                     + CountOnLine(image, {200, 20}, {200, 180}, red),
                 2 * 161);
        // its inner cell lines are dashed dark grey, as is the edge between two single cells
        const int innerDashes = CountOnLine(image, {100, 10}, {100, 190}, gray);
        QVERIFY(innerDashes > 40 && innerDashes < 181);
        const int cellDashes = CountOnLine(image, {210, 100}, {290, 100}, gray);
        QVERIFY(cellDashes > 20 && cellDashes < 81);

        // the cursor over a single cell outlines it in blue, three pixels wide
        SendMouse(editor.widget, QEvent::MouseMove, CellCentre(editor.widget, {2, 2}),
                  Qt::NoButton, Qt::NoButton);
        image = Render(editor.widget);
        const QColor blue(0, 0, 255);
        QVERIFY(CountOnLine(image, {199, 220}, {201, 220}, blue) >= 2);
        QCOMPARE(CountOnLine(image, {250, 210}, {250, 290}, blue), 0);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&editor.widget, &leave);
        QCOMPARE(CountOnLine(Render(editor.widget), {199, 220}, {201, 220}, blue), 0);

        // while drawing, the drawn rectangle is green and dash-dot-dot; no hover is shown
        SendMouse(editor.widget, QEvent::MouseButtonPress, QPoint(230, 30), Qt::LeftButton,
                  Qt::LeftButton);
        SendMouse(editor.widget, QEvent::MouseMove, QPoint(270, 250), Qt::NoButton,
                  Qt::LeftButton);
        image = Render(editor.widget);
        const int green = CountOnLine(image, {230, 40}, {230, 240}, QColor(0, 255, 0));
        QVERIFY(green > 50 && green < 201);
        // a point near the right edge is outside the drawing area and is not followed
        SendMouse(editor.widget, QEvent::MouseMove, QPoint(290, 250), Qt::NoButton,
                  Qt::LeftButton);
        image = Render(editor.widget);
        QCOMPARE(CountOnLine(image, {290, 40}, {290, 240}, QColor(0, 255, 0)), 0);
    }
};

QTEST_MAIN(tst_ConfigurableLayout)
#include "tst_configurablelayout.moc"
