#include "Widgets/ChaseDialog.h"

#include "Button/PushButton.h"
#include "Label/Label.h"
#include "Label/MovieLabel.h"
#include "Widgets/CancelDialog.h"
#include "Widgets/FancyTitle.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMovie>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace TesselGUIToolkit;

namespace {

// The smallest GIF there is: one transparent pixel.
const unsigned char kOnePixelGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return path;
}

QByteArray GifBytes()
{
    return QByteArray(reinterpret_cast<const char*>(kOnePixelGif), int(sizeof(kOnePixelGif)));
}

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

class tst_ChaseDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        g_previousHandler = qInstallMessageHandler(DropSizeHintWarnings);
        QVERIFY(m_dir.isValid());
        m_strGif = WriteFile(m_dir, QStringLiteral("busy.gif"), GifBytes());
        m_strGarbage = WriteFile(m_dir, QStringLiteral("garbage.gif"), "not a picture at all");
        QVERIFY(!m_strGif.isEmpty());
        QVERIFY(!m_strGarbage.isEmpty());
    }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void stopEndsExec_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("result");
        QTest::newRow("accept") << "OnStopChaseByAccept" << int(QDialog::Accepted);
        QTest::newRow("reject") << "OnStopChaseByReject" << int(QDialog::Rejected);
        QTest::newRow("immediately") << "OnImmediatelyStopChase" << int(QDialog::Accepted);
    }
    void stopEndsExec()
    {
        QFETCH(QString, slot);
        QFETCH(int, result);
        CChaseDialog dialog(nullptr, m_strGif);
        // Queued, as a worker thread's finished signal arrives.
        QTimer::singleShot(0, &dialog, [&dialog, slot] {
            QMetaObject::invokeMethod(&dialog, qPrintable(slot), Qt::QueuedConnection);
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(dialog.GetStopState(), int(CChaseDialog::Running));
    }

    void stopRequestWaitsForThePoll_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accept") << true;
        QTest::newRow("reject") << false;
    }
    void stopRequestWaitsForThePoll()
    {
        QFETCH(bool, accept);
        CChaseDialog dialog(nullptr, m_strGif);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        if (accept)
            dialog.OnStopChaseByAccept();
        else
            dialog.OnStopChaseByReject();
        // The request only marks the state; the poll closes the dialog.
        QCOMPARE(dialog.GetStopState(), accept ? 1 : 0);
        QVERIFY(dialog.isVisible());
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(),
                 accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.GetStopState(), int(CChaseDialog::Running));
    }

    void stopRequestedBeforeExec()
    {
        // A task may finish before the dialog is even shown; exec() must still end.
        CChaseDialog dialog(nullptr, QString());
        dialog.OnStopChaseByReject();
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }

    void immediateStop()
    {
        CChaseDialog dialog(nullptr, QString());
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.show();
        dialog.OnImmediatelyStopChase();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(accepted.count(), 1);
    }

    void keysDoNotEndTheWait()
    {
        CChaseDialog dialog(nullptr, QString());
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(finished.count(), 0);
    }

    void progressValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        // Each row starts from "7%".
        QTest::newRow("42") << 42 << "42%";
        QTest::newRow("0") << 0 << "0%";
        QTest::newRow("100") << 100 << "100%";
        QTest::newRow("101 is ignored") << 101 << "7%";
        QTest::newRow("negative is ignored") << -1 << "7%";
        QTest::newRow("huge is ignored") << 99999 << "7%";
    }
    void progressValue()
    {
        QFETCH(int, value);
        QFETCH(QString, shown);
        CChaseDialog dialog(nullptr, m_strGif);
        CMovieLabel* label = dialog.GetMovieLabel();
        QVERIFY(label->movie());
        dialog.OnSetProgressValue(7);
        dialog.OnSetProgressValue(value);
        QCOMPARE(label->text(), shown);
        QVERIFY(label->IsShowingText());
        QVERIFY(!label->movie());
    }

    void progressOnEmptyLabel()
    {
        CChaseDialog dialog(nullptr, QString());
        dialog.OnSetProgressValue(101);
        QCOMPARE(dialog.GetMovieLabel()->text(), QString());
        dialog.OnSetProgressValue(42);
        QCOMPARE(dialog.GetMovieLabel()->text(), QStringLiteral("42%"));
    }

    void looks_data()
    {
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QSize>("size");
        QTest::newRow("no notice") << QString() << QSize(150, 120);
        QTest::newRow("notice") << QStringLiteral("Loading devices, please wait")
                                << QSize(250, 180);
    }
    void looks()
    {
        QFETCH(QString, notice);
        QFETCH(QSize, size);
        CChaseDialog dialog(nullptr, m_strGif, notice);
        QCOMPARE(dialog.size(), size);
        QCOMPARE(dialog.minimumSize(), size);
        QCOMPARE(dialog.maximumSize(), size);
        QVERIFY(qAbs(dialog.windowOpacity() - 0.5) < 0.01); // Qt keeps it in 8 bits
        QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(dialog.GetTitleWidget()->isHidden());
        QVERIFY(!dialog.BottomIsVisible());
        QCOMPARE(dialog.GetSetUpUiWidget()->styleSheet(),
                 QStringLiteral("background-color: #000000; border-radius: 2px;"));

        CMovieLabel* movie = dialog.GetMovieLabel();
        QCOMPARE(movie->objectName(), QStringLiteral("ptr_movie_label_"));
        QVERIFY(movie->GetMovie());
        QCOMPARE(movie->GetMovie()->scaledSize(), QSize(54, 54));
        QCOMPARE(movie->GetMovie()->state(), QMovie::Running);
        auto* grid = qobject_cast<QGridLayout*>(dialog.GetSetUpUiWidget()->layout());
        QVERIFY(grid);
        QLayoutItem* movieItem = grid->itemAtPosition(0, 0);
        QVERIFY(movieItem);
        QCOMPARE(movieItem->widget(), static_cast<QWidget*>(movie));
        QCOMPARE(movieItem->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);

        CLabel* label = dialog.GetNoticeLabel();
        QCOMPARE(label != nullptr, !notice.isEmpty());
        dialog.SetNotice(QStringLiteral("Almost done"));
        if (!label) {
            QVERIFY(!dialog.findChild<CLabel*>(QStringLiteral("ptr_notice_label_")));
            return;
        }
        QCOMPARE(grid->itemAtPosition(1, 0)->widget(), static_cast<QWidget*>(label));
        QCOMPARE(grid->verticalSpacing(), 10);
        QCOMPARE(label->text(), QStringLiteral("Almost done"));
        QVERIFY(label->wordWrap());
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QCOMPARE(label->styleSheet(),
                 QStringLiteral("color: #ffffff;font-size: 12px; font-family: Segoe UI;"));
    }

    void closeButton_data()
    {
        QTest::addColumn<bool>("showClose");
        QTest::addColumn<QString>("notice");
        QTest::newRow("shown") << true << QString();
        QTest::newRow("shown with notice") << true << QStringLiteral("Exporting");
        QTest::newRow("hidden") << false << QString();
    }
    void closeButton()
    {
        QFETCH(bool, showClose);
        QFETCH(QString, notice);
        CChaseDialog dialog(nullptr, QString(), notice, showClose);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* close = dialog.findChild<CPushButton*>(QStringLiteral("ptr_close_btn_"));
        QVERIFY(close);
        QCOMPARE(close, dialog.GetChaseCloseBtn());
        QCOMPARE(close->isVisible(), showClose);
        QCOMPARE(close->geometry(), QRect(dialog.width() - 29, 5, 24, 24));
        QCOMPARE(close->iconSize(), QSize(24, 24));
        QCOMPARE(close->toolTip(), QStringLiteral("Close"));
        QCOMPARE(close->styleSheet(), QStringLiteral("background: transparent; border: none;"));
        // The client's picture is not registered here: the button works without it.
        QVERIFY(close->icon().isNull());
        if (!showClose)
            return;
        // Nothing covers it.
        QCOMPARE(dialog.childAt(close->geometry().center()), static_cast<QWidget*>(close));

        QSignalSpy cancel(&dialog, &CChaseDialog::SignalCancel);
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(cancel.count(), 1);
        // Only the program ends the wait.
        QVERIFY(dialog.isVisible());
        QCOMPARE(finished.count(), 0);
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
        // The next show still centres by itself.
        QVERIFY(!dialog.testAttribute(Qt::WA_Moved));

        dialog.SetAlwaysAdjustPosition(false);
        parent.move(20, 30);
        QTRY_COMPARE(parent.pos(), QPoint(20, 30));
        QCoreApplication::processEvents();
        QCOMPARE(dialog.pos(), QPoint(200 + 250 - 75, 150 + 200 - 60));
    }

    void adjustPositionWithoutParent()
    {
        CChaseDialog dialog(nullptr, QString());
        dialog.move(10, 20);
        dialog.SetAlwaysAdjustPosition(true);
        dialog.SetAlwaysAdjustPosition(false);
        QCOMPARE(dialog.pos(), QPoint(10, 20));
    }

    void movieLabel_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("plays");
        QTest::newRow("gif") << "busy.gif" << true;
        QTest::newRow("missing") << "missing.gif" << false;
        QTest::newRow("garbage") << "garbage.gif" << false;
        QTest::newRow("empty path") << "" << false;
        QTest::newRow("missing resource") << ":/no/such/picture.svg" << false;
    }
    void movieLabel()
    {
        QFETCH(QString, file);
        QFETCH(bool, plays);
        const QString path =
            file.isEmpty() || file.startsWith(QLatin1Char(':')) ? file : m_dir.filePath(file);
        CMovieLabel label;
        QCOMPARE(label.SetMovie(path, QSize(54, 54)), plays);
        QCOMPARE(label.GetMoviePath(), path);
        QCOMPARE(label.GetMovie() != nullptr, plays);
        QCOMPARE(label.movie() != nullptr, plays);
        if (!plays) {
            QVERIFY(label.text().isEmpty());
            QVERIFY(label.pixmap(Qt::ReturnByValue).isNull());
            return;
        }
        QCOMPARE(label.GetMovie()->scaledSize(), QSize(54, 54));
        QCOMPARE(label.GetMovie()->state(), QMovie::Running);

        label.ShowText(QStringLiteral("42%"));
        QCOMPARE(label.text(), QStringLiteral("42%"));
        QCOMPARE(label.GetMovie()->state(), QMovie::Paused);
        label.ShowText(QString());
        QVERIFY(label.text().isEmpty());
        QCOMPARE(label.movie(), label.GetMovie());
        QCOMPARE(label.GetMovie()->state(), QMovie::Running);

        // A failed replacement leaves the label empty rather than showing the old animation.
        QVERIFY(!label.SetMovie(m_strGarbage, QSize(54, 54)));
        QVERIFY(!label.movie());
        QVERIFY(!label.GetMovie());
    }

    void cancelDialog_data()
    {
        QTest::addColumn<QString>("secondText");
        QTest::addColumn<QString>("shownAfterCancel");
        QTest::newRow("second text") << "Cancelling..."
                                     << "Cancelling...";
        QTest::newRow("no second text") << ""
                                        << "Exporting 12 records";
    }
    void cancelDialog()
    {
        QFETCH(QString, secondText);
        QFETCH(QString, shownAfterCancel);
        CCancelDialog dialog(nullptr, QStringLiteral("Exporting 12 records"), secondText);
        QCOMPARE(dialog.size(), QSize(400, 180));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.GetText(), QStringLiteral("Exporting 12 records"));
        QVERIFY(!dialog.GetMovieLabel());
        auto* text = dialog.findChild<CLabel*>(QStringLiteral("ptr_text_label_"));
        QVERIFY(text);
        QVERIFY(text->wordWrap());
        QCOMPARE(text->alignment(), Qt::AlignCenter);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.GetCancelBtn()->isVisible());
        QVERIFY(!dialog.GetConfirmBtn()->isVisible());
        QSignalSpy cancel(&dialog, &CCancelDialog::SignalCancel);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QTest::mouseClick(dialog.GetCancelBtn(), Qt::LeftButton);
        QTest::mouseClick(dialog.GetCancelBtn(), Qt::LeftButton);
        dialog.GetCancelBtn()->click();
        QCOMPARE(cancel.count(), 1);
        QVERIFY(dialog.IsCancelRequested());
        QCOMPARE(dialog.GetText(), shownAfterCancel);
        QCOMPARE(text->text(), shownAfterCancel);
        // The owner closes the dialog once the task has really stopped.
        QCOMPARE(rejected.count(), 0);
        QVERIFY(dialog.isVisible());
    }

    void cancelDialogWithAnimation()
    {
        CCancelDialog dialog(nullptr, QStringLiteral("Searching"), QString(), m_strGif);
        CMovieLabel* movie = dialog.GetMovieLabel();
        QVERIFY(movie);
        QVERIFY(movie->GetMovie());
        auto* text = dialog.findChild<CLabel*>(QStringLiteral("ptr_text_label_"));
        auto* row = qobject_cast<QHBoxLayout*>(text->parentWidget()->layout());
        QVERIFY(row);
        QCOMPARE(row->spacing(), 10);
        QCOMPARE(row->contentsMargins(), QMargins(0, 0, 0, 0));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(movie->geometry().right() < text->x());

        // An unreadable animation still leaves a working dialog.
        CCancelDialog broken(nullptr, QStringLiteral("Searching"), QString(), m_strGarbage);
        QVERIFY(broken.GetMovieLabel());
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
