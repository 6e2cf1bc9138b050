#include "Widgets/BaseDialog.h"

#include "Button/PushButton.h"
#include "Core/ArbaricSetting.h"
#include "Core/WidgetMaximizeManager.h"
#include "Widgets/BaseDialogWithBottom.h"
#include "Widgets/FancyTitle.h"
#include "Widgets/MoveRubberBand.h"
#include "Widgets/TitleWidget.h"
#include "Widgets/Widget.h"

#include "PlinthBase.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(QMargins)

using namespace TesselGUIToolkit;

namespace {

// Mouse events with a chosen global position: a drag may end far beyond the screen, where no
// widget-relative QTest helper can reach.
void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& local, const QPoint& global,
               Qt::MouseButton button)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void PressTitle(CBaseDialog& dialog, const QPoint& local)
{
    QWidget* title = dialog.GetTitleWidget();
    SendMouse(title, QEvent::MouseButtonPress, local, title->mapToGlobal(local), Qt::LeftButton);
}

void MoveTitle(CBaseDialog& dialog, const QPoint& global)
{
    QWidget* title = dialog.GetTitleWidget();
    SendMouse(title, QEvent::MouseMove, title->mapFromGlobal(global), global, Qt::NoButton);
}

void ReleaseTitle(CBaseDialog& dialog, const QPoint& global)
{
    QWidget* title = dialog.GetTitleWidget();
    SendMouse(title, QEvent::MouseButtonRelease, title->mapFromGlobal(global), global,
              Qt::LeftButton);
}

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void ShowAt(QWidget& widget, const QPoint& position)
{
    widget.move(position);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}

QColor CentreColour(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

bool Near(const QColor& actual, const QColor& expected, int tolerance = 2)
{
    return qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance
        && qAbs(actual.alpha() - expected.alpha()) <= tolerance;
}

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform plugin has no window manager: it warns whenever a shown window's size
// is pinned (size hints) and whenever Qt raises a tool-tip window such as the rubber band on
// show. Neither says anything about this code.
void DropPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg
        && (text == QLatin1String("This plugin does not support propagateSizeHints()")
            || text == QLatin1String("This plugin does not support raise()")))
        return;
    g_previousHandler(type, context, text);
}

} // namespace

