#pragma once

#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "nimbguitoolkit_export.h"

#include <QColor>
#include <QFrame>
#include <QMargins>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QString>

class QDropEvent;

namespace TesselGUIToolkit {

/// Base of the video windows that the window-layout managers arrange. It carries the window's
/// layout element (position, row, column, row span, column span; all -1 while not placed), its
/// tile number, its selection state and border, and turns mouse and drag events into signals
/// the managers listen to.
class NIMBGUITOOLKIT_EXPORT CGUIBaseWidget : public QFrame
{
    Q_OBJECT
public:
    /// `allowDragDrop` also widens the border insets to 2 (else 1) and the selected border to
    /// 2 pixels.
    explicit CGUIBaseWidget(QWidget* parent = nullptr, bool allowDragDrop = true,
                            bool selectable = true);
    ~CGUIBaseWidget() override;

    QString GetName() const { return m_strName; }
    void SetName(const QString& name) { m_strName = name; }

    /// Display index of the window in its layout, -1 while not placed.
    int GetPosition() const { return m_nPosition; }
    /// Stores the position and emits SignalPositionChanged(new, old) when it changed.
    void NotifyPositionChangedPrivate(int position);
    /// The window's cell rectangle in the layout grid.
    void SetLayoutPos(int row, int column, int rowSpan, int columnSpan);
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    int GetRowSpan() const { return m_nRowSpan; }
    int GetColumnSpan() const { return m_nColumnSpan; }
    /// Puts position, row, column and spans back to -1 (not placed) without signals.
    void ResetLayoutElement();
    /// Scale of the window relative to one layout unit (1 = one unit); kept for the layout
    /// managers, which read and write it.
    int GetLayoutScale() const { return m_nLayoutScale; }
    void SetLayoutScale(int scale) { m_nLayoutScale = scale; }

    /// The 1-based number shown on the window, -1 when none; emits
    /// SignalTileNumberChanged(new, old) when it changed.
    void SetTileNumber(int number);
    int GetTileNumber() const { return m_nTileNumber; }

    void SetSelected(bool selected);
    bool IsSelected() const { return m_bSelected; }
    void SetSelectable(bool selectable);
    bool IsSelectable() const { return m_bSelectable; }
    void SetMaskable(bool maskable) { m_bMaskable = maskable; }
    bool IsMaskable() const { return m_bMaskable; }
    void SetWndOnWall(bool onWall) { m_bOnWall = onWall; }
    bool IsWndOnWall() const { return m_bOnWall; }
    void SetIsTrackWnd(bool track) { m_bTrackWnd = track; }
    bool IsTrackWnd() const { return m_bTrackWnd; }

    /// Border colours; an invalid colour (the initial value) draws no border.
    QColor GetSelectedBorderColor() const { return m_colorSelectedBorder; }
    void SetSelectedBorderColor(const QColor& color);
    QColor GetUnSelectedBorderColor() const { return m_colorUnSelectedBorder; }
    void SetUnSelectedBorderColor(const QColor& color);
    /// Distance in pixels of each border line from its edge.
    void SetBorderInsets(const QMargins& insets);
    QMargins GetBorderInsets() const;

    /// The window's geometry animator, created on first use as a child of the window. A
    /// non-null `director` becomes the one the animator obeys.
    CGeometryAnimator* GetAnimator(CBaseItemAnimDirector* director);
    void SetAnimLayoutItem(CAnimLayoutItem* item);
    QPointer<CAnimLayoutItem> GetAnimLayoutItem() const;

    /// Calls ClosePlayWnd() and, when `remove` is true, emits SignalRemoveWidget().
    void OnClosePlayWnd(bool remove);

    virtual bool AllowDragDrop() const { return m_bAllowDragDrop; }
    virtual void SetAllowDragDropEnabled(bool enabled) { m_bAllowDragDrop = enabled; }
    /// The kind of window: 0 play window, 1 map, 2 second kind of play window; subclasses
    /// such as the idle and silence windows answer their own kind.
    virtual int WidgetTypes() const { return 0; }
    /// Draws the four border lines inside the border insets; see paintEvent().
    virtual void PaintBorder(bool selected);
    /// Hook for subclasses to stop what they show; the base does nothing.
    virtual void ClosePlayWnd() { }
    /// A picture of what the window shows; null in the base.
    virtual QPixmap GetSnapshot() { return QPixmap(); }

Q_SIGNALS:
    void SignalPositionChanged(int newPosition, int oldPosition);
    void SignalTileNumberChanged(int newNumber, int oldNumber);
    void SignalRemoveWidget();
    void SignalDropEventPrivate(QDropEvent* event, QPoint positionInParent);
    void SignalDragEnterPrivate();
    void SignalDragLeavePrivate();
    void SignalDragMovePrivate();
    void SignalMousePressed();
    void SignalWndSelected();
    void SignalWndResize();

public Q_SLOTS:
    /// Emits SignalWndSelected() for a selectable window that is not on the video wall.
    virtual void OnMousePressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString m_strName;
    int m_nPosition = -1;
    int m_nRow = -1;
    int m_nColumn = -1;
    int m_nRowSpan = -1;
    int m_nColumnSpan = -1;
    int m_nLayoutScale = 1;
    QPointer<CGeometryAnimator> m_pAnimator;
    QPointer<CAnimLayoutItem> m_pAnimLayoutItem;
    int m_nTileNumber = -1;
    bool m_bAllowDragDrop = true;
    bool m_bMaskable = true;
    bool m_bSelectable = true;
    bool m_bSelected = false;
    bool m_bOnWall = false;
    bool m_bTrackWnd = false;
    QColor m_colorSelectedBorder;
    QColor m_colorUnSelectedBorder;
    int m_nBorderLeft = 1;
    int m_nBorderTop = 1;
    int m_nBorderRight = 1;
    int m_nBorderBottom = 1;
};

} // namespace TesselGUIToolkit
