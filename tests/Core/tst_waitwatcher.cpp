#include "NimbGUIToolkit.h"

#include <QApplication>
#include <QAtomicInt>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace TesselGUIToolkit;

class tst_WaitWatcher : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void taskRunsOnPoolThreadBehindModalDialog()
    {
        QWidget parent;
        parent.resize(400, 300);
        QThread* const gui = QThread::currentThread();
        QThread* worker = nullptr;
        bool dialogWasUp = false;
        // While the task sleeps, the busy dialog must be the active modal widget.
        QTimer::singleShot(100, this, [&dialogWasUp] {
            dialogWasUp = qobject_cast<CChaseDialog*>(QApplication::activeModalWidget()) != nullptr;
        });
        CWaitWatcher::Instance().RunBehindDialog(&parent, [&worker] {
            worker = QThread::currentThread();
            QThread::msleep(300);
        });
        QVERIFY(worker);
        QVERIFY(worker != gui);
        QVERIFY(dialogWasUp);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void resultOfTheTaskIsReturned()
    {
        const QVector<int> channels = {3, 5, 7, 11};
        const int sum = CWaitWatcher::Instance().RunBehindDialog(nullptr, [channels] {
            int total = 0;
            for (int channel : channels)
                total += channel;
            return total;
        });
        QCOMPARE(sum, 26);
    }

    void instantTaskStillReturns()
    {
        QAtomicInt runs;
        CWaitWatcher::Instance().RunBehindDialog(nullptr, [&runs] { runs.ref(); }, QString(),
                                                 QStringLiteral("Loading..."));
        QCOMPARE(runs.loadAcquire(), 1);
    }
};

QTEST_MAIN(tst_WaitWatcher)
#include "tst_waitwatcher.moc"
