// Mouse, drop and mask handling of the free layout; the layout model itself lives in
// AnimaWidgetLayoutMgr.cpp.
#include "WidgetLayout/AnimaWidgetLayoutMgr.h"

#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/AnimaWidgetLayoutMgr_p.h"
#include "WidgetLayout/InternalWidget.h"
#include "WidgetLayout/SilenceWidget.h"
#include "Widgets/GUIBaseWidget.h"

#include <QCursor>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace TesselGUIToolkit {

namespace {

    const QString kMaskPossible = QStringLiteral(
        "border-image: "
        "url(:/Kestrel/Public/PlayPublic/Images/Public/PlayPublic/monitoring_window_bg_blue.svg);"
        "border-width:30 30 30 30;");
    const QString kMaskImpossible = QStringLiteral(
        "border-image: "
        "url(:/Kestrel/Public/PlayPublic/Images/Public/PlayPublic/monitoring_window_bg_red.svg);"
        "border-width:30 30 30 30;");
    constexpr int kDragThreshold = 10;

    QLabel* CreateOverlayLabel(QWidget* host, const QString& name)
    {
        auto* label = new QLabel(host);
        label->setObjectName(name);
        label->setScaledContents(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setAcceptDrops(false);
        label->hide();
        return label;
    }

} // namespace

// --- helpers of the host -------------------------------------------------------------------

void CAnimaWidgetLayoutMgrPrivate::CreateHelpers()
{
    mask = CreateOverlayLabel(host, QStringLiteral("ptr_mask_widget_"));
    floating = CreateOverlayLabel(host, QStringLiteral("ptr_drag_label_"));
    auto* opacity = new QGraphicsOpacityEffect(floating);
    opacity->setOpacity(0.8);
    floating->setGraphicsEffect(opacity);
    maskState = -1;
    maskPictureKey = 0;

    for (int i = 0; i < 2; ++i) {
        auto* edge = new CInternalWidget(host);
        edge->setObjectName(QStringLiteral("ptr_edge_widget_%1_").arg(i));
        edge->hide();
        edgeZones.insert(i, edge);
        Register(edge);
        QObject::connect(edge, &CGUIBaseWidget::SignalDropEventPrivate, q,
                         &CAnimaWidgetLayoutMgr::OnEdgeWidgetDropEvent);
        QObject::connect(edge, &CGUIBaseWidget::SignalDragEnterPrivate, q,
                         &CAnimaWidgetLayoutMgr::OnEdgeWidgetDragEnterEvent);
        QObject::connect(edge, &CGUIBaseWidget::SignalDragMovePrivate, q,
                         &CAnimaWidgetLayoutMgr::OnEdgeWidgetDragMoveEvent);
        QObject::connect(edge, &CGUIBaseWidget::SignalDragLeavePrivate, q,
                         &CAnimaWidgetLayoutMgr::OnEdgeWidgetDragLeaveEvent);
    }
    for (int i = 0; i < Detail::kFreeGridMaxSpan * Detail::kFreeGridMaxSpan; ++i) {
        auto* idle = new CInternalWidget(host);
        idle->hide();
        idle->SetTileNumberVisible(tileNumbersShown);
        idlePool.insert(i, idle);
        Register(idle);
        QObject::connect(idle, &CGUIBaseWidget::SignalDropEventPrivate, q,
                         &CAnimaWidgetLayoutMgr::OnInternalWidgetDropEvent);
        QObject::connect(idle, &CGUIBaseWidget::SignalDragEnterPrivate, q,
                         &CAnimaWidgetLayoutMgr::OnInternalWidgetDragEnterEvent);
        QObject::connect(idle, &CGUIBaseWidget::SignalDragLeavePrivate, q,
                         &CAnimaWidgetLayoutMgr::OnInternalWidgetDragLeaveEvent);
        QObject::connect(idle, &CGUIBaseWidget::SignalDragMovePrivate, q,
                         [this]() { ShowDropMaskAtCursor(); });
    }
}

void CAnimaWidgetLayoutMgrPrivate::DestroyHelpers()
{
    EndGesture();
    delete mask.data();
    delete floating.data();
    QList<QWidget*> owned;
    for (CInternalWidget* edge : qAsConst(edgeZones)) {
        if (edge)
            owned.append(edge);
    }
    for (CGUIBaseWidget* w : qAsConst(idlePool))
        owned.append(w);
    for (CGUIBaseWidget* w : qAsConst(silenceMap))
        owned.append(w);
    for (QWidget* w : qAsConst(owned)) {
        registry.remove(w);
        delete w;
    }
    edgeZones.clear();
    idlePool.clear();
    silenceMap.clear();
    silenceList.clear();
    layoutList.clear();
    displayedList = playList;
}

QRect CAnimaWidgetLayoutMgrPrivate::GetUnitReleaseRectByPos(const QPoint& pos) const
{
    const QPoint cell = Frame().CellAt(pos);
    if (!QRect(0, 0, columns, rows).contains(cell))
        return QRect();
    return QRect(cell, QSize(1, 1));
}

bool CAnimaWidgetLayoutMgrPrivate::IsMapRect(const QRect& cells) const
{
    return mapMode && mapWidget && !cells.isNull() && CellsOf(mapWidget).contains(cells);
}

void CAnimaWidgetLayoutMgrPrivate::TakeOutOfLayout(CGUIBaseWidget* w)
{
    const QPointer<CAnimLayoutItem> item = w->GetAnimLayoutItem();
    if (!grid || !item)
        return;
    grid->removeItem(item);
    w->SetAnimLayoutItem(nullptr);
    delete item.data();
}

// --- mask ----------------------------------------------------------------------------------

void CAnimaWidgetLayoutMgrPrivate::ShowMaskOverPixels(const QRect& visual, bool possible)
{
    if (!mask)
        return;
    mask->setGeometry(visual);
    const int state = possible ? 1 : 0;
    if (state != maskState) { // a style sheet costs a re-polish: only when the verdict changes
        mask->setStyleSheet(possible ? kMaskPossible : kMaskImpossible);
        maskState = state;
    }
    mask->show();
    mask->raise();
}

void CAnimaWidgetLayoutMgrPrivate::AddMaskWidget(CGUIBaseWidget* w, const QRect& cells, int mode,
                                                 bool possible)
{
    if (!dragEnabled || !mask || !host || cells.isNull())
        return;
    ShowMaskOverPixels(ToVisual(CellPixels(cells)), possible);
    if (mode == CAnimaWidgetLayoutMgr::MaskMoveOrScale && w) {
        if (dragPicture.isNull())
            dragPicture = w->grab();
        if (maskPictureKey != dragPicture.cacheKey()) {
            QPixmap picture = dragPicture;
            if (translucence) {
                picture = QPixmap(dragPicture.size());
                picture.fill(Qt::transparent);
                QPainter painter(&picture);
                painter.setOpacity(0.5);
                painter.drawPixmap(0, 0, dragPicture);
            }
            mask->setPixmap(picture);
            maskPictureKey = dragPicture.cacheKey();
        }
        w->raise();
    } else if (maskPictureKey != 0) {
        mask->clear();
        maskPictureKey = 0;
    }
    if (floating && floating->isVisible())
        floating->raise();
}

void CAnimaWidgetLayoutMgrPrivate::ShowDropMaskAtCursor()
{
    if (host)
        HandleDragOver(host->mapFromGlobal(QCursor::pos()));
}

void CAnimaWidgetLayoutMgrPrivate::PaintLine()
{
    if (!host)
        return;
    const Detail::FreeGridFrame frame = Frame();
    if (!frame.IsValid())
        return;
    QPainter painter(host);
    painter.setPen(QColor(51, 51, 51));
    const QRect area = frame.area;
    // Lines run through the middle of the spacing between cells (taken from the laid-out cells,
    // which can differ by a pixel), so idle (transparent) cells read as a grid while the
    // windows cover the lines beside them.
    const QRect visualArea = ToVisual(area);
    for (int c = 1; c < columns; ++c) {
        const int x =
            (CellPixels(QRect(c - 1, 0, 1, 1)).right() + CellPixels(QRect(c, 0, 1, 1)).left()) / 2;
        const QRect line = ToVisual(QRect(x, area.top(), 1, area.height()));
        painter.drawLine(line.topLeft(), line.bottomLeft());
    }
    for (int r = 1; r < rows; ++r) {
        const int y =
            (CellPixels(QRect(0, r - 1, 1, 1)).bottom() + CellPixels(QRect(0, r, 1, 1)).top()) / 2;
        painter.drawLine(QPoint(visualArea.left(), y), QPoint(visualArea.right(), y));
    }
    painter.drawRect(visualArea.adjusted(-1, -1, 0, 0));
}

// --- mouse gesture -------------------------------------------------------------------------

void CAnimaWidgetLayoutMgrPrivate::EndGesture()
{
    if (floating)
        floating->hide();
    if (mask)
        mask->hide();
    pressed = nullptr;
    moving = false;
    scaling = false;
    floatingShown = false;
    gesturePressedEmitted = false;
    pressedArea = 0;
    releaseCells = QRect();
    dragPicture = QPixmap();
}

void CAnimaWidgetLayoutMgrPrivate::HandlePress(const QPoint& pos)
{
    if (!dragEnabled || !host)
        return;
    EndGesture();
    pressPoint = pos;
    s_bDragStarted = false;
    const QList<CGUIBaseWidget*> candidates = RealWindows();
    for (CGUIBaseWidget* w : candidates) {
        const QRect logical = ToVisual(w->geometry()); // mirroring is its own inverse
        if (!w->isVisible() || !logical.contains(pos))
            continue;
        w->raise();
        pressed = w;
        pressedRect = logical;
        pressedArea = std::max(0, Detail::FreeGridPressArea(logical, pos));
        // The cursor shows the screen's diagonal, which a right-to-left host mirrors.
        const QPoint visualPos = ToLogical(pos);
        host->setCursor(Detail::FreeGridAreaCursor(
            std::max(0, Detail::FreeGridPressArea(w->geometry(), visualPos))));
        return;
    }
}

void CAnimaWidgetLayoutMgrPrivate::HandleMove(const QPoint& pos)
{
    if (!pressed)
        return;
    if (!s_bDragStarted) {
        if ((pos - pressPoint).manhattanLength() <= kDragThreshold)
            return;
        s_bDragStarted = true;
    }
    if (!pressed->isVisible() || maximized)
        return;
    if (pressedArea == 0)
        MoveStep(pos);
    else
        ScaleStep(pos);
}

void CAnimaWidgetLayoutMgrPrivate::MoveStep(const QPoint& pos)
{
    if (!pressed->AllowDragDrop())
        return;
    if (!moving) {
        moving = true;
        if (!gesturePressedEmitted) {
            gesturePressedEmitted = true;
            Q_EMIT q->SignalWidgetPressed();
        }
        return;
    }
    if (!floatingShown && floating) {
        if (CGeometryAnimator* animator = pressed->GetAnimator(nullptr))
            animator->Finish();
        TakeOutOfLayout(pressed);
        dragPicture = pressed->grab();
        floating->setPixmap(dragPicture);
        floating->show();
        floatingShown = true;
    }
    const QPoint topLeft = pos - (pressPoint - pressedRect.topLeft());
    if (floating) {
        floating->setGeometry(ToVisual(QRect(topLeft, pressedRect.size())));
        floating->raise();
    }
    bool possible = false;
    releaseCells = GetReleaseRect(pressed, topLeft, &possible);
    AddMaskWidget(pressed, releaseCells, CAnimaWidgetLayoutMgr::MaskMoveOrScale, possible);
}

void CAnimaWidgetLayoutMgrPrivate::ScaleStep(const QPoint& pos)
{
    if (!scaling) {
        scaling = true;
        if (CGeometryAnimator* animator = pressed->GetAnimator(nullptr))
            animator->Finish();
        if (!gesturePressedEmitted) {
            gesturePressedEmitted = true;
            Q_EMIT q->SignalWidgetPressed();
        }
    }
    TakeOutOfLayout(pressed);
    bool possible = false;
    const QRect cells = GetScaleRect(pressed, pos, pressedArea, &possible);
    ScaleWidget(pressed, pos, pressedArea);
    releaseCells = possible ? cells : QRect();
    AddMaskWidget(pressed, possible ? cells : CellsOf(pressed),
                  CAnimaWidgetLayoutMgr::MaskMoveOrScale, possible);
    pressed->raise();
}

QRect CAnimaWidgetLayoutMgrPrivate::GetReleaseRect(CGUIBaseWidget* w, const QPoint& topLeft,
                                                   bool* possible) const
{
    *possible = false;
    const QRect cells = CellsOf(w);
    if (cells.isNull())
        return QRect();
    const QPoint corner = Frame().NearestCorner(topLeft);
    const QRect target(QPoint(qBound(0, corner.x(), std::max(0, columns - cells.width())),
                              qBound(0, corner.y(), std::max(0, rows - cells.height()))),
                       cells.size());
    Detail::CFreeGridModel model;
    QList<CGUIBaseWidget*> keys;
    *possible = !(mapMode && !mapWidget) && BuildModel(model, keys)
        && model.Move(keys.indexOf(w), target.topLeft()).outcome
            != Detail::CFreeGridModel::Outcome::Rejected;
    return target;
}

QRect CAnimaWidgetLayoutMgrPrivate::GetScaleRect(CGUIBaseWidget* w, const QPoint& pos, int area,
                                                 bool* possible) const
{
    *possible = false;
    bool ok = false;
    const QRect cells = Detail::FreeGridScaleCells(CellsOf(w), area, Frame().ToUnits(pos), &ok);
    if (!ok)
        return QRect();
    Detail::CFreeGridModel model;
    QList<CGUIBaseWidget*> keys;
    *possible = !(mapMode && !mapWidget) && BuildModel(model, keys)
        && model.Scale(keys.indexOf(w), cells).outcome != Detail::CFreeGridModel::Outcome::Rejected;
    return cells;
}

void CAnimaWidgetLayoutMgrPrivate::ScaleWidget(CGUIBaseWidget* w, const QPoint& pos, int area)
{
    w->setGeometry(ToVisual(Detail::FreeGridScaleGeometry(pressedRect, pos, area)));
}

void CAnimaWidgetLayoutMgrPrivate::HandleRelease(const QPoint& pos)
{
    if (host)
        host->setCursor(Qt::ArrowCursor);
    releasePoint = pos;
    CGUIBaseWidget* w = pressed;
    if (w && moving && floatingShown) {
        if (CGeometryAnimator* animator = w->GetAnimator(nullptr))
            animator->Finish();
        w->setGeometry(ToVisual(pressedRect));
        const QPoint corner =
            releaseCells.isNull() ? pressedRect.topLeft() : CellPixels(releaseCells).topLeft();
        if (!SwitchDisplay(w, corner))
            ReLayout(true);
    } else if (w && scaling) {
        w->raise();
        if (!SwitchDisplay(w, pos))
            ReLayout(true);
    }
    EndGesture();
    if (host)
        host->update();
}

bool CAnimaWidgetLayoutMgrPrivate::SwitchDisplay(CGUIBaseWidget* w, const QPoint& logicalPoint)
{
    if ((mapMode && !mapWidget) || !RealWindows().contains(w))
        return false;
    if (grid)
        grid->setEnabled(false); // nothing may be placed half-way through the change
    const bool changed =
        moving ? SwitchLayout(w, logicalPoint) : ScaleLayout(w, logicalPoint, pressedArea);
    if (!changed)
        ReLayout(true);
    Q_EMIT q->SignalAnimationEnd();
    return true;
}

bool CAnimaWidgetLayoutMgrPrivate::SwitchLayout(CGUIBaseWidget* w, const QPoint& logicalPoint)
{
    return ApplyMove(w, Frame().NearestCorner(logicalPoint));
}

bool CAnimaWidgetLayoutMgrPrivate::ScaleLayout(CGUIBaseWidget* w, const QPoint& logicalPoint,
                                               int area)
{
    if (area < 1 || area > 8)
        return false;
    bool ok = false;
    const QRect cells =
        Detail::FreeGridScaleCells(CellsOf(w), area, Frame().ToUnits(logicalPoint), &ok);
    return ok && ApplyScale(w, cells, area);
}

bool CAnimaWidgetLayoutMgrPrivate::ApplyMove(CGUIBaseWidget* w, const QPoint& topLeftCell)
{
    Detail::CFreeGridModel model;
    QList<CGUIBaseWidget*> keys;
    if (!BuildModel(model, keys) || !keys.contains(w))
        return false;
    QVector<int> indexBefore;
    for (CGUIBaseWidget* key : qAsConst(keys))
        indexBefore.append(key->GetPosition());
    const QRect before = CellsOf(w);
    const Detail::CFreeGridModel::Result result = model.Move(keys.indexOf(w), topLeftCell);
    if (!result.Changed())
        return false;
    ApplyModel(model, keys);
    FillLayoutWithIdle(rows, columns, mapMode);
    const int from = w->GetPosition();
    ReLayout(true);
    if (result.outcome == Detail::CFreeGridModel::Outcome::Exchanged) {
        Q_EMIT q->SignalWidgetSwitched(from, indexBefore.value(result.partner, -1));
    } else {
        const QRect after = CellsOf(w);
        Q_EMIT q->SignalWidgetSwitchToInter(from, after.x() - before.x(), after.y() - before.y());
    }
    return true;
}

bool CAnimaWidgetLayoutMgrPrivate::ApplyScale(CGUIBaseWidget* w, const QRect& cells, int area)
{
    Detail::CFreeGridModel model;
    QList<CGUIBaseWidget*> keys;
    if (!BuildModel(model, keys) || !keys.contains(w))
        return false;
    const Detail::CFreeGridModel::Result result = model.Scale(keys.indexOf(w), cells);
    if (!result.Changed())
        return false;
    const int index = w->GetPosition();
    // Idle windows keep their cells across the change only when the grid did not shift.
    for (CGUIBaseWidget* idle : qAsConst(layoutList)) {
        if (!CellsOf(idle).isNull())
            SetCells(idle, CellsOf(idle).translated(result.shift));
    }
    ApplyModel(model, keys);
    FillLayoutWithIdle(rows, columns, mapMode);
    ReLayout(true);
    const QRect after = CellsOf(w);
    Q_EMIT q->SignalWidgetScaled(index, after.width(), after.height(), area,
                                 mapMode && w == mapWidget);
    return true;
}

// --- drops from outside --------------------------------------------------------------------

void CAnimaWidgetLayoutMgrPrivate::HandleDragOver(const QPoint& pos)
{
    if (!dragEnabled || !host)
        return;
    const QPoint logical = ToLogical(pos);
    QRect cells = GetUnitReleaseRectByPos(logical);
    if (cells.isNull()) {
        q->ClearMask();
        return;
    }
    if (IsMapRect(cells))
        cells = CellsOf(mapWidget); // a drop there goes to the map as a whole
    AddMaskWidget(nullptr, cells, CAnimaWidgetLayoutMgr::MaskDropFromOutside, !maximized);
}

void CAnimaWidgetLayoutMgrPrivate::HandleDrop(QDropEvent* event, const QPoint& pos)
{
    q->ClearMask();
    const QRect cells = GetUnitReleaseRectByPos(ToLogical(pos));
    event->acceptProposedAction();
    if (IsMapRect(cells)) {
        Q_EMIT mapWidget->SignalDropEventPrivate(event, pos);
        return;
    }
    Q_EMIT q->SignalDropEvent(event, q->GetWidgetByPos(pos), pos);
}

bool CAnimaWidgetLayoutMgrPrivate::PlaceWindowAtCell(CGUIBaseWidget* w, const QPoint& cell,
                                                     bool replace)
{
    if (!w || !host || !IsPlayKind(w) || IsInLayout(w)
        || !QRect(0, 0, columns, rows).contains(cell))
        return false;
    CGUIBaseWidget* occupant = WindowAtCell(cell, true);
    if (!occupant || (mapMode && occupant == mapWidget))
        return false;
    const bool occupiedByPlay = playList.contains(occupant);
    if (occupiedByPlay && !replace)
        return false;
    q->AddWidget(w);
    const QRect cells = CellsOf(occupant);
    if (layoutList.contains(occupant)) {
        layoutList.removeAll(occupant);
        displayedList.removeAll(occupant);
        occupant->ResetLayoutElement();
    } else {
        if (occupiedByPlay)
            occupant->ClosePlayWnd();
        LeaveLayout(occupant);
    }
    SetCells(w, cells);
    playList.append(w);
    FillLayoutWithIdle(rows, columns, mapMode);
    ReLayout(true);
    Q_EMIT q->SignalWidgetAddByPos(cells.y(), cells.x());
    return true;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgrPrivate::Neighbour(CGUIBaseWidget* w,
                                                        CAnimaWidgetLayoutMgr::Direction direction,
                                                        bool wallOnly) const
{
    QList<CGUIBaseWidget*> windows = RealWindows();
    if (!w || !windows.contains(w))
        return nullptr;
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [w, wallOnly](CGUIBaseWidget* other) {
                                     return other != w && wallOnly && !other->IsWndOnWall();
                                 }),
                  windows.end());
    std::stable_sort(windows.begin(), windows.end(),
                     [](const CGUIBaseWidget* a, const CGUIBaseWidget* b) {
                         return a->GetPosition() < b->GetPosition();
                     });
    const int n = windows.size();
    const int i = windows.indexOf(w);
    const QRect own = CellsOf(w);
    CGUIBaseWidget* best = nullptr;
    switch (direction) {
    case CAnimaWidgetLayoutMgr::Left:
        return windows.at((i - 1 + n) % n);
    case CAnimaWidgetLayoutMgr::Right:
        return windows.at((i + 1) % n);
    case CAnimaWidgetLayoutMgr::Up:
        for (CGUIBaseWidget* other : qAsConst(windows)) {
            const QRect cells = CellsOf(other);
            if (other != w && cells.bottom() < own.top() && cells.left() <= own.left()
                && own.left() <= cells.right()
                && (!best || cells.bottom() > CellsOf(best).bottom()))
                best = other;
        }
        break;
    case CAnimaWidgetLayoutMgr::Down:
        for (CGUIBaseWidget* other : qAsConst(windows)) {
            const QRect cells = CellsOf(other);
            if (other != w && cells.top() > own.bottom() && cells.left() <= own.left()
                && own.left() <= cells.right() && (!best || cells.top() < CellsOf(best).top()))
                best = other;
        }
        break;
    }
    return best ? best : w;
}

