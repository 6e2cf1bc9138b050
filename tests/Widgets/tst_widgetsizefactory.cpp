#include "Widgets/WidgetSizeFactory.h"

#include "PlinthBase.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace TesselGUIToolkit;

namespace {

const char* const kState = "_scc_WidgetSizeFactory_";
const char* const kSaved = "_scc_WidgetGeometry_";

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QRect ScreenGeometry()
{
    return QGuiApplication::primaryScreen()->geometry();
}

struct LogCapture
{
    struct Line
    {
        int level;
        QString category;
        QString text;
    };
    LogCapture()
    {
        m_previous =
            Plinth::Base::SetLogSink([this](int level, const char* category, const QString& line) {
                m_lines.append({level, QString::fromLatin1(category), line});
            });
    }
    ~LogCapture() { Plinth::Base::SetLogSink(m_previous); }
    QList<Line> m_lines;
    Plinth::Base::LogSink m_previous;
};

QtMessageHandler g_previousHandler = nullptr;

// Pinning the size of a shown window makes the offscreen platform plugin, which has no window
// manager to pass size hints to, warn on every change. That says nothing about this code.
void DropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg
        && text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    g_previousHandler(type, context, text);
}

} // namespace

class tst_WidgetSizeFactory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(DropSizeHintWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void stateTransitions_data()
    {
        // M ShowMaximized, F ShowFullScreen(w), f ShowFullScreen(w, false), N ShowNormal
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<uint>>("states");

        QTest::newRow("maximise") << false << "M" << QList<uint>{1};
        QTest::newRow("maximise twice") << false << "MM" << QList<uint>{1, 1};
        QTest::newRow("maximise, restore") << false << "MN" << QList<uint>{1, 0};
        QTest::newRow("full screen") << false << "F" << QList<uint>{2};
        QTest::newRow("full screen twice") << false << "FF" << QList<uint>{2, 2};
        QTest::newRow("maximised to full screen") << false << "MF" << QList<uint>{1, 2};
        QTest::newRow("full screen to maximised") << false << "FM" << QList<uint>{2, 1};
        QTest::newRow("full screen, restore") << false << "FN" << QList<uint>{2, 0};
        QTest::newRow("restore while normal") << false << "NN" << QList<uint>{0, 0};
        QTest::newRow("parentless full screen without saving") << false << "f" << QList<uint>{0};
        QTest::newRow("full screen over the parent") << true << "fN" << QList<uint>{2, 0};
        QTest::newRow("everything") << true << "MFNFMN" << QList<uint>{1, 2, 0, 2, 1, 0};
    }
    void stateTransitions()
    {
        QFETCH(bool, withParent);
        QFETCH(QString, steps);
        QFETCH(QList<uint>, states);

        QWidget parent;
        QWidget window(withParent ? &parent : nullptr, Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(50, 60, 300, 200);
        CWidgetSizeFactory factory;
        QVERIFY(!factory.IsMaximized(&window));
        QVERIFY(!factory.IsFullScreen(&window));
        for (int i = 0; i < steps.size(); ++i) {
            switch (steps.at(i).toLatin1()) {
            case 'M':
                factory.ShowMaximized(&window);
                break;
            case 'F':
                factory.ShowFullScreen(&window);
                break;
            case 'f':
                factory.ShowFullScreen(&window, false);
                break;
            default:
                factory.ShowNormal(&window, QSize(-1, -1));
                break;
            }
            const uint state = window.property(kState).toUInt();
            QCOMPARE(state, states.at(i));
            QCOMPARE(factory.IsMaximized(&window), state == 1);
            QCOMPARE(factory.IsFullScreen(&window), state == 2);
            if (steps.at(i) != 'N')
                QVERIFY(window.isVisible());
        }
        if (states.last() == 0 && steps.contains('M')) {
            // whatever the way there, the normal geometry comes back
            QCOMPARE(window.geometry(), QRect(50, 60, 300, 200));
            QVERIFY(!window.property(kSaved).toRect().isValid());
        }
    }

    void maximiseCoversAvailableArea()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(50, 60, 300, 200);
        CWidgetSizeFactory factory;
        factory.ShowMaximized(&window);
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), Available());
        QCOMPARE(window.minimumSize(), Available().size()); // pinned
        QCOMPARE(window.maximumSize(), Available().size());
        QCOMPARE(window.property(kSaved).toRect(), QRect(50, 60, 300, 200));

        window.setProperty(kSaved, QRect(1, 2, 3, 4));
        factory.ShowMaximized(&window); // already maximised: nothing, not even the saved rect
        QCOMPARE(window.property(kSaved).toRect(), QRect(1, 2, 3, 4));
    }

    void restore_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QVariant>("defaultSize");
        QTest::addColumn<QSize>("expected");

        QTest::newRow("saved size") << QSize(-1, -1) << false << QVariant() << QSize(300, 200);
        QTest::newRow("given size") << QSize(400, 250) << false << QVariant() << QSize(400, 250);
        QTest::newRow("given size, fixed")
            << QSize(400, 250) << true << QVariant() << QSize(400, 250);
        QTest::newRow("main window default")
            << QSize(-1, -1) << false << QVariant(QSize(640, 480)) << QSize(640, 480);
        QTest::newRow("given size beats default")
            << QSize(420, 260) << false << QVariant(QSize(640, 480)) << QSize(420, 260);
        QTest::newRow("half-given size")
            << QSize(-1, 250) << false << QVariant() << QSize(300, 200);
    }
    void restore()
    {
        QFETCH(QSize, size);
        QFETCH(bool, fixed);
        QFETCH(QVariant, defaultSize);
        QFETCH(QSize, expected);

        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(50, 60, 300, 200);
        if (defaultSize.isValid())
            window.setProperty("MainWindowDefaultSize", defaultSize);
        CWidgetSizeFactory factory;
        factory.ShowMaximized(&window);
        factory.ShowNormal(&window, size, fixed);

        QCOMPARE(window.pos(), QPoint(50, 60));
        QCOMPARE(window.size(), expected);
        QCOMPARE(window.minimumSize() == window.maximumSize(), fixed);
        QVERIFY(window.isVisible());
        QCOMPARE(window.property(kState).toUInt(), 0u);
        QCOMPARE(window.property(kSaved).toRect(), QRect());
        QVERIFY(window.property(kSaved).isValid()); // reset to a null rectangle, not removed
    }

    void restoreWithoutSavedGeometry_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("size") << QSize(320, 180) << QSize(320, 180);
        QTest::newRow("no size") << QSize(-1, -1) << QSize(200, 100);
        QTest::newRow("empty size") << QSize(0, 0) << QSize(200, 100);
        QTest::newRow("one side missing") << QSize(320, -1) << QSize(200, 100);
    }
    void restoreWithoutSavedGeometry()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, expected);

        QWidget window;
        window.resize(200, 100);
        CWidgetSizeFactory().ShowNormal(&window, size);
        QCOMPARE(window.size(), expected);
        QVERIFY(!window.isVisible()); // nothing to go back to, so nothing is shown
        QCOMPARE(window.property(kState).toUInt(), 0u);
    }

    void fullScreenSavesAndCoversScreen()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(50, 60, 300, 200);
        CWidgetSizeFactory factory;
        factory.ShowFullScreen(&window);
        QCOMPARE(window.geometry(), ScreenGeometry());
        QCOMPARE(window.maximumSize(), ScreenGeometry().size());
        QCOMPARE(window.property(kSaved).toRect(), QRect(50, 60, 300, 200));
        factory.ShowNormal(&window, QSize(-1, -1));
        QCOMPARE(window.geometry(), QRect(50, 60, 300, 200));
    }

    void fullScreenOverParentScreen()
    {
        QWidget parent;
        QWidget window(&parent, Qt::Window | Qt::FramelessWindowHint);
        window.setFixedSize(300, 200); // a pinned size must not keep it from covering
        CWidgetSizeFactory factory;
        factory.ShowFullScreen(&window, false);
        QCOMPARE(window.geometry(), ScreenGeometry().adjusted(-1, -1, 1, 1));
        QVERIFY(factory.IsFullScreen(&window));
        QVERIFY(!window.property(kSaved).toRect().isValid());
    }

    void parentlessFullScreenWithoutSavingOnlyShows()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(50, 60, 300, 200);
        CWidgetSizeFactory().ShowFullScreen(&window, false);
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), QRect(50, 60, 300, 200));
        QVERIFY(!CWidgetSizeFactory().IsFullScreen(&window));
    }

    void sizeAndGeometryIgnoreBadInput_data()
    {
        QTest::addColumn<QVariant>("input"); // QSize or QRect
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QRect>("expected");

        const QRect start(10, 20, 200, 100);
        QTest::newRow("size 0 x 5") << QVariant(QSize(0, 5)) << false << start;
        QTest::newRow("size -1 x -1") << QVariant(QSize(-1, -1)) << true << start;
        QTest::newRow("size 1 x 1") << QVariant(QSize(1, 1)) << false << QRect(10, 20, 1, 1);
        QTest::newRow("size fixed") << QVariant(QSize(150, 90)) << true << QRect(10, 20, 150, 90);
        QTest::newRow("null rect") << QVariant(QRect()) << false << start;
        QTest::newRow("inverted rect") << QVariant(QRect(5, 5, -10, 10)) << true << start;
        QTest::newRow("rect fixed") << QVariant(QRect(5, 6, 70, 80)) << true << QRect(5, 6, 70, 80);
        QTest::newRow("rect grown")
            << QVariant(QRect(5, 6, 70, 80)) << false << QRect(4, 5, 72, 82);
    }
    void sizeAndGeometryIgnoreBadInput()
    {
        QFETCH(QVariant, input);
        QFETCH(bool, fixed);
        QFETCH(QRect, expected);

        QWidget window;
        window.setGeometry(10, 20, 200, 100);
        CWidgetSizeFactory factory;
        if (input.type() == QVariant::Size)
            factory.SetWidgetSize(&window, input.toSize(), fixed);
        else
            factory.SetWidgetGeometry(&window, input.toRect(), fixed);
        QCOMPARE(window.geometry(), expected);
    }

    void nullWidgetIsHarmless()
    {
        CWidgetSizeFactory factory;
        factory.ShowMaximized(nullptr);
        factory.ShowNormal(nullptr, QSize(10, 10));
        factory.ShowNormal(nullptr, QSize(10, 10), true);
        factory.ShowFullScreen(nullptr);
        factory.ShowFullScreen(nullptr, false);
        factory.SetWidgetSize(nullptr, QSize(10, 10), true);
        factory.SetWidgetGeometry(nullptr, QRect(0, 0, 10, 10), false);
        QVERIFY(!factory.IsMaximized(nullptr));
        QVERIFY(!factory.IsFullScreen(nullptr));
        QVERIFY(!factory.IsMinimized(nullptr));
    }

    void maximiseIsTraced()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(50, 60, 300, 200);
        LogCapture capture;
        CWidgetSizeFactory().ShowMaximized(&window);

        const QString prefix = "[TesselGUIToolkit::CWidgetSizeFactory::ShowMaximized]";
        int traced = 0;
        for (const LogCapture::Line& line : qAsConst(capture.m_lines)) {
            QCOMPARE(line.level, 5);
            QCOMPARE(line.category, QStringLiteral("ClientWarningAndMore"));
            QVERIFY2(line.text.contains(QStringLiteral("[Widgets\\WidgetSizeFactory.cpp(")),
                     qPrintable(line.text));
            if (line.text.startsWith(prefix))
                ++traced;
        }
        // every screen, the window's screen, its place, the screen under the cursor
        QVERIFY(traced >= 4);
        const auto mentions = [&](const QString& text) {
            for (const LogCapture::Line& line : qAsConst(capture.m_lines))
                if (line.text.startsWith(prefix) && line.text.contains(text))
                    return true;
            return false;
        };
        QVERIFY(mentions(QStringLiteral("(50,60)")));
        QVERIFY(mentions(QStringLiteral("300x200")));
    }

    void maximisedQueryIsTracedTwice()
    {
        QWidget window;
        LogCapture capture;
        CWidgetSizeFactory().IsMaximized(&window);
        QCOMPARE(capture.m_lines.size(), 2);
        QVERIFY(capture.m_lines.at(0).text.startsWith(
            "[TesselGUIToolkit::CWidgetSizeFactory::IsMaximized]"));
    }
};

QTEST_MAIN(tst_WidgetSizeFactory)
#include "tst_widgetsizefactory.moc"
