#include "WidgetLayout/ObservedWidget.h"

#include "WidgetLayout/OffscreenPlatformWarnings.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <limits>

using namespace TesselGUIToolkit;

namespace {

const QColor kSector(200, 40, 40);
const QPoint kCentre(80, 80);

QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    // the editor lies over a map: only what it paints itself counts, not a window background
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void SendMouse(QWidget& widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Wheel(QWidget& widget, int delta)
{
    QWheelEvent event(QPointF(kCentre), QPointF(widget.mapToGlobal(kCentre)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

// A 160 x 160 editor with its centre at (80, 80), painting only the sector.
struct Editor
{
    Editor()
    {
        widget.resize(160, 160);
        widget.SetColor(kSector);
        widget.SetCenterIcon(false);
        widget.SetShowFrame(false);
    }
    CObservedWidget widget;
};

} // namespace

class tst_ObservedWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { OffscreenPlatformWarnings::Install(); }
    void cleanupTestCase() { OffscreenPlatformWarnings::Remove(); }

    void looksLikeAnEditor()
    {
        CObservedWidget widget;
        QCOMPARE(widget.toolTip(), QStringLiteral("Use wheel to change the angle, use mouse to "
                                                  "change the direction and radius."));
        QCOMPARE(widget.cursor().shape(), Qt::OpenHandCursor);
        QVERIFY(widget.sizeHint().width() >= 2 * 68);
    }

    void sectorIsPaintedInItsColour_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("angle");
        QTest::addColumn<double>("radius");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("outside");

        // offsets from the centre in widget pixels (y grows downwards)
        QTest::newRow("east, quarter") << 0 << 90 << 10.0 << QPoint(40, 0) << QPoint(0, -40);
        QTest::newRow("east, quarter, behind") << 0 << 90 << 10.0 << QPoint(30, 20)
                                               << QPoint(-40, 0);
        QTest::newRow("north, narrow") << 90 << 30 << 10.0 << QPoint(0, -50) << QPoint(30, -40);
        QTest::newRow("south-west") << 225 << 30 << 10.0 << QPoint(-30, 30) << QPoint(30, -30);
        QTest::newRow("west, wrapping") << 180 << 120 << 10.0 << QPoint(-40, -20)
                                        << QPoint(40, 0);
        QTest::newRow("full circle") << 0 << 360 << 10.0 << QPoint(-40, 30) << QPoint(75, 0);
        // radius 3 is 20.4 pixels
        QTest::newRow("short radius") << 0 << 90 << 3.0 << QPoint(15, 0) << QPoint(30, 0);
    }
    void sectorIsPaintedInItsColour()
    {
        QFETCH(int, direction);
        QFETCH(int, angle);
        QFETCH(double, radius);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, outside);

        Editor editor;
        editor.widget.OnDrawObservedArea(direction, angle, radius);
        const QImage image = Render(editor.widget);
        QCOMPARE(image.pixelColor(kCentre + inside), kSector);
        QCOMPARE(image.pixelColor(kCentre + outside), QColor(Qt::white));
    }

    void translucentColourIsBlendedAsGiven()
    {
        Editor editor;
        editor.widget.SetColor(QColor(0, 0, 255, 128));
        editor.widget.OnDrawObservedArea(0, 90, 10.0);
        const QColor probe = Render(editor.widget).pixelColor(kCentre + QPoint(40, 0));
        QVERIFY(qAbs(probe.red() - 127) <= 2);
        QVERIFY(qAbs(probe.green() - 127) <= 2);
        QCOMPARE(probe.blue(), 255);
    }

    void frameAndIconAddToTheSector()
    {
        Editor editor;
        editor.widget.OnDrawObservedArea(0, 90, 10.0);
        const QImage plain = Render(editor.widget);

        editor.widget.SetShowFrame(true);
        const QImage framed = Render(editor.widget);
        // the outline runs along the arc: the last pixel inside the radius changes, the middle
        // of the sector stays as it was
        QVERIFY(framed.pixelColor(kCentre + QPoint(67, 0)) != plain.pixelColor(kCentre + QPoint(67, 0)));
        QCOMPARE(framed.pixelColor(kCentre + QPoint(40, 0)), kSector);
        QCOMPARE(framed.pixelColor(kCentre + QPoint(-40, 0)), QColor(Qt::white));

        editor.widget.SetShowFrame(false);
        editor.widget.SetCenterIcon(true);
        const QImage withIcon = Render(editor.widget);
        QVERIFY(withIcon.pixelColor(kCentre) != plain.pixelColor(kCentre));
        QVERIFY(withIcon.pixelColor(kCentre) != kSector);
        QCOMPARE(withIcon.pixelColor(kCentre + QPoint(40, 0)), kSector);
    }

    void setValues_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("angle");
        QTest::addColumn<double>("radius");
        QTest::addColumn<int>("expectedDirection");
        QTest::addColumn<int>("expectedAngle");
        QTest::addColumn<double>("expectedRadius");

        QTest::newRow("in range") << 45 << 120 << 7.5 << 45 << 120 << 7.5;
        QTest::newRow("direction past a turn") << 370 << 10 << 1.0 << 10 << 10 << 1.0;
        QTest::newRow("negative direction") << -90 << 10 << 1.0 << 270 << 10 << 1.0;
        QTest::newRow("angle too wide") << 0 << 400 << 1.0 << 0 << 360 << 1.0;
        QTest::newRow("negative angle") << 0 << -5 << 1.0 << 0 << 0 << 1.0;
        QTest::newRow("radius too long") << 0 << 10 << 15.0 << 0 << 10 << 10.0;
        QTest::newRow("negative radius") << 0 << 10 << -1.0 << 0 << 10 << 0.0;
        QTest::newRow("radius not a number")
            << 0 << 10 << std::numeric_limits<double>::quiet_NaN() << 0 << 10 << 0.0;
    }
    void setValues()
    {
        QFETCH(int, direction);
        QFETCH(int, angle);
        QFETCH(double, radius);
        QFETCH(int, expectedDirection);
        QFETCH(int, expectedAngle);
        QFETCH(double, expectedRadius);

        Editor editor;
        QSignalSpy changed(&editor.widget, &CObservedWidget::SignalParamChange);
        editor.widget.OnDrawObservedArea(direction, angle, radius);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), expectedDirection);
        QCOMPARE(changed.at(0).at(1).toInt(), expectedAngle);
        QVERIFY(qAbs(changed.at(0).at(2).toDouble() - expectedRadius) < 1e-9);
        QCOMPARE(editor.widget.GetDirection(), expectedDirection);
        QCOMPARE(editor.widget.GetAngle(), expectedAngle);
        QVERIFY(qAbs(editor.widget.GetRadius() - expectedRadius) < 1e-9);

        // the same values once more change nothing and report nothing
        editor.widget.OnDrawObservedArea(expectedDirection, expectedAngle, expectedRadius);
        QCOMPARE(changed.count(), 1);
    }

    void dragTurnsAndStretches_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QList<QPoint>>("moves");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("radius");

        // the sector starts pointing east with radius 5 (34 pixels); offsets from the centre
        QTest::newRow("turn north, ten pixels longer")
            << QPoint(40, 0) << QList<QPoint>{QPoint(0, -50)} << 90 << 44 / 6.8;
        QTest::newRow("grab off the axis keeps the offset")
            << QPoint(0, 40) << QList<QPoint>{QPoint(-40, 0)} << 270 << 5.0;
        QTest::newRow("shrink to nothing")
            << QPoint(60, 0) << QList<QPoint>{QPoint(10, 0), QPoint(2, 0)} << 0 << 0.0;
        QTest::newRow("far outside stops at the limit")
            << QPoint(40, 0) << QList<QPoint>{QPoint(1000, 0), QPoint(3000, 0)} << 0 << 10.0;
        // outside the widget at the limit, coming closer does not shrink the sector
        QTest::newRow("outside at the limit stays there")
            << QPoint(40, 0) << QList<QPoint>{QPoint(1000, 0), QPoint(500, 0)} << 0 << 10.0;
        QTest::newRow("past south wraps into the range")
            << QPoint(40, 0) << QList<QPoint>{QPoint(0, 40), QPoint(40, 1)} << 359 << 5.0;
    }
    void dragTurnsAndStretches()
    {
        QFETCH(QPoint, press);
        QFETCH(QList<QPoint>, moves);
        QFETCH(int, direction);
        QFETCH(double, radius);

        Editor editor;
        editor.widget.OnDrawObservedArea(0, 90, 5.0);
        QSignalSpy changed(&editor.widget, &CObservedWidget::SignalParamChange);

        SendMouse(editor.widget, QEvent::MouseButtonPress, kCentre + press, Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(editor.widget.cursor().shape(), Qt::ClosedHandCursor);
        for (const QPoint& move : moves)
            SendMouse(editor.widget, QEvent::MouseMove, kCentre + move, Qt::NoButton,
                      Qt::LeftButton);
        SendMouse(editor.widget, QEvent::MouseButtonRelease, kCentre + moves.last(),
                  Qt::LeftButton, Qt::NoButton);
        QCOMPARE(editor.widget.cursor().shape(), Qt::OpenHandCursor);

        QCOMPARE(changed.count(), moves.size());
        const QList<QVariant> last = changed.last();
        QCOMPARE(last.at(0).toInt(), direction);
        QCOMPARE(last.at(1).toInt(), 90);
        QVERIFY2(qAbs(last.at(2).toDouble() - radius) < 0.05,
                 qPrintable(QString::number(last.at(2).toDouble())));
        for (const QList<QVariant>& arguments : changed) {
            QVERIFY(arguments.at(0).toInt() >= 0 && arguments.at(0).toInt() <= 359);
            QVERIFY(arguments.at(2).toDouble() >= 0.0 && arguments.at(2).toDouble() <= 10.0);
        }

        // moving without a pressed button after the release changes nothing
        SendMouse(editor.widget, QEvent::MouseMove, kCentre + QPoint(-30, -30), Qt::NoButton,
                  Qt::NoButton);
        QCOMPARE(changed.count(), moves.size());
    }

    void wheelOpensAndClosesTheSector_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("one notch up") << 60 << 120 << 65;
        QTest::newRow("one notch down") << 60 << -120 << 55;
        QTest::newRow("fine wheel") << 60 << 48 << 62;
        QTest::newRow("clamped at a full turn") << 358 << 240 << 360;
        QTest::newRow("clamped at zero") << 3 << -120 << 0;
    }
    void wheelOpensAndClosesTheSector()
    {
        QFETCH(int, angle);
        QFETCH(int, delta);
        QFETCH(int, expected);

        Editor editor;
        editor.widget.OnDrawObservedArea(30, angle, 4.0);
        QSignalSpy changed(&editor.widget, &CObservedWidget::SignalParamChange);
        Wheel(editor.widget, delta);
        QCOMPARE(editor.widget.GetAngle(), expected);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 30);
        QCOMPARE(changed.at(0).at(1).toInt(), expected);
        QVERIFY(qAbs(changed.at(0).at(2).toDouble() - 4.0) < 1e-9);
    }
};

QTEST_MAIN(tst_ObservedWidget)
#include "tst_observedwidget.moc"
