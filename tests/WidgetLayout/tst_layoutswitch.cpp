#include "WidgetLayout/LayoutSwitch.h"

#include "WidgetLayout/OffscreenPlatformWarnings.h"

#include <QHBoxLayout>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

// Two named parents side by side in one window, each with its own layout.
struct Screen
{
    Screen()
    {
        window.resize(400, 200);
        auto* row = new QHBoxLayout(&window);
        small = new QWidget(&window);
        large = new QWidget(&window);
        smallLayout = new QVBoxLayout(small);
        largeLayout = new QVBoxLayout(large);
        row->addWidget(small);
        row->addWidget(large);
        player = new QWidget;
        switcher.SetWidget(player);
        switcher.AddParentWidget("small", small, smallLayout);
        switcher.AddParentWidget("large", large, largeLayout);
    }
    ~Screen()
    {
        if (!player->parent())
            delete player;
    }
    QWidget window;
    QWidget* small = nullptr;
    QWidget* large = nullptr;
    QVBoxLayout* smallLayout = nullptr;
    QVBoxLayout* largeLayout = nullptr;
    QWidget* player = nullptr;
    CLayoutSwitch switcher;
};

} // namespace

class tst_LayoutSwitch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { OffscreenPlatformWarnings::Install(); }
    void cleanupTestCase() { OffscreenPlatformWarnings::Remove(); }

    void movesBetweenParents_data()
    {
        QTest::addColumn<bool>("hideOld");
        QTest::newRow("keep the old parent") << false;
        QTest::newRow("hide the old parent") << true;
    }
    void movesBetweenParents()
    {
        QFETCH(bool, hideOld);
        Screen screen;
        screen.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen.window));

        screen.switcher.MoveToParentWidget("small", false);
        QCOMPARE(screen.player->parentWidget(), screen.small);
        QVERIFY(screen.smallLayout->indexOf(screen.player) >= 0);
        QVERIFY(screen.player->isVisible());
        QCOMPARE(screen.switcher.GetCurrentParentName(), QStringLiteral("small"));

        screen.switcher.MoveToParentWidget("large", hideOld);
        QCOMPARE(screen.player->parentWidget(), screen.large);
        QCOMPARE(screen.smallLayout->indexOf(screen.player), -1);
        QVERIFY(screen.largeLayout->indexOf(screen.player) >= 0);
        QVERIFY(screen.player->isVisible());
        QCOMPARE(screen.small->isHidden(), hideOld);
        QCOMPARE(screen.switcher.GetCurrentParentName(), QStringLiteral("large"));

        // a hidden parent is shown again when the widget moves back into it
        screen.switcher.MoveToParentWidget("small", true);
        QVERIFY(screen.small->isVisible());
        QVERIFY(screen.large->isHidden());
        QVERIFY(screen.player->isVisible());
    }

    void unknownNameLeavesTheWidgetWithoutLayout()
    {
        Screen screen;
        screen.switcher.MoveToParentWidget("small", false);
        screen.switcher.MoveToParentWidget("nowhere", true);
        QCOMPARE(screen.smallLayout->indexOf(screen.player), -1);
        QCOMPARE(screen.largeLayout->indexOf(screen.player), -1);
        QVERIFY(screen.small->isHidden());
        QCOMPARE(screen.player->parentWidget(), screen.small);
    }

    void firstParentOfANameStays()
    {
        Screen screen;
        QWidget other;
        auto* otherLayout = new QVBoxLayout(&other);
        QVERIFY(!screen.switcher.AddParentWidget("small", &other, otherLayout));
        QVERIFY(!screen.switcher.AddParentWidget("ghost", nullptr, otherLayout));
        QVERIFY(!screen.switcher.HasParentWidget("ghost"));
        screen.switcher.MoveToParentWidget("small", false);
        QCOMPARE(screen.player->parentWidget(), screen.small);
        QCOMPARE(otherLayout->indexOf(screen.player), -1);
    }

    void nothingToMove()
    {
        CLayoutSwitch switcher;
        QWidget parent;
        auto* layout = new QVBoxLayout(&parent);
        QVERIFY(switcher.AddParentWidget("p", &parent, layout));
        switcher.MoveToParentWidget("p", true);
        QCOMPARE(layout->count(), 0);
        QVERIFY(switcher.GetCurrentParentName().isEmpty());

        auto* gone = new QWidget;
        switcher.SetWidget(gone);
        delete gone;
        switcher.MoveToParentWidget("p", true);
        QCOMPARE(layout->count(), 0);
    }

    void hiddenWidgetStaysHidden()
    {
        Screen screen;
        screen.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen.window));
        screen.switcher.MoveToParentWidget("small", false);
        screen.player->hide();
        screen.switcher.MoveToParentWidget("large", false);
        QCOMPARE(screen.player->parentWidget(), screen.large);
        QVERIFY(screen.player->isHidden());
    }

    void destroyedParentIsForgotten()
    {
        Screen screen;
        screen.switcher.MoveToParentWidget("large", false);
        screen.switcher.MoveToParentWidget("small", false);
        delete screen.large;
        screen.large = nullptr;
        QVERIFY(!screen.switcher.HasParentWidget("large"));
        screen.switcher.MoveToParentWidget("large", true);
        QCOMPARE(screen.player->parentWidget(), screen.small);
        // the name is free again for a new parent
        QWidget replacement;
        auto* layout = new QVBoxLayout(&replacement);
        QVERIFY(screen.switcher.AddParentWidget("large", &replacement, layout));
        screen.switcher.MoveToParentWidget("large", false);
        QVERIFY(layout->indexOf(screen.player) >= 0);
        screen.player->setParent(nullptr); // leaves with the test, not with `replacement`
    }
};

QTEST_MAIN(tst_LayoutSwitch)
#include "tst_layoutswitch.moc"