// --- CAnimaWidgetLayoutMgr: interaction ----------------------------------------------------

bool CAnimaWidgetLayoutMgr::eventFilter(QObject* watched, QEvent* event)
{
    if (!d->host || watched != d->host)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            d->HandlePress(d->ToLogical(mouse->pos()));
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() & Qt::LeftButton)
            d->HandleMove(d->ToLogical(mouse->pos()));
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            d->HandleRelease(d->ToLogical(mouse->pos()));
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        drag->acceptProposedAction();
        d->HandleDragOver(drag->pos());
        break;
    }
    case QEvent::DragLeave:
        ClearMask();
        break;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        d->HandleDrop(drop, drop->pos());
        return true;
    }
    case QEvent::Resize:
        if (d->maximized && d->maximizedWidget)
            d->maximizedWidget->setGeometry(d->host->rect());
        else if (property("relayout_exec_deep").toUInt() == 0)
            d->ReLayout(true);
        break;
    case QEvent::Paint:
        d->PaintLine();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool CAnimaWidgetLayoutMgr::AddWidgetToDisplayByPos(CGUIBaseWidget* w, const QPoint& pos,
                                                    bool replace)
{
    if (!d->host)
        return false;
    return d->PlaceWindowAtCell(w, d->Frame().CellAt(d->ToLogical(pos)), replace);
}

