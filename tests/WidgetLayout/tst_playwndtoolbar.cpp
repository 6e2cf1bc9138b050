#include "WidgetLayout/PlayWndToolBar.h"

#include "WidgetLayout/OffscreenPlatformWarnings.h"

#include <QAction>
#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

// Builds fixed-size buttons named "<prefix><index>"; the bar takes them as its children.
QList<QWidget*> MakeButtons(const QList<int>& widths, const QString& prefix)
{
    QList<QWidget*> buttons;
    for (int i = 0; i < widths.size(); ++i) {
        auto* button = new QToolButton;
        button->setObjectName(prefix + QString::number(i));
        button->setFixedSize(widths.at(i), 30);
        buttons.append(button);
    }
    return buttons;
}

QStringList Names(const QList<QWidget*>& widgets)
{
    QStringList names;
    for (QWidget* widget : widgets)
        names.append(widget->objectName());
    return names;
}

QToolButton* MoreButton(CPlayWndToolBar& bar)
{
    return bar.findChild<QToolButton*>(QStringLiteral("ptr_more_btn_"));
}

int VisibleSplitterLines(CPlayWndToolBar& bar)
{
    int count = 0;
    const QList<QFrame*> lines = bar.findChildren<QFrame*>(QStringLiteral("ptr_splitter_line_"));
    for (QFrame* line : lines)
        count += line->isVisibleTo(&bar) ? 1 : 0;
    return count;
}

class CLeaveCounter : public QObject
{
public:
    int m_nLeaves = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Leave)
            ++m_nLeaves;
        return false;
    }
};

} // namespace

