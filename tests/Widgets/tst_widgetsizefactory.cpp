#include "Widgets/WidgetSizeFactory.h"

#include "TestSupport.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace TesselGUIToolkit;

namespace {

const char* const kState = "_scc_WidgetSizeFactory_";
const char* const kSaved = "_scc_WidgetGeometry_";
const QRect kNormal(50, 60, 300, 200);

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QRect Screen()
{
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

class tst_WidgetSizeFactory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TestSupport::FilterOffscreenWarnings(); }

    void stateTransitions_data()
    {
        // M ShowMaximized, F ShowFullScreen, f ShowFullScreen without saving, N ShowNormal
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("states");
        QTest::newRow("maximise twice, restore") << false << "MMN"
                                                 << "110";
        QTest::newRow("full screen twice, restore") << false << "FFN"
                                                    << "220";
        QTest::newRow("maximised to full screen") << false << "MFN"
                                                  << "120";
        QTest::newRow("full screen to maximised") << false << "FMN"
                                                  << "210";
        QTest::newRow("restore while normal") << false << "NN"
                                              << "00";
        QTest::newRow("parentless full screen without saving") << false << "f"
                                                               << "0";
        QTest::newRow("full screen over the parent") << true << "fN"
                                                     << "20";
        QTest::newRow("everything") << true << "MFNFMN"
                                    << "120210";
    }
    void stateTransitions()
    {
        QFETCH(bool, withParent);
        QFETCH(QString, steps);
        QFETCH(QString, states);
        QWidget parent;
        QWidget window(withParent ? &parent : nullptr, Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(kNormal);
        CWidgetSizeFactory factory;
        for (int i = 0; i < steps.size(); ++i) {
            const char step = steps.at(i).toLatin1();
            if (step == 'M')
                factory.ShowMaximized(&window);
            else if (step == 'N')
                factory.ShowNormal(&window, QSize(-1, -1));
            else
                factory.ShowFullScreen(&window, step == 'F');
            const uint state = window.property(kState).toUInt();
            QCOMPARE(QString::number(state), QString(states.at(i)));
            QCOMPARE(factory.IsMaximized(&window), state == 1);
            QCOMPARE(factory.IsFullScreen(&window), state == 2);
            QVERIFY(window.isVisible() || step == 'N');
        }
        if (steps.contains('M') || steps.contains('F')) // the normal geometry comes back
            QCOMPARE(window.geometry(), kNormal);
    }

    void maximiseAndFullScreen()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(kNormal);
        CWidgetSizeFactory factory;
        factory.ShowMaximized(&window);
        QCOMPARE(window.geometry(), Available());
        QCOMPARE(window.minimumSize(), Available().size()); // pinned
        QCOMPARE(window.maximumSize(), Available().size());
        QCOMPARE(window.property(kSaved).toRect(), kNormal);
        window.setProperty(kSaved, QRect(1, 2, 3, 4));
        factory.ShowMaximized(&window); // already maximised: nothing, not even the saved rect
        QCOMPARE(window.property(kSaved).toRect(), QRect(1, 2, 3, 4));
        factory.ShowNormal(&window, QSize(-1, -1));
        QCOMPARE(window.geometry(), QRect(1, 2, 3, 4)); // back to the saved geometry
        QVERIFY(window.property(kSaved).isValid()); // reset to a null rectangle, not removed
        QVERIFY(window.property(kSaved).toRect().isNull());
        window.setGeometry(kNormal);
        factory.ShowFullScreen(&window);
        QCOMPARE(window.geometry(), Screen());
        QCOMPARE(window.maximumSize(), Screen().size());
        QCOMPARE(window.property(kSaved).toRect(), kNormal);

        // Without saving: the parent's screen plus a pixel on every side, a pinned size or not;
        // a window without parent is only shown.
        QWidget parent;
        QWidget child(&parent, Qt::Window | Qt::FramelessWindowHint);
        child.setFixedSize(300, 200);
        factory.ShowFullScreen(&child, false);
        QCOMPARE(child.geometry(), Screen().adjusted(-1, -1, 1, 1));
        QVERIFY(!child.property(kSaved).toRect().isValid());
        QWidget lone(nullptr, Qt::FramelessWindowHint);
        lone.setGeometry(kNormal);
        factory.ShowFullScreen(&lone, false);
        QVERIFY(lone.isVisible() && !factory.IsFullScreen(&lone));
        QCOMPARE(lone.geometry(), kNormal);
    }

