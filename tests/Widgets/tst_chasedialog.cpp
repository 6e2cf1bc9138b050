#include "Widgets/ChaseDialog.h"

#include "Button/PushButton.h"
#include "Label/Label.h"
#include "Label/MovieLabel.h"
#include "Widgets/CancelDialog.h"
#include "Widgets/FancyTitle.h"

#include "TestSupport.h"

#include <QMovie>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace TesselGUIToolkit;

class tst_ChaseDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::FilterOffscreenWarnings();
        // The smallest GIF there is: one transparent pixel.
        const QByteArray gif = QByteArray::fromHex("47494638396101000100800000000000ffffff21f904"
                                                   "01000000002c00000000010001000002024401003b");
        m_strGif = TestSupport::WriteFile(m_dir.filePath("busy.gif"), gif);
        m_strGarbage = TestSupport::WriteFile(m_dir.filePath("garbage.gif"), "not a picture");
        QVERIFY(!m_strGif.isEmpty() && !m_strGarbage.isEmpty());
    }

    void stopRequests()
    {
        // A request only marks the state; the 500 ms poll ends exec(), even for a request queued
        // from another thread or made before exec() began.
        const QPair<const char*, int> stops[] = {{"OnStopChaseByAccept", QDialog::Accepted},
                                                 {"OnStopChaseByReject", QDialog::Rejected},
                                                 {"OnImmediatelyStopChase", QDialog::Accepted}};
        for (const auto& stop : stops) {
            CChaseDialog dialog(nullptr, m_strGif);
            QMetaObject::invokeMethod(&dialog, stop.first, Qt::QueuedConnection);
            QCOMPARE(dialog.exec(), stop.second);
            QCOMPARE(dialog.GetStopState(), int(CChaseDialog::Running));
        }
        CChaseDialog early(nullptr, QString());
        early.OnStopChaseByReject();
        QCOMPARE(early.GetStopState(), int(CChaseDialog::StopByReject));
        QCOMPARE(early.exec(), int(QDialog::Rejected));

        CChaseDialog dialog(nullptr, QString());
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape); // keys do not end the wait
        QTest::keyClick(&dialog, Qt::Key_Return);
        dialog.OnStopChaseByAccept();
        QCOMPARE(dialog.GetStopState(), int(CChaseDialog::StopByAccept));
        QVERIFY(dialog.isVisible());
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        dialog.show();
        dialog.OnImmediatelyStopChase();
        QVERIFY(!dialog.isVisible());
    }

    void progressValue()
    {
        CChaseDialog dialog(nullptr, m_strGif);
        CMovieLabel* label = dialog.GetMovieLabel();
        QVERIFY(label->movie());
        dialog.OnSetProgressValue(7);
        QVERIFY(label->IsShowingText() && !label->movie());
        // 0 to 100 are shown, anything else is ignored.
        const QPair<int, const char*> steps[] = {{42, "42%"}, {101, "42%"},  {0, "0%"},
                                                 {-1, "0%"},  {100, "100%"}, {99999, "100%"}};
        for (const auto& step : steps) {
            dialog.OnSetProgressValue(step.first);
            QCOMPARE(label->text(), QString(step.second));
        }
        CChaseDialog empty(nullptr, QString());
        empty.OnSetProgressValue(101);
        QCOMPARE(empty.GetMovieLabel()->text(), QString());
        empty.OnSetProgressValue(0);
        QCOMPARE(empty.GetMovieLabel()->text(), QStringLiteral("0%"));
    }

    void looks()
    {
        for (const QString& notice : {QString(), QStringLiteral("Loading devices")}) {
            CChaseDialog dialog(nullptr, m_strGif, notice);
            const QSize size = notice.isEmpty() ? QSize(150, 120) : QSize(250, 180);
            QVERIFY(dialog.minimumSize() == size && dialog.maximumSize() == size);
            QVERIFY(qAbs(dialog.windowOpacity() - 0.5) < 0.01); // Qt keeps it in 8 bits
            QVERIFY(dialog.GetTitleWidget()->isHidden() && !dialog.BottomIsVisible());
            CMovieLabel* movie = dialog.GetMovieLabel();
            QCOMPARE(movie->objectName(), QStringLiteral("ptr_movie_label_"));
            QCOMPARE(movie->GetMovie()->scaledSize(), QSize(54, 54));
            QCOMPARE(movie->GetMovie()->state(), QMovie::Running);
            dialog.SetNotice(QStringLiteral("Almost done"));
            CLabel* label = dialog.GetNoticeLabel();
            QCOMPARE(dialog.findChild<CLabel*>("ptr_notice_label_"), label);
            QCOMPARE(label != nullptr, !notice.isEmpty());
            if (label) {
                QCOMPARE(label->text(), QStringLiteral("Almost done"));
                QVERIFY(label->wordWrap() && label->alignment() == Qt::AlignCenter);
            }
        }
    }

    void closeButton()
    {
        for (bool showClose : {false, true}) {
            CChaseDialog dialog(nullptr, QString(), QStringLiteral("Exporting"), showClose);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            CPushButton* close = dialog.findChild<CPushButton*>("ptr_close_btn_");
            QCOMPARE(close, dialog.GetChaseCloseBtn());
            QCOMPARE(close->geometry(), QRect(250 - 29, 5, 24, 24)); // the top-right corner
            QCOMPARE(close->isVisible(), showClose);
            if (!showClose)
                continue;
            QCOMPARE(dialog.childAt(close->geometry().center()), close); // nothing covers it
            QSignalSpy cancel(&dialog, &CChaseDialog::SignalCancel);
            QSignalSpy finished(&dialog, &QDialog::finished);
            QTest::mouseClick(close, Qt::LeftButton);
            QCOMPARE(cancel.count(), 1);
            QVERIFY(dialog.isVisible()); // only the program ends the wait
            QCOMPARE(finished.count(), 0);
        }
    }

    void keepsCentredOverParent()
    {
        QWidget parent;
        parent.setGeometry(100, 100, 400, 300);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        CChaseDialog dialog(&parent, QString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.SetAlwaysAdjustPosition(true);
        parent.move(200, 150);
        QTRY_COMPARE(dialog.pos(), QPoint(200 + 200 - 75, 150 + 150 - 60));
        parent.resize(500, 400);
        QTRY_COMPARE(dialog.pos(), QPoint(200 + 250 - 75, 150 + 200 - 60));
        QVERIFY(!dialog.testAttribute(Qt::WA_Moved)); // the next show still centres by itself
        dialog.SetAlwaysAdjustPosition(false);
        parent.move(20, 30);
        QTRY_COMPARE(parent.pos(), QPoint(20, 30));
        QCoreApplication::processEvents();
        QCOMPARE(dialog.pos(), QPoint(200 + 250 - 75, 150 + 200 - 60));

        CChaseDialog orphan(nullptr, QString());
        orphan.move(10, 20);
        orphan.SetAlwaysAdjustPosition(true);
        QCOMPARE(orphan.pos(), QPoint(10, 20));
    }

    void movieLabel()
    {
        const QString missing = m_dir.filePath("missing.gif");
        for (const QString& path : {missing, m_strGarbage, QString(), QString(":/no/such.svg")}) {
            CMovieLabel label;
            QVERIFY(!label.SetMovie(path, QSize(54, 54)));
            QCOMPARE(label.GetMoviePath(), path);
            QVERIFY(!label.GetMovie() && !label.movie() && label.text().isEmpty());
            QVERIFY(label.pixmap(Qt::ReturnByValue).isNull());
        }
        CMovieLabel label;
        QVERIFY(label.SetMovie(m_strGif, QSize(54, 54)));
        QCOMPARE(label.movie(), label.GetMovie());
        QCOMPARE(label.GetMovie()->scaledSize(), QSize(54, 54));
        label.ShowText(QStringLiteral("42%"));
        QCOMPARE(label.text(), QStringLiteral("42%"));
        QCOMPARE(label.GetMovie()->state(), QMovie::Paused);
        label.ShowText(QString());
        QVERIFY(label.text().isEmpty() && !label.IsShowingText());
        QCOMPARE(label.movie(), label.GetMovie());
        QCOMPARE(label.GetMovie()->state(), QMovie::Running);
        // A failed replacement leaves the label empty rather than showing the old animation.
        QVERIFY(!label.SetMovie(m_strGarbage, QSize(54, 54)));
        QVERIFY(!label.movie() && !label.GetMovie());
    }

    void cancelDialog()
    {
        // Cancel shows the second text, when there is one, and asks the task only once to stop;
        // the owner closes the dialog once the task has stopped.
        for (const QString& second : {QStringLiteral("Cancelling..."), QString()}) {
            CCancelDialog dialog(nullptr, QStringLiteral("Exporting"), second);
            QVERIFY(!dialog.GetMovieLabel());
            auto* text = dialog.findChild<CLabel*>("ptr_text_label_");
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY(dialog.GetCancelBtn()->isVisible() && !dialog.GetConfirmBtn()->isVisible());
            QSignalSpy cancel(&dialog, &CCancelDialog::SignalCancel);
            QSignalSpy finished(&dialog, &QDialog::finished);
            for (int click = 0; click < 3; ++click)
                QTest::mouseClick(dialog.GetCancelBtn(), Qt::LeftButton);
            QCOMPARE(cancel.count(), 1);
            QVERIFY(dialog.IsCancelRequested() && dialog.isVisible() && finished.isEmpty());
            QCOMPARE(dialog.GetText(), second.isEmpty() ? QStringLiteral("Exporting") : second);
            QCOMPARE(text->text(), dialog.GetText());
        }
        CCancelDialog animated(nullptr, QStringLiteral("Searching"), QString(), m_strGif);
        animated.show();
        QVERIFY(QTest::qWaitForWindowExposed(&animated));
        auto* text = animated.findChild<CLabel*>("ptr_text_label_");
        QVERIFY(animated.GetMovieLabel()->geometry().right() < text->x()); // to its left
        // An unreadable animation still leaves a working dialog.
        CCancelDialog broken(nullptr, QStringLiteral("Searching"), QString(), m_strGarbage);
        QVERIFY(!broken.GetMovieLabel()->GetMovie());
        QSignalSpy cancel(&broken, &CCancelDialog::SignalCancel);
        broken.GetCancelBtn()->click();
        QCOMPARE(cancel.count(), 1);
    }

private:
    QTemporaryDir m_dir;
    QString m_strGif;
    QString m_strGarbage;
};

QTEST_MAIN(tst_ChaseDialog)
#include "tst_chasedialog.moc"
