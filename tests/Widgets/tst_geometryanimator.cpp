#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "Widgets/GUIBaseWidget.h"

#include <QGridLayout>
#include <QPropertyAnimation>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

struct Scene
{
    Scene()
    {
        host.resize(600, 400);
        window = new CGUIBaseWidget(&host);
        window->setGeometry(start);
    }
    QWidget host;
    CGUIBaseWidget* window = nullptr;
    const QRect start{10, 10, 100, 60};
};

} // namespace

class tst_GeometryAnimator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshAnimator()
    {
        Scene scene;
        CGeometryAnimator animator(scene.window);
        QVERIFY(animator.IsEnabled());
        QVERIFY(!animator.IsAnimating());
        QCOMPARE(animator.GetTargetWidget(), scene.window);
        QVERIFY(animator.GetAnimation());
        QCOMPARE(animator.GetAnimation()->targetObject(), scene.window);
        QCOMPARE(animator.GetAnimation()->propertyName(), QByteArray("geometry"));
        QCOMPARE(animator.GetAnimation()->duration(), 300);
        QCOMPARE(animator.GetAnimation()->easingCurve().type(), QEasingCurve::InOutCubic);
        QVERIFY(!CBaseItemAnimDirector().IsAnimated());
    }

    void placement_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("director"); // 0 none, 1 animated, 2 not animated
        QTest::addColumn<bool>("animated");

        QTest::newRow("enabled, director animates") << true << 1 << true;
        QTest::newRow("enabled, director holds back") << true << 2 << false;
        QTest::newRow("enabled, no director") << true << 0 << false;
        QTest::newRow("disabled, director animates") << false << 1 << false;
    }
    void placement()
    {
        QFETCH(bool, enabled);
        QFETCH(int, director);
        QFETCH(bool, animated);

        Scene scene;
        CBaseItemAnimDirector animating(true);
        CBaseItemAnimDirector still(false);
        CGeometryAnimator animator(scene.window,
                                   director == 1       ? &animating
                                       : director == 2 ? &still
                                                       : nullptr);
        animator.SetEnabled(enabled);
        const QRect end(200, 150, 160, 90);
        animator.SetGeometry(end);
        QCOMPARE(animator.IsAnimating(), animated);
        if (animated) {
            QCOMPARE(scene.window->geometry(), scene.start); // the move starts where it stands
            QCOMPARE(animator.GetAnimation()->startValue().toRect(), scene.start);
        } else {
            QCOMPARE(scene.window->geometry(), end);
        }
        QTRY_COMPARE(scene.window->geometry(), end);
        QTRY_VERIFY(!animator.IsAnimating());
    }

    void noMoveToWhereItStands()
    {
        Scene scene;
        CBaseItemAnimDirector director(true);
        CGeometryAnimator animator(scene.window, &director);
        animator.SetGeometry(scene.start);
        QVERIFY(!animator.IsAnimating());
        QCOMPARE(scene.window->geometry(), scene.start);
    }

    void retargetWhileRunning()
    {
        Scene scene;
        CBaseItemAnimDirector director(true);
        CGeometryAnimator animator(scene.window, &director);
        animator.SetGeometry(QRect(300, 200, 100, 60));
        QVERIFY(animator.IsAnimating());
        QTRY_VERIFY(scene.window->geometry() != scene.start); // under way

        const QRect second(20, 250, 140, 80);
        animator.SetGeometry(second);
        QVERIFY(animator.IsAnimating());
        QCOMPARE(animator.GetAnimation()->endValue().toRect(), second);
        QTRY_COMPARE(scene.window->geometry(), second);
        QTRY_VERIFY(!animator.IsAnimating());
    }

    void retargetToPresentPlaceStops()
    {
        Scene scene;
        CBaseItemAnimDirector director(true);
        CGeometryAnimator animator(scene.window, &director);
        animator.SetGeometry(QRect(300, 200, 100, 60));
        QTRY_VERIFY(scene.window->geometry() != scene.start);
        const QRect here = scene.window->geometry();
        animator.SetGeometry(here);
        QVERIFY(!animator.IsAnimating());
        QCOMPARE(scene.window->geometry(), here);

        // and a later move runs in full from there
        animator.SetGeometry(scene.start);
        QVERIFY(animator.IsAnimating());
        QCOMPARE(animator.GetAnimation()->currentTime(), 0);
        QTRY_COMPARE(scene.window->geometry(), scene.start);
    }

    void endingEarlyJumpsToEnd_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("disable") << "disable";
        QTest::newRow("finish") << "finish";
        QTest::newRow("director switches off") << "director";
    }
    void endingEarlyJumpsToEnd()
    {
        QFETCH(QString, how);
        Scene scene;
        CBaseItemAnimDirector director(true);
        CGeometryAnimator animator(scene.window, &director);
        const QRect end(300, 200, 100, 60);
        animator.SetGeometry(end);
        QVERIFY(animator.IsAnimating());

        if (how == "disable") {
            animator.SetEnabled(false);
        } else if (how == "finish") {
            animator.Finish();
        } else {
            director.SetAnimated(false);
            const QRect other(0, 0, 50, 50);
            animator.SetGeometry(other); // the next move goes at once and replaces the old one
            QVERIFY(!animator.IsAnimating());
            QCOMPARE(scene.window->geometry(), other);
            return;
        }
        QVERIFY(!animator.IsAnimating());
        QCOMPARE(scene.window->geometry(), end);
    }

    void directorGoneMeansNoAnimation()
    {
        Scene scene;
        auto director = std::make_unique<CBaseItemAnimDirector>(true);
        CGeometryAnimator animator(scene.window, director.get());
        QCOMPARE(animator.GetDirector(), director.get());
        director.reset();
        QVERIFY(!animator.GetDirector());
        animator.SetGeometry(QRect(1, 2, 30, 40));
        QCOMPARE(scene.window->geometry(), QRect(1, 2, 30, 40));
    }

    void copiedDirectorIsIndependent()
    {
        Scene scene;
        CBaseItemAnimDirector original(true);
        CGeometryAnimator animator(scene.window, &original);
        CBaseItemAnimDirector copy(original);
        QVERIFY(copy.IsAnimated());
        copy.SetAnimated(false);
        QCOMPARE(animator.GetDirector(), &original);
        QVERIFY(animator.GetDirector()->IsAnimated());
    }

    void targetGone()
    {
        CBaseItemAnimDirector director(true);
        CGeometryAnimator idle(nullptr, &director);
        idle.SetGeometry(QRect(0, 0, 10, 10)); // nothing to move
        QVERIFY(!idle.IsAnimating());

        auto* widget = new QWidget;
        widget->setGeometry(0, 0, 20, 20);
        CGeometryAnimator animator(widget, &director);
        animator.SetGeometry(QRect(100, 100, 20, 20));
        delete widget;
        QVERIFY(!animator.GetTargetWidget());
        animator.SetGeometry(QRect(5, 5, 5, 5));
        animator.Finish();
        animator.SetEnabled(false);
    }

    void layoutItemHandsGeometryToAnimator()
    {
        QWidget host;
        host.resize(400, 200);
        auto* grid = new QGridLayout(&host);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        auto* left = new CGUIBaseWidget(&host);
        auto* right = new CGUIBaseWidget(&host);
        left->setGeometry(0, 0, 10, 10);
        right->setGeometry(0, 0, 10, 10);
        CBaseItemAnimDirector director(true);
        auto* leftItem = new CAnimLayoutItem(left, &director);
        auto* rightItem = new CAnimLayoutItem(right, &director);
        QCOMPARE(leftItem->GetAnimator(), left->GetAnimator(nullptr));
        QCOMPARE(leftItem->widget(), left);
        grid->addItem(leftItem, 0, 0);
        grid->addItem(rightItem, 0, 1);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QTRY_COMPARE(left->geometry(), QRect(0, 0, 200, 200));
        QTRY_COMPARE(right->geometry(), QRect(200, 0, 200, 200));
        QCOMPARE(rightItem->geometry(), right->geometry());
    }

    void layoutItemForwardsSizes()
    {
        CGUIBaseWidget window;
        window.setMinimumSize(40, 30);
        window.setMaximumSize(400, 300);
        window.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        CAnimLayoutItem item(&window);
        QCOMPARE(item.minimumSize(), QSize(40, 30));
        QCOMPARE(item.maximumSize(), QSize(400, 300));
        QCOMPARE(item.sizeHint(), window.sizeHint());
        QCOMPARE(item.expandingDirections(), Qt::Orientations(Qt::Horizontal));
        QVERIFY(!item.isEmpty());
        QVERIFY(!item.hasHeightForWidth());
    }

    void emptyItemIgnoresGeometry()
    {
        auto* window = new CGUIBaseWidget;
        CAnimLayoutItem item(window);
        delete window;
        QVERIFY(item.isEmpty());
        QVERIFY(!item.widget());
        QVERIFY(!item.GetWidget());
        QCOMPARE(item.geometry(), QRect());
        item.setGeometry(QRect(0, 0, 10, 10));
        QCOMPARE(item.heightForWidth(10), -1);

        CAnimLayoutItem none(nullptr);
        QVERIFY(none.isEmpty());
        QVERIFY(!none.GetAnimator());
        none.setGeometry(QRect(0, 0, 10, 10));
    }
};

QTEST_MAIN(tst_GeometryAnimator)
#include "tst_geometryanimator.moc"