    void restore_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QSize>("defaultSize"); // "MainWindowDefaultSize"; invalid: not set
        QTest::addColumn<QSize>("expected");
        const QSize none(-1, -1), main(640, 480);
        QTest::newRow("saved size") << none << false << QSize() << QSize(300, 200);
        QTest::newRow("given size, fixed") << QSize(400, 250) << true << QSize() << QSize(400, 250);
        QTest::newRow("main window default") << none << false << main << main;
        QTest::newRow("given size beats default")
            << QSize(420, 260) << false << main << QSize(420, 260);
        QTest::newRow("half-given size") << QSize(-1, 250) << false << QSize() << QSize(300, 200);
    }
    void restore()
    {
        QFETCH(QSize, size);
        QFETCH(bool, fixed);
        QFETCH(QSize, defaultSize);
        QFETCH(QSize, expected);
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(kNormal);
        if (defaultSize.isValid())
            window.setProperty("MainWindowDefaultSize", defaultSize);
        CWidgetSizeFactory factory;
        factory.ShowMaximized(&window);
        factory.ShowNormal(&window, size, fixed);
        QCOMPARE(window.geometry(), QRect(kNormal.topLeft(), expected));
        QCOMPARE(window.minimumSize() == window.maximumSize(), fixed);
        QVERIFY(window.isVisible());
        QCOMPARE(window.property(kState).toUInt(), 0u);

        // Without a saved geometry only a size with both sides given is applied, and the window
        // is not shown: there is nothing to go back to.
        QWidget plain;
        plain.resize(200, 100);
        factory.ShowNormal(&plain, size);
        QCOMPARE(plain.size(), size.isValid() && !size.isEmpty() ? size : QSize(200, 100));
        QVERIFY(!plain.isVisible());
    }

    void sizeAndGeometryIgnoreBadInput()
    {
        CWidgetSizeFactory factory;
        const QRect start(10, 20, 200, 100);
        auto sized = [&](const QSize& size, bool fixed) {
            QWidget window;
            window.setGeometry(start);
            factory.SetWidgetSize(&window, size, fixed);
            return window.geometry();
        };
        auto placed = [&](const QRect& rect, bool fixed) {
            QWidget window;
            window.setGeometry(start);
            factory.SetWidgetGeometry(&window, rect, fixed);
            return window.geometry();
        };
        QCOMPARE(sized({0, 5}, false), start);
        QCOMPARE(sized({-1, -1}, true), start);
        QCOMPARE(sized({1, 1}, false), QRect(10, 20, 1, 1));
        QCOMPARE(sized({150, 90}, true), QRect(10, 20, 150, 90));
        QCOMPARE(placed(QRect(), false), start);
        QCOMPARE(placed({5, 5, -10, 10}, true), start);
        QCOMPARE(placed({5, 6, 70, 80}, true), QRect(5, 6, 70, 80));
        QCOMPARE(placed({5, 6, 70, 80}, false), QRect(4, 5, 72, 82)); // grown by a pixel

        // Every operation does nothing for a null widget.
        factory.ShowMaximized(nullptr);
        factory.ShowNormal(nullptr, QSize(10, 10), true);
        factory.ShowFullScreen(nullptr, false);
        factory.SetWidgetSize(nullptr, QSize(10, 10), true);
        factory.SetWidgetGeometry(nullptr, QRect(0, 0, 10, 10), false);
        QVERIFY(!factory.IsMaximized(nullptr) && !factory.IsFullScreen(nullptr)
                && !factory.IsMinimized(nullptr));
    }

    void tracing()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(kNormal);
        TestSupport::LogCapture capture;
        // Two lines for a query; the screens, the window's place and size for maximising (which
        // queries first).
        CWidgetSizeFactory().IsMaximized(&window);
        CWidgetSizeFactory().ShowMaximized(&window);
        QString traced;
        for (const TestSupport::LogLine& line : qAsConst(capture.lines)) {
            QCOMPARE(qMakePair(line.level, line.category),
                     qMakePair(5, QStringLiteral("ClientWarningAndMore")));
            QVERIFY2(line.text.contains("[Widgets\\WidgetSizeFactory.cpp("), qPrintable(line.text));
            traced += line.text + '\n';
        }
        QCOMPARE(traced.count("CWidgetSizeFactory::IsMaximized]"), 4);
        QVERIFY(traced.count("CWidgetSizeFactory::ShowMaximized]") >= 4);
        QVERIFY(traced.contains("(50,60)") && traced.contains("300x200"));
    }
};

QTEST_MAIN(tst_WidgetSizeFactory)
#include "tst_widgetsizefactory.moc"
