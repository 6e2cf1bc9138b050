#include "NimbGUIToolkit.h"

#include "PlinthBase.h"

#include <QFontDatabase>
#include <QStyle>
#include <QStyleFactory>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

using namespace TesselGUIToolkit;

namespace {
struct LogLine
{
    int level;
    QString category;
    QString text;
};

// Collects every log line written while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        m_previous = Plinth::Base::SetLogSink([this](int level, const char* category, const QString& line) {
            m_lines.append({level, QString::fromUtf8(category), line});
        });
    }
    ~LogCapture() { Plinth::Base::SetLogSink(m_previous); }
    const QVector<LogLine>& Lines() const { return m_lines; }

private:
    Plinth::Base::LogSink m_previous;
    QVector<LogLine> m_lines;
};

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return file.fileName();
}
} // namespace

class tst_Singletons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstCallsFromManyThreadsCreateOneInstance()
    {
        // This runs first, so the race really happens on the first calls.
        std::atomic<bool> go{false};
        QVector<CWidgetMaximizeManager*> seen(8, nullptr);
        QVector<QThread*> threads;
        for (int i = 0; i < seen.size(); ++i) {
            threads.append(QThread::create([&go, &seen, i] {
                while (!go.load())
                    QThread::yieldCurrentThread();
                seen[i] = &CWidgetMaximizeManager::Instance();
            }));
            threads.last()->start();
        }
        go = true;
        for (QThread* thread : threads) {
            QVERIFY(thread->wait(5000));
            delete thread;
        }
        for (CWidgetMaximizeManager* instance : seen)
            QCOMPARE(instance, &CWidgetMaximizeManager::Instance());
    }

    void readDirectionDefaultsToLeftToRight()
    {
        QCOMPARE(ArbaricSetting::Instance().GetReadDirection(), ArbaricSetting::LeftToRight);
        QCOMPARE(int(ArbaricSetting::RightToLeft), 0);
        QCOMPARE(int(ArbaricSetting::LeftToRight), 1);
        ArbaricSetting::Instance().SetLanguageType(7);
        QCOMPARE(ArbaricSetting::Instance().GetLanguangeType(), 7);
        ArbaricSetting::Instance().SetLanguageType(0);
    }

    void arbaricTipPos_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shifted");
        QTest::newRow("ltr text") << 1 << "tip" << false;
        QTest::newRow("ltr empty") << 1 << "" << false;
        QTest::newRow("rtl text") << 0 << "tip" << true;
        QTest::newRow("rtl empty") << 0 << "" << false;
    }
    void arbaricTipPos()
    {
        QFETCH(int, direction);
        QFETCH(QString, text);
        QFETCH(bool, shifted);
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::ReadDirection(direction));
        const QPoint pos = ArbaricSetting::Instance().ArbaricTipPos(text);
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        QCOMPARE(pos.y(), 0);
        if (shifted) {
            QFont font(QStringLiteral("SegoeUI"));
            font.setPointSize(13);
            QCOMPARE(pos.x(), QFontMetrics(font).horizontalAdvance(text));
            QVERIFY(pos.x() > 0);
        } else {
            QCOMPARE(pos.x(), 0);
        }
    }

    void temporaryDataLivesOnlyInThisRun()
    {
        // A value left in the store by an earlier process must be gone once the manager exists.
        {
            QSettings leftover(QStringLiteral("_Tessel_TemporaryData_"), QString());
            leftover.setValue(QStringLiteral("fromLastRun"), 1);
        }
        CTemporaryDataManager& store = CTemporaryDataManager::Instance();
        QVERIFY(!store.GetValue(QStringLiteral("fromLastRun")).isValid());
        QCOMPARE(store.GetValue(QStringLiteral("never"), 42).toInt(), 42);
        store.SetValue(QStringLiteral("camera/count"), 64);
        QCOMPARE(store.GetValue(QStringLiteral("camera/count"), 0).toInt(), 64);
        store.SetValue(QStringLiteral("other"), QStringLiteral("kept"));
        store.RemoveKey(QStringLiteral("camera/count"));
        QCOMPARE(store.GetValue(QStringLiteral("camera/count"), -1).toInt(), -1);
        // An empty key must not wipe the whole store.
        store.RemoveKey(QString());
        store.SetValue(QString(), 5);
        QCOMPARE(store.GetValue(QStringLiteral("other")).toString(), QStringLiteral("kept"));
        QCOMPARE(store.GetValue(QString(), 9).toInt(), 9);
    }

    void iconFontFallsBackWithoutClientFont()
    {
        CIconFontLoader& loader = CIconFontLoader::Instance();
        QVERIFY(!loader.GetStyle()); // no "CTesselIconFontStyle" registered here
        QCOMPARE(loader.GetIconFont().family(), QStringLiteral("Segoe UI"));
        QCOMPARE(loader.GetIconFont().pixelSize(), 14);
    }

    void setIconOnButtonsAndLabels_data()
    {
        QTest::addColumn<bool>("iconOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("icon only") << true << QString(QChar(0xE6AC));
        QTest::newRow("glyph and text") << false << QString(QChar(0xE6AC)) + QStringLiteral("Record");
    }
    void setIconOnButtonsAndLabels()
    {
        QFETCH(bool, iconOnly);
        QFETCH(QString, expected);
        CIconFontLoader& loader = CIconFontLoader::Instance();
        CPushButton push;
        CToolButton tool;
        loader.SetIcon(&push, QChar(0xE6AC), QStringLiteral("Record"), iconOnly);
        loader.SetIcon(&tool, QChar(0xE6AC), QStringLiteral("Record"), iconOnly);
        QCOMPARE(push.text(), expected);
        QCOMPARE(tool.text(), expected);
        QCOMPARE(push.toolTip(), QStringLiteral("Record"));
        QCOMPARE(tool.toolTip(), QStringLiteral("Record"));
        QCOMPARE(push.font().family(), loader.GetIconFont().family());

        CLabel label;
        label.SetSuffixText(QStringLiteral("!"));
        loader.SetIcon(&label, QChar(0xE6AC), QStringLiteral("tip"));
        QCOMPARE(label.GetText(), QString(QChar(0xE6AC)));
        QCOMPARE(label.toolTip(), QStringLiteral("tip"));

        // Null widgets are ignored.
        loader.SetIcon(static_cast<CLabel*>(nullptr), QChar(0xE6AC), QString());
        loader.SetIcon(static_cast<CPushButton*>(nullptr), QChar(0xE6AC), QString(), true);
        loader.SetIcon(static_cast<CToolButton*>(nullptr), QChar(0xE6AC), QString(), false);
    }

    void iconStyleIsAppliedWhenSet()
    {
        CIconFontLoader& loader = CIconFontLoader::Instance();
        QScopedPointer<QStyle> style(QStyleFactory::create(QStringLiteral("fusion")));
        loader.SetStyle(style.data());
        CPushButton button;
        loader.SetIcon(&button, QChar(0xE6AC), QString(), true);
        loader.SetStyle(nullptr);
        QCOMPARE(button.style(), style.data());
        button.setStyle(nullptr);
    }

    void maximizeModeIsStored()
    {
        CWidgetMaximizeManager& manager = CWidgetMaximizeManager::Instance();
        QCOMPARE(manager.GetWidgetMaximizeMode(), 0);
        manager.SetWidgetMaximizeMode(1);
        QCOMPARE(manager.GetWidgetMaximizeMode(), 1);
        manager.SetWidgetMaximizeMode(0);
    }

    void readAllStopsAtZeroByte()
    {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, QStringLiteral("style.qss"),
                                       QByteArray("QWidget{}\0hidden", 16));
        QCOMPARE(CFile::ReadAll(path), QStringLiteral("QWidget{}"));
        const QString latin = WriteFile(dir, QStringLiteral("latin.qss"), QByteArray("caf\xe9"));
        QCOMPARE(CFile::ReadAll(latin), QStringLiteral("caf\u00e9"));
    }

    void readAllOfListJoinsDirectoryOnce_data()
    {
        QTest::addColumn<bool>("trailingSlash");
        QTest::newRow("without slash") << false;
        QTest::newRow("with slash") << true;
    }
    void readAllOfListJoinsDirectoryOnce()
    {
        QFETCH(bool, trailingSlash);
        QTemporaryDir dir;
        WriteFile(dir, QStringLiteral("a.qss"), "A;");
        WriteFile(dir, QStringLiteral("b.qss"), "B;");
        const QString folder = dir.path() + (trailingSlash ? QStringLiteral("/") : QString());
        LogCapture log;
        const QString text = CFile::ReadAll(
            {QStringLiteral("b.qss"), QStringLiteral("missing.qss"), QStringLiteral("a.qss")}, folder);
        QCOMPARE(text, QStringLiteral("B;A;"));
        QCOMPARE(log.Lines().size(), 1);
        QVERIFY(log.Lines().at(0).text.contains(dir.path() + QStringLiteral("/missing.qss")));
        QVERIFY(!log.Lines().at(0).text.contains(QStringLiteral("//missing")));
    }

    void unreadableFileLogsOneErrorLine()
    {
        LogCapture log;
        QCOMPARE(CFile::ReadAll(QStringLiteral("/nonexistent/x.qss")), QString());
        QCOMPARE(log.Lines().size(), 1);
        const LogLine& line = log.Lines().at(0);
        QCOMPARE(line.level, 3);
        QCOMPARE(line.category, QStringLiteral("ClientFramework"));
        QVERIFY2(line.text.startsWith(QStringLiteral(
                     "[TesselGUIToolkit::CFile::ReadAll]read error: Unable to open /nonexistent/x.qss: ")),
                 qPrintable(line.text));
        QVERIFY(line.text.endsWith(QStringLiteral("[Core\\File.cpp(35)]")));
    }

    void logLinesReachTheirQtCategory()
    {
        // Without a sink, lines go to the Qt category of the same name at a level-dependent type.
        QTest::ignoreMessage(QtWarningMsg, "[f]three[s(1)]");
        Plinth::Base::details::QuillFormatLog(3, "ClientFramework", "[%s]%s[%s(%d)]", "f", "three", "s", 1);
        QTest::ignoreMessage(QtCriticalMsg, "x=7");
        Plinth::Base::details::QuillFormatLog(1, "ClientFramework", "x=%d", 7);
        QCOMPARE(Plinth::Base::details::QuillFormatLog(3, nullptr, "x"), -1);
        QCOMPARE(Plinth::Base::details::QuillFormatLog(3, "ClientFramework", nullptr), -1);
    }
};

QTEST_MAIN(tst_Singletons)
#include "tst_singletons.moc"