bool CAnimaWidgetLayoutMgr::AddLayoutByPos(CGUIBaseWidget* w, const QPoint& pos)
{
    if (!w || !d->host || !d->IsPlayKind(w) || d->IsInLayout(w))
        return false;
    const Detail::FreeGridFrame frame = d->Frame();
    const QPoint logical = d->ToLogical(pos);
    const QPoint under = frame.CellAt(logical);
    const int row = qBound(0, under.y(), d->rows - 1);
    const int column = qBound(0, under.x(), d->columns - 1);
    QPoint shift;
    QPoint cell;
    if (logical.x() < frame.area.left() && d->columns < Detail::kFreeGridMaxSpan) {
        shift = QPoint(1, 0);
        cell = QPoint(0, row);
    } else if (logical.x() > frame.area.right() && d->columns < Detail::kFreeGridMaxSpan) {
        cell = QPoint(d->columns, row);
    } else if (logical.y() < frame.area.top() && d->rows < Detail::kFreeGridMaxSpan) {
        shift = QPoint(0, 1);
        cell = QPoint(column, 0);
    } else if (logical.y() > frame.area.bottom() && d->rows < Detail::kFreeGridMaxSpan) {
        cell = QPoint(column, d->rows);
    } else if (frame.area.contains(logical)) {
        return d->PlaceWindowAtCell(w, under, false);
    } else {
        return false; // beside a grid that may not grow any further
    }
    const int newRows = cell.y() == d->rows || shift.y() ? d->rows + 1 : d->rows;
    const int newColumns = cell.x() == d->columns || shift.x() ? d->columns + 1 : d->columns;
    QList<CGUIBaseWidget*> moved = d->RealWindows() + d->layoutList;
    for (CGUIBaseWidget* other : qAsConst(moved))
        d->SetCells(other, d->CellsOf(other).translated(shift));
    AddWidget(w);
    d->SetCells(w, QRect(cell, QSize(1, 1)));
    d->playList.append(w);
    d->FillLayoutWithIdle(newRows, newColumns, d->mapMode);
    d->ReLayout(true);
    Q_EMIT SignalWidgetAddByPos(cell.y(), cell.x());
    return true;
}

