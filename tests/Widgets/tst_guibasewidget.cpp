#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "Widgets/GUIBaseWidget.h"

#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace TesselGUIToolkit;

Q_DECLARE_METATYPE(QDropEvent*)

namespace {

class CCountingWindow : public CGUIBaseWidget
{
public:
    using CGUIBaseWidget::CGUIBaseWidget;
    void ClosePlayWnd() override { ++m_nClosed; }
    int m_nClosed = 0;
};

QImage Render(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

} // namespace

class tst_GUIBaseWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<QDropEvent*>(); }

    void initialState_data()
    {
        QTest::addColumn<bool>("allowDragDrop");
        QTest::addColumn<int>("inset");
        QTest::newRow("drag and drop") << true << 2;
        QTest::newRow("fixed") << false << 1;
    }
    void initialState()
    {
        QFETCH(bool, allowDragDrop);
        QFETCH(int, inset);

        CGUIBaseWidget window(nullptr, allowDragDrop, false);
        QCOMPARE(window.AllowDragDrop(), allowDragDrop);
        QVERIFY(!window.IsSelectable());
        QCOMPARE(window.GetBorderInsets(), QMargins(inset, inset, inset, inset));
        QCOMPARE(window.GetPosition(), -1);
        QCOMPARE(window.GetRow(), -1);
        QCOMPARE(window.GetColumn(), -1);
        QCOMPARE(window.GetRowSpan(), -1);
        QCOMPARE(window.GetColumnSpan(), -1);
        QCOMPARE(window.GetLayoutScale(), 1);
        QCOMPARE(window.GetTileNumber(), -1);
        QVERIFY(window.IsMaskable());
        QVERIFY(!window.IsSelected());
        QVERIFY(!window.IsWndOnWall());
        QVERIFY(!window.IsTrackWnd());
        QVERIFY(!window.GetSelectedBorderColor().isValid());
        QVERIFY(!window.GetUnSelectedBorderColor().isValid());
        QVERIFY(window.acceptDrops());
        QVERIFY(window.hasMouseTracking());
        QCOMPARE(window.WidgetTypes(), 0);
        QVERIFY(window.GetSnapshot().isNull());
        QVERIFY(window.GetAnimLayoutItem().isNull());
    }

    void numberSignalsOnlyOnChange_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QList<int>>("emitted"); // pairs: new, old

        QTest::newRow("tile: first number") << "tile" << QList<int>{3} << QList<int>{3, -1};
        QTest::newRow("tile: repeated") << "tile" << QList<int>{3, 3, 5} << QList<int>{3, -1, 5, 3};
        QTest::newRow("tile: unchanged -1") << "tile" << QList<int>{-1} << QList<int>{};
        QTest::newRow("position: first") << "position" << QList<int>{0} << QList<int>{0, -1};
        QTest::newRow("position: moves")
            << "position" << QList<int>{2, 2, 7, -1} << QList<int>{2, -1, 7, 2, -1, 7};
        QTest::newRow("position: unchanged") << "position" << QList<int>{-1} << QList<int>{};
    }
    void numberSignalsOnlyOnChange()
    {
        QFETCH(QString, which);
        QFETCH(QList<int>, values);
        QFETCH(QList<int>, emitted);

        CGUIBaseWidget window;
        const bool tile = which == "tile";
        QSignalSpy spy(&window,
                       tile ? &CGUIBaseWidget::SignalTileNumberChanged
                            : &CGUIBaseWidget::SignalPositionChanged);
        for (int value : values) {
            if (tile)
                window.SetTileNumber(value);
            else
                window.NotifyPositionChangedPrivate(value);
        }
        QList<int> got;
        for (const QList<QVariant>& arguments : spy)
            got << arguments.at(0).toInt() << arguments.at(1).toInt();
        QCOMPARE(got, emitted);
        QCOMPARE(tile ? window.GetTileNumber() : window.GetPosition(), values.last());
    }

    void layoutElementIsKept()
    {
        CGUIBaseWidget window;
        window.NotifyPositionChangedPrivate(4);
        window.SetLayoutPos(1, 2, 3, 4);
        window.SetLayoutScale(2);
        QCOMPARE(window.GetRow(), 1);
        QCOMPARE(window.GetColumn(), 2);
        QCOMPARE(window.GetRowSpan(), 3);
        QCOMPARE(window.GetColumnSpan(), 4);
        QCOMPARE(window.GetLayoutScale(), 2);

        QSignalSpy moved(&window, &CGUIBaseWidget::SignalPositionChanged);
        window.ResetLayoutElement();
        QCOMPARE(moved.count(), 0);
        QCOMPARE(window.GetPosition(), -1);
        QCOMPARE(window.GetRow(), -1);
        QCOMPARE(window.GetColumnSpan(), -1);
    }

    void pressSelects_data()
    {
        QTest::addColumn<bool>("selectable");
        QTest::addColumn<bool>("onWall");
        QTest::addColumn<int>("selected");

        QTest::newRow("selectable") << true << false << 1;
        QTest::newRow("not selectable") << false << false << 0;
        QTest::newRow("on the video wall") << true << true << 0;
        QTest::newRow("neither") << false << true << 0;
    }
    void pressSelects()
    {
        QFETCH(bool, selectable);
        QFETCH(bool, onWall);
        QFETCH(int, selected);

        QWidget host;
        host.resize(300, 200);
        auto* window = new CGUIBaseWidget(&host, true, selectable);
        window->setGeometry(20, 20, 160, 90);
        window->SetWndOnWall(onWall);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QSignalSpy pressed(window, &CGUIBaseWidget::SignalMousePressed);
        QSignalSpy selection(window, &CGUIBaseWidget::SignalWndSelected);
        QTest::mousePress(host.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 60));
        QTest::mouseRelease(host.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 60));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(selection.count(), selected);
        QVERIFY(!window->IsSelected()); // selecting is the layout manager's decision
    }

    void closeHook_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::newRow("close and remove") << true;
        QTest::newRow("close only") << false;
    }
    void closeHook()
    {
        QFETCH(bool, remove);
        CCountingWindow window;
        QSignalSpy removed(&window, &CGUIBaseWidget::SignalRemoveWidget);
        window.OnClosePlayWnd(remove);
        QCOMPARE(window.m_nClosed, 1);
        QCOMPARE(removed.count(), remove ? 1 : 0);
    }

    void dragEnter_data()
    {
        QTest::addColumn<int>("actions");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("copy") << int(Qt::CopyAction) << true;
        QTest::newRow("move") << int(Qt::MoveAction) << true;
        QTest::newRow("no action") << int(Qt::IgnoreAction) << false;
    }
    void dragEnter()
    {
        QFETCH(int, actions);
        QFETCH(bool, accepted);

        CGUIBaseWidget window;
        window.resize(100, 100);
        QSignalSpy entered(&window, &CGUIBaseWidget::SignalDragEnterPrivate);
        QMimeData data;
        data.setText(QStringLiteral("channel 7"));
        QDragEnterEvent event(QPoint(10, 10), Qt::DropActions(actions), &data, Qt::LeftButton,
                              Qt::NoModifier);
        event.setAccepted(!accepted); // the window must decide, not the default
        QCoreApplication::sendEvent(&window, &event);
        QCOMPARE(event.isAccepted(), accepted);
        QCOMPARE(entered.count(), accepted ? 1 : 0);
        if (accepted)
            QCOMPARE(int(event.dropAction()), actions);
    }

    void dragMoveLeaveAndDrop()
    {
        QWidget host;
        auto* window = new CGUIBaseWidget(&host);
        window->setGeometry(30, 40, 100, 100);
        QSignalSpy moved(window, &CGUIBaseWidget::SignalDragMovePrivate);
        QSignalSpy left(window, &CGUIBaseWidget::SignalDragLeavePrivate);
        QSignalSpy dropped(window, &CGUIBaseWidget::SignalDropEventPrivate);

        // Without a drag under way QApplication holds back moves and drops, so they go to the
        // window's event handler directly.
        QObject* receiver = window;
        QMimeData data;
        QDragMoveEvent move(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        receiver->event(&move);
        QCOMPARE(moved.count(), 1);

        QDragLeaveEvent leave;
        receiver->event(&leave);
        QCOMPARE(left.count(), 1);

        QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        receiver->event(&drop);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).value<QDropEvent*>(), &drop);
        QCOMPARE(dropped.at(0).at(1).toPoint(), QPoint(35, 46));
    }

    void resizeIsReported()
    {
        CGUIBaseWidget window;
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy resized(&window, &CGUIBaseWidget::SignalWndResize);
        window.resize(200, 120);
        QTRY_COMPARE(resized.count(), 1);
    }

    void selectionRepaints()
    {
        CGUIBaseWidget window(nullptr, true, true);
        window.SetSelectedBorderColor(Qt::red);
        window.SetUnSelectedBorderColor(Qt::blue);
        window.resize(100, 80);
        QCOMPARE(Render(&window).pixelColor(2, 40), QColor(Qt::blue));
        window.SetSelected(true);
        QVERIFY(window.IsSelected());
        QCOMPARE(Render(&window).pixelColor(3, 40), QColor(Qt::red));
        window.SetSelectable(false);
        QVERIFY(!window.IsSelectable());
        const QImage image = Render(&window);
        QVERIFY(image.pixelColor(2, 40) != QColor(Qt::red));
        QVERIFY(image.pixelColor(2, 40) != QColor(Qt::blue));
    }

    void border_data()
    {
        QTest::addColumn<bool>("allowDragDrop");
        QTest::addColumn<bool>("selectable");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("track");
        QTest::addColumn<QColor>("colour"); // invalid: no border
        QTest::addColumn<int>("inset");
        QTest::addColumn<int>("width");

        const QColor red(Qt::red);
        const QColor blue(Qt::blue);
        QTest::newRow("selected, drag and drop") << true << true << true << false << red << 2 << 2;
        QTest::newRow("unselected, drag and drop")
            << true << true << false << false << blue << 2 << 1;
        QTest::newRow("selected, fixed") << false << true << true << false << red << 1 << 1;
        QTest::newRow("unselected, fixed") << false << true << false << false << blue << 1 << 1;
        QTest::newRow("track window") << true << false << true << true << blue << 2 << 1;
        QTest::newRow("not selectable") << true << false << true << false << QColor() << 2 << 0;
    }
    void border()
    {
        QFETCH(bool, allowDragDrop);
        QFETCH(bool, selectable);
        QFETCH(bool, selected);
        QFETCH(bool, track);
        QFETCH(QColor, colour);
        QFETCH(int, inset);
        QFETCH(int, width);

        CGUIBaseWidget window(nullptr, allowDragDrop, selectable);
        window.SetSelectedBorderColor(Qt::red);
        window.SetUnSelectedBorderColor(Qt::blue);
        window.SetSelected(selected);
        window.SetIsTrackWnd(track);
        window.resize(100, 80);
        const QImage image = Render(&window);

        auto isBorder = [&](int x, int y) {
            const QColor c = image.pixelColor(x, y);
            return c == QColor(Qt::red) || c == QColor(Qt::blue);
        };
        if (!colour.isValid()) {
            for (int x = 0; x < 6; ++x)
                QVERIFY2(!isBorder(x, 40), qPrintable(QString::number(x)));
            return;
        }
        const int w = 100;
        const int h = 80;
        for (int i = 0; i < width; ++i) {
            QCOMPARE(image.pixelColor(inset + i, 40), colour); // left
            QCOMPARE(image.pixelColor(w - 1 - inset - i, 40), colour); // right
            QCOMPARE(image.pixelColor(50, inset + i), colour); // top
            QCOMPARE(image.pixelColor(50, h - 1 - inset - i), colour); // bottom
        }
        QCOMPARE(image.pixelColor(inset, inset), colour); // corners closed
        QCOMPARE(image.pixelColor(w - 1 - inset, h - 1 - inset), colour);
        // nothing outside the inset, nothing beyond the pen width
        QVERIFY(!isBorder(inset - 1, 40));
        QVERIFY(!isBorder(inset + width, 40));
        QVERIFY(!isBorder(w - inset, 40));
        QVERIFY(!isBorder(w - 1 - inset - width, 40));
        QVERIFY(!isBorder(50, inset - 1));
        QVERIFY(!isBorder(50, h - 1 - inset - width));
        QVERIFY(!isBorder(50, 40));
    }

    void borderFollowsInsets()
    {
        CGUIBaseWidget window(nullptr, false, true);
        window.SetUnSelectedBorderColor(Qt::blue);
        window.SetBorderInsets(QMargins(5, 6, 7, 8));
        QCOMPARE(window.GetBorderInsets(), QMargins(5, 6, 7, 8));
        window.resize(100, 80);
        const QImage image = Render(&window);
        QCOMPARE(image.pixelColor(5, 40), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(50, 6), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(100 - 1 - 7, 40), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(50, 80 - 1 - 8), QColor(Qt::blue));
        QVERIFY(image.pixelColor(4, 40) != QColor(Qt::blue));
    }

    void absurdInsetsPaintNothing()
    {
        CGUIBaseWidget window(nullptr, false, true);
        window.SetUnSelectedBorderColor(Qt::blue);
        window.SetBorderInsets(QMargins(60, 0, 60, 0));
        window.resize(100, 80);
        const QImage image = Render(&window);
        for (int x = 0; x < 100; x += 7)
            QVERIFY(image.pixelColor(x, 40) != QColor(Qt::blue));
    }

    void animatorIsCreatedOnce()
    {
        CGUIBaseWidget window;
        CBaseItemAnimDirector first(true);
        CBaseItemAnimDirector second(false);
        CGeometryAnimator* animator = window.GetAnimator(&first);
        QVERIFY(animator);
        QCOMPARE(animator->parent(), &window);
        QCOMPARE(animator->GetTargetWidget(), &window);
        QCOMPARE(animator->GetDirector(), &first);
        QCOMPARE(window.GetAnimator(nullptr), animator);
        QCOMPARE(animator->GetDirector(), &first);
        QCOMPARE(window.GetAnimator(&second), animator);
        QCOMPARE(animator->GetDirector(), &second);
    }

    void animLayoutItemIsGuarded()
    {
        CGUIBaseWidget window;
        auto* item = new CAnimLayoutItem(&window);
        window.SetAnimLayoutItem(item);
        QCOMPARE(window.GetAnimLayoutItem().data(), item);
        delete item;
        QVERIFY(window.GetAnimLayoutItem().isNull());
    }
};

QTEST_MAIN(tst_GUIBaseWidget)
#include "tst_guibasewidget.moc"
