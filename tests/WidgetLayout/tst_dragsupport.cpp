#include "WidgetLayout/Drag.h"
#include "WidgetLayout/FileDragFilter.h"
#include "WidgetLayout/WidgetItem.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace TesselGUIToolkit;

namespace {

// Records the drag announcements that reach the application object, and the order in which
// they arrive relative to the drag's own signals.
class Recorder : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == CDragExecEvent::EventType()) {
            const auto* announced = static_cast<CDragExecEvent*>(event);
            log << QStringLiteral("%1 %2").arg(announced->IsBeforeExec() ? QStringLiteral("before")
                                                                         : QStringLiteral("after"),
                                               announced->GetDescription());
        }
        return false;
    }
    QStringList log;
};

// A widget that counts what reaches its own drag handlers past any filter.
class DropTarget : public QWidget
{
public:
    DropTarget() { setAcceptDrops(true); }
    int enters = 0;
    int drops = 0;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        ++enters;
        event->acceptProposedAction(); // so that Qt hands it the drop
    }
    void dropEvent(QDropEvent* event) override
    {
        ++drops;
        event->ignore();
    }
};

class FixedWidget : public QWidget
{
public:
    explicit FixedWidget(QWidget* parent)
        : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return QSize(100, 30); }
};

} // namespace

class tst_DragSupport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void execEventTypeIsRegisteredOnce()
    {
        const QEvent::Type type = CDragExecEvent::EventType();
        QVERIFY(type >= QEvent::User && type <= QEvent::MaxUser);
        QCOMPARE(CDragExecEvent::EventType(), type);
        const CDragExecEvent before(true, QStringLiteral("camera list"));
        QCOMPARE(before.type(), type);
        QVERIFY(before.IsBeforeExec());
        QCOMPARE(before.GetDescription(), QStringLiteral("camera list"));
        CDragExecEvent copy(false, QString());
        copy = before;
        QVERIFY(copy.IsBeforeExec());
        QCOMPARE(copy.GetDescription(), QStringLiteral("camera list"));
        const CDragExecEvent constructed(before);
        QCOMPARE(constructed.type(), type);
    }

    void execAnnouncesTheDrag_data()
    {
        QTest::addColumn<bool>("withDefault");
        QTest::newRow("exec(actions)") << false;
        QTest::newRow("exec(actions, default)") << true;
    }
    void execAnnouncesTheDrag()
    {
        QFETCH(bool, withDefault);
        QWidget source;
        Recorder recorder;
        qApp->installEventFilter(&recorder);
        auto* drag = new CDrag(&source);
        drag->SetDescription(QStringLiteral("device 4"));
        drag->setMimeData(new QMimeData);
        connect(drag, &CDrag::SignalBeforeExec, this,
                [&recorder]() { recorder.log << QStringLiteral("signal before"); });
        connect(drag, &CDrag::SignalAfterExec, this,
                [&recorder]() { recorder.log << QStringLiteral("signal after"); });
        const Qt::DropAction action = withDefault
            ? drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction)
            : drag->exec(Qt::CopyAction);
        qApp->removeEventFilter(&recorder);
        QCOMPARE(action, Qt::IgnoreAction); // nobody took it
        QCOMPARE(
            recorder.log,
            (QStringList{"before device 4", "signal before", "after device 4", "signal after"}));
    }

    void fileDragFilter_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("files");

        QTest::newRow("local files")
            << QList<QUrl>{QUrl::fromLocalFile("/tmp/a.mp4"), QUrl::fromLocalFile("/tmp/b.jpg")}
            << QString() << true << QStringList{"/tmp/a.mp4", "/tmp/b.jpg"};
        QTest::newRow("remote files only")
            << QList<QUrl>{QUrl("http://example.org/a.mp4")} << QString() << false << QStringList();
        QTest::newRow("mixed keeps the local ones")
            << QList<QUrl>{QUrl("http://example.org/a.mp4"), QUrl::fromLocalFile("/tmp/c.avi")}
            << QString() << true << QStringList{"/tmp/c.avi"};
        QTest::newRow("plain text")
            << QList<QUrl>() << QStringLiteral("camera 3") << false << QStringList();
    }
    void fileDragFilter()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QFETCH(bool, taken);
        DropTarget target;
        CFileDragFilter filter;
        target.installEventFilter(&filter);
        QSignalSpy files(&filter, &CFileDragFilter::SignalDragFileList);
        QMimeData mime;
        if (!urls.isEmpty())
            mime.setUrls(urls);
        if (!text.isEmpty())
            mime.setText(text);

        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(target.enters, taken ? 0 : 1); // a taken drag never reaches the widget

        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        QCOMPARE(target.drops, taken ? 0 : 1);
        QCOMPARE(files.count(), taken ? 1 : 0);
        if (taken) {
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
            QTEST(files.at(0).at(0).toStringList(), "files");
        }
    }

    void widgetItemCentresOnTheParent_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("bottom, cell left of the centre")
            << int(Qt::AlignBottom) << QRect(0, 0, 300, 100) << QRect(150, 70, 100, 30);
        QTest::newRow("top") << int(Qt::AlignTop) << QRect(0, 10, 300, 100)
                             << QRect(150, 10, 100, 30);
        QTest::newRow("middle") << int(Qt::AlignVCenter) << QRect(0, 0, 300, 100)
                                << QRect(150, 35, 100, 30);
        QTest::newRow("never left of the cell")
            << int(Qt::AlignBottom) << QRect(280, 0, 120, 100) << QRect(280, 70, 100, 30);
        QTest::newRow("bounded by the cell")
            << int(Qt::AlignTop) << QRect(0, 0, 60, 20) << QRect(170, 0, 60, 20);
    }
    void widgetItemCentresOnTheParent()
    {
        QFETCH(int, alignment);
        QFETCH(QRect, cell);
        QWidget parent;
        parent.resize(400, 300);
        FixedWidget bar(&parent);
        bar.show(); // a widget item ignores hidden widgets
        CWidgetItem item(&bar, Qt::Alignment(alignment));
        item.setGeometry(cell);
        QTEST(bar.geometry(), "expected");
    }

    void widgetItemWithoutAlignmentFillsTheCell()
    {
        QWidget parent;
        parent.resize(400, 300);
        QWidget filler(&parent);
        filler.show();
        CWidgetItem plain(&filler, Qt::Alignment());
        plain.setGeometry(QRect(10, 20, 200, 80));
        QCOMPARE(filler.geometry(), QRect(10, 20, 200, 80));
    }
};

QTEST_MAIN(tst_DragSupport)
#include "tst_dragsupport.moc"