class tst_PlayWndToolBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { OffscreenPlatformWarnings::Install(); }
    void cleanupTestCase() { OffscreenPlatformWarnings::Remove(); }

    void barStillPaintsAfterItsWindowResumesUpdates()
    {
        // Windows are often laid out with updates off; the bar must not keep them off for good.
        QWidget window;
        window.resize(300, 40);
        window.setUpdatesEnabled(false);
        auto* bar = new CPlayWndToolBar(&window);
        bar->setGeometry(0, 0, 300, 30);
        QList<QWidget*> leading = MakeButtons({30, 30}, QStringLiteral("lead"));
        QList<QWidget*> none;
        bar->AddWidgets(leading, none, none);
        bar->RelayoutAll();
        window.setUpdatesEnabled(true);
        QVERIFY(bar->updatesEnabled());
    }

    void moreButtonLook()
    {
        CPlayWndToolBar bar(nullptr, CPlayWndToolBar::PlaybackWnd);
        QCOMPARE(bar.GetWndType(), CPlayWndToolBar::PlaybackWnd);
        QToolButton* more = MoreButton(bar);
        QVERIFY(more);
        QCOMPARE(more->size(), QSize(30, 30));
        QCOMPARE(more->text(), QString(QChar(0xE6AC)));
        QCOMPARE(more->toolTip(), QStringLiteral("More"));
        QVERIFY(more->isHidden());
        QCOMPARE(bar.GetExtendWnd()->styleSheet(),
                 QStringLiteral("QFrame{background-color: #292929;}"));
        QVERIFY(bar.GetExtendWnd()->isWindow());
        QVERIFY(bar.GetExtendWnd()->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(bar.GetExtendWnd()->windowFlags() & Qt::FramelessWindowHint);
    }

    void foldsWhatDoesNotFit_data()
    {
        QTest::addColumn<QList<int>>("leading");
        QTest::addColumn<QList<int>>("trailing");
        QTest::addColumn<QList<int>>("end");
        QTest::addColumn<int>("barWidth");
        QTest::addColumn<int>("cut");
        QTest::addColumn<QStringList>("folded");

        const QList<int> none;
        // three 30 px buttons need 30 + 2 + 30 + 2 + 30 = 94 pixels
        QTest::newRow("all fit exactly") << none << QList<int>{30, 30, 30} << none << 94 << -1
                                         << QStringList();
        // one pixel short: the last button cannot stay, and More (as wide as a button) then
        // takes the place of the one before it as well
        QTest::newRow("one pixel short")
            << none << QList<int>{30, 30, 30} << none << 93 << 101 << QStringList{"t1", "t2"};
        QTest::newRow("wide buttons: only the last one folds")
            << none << QList<int>{40, 40, 40} << none << 120 << 102 << QStringList{"t2"};
        // leading 30 + 2 + 30, five pixels to the trailing side, trailing 30: 97 pixels
        QTest::newRow("both sides fit") << QList<int>{30, 30} << QList<int>{30} << none << 97 << -1
                                        << QStringList();
        QTest::newRow("cut in the leading side")
            << QList<int>{30, 30} << QList<int>{30} << none << 96 << 1 << QStringList{"l1", "t0"};
        QTest::newRow("cut at the start of the trailing side")
            << QList<int>{30, 30} << QList<int>{50, 50} << none << 140 << 100
            << QStringList{"t0", "t1"};
        // the pinned end button takes 30 pixels of the bar
        QTest::newRow("end side fits") << none << QList<int>{30, 30} << QList<int>{30} << 92 << -1
                                       << QStringList();
        QTest::newRow("end side stays, the rest folds")
            << none << QList<int>{30, 30} << QList<int>{30} << 91 << 100
            << QStringList{"t0", "t1"};
        QTest::newRow("narrower than More") << none << QList<int>{30} << none << 10 << 100
                                            << QStringList{"t0"};
        QTest::newRow("empty bar") << none << none << none << 50 << -1 << QStringList();
    }
    void foldsWhatDoesNotFit()
    {
        QFETCH(QList<int>, leading);
        QFETCH(QList<int>, trailing);
        QFETCH(QList<int>, end);
        QFETCH(int, barWidth);
        QFETCH(int, cut);
        QFETCH(QStringList, folded);

        CPlayWndToolBar bar;
        bar.resize(barWidth, 30);
        QList<QWidget*> l = MakeButtons(leading, "l");
        QList<QWidget*> t = MakeButtons(trailing, "t");
        QList<QWidget*> e = MakeButtons(end, "e");
        bar.AddWidgets(l, t, e);

        QCOMPARE(bar.GetLayoutCut(), cut);
        QCOMPARE(Names(bar.GetFoldedWidgets()), folded);
        QCOMPARE(!MoreButton(bar)->isHidden(), !folded.isEmpty());
        for (QWidget* widget : l + t + e) {
            const bool inExtend = widget->parentWidget() == bar.GetExtendWnd();
            QCOMPARE(inExtend, folded.contains(widget->objectName()));
            QVERIFY(!widget->isHidden());
        }

        // what stays in the bar really fits: laid out, nothing overlaps or passes the edge
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QList<QWidget*> inBar;
        for (QWidget* widget : l + t + e + QList<QWidget*>{MoreButton(bar)}) {
            if (widget->isVisible() && widget->window() == &bar)
                inBar.append(widget);
        }
        std::sort(inBar.begin(), inBar.end(), [&bar](QWidget* a, QWidget* b) {
            return a->mapTo(&bar, QPoint()).x() < b->mapTo(&bar, QPoint()).x();
        });
        int right = 0;
        for (QWidget* widget : inBar) {
            const QRect place(widget->mapTo(&bar, QPoint()), widget->size());
            QVERIFY2(place.left() >= right, qPrintable(widget->objectName()));
            QCOMPARE(place.width(), widget->minimumWidth());
            right = place.right() + 1;
        }
        QVERIFY(right <= qMax(barWidth, MoreButton(bar)->width()));
    }

    void narrowingTheBarMovesTheLastButtonIntoThePopup()
    {
        CPlayWndToolBar bar;
        bar.resize(200, 30);
        QList<QWidget*> none;
        QList<QWidget*> buttons = MakeButtons({40, 40, 40}, "t");
        bar.AddWidgets(none, buttons, none);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.GetLayoutCut(), -1);

        bar.resize(120, 30);
        QCOMPARE(bar.GetLayoutCut(), 102);
        QCOMPARE(bar.GetFoldedWidgets(), QList<QWidget*>{buttons.at(2)});
        QTRY_VERIFY(MoreButton(bar)->isVisible());

        bar.resize(200, 30);
        QCOMPARE(bar.GetLayoutCut(), -1);
        QTRY_VERIFY(buttons.at(2)->isVisible());
        QCOMPARE(buttons.at(2)->window(), &bar);
        QVERIFY(!MoreButton(bar)->isVisible());
    }

    void groupsByPriority()
    {
        CPlayWndToolBar bar;
        bar.resize(400, 30);
        QList<QWidget*> buttons = MakeButtons({30, 30, 30, 30}, "b");
        buttons.at(0)->setProperty("_layout_priority_", 2);
        buttons.at(1)->setProperty("_layout_priority_", 1);
        // b2 has no priority and joins group 0 together with b3
        buttons.at(3)->setProperty("_layout_priority_", 0);
        QList<QWidget*> none;
        bar.AddWidgets(buttons, none, none);
        QCOMPARE(buttons.at(2)->property("_layout_priority_"), QVariant(0));

        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QList<QWidget*> byPosition = buttons;
        std::sort(byPosition.begin(), byPosition.end(),
                  [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        QCOMPARE(Names(byPosition), (QStringList{"b2", "b3", "b1", "b0"}));
        // one line between group 0 and 1 and one between 1 and 2, in the gap of 2 pixels
        QCOMPARE(VisibleSplitterLines(bar), 2);
        QCOMPARE(buttons.at(1)->x() - (buttons.at(3)->x() + 30), 2);
    }

    void directlyShownWidgetFollowsItsAction()
    {
        CPlayWndToolBar bar;
        bar.resize(300, 30);
        auto* steered = new QToolButton;
        steered->setObjectName("steered");
        steered->setFixedSize(30, 30);
        auto* action = new QAction(QStringLiteral("Record"), steered);
        steered->setDefaultAction(action);
        steered->setProperty("_directly_show_", true);
        QList<QWidget*> buttons = MakeButtons({30}, "b");
        buttons.append(steered);
        QList<QWidget*> none;
        bar.AddWidgets(none, buttons, none);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QVERIFY(steered->isVisible());

        action->setVisible(false);
        QTRY_VERIFY(steered->isHidden());
        // a bar narrow enough to fold one of two buttons keeps the remaining one in place
        bar.resize(40, 30);
        QCOMPARE(bar.GetLayoutCut(), -1);

        action->setVisible(true);
        QTRY_VERIFY(!steered->isHidden());
        QCOMPARE(bar.GetFoldedWidgets().size(), 2);
    }

    void extraWidgetsGoToTheEndsOfTheirSide_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QStringList>("leading");
        QTest::addColumn<QStringList>("trailing");
        QTest::addColumn<QStringList>("end");
        QTest::newRow("front of side 0") << 0 << QStringList{"x", "l0"} << QStringList{"t0"}
                                         << QStringList{"e0"};
        QTest::newRow("end of side 1") << 1 << QStringList{"l0"} << QStringList{"t0", "x"}
                                       << QStringList{"e0"};
        QTest::newRow("end of side 2") << 2 << QStringList{"l0"} << QStringList{"t0"}
                                       << QStringList{"e0", "x"};
        QTest::newRow("side out of range") << 3 << QStringList{"l0"} << QStringList{"t0"}
                                           << QStringList{"e0"};
        QTest::newRow("negative side") << -1 << QStringList{"l0"} << QStringList{"t0"}
                                       << QStringList{"e0"};
    }
    void extraWidgetsGoToTheEndsOfTheirSide()
    {
        QFETCH(int, side);
        QFETCH(QStringList, leading);
        QFETCH(QStringList, trailing);
        QFETCH(QStringList, end);

        CPlayWndToolBar bar;
        bar.resize(400, 30);
        QList<QWidget*> l = MakeButtons({30}, "l");
        QList<QWidget*> t = MakeButtons({30}, "t");
        QList<QWidget*> e = MakeButtons({30}, "e");
        bar.AddWidgets(l, t, e);
        std::unique_ptr<QWidget> extra(new QToolButton);
        extra->setObjectName("x");
        bar.AddExtraWidgets(static_cast<CPlayWndToolBar::Side>(side), extra.get());
        bar.AddExtraWidgets(CPlayWndToolBar::LeadingSide, nullptr);

        QCOMPARE(Names(bar.GetWidgets(CPlayWndToolBar::LeadingSide)), leading);
        QCOMPARE(Names(bar.GetWidgets(CPlayWndToolBar::TrailingSide)), trailing);
        QCOMPARE(Names(bar.GetWidgets(CPlayWndToolBar::EndSide)), end);
        if (extra->parentWidget())
            extra.release(); // the bar owns it now
    }

    void replacingASideHidesTheWidgetsLeftOut()
    {
        CPlayWndToolBar bar;
        bar.resize(60, 30);
        QList<QWidget*> first = MakeButtons({30, 30, 30}, "a");
        QList<QWidget*> none;
        bar.AddWidgets(none, first, none);
        QVERIFY(!bar.GetFoldedWidgets().isEmpty());

        QList<QWidget*> second = MakeButtons({30}, "b");
        bar.AddWidgets(CPlayWndToolBar::TrailingSide, second);
        QCOMPARE(bar.GetWidgets(CPlayWndToolBar::TrailingSide), second);
        QCOMPARE(bar.GetLayoutCut(), -1);
        for (QWidget* widget : first) {
            QVERIFY(widget->isHidden());
            QVERIFY(widget->parentWidget() != bar.GetExtendWnd());
        }
        QVERIFY(MoreButton(bar)->isHidden());
    }

    void deletedWidgetLeavesTheBar()
    {
        CPlayWndToolBar bar;
        bar.resize(70, 30);
        QList<QWidget*> buttons = MakeButtons({30, 30, 30}, "t");
        QList<QWidget*> none;
        bar.AddWidgets(none, buttons, none);
        QCOMPARE(bar.GetLayoutCut(), 101);

        delete buttons.at(0);
        QTRY_COMPARE(bar.GetLayoutCut(), -1);
        QCOMPARE(Names(bar.GetWidgets(CPlayWndToolBar::TrailingSide)), (QStringList{"t1", "t2"}));
    }

    void morePopupOpensAndCloses()
    {
        QWidget window;
        window.resize(300, 200);
        auto* bar = new CPlayWndToolBar(&window);
        bar->setGeometry(0, 0, 100, 30);
        QList<QWidget*> buttons = MakeButtons({30, 30, 30, 30}, "t");
        QList<QWidget*> none;
        bar->AddWidgets(none, buttons, none);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy shown(bar, &CPlayWndToolBar::SignalShowToolbar);

        QToolButton* more = MoreButton(*bar);
        QVERIFY(more->isVisible());
        QTest::mouseClick(more, Qt::LeftButton);
        QFrame* extend = bar->GetExtendWnd();
        QVERIFY(extend->isVisible());
        for (QWidget* widget : bar->GetFoldedWidgets())
            QVERIFY(widget->isVisible());

        // a cursor inside the pop-up keeps it open, one outside closes it
        QCursor::setPos(extend->frameGeometry().center());
        bar->OnExtraWidgetHide();
        QVERIFY(extend->isVisible());
        QCursor::setPos(extend->frameGeometry().bottomRight() + QPoint(50, 50));
        bar->OnExtraWidgetHide();
        QVERIFY(!extend->isVisible());
        QVERIFY(!bar->IsMouseEnterExtend());

        bar->ShowExtendWnd();
        QVERIFY(extend->isVisible());
        bar->hide();
        QVERIFY(!extend->isVisible());
        bar->show();
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.at(0).at(0).toBool(), false);
        QCOMPARE(shown.at(1).at(0).toBool(), true);
    }

    void popupStaysShutWithNothingFolded()
    {
        CPlayWndToolBar bar;
        bar.resize(300, 30);
        QList<QWidget*> buttons = MakeButtons({30}, "t");
        QList<QWidget*> none;
        bar.AddWidgets(none, buttons, none);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        bar.ShowExtendWnd();
        QVERIFY(!bar.GetExtendWnd()->isVisible());
    }

    void leavingTheBarClearsHoverOfItsButtons()
    {
        CPlayWndToolBar bar;
        bar.resize(300, 30);
        QList<QWidget*> buttons = MakeButtons({30, 30}, "t");
        QList<QWidget*> none;
        bar.AddWidgets(none, buttons, none);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        CLeaveCounter counter;
        for (QWidget* button : buttons)
            button->installEventFilter(&counter);
        QSignalSpy hideRequest(&bar, &CPlayWndToolBar::SignalHideToolBar);

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&bar, &leave);
        QCOMPARE(hideRequest.count(), 1);
        QTRY_COMPARE(counter.m_nLeaves, 2);
    }

    void soundStateComesFromTheVolumeButton()
    {
        CPlayWndToolBar bar;
        QVERIFY(!bar.IsSoundOpend());
        auto* volume = new QToolButton;
        volume->setObjectName("ptr_volumn_btn_");
        QList<QWidget*> buttons{volume};
        QList<QWidget*> none;
        bar.AddWidgets(none, buttons, none);
        QVERIFY(!bar.IsSoundOpend());
        volume->setProperty("_sound_opened_", true);
        QVERIFY(bar.IsSoundOpend());
        QVERIFY(!bar.HaveRelatedPopWndVisible());
    }

    void marginsAndSpacingNarrowTheRoom()
    {
        CPlayWndToolBar bar;
        bar.resize(94, 30);
        QList<QWidget*> buttons = MakeButtons({30, 30, 30}, "t");
        QList<QWidget*> none;
        bar.AddWidgets(none, buttons, none);
        QCOMPARE(bar.GetLayoutCut(), -1);
        bar.SetToolBarContentsMargins(1, 0, 0, 0);
        QCOMPARE(bar.GetLayoutCut(), 101);
        bar.SetToolBarContentsMargins(0, 0, 0, 0);
        QCOMPARE(bar.GetLayoutCut(), -1);

        QList<QWidget*> end = MakeButtons({10}, "e");
        bar.resize(94 + 10 + 4, 30);
        bar.AddWidgets(CPlayWndToolBar::EndSide, end);
        bar.SetSpacing(4);
        QCOMPARE(bar.GetLayoutCut(), -1);
        bar.SetSpacing(5);
        QCOMPARE(bar.GetLayoutCut(), 101);
    }
};

QTEST_MAIN(tst_PlayWndToolBar)
#include "tst_playwndtoolbar.moc"
