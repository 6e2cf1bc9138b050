#include "Widgets/GUIBaseWidget.h"

#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "Widgets/GUIBaseWidgetGeometry_p.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace TesselGUIToolkit {

CGUIBaseWidget::CGUIBaseWidget(QWidget* parent, bool allowDragDrop, bool selectable)
    : QFrame(parent)
    , m_bAllowDragDrop(allowDragDrop)
    , m_bSelectable(selectable)
{
    const int inset = allowDragDrop ? 2 : 1;
    m_nBorderLeft = m_nBorderTop = m_nBorderRight = m_nBorderBottom = inset;
    setMouseTracking(true);
    setAcceptDrops(true);
    connect(this, &CGUIBaseWidget::SignalMousePressed, this, &CGUIBaseWidget::OnMousePressed);
}

CGUIBaseWidget::~CGUIBaseWidget() = default;

void CGUIBaseWidget::NotifyPositionChangedPrivate(int position)
{
    const int old = m_nPosition;
    m_nPosition = position;
    if (old != position)
        Q_EMIT SignalPositionChanged(position, old);
}

void CGUIBaseWidget::SetLayoutPos(int row, int column, int rowSpan, int columnSpan)
{
    m_nRow = row;
    m_nColumn = column;
    m_nRowSpan = rowSpan;
    m_nColumnSpan = columnSpan;
}

void CGUIBaseWidget::ResetLayoutElement()
{
    m_nPosition = -1;
    SetLayoutPos(-1, -1, -1, -1);
}

void CGUIBaseWidget::SetTileNumber(int number)
{
    const int old = m_nTileNumber;
    m_nTileNumber = number;
    if (old != number)
        Q_EMIT SignalTileNumberChanged(number, old);
}

void CGUIBaseWidget::SetSelected(bool selected)
{
    m_bSelected = selected;
    update();
}

void CGUIBaseWidget::SetSelectable(bool selectable)
{
    m_bSelectable = selectable;
    update();
}

void CGUIBaseWidget::SetSelectedBorderColor(const QColor& color)
{
    m_colorSelectedBorder = color;
}

void CGUIBaseWidget::SetUnSelectedBorderColor(const QColor& color)
{
    m_colorUnSelectedBorder = color;
}

void CGUIBaseWidget::SetBorderInsets(const QMargins& insets)
{
    m_nBorderLeft = insets.left();
    m_nBorderTop = insets.top();
    m_nBorderRight = insets.right();
    m_nBorderBottom = insets.bottom();
}

QMargins CGUIBaseWidget::GetBorderInsets() const
{
    return QMargins(m_nBorderLeft, m_nBorderTop, m_nBorderRight, m_nBorderBottom);
}

CGeometryAnimator* CGUIBaseWidget::GetAnimator(CBaseItemAnimDirector* director)
{
    if (!m_pAnimator)
        m_pAnimator = new CGeometryAnimator(this, director, this);
    else if (director)
        m_pAnimator->SetDirector(director);
    return m_pAnimator;
}

void CGUIBaseWidget::SetAnimLayoutItem(CAnimLayoutItem* item)
{
    m_pAnimLayoutItem = item;
}

QPointer<CAnimLayoutItem> CGUIBaseWidget::GetAnimLayoutItem() const
{
    return m_pAnimLayoutItem;
}

void CGUIBaseWidget::OnClosePlayWnd(bool remove)
{
    ClosePlayWnd();
    if (remove)
        Q_EMIT SignalRemoveWidget();
}

void CGUIBaseWidget::OnMousePressed()
{
    if (m_bSelectable && !m_bOnWall)
        Q_EMIT SignalWndSelected();
}

void CGUIBaseWidget::PaintBorder(bool selected)
{
    const QColor color = selected ? m_colorSelectedBorder : m_colorUnSelectedBorder;
    if (!color.isValid())
        return;
    int penWidth = (selected && m_bAllowDragDrop) ? 2 : 1;
    if (penWidth == 1 && devicePixelRatioF() > 1.0)
        penWidth = 2; // a single device pixel would all but vanish on a high-density screen

    // Each line's stroke lies wholly inside the inset rectangle: its centre sits half a pen
    // width in from the inset edge, so that the inset alone decides where the border starts.
    const QRectF inner =
        QRectF(rect()).adjusted(m_nBorderLeft, m_nBorderTop, -m_nBorderRight, -m_nBorderBottom);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    const qreal half = penWidth / 2.0;
    const qreal left = inner.left() + half;
    const qreal right = inner.right() - half;
    const qreal top = inner.top() + half;
    const qreal bottom = inner.bottom() - half;

    QPainter painter(this);
    // With pixel-aligned geometry antialiasing gives crisp edges and, unlike aliased strokes,
    // no half-pixel rounding that would shift a line by one pixel.
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    const QLineF lines[] = {
        QLineF(left, top, right, top),
        QLineF(right, top, right, bottom),
        QLineF(right, bottom, left, bottom),
        QLineF(left, bottom, left, top),
    };
    painter.drawLines(lines, 4);
}

void CGUIBaseWidget::paintEvent(QPaintEvent* event)
{
    if (m_bSelectable)
        PaintBorder(m_bSelected);
    else if (m_bTrackWnd)
        PaintBorder(false);
    QFrame::paintEvent(event);
}

void CGUIBaseWidget::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT SignalMousePressed();
    QFrame::mousePressEvent(event);
}

void CGUIBaseWidget::mouseReleaseEvent(QMouseEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QFrame::mouseReleaseEvent(event);
}

void CGUIBaseWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (AllowDragDrop()) {
        const Qt::CursorShape shape = Detail::GUIBaseWidgetEdgeCursor(size(), event->pos());
        if (cursor().shape() != shape)
            setCursor(shape);
    }
    QFrame::mouseMoveEvent(event);
}

void CGUIBaseWidget::leaveEvent(QEvent* event)
{
    setCursor(Qt::ArrowCursor);
    QFrame::leaveEvent(event);
}

void CGUIBaseWidget::resizeEvent(QResizeEvent* event)
{
    Q_EMIT SignalWndResize();
    QFrame::resizeEvent(event);
}

void CGUIBaseWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->dropAction() != Qt::IgnoreAction) {
        event->acceptProposedAction();
        Q_EMIT SignalDragEnterPrivate();
    } else {
        event->ignore();
    }
    QFrame::dragEnterEvent(event);
}

void CGUIBaseWidget::dragMoveEvent(QDragMoveEvent* event)
{
    Q_EMIT SignalDragMovePrivate();
    QFrame::dragMoveEvent(event);
}

void CGUIBaseWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    Q_EMIT SignalDragLeavePrivate();
    QFrame::dragLeaveEvent(event);
}

void CGUIBaseWidget::dropEvent(QDropEvent* event)
{
    Q_EMIT SignalDropEventPrivate(event, mapToParent(event->pos()));
    QFrame::dropEvent(event);
}

} // namespace TesselGUIToolkit
