#pragma once

#include "Widgets/WidgetSizeFactory.h"
#include "nimbguitoolkit_export.h"

#include <QFrame>
#include <QPoint>
#include <QPointer>

namespace TesselGUIToolkit {
class CMoveRubberBand;

/// Title bar of a frameless window: dragging it moves the window, a double click maximises the
/// window or restores it (once enabled), and every change of its size is reported so that the
/// window can update its maximise button.
class NIMBGUITOOLKIT_EXPORT CFancyTitle : public QFrame, public CWidgetSizeFactory
{
    Q_OBJECT
public:
    explicit CFancyTitle(QWidget* parent = nullptr);
    ~CFancyTitle() override;

    /// False also ends a drag that is under way.
    void SetOpenWidgetMoveEnable(bool enable);
    bool IsWidgetMoveEnabled() const { return m_bMoveEnable; }
    void SetOpenDoubleClickEnable(bool enable);
    bool IsDoubleClickEnabled() const { return m_bDoubleClickEnable; }
    /// With rubber move the window stays put while dragged; an outline follows the mouse and
    /// the window jumps there on release.
    void SetApplyRubberMove(bool apply);
    bool IsRubberMoveApplied() const { return m_bRubberMove; }

    /// Cursor position inside the window when the drag began; (-1, -1) while no drag runs.
    QPoint GetPressOffset() const { return m_pointPress; }
    /// The outline of a rubber move; null until rubber move is first applied.
    CMoveRubberBand* GetRubberBand() const;

Q_SIGNALS:
    void SignalWndSizeStatusChanged();

public Q_SLOTS:
    /// Maximises (or shows full screen, as CWidgetMaximizeManager says) or restores the window;
    /// nothing unless double click is enabled.
    void OnImitateDoubleClick();
    /// Stretches a CWidget window over every screen it touches; other windows are left alone.
    void OnScreenClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool IsDragging() const { return m_pointPress != NoDrag(); }
    static QPoint NoDrag() { return QPoint(-1, -1); }
    void FitRubberBand(const QWidget* window);

    QPoint m_pointPress{-1, -1};
    bool m_bMoveEnable = true;
    bool m_bDoubleClickEnable = false;
    bool m_bRubberMove = false;
    QPointer<CMoveRubberBand> m_pRubberBand;
};

} // namespace TesselGUIToolkit
