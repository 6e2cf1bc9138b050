#include "Widgets/BaseDialog.h"

#include "Button/PushButton.h"
#include "Core/ArbaricSetting.h"
#include "Core/WidgetMaximizeManager.h"
#include "Widgets/BaseDialogWithBottom.h"
#include "Widgets/FancyTitle.h"
#include "Widgets/MoveRubberBand.h"
#include "Widgets/TitleWidget.h"
#include "Widgets/Widget.h"

#include "TestSupport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void Show(QWidget& widget)
{
    widget.move(100, 100);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}

// A mouse event on the title bar at a global position; a press defaults to (50, 10) in it.
void Title(CBaseDialog& dialog, QEvent::Type type, QPoint global = QPoint(-1, -1))
{
    QWidget* title = dialog.GetTitleWidget();
    global = global == QPoint(-1, -1) ? title->mapToGlobal(QPoint(50, 10)) : global;
    TestSupport::SendMouse(title, type, title->mapFromGlobal(global), global);
}

void ReadRightToLeft(bool rightToLeft)
{
    ArbaricSetting::Instance().SetReadDirection(rightToLeft ? ArbaricSetting::RightToLeft
                                                            : ArbaricSetting::LeftToRight);
}

} // namespace

class tst_BaseDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TestSupport::FilterOffscreenWarnings(); }
    void cleanup()
    {
        CWidgetMaximizeManager::Instance().SetWidgetMaximizeMode(0);
        ReadRightToLeft(false);
    }

    void parts()
    {
        // Style sheets address the parts by name. Name, shown at first, tool tip:
        const QStringList common{"CBaseDialogClass 0",         "m_pNoBottomWidget 1",
                                 "m_pTitleWidget 1",           "m_pTitleLabel 1",
                                 "m_pDialogMinBtn 0 Minimize", "m_pDialogSizeBtn 0",
                                 "m_pDialogCloseBtn 1 Close"};
        for (bool withBottom : {false, true}) {
            std::unique_ptr<CBaseDialog> dialog(withBottom ? new CBaseDialogWithBottom
                                                           : new CBaseDialog);
            const QStringList parts = common
                + (withBottom
                       ? QStringList({"m_pWithBottomFrame 1", "m_pBottomFrame 1", "ptr_line 0",
                                      "m_pLeftBtn 0", "m_pConfirmBtn 1", "m_pCancelBtn 1"})
                       : QStringList({"m_pContentFrame 1"}));
            for (const QString& part : qAsConst(parts)) {
                const QStringList fields = part.split(' ');
                auto* widget = dialog->objectName() == fields[0]
                    ? dialog.get()
                    : dialog->findChild<QWidget*>(fields[0]);
                QVERIFY2(widget, qPrintable(fields[0]));
                QCOMPARE(widget->isVisibleTo(dialog.get()), fields[1] == "1");
                QCOMPARE(widget->toolTip(), fields.value(2));
            }
            QCOMPARE(dialog->GetSetUpUiWidget()->objectName(),
                     withBottom ? "m_pWithBottomFrame" : "m_pContentFrame");
            QVERIFY(dialog->size() == QSize(428, 324)
                    && dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
            for (QWidget* button :
                 {dialog->GetMinBtn(), dialog->GetSizeBtn(), dialog->GetCloseBtn()})
                QVERIFY(button->size() == QSize(32, 32) && button->focusPolicy() == Qt::ClickFocus);
        }
    }

    void title()
    {
        CBaseDialog dialog;
        dialog.SetTitle(QStringLiteral("Device list"));
        QCOMPARE(dialog.GetTitle(), QStringLiteral("Device list"));
        QCOMPARE(dialog.GetTitleWidget()->toolTip(), QStringLiteral("Device list"));
        auto* label = dialog.findChild<QLabel*>("m_pTitleLabel");
        QCOMPARE(label->text(), QStringLiteral("Device list"));
        auto* extra = new QLabel(QStringLiteral("extra"));
        dialog.AddTitleWidget(extra);
        dialog.AddTitleWidget(nullptr);
        dialog.SetMinBtnVisible(true);
        Show(dialog);
        QVERIFY(label->geometry().right() < extra->x());
        QVERIFY(extra->geometry().right() < dialog.GetMinBtn()->x());
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTest::mouseClick(dialog.GetCloseBtn(), Qt::LeftButton);
        QCOMPARE(finished.value(0).value(0).toInt(), int(QDialog::Rejected));
        dialog.SetCloseBtnVisible(false);
        dialog.HideTitle();
        QVERIFY(dialog.GetCloseBtn()->isHidden() && dialog.GetTitleWidget()->isHidden());
    }

    void titleFollowsReadingDirection()
    {
        for (bool rightToLeft : {false, true}) {
            ReadRightToLeft(rightToLeft);
            CBaseDialog dialog;
            QLayout* layout = dialog.GetTitleWidget()->layout();
            QCOMPARE(layout->contentsMargins(),
                     rightToLeft ? QMargins(2, 2, 0, 1) : QMargins(0, 2, 2, 1));
            dialog.SetMinBtnVisible(true);
            dialog.SetSizeBtnVisible(true);
            Show(dialog);
            const int minX = dialog.GetMinBtn()->x(), sizeX = dialog.GetSizeBtn()->x();
            const int closeX = dialog.GetCloseBtn()->x();
            QVERIFY(rightToLeft ? closeX < sizeX && sizeX < minX : minX < sizeX && sizeX < closeX);
            // The wider margin sits on the buttons' side.
            QCOMPARE(closeX, rightToLeft ? 2 : dialog.GetTitleWidget()->width() - 34);
            dialog.SetTitleWidgetLayoutContentsMargins(5, 6, 7, 8);
            QCOMPARE(layout->contentsMargins(),
                     rightToLeft ? QMargins(7, 6, 5, 8) : QMargins(5, 6, 7, 8));
        }
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("escape") << int(Qt::Key_Escape);
        QTest::newRow("return") << int(Qt::Key_Return);
        QTest::newRow("enter") << int(Qt::Key_Enter);
        QTest::newRow("select") << int(Qt::Key_Select);
    }
    void keys()
    {
        QFETCH(int, key);
        // Plain, with a bottom bar, and with its confirm button hidden: only the confirm button
        // that shows takes Return, Enter and Select; nothing takes Escape.
        for (int variant = 0; variant < 3; ++variant) {
            std::unique_ptr<CBaseDialog> dialog(variant ? new CBaseDialogWithBottom
                                                        : new CBaseDialog);
            int oks = 0;
            if (auto* bottom = qobject_cast<CBaseDialogWithBottom*>(dialog.get())) {
                bottom->SetConfirmBtnVisible(variant == 1);
                connect(bottom, &CBaseDialogWithBottom::SignalOk, [&oks] { ++oks; });
            }
            Show(*dialog);
            QSignalSpy finished(dialog.get(), &QDialog::finished);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(dialog.get(), &press);
            QVERIFY(press.isAccepted()); // claimed by the frame, whatever it does with it
            const bool accepts = variant == 1 && key != Qt::Key_Escape;
            QCOMPARE(oks, accepts ? 1 : 0);
            QCOMPARE(finished.count(), accepts ? 1 : 0);
            QCOMPARE(finished.value(0).value(0).toInt(), accepts ? int(QDialog::Accepted) : 0);
            // A key the frame does not claim travels on to whoever listens above.
            QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(dialog.get(), &other);
            QVERIFY(!other.isAccepted());
        }
    }

    void bottomBar()
    {
        CBaseDialogWithBottom dialog;
        Show(dialog);
        QSignalSpy ok(&dialog, &CBaseDialogWithBottom::SignalOk);
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTest::mouseClick(dialog.GetConfirmBtn(), Qt::LeftButton);
        dialog.show();
        QTest::mouseClick(dialog.GetCancelBtn(), Qt::LeftButton);
        QCOMPARE(ok.count(), 1);
        QCOMPARE(finished.count(), 2);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        QCOMPARE(finished.at(1).at(0).toInt(), int(QDialog::Rejected));

        dialog.SetYesAndNoText();
        QCOMPARE(dialog.GetConfirmBtn()->text(), QStringLiteral("Yes"));
        QCOMPARE(dialog.GetCancelBtn()->text(), QStringLiteral("No"));
        dialog.show();
        dialog.SetLineVisible(true);
        dialog.SetLeftBtnVisible(true);
        QVERIFY(dialog.findChild<QWidget*>("ptr_line")->isVisible());
        QVERIFY(dialog.GetLeftBtn()->x() < dialog.GetConfirmBtn()->x());
        QVERIFY(dialog.GetConfirmBtn()->x() < dialog.GetCancelBtn()->x());

        // ReConnect leaves the one new connection.
        CPushButton* cancel = dialog.GetCancelBtn();
        for (int i = 0; i < 2; ++i)
            QVERIFY(dialog.ReConnect(cancel, SIGNAL(clicked()), &dialog, SLOT(accept())));
        QVERIFY(!dialog.ReConnect(nullptr, SIGNAL(clicked()), &dialog, SLOT(reject())));
        QVERIFY(!dialog.ReConnect(cancel, SIGNAL(clicked()), nullptr, SLOT(reject())));
        QVERIFY(!dialog.ReConnect(cancel, nullptr, &dialog, SLOT(reject())));
        cancel->click();
        QCOMPARE(finished.count(), 3);
        QCOMPARE(finished.at(2).at(0).toInt(), int(QDialog::Accepted));

        dialog.show();
        dialog.HideBottom();
        QVERIFY(!dialog.BottomIsVisible());
        QCOMPARE(dialog.GetSetUpUiWidget()->objectName(), QStringLiteral("m_pContentFrame"));
        QTest::keyClick(&dialog, Qt::Key_Return); // no button left to press
        QCOMPARE(ok.count(), 1);
    }

    void setContentWnd()
    {
        CBaseDialog dialog;
        QWidget* area = dialog.GetSetUpUiWidget();
        QTest::ignoreMessage(QtWarningMsg,
                             "CBaseDialog::SetContentWnd: Attempt to insert null QWidget");
        dialog.SetContentWnd(nullptr);
        QVERIFY(area->findChildren<QWidget*>().isEmpty());
        auto* first = new QWidget;
        dialog.SetContentWnd(first);
        Show(dialog);
        QCOMPARE(first->parentWidget(), area);
        QCOMPARE(first->geometry(), area->rect());
        auto* second = new QWidget;
        dialog.SetContentWnd(second);
        QVERIFY(first->isHidden());
        QTRY_COMPARE(second->geometry(), area->rect());
        // A widget holding the content area cannot go inside it.
        dialog.SetContentWnd(&dialog);
        dialog.SetContentWnd(dialog.GetTitleWidget()->parentWidget());
        QCOMPARE(second->parentWidget(), area);
        QVERIFY(second->isVisible());
    }

    void sizeButtonFollowsState()
    {
        // Mode 1 of the maximise manager covers the screen, any other mode maximises.
        for (int mode : {0, 1, 7}) {
            CWidgetMaximizeManager::Instance().SetWidgetMaximizeMode(mode);
            CBaseDialog dialog;
            dialog.setStyleSheet("QPushButton#m_pFullSizeBtn { background: blue; border: none }"
                                 "QPushButton#m_pNormalSizeBtn { background: red; border: none }");
            dialog.SetSizeBtnVisible(true);
            Show(dialog);
            const QRect normal = dialog.geometry();
            CPushButton* button = dialog.GetSizeBtn();
            // Maximised or not, the button's name and tool tip, the colour its style gives it.
            auto state = [&] {
                const QImage image = button->grab().toImage();
                const QColor colour = image.pixelColor(image.width() / 2, image.height() / 2);
                return QStringLiteral("%1 %2 %3 %4")
                    .arg(dialog.IsMaximize())
                    .arg(button->objectName(), button->toolTip(), colour.name());
            };
            const QString normalState = QStringLiteral("0 m_pFullSizeBtn Maximize #0000ff");
            QCOMPARE(state(), normalState);
            // The size button acts through the title bar's double click, which starts disabled.
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(state(), normalState);
            dialog.SetTitleDoubleClickEnable(true);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(state(), QStringLiteral("1 m_pNormalSizeBtn Restore Down #ff0000"));
            QCOMPARE(dialog.property("_scc_WidgetSizeFactory_").toUInt(), mode == 1 ? 2u : 1u);
            QCOMPARE(dialog.geometry(),
                     mode == 1 ? QGuiApplication::primaryScreen()->geometry() : Available());
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(state(), normalState);
            QCOMPARE(dialog.geometry(), normal);
            dialog.Maximize();
            QVERIFY(dialog.IsMaximize());
        }
    }

    void doubleClickOnTitle()
    {
        TestSupport::LogCapture log;
        CBaseDialog dialog;
        Show(dialog);
        const QRect normal = dialog.geometry();
        CFancyTitle* title = dialog.GetTitleWidget();
        QSignalSpy changed(title, &CFancyTitle::SignalWndSizeStatusChanged);
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(50, 10)); // not enabled yet
        dialog.SetTitleDoubleClickEnable(true);
        QTest::mouseDClick(title, Qt::RightButton, {}, QPoint(50, 10));
        QCOMPARE(dialog.geometry(), normal);
        QCOMPARE(changed.count(), 0);
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(50, 10));
        QCOMPARE(dialog.geometry(), Available());
        QVERIFY(changed.count() >= 1);
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(50, 10));
        QCOMPARE(dialog.geometry(), normal);

        // Each step of a double click is traced: maximising passes steps 1, 2, 3, 5, restoring
        // 1, 4, 5.
        const QRegularExpression trace(
            "^\\[TesselGUIToolkit::CFancyTitle::OnImitateDoubleClick\\]CFancyTitle::"
            "OnImitateDoubleClick(\\d)\\[Widgets\\\\FancyTitle\\.cpp\\(\\d+\\)\\]$");
        QString steps;
        for (const TestSupport::LogLine& line : qAsConst(log.lines)) {
            if (line.level == 5 && line.category == "ClientWarningAndMore")
                steps += trace.match(line.text).captured(1);
        }
        QCOMPARE(steps, QStringLiteral("1235145"));
    }

    void dragMovesWindow()
    {
        CBaseDialog dialog;
        Show(dialog);
        CFancyTitle* title = dialog.GetTitleWidget();
        const QPoint start = title->mapToGlobal(QPoint(50, 10));
        Title(dialog, QEvent::MouseButtonPress);
        QCOMPARE(title->GetPressOffset(), QPoint(50, 10));
        Title(dialog, QEvent::MouseMove, start + QPoint(30, 20));
        QCOMPARE(dialog.pos(), QPoint(130, 120));
        Title(dialog, QEvent::MouseButtonRelease, start + QPoint(30, 20));
        QCOMPARE(title->GetPressOffset(), QPoint(-1, -1));
        Title(dialog, QEvent::MouseMove, start + QPoint(90, 90)); // released: no drag
        TestSupport::SendMouse(title, QEvent::MouseButtonPress, QPoint(50, 10), Qt::RightButton);
        Title(dialog, QEvent::MouseMove, QPoint(400, 400)); // a right press starts none
        Title(dialog, QEvent::MouseButtonPress);
        title->SetOpenWidgetMoveEnable(false); // ends the drag under way
        QCOMPARE(title->GetPressOffset(), QPoint(-1, -1));
        Title(dialog, QEvent::MouseMove, QPoint(400, 400));
        Title(dialog, QEvent::MouseButtonPress);
        Title(dialog, QEvent::MouseMove, QPoint(400, 400));
        QCOMPARE(dialog.pos(), QPoint(130, 120));

        // Pulling the title of a maximised window restores it, when double click is enabled.
        for (bool doubleClick : {true, false}) {
            title->SetOpenWidgetMoveEnable(true);
            dialog.Maximize();
            dialog.SetTitleDoubleClickEnable(doubleClick);
            Title(dialog, QEvent::MouseButtonPress);
            Title(dialog, QEvent::MouseMove, title->mapToGlobal(QPoint(80, 30)));
            Title(dialog, QEvent::MouseButtonRelease, title->mapToGlobal(QPoint(80, 30)));
            QCOMPARE(dialog.IsMaximize(), !doubleClick);
        }
    }

    void rubberMoveLandsOnTheScreen()
    {
        const QRect available = Available();
        // Where the mouse is released, and where the cursor may end up.
        const QPair<QPoint, QPoint> moves[] = {
            {{300, 200}, {300, 200}},
            {{5000, 4000}, available.bottomRight()},
            {{-3000, -2000}, available.topLeft()},
            {{available.right() + 900, 250}, {available.right(), 250}}};
        for (const auto& move : moves) {
            CBaseDialog dialog;
            CFancyTitle* title = dialog.GetTitleWidget();
            title->SetApplyRubberMove(true);
            Show(dialog);
            CMoveRubberBand* band = title->GetRubberBand();
            QVERIFY(band->isWindow() && band->testAttribute(Qt::WA_TranslucentBackground));
            Title(dialog, QEvent::MouseButtonPress);
            QCOMPARE(band->size(), dialog.size());
            Title(dialog, QEvent::MouseMove, move.first);
            QCOMPARE(dialog.pos(), QPoint(100, 100)); // only the outline follows the mouse
            QCOMPARE(band->pos(), move.first - QPoint(50, 10));
            QVERIFY(band->isVisible());
            Title(dialog, QEvent::MouseButtonRelease, move.first);
            QVERIFY(!band->isVisible());
            QCOMPARE(dialog.pos(), move.second - QPoint(50, 10));
        }
        CBaseDialog dialog;
        dialog.SetTitleDoubleClickEnable(true);
        dialog.GetTitleWidget()->SetApplyRubberMove(true);
        Show(dialog);
        dialog.GetTitleWidget()->OnImitateDoubleClick();
        QCOMPARE(dialog.GetTitleWidget()->GetRubberBand()->size(), available.size());
    }

    void screenClickStretchesOnlyToolkitWidgets()
    {
        CWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
        auto* title = new CFancyTitle(&window);
        window.resize(200, 100);
        Show(window);
        QSignalSpy resized(title, &CFancyTitle::SignalWndSizeStatusChanged);
        title->resize(160, 34);
        QTRY_COMPARE(resized.count(), 1);
        title->OnScreenClick();
        QCOMPARE(window.geometry(), QGuiApplication::primaryScreen()->geometry());
        CBaseDialog dialog;
        Show(dialog);
        dialog.GetTitleWidget()->OnScreenClick();
        QCOMPARE(dialog.geometry(), QRect(QPoint(100, 100), QSize(428, 324)));
    }

    void rubberBandDrawsTranslucentFrame()
    {
        QWidget host;
        CMoveRubberBand band(QRubberBand::Rectangle, &host);
        band.resize(40, 30);
        const QImage image = TestSupport::Render(&band, Qt::transparent);
        // The 4-pixel stroke runs along x 0-3 and 35-38, y 0-3 and 25-28, with bevelled corners.
        for (const QPoint& painted : {QPoint(1, 15), QPoint(37, 15), QPoint(20, 1), QPoint(20, 27)})
            QVERIFY(TestSupport::Near(image.pixelColor(painted), QColor(102, 102, 102, 128)));
        for (const QPoint& clear : {QPoint(20, 15), QPoint(39, 15), QPoint(20, 29), QPoint(0, 0)})
            QCOMPARE(image.pixelColor(clear).alpha(), 0);
    }

    void titleWidgetStrip()
    {
        CTitleWidget strip;
        strip.SetTitle(QStringLiteral("Channels"));
        auto* label = strip.findChild<QLabel*>("ptr_title_label_");
        QCOMPARE(strip.GetTitle(), QStringLiteral("Channels"));
        QCOMPARE(label->text(), QStringLiteral("Channels"));
        auto* icon = strip.findChild<QLabel*>("ptr_title_icon_label_");
        QVERIFY(icon->isHidden());
        strip.SetTitleIcon(QPixmap(12, 12));
        QVERIFY(!icon->isHidden());
        strip.SetTitleIcon(QPixmap());
        QVERIFY(icon->isHidden());

        auto* button = new QLabel(QStringLiteral("go"));
        strip.AddWidget(button);
        strip.AddWidget(nullptr);
        auto* extra = new QHBoxLayout;
        auto* tail = new QLabel(QStringLiteral("tail"));
        extra->addWidget(tail);
        strip.AddLayout(extra);
        strip.AddLayout(nullptr);
        strip.AddLayout(strip.layout()); // already placed: ignored
        strip.resize(300, 30);
        Show(strip);
        QVERIFY(label->geometry().right() < button->x());
        QVERIFY(button->geometry().right() < tail->x());
        QVERIFY(tail->geometry().right() > 250); // pushed to the far end
    }

    void titleWidgetPicture()
    {
        // Left and right follow the reading direction; by default the picture sits left,
        // centred vertically.
        // clang-format off
        const struct { int alignment; bool rightToLeft; QPoint inside, outside; } cases[] = {
            {0, false, {5, 15}, {95, 15}}, {Qt::AlignRight | Qt::AlignBottom, false, {95, 25}, {95, 5}},
            {Qt::AlignLeft | Qt::AlignTop, true, {95, 5}, {5, 5}}};
        // clang-format on
        for (const auto& c : cases) {
            ReadRightToLeft(c.rightToLeft);
            CTitleWidget strip;
            strip.resize(100, 30);
            strip.SetLayoutContentsMargins(1, 2, 3, 4);
            QCOMPARE(strip.layout()->contentsMargins(),
                     c.rightToLeft ? QMargins(3, 2, 1, 4) : QMargins(1, 2, 3, 4));
            QPixmap picture(10, 10);
            picture.fill(Qt::red);
            strip.SetTitlePixmap(picture);
            if (c.alignment)
                strip.SetTitlePixmapAlignment(Qt::Alignment(c.alignment));
            const QImage image = TestSupport::Render(&strip, Qt::white, QWidget::DrawChildren);
            QCOMPARE(image.pixelColor(c.inside), QColor(Qt::red));
            QCOMPARE(image.pixelColor(c.outside), QColor(Qt::white));
            strip.SetTitlePixmap(QPixmap());
            QCOMPARE(
                TestSupport::Render(&strip, Qt::white, QWidget::DrawChildren).pixelColor(c.inside),
                QColor(Qt::white));
        }
    }
};

QTEST_MAIN(tst_BaseDialog)
#include "tst_basedialog.moc"
