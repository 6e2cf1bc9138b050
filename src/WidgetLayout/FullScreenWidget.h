#pragma once

#include "Widgets/Widget.h"
#include "Widgets/WidgetSizeFactory.h"
#include "nimbguitoolkit_export.h"

#include <QList>
#include <QPointer>
#include <QRect>

#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace TesselGUIToolkit {

/// The short-lived notice "Press ESC to exit Full Screen Keyboard." shown on entering full
/// screen. Its timer hides it 3000 ms after StartTimer(); while the cursor rests on it the timer
/// stops, and leaving it starts the 3000 ms again. Its button ("pushButton") hides it at once.
class NIMBGUITOOLKIT_EXPORT CFullScreenHint : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHideDelay = 3000;
    static constexpr int kHeight = 48;
    /// Left margin, gap between text and button, right margin: the hint's width is the button's
    /// width plus this plus the width of the text.
    static constexpr int kHorizontalPadding = 49;

    explicit CFullScreenHint(QWidget* parent = nullptr);
    ~CFullScreenHint() override;

    /// Shows the hint and clears the hidden flag; the timer is started separately.
    void Show();
    /// Hides the hint, sets the hidden flag and stops the timer.
    void Hide();
    void StartTimer();
    /// True after construction and after Hide() (also when the timer hid it).
    bool IsHide() const { return m_bHide; }
    /// The width that fits the button and the text in the label's font.
    int PreferredWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    void enterEvent(QEnterEvent* event) override;
#else
    void enterEvent(QEvent* event) override;
#endif
    void leaveEvent(QEvent* event) override;

private:
    QLabel* m_pLabel = nullptr;
    QPushButton* m_pButton = nullptr;
    QTimer* m_pTimer = nullptr;
    bool m_bHide = true;
};

/// A widget that can take a whole screen and give it back. Full screen turns it from a child
/// of its window into a frameless top-level window over the screen of that window, and hides
/// that window meanwhile; leaving full screen puts it back where it was. The state is also kept
/// in the dynamic property "_scc_WidgetSizeFactory_" (2 while full screen).
///
/// Escape without modifiers leaves full screen. Without the play-control flag it is caught
/// before any child sees it, and only while full screen; with the flag the key handler catches
/// it (so a focused child may take it first) and also when not full screen.
class NIMBGUITOOLKIT_EXPORT CFullScreenWidget : public CWidget, public CWidgetSizeFactory
{
    Q_OBJECT
public:
    static constexpr int kHintTopOffset = 19;

    explicit CFullScreenWidget(QWidget* parent = nullptr);
    ~CFullScreenWidget() override;

    void SetFullScreen(bool fullScreen);
    void EnterFullScreen() { SetFullScreen(true); }
    void ExitFullScreen() { SetFullScreen(false); }
    bool IsFullScreen() const;

    /// Whether OnChangeScreen() shows the hint after entering full screen (off by default).
    void SetEnableFullScreenHint(bool enable) { m_bEnableHint = enable; }
    bool IsFullScreenHintEnabled() const { return m_bEnableHint; }
    void SetPlayControlFlag(bool flag) { m_bPlayControl = flag; }
    bool GetPlayControlFlag() const { return m_bPlayControl; }

    /// Creates the hint once, centres it horizontally 19 pixels below this widget's top edge,
    /// shows it and starts its timer.
    void ShowFullScreenHint();
    /// The hint, null until it was first shown.
    CFullScreenHint* GetFullScreenHint() const { return m_pHint.get(); }

    /// Every living instance, in creation order unless reordered by MoveToHead()/MoveToTail().
    static QList<CFullScreenWidget*> AllFullScreens();
    void MoveToHead();
    void MoveToTail();

Q_SIGNALS:
    void SignalScreenChanged();
    /// Declared for clients that ask a full-screen owner to leave; this widget never emits it.
    void SignalExitSreenFull();
    /// Emitted on entering full screen with the width of the screen now covered.
    void SignalEnterSreenFull(int screen_width);
    void SignalExitFullScreen();
    void RestoreLayout();

public Q_SLOTS:
    /// Toggles full screen; after entering it, shows the hint when enabled.
    void OnChangeScreen();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool IsPlainEscape(const QEvent* event) const;

    bool m_bEnableHint = false;
    bool m_bPlayControl = false;
    std::shared_ptr<CFullScreenHint> m_pHint;
    QPointer<QWidget> m_pHiddenWindow;
    QRect m_rectNormal;
    Qt::WindowFlags m_flagsNormal;
};

} // namespace TesselGUIToolkit
