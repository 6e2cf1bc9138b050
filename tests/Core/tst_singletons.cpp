#include "NimbGUIToolkit.h"

#include "TestSupport.h"

#include <QSettings>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

using namespace TesselGUIToolkit;

class tst_Singletons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstCallsFromManyThreadsCreateOneInstance()
    {
        // This runs first, so the race really happens on the first calls.
        std::atomic<bool> go{false};
        QVector<CWidgetMaximizeManager*> seen(8, nullptr);
        std::vector<std::unique_ptr<QThread>> threads;
        for (int i = 0; i < seen.size(); ++i) {
            threads.emplace_back(QThread::create([&go, &seen, i] {
                while (!go)
                    QThread::yieldCurrentThread();
                seen[i] = &CWidgetMaximizeManager::Instance();
            }));
            threads.back()->start();
        }
        go = true;
        for (const auto& thread : threads)
            QVERIFY(thread->wait(5000));
        QCOMPARE(seen.count(&CWidgetMaximizeManager::Instance()), 8);
    }

    void readDirection()
    {
        ArbaricSetting& setting = ArbaricSetting::Instance();
        QCOMPARE(setting.GetReadDirection(), ArbaricSetting::LeftToRight);
        QCOMPARE(setting.ArbaricTipPos("tip"), QPoint(0, 0));
        setting.SetReadDirection(ArbaricSetting::RightToLeft);
        QFont font(QStringLiteral("SegoeUI"));
        font.setPointSize(13);
        QCOMPARE(setting.ArbaricTipPos("tip"),
                 QPoint(QFontMetrics(font).horizontalAdvance("tip"), 0));
        QVERIFY(setting.ArbaricTipPos("tip").x() > 0);
        QCOMPARE(setting.ArbaricTipPos(QString()), QPoint(0, 0));
        setting.SetReadDirection(ArbaricSetting::LeftToRight);
    }

    void temporaryDataLivesOnlyInThisRun()
    {
        // A value left in the store by an earlier process is gone once the manager exists.
        QSettings(QStringLiteral("_Tessel_TemporaryData_"), QString()).setValue("fromLastRun", 1);
        CTemporaryDataManager& store = CTemporaryDataManager::Instance();
        QVERIFY(!store.GetValue("fromLastRun").isValid());
        QCOMPARE(store.GetValue("never", 42).toInt(), 42);
        store.SetValue("camera/count", 64);
        store.SetValue("other", "kept");
        QCOMPARE(store.GetValue("camera/count", 0).toInt(), 64);
        store.RemoveKey("camera/count");
        store.RemoveKey(QString()); // must not wipe the whole store
        QCOMPARE(store.GetValue("camera/count", -1).toInt(), -1);
        QCOMPARE(store.GetValue("other").toString(), QStringLiteral("kept"));
    }

    void iconFont()
    {
        // Without the client's font and style: "Segoe UI" at 14 px, and widgets keep their style.
        CIconFontLoader& loader = CIconFontLoader::Instance();
        QVERIFY(!loader.GetStyle());
        QCOMPARE(loader.GetIconFont().family(), QStringLiteral("Segoe UI"));
        QCOMPARE(loader.GetIconFont().pixelSize(), 14);
        const QChar glyph(0xE6AC);
        CPushButton push;
        CToolButton tool;
        CLabel label;
        loader.SetIcon(&push, glyph, "Record", true);
        loader.SetIcon(&tool, glyph, "Record", false);
        loader.SetIcon(&label, glyph, "tip");
        QCOMPARE(push.text(), QString(glyph));
        QCOMPARE(tool.text(), glyph + QStringLiteral("Record"));
        QCOMPARE(label.GetText(), QString(glyph));
        QCOMPARE(QStringList({push.toolTip(), tool.toolTip(), label.toolTip()}),
                 QStringList({"Record", "Record", "tip"}));
        QCOMPARE(tool.font().family(), QStringLiteral("Segoe UI"));
        loader.SetIcon(static_cast<CPushButton*>(nullptr), glyph, QString(), true); // ignored

        std::unique_ptr<QStyle> style(QStyleFactory::create("fusion"));
        loader.SetStyle(style.get());
        loader.SetIcon(&push, glyph, QString(), true);
        loader.SetStyle(nullptr);
        QCOMPARE(push.style(), style.get());
        push.setStyle(nullptr);
    }

    void readFiles()
    {
        QTemporaryDir dir;
        QCOMPARE(CFile::ReadAll(TestSupport::WriteFile(dir.filePath("a.qss"), {"A;\0hidden", 9})),
                 QStringLiteral("A;"));
        QCOMPARE(CFile::ReadAll(TestSupport::WriteFile(dir.filePath("b.qss"), "caf\xe9")),
                 QStringLiteral("caf\u00e9")); // Latin-1
        for (const QString& folder : {dir.path(), dir.path() + '/'}) {
            TestSupport::LogCapture log;
            QCOMPARE(CFile::ReadAll({"b.qss", "missing.qss", "a.qss"}, folder),
                     QStringLiteral("caf\u00e9A;"));
            QCOMPARE(log.lines.size(), 1); // one error line for the file that cannot be opened
            const TestSupport::LogLine line = log.lines.at(0);
            QCOMPARE(qMakePair(line.level, line.category),
                     qMakePair(3, QStringLiteral("ClientFramework")));
            QVERIFY2(line.text.startsWith("[TesselGUIToolkit::CFile::ReadAll]read error: Unable to "
                                          "open "
                                          + dir.path() + "/missing.qss: "),
                     qPrintable(line.text));
            QVERIFY(line.text.endsWith("[Core\\File.cpp(35)]"));
        }
    }

    void logLinesReachTheirQtCategory()
    {
        // Without a sink, lines go to the Qt category of the same name at a level-dependent type.
        QTest::ignoreMessage(QtWarningMsg, "[f]three[s(1)]");
        Plinth::Base::details::QuillFormatLog(3, "ClientFramework", "[%s]%s[%s(%d)]", "f", "three",
                                              "s", 1);
        QTest::ignoreMessage(QtCriticalMsg, "x=7");
        Plinth::Base::details::QuillFormatLog(1, "ClientFramework", "x=%d", 7);
        QCOMPARE(Plinth::Base::details::QuillFormatLog(3, nullptr, "x"), -1);
        QCOMPARE(Plinth::Base::details::QuillFormatLog(3, "ClientFramework", nullptr), -1);
    }

    void waitWatcherRunsTaskBehindModalDialog()
    {
        QWidget parent;
        QThread* worker = nullptr;
        bool dialogWasUp = false;
        QTimer::singleShot(100, this, [&dialogWasUp] {
            dialogWasUp = qobject_cast<CChaseDialog*>(QApplication::activeModalWidget());
        });
        auto task = [&worker] {
            worker = QThread::currentThread();
            QThread::msleep(300);
            return 26;
        };
        QCOMPARE(CWaitWatcher::Instance().RunBehindDialog(&parent, task), 26);
        QVERIFY(worker && worker != QThread::currentThread());
        QVERIFY(dialogWasUp && !QApplication::activeModalWidget());
        CWaitWatcher::Instance().RunBehindDialog(
            nullptr, [] {}, QString(), "Loading...");
    }
};

QTEST_MAIN(tst_Singletons)
#include "tst_singletons.moc"
