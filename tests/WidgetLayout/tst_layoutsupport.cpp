// The widgets and helpers around the window layouts: the announcing drag, the file-drop filter,
// the centred widget item, the parent switch, the full-screen widget, the observed-area editor,
// the play window's tool bar and the division panel.

#include "WidgetLayout/Drag.h"
#include "WidgetLayout/FileDragFilter.h"
#include "WidgetLayout/FullScreenWidget.h"
#include "WidgetLayout/LayoutSwitch.h"
#include "WidgetLayout/LayoutTestSupport.h"
#include "WidgetLayout/ObservedWidget.h"
#include "WidgetLayout/PlayWndToolBar.h"
#include "WidgetLayout/SelectCutNum.h"
#include "WidgetLayout/WidgetItem.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

#include <QAction>
#include <QCursor>
#include <QDragEnterEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <limits>
#include <memory>

using namespace TesselGUIToolkit;
using namespace LayoutTest;
using Bar = CPlayWndToolBar;

namespace {

// Records the drag announcements that reach the application object among the drag's signals.
struct Recorder : QObject
{
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == CDragExecEvent::EventType()) {
            const auto* e = static_cast<CDragExecEvent*>(event);
            log << (e->IsBeforeExec() ? "before " : "after ") + e->GetDescription();
        }
        return false;
    }
    QStringList log;
};

// Counts what reaches its own drag handlers past any filter; accepts so that Qt hands it drops.
struct DropTarget : QWidget
{
    DropTarget() { setAcceptDrops(true); }
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        ++enters;
        event->acceptProposedAction();
    }
    void dropEvent(QDropEvent*) override { ++drops; }
    int enters = 0;
    int drops = 0;
};

struct FixedWidget : QWidget
{
    using QWidget::QWidget;
    QSize sizeHint() const override { return QSize(100, 30); }
};

// Two named parents side by side in one window, each with its own layout, and a player.
struct Screen
{
    Screen()
    {
        (new QHBoxLayout(&window))->addWidget(small);
        window.layout()->addWidget(large);
        switcher.SetWidget(player);
        switcher.AddParentWidget("small", small, smallLayout);
        switcher.AddParentWidget("large", large, largeLayout);
    }
    QWidget window;
    QWidget* small = new QWidget(&window);
    QWidget* large = new QWidget(&window);
    QVBoxLayout* smallLayout = new QVBoxLayout(small);
    QVBoxLayout* largeLayout = new QVBoxLayout(large);
    QWidget* player = new QWidget(&window);
    CLayoutSwitch switcher;
};

// A window holding a full-screen widget in its layout, as a play area sits in a client window;
// `log` records the widget's signals in the order they arrive.
struct Host
{
    Host()
    {
        window.resize(400, 300);
        (new QVBoxLayout(&window))->addWidget(area);
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
        QObject::connect(area, &CFullScreenWidget::SignalScreenChanged,
                         [this] { log << "screen"; });
        QObject::connect(area, &CFullScreenWidget::SignalEnterSreenFull,
                         [this](int width) { log << QStringLiteral("enter %1").arg(width); });
        QObject::connect(area, &CFullScreenWidget::SignalExitFullScreen, [this] { log << "exit"; });
        QObject::connect(area, &CFullScreenWidget::RestoreLayout, [this] { log << "restore"; });
    }
    QWidget window;
    CFullScreenWidget* area = new CFullScreenWidget(&window);
    bool exposed = false;
    QStringList log;
};

// clang-format off
const struct { const char* name; bool control, full; Qt::KeyboardModifiers mods; const char* log; }
kEscapes[] = {
    // leaving reports SignalExitFullScreen once for the key and once for the switch
    {"escape", false, true, Qt::NoModifier, "exit restore exit screen"},
    {"shift escape", false, true, Qt::ShiftModifier, ""},
    {"keypad escape", false, true, Qt::KeypadModifier, "exit restore exit screen"},
    {"escape, not full screen", false, false, Qt::NoModifier, ""},
    {"play control: escape", true, true, Qt::NoModifier, "exit restore exit screen"},
    {"play control: alt escape", true, true, Qt::AltModifier, ""},
    // the key handler catches it also when not full screen; switching off only reports
    {"play control: escape, not full screen", true, false, Qt::NoModifier, "exit screen"}};
// clang-format on

const QColor kSector(200, 40, 40);
const QPoint kCentre(80, 80);

// A 160 x 160 editor with its centre at (80, 80), painting only the sector.
struct Editor : CObservedWidget
{
    Editor()
    {
        resize(160, 160);
        SetColor(kSector);
        SetCenterIcon(false);
        SetShowFrame(false);
    }
    // The editor lies over a map: only what it paints itself counts, not a window background.
    QImage Image() { return Render(*this, Qt::white, DrawChildren); }
    QColor At(int dx, int dy) { return Image().pixelColor(kCentre + QPoint(dx, dy)); }
};

