#include "WidgetLayout/FullScreenWidget.h"

#include "WidgetLayout/OffscreenPlatformWarnings.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using namespace TesselGUIToolkit;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

// A window holding a full-screen widget in its layout, as a play area sits in a client window.
struct Host
{
    Host()
    {
        window.resize(400, 300);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(10, 10, 10, 10);
        area = new CFullScreenWidget(&window);
        layout->addWidget(area);
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }
    bool exposed = false;
    QWidget window;
    CFullScreenWidget* area = nullptr;
};

// Records the names of the signals in the order they arrive.
struct SignalLog
{
    explicit SignalLog(CFullScreenWidget* widget)
    {
        QObject::connect(widget, &CFullScreenWidget::SignalScreenChanged,
                         [this]() { names << "ScreenChanged"; });
        QObject::connect(widget, &CFullScreenWidget::SignalEnterSreenFull,
                         [this](int) { names << "EnterSreenFull"; });
        QObject::connect(widget, &CFullScreenWidget::SignalExitFullScreen,
                         [this]() { names << "ExitFullScreen"; });
        QObject::connect(widget, &CFullScreenWidget::RestoreLayout,
                         [this]() { names << "RestoreLayout"; });
    }
    QStringList names;
};

} // namespace

class tst_FullScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { OffscreenPlatformWarnings::Install(); }
    void cleanupTestCase() { OffscreenPlatformWarnings::Remove(); }

    void enterCoversTheScreenAndHidesTheWindow()
    {
        Host host;
        QVERIFY(host.exposed);
        const QRect normal = host.area->geometry();
        SignalLog log(host.area);
        QSignalSpy entered(host.area, &CFullScreenWidget::SignalEnterSreenFull);

        host.area->SetFullScreen(true);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(host.area->IsFullScreen());
        QVERIFY(host.area->isWindow());
        QVERIFY(host.area->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(host.area->isVisible());
        QCOMPARE(host.area->geometry(), screen);
        QCOMPARE(host.area->property("_scc_WidgetSizeFactory_").toUInt(), 2u);
        QVERIFY(!host.window.isVisible());
        QCOMPARE(log.names, (QStringList{"EnterSreenFull", "ScreenChanged"}));
        QCOMPARE(entered.at(0).at(0).toInt(), screen.width());

        // a second time only reports
        host.area->SetFullScreen(true);
        QCOMPARE(log.names, (QStringList{"EnterSreenFull", "ScreenChanged", "ScreenChanged"}));
        QCOMPARE(host.area->geometry(), screen);

        log.names.clear();
        host.area->SetFullScreen(false);
        QCOMPARE(log.names, (QStringList{"RestoreLayout", "ExitFullScreen", "ScreenChanged"}));
        QVERIFY(!host.area->IsFullScreen());
        QVERIFY(!host.area->isWindow());
        QCOMPARE(host.area->windowType(), Qt::SubWindow);
        QVERIFY(host.window.isVisible());
        QVERIFY(host.area->isVisible());
        QTRY_COMPARE(host.area->geometry(), normal);

        // leaving when not full screen only reports
        log.names.clear();
        host.area->ExitFullScreen();
        QCOMPARE(log.names, QStringList{"ScreenChanged"});
        QVERIFY(host.window.isVisible());
    }

    void widgetWithoutParentComesBackAsItWas()
    {
        CFullScreenWidget alone;
        alone.setGeometry(50, 60, 200, 100);
        alone.show();
        QVERIFY(QTest::qWaitForWindowExposed(&alone));
        alone.EnterFullScreen();
        QVERIFY(alone.IsFullScreen());
        alone.ExitFullScreen();
        QVERIFY(!alone.IsFullScreen());
        QVERIFY(alone.isWindow());
        QVERIFY(!(alone.windowFlags() & Qt::FramelessWindowHint));
        QCOMPARE(alone.size(), QSize(200, 100));
    }

    void escapeLeavesFullScreen_data()
    {
        QTest::addColumn<bool>("playControl");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("stillFullScreen");
        QTest::addColumn<int>("exitSignals");
        QTest::addColumn<int>("screenChanges");

        const Qt::KeyboardModifiers none = Qt::NoModifier;
        // leaving emits SignalExitFullScreen once for the key and once for the switch
        QTest::newRow("escape") << false << true << none << false << 2 << 1;
        QTest::newRow("shift escape") << false << true << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                      << true << 0 << 0;
        QTest::newRow("control escape")
            << false << true << Qt::KeyboardModifiers(Qt::ControlModifier) << true << 0 << 0;
        QTest::newRow("keypad escape")
            << false << true << Qt::KeyboardModifiers(Qt::KeypadModifier) << false << 2 << 1;
        QTest::newRow("escape, not full screen") << false << false << none << false << 0 << 0;
        QTest::newRow("play control: escape") << true << true << none << false << 2 << 1;
        QTest::newRow("play control: alt escape")
            << true << true << Qt::KeyboardModifiers(Qt::AltModifier) << true << 0 << 0;
        // the key handler catches it also when not full screen; switching off only reports
        QTest::newRow("play control: escape, not full screen")
            << true << false << none << false << 1 << 1;
    }
    void escapeLeavesFullScreen()
    {
        QFETCH(bool, playControl);
        QFETCH(bool, fullScreen);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, stillFullScreen);
        QFETCH(int, exitSignals);
        QFETCH(int, screenChanges);

        Host host;
        host.area->SetPlayControlFlag(playControl);
        host.area->SetFullScreen(fullScreen);
        QSignalSpy exits(host.area, &CFullScreenWidget::SignalExitFullScreen);
        QSignalSpy changes(host.area, &CFullScreenWidget::SignalScreenChanged);

        QTest::keyClick(host.area, Qt::Key_Escape, modifiers);
        QCOMPARE(host.area->IsFullScreen(), stillFullScreen);
        QCOMPARE(exits.count(), exitSignals);
        QCOMPARE(changes.count(), screenChanges);
        QCOMPARE(host.window.isVisible(), !stillFullScreen);
    }

    void toggleShowsTheHintWhenEnabled_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("enabled") << true;
        QTest::newRow("disabled") << false;
    }
    void toggleShowsTheHintWhenEnabled()
    {
        QFETCH(bool, enabled);
        Host host;
        host.area->SetEnableFullScreenHint(enabled);
        host.area->OnChangeScreen();
        QVERIFY(host.area->IsFullScreen());
        CFullScreenHint* hint = host.area->GetFullScreenHint();
        QCOMPARE(hint != nullptr, enabled);
        if (enabled) {
            QVERIFY(hint->isVisible());
            QVERIFY(!hint->IsHide());
        }

        host.area->OnChangeScreen();
        QVERIFY(!host.area->IsFullScreen());
        if (enabled) {
            QVERIFY(hint->IsHide());
            QVERIFY(!hint->isVisible());
        }
    }

    void hintSitsCentredUnderTheTopEdge()
    {
        Host host;
        host.area->EnterFullScreen();
        host.area->ShowFullScreenHint();
        CFullScreenHint* hint = host.area->GetFullScreenHint();
        QVERIFY(hint);
        QVERIFY(hint->isWindow());
        QVERIFY(hint->windowFlags() & Qt::WindowStaysOnTopHint);

        auto* label = hint->findChild<QLabel*>();
        auto* button = hint->findChild<QPushButton*>(QStringLiteral("pushButton"));
        QVERIFY(label && button);
        QCOMPARE(label->text(), QStringLiteral("Press ESC to exit Full Screen Keyboard."));
        const int width =
            button->width() + 49 + QFontMetrics(label->font()).horizontalAdvance(label->text());
        const QRect screen = host.area->geometry();
        QCOMPARE(hint->geometry(),
                 QRect(screen.x() + (screen.width() - width) / 2, screen.y() + 19, width, 48));

        // showing it again does not make a second one
        host.area->ShowFullScreenHint();
        QCOMPARE(host.area->GetFullScreenHint(), hint);
    }

    void hintHidesItselfUnlessTheCursorRestsOnIt()
    {
        CFullScreenHint hint;
        QVERIFY(hint.IsHide());
        auto* timer = hint.findChild<QTimer*>();
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 3000);

        hint.Show();
        hint.StartTimer();
        QVERIFY(!hint.IsHide());
        QVERIFY(timer->isActive());

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&hint, &enter);
        QVERIFY(!timer->isActive());
        QVERIFY(hint.isVisible());

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&hint, &leave);
        QVERIFY(timer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(hint.IsHide(), 10000);
        QVERIFY(!hint.isVisible());
    }

    void hintButtonHidesAtOnce()
    {
        CFullScreenHint hint;
        hint.Show();
        hint.StartTimer();
        QTest::mouseClick(hint.findChild<QPushButton*>(QStringLiteral("pushButton")),
                          Qt::LeftButton);
        QVERIFY(hint.IsHide());
        QVERIFY(!hint.isVisible());
        QVERIFY(!hint.findChild<QTimer*>()->isActive());
    }

    void registryKeepsOrder()
    {
        const QList<CFullScreenWidget*> before = CFullScreenWidget::AllFullScreens();
        auto a = std::make_unique<CFullScreenWidget>();
        auto b = std::make_unique<CFullScreenWidget>();
        auto c = std::make_unique<CFullScreenWidget>();
        const QList<CFullScreenWidget*> made{a.get(), b.get(), c.get()};
        QCOMPARE(CFullScreenWidget::AllFullScreens(), before + made);
        c->MoveToHead();
        a->MoveToTail();
        QCOMPARE(CFullScreenWidget::AllFullScreens().mid(0, 1), QList<CFullScreenWidget*>{c.get()});
        QCOMPARE(CFullScreenWidget::AllFullScreens().last(), a.get());
        CFullScreenWidget* gone = b.get();
        b.reset();
        QVERIFY(!CFullScreenWidget::AllFullScreens().contains(gone));
        QCOMPARE(CFullScreenWidget::AllFullScreens().size(), before.size() + 2);
    }
};

QTEST_MAIN(tst_FullScreen)
#include "tst_fullscreen.moc"