bool CAnimaWidgetLayoutMgr::IsAbleToInsertWidgetAtPoint(CGUIBaseWidget* w, const QPoint& pos) const
{
    if (!w || !d->host || !d->IsPlayKind(w) || d->IsInLayout(w))
        return false;
    const QPoint cell = d->Frame().CellAt(d->ToLogical(pos));
    if (!QRect(0, 0, d->columns, d->rows).contains(cell))
        return false;
    CGUIBaseWidget* occupant = d->WindowAtCell(cell, true);
    return occupant && (d->layoutList.contains(occupant) || d->silenceList.contains(occupant));
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidgetByPos(const QPoint& pos) const
{
    if (!d->host)
        return nullptr;
    const QPoint cell = d->Frame().CellAt(d->ToLogical(pos));
    if (!QRect(0, 0, d->columns, d->rows).contains(cell))
        return nullptr;
    return d->WindowAtCell(cell, true);
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidgetContainsPos(const QPoint& pos) const
{
    const QList<CGUIBaseWidget*> windows = d->RealWindows();
    for (CGUIBaseWidget* w : windows) {
        if (w->isVisible() && w->geometry().contains(pos))
            return w;
    }
    return nullptr;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidgetByPosForCtrlWall(const QPoint& pos) const
{
    CGUIBaseWidget* w = GetWidgetByPos(pos);
    return w && w->IsWndOnWall() ? w : nullptr;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidget(CGUIBaseWidget* w, Direction direction) const
{
    return d->Neighbour(w, direction, false);
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidgetOnWall(CGUIBaseWidget* w, Direction direction) const
{
    return d->Neighbour(w, direction, true);
}

void CAnimaWidgetLayoutMgr::ClearMask()
{
    if (d->mask)
        d->mask->hide();
}

bool CAnimaWidgetLayoutMgr::IsMoving() const
{
    return d->moving;
}

bool CAnimaWidgetLayoutMgr::IsScaling() const
{
    return d->scaling;
}

CAnimaWidgetLayoutMgr::ScalePressArea CAnimaWidgetLayoutMgr::GetPressedArea() const
{
    return static_cast<ScalePressArea>(d->pressedArea);
}

QRect CAnimaWidgetLayoutMgr::GetReleaseRect() const
{
    return d->releaseCells;
}

bool CAnimaWidgetLayoutMgr::IsDragStarted()
{
    return CAnimaWidgetLayoutMgrPrivate::s_bDragStarted;
}

// --- slots ---------------------------------------------------------------------------------

void CAnimaWidgetLayoutMgr::OnEdgeWidgetDropEvent(QDropEvent* event, QPoint position)
{
    ClearMask();
    Q_EMIT SignalDropEvent(event, nullptr, position);
}

void CAnimaWidgetLayoutMgr::OnEdgeWidgetDragEnterEvent()
{
    OnEdgeWidgetDragMoveEvent();
}

void CAnimaWidgetLayoutMgr::OnEdgeWidgetDragMoveEvent()
{
    auto* edge = qobject_cast<QWidget*>(sender());
    if (!edge || !d->dragEnabled)
        return;
    const bool roomLeft =
        d->rows < Detail::kFreeGridMaxSpan || d->columns < Detail::kFreeGridMaxSpan;
    d->ShowMaskOverPixels(edge->geometry(), roomLeft && !d->maximized);
    if (d->mask && d->maskPictureKey != 0) {
        d->mask->clear();
        d->maskPictureKey = 0;
    }
}

void CAnimaWidgetLayoutMgr::OnEdgeWidgetDragLeaveEvent()
{
    ClearMask();
}

void CAnimaWidgetLayoutMgr::OnInternalWidgetDropEvent(QDropEvent* event, QPoint position)
{
    ClearMask();
    Q_EMIT SignalDropEvent(event, qobject_cast<CGUIBaseWidget*>(sender()), position);
}

void CAnimaWidgetLayoutMgr::OnInternalWidgetDragEnterEvent()
{
    d->ShowDropMaskAtCursor();
}

void CAnimaWidgetLayoutMgr::OnInternalWidgetDragLeaveEvent()
{
    ClearMask();
}

void CAnimaWidgetLayoutMgr::OnDisplayWidgetDropEvent(QDropEvent* event, QPoint position)
{
    ClearMask();
    auto* w = qobject_cast<CGUIBaseWidget*>(sender());
    if (w && w == d->mapWidget)
        return; // the map window has already told its own listeners
    Q_EMIT SignalDropEvent(event, w, position);
}

void CAnimaWidgetLayoutMgr::OnDisplayWidgetDragEnterEvent()
{
    d->ShowDropMaskAtCursor();
}

void CAnimaWidgetLayoutMgr::OnDisplayWidgetDragLeaveEvent()
{
    ClearMask();
}

} // namespace TesselGUIToolkit