// clang-format off
// Offsets from the centre in widget pixels (y grows downwards); radius 3 is 20.4 pixels.
const struct { const char* name; int direction, angle; double radius; QPoint in, out; }
kSectors[] = {
    {"east, quarter", 0, 90, 10, {40, 0}, {0, -40}}, {"behind", 0, 90, 10, {30, 20}, {-40, 0}},
    {"north, narrow", 90, 30, 10, {0, -50}, {30, -40}}, {"sw", 225, 30, 10, {-30, 30}, {30, -30}},
    {"west, wrapping", 180, 120, 10, {-40, -20}, {40, 0}}, {"full", 0, 360, 10, {-40, 30}, {75, 0}},
    {"short radius", 0, 90, 3, {15, 0}, {30, 0}}};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
// Asked for, then taken and reported.
const struct { const char* name; int dir, angle; double radius; int toDir, toAngle; double to; }
kValues[] = {
    {"in range", 45, 120, 7.5, 45, 120, 7.5}, {"direction past a turn", 370, 10, 1.0, 10, 10, 1.0},
    {"negative direction", -90, 10, 1.0, 270, 10, 1.0}, {"angle too wide", 0, 400, 1, 0, 360, 1},
    {"negative angle", 0, -5, 1.0, 0, 0, 1.0}, {"radius too long", 0, 10, 15.0, 0, 10, 10.0},
    {"negative radius", 0, 10, -1.0, 0, 10, 0.0}, {"radius not a number", 0, 10, kNaN, 0, 10, 0.0}};

// The sector starts pointing east with radius 5 (34 pixels); a press, then moves, as offsets.
const struct { const char* name; const char* path; int direction; double radius; } kDrags[] = {
    {"turn north, ten pixels longer", "40,0 0,-50", 90, 44 / 6.8},
    {"grab off the axis keeps the offset", "0,40 -40,0", 270, 5.0},
    {"shrink to nothing", "60,0 10,0 2,0", 0, 0.0},
    // outside the widget at the limit, coming closer does not shrink the sector
    {"outside at the limit stays there", "40,0 1000,0 500,0", 0, 10.0},
    {"past south wraps into the range", "40,0 0,40 40,1", 359, 5.0}};

// A standard notch of 120 opens the sector by 5 degrees; the angle stays within 0 to 360.
const struct { const char* name; int angle, delta, expected; } kWheels[] = {
    {"one notch up", 60, 120, 65}, {"one notch down", 60, -120, 55}, {"fine wheel", 60, 48, 62},
    {"clamped at a full turn", 358, 240, 360}, {"clamped at zero", 3, -120, 0}};
// clang-format on

// clang-format off
const struct { const char* name; int type, row, column; } kButtons[] = {
    {"m_pBtn1_1", 1, 1, 0},      {"m_pBtn2_4", 2, 1, 1},      {"m_pBtn3_6", 3, 1, 2},
    {"m_pBtn3_9", 4, 1, 3},      {"m_pBtn4_8", 5, 1, 4},      {"m_pBtn4_13", 7, 1, 5},
    {"m_pBtn4_16", 8, 2, 0},     {"m_pBtn5_25", 15, 2, 1},    {"m_pBtn7_32", 16, 2, 2},
    {"m_pBtn6_36", 18, 2, 3},    {"m_pBtn8_64", 17, 2, 4},    {"m_pBtn4x3_4", 100, 4, 0},
    {"m_pBtn4x3_6", 101, 4, 1},  {"m_pBtn4x3_9", 102, 4, 2},  {"m_pBtn4x3_12", 103, 4, 3},
    {"m_pBtn8x6_7", 104, 4, 4},  {"m_pBtn8x6_16", 105, 4, 5}, {"m_pBtn8x6_24", 106, 5, 0},
    {"m_pBtn8x6_36", 107, 5, 1}, {"m_pBtn8x6_48", 108, 5, 2}};
// clang-format on

// Window counts of the descriptions in the file; types without one count 0 windows.
const QMap<int, int> kCounts{{1, 1},   {2, 4},   {3, 6},   {4, 9},   {8, 16},  {15, 25},
                             {16, 32}, {18, 36}, {17, 64}, {100, 4}, {108, 48}};

// A manager holding descriptions with those counts; the host and window only serve its Init.
struct Manager
{
    Manager()
    {
        QString text = "<Config>";
        for (auto it = kCounts.begin(); it != kCounts.end(); ++it)
            text += Description(it.key(), it.value(), "1", "1", "0,0");
        const QString path = WriteFile(dir.filePath("layouts.xml"), (text + "</Config>").toUtf8());
        initialised = manager.Init(path, &host, {new QWidget(&host)}, 1);
    }
    QTemporaryDir dir;
    QWidget host;
    CWidgetLayoutMgr manager;
    bool initialised = false;
};

QToolButton* Button(const CSelectCutNum& panel, const char* name)
{
    return panel.findChild<QToolButton*>(name);
}