class tst_BaseDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(DropPlatformWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void cleanup()
    {
        CWidgetMaximizeManager::Instance().SetWidgetMaximizeMode(0);
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        Plinth::Base::SetLogSink({});
    }

    void partsCarryTheirNames_data()
    {
        QTest::addColumn<bool>("withBottom");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("fixedSize");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("toolTip");

        const QSize free(-1, -1);
        const QSize button(32, 32);
        for (bool bottom : {false, true}) {
            const char* tag = bottom ? "with bottom: " : "plain: ";
            auto row = [&](const char* name) {
                return &QTest::newRow(qPrintable(QString::fromLatin1(tag) + QLatin1String(name)));
            };
            *row("body") << bottom << "m_pNoBottomWidget" << free << true << "";
            *row("title") << bottom << "m_pTitleWidget" << free << true << "";
            *row("minimise") << bottom << "m_pDialogMinBtn" << button << false << "Minimize";
            *row("size") << bottom << "m_pDialogSizeBtn" << button << false << "";
            *row("close") << bottom << "m_pDialogCloseBtn" << button << true << "Close";
        }
        QTest::newRow("plain: content") << false << "m_pContentFrame" << free << true << "";
        QTest::newRow("with bottom: content") << true << "m_pWithBottomFrame" << free << true << "";
        QTest::newRow("bottom frame") << true << "m_pBottomFrame" << free << true << "";
        QTest::newRow("line") << true << "ptr_line" << free << false << "";
        QTest::newRow("left button") << true << "m_pLeftBtn" << free << false << "";
        QTest::newRow("confirm") << true << "m_pConfirmBtn" << free << true << "";
        QTest::newRow("cancel") << true << "m_pCancelBtn" << free << true << "";
    }
    void partsCarryTheirNames()
    {
        QFETCH(bool, withBottom);
        QFETCH(QString, name);
        QFETCH(QSize, fixedSize);
        QFETCH(bool, shown);
        QFETCH(QString, toolTip);

        std::unique_ptr<CBaseDialog> dialog(withBottom ? new CBaseDialogWithBottom
                                                       : new CBaseDialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("CBaseDialogClass"));
        QCOMPARE(dialog->size(), QSize(428, 324));
        QCOMPARE(dialog->minimumHeight(), 150);
        QCOMPARE(dialog->layout()->objectName(), QStringLiteral("m_pGridBaseDialog"));
        QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));

        auto* part = dialog->findChild<QWidget*>(name);
        QVERIFY2(part, qPrintable(name));
        QCOMPARE(part->isVisibleTo(dialog.get()), shown);
        if (fixedSize.isValid()) {
            QCOMPARE(part->minimumSize(), fixedSize);
            QCOMPARE(part->maximumSize(), fixedSize);
            QCOMPARE(part->focusPolicy(), Qt::ClickFocus);
        }
        QCOMPARE(part->toolTip(), toolTip);
    }

    void partsHaveTheirRoles()
    {
        CBaseDialog dialog;
        auto* body = dialog.findChild<CWidget*>(QStringLiteral("m_pNoBottomWidget"));
        QVERIFY(body);
        QVERIFY(body->IsResizable());
        QCOMPARE(body->GetMargin(), 4u);
        QCOMPARE(dialog.GetTitleWidget()->minimumHeight(), 34);
        QCOMPARE(dialog.GetCloseBtn()->iconSize(), QSize(24, 24));
        QCOMPARE(dialog.GetSetUpUiWidget()->objectName(), QStringLiteral("m_pContentFrame"));
        QVERIFY(dialog.GetTitleWidget()->isAncestorOf(dialog.GetSizeBtn()));

        dialog.SetTitle(QStringLiteral("Device list"));
        QCOMPARE(dialog.GetTitle(), QStringLiteral("Device list"));
        QCOMPARE(dialog.GetTitleWidget()->toolTip(), QStringLiteral("Device list"));
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("m_pTitleLabel"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Device list"));

        dialog.HideTitle();
        QVERIFY(dialog.GetTitleWidget()->isHidden());
    }

    void titleButtonsWire()
    {
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        dialog.SetMinBtnVisible(true);
        dialog.SetSizeBtnVisible(true);
        QVERIFY(dialog.GetMinBtn()->isVisible());
        QVERIFY(dialog.GetSizeBtn()->isVisible());

        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QTest::mouseClick(dialog.GetCloseBtn(), Qt::LeftButton);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(!dialog.isVisible());

        dialog.SetCloseBtnVisible(false);
        QVERIFY(dialog.GetCloseBtn()->isHidden());
    }

    void titleButtonsFollowReadingDirection_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("left to right") << false;
        QTest::newRow("right to left") << true;
    }
    void titleButtonsFollowReadingDirection()
    {
        QFETCH(bool, rightToLeft);
        if (rightToLeft)
            ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        CBaseDialog dialog;
        dialog.SetMinBtnVisible(true);
        dialog.SetSizeBtnVisible(true);
        ShowAt(dialog, QPoint(100, 100));
        const int minX = dialog.GetMinBtn()->x();
        const int sizeX = dialog.GetSizeBtn()->x();
        const int closeX = dialog.GetCloseBtn()->x();
        if (rightToLeft) {
            QVERIFY(closeX < sizeX && sizeX < minX);
            QCOMPARE(closeX, 2); // the wider margin sits on the buttons' side
        } else {
            QVERIFY(minX < sizeX && sizeX < closeX);
            QCOMPARE(closeX + 32, dialog.GetTitleWidget()->width() - 2);
        }
    }

    void titleMargins_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QMargins>("initial");
        QTest::addColumn<QMargins>("afterSet");
        QTest::newRow("left to right") << false << QMargins(0, 2, 2, 1) << QMargins(5, 6, 7, 8);
        QTest::newRow("right to left") << true << QMargins(2, 2, 0, 1) << QMargins(7, 6, 5, 8);
    }
    void titleMargins()
    {
        QFETCH(bool, rightToLeft);
        QFETCH(QMargins, initial);
        QFETCH(QMargins, afterSet);
        if (rightToLeft)
            ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        CBaseDialog dialog;
        QLayout* titleLayout = dialog.GetTitleWidget()->layout();
        QVERIFY(titleLayout);
        QCOMPARE(titleLayout->contentsMargins(), initial);
        QCOMPARE(titleLayout->spacing(), 1);
        QCOMPARE(dialog.GetTitleWidget()->layoutDirection(),
                 rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        dialog.SetTitleWidgetLayoutContentsMargins(5, 6, 7, 8);
        QCOMPARE(titleLayout->contentsMargins(), afterSet);
    }

    void titleWidgetsFollowTheTitle()
    {
        CBaseDialog dialog;
        auto* extra = new QLabel(QStringLiteral("extra"));
        dialog.AddTitleWidget(extra);
        dialog.AddTitleWidget(nullptr);
        dialog.SetMinBtnVisible(true);
        ShowAt(dialog, QPoint(100, 100));
        QVERIFY(dialog.GetTitleWidget()->isAncestorOf(extra));
        QVERIFY(extra->isVisible());
        QVERIFY(extra->x() + extra->width() <= dialog.GetMinBtn()->x());
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("m_pTitleLabel"));
        QVERIFY(label->x() < extra->x());
    }

    void keys_data()
    {
        QTest::addColumn<bool>("withBottom");
        QTest::addColumn<bool>("confirmVisible");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepts");

        const int keys[] = {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Select};
        const char* names[] = {"escape", "return", "enter", "select"};
        for (int i = 0; i < 4; ++i) {
            const bool confirms = keys[i] != Qt::Key_Escape;
            QTest::addRow("plain, %s", names[i]) << false << true << keys[i] << false;
            QTest::addRow("bottom, %s", names[i]) << true << true << keys[i] << confirms;
            QTest::addRow("bottom without confirm, %s", names[i])
                << true << false << keys[i] << false;
        }
    }
    void keys()
    {
        QFETCH(bool, withBottom);
        QFETCH(bool, confirmVisible);
        QFETCH(int, key);
        QFETCH(bool, accepts);

        std::unique_ptr<CBaseDialog> dialog(withBottom ? new CBaseDialogWithBottom
                                                       : new CBaseDialog);
        auto* bottom = qobject_cast<CBaseDialogWithBottom*>(dialog.get());
        if (bottom)
            bottom->SetConfirmBtnVisible(confirmVisible);
        ShowAt(*dialog, QPoint(100, 100));
        QSignalSpy accepted(dialog.get(), &QDialog::accepted);
        QSignalSpy rejected(dialog.get(), &QDialog::rejected);
        std::unique_ptr<QSignalSpy> ok(
            bottom ? new QSignalSpy(bottom, &CBaseDialogWithBottom::SignalOk) : nullptr);

        // Select has no character, which QTest::keyClick insists on.
        QTest::sendKeyEvent(QTest::Click, dialog.get(), Qt::Key(key), QString(), Qt::NoModifier);

        QCOMPARE(rejected.count(), 0);
        QCOMPARE(accepted.count(), accepts ? 1 : 0);
        if (ok)
            QCOMPARE(ok->count(), accepts ? 1 : 0);
        QCOMPARE(dialog->isVisible(), !accepts);
    }

    void otherKeysReachTheDialog()
    {
        // QDialog's own handling of keys the frame does not claim stays: a shortcut-free key is
        // ignored and so travels on to whoever listens above.
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&dialog, &press);
        QVERIFY(!press.isAccepted());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
        QVERIFY(escape.isAccepted());
    }

    void bottomButtons()
    {
        CBaseDialogWithBottom dialog;
        ShowAt(dialog, QPoint(100, 100));
        QSignalSpy ok(&dialog, &CBaseDialogWithBottom::SignalOk);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QSignalSpy rejected(&dialog, &QDialog::rejected);

        QTest::mouseClick(dialog.GetConfirmBtn(), Qt::LeftButton);
        QCOMPARE(ok.count(), 1);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        dialog.show();
        QTest::mouseClick(dialog.GetCancelBtn(), Qt::LeftButton);
        QCOMPARE(rejected.count(), 1);
        QCOMPARE(ok.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        dialog.SetYesAndNoText();
        QCOMPARE(dialog.GetConfirmBtn()->text(), QStringLiteral("Yes"));
        QCOMPARE(dialog.GetCancelBtn()->text(), QStringLiteral("No"));
        dialog.SetConfirmBtnText(QStringLiteral("Apply"));
        dialog.SetCancelBtnText(QString());
        QCOMPARE(dialog.GetConfirmBtn()->text(), QStringLiteral("Apply"));
        QCOMPARE(dialog.GetCancelBtn()->text(), QString());

        dialog.show();
        dialog.SetLineVisible(true);
        dialog.SetLeftBtnVisible(true);
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("ptr_line"))->isVisible());
        QVERIFY(dialog.GetLeftBtn()->isVisible());
        QVERIFY(dialog.GetLeftBtn()->x() < dialog.GetConfirmBtn()->x());
        QVERIFY(dialog.GetConfirmBtn()->x() < dialog.GetCancelBtn()->x());
        dialog.SetCancelBtnVisible(false);
        QVERIFY(dialog.GetCancelBtn()->isHidden());
    }

    void bottomBarLayout()
    {
        CBaseDialogWithBottom dialog;
        auto* frame = dialog.findChild<QWidget*>(QStringLiteral("m_pBottomFrame"));
        auto* grid = qobject_cast<QGridLayout*>(frame->layout());
        QVERIFY(grid);
        QCOMPARE(grid->horizontalSpacing(), 6);
        QCOMPARE(grid->verticalSpacing(), 10);
        int left = 0, top = 0, right = 0, bottom = 0;
        grid->getContentsMargins(&left, &top, &right, &bottom);
        QCOMPARE(top, 0);
        QCOMPARE(right, 10);
        QCOMPARE(bottom, 10);
        auto* dialogGrid = qobject_cast<QGridLayout*>(dialog.layout());
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        dialogGrid->getItemPosition(dialogGrid->indexOf(frame), &row, &column, &rowSpan,
                                    &columnSpan);
        QCOMPARE(row, 2);
        QCOMPARE(dialog.findChild<QWidget*>(QStringLiteral("ptr_line"))->styleSheet(),
                 QStringLiteral("border:1px solid #cccccc;"));
    }

    void hideBottom()
    {
        CBaseDialogWithBottom dialog;
        QVERIFY(dialog.BottomIsVisible());
        dialog.HideBottom();
        QVERIFY(!dialog.BottomIsVisible());
        QCOMPARE(dialog.GetSetUpUiWidget()->objectName(), QStringLiteral("m_pContentFrame"));
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("m_pNoBottomWidget")));
        // With the bar gone Return has no button to press.
        ShowAt(dialog, QPoint(100, 100));
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(accepted.count(), 0);
    }

    void reConnectLeavesOneConnection()
    {
        CBaseDialogWithBottom dialog;
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        CPushButton* cancel = dialog.GetCancelBtn();
        QVERIFY(
            CBaseDialogWithBottom::ReConnect(cancel, SIGNAL(clicked()), &dialog, SLOT(accept())));
        QVERIFY(
            CBaseDialogWithBottom::ReConnect(cancel, SIGNAL(clicked()), &dialog, SLOT(accept())));
        cancel->click();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(rejected.count(), 0);

        // Bad arguments change nothing.
        QVERIFY(
            !CBaseDialogWithBottom::ReConnect(nullptr, SIGNAL(clicked()), &dialog, SLOT(reject())));
        QVERIFY(
            !CBaseDialogWithBottom::ReConnect(cancel, SIGNAL(clicked()), nullptr, SLOT(reject())));
        QVERIFY(!CBaseDialogWithBottom::ReConnect(cancel, nullptr, &dialog, SLOT(reject())));
        cancel->click();
        QCOMPARE(accepted.count(), 2);
        QCOMPARE(rejected.count(), 0);
    }

    void setContentWnd()
    {
        CBaseDialog dialog;
        QWidget* area = dialog.GetSetUpUiWidget();
        QTest::ignoreMessage(QtWarningMsg,
                             "CBaseDialog::SetContentWnd: Attempt to insert null QWidget");
        dialog.SetContentWnd(nullptr);
        QVERIFY(!area->layout());
        QVERIFY(area->findChildren<QWidget*>().isEmpty());

        auto* first = new QWidget;
        dialog.SetContentWnd(first);
        ShowAt(dialog, QPoint(100, 100));
        QCOMPARE(first->parentWidget(), area);
        QCOMPARE(area->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(first->geometry(), area->rect());

        auto* second = new QWidget;
        dialog.SetContentWnd(second);
        QVERIFY(first->isHidden());
        QTRY_VERIFY(second->isVisible());
        QTRY_COMPARE(second->geometry(), area->rect());

        // A widget holding the content area cannot go inside it.
        dialog.SetContentWnd(&dialog);
        dialog.SetContentWnd(dialog.GetTitleWidget()->parentWidget());
        QCOMPARE(second->parentWidget(), area);
        QVERIFY(second->isVisible());
    }

    void sizeButtonFollowsState_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("maximise") << 0 << false;
        QTest::newRow("full screen") << 1 << true;
    }
    void sizeButtonFollowsState()
    {
        QFETCH(int, mode);
        QFETCH(bool, fullScreen);
        CWidgetMaximizeManager::Instance().SetWidgetMaximizeMode(mode);

        CBaseDialog dialog;
        dialog.setStyleSheet(QStringLiteral(
            "QPushButton#m_pFullSizeBtn { background-color: rgb(0, 0, 255); border: none; }"
            "QPushButton#m_pNormalSizeBtn { background-color: rgb(255, 0, 0); border: none; }"));
        dialog.SetSizeBtnVisible(true);
        ShowAt(dialog, QPoint(100, 100));
        const QRect normal = dialog.geometry();
        CPushButton* button = dialog.GetSizeBtn();
        QCOMPARE(button->objectName(), QStringLiteral("m_pFullSizeBtn"));
        QCOMPARE(button->toolTip(), QStringLiteral("Maximize"));
        QVERIFY(Near(CentreColour(button), Qt::blue));

        // The size button acts through the title bar's double click, which starts disabled.
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!dialog.IsMaximize());
        QCOMPARE(dialog.geometry(), normal);

        dialog.SetTitleDoubleClickEnable(true);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(dialog.IsMaximize());
        const QRect expected =
            fullScreen ? QGuiApplication::primaryScreen()->geometry() : Available();
        QCOMPARE(dialog.geometry(), expected);
        QCOMPARE(button->objectName(), QStringLiteral("m_pNormalSizeBtn"));
        QCOMPARE(button->toolTip(), QStringLiteral("Restore Down"));
        QVERIFY(Near(CentreColour(button), Qt::red));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!dialog.IsMaximize());
        QCOMPARE(dialog.geometry(), normal);
        QCOMPARE(button->objectName(), QStringLiteral("m_pFullSizeBtn"));
        QCOMPARE(button->toolTip(), QStringLiteral("Maximize"));
        QVERIFY(Near(CentreColour(button), Qt::blue));
    }

    void maximizeFollowsMaximizeMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<uint>("state");
        QTest::newRow("mode 0 maximises") << 0 << 1u;
        QTest::newRow("mode 1 covers the screen") << 1 << 2u;
        QTest::newRow("other modes maximise") << 7 << 1u;
    }
    void maximizeFollowsMaximizeMode()
    {
        QFETCH(int, mode);
        QFETCH(uint, state);
        CWidgetMaximizeManager::Instance().SetWidgetMaximizeMode(mode);
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        QVERIFY(!dialog.IsMaximize());
        dialog.Maximize();
        QVERIFY(dialog.IsMaximize());
        QCOMPARE(dialog.property("_scc_WidgetSizeFactory_").toUInt(), state);
        QCOMPARE(dialog.GetSizeBtn()->objectName(), QStringLiteral("m_pNormalSizeBtn"));
    }

    void doubleClickOnTitle()
    {
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        const QRect normal = dialog.geometry();
        QSignalSpy changed(dialog.GetTitleWidget(), &CFancyTitle::SignalWndSizeStatusChanged);

        QTest::mouseDClick(dialog.GetTitleWidget(), Qt::LeftButton, {}, QPoint(50, 10));
        QVERIFY(!dialog.IsMaximize());
        QCOMPARE(dialog.geometry(), normal);
        QCOMPARE(changed.count(), 0);

        dialog.SetTitleDoubleClickEnable(true);
        QTest::mouseDClick(dialog.GetTitleWidget(), Qt::RightButton, {}, QPoint(50, 10));
        QVERIFY(!dialog.IsMaximize());

        QTest::mouseDClick(dialog.GetTitleWidget(), Qt::LeftButton, {}, QPoint(50, 10));
        QVERIFY(dialog.IsMaximize());
        QCOMPARE(dialog.geometry(), Available());
        QVERIFY(changed.count() >= 1);

        QTest::mouseDClick(dialog.GetTitleWidget(), Qt::LeftButton, {}, QPoint(50, 10));
        QVERIFY(!dialog.IsMaximize());
        QCOMPARE(dialog.geometry(), normal);
    }

    void doubleClickTraces()
    {
        QStringList lines;
        Plinth::Base::SetLogSink([&lines](int level, const char* category, const QString& line) {
            if (level == 5 && qstrcmp(category, "ClientWarningAndMore") == 0
                && line.contains(QLatin1String("CFancyTitle")))
                lines << line;
        });
        CBaseDialog dialog;
        dialog.SetTitleDoubleClickEnable(true);
        ShowAt(dialog, QPoint(100, 100));

        PressTitle(dialog, QPoint(50, 10));
        ReleaseTitle(dialog, dialog.GetTitleWidget()->mapToGlobal(QPoint(50, 10)));
        QCOMPARE(lines.size(), 2);
        for (const QString& line : qAsConst(lines)) {
            QVERIFY2(
                line.startsWith(QLatin1String("[TesselGUIToolkit::CFancyTitle::mousePressEvent]")),
                qPrintable(line));
            QVERIFY2(line.contains(QRegularExpression(
                         QStringLiteral("\\[Widgets\\\\FancyTitle\\.cpp\\(\\d+\\)\\]$"))),
                     qPrintable(line));
        }

        lines.clear();
        dialog.GetTitleWidget()->OnImitateDoubleClick();
        dialog.GetTitleWidget()->OnImitateDoubleClick();
        QStringList steps;
        for (const QString& line : qAsConst(lines)) {
            const QRegularExpressionMatch match =
                QRegularExpression(
                    QStringLiteral("^\\[TesselGUIToolkit::CFancyTitle::OnImitateDoubleClick\\]"
                                   "CFancyTitle::OnImitateDoubleClick(\\d)"
                                   "\\[Widgets\\\\FancyTitle\\.cpp\\(\\d+\\)\\]$"))
                    .match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            steps << match.captured(1);
        }
        // Maximising passes steps 1, 2, 3, 5; restoring 1, 4, 5.
        QCOMPARE(steps.join(QLatin1Char(' ')), QStringLiteral("1 2 3 5 1 4 5"));
    }

    void dragMovesWindow()
    {
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        CFancyTitle* title = dialog.GetTitleWidget();
        const QPoint start = title->mapToGlobal(QPoint(50, 10));

        PressTitle(dialog, QPoint(50, 10));
        QCOMPARE(title->GetPressOffset(), QPoint(50, 10));
        MoveTitle(dialog, start + QPoint(30, 20));
        QCOMPARE(dialog.pos(), QPoint(130, 120));
        ReleaseTitle(dialog, start + QPoint(30, 20));
        QCOMPARE(title->GetPressOffset(), QPoint(-1, -1));

        // Once released, moving over the title does not drag.
        MoveTitle(dialog, start + QPoint(90, 90));
        QCOMPARE(dialog.pos(), QPoint(130, 120));

        // A right press starts no drag.
        SendMouse(title, QEvent::MouseButtonPress, QPoint(50, 10), dialog.pos() + QPoint(50, 10),
                  Qt::RightButton);
        MoveTitle(dialog, QPoint(400, 400));
        QCOMPARE(dialog.pos(), QPoint(130, 120));

        // Nor does a press while moving is switched off.
        title->SetOpenWidgetMoveEnable(false);
        PressTitle(dialog, QPoint(50, 10));
        MoveTitle(dialog, QPoint(400, 400));
        QCOMPARE(dialog.pos(), QPoint(130, 120));
    }

    void disablingMoveEndsTheDrag()
    {
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        CFancyTitle* title = dialog.GetTitleWidget();
        PressTitle(dialog, QPoint(50, 10));
        title->SetOpenWidgetMoveEnable(false);
        QCOMPARE(title->GetPressOffset(), QPoint(-1, -1));
        MoveTitle(dialog, QPoint(400, 400));
        QCOMPARE(dialog.pos(), QPoint(100, 100));
    }

    void dragRestoresMaximisedWindow_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double click enabled") << true;
        QTest::newRow("double click disabled") << false;
    }
    void dragRestoresMaximisedWindow()
    {
        QFETCH(bool, doubleClick);
        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        const QRect normal = dialog.geometry();
        dialog.Maximize();
        QCOMPARE(dialog.geometry(), Available());
        dialog.SetTitleDoubleClickEnable(doubleClick);

        PressTitle(dialog, QPoint(50, 10));
        MoveTitle(dialog, dialog.GetTitleWidget()->mapToGlobal(QPoint(80, 30)));
        ReleaseTitle(dialog, dialog.GetTitleWidget()->mapToGlobal(QPoint(80, 30)));
        QCOMPARE(dialog.IsMaximize(), !doubleClick);
        QCOMPARE(dialog.geometry(), doubleClick ? normal : Available());
    }

    void rubberMoveLandsOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QPoint>("landing"); // where the cursor may end up
        const QRect available = Available();
        QTest::newRow("on the screen") << QPoint(300, 200) << QPoint(300, 200);
        QTest::newRow("beyond bottom right") << QPoint(5000, 4000) << available.bottomRight();
        QTest::newRow("beyond top left") << QPoint(-3000, -2000) << available.topLeft();
        QTest::newRow("beyond the right edge")
            << QPoint(available.right() + 900, 250) << QPoint(available.right(), 250);
    }
    void rubberMoveLandsOnTheScreen()
    {
        QFETCH(QPoint, release);
        QFETCH(QPoint, landing);
        CBaseDialog dialog;
        CFancyTitle* title = dialog.GetTitleWidget();
        title->SetApplyRubberMove(true);
        QVERIFY(title->IsRubberMoveApplied());
        ShowAt(dialog, QPoint(100, 100));
        CMoveRubberBand* band = title->GetRubberBand();
        QVERIFY(band);
        QVERIFY(band->isWindow());
        QVERIFY(band->testAttribute(Qt::WA_TranslucentBackground));

        PressTitle(dialog, QPoint(50, 10));
        QCOMPARE(band->size(), dialog.size());
        MoveTitle(dialog, release);
        // Only the outline follows the mouse.
        QCOMPARE(dialog.pos(), QPoint(100, 100));
        QVERIFY(band->isVisible());
        QCOMPARE(band->pos(), release - QPoint(50, 10));

        ReleaseTitle(dialog, release);
        QVERIFY(!band->isVisible());
        QCOMPARE(dialog.pos(), landing - QPoint(50, 10));
        QVERIFY(Available().contains(dialog.pos() + QPoint(50, 10)));
    }

    void rubberBandFollowsMaximising()
    {
        CBaseDialog dialog;
        dialog.SetTitleDoubleClickEnable(true);
        dialog.GetTitleWidget()->SetApplyRubberMove(true);
        ShowAt(dialog, QPoint(100, 100));
        dialog.GetTitleWidget()->OnImitateDoubleClick();
        QCOMPARE(dialog.GetTitleWidget()->GetRubberBand()->size(), Available().size());
        dialog.GetTitleWidget()->SetApplyRubberMove(false);
        dialog.GetTitleWidget()->OnImitateDoubleClick();
        // Without rubber move the window follows the mouse itself.
        PressTitle(dialog, QPoint(50, 10));
        MoveTitle(dialog, QPoint(250, 210));
        QCOMPARE(dialog.pos(), QPoint(200, 200));
        QVERIFY(!dialog.GetTitleWidget()->GetRubberBand()->isVisible());
    }

    void screenClickStretchesOnlyToolkitWidgets()
    {
        CWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
        auto* title = new CFancyTitle(&window);
        title->setGeometry(0, 0, 200, 34);
        window.setGeometry(100, 100, 200, 100);
        ShowAt(window, QPoint(100, 100));
        title->OnScreenClick();
        QCOMPARE(window.geometry(), QGuiApplication::primaryScreen()->geometry());

        CBaseDialog dialog;
        ShowAt(dialog, QPoint(100, 100));
        const QRect before = dialog.geometry();
        dialog.GetTitleWidget()->OnScreenClick();
        QCOMPARE(dialog.geometry(), before);
    }

    void titleResizeIsReported()
    {
        CFancyTitle title;
        title.resize(100, 34);
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QSignalSpy changed(&title, &CFancyTitle::SignalWndSizeStatusChanged);
        title.resize(160, 34);
        QTRY_COMPARE(changed.count(), 1);
    }

    void rubberBandDrawsTranslucentFrame_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("painted");
        // A 40 x 30 band: the 4-pixel stroke runs along x 0-3 and 35-38, y 0-3 and 25-28.
        QTest::newRow("left edge") << QPoint(1, 15) << true;
        QTest::newRow("right edge") << QPoint(37, 15) << true;
        QTest::newRow("top edge") << QPoint(20, 1) << true;
        QTest::newRow("bottom edge") << QPoint(20, 27) << true;
        QTest::newRow("inside") << QPoint(20, 15) << false;
        QTest::newRow("last column") << QPoint(39, 15) << false;
        QTest::newRow("last row") << QPoint(20, 29) << false;
        QTest::newRow("bevelled corner") << QPoint(0, 0) << false;
    }
    void rubberBandDrawsTranslucentFrame()
    {
        QFETCH(QPoint, pixel);
        QFETCH(bool, painted);
        QWidget host;
        host.resize(100, 100);
        CMoveRubberBand band(QRubberBand::Rectangle, &host);
        band.resize(40, 30);
        QImage image(band.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        band.render(&image);
        const QColor colour = image.pixelColor(pixel);
        if (painted)
            QVERIFY2(Near(colour, QColor(102, 102, 102, 128)),
                     qPrintable(colour.name(QColor::HexArgb)));
        else
            QCOMPARE(colour.alpha(), 0);
    }

    void titleWidgetStrip()
    {
        CTitleWidget strip;
        strip.SetTitle(QStringLiteral("Channels"));
        QCOMPARE(strip.GetTitle(), QStringLiteral("Channels"));
        auto* label = strip.findChild<QLabel*>(QStringLiteral("ptr_title_label_"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Channels"));
        auto* icon = strip.findChild<QLabel*>(QStringLiteral("ptr_title_icon_label_"));
        QVERIFY(icon);
        QVERIFY(icon->isHidden());
        QPixmap picture(12, 12);
        picture.fill(Qt::green);
        strip.SetTitleIcon(picture);
        QVERIFY(!icon->isHidden());
        strip.SetTitleIcon(QPixmap());
        QVERIFY(icon->isHidden());

        auto* button = new QPushButton(QStringLiteral("go"));
        strip.AddWidget(button);
        strip.AddWidget(nullptr);
        auto* extra = new QHBoxLayout;
        auto* tail = new QLabel(QStringLiteral("tail"));
        extra->addWidget(tail);
        strip.AddLayout(extra);
        strip.AddLayout(nullptr);
        strip.AddLayout(strip.layout()); // already placed: ignored
        strip.resize(300, 30);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QVERIFY(label->geometry().right() < button->x());
        QVERIFY(button->geometry().right() < tail->x());
        // The added parts are pushed to the far end.
        QVERIFY(tail->geometry().right() > 250);

        strip.SetLayoutSpacing(3);
        QCOMPARE(strip.layout()->spacing(), 3);
        strip.SetLayoutContentsMargins(1, 2, 3, 4);
        QCOMPARE(strip.layout()->contentsMargins(), QMargins(1, 2, 3, 4));
    }

    void titleWidgetMirrorsMargins()
    {
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        CTitleWidget strip;
        QCOMPARE(strip.layoutDirection(), Qt::RightToLeft);
        strip.SetLayoutContentsMargins(1, 2, 3, 4);
        QCOMPARE(strip.layout()->contentsMargins(), QMargins(3, 2, 1, 4));
    }

    void titleWidgetPaintsPicture_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("outside");
        QTest::newRow("default: left, centred") << 0 << false << QPoint(5, 15) << QPoint(95, 15);
        QTest::newRow("right bottom")
            << int(Qt::AlignRight | Qt::AlignBottom) << false << QPoint(95, 25) << QPoint(95, 5);
        QTest::newRow("left is right when mirrored")
            << int(Qt::AlignLeft | Qt::AlignTop) << true << QPoint(95, 5) << QPoint(5, 5);
    }
    void titleWidgetPaintsPicture()
    {
        QFETCH(int, alignment);
        QFETCH(bool, rightToLeft);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, outside);
        if (rightToLeft)
            ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        CTitleWidget strip;
        strip.resize(100, 30);
        QPixmap picture(10, 10);
        picture.fill(Qt::red);
        strip.SetTitlePixmap(picture);
        if (alignment)
            strip.SetTitlePixmapAlignment(Qt::Alignment(alignment));
        QImage image(strip.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        strip.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(image.pixelColor(inside), QColor(Qt::red));
        QCOMPARE(image.pixelColor(outside), QColor(Qt::white));

        strip.SetTitlePixmap(QPixmap());
        image.fill(Qt::white);
        strip.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(image.pixelColor(inside), QColor(Qt::white));
    }
};

QTEST_MAIN(tst_BaseDialog)
#include "tst_basedialog.moc"