// Fixed-size buttons named "<prefix><index>", 30 pixels high; the bar takes them as children.
QList<QWidget*> Buttons(const QString& prefix, const QList<int>& widths)
{
    QList<QWidget*> buttons;
    for (int width : widths) {
        buttons << new QToolButton;
        buttons.last()->setObjectName(prefix + QString::number(buttons.size() - 1));
        buttons.last()->setFixedSize(width, 30);
    }
    return buttons;
}

QStringList Names(const QList<QWidget*>& widgets)
{
    QStringList names;
    for (QWidget* widget : widgets)
        names << widget->objectName();
    return names;
}

QToolButton* More(Bar& bar)
{
    return bar.findChild<QToolButton*>("ptr_more_btn_");
}

// A bar of `width` x 30 with buttons on the trailing side.
struct Trailing : Bar
{
    explicit Trailing(int width, const QList<int>& widths = {30, 30, 30}, QWidget* parent = nullptr)
        : Bar(parent)
    {
        resize(width, 30);
        QList<QWidget*> none;
        buttons = Buttons("t", widths);
        AddWidgets(none, buttons, none);
    }
    bool Show()
    {
        show();
        return QTest::qWaitForWindowExposed(this);
    }
    QList<QWidget*> buttons;
};

// clang-format off
// Widths of the buttons of the leading, trailing and end sides. Three 30 px buttons need
// 30 + 2 + 30 + 2 + 30 = 94 pixels; the leading side keeps 5 pixels from the trailing one.
const struct { const char* name; QList<int> lead, trail, end; int width, cut; const char* folds; }
kFolds[] = {
    {"all fit exactly", {}, {30, 30, 30}, {}, 94, -1, ""},
    // the last button cannot stay, and More (as wide as a button) then takes the place of the
    // one before it as well
    {"one pixel short", {}, {30, 30, 30}, {}, 93, 101, "t1 t2"},
    {"wide buttons: only the last one folds", {}, {40, 40, 40}, {}, 120, 102, "t2"},
    {"both sides fit", {30, 30}, {30}, {}, 97, -1, ""},
    {"cut in the leading side", {30, 30}, {30}, {}, 96, 1, "l1 t0"},
    {"cut at the start of the trailing side", {30, 30}, {50, 50}, {}, 140, 100, "t0 t1"},
    {"end side fits", {}, {30, 30}, {30}, 92, -1, ""},
    {"end side stays, the rest folds", {}, {30, 30}, {30}, 91, 100, "t0 t1"},
    {"narrower than More", {}, {30}, {}, 10, 100, "t0"},
    {"empty bar", {}, {}, {}, 50, -1, ""}};

// Where an extra widget "x" goes: the sides as names, joined by "|".
const struct { const char* name; int side; const char* sides; } kExtras[] = {
    {"front of side 0", 0, "x l0|t0|e0"}, {"end of side 1", 1, "l0|t0 x|e0"},
    {"end of side 2", 2, "l0|t0|e0 x"}, {"side 3", 3, "l0|t0|e0"}, {"side -1", -1, "l0|t0|e0"}};
// clang-format on

} // namespace

class tst_LayoutSupport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { InstallWarningFilter(); }
    void cleanupTestCase() { RemoveWarningFilter(); }

    void execAnnouncesTheDrag()
    {
        QVERIFY(CDragExecEvent::EventType() >= QEvent::User);
        for (bool withDefault : {false, true}) { // both exec() overloads
            QWidget source;
            Recorder recorder;
            qApp->installEventFilter(&recorder);
            auto* drag = new CDrag(&source);
            drag->SetDescription(QStringLiteral("device 4"));
            drag->setMimeData(new QMimeData);
            connect(drag, &CDrag::SignalBeforeExec, this,
                    [&]() { recorder.log << "signal before"; });
            connect(drag, &CDrag::SignalAfterExec, this, [&]() { recorder.log << "signal after"; });
            const Qt::DropAction action = withDefault
                ? drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction)
                : drag->exec(Qt::CopyAction);
            qApp->removeEventFilter(&recorder);
            QCOMPARE(action, Qt::IgnoreAction); // nobody took it
            QCOMPARE(recorder.log.join(", "),
                     "before device 4, signal before, after device 4, signal after");
        }
    }

    void fileDragFilter_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QStringList>("files"); // none: the drag passes on untouched
        const QUrl remote("http://example.org/a.mp4");
        QTest::newRow("local files")
            << QList<QUrl>{QUrl::fromLocalFile("/tmp/a.mp4"), QUrl::fromLocalFile("/tmp/b.jpg")}
            << QStringList{"/tmp/a.mp4", "/tmp/b.jpg"};
        QTest::newRow("remote files only") << QList<QUrl>{remote} << QStringList();
        QTest::newRow("mixed keeps the local ones")
            << QList<QUrl>{remote, QUrl::fromLocalFile("/tmp/c.avi")} << QStringList{"/tmp/c.avi"};
        QTest::newRow("plain text") << QList<QUrl>() << QStringList();
    }
    void fileDragFilter()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QStringList, files);
        DropTarget target;
        CFileDragFilter filter;
        target.installEventFilter(&filter);
        QSignalSpy taken(&filter, &CFileDragFilter::SignalDragFileList);
        QMimeData mime;
        mime.setUrls(urls);
        mime.setText(QStringLiteral("camera 3"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        const int passed = files.isEmpty() ? 1 : 0; // a taken drag never reaches the widget
        QVERIFY(enter.isAccepted() && target.enters == passed && target.drops == passed);
        QCOMPARE(taken, files.isEmpty() ? Calls() : Calls{{files}});
    }

    void widgetItemCentresOnTheParent_data()
    {
        QTest::addColumn<int>("alignment"); // 0: fills the cell
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QRect>("expected"); // in a 400 x 300 parent
        QTest::newRow("bottom, cell left of the centre")
            << int(Qt::AlignBottom) << QRect(0, 0, 300, 100) << QRect(150, 70, 100, 30);
        QTest::newRow("never left of the cell")
            << int(Qt::AlignBottom) << QRect(280, 0, 120, 100) << QRect(280, 70, 100, 30);
        QTest::newRow("bounded by the cell")
            << int(Qt::AlignTop) << QRect(0, 0, 60, 20) << QRect(170, 0, 60, 20);
        QTest::newRow("no alignment") << 0 << QRect(10, 20, 200, 80) << QRect(10, 20, 200, 80);
    }
    void widgetItemCentresOnTheParent()
    {
        QFETCH(int, alignment);
        QFETCH(QRect, cell);
        QWidget parent;
        parent.resize(400, 300);
        FixedWidget fixed(&parent); // 100 x 30 at most
        fixed.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        QWidget plain(&parent);
        QWidget& bar = alignment ? fixed : plain;
        bar.show(); // a widget item ignores hidden widgets
        CWidgetItem(&bar, Qt::Alignment(alignment)).setGeometry(cell);
        QTEST(bar.geometry(), "expected");
    }

    void switchMovesBetweenParents()
    {
        for (bool hideOld : {false, true}) { // keeping or hiding the old parent
            Screen s;
            s.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&s.window));
            s.switcher.MoveToParentWidget("small", false);
            QVERIFY(s.smallLayout->indexOf(s.player) >= 0
                    && s.switcher.GetCurrentParentName() == "small");
            s.switcher.MoveToParentWidget("large", hideOld);
            QVERIFY(s.player->parentWidget() == s.large && s.largeLayout->indexOf(s.player) >= 0);
            QVERIFY(s.smallLayout->indexOf(s.player) == -1 && s.small->isHidden() == hideOld);
            s.switcher.MoveToParentWidget("small", true); // a hidden parent is shown again
            QVERIFY(s.small->isVisible() && s.large->isHidden() && s.player->isVisible());
            s.player->hide(); // and a hidden player stays hidden
            s.switcher.MoveToParentWidget("large", false);
            QVERIFY(s.player->parentWidget() == s.large && s.player->isHidden());
            s.switcher.MoveToParentWidget("nowhere", true); // out of every layout, parent kept
            QVERIFY(s.largeLayout->indexOf(s.player) == -1 && s.player->parentWidget() == s.large);
        }
    }

    void switchForgetsWhatIsGone()
    {
        Screen s;
        QVERIFY(!s.switcher.AddParentWidget("small", s.large, s.largeLayout)); // the first stays
        QVERIFY(!s.switcher.AddParentWidget("ghost", nullptr, nullptr));
        QVERIFY(!s.switcher.HasParentWidget("ghost"));
        s.switcher.MoveToParentWidget("small", false);
        delete s.large;
        QVERIFY(!s.switcher.HasParentWidget("large"));
        s.switcher.MoveToParentWidget("large", true);
        QCOMPARE(s.player->parentWidget(), s.small);
        auto* layout = new QVBoxLayout(s.large = new QWidget(&s.window)); // the name is free again
        QVERIFY(s.switcher.AddParentWidget("large", s.large, layout));
        s.switcher.MoveToParentWidget("large", false);
        QVERIFY(layout->indexOf(s.player) >= 0);
        delete s.player; // nothing to move any more
        s.switcher.MoveToParentWidget("small", false);
        QVERIFY(s.smallLayout->count() == 0 && s.switcher.GetCurrentParentName() == "large");
    }

    void enterCoversTheScreenAndHidesTheWindow()
    {
        Host host;
        QVERIFY(host.exposed);
        const QRect normal = host.area->geometry();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        host.area->SetFullScreen(true);
        QVERIFY(host.area->IsFullScreen() && host.area->isWindow() && host.area->isVisible());
        QVERIFY(host.area->geometry() == screen
                && host.area->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(host.area->property("_scc_WidgetSizeFactory_"), QVariant(2u));
        QVERIFY(!host.window.isVisible());
        host.area->SetFullScreen(true); // a second time only reports
        QCOMPARE(host.log,
                 QStringList({QStringLiteral("enter %1").arg(screen.width()), "screen", "screen"}));
        host.log.clear();
        host.area->SetFullScreen(false);
        QCOMPARE(host.log, QStringList({"restore", "exit", "screen"}));
        QVERIFY(!host.area->IsFullScreen() && !host.area->isWindow() && host.window.isVisible());
        QTRY_COMPARE(host.area->geometry(), normal);
        host.log.clear();
        host.area->ExitFullScreen(); // leaving when not full screen only reports
        QCOMPARE(host.log, QStringList{"screen"});
    }

    void escapeLeavesFullScreen_data() { AddRows(kEscapes); }
    void escapeLeavesFullScreen()
    {
        const auto& r = Row(kEscapes);
        Host host;
        host.area->SetPlayControlFlag(r.control);
        host.area->SetFullScreen(r.full);
        host.log.clear();
        QTest::keyClick(host.area, Qt::Key_Escape, r.mods);
        QCOMPARE(host.log.join(' '), QString(r.log));
        QCOMPARE(host.area->IsFullScreen(), r.full && !*r.log);
        QCOMPARE(host.window.isVisible(), !host.area->IsFullScreen());
    }

    void toggleShowsTheHintCentredUnderTheTopEdge()
    {
        Host host;
        host.area->OnChangeScreen(); // the hint is off by default
        QVERIFY(host.area->IsFullScreen() && !host.area->GetFullScreenHint());
        host.area->OnChangeScreen();
        host.area->SetEnableFullScreenHint(true);
        host.area->OnChangeScreen();
        CFullScreenHint* hint = host.area->GetFullScreenHint();
        QVERIFY(hint && hint->isVisible() && !hint->IsHide());
        auto* label = hint->findChild<QLabel*>();
        QCOMPARE(label->text(), QStringLiteral("Press ESC to exit Full Screen Keyboard."));
        const int width = hint->findChild<QPushButton*>("pushButton")->width() + 49
            + QFontMetrics(label->font()).horizontalAdvance(label->text());
        const QRect screen = host.area->geometry();
        QCOMPARE(hint->geometry(),
                 QRect(screen.x() + (screen.width() - width) / 2, screen.y() + 19, width, 48));
        host.area->ShowFullScreenHint(); // showing it again does not make a second one
        QCOMPARE(host.area->GetFullScreenHint(), hint);
        host.area->OnChangeScreen();
        QVERIFY(!host.area->IsFullScreen() && !hint->isVisible() && hint->IsHide());
    }

    void hintHidesItselfUnlessTheCursorRestsOnIt()
    {
        CFullScreenHint hint;
        QVERIFY(hint.IsHide());
        auto* timer = hint.findChild<QTimer*>();
        QCOMPARE(timer->interval(), 3000);
        hint.Show();
        hint.StartTimer();
        QVERIFY(!hint.IsHide() && timer->isActive());
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(&hint, &enter);
        QVERIFY(!timer->isActive() && hint.isVisible());
        QApplication::sendEvent(&hint, &leave);
        QVERIFY(timer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(hint.IsHide() && !hint.isVisible(), 10000);

        hint.Show(); // the button hides it at once
        hint.StartTimer();
        QTest::mouseClick(hint.findChild<QPushButton*>("pushButton"), Qt::LeftButton);
        QVERIFY(hint.IsHide() && !hint.isVisible() && !timer->isActive());
    }

    void sectorIsPaintedInItsColour_data() { AddRows(kSectors); }
    void sectorIsPaintedInItsColour()
    {
        const auto& r = Row(kSectors);
        Editor editor;
        editor.OnDrawObservedArea(r.direction, r.angle, r.radius);
        const QImage image = editor.Image();
        QCOMPARE(image.pixelColor(kCentre + r.in), kSector);
        QCOMPARE(image.pixelColor(kCentre + r.out), QColor(Qt::white));
    }

    void translucentColourFrameAndIcon()
    {
        Editor editor;
        editor.OnDrawObservedArea(0, 90, 10.0);
        const QImage plain = editor.Image();
        editor.SetShowFrame(true); // the outline runs along the arc, the middle stays as it was
        QVERIFY(editor.At(67, 0) != plain.pixelColor(kCentre + QPoint(67, 0)));
        QVERIFY(editor.At(40, 0) == kSector && editor.At(-40, 0) == QColor(Qt::white));
        editor.SetShowFrame(false);
        editor.SetCenterIcon(true);
        QVERIFY(editor.At(0, 0) != plain.pixelColor(kCentre) && editor.At(0, 0) != kSector);
        QCOMPARE(editor.At(40, 0), kSector);
        editor.SetColor(QColor(0, 0, 255, 128)); // blended as given
        const QColor probe = editor.At(40, 0);
        QVERIFY(qAbs(probe.red() - 127) <= 2 && qAbs(probe.green() - 127) <= 2);
        QCOMPARE(probe.blue(), 255);
    }

    void setValues_data() { AddRows(kValues); }
    void setValues()
    {
        const auto& r = Row(kValues);
        Editor editor;
        QSignalSpy changed(&editor, &CObservedWidget::SignalParamChange);
        editor.OnDrawObservedArea(r.dir, r.angle, r.radius);
        QCOMPARE(changed, (QList<QVariantList>{{r.toDir, r.toAngle, r.to}}));
        QVERIFY(editor.GetDirection() == r.toDir && editor.GetAngle() == r.toAngle
                && qAbs(editor.GetRadius() - r.to) < 1e-9);
        editor.OnDrawObservedArea(r.toDir, r.toAngle, r.to); // the same: nothing
        QCOMPARE(changed.count(), 1);
    }

    void dragTurnsAndStretches_data() { AddRows(kDrags); }
    void dragTurnsAndStretches()
    {
        const auto& r = Row(kDrags);
        Editor editor;
        editor.OnDrawObservedArea(0, 90, 5.0);
        QSignalSpy changed(&editor, &CObservedWidget::SignalParamChange);
        const QVector<QRect> path = Rects(r.path);
        SendMouse(&editor, QEvent::MouseButtonPress, kCentre + path[0].topLeft());
        QCOMPARE(editor.cursor().shape(), Qt::ClosedHandCursor);
        for (const QRect& move : path.mid(1))
            SendMouse(&editor, QEvent::MouseMove, kCentre + move.topLeft(), Qt::NoButton);
        SendMouse(&editor, QEvent::MouseButtonRelease, kCentre + path.last().topLeft(),
                  Qt::LeftButton, Qt::NoButton);
        QCOMPARE(editor.cursor().shape(), Qt::OpenHandCursor);
        QCOMPARE(changed.count(), path.size() - 1);
        QVERIFY(changed.last()[0].toInt() == r.direction && changed.last()[1].toInt() == 90);
        QVERIFY(qAbs(changed.last()[2].toDouble() - r.radius) < 0.05);
        for (const QVariantList& arguments : qAsConst(changed)) // always within the ranges
            QVERIFY(qBound(0, arguments[0].toInt(), 359) == arguments[0].toInt()
                    && qBound(0.0, arguments[2].toDouble(), 10.0) == arguments[2].toDouble());
        // moving without a pressed button after the release changes nothing
        SendMouse(&editor, QEvent::MouseMove, kCentre - QPoint(30, 30), Qt::NoButton, Qt::NoButton);
        QCOMPARE(changed.count(), path.size() - 1);
    }

    void wheelOpensAndClosesTheSector_data() { AddRows(kWheels); }
    void wheelOpensAndClosesTheSector()
    {
        const auto& r = Row(kWheels);
        Editor editor;
        editor.OnDrawObservedArea(30, r.angle, 4.0);
        QSignalSpy changed(&editor, &CObservedWidget::SignalParamChange);
        QWheelEvent wheel(kCentre, editor.mapToGlobal(kCentre), {}, {0, r.delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&editor, &wheel);
        QCOMPARE(changed, (QList<QVariantList>{{30, r.expected, 4.0}}));
    }

    void buttonsSitInTheirPlaces_data() { AddRows(kButtons); }
    void buttonsSitInTheirPlaces()
    {
        const auto& r = Row(kButtons);
        CSelectCutNum panel(nullptr);
        QToolButton* button = Button(panel, r.name);
        QVERIFY(button && button->size() == QSize(33, 28) && button->iconSize() == QSize(21, 19));
        QVERIFY(panel.GetButton(r.type) == button && panel.GetButtonType(button) == r.type);
        QCOMPARE(GridCell(&panel, button), QRect(r.column, r.row, 1, 1));
        QSignalSpy clicked(&panel, &CSelectCutNum::SignalClickedBtn);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked, Calls{{r.type}});
    }

    void panelFrame()
    {
        auto* extra = new CFrame;
        CSelectCutNum panel(nullptr, extra);
        QCOMPARE(panel.windowFlags() & Qt::WindowType_Mask, Qt::Popup);
        auto* standard = panel.findChild<QLabel*>("m_pStanderdLabel");
        auto* wide = panel.findChild<QLabel*>("m_pWideLabel");
        QVERIFY(standard->text() == "Standard Screen Layout:"
                && wide->text() == "Wide Screen Layout:");
        QCOMPARE(GridCell(&panel, standard), QRect(0, 0, 6, 1));
        QCOMPARE(GridCell(&panel, wide), QRect(0, 3, 6, 1));
        QCOMPARE(GridCell(&panel, extra), QRect(0, 6, 6, 1)); // under the buttons
        QVector<CSelectCutNum::SplitType> types{999, 998}; // emptied first
        panel.GetSupportSplitType(types);
        for (int i = 0; i < int(std::size(kButtons)); ++i) // in button order
            QCOMPARE(types.value(i), kButtons[i].type);
        QCOMPARE(types.size(), int(std::size(kButtons)));
        QSignalSpy clicked(&panel, &CSelectCutNum::SignalClickedBtn);
        panel.OnBtnClicked(); // clicks from elsewhere are ignored
        QVERIFY(clicked.isEmpty() && !panel.GetButton(999) && panel.GetButtonType(&panel) == 0);
    }

    void windowCountsHideAndLabelButtons()
    {
        auto manager = std::make_unique<Manager>();
        QVERIFY(manager->initialised);
        CSelectCutNum panel(&manager->manager);
        for (int maximum : {16, 36, 64, 4, 0, -1}) { // more windows than the maximum: hidden
            panel.SetMaxWndNum(maximum);
            for (const auto& button : kButtons)
                QVERIFY2(Button(panel, button.name)->isHidden()
                             == (kCounts.value(button.type, 0) > maximum),
                         qPrintable(QStringLiteral("%1 at %2").arg(button.name).arg(maximum)));
        }
        for (bool gone : {false, true}) { // a manager that went away counts nothing
            if (gone)
                manager.reset();
            panel.UpdateBtnText();
            for (const auto& button : kButtons)
                QCOMPARE(Button(panel, button.name)->text(),
                         QString::number(gone ? 0 : kCounts.value(button.type)));
        }
        panel.SetMaxWndNum(0);
        QVERIFY(!Button(panel, "m_pBtn8_64")->isHidden());
    }

    void barPaintsAfterItsWindowResumesUpdates()
    {
        // Windows are often laid out with updates off; the bar must not keep them off for good.
        QWidget window;
        window.setUpdatesEnabled(false);
        auto* bar = new CPlayWndToolBar(&window);
        bar->setGeometry(0, 0, 300, 30);
        QList<QWidget*> leading = Buttons(QStringLiteral("lead"), {30, 30}), none;
        bar->AddWidgets(leading, none, none);
        bar->RelayoutAll();
        window.setUpdatesEnabled(true);
        QVERIFY(bar->updatesEnabled());
    }

    void foldsWhatDoesNotFit_data() { AddRows(kFolds); }
    void foldsWhatDoesNotFit()
    {
        const auto& r = Row(kFolds);
        Bar bar;
        bar.resize(r.width, 30);
        QList<QWidget*> l = Buttons("l", r.lead);
        QList<QWidget*> t = Buttons("t", r.trail);
        QList<QWidget*> e = Buttons("e", r.end);
        bar.AddWidgets(l, t, e);
        QCOMPARE(bar.GetLayoutCut(), r.cut);
        QCOMPARE(Names(bar.GetFoldedWidgets()).join(' '), QString(r.folds));
        QCOMPARE(More(bar)->isHidden(), !*r.folds);
        bar.show(); // what stays in the bar really fits: nothing passes its edge
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        for (QWidget* widget : l + t + e)
            QVERIFY(bar.GetFoldedWidgets().contains(widget)
                        ? widget->parentWidget() == bar.GetExtendWnd()
                        : widget->mapTo(&bar, QPoint(widget->width(), 0)).x() <= r.width);
    }

    void resizingFoldsAndUnfolds()
    {
        Trailing bar(200, {40, 40, 40});
        QVERIFY(bar.Show());
        QCOMPARE(bar.GetLayoutCut(), -1);
        bar.ShowExtendWnd(); // nothing folded: the pop-up stays shut
        QSignalSpy hideRequest(&bar, &Bar::SignalHideToolBar);
        QEvent leave(QEvent::Leave); // the cursor left and no pop-up keeps the bar open
        QApplication::sendEvent(&bar, &leave);
        QVERIFY(!bar.GetExtendWnd()->isVisible() && hideRequest.count() == 1);
        bar.resize(120, 30);
        QCOMPARE(bar.GetLayoutCut(), 102);
        QCOMPARE(bar.GetFoldedWidgets(), QList<QWidget*>{bar.buttons[2]});
        QTRY_VERIFY(More(bar)->isVisible());
        bar.resize(200, 30);
        QCOMPARE(bar.GetLayoutCut(), -1);
        QTRY_VERIFY(bar.buttons[2]->isVisible() && bar.buttons[2]->window() == &bar);
        QVERIFY(!More(bar)->isVisible());
    }

    void groupsByPriority()
    {
        Trailing bar(400, {30, 30, 30, 30});
        QList<QWidget*> buttons = bar.buttons;
        buttons[0]->setProperty("_layout_priority_", 2);
        buttons[1]->setProperty("_layout_priority_", 1);
        buttons[3]->setProperty("_layout_priority_", 0); // t2 has none and joins group 0
        bar.AddWidgets(Bar::TrailingSide, buttons);
        QCOMPARE(buttons[2]->property("_layout_priority_"), QVariant(0));
        QVERIFY(bar.Show());
        std::sort(buttons.begin(), buttons.end(),
                  [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        QCOMPARE(Names(buttons), (QStringList{"t2", "t3", "t1", "t0"}));
        int lines = 0; // one between groups 0 and 1 and one between 1 and 2, in a 2-pixel gap
        for (QFrame* line : bar.findChildren<QFrame*>("ptr_splitter_line_"))
            lines += line->isVisibleTo(&bar);
        QVERIFY(lines == 2 && buttons[2]->x() - (buttons[1]->x() + 30) == 2);
    }

    void directlyShownWidgetFollowsItsAction()
    {
        Trailing bar(300, {30});
        auto* steered = new QToolButton;
        steered->setFixedSize(30, 30);
        auto* action = new QAction(QStringLiteral("Record"), steered);
        steered->setDefaultAction(action);
        steered->setProperty("_directly_show_", true);
        bar.AddExtraWidgets(Bar::TrailingSide, steered);
        QVERIFY(bar.Show() && steered->isVisible());
        action->setVisible(false);
        QTRY_VERIFY(steered->isHidden());
        bar.resize(40, 30); // narrow enough to fold one of two, but only one is in the bar
        QCOMPARE(bar.GetLayoutCut(), -1);
        action->setVisible(true);
        QTRY_VERIFY(!steered->isHidden());
        QCOMPARE(bar.GetFoldedWidgets().size(), 2);
    }

    void extraWidgetsGoToTheEndsOfTheirSide_data() { AddRows(kExtras); }
    void extraWidgetsGoToTheEndsOfTheirSide()
    {
        const auto& r = Row(kExtras);
        Bar bar;
        QList<QWidget*> l = Buttons("l", {30});
        QList<QWidget*> t = Buttons("t", {30});
        QList<QWidget*> e = Buttons("e", {30});
        bar.AddWidgets(l, t, e);
        QToolButton extra;
        extra.setObjectName("x");
        bar.AddExtraWidgets(Bar::Side(r.side), &extra);
        bar.AddExtraWidgets(Bar::LeadingSide, nullptr);
        QStringList sides;
        for (Bar::Side side : {Bar::LeadingSide, Bar::TrailingSide, Bar::EndSide})
            sides << Names(bar.GetWidgets(side)).join(' ');
        QCOMPARE(sides.join('|'), QString(r.sides));
        extra.setParent(nullptr); // it leaves with the test
    }

    void replacedOrDeletedWidgetsLeaveTheBar()
    {
        Trailing bar(70);
        QCOMPARE(bar.GetLayoutCut(), 101);
        delete bar.buttons[0];
        QTRY_COMPARE(bar.GetLayoutCut(), -1);
        QCOMPARE(Names(bar.GetWidgets(Bar::TrailingSide)), (QStringList{"t1", "t2"}));
        bar.resize(60, 30);
        bar.RelayoutAll();
        QVERIFY(!bar.GetFoldedWidgets().isEmpty());
        QList<QWidget*> second = Buttons("b", {30});
        bar.AddWidgets(Bar::TrailingSide, second);
        QCOMPARE(bar.GetWidgets(Bar::TrailingSide), second);
        QVERIFY(bar.GetLayoutCut() == -1 && More(bar)->isHidden());
        for (QWidget* widget : bar.buttons.mid(1))
            QVERIFY(widget->isHidden() && bar.isAncestorOf(widget));
    }

    void morePopupOpensAndCloses()
    {
        QWidget window;
        window.resize(300, 200);
        auto* bar = new Trailing(100, {30, 30, 30, 30}, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy shown(bar, &Bar::SignalShowToolbar);
        QVERIFY(!bar->IsSoundOpend()); // the volume button's property; none yet
        auto* volume = new QToolButton;
        volume->setObjectName("ptr_volumn_btn_");
        bar->AddExtraWidgets(Bar::EndSide, volume);
        volume->setProperty("_sound_opened_", true);
        QVERIFY(bar->IsSoundOpend() && !bar->HaveRelatedPopWndVisible());
        QCOMPARE(More(*bar)->toolTip(), QStringLiteral("More"));
        QTest::mouseClick(More(*bar), Qt::LeftButton);
        QFrame* popup = bar->GetExtendWnd();
        QVERIFY(popup->isVisible());
        for (QWidget* widget : bar->GetFoldedWidgets())
            QVERIFY(widget->isVisible());
        QCursor::setPos(popup->frameGeometry().center()); // a cursor inside keeps it open
        bar->OnExtraWidgetHide();
        QVERIFY(popup->isVisible());
        QCursor::setPos(popup->frameGeometry().bottomRight() + QPoint(50, 50));
        bar->OnExtraWidgetHide();
        QVERIFY(!popup->isVisible() && !bar->IsMouseEnterExtend());
        bar->ShowExtendWnd();
        QVERIFY(popup->isVisible());
        bar->hide();
        QVERIFY(!popup->isVisible());
        bar->show();
        QCOMPARE(shown, (Calls{{false}, {true}}));
    }

    void marginsAndSpacingNarrowTheRoom()
    {
        Trailing bar(94); // just room for the three
        bar.SetToolBarContentsMargins(1, 0, 0, 0);
        QCOMPARE(bar.GetLayoutCut(), 101);
        bar.SetToolBarContentsMargins(0, 0, 0, 0);
        QList<QWidget*> end = Buttons("e", {10});
        bar.resize(94 + 10 + 5, 30);
        bar.AddWidgets(Bar::EndSide, end);
        bar.SetSpacing(5);
        QCOMPARE(bar.RelayoutAll(), -1);
        bar.SetSpacing(6);
        QCOMPARE(bar.GetLayoutCut(), 101);
    }
};

QTEST_MAIN(tst_LayoutSupport)
#include "tst_layoutsupport.moc"
