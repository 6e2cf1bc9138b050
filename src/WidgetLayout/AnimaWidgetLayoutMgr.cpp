#include "WidgetLayout/AnimaWidgetLayoutMgr.h"

#include "Core/Log_p.h"
#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/AnimaWidgetLayoutMgr_p.h"
#include "WidgetLayout/InternalWidget.h"
#include "WidgetLayout/SilenceWidget.h"
#include "Widgets/GUIBaseWidget.h"

#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QXmlStreamWriter>

#include <algorithm>
#include <climits>

namespace TesselGUIToolkit {

namespace {

    constexpr int kIdlePoolSize = Detail::kFreeGridMaxSpan * Detail::kFreeGridMaxSpan;
    const char* const kDeepProperty = "relayout_exec_deep";
    const unsigned int kNoExtra = 0xFFFFFFFF;
    // Cells read for cropping may lie anywhere; this keeps their sums far from overflow while
    // staying far beyond any grid the layout can hold.
    constexpr int kLimit = Detail::kFreeGridMaxSpan * 8;

    bool InReadingOrder(const CGUIBaseWidget* a, const CGUIBaseWidget* b)
    {
        if (a->GetRow() != b->GetRow())
            return a->GetRow() < b->GetRow();
        return a->GetColumn() < b->GetColumn();
    }

    int StretchParts(const QString& stretch)
    {
        return stretch.count(QLatin1Char(',')) + 1;
    }

    // Values straight from text: checked one by one before they meet QRect, whose right edge
    // is x + width - 1 and would overflow for absurd numbers.
    bool CellFits(const struLayoutElementData& cell, int rows, int columns)
    {
        return cell.row >= 0 && cell.column >= 0 && cell.rowSpan >= 1 && cell.columnSpan >= 1
            && cell.row < rows && cell.column < columns && cell.rowSpan <= rows - cell.row
            && cell.columnSpan <= columns - cell.column;
    }

} // namespace

bool CAnimaWidgetLayoutMgrPrivate::s_bDragStarted = false;

CAnimaWidgetLayoutMgrPrivate::CAnimaWidgetLayoutMgrPrivate(CAnimaWidgetLayoutMgr* owner)
    : q(owner)
{
}

CAnimaWidgetLayoutMgrPrivate::~CAnimaWidgetLayoutMgrPrivate()
{
    qDeleteAll(descriptions);
}

// --- windows and lists ---------------------------------------------------------------------

void CAnimaWidgetLayoutMgrPrivate::Register(CGUIBaseWidget* w)
{
    if (registry.contains(w))
        return;
    registry.insert(w, w);
    QObject::connect(w, &QObject::destroyed, q, [this](QObject* object) { Forget(object); });
}

void CAnimaWidgetLayoutMgrPrivate::ConnectDisplayWindow(CGUIBaseWidget* w)
{
    QObject::connect(w, &CGUIBaseWidget::SignalRemoveWidget, q, [this, w]() {
        if (IsInLayout(w))
            q->RemoveWidget(w);
    });
    QObject::connect(w, &CGUIBaseWidget::SignalDropEventPrivate, q,
                     &CAnimaWidgetLayoutMgr::OnDisplayWidgetDropEvent);
    QObject::connect(w, &CGUIBaseWidget::SignalDragEnterPrivate, q,
                     &CAnimaWidgetLayoutMgr::OnDisplayWidgetDragEnterEvent);
    QObject::connect(w, &CGUIBaseWidget::SignalDragLeavePrivate, q,
                     &CAnimaWidgetLayoutMgr::OnDisplayWidgetDragLeaveEvent);
    QObject::connect(w, &CGUIBaseWidget::SignalDragMovePrivate, q,
                     [this]() { ShowDropMaskAtCursor(); });
    QObject::connect(w, &CGUIBaseWidget::SignalWndSelected, q,
                     &CAnimaWidgetLayoutMgr::OnWidgetSelected);
}

void CAnimaWidgetLayoutMgrPrivate::Forget(QObject* object)
{
    CGUIBaseWidget* w = registry.take(object);
    if (!w)
        return;
    // A widget says destroyed() before QObject's destructor clears the weak pointers to it.
    bool placed = displayedList.contains(w);
    if (mapWidget.Is(object)) {
        placed = placed || mapMode;
        mapWidget = nullptr;
    }
    for (CWeakWindow<CGUIBaseWidget>* weak : {&maximizedWidget, &selected, &pressed}) {
        if (weak->Is(object))
            *weak = nullptr;
    }
    const auto dropFromMap = [w](QMap<int, CGUIBaseWidget*>& map) {
        for (auto it = map.begin(); it != map.end();) {
            if (it.value() == w)
                it = map.erase(it);
            else
                ++it;
        }
    };
    dropFromMap(windowMap);
    dropFromMap(silenceMap);
    dropFromMap(idlePool);
    layoutList.removeAll(w);
    silenceList.removeAll(w);
    playList.removeAll(w);
    displayedList.removeAll(w);
    allList.removeAll(w);
    if (placed)
        ScheduleRepair();
}

bool CAnimaWidgetLayoutMgrPrivate::IsPlayKind(const CGUIBaseWidget* w) const
{
    const int kind = w->WidgetTypes();
    return kind == 0 || kind == 2;
}

bool CAnimaWidgetLayoutMgrPrivate::IsInLayout(const CGUIBaseWidget* w) const
{
    if (!w)
        return false;
    if (mapMode && w == mapWidget)
        return true;
    return displayedList.contains(const_cast<CGUIBaseWidget*>(w));
}

QList<CGUIBaseWidget*> CAnimaWidgetLayoutMgrPrivate::RealWindows() const
{
    QList<CGUIBaseWidget*> windows = playList + silenceList;
    if (mapMode && mapWidget)
        windows.append(mapWidget);
    return windows;
}

QList<CGUIBaseWidget*> CAnimaWidgetLayoutMgrPrivate::PlacedWindows() const
{
    QList<CGUIBaseWidget*> windows = displayedList;
    if (mapMode && mapWidget)
        windows.append(mapWidget);
    return windows;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgrPrivate::WindowAtIndex(int index) const
{
    if (index < 0)
        return nullptr;
    const QList<CGUIBaseWidget*> windows = PlacedWindows();
    for (CGUIBaseWidget* w : windows) {
        if (w->GetPosition() == index)
            return w;
    }
    return nullptr;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgrPrivate::WindowAtCell(const QPoint& cell,
                                                           bool includeIdle) const
{
    QList<CGUIBaseWidget*> windows = RealWindows();
    if (includeIdle)
        windows += layoutList;
    for (CGUIBaseWidget* w : qAsConst(windows)) {
        if (CellsOf(w).contains(cell))
            return w;
    }
    return nullptr;
}

QRect CAnimaWidgetLayoutMgrPrivate::CellsOf(const CGUIBaseWidget* w)
{
    if (!w || w->GetRow() < 0 || w->GetColumn() < 0 || w->GetRowSpan() < 1
        || w->GetColumnSpan() < 1)
        return QRect();
    return QRect(w->GetColumn(), w->GetRow(), w->GetColumnSpan(), w->GetRowSpan());
}

void CAnimaWidgetLayoutMgrPrivate::SetCells(CGUIBaseWidget* w, const QRect& cells)
{
    w->SetLayoutPos(cells.y(), cells.x(), cells.height(), cells.width());
}

void CAnimaWidgetLayoutMgrPrivate::LeaveLayout(CGUIBaseWidget* w)
{
    if (!w)
        return;
    playList.removeAll(w);
    silenceList.removeAll(w);
    layoutList.removeAll(w);
    displayedList.removeAll(w);
    w->NotifyPositionChangedPrivate(-1);
    w->SetLayoutPos(-1, -1, -1, -1);
    if (w->WidgetTypes() != 1000)
        w->SetTileNumber(-1);
    // Not hidden here: the rebuild that follows every change hides what is no longer placed,
    // and a window that only changes cells is spared a hide and show.
}

CSilenceWidget* CAnimaWidgetLayoutMgrPrivate::SilenceWindow(int number)
{
    if (CGUIBaseWidget* existing = silenceMap.value(number))
        return static_cast<CSilenceWidget*>(existing);
    if (!host)
        return nullptr;
    auto* silence = new CSilenceWidget(host);
    silence->setObjectName(QStringLiteral("ptr_silence_widget_%1_").arg(number));
    silence->hide();
    silence->SetCloseButtonVisible(shutDownEnabled);
    silenceMap.insert(number, silence);
    Register(silence);
    ConnectDisplayWindow(silence);
    QObject::connect(silence, &CSilenceWidget::SignalSilenceWidgetClosed, q,
                     &CAnimaWidgetLayoutMgr::SignalSilenceWidgetClosed);
    return silence;
}

void CAnimaWidgetLayoutMgrPrivate::ClearLayoutContent()
{
    const QList<CGUIBaseWidget*> leaving = playList + silenceList + layoutList;
    for (CGUIBaseWidget* w : leaving)
        LeaveLayout(w);
    if (mapMode && mapWidget)
        LeaveLayout(mapWidget);
    mapMode = false;
    displayedList.clear();
}

// --- grid ----------------------------------------------------------------------------------

Detail::FreeCellSize CAnimaWidgetLayoutMgrPrivate::CellSize() const
{
    return Detail::FreeGridCellSize(host ? host->size() : QSize(), rows, columns, spacing,
                                    aspectWidth, aspectHeight);
}

Detail::FreeGridFrame CAnimaWidgetLayoutMgrPrivate::Frame() const
{
    Detail::FreeGridFrame frame;
    frame.rows = rows;
    frame.columns = columns;
    frame.spacing = spacing;
    // Once laid out, the layout's own cells are the truth: stretch rounding and the margin
    // make them a pixel or two off the computed cell size.
    if (grid && grid->geometry().isValid() && !grid->geometry().isEmpty()) {
        const QRect first = grid->cellRect(gridTop, gridLeft);
        const QRect last = grid->cellRect(gridTop + rows - 1, gridLeft + columns - 1);
        if (first.isValid() && last.isValid()) {
            frame.area = first.united(last);
            if (frame.IsValid())
                return frame;
        }
    }
    const Detail::FreeCellSize cell = CellSize();
    const int left = 1 + (cell.spareWidth > 0 ? (cell.spareWidth + 1) / 2 + spacing : 0);
    const int top = 1 + (cell.spareHeight > 0 ? (cell.spareHeight + 1) / 2 + spacing : 0);
    frame.area = QRect(left, top, columns * cell.width + (columns - 1) * spacing,
                       rows * cell.height + (rows - 1) * spacing);
    return frame;
}

QRect CAnimaWidgetLayoutMgrPrivate::CellPixels(const QRect& cells) const
{
    if (grid && grid->geometry().isValid() && !grid->geometry().isEmpty()
        && QRect(0, 0, columns, rows).contains(cells)) {
        const QRect first = grid->cellRect(cells.top() + gridTop, cells.left() + gridLeft);
        const QRect last = grid->cellRect(cells.bottom() + gridTop, cells.right() + gridLeft);
        if (first.isValid() && last.isValid())
            return first.united(last);
    }
    return Frame().CellsToPixels(cells);
}

QPoint CAnimaWidgetLayoutMgrPrivate::ToLogical(const QPoint& p) const
{
    if (!host || !host->isRightToLeft())
        return p;
    return QPoint(host->width() - 1 - p.x(), p.y());
}

QRect CAnimaWidgetLayoutMgrPrivate::ToVisual(const QRect& r) const
{
    if (!host || !host->isRightToLeft())
        return r;
    return QRect(host->width() - 1 - r.right(), r.y(), r.width(), r.height());
}

bool CAnimaWidgetLayoutMgrPrivate::BuildModel(Detail::CFreeGridModel& model,
                                              QList<CGUIBaseWidget*>& keys) const
{
    keys = RealWindows();
    if (!model.SetGridSize(rows, columns))
        return false;
    for (int i = 0; i < keys.size(); ++i) {
        if (!model.AddItem(i, CellsOf(keys.at(i))))
            return false;
    }
    return true;
}

void CAnimaWidgetLayoutMgrPrivate::ApplyModel(const Detail::CFreeGridModel& model,
                                              const QList<CGUIBaseWidget*>& keys)
{
    for (const Detail::CFreeGridModel::Item& item : model.Items())
        SetCells(keys.at(item.key), item.cells);
    rows = model.Rows();
    columns = model.Columns();
}

void CAnimaWidgetLayoutMgrPrivate::FillLayoutWithIdle(int rowCount, int columnCount, bool withMap)
{
    rows = qBound(1, rowCount, Detail::kFreeGridMaxSpan);
    columns = qBound(1, columnCount, Detail::kFreeGridMaxSpan);
    bool covered[Detail::kFreeGridMaxSpan][Detail::kFreeGridMaxSpan] = {};
    const QRect gridRect(0, 0, columns, rows);
    const auto cover = [&covered](const QRect& cells) {
        for (int r = cells.top(); r <= cells.bottom(); ++r) {
            for (int c = cells.left(); c <= cells.right(); ++c)
                covered[r][c] = true;
        }
    };
    const auto isFree = [&covered](const QRect& cells) {
        for (int r = cells.top(); r <= cells.bottom(); ++r) {
            for (int c = cells.left(); c <= cells.right(); ++c) {
                if (covered[r][c])
                    return false;
            }
        }
        return true;
    };
    QList<CGUIBaseWidget*> owners = playList + silenceList;
    if (withMap && mapWidget)
        owners.append(mapWidget);
    for (CGUIBaseWidget* w : qAsConst(owners)) {
        const QRect cells = CellsOf(w).intersected(gridRect);
        if (!cells.isEmpty())
            cover(cells);
    }

    QList<CGUIBaseWidget*> kept;
    for (CGUIBaseWidget* idle : qAsConst(layoutList)) {
        const QRect cells = CellsOf(idle);
        if (cells.isValid() && gridRect.contains(cells) && isFree(cells)) {
            cover(cells);
            kept.append(idle);
        } else {
            idle->ResetLayoutElement();
        }
    }
    auto next = idlePool.constBegin();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (covered[r][c])
                continue;
            while (next != idlePool.constEnd() && kept.contains(next.value()))
                ++next;
            if (next == idlePool.constEnd())
                break;
            SetCells(next.value(), QRect(c, r, 1, 1));
            covered[r][c] = true;
            kept.append(next.value());
        }
    }
    // No re-sorting: idle windows keep the order a restored text gave them, so that GetXml
    // writes a restored layout back as it came.
    layoutList = kept;
    displayedList = playList + silenceList + layoutList;
}

bool CAnimaWidgetLayoutMgrPrivate::DeleteLayout(CGUIBaseWidget* w)
{
    const bool isPlay = std::find(windowMap.cbegin(), windowMap.cend(), w) != windowMap.cend();
    const bool isSilence =
        std::find(silenceMap.cbegin(), silenceMap.cend(), w) != silenceMap.cend();
    const bool isMap = w && w == mapWidget;
    if (!w || (!isPlay && !isSilence && !isMap))
        return false;
    const Detail::FreeGridFrame frame = Frame();
    const QSize cell(qRound(frame.PitchX()) - spacing, qRound(frame.PitchY()) - spacing);
    if (!frame.IsValid() || cell.width() < 1 || cell.height() < 1)
        return false;

    w->NotifyPositionChangedPrivate(-1);
    playList.removeAll(w);
    silenceList.removeAll(w);
    displayedList.removeAll(w);
    if (isMap)
        mapMode = false;

    // The remaining windows are measured where the layout puts them, and counted back into
    // cells from the united rectangle: rows or columns left empty at the edges disappear,
    // everything else stays where it was.
    const QList<CGUIBaseWidget*> remaining = RealWindows();
    QVector<QRect> geometries;
    for (CGUIBaseWidget* other : remaining)
        geometries << CellPixels(CellsOf(other));
    int newRows = rows;
    int newColumns = columns;
    const QVector<QRect> cells =
        Detail::FreeGridCellsFromGeometry(geometries, cell, spacing, false, &newRows, &newColumns);
    Detail::CFreeGridModel check;
    bool consistent = cells.size() == remaining.size() && check.SetGridSize(newRows, newColumns);
    for (int i = 0; consistent && i < cells.size(); ++i)
        consistent = check.AddItem(i, cells.at(i));
    if (consistent) {
        for (int i = 0; i < remaining.size(); ++i)
            SetCells(remaining.at(i), cells.at(i));
    } else {
        newRows = rows;
        newColumns = columns;
    }
    w->SetLayoutPos(-1, -1, -1, -1);
    FillLayoutWithIdle(newRows, newColumns, mapMode);
    return true;
}

bool CAnimaWidgetLayoutMgrPrivate::InsertMapLayout()
{
    if (!mapWidget || !host)
        return false;
    const int kMaxOthers = 16;
    while (playList.size() + silenceList.size() > kMaxOthers) {
        if (!silenceList.isEmpty()) {
            LeaveLayout(silenceList.last());
        } else {
            CGUIBaseWidget* w = playList.last();
            w->ClosePlayWnd();
            LeaveLayout(w);
        }
    }
    QList<CGUIBaseWidget*> others = playList + silenceList;
    std::stable_sort(others.begin(), others.end(), InReadingOrder);
    int newRows = 1;
    int newColumns = 1;
    const QVector<QRect> cells = Detail::FreeGridMapArrangement(others.size(), newRows, newColumns);
    if (mapWidget->parentWidget() != host)
        mapWidget->setParent(host);
    SetCells(mapWidget, cells.at(0));
    for (int i = 0; i < others.size(); ++i)
        SetCells(others.at(i), cells.at(i + 1));
    mapMode = true;
    layoutList.clear();
    FillLayoutWithIdle(newRows, newColumns, true);
    return true;
}

void CAnimaWidgetLayoutMgrPrivate::InsertItem(QGridLayout* layout, CGUIBaseWidget* w, int row,
                                              int column, int rowSpan, int columnSpan)
{
    if (w->parentWidget() != host)
        w->setParent(host);
    auto* item = new CAnimLayoutItem(w, &director);
    w->SetAnimLayoutItem(item);
    layout->addItem(item, row, column, rowSpan, columnSpan);
}

void CAnimaWidgetLayoutMgrPrivate::Renumber()
{
    QList<CGUIBaseWidget*> windows = PlacedWindows();
    std::stable_sort(windows.begin(), windows.end(), InReadingOrder);
    int index = 0;
    bool mapSeen = false;
    for (CGUIBaseWidget* w : qAsConst(windows)) {
        if (CellsOf(w).isNull()) {
            w->NotifyPositionChangedPrivate(-1);
            continue;
        }
        w->NotifyPositionChangedPrivate(index);
        if (mapMode && w == mapWidget) {
            mapSeen = true;
            w->SetTileNumber(-1);
        } else {
            w->SetTileNumber(mapSeen ? index : index + 1);
        }
        ++index;
    }
}

void CAnimaWidgetLayoutMgrPrivate::UpdateVisibility()
{
    const QList<CGUIBaseWidget*> placed = PlacedWindows();
    const QSet<CGUIBaseWidget*> shown(placed.cbegin(), placed.cend());
    const auto sync = [&shown](CGUIBaseWidget* w) {
        if (shown.contains(w))
            w->show();
        else
            w->hide();
    };
    for (CGUIBaseWidget* w : qAsConst(windowMap))
        sync(w);
    for (CGUIBaseWidget* w : qAsConst(silenceMap))
        sync(w);
    for (CGUIBaseWidget* w : qAsConst(idlePool))
        sync(w);
    if (mapWidget)
        sync(mapWidget);
}

void CAnimaWidgetLayoutMgrPrivate::ScheduleRepair()
{
    if (repairScheduled)
        return;
    repairScheduled = true;
    // Deferred: a window may be destroyed while its host is being torn down, and rebuilding
    // inside that would touch half-destroyed children.
    QTimer::singleShot(0, q, [this]() {
        repairScheduled = false;
        if (!host)
            return;
        FillLayoutWithIdle(rows, columns, mapMode);
        ReLayout(false);
    });
}

void CAnimaWidgetLayoutMgrPrivate::ReLayout(bool animate)
{
    if (!host)
        return;
    q->setProperty(kDeepProperty, q->property(kDeepProperty).toUInt() + 1);

    const Detail::FreeCellSize cell = CellSize();
    const QList<CGUIBaseWidget*> placed = PlacedWindows();
    QVector<QPair<QWidget*, QRect>> saved;
    saved.reserve(placed.size() + edgeZones.size());
    for (CGUIBaseWidget* w : placed)
        saved.append(qMakePair(static_cast<QWidget*>(w), w->geometry()));
    for (CInternalWidget* edge : qAsConst(edgeZones)) {
        if (edge)
            saved.append(qMakePair(static_cast<QWidget*>(edge), edge->geometry()));
    }
    delete host->layout();
    for (CInternalWidget* edge : qAsConst(edgeZones)) {
        if (edge)
            edge->hide();
    }
    for (const auto& entry : qAsConst(saved))
        entry.first->setGeometry(entry.second);

    auto* layout = new QGridLayout(host);
    grid = layout;
    layout->setSizeConstraint(QLayout::SetNoConstraint); // never impose a size on the host
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(spacing);
    gridTop = cell.spareHeight > 0 ? 1 : 0;
    gridLeft = cell.spareWidth > 0 ? 1 : 0;
    for (int r = 0; r < rows; ++r)
        layout->setRowStretch(r + gridTop, std::max(cell.height, 1));
    for (int c = 0; c < columns; ++c)
        layout->setColumnStretch(c + gridLeft, std::max(cell.width, 1));

    director.SetAnimated(animate);
    CInternalWidget* before = edgeZones.value(0);
    CInternalWidget* after = edgeZones.value(1);
    if (gridTop && before && after) {
        const int stretch = (cell.spareHeight + 1) / 2;
        layout->setRowStretch(0, stretch);
        layout->setRowStretch(rows + 1, stretch);
        InsertItem(layout, before, 0, 0, 1, columns);
        InsertItem(layout, after, rows + 1, 0, 1, columns);
    } else if (gridLeft && before && after) {
        const int stretch = (cell.spareWidth + 1) / 2;
        layout->setColumnStretch(0, stretch);
        layout->setColumnStretch(columns + 1, stretch);
        InsertItem(layout, before, 0, 0, rows, 1);
        InsertItem(layout, after, 0, columns + 1, rows, 1);
    }
    if ((gridTop || gridLeft) && before && after) {
        before->show();
        after->show();
    }
    for (CGUIBaseWidget* w : placed) {
        const QRect cells = CellsOf(w);
        if (!cells.isNull())
            InsertItem(layout, w, cells.y() + gridTop, cells.x() + gridLeft, cells.height(),
                       cells.width());
    }
    UpdateVisibility();
    layout->activate();
    if (mask)
        mask->setAcceptDrops(false);
    for (CInternalWidget* edge : qAsConst(edgeZones)) {
        if (edge)
            edge->setAcceptDrops(host->acceptDrops());
    }
    Renumber();

    if (maximized) {
        maximized = false;
        maximizedWidget = nullptr;
        Q_EMIT q->SignalShowNormal();
    }
    Q_EMIT q->SignalWidgetLayoutChanged();
    Q_EMIT q->SignalSetBackgroundVisible(playList.isEmpty() && silenceList.isEmpty()
                                         && !(mapMode && mapWidget));
    if (host && dragEnabled)
        host->setAcceptDrops(true);
    if (host)
        host->update();
    if (splitType != struSplitTypeData::SplitFree && !q->CompareLayout(q->GetXml(), splitType)) {
        splitType = struSplitTypeData::SplitFree;
        Q_EMIT q->SignalChangeSplitType(struSplitTypeData::SplitFree, QString());
    }
    q->setProperty(kDeepProperty, q->property(kDeepProperty).toUInt() - 1);
}

bool CAnimaWidgetLayoutMgrPrivate::GetSuitLayout(int count, int minRows, int minColumns,
                                                 int& rowCount, int& columnCount) const
{
    return Detail::FreeGridSuitLayout(host ? host->size() : QSize(), spacing, count, minRows,
                                      minColumns, rowCount, columnCount);
}

bool CAnimaWidgetLayoutMgrPrivate::GetSuitLayoutByAddtion(int count, int rows0, int columns0,
                                                          int& rowCount, int& columnCount) const
{
    return Detail::FreeGridSuitLayoutByAddition(host ? host->size() : QSize(), spacing, count,
                                                rows0, columns0, rowCount, columnCount);
}

// --- descriptions --------------------------------------------------------------------------

bool CAnimaWidgetLayoutMgrPrivate::DescriptionCells(const CLayoutElementConfig& config,
                                                    bool widgetsOnly, int& rowCount,
                                                    int& columnCount, QVector<int>* positions,
                                                    QVector<QRect>* cells)
{
    rowCount = StretchParts(config.GetLayoutRowstretch());
    columnCount = StretchParts(config.GetLayoutColumnstretch());
    if (rowCount > Detail::kFreeGridMaxSpan || columnCount > Detail::kFreeGridMaxSpan
        || config.Size() > kIdlePoolSize)
        return false;
    Detail::CFreeGridModel model(rowCount, columnCount);
    const QVector<struLayoutElementData>& items = config.GetElementItems();
    for (int i = 0; i < items.size(); ++i) {
        const struLayoutElementData& item = items.at(i);
        if (widgetsOnly && item.type != QLatin1String("QWidget"))
            continue;
        if (!CellFits(item, rowCount, columnCount))
            return false;
        const QRect rect(item.column, item.row, item.columnSpan, item.rowSpan);
        if (!model.AddItem(i, rect))
            return false;
        if (positions)
            positions->append(i);
        if (cells)
            cells->append(rect);
    }
    return true;
}

void CAnimaWidgetLayoutMgrPrivate::LayoutConfigMapping(const CLayoutElementConfig& config,
                                                       const QList<CGUIBaseWidget*>& windows,
                                                       QList<CGUIBaseWidget*>& out)
{
    rows = qBound(1, StretchParts(config.GetLayoutRowstretch()), Detail::kFreeGridMaxSpan);
    columns = qBound(1, StretchParts(config.GetLayoutColumnstretch()), Detail::kFreeGridMaxSpan);
    layoutList.clear();
    silenceList.clear();
    const QVector<struLayoutElementData>& items = config.GetElementItems();
    int next = 0;
    for (const struLayoutElementData& item : items) {
        if (item.type != QLatin1String("QWidget"))
            continue;
        if (next >= windows.size())
            break;
        CGUIBaseWidget* w = windows.at(next++);
        w->NotifyPositionChangedPrivate(item.id);
        w->SetLayoutPos(item.row, item.column, item.rowSpan, item.columnSpan);
        out.append(w);
    }
    displayedList.clear();
}

bool CAnimaWidgetLayoutMgrPrivate::AssignPresetToSilence(SplitType type)
{
    const CLayoutElementConfig* config = descriptions.value(type);
    int rowCount = 0;
    int columnCount = 0;
    QVector<QRect> cells;
    if (!host || !config
        || !DescriptionCells(*config, true, rowCount, columnCount, nullptr, &cells))
        return false;
    for (CGUIBaseWidget* silence : qAsConst(silenceList))
        LeaveLayout(silence);
    silenceList.clear();
    QList<CGUIBaseWidget*> windows;
    for (int i = 0; i < cells.size(); ++i)
        windows.append(SilenceWindow(i));
    for (CGUIBaseWidget* idle : qAsConst(layoutList))
        idle->ResetLayoutElement();
    QList<CGUIBaseWidget*> assigned;
    LayoutConfigMapping(*config, windows, assigned);
    silenceList = assigned;
    return true;
}

void CAnimaWidgetLayoutMgrPrivate::ApplyIdleCells(const QVector<QRect>& cells,
                                                  const QVector<int>& poolNumbers, int rowCount,
                                                  int columnCount)
{
    layoutList.clear();
    for (int i = 0; i < cells.size(); ++i) {
        CGUIBaseWidget* idle = idlePool.value(poolNumbers.value(i, i));
        if (!idle || layoutList.contains(idle))
            continue;
        SetCells(idle, cells.at(i));
        layoutList.append(idle);
    }
    FillLayoutWithIdle(rowCount, columnCount, false);
}

// --- CAnimaWidgetLayoutMgr -----------------------------------------------------------------

CAnimaWidgetLayoutMgr::CAnimaWidgetLayoutMgr(QObject* parent)
    : QObject(parent)
    , d(std::make_unique<CAnimaWidgetLayoutMgrPrivate>(this))
{
    setProperty(kDeepProperty, 0u);
}

CAnimaWidgetLayoutMgr::~CAnimaWidgetLayoutMgr()
{
    // Nothing may call back into the private part while it goes.
    for (QObject* object : d->registry.keys())
        QObject::disconnect(object, nullptr, this, nullptr);
    d->registry.clear();
    d->DestroyHelpers();
}

bool CAnimaWidgetLayoutMgr::Init(QWidget* host, const QStringList& files,
                                 QList<CGUIBaseWidget*> widgets)
{
    if (!host)
        return false;
    if (d->host) {
        d->host->removeEventFilter(this);
        d->ClearLayoutContent();
        for (CGUIBaseWidget* w : qAsConst(d->windowMap))
            w->hide();
        if (d->mapWidget)
            d->mapWidget->hide();
        d->DestroyHelpers();
    }
    qDeleteAll(d->descriptions);
    d->descriptions.clear();
    d->windowMap.clear();
    d->allList.clear();
    d->nextWindowNumber = 0;
    d->mapWidget = nullptr;
    d->mapMode = false;
    d->maximized = false;
    d->splitType = struSplitTypeData::SplitFree;

    d->host = host;
    host->setAcceptDrops(true);
    host->installEventFilter(this);
    for (const QString& file : files) {
        QVector<CLayoutElementConfig> configs;
        if (!CLayoutElementConfig::LoadDocument(file, configs))
            continue;
        for (const CLayoutElementConfig& config : qAsConst(configs)) {
            delete d->descriptions.value(config.GetLayoutType());
            d->descriptions.insert(config.GetLayoutType(), new CLayoutElementConfig(config));
        }
    }
    d->CreateHelpers();

    for (CGUIBaseWidget* w : qAsConst(widgets))
        AddWidget(w);
    QList<CGUIBaseWidget*> shown = d->allList.mid(0, kIdlePoolSize);
    int rowCount = 1;
    int columnCount = 1;
    d->GetSuitLayout(shown.size(), 1, 1, rowCount, columnCount);
    for (int i = 0; i < shown.size(); ++i) {
        d->SetCells(shown.at(i), QRect(i % columnCount, i / columnCount, 1, 1));
        d->playList.append(shown.at(i));
    }
    d->FillLayoutWithIdle(rowCount, columnCount, false);
    d->ReLayout(true);
    return true;
}

bool CAnimaWidgetLayoutMgr::AddWidget(CGUIBaseWidget* w)
{
    if (!w || w == d->mapWidget
        || std::find(d->windowMap.cbegin(), d->windowMap.cend(), w) != d->windowMap.cend())
        return false;
    const int kind = w->WidgetTypes();
    const bool known = d->registry.contains(w);
    if (kind == 1) {
        if (d->mapMode && d->mapWidget)
            return false;
        d->mapWidget = w;
    } else if (kind == 0 || kind == 2) {
        d->windowMap.insert(d->nextWindowNumber++, w);
        d->allList.append(w);
    } else if (known) {
        return false;
    }
    if (d->host && (kind == 0 || kind == 1 || kind == 2)) {
        if (w->parentWidget() != d->host) {
            w->setParent(d->host);
            w->hide();
        }
        w->setGeometry(QRect(QPoint(1, 1), d->host->size() - QSize(2, 2)));
    }
    if (!known) {
        d->Register(w);
        d->ConnectDisplayWindow(w);
    }
    return true;
}

void CAnimaWidgetLayoutMgr::SetSpliteWindowType(WindowType type)
{
    d->windowType = type;
}

CAnimaWidgetLayoutMgr::WindowType CAnimaWidgetLayoutMgr::GetSpliteWindowType() const
{
    return d->windowType;
}

void CAnimaWidgetLayoutMgr::SetLayoutSpacer(int spacing)
{
    if (spacing < 0 || spacing == d->spacing)
        return;
    d->spacing = spacing;
    d->ReLayout(true);
}

int CAnimaWidgetLayoutMgr::GetLayoutSpacer() const
{
    return d->spacing;
}

void CAnimaWidgetLayoutMgr::SetEnableWidgetDrag(bool enabled)
{
    d->dragEnabled = enabled;
    if (!enabled)
        ClearMask();
}

bool CAnimaWidgetLayoutMgr::IsWidgetDragEnabled() const
{
    return d->dragEnabled;
}

void CAnimaWidgetLayoutMgr::SetContainerEnabledDrops(bool enabled)
{
    if (d->host)
        d->host->setAcceptDrops(enabled);
    for (CInternalWidget* edge : qAsConst(d->edgeZones)) {
        if (edge)
            edge->setAcceptDrops(enabled);
    }
}

void CAnimaWidgetLayoutMgr::SetContainerAcceptDrop(bool accept)
{
    SetContainerEnabledDrops(accept);
}

void CAnimaWidgetLayoutMgr::EnableWidgetTileNumberShow(bool show)
{
    d->tileNumbersShown = show;
    for (CGUIBaseWidget* idle : qAsConst(d->idlePool))
        static_cast<CInternalWidget*>(idle)->SetTileNumberVisible(show);
}

bool CAnimaWidgetLayoutMgr::IsWidgetTileNumberShown() const
{
    return d->tileNumbersShown;
}

void CAnimaWidgetLayoutMgr::EnableTranslucenceEffect(bool enable)
{
    d->translucence = enable;
}

bool CAnimaWidgetLayoutMgr::IsTranslucenceEffectEnabled() const
{
    return d->translucence;
}

void CAnimaWidgetLayoutMgr::SetShutDownEnabled(bool enabled)
{
    d->shutDownEnabled = enabled;
    for (CGUIBaseWidget* silence : qAsConst(d->silenceMap))
        static_cast<CSilenceWidget*>(silence)->SetCloseButtonVisible(enabled);
}

bool CAnimaWidgetLayoutMgr::IsShutDownEnabled() const
{
    return d->shutDownEnabled;
}

QWidget* CAnimaWidgetLayoutMgr::GetHost() const
{
    return d->host;
}

int CAnimaWidgetLayoutMgr::GetRowCount() const
{
    return d->rows;
}

int CAnimaWidgetLayoutMgr::GetColumnCount() const
{
    return d->columns;
}

void CAnimaWidgetLayoutMgr::ReLayout(bool animate)
{
    d->ReLayout(animate);
}

// --- layout text ---------------------------------------------------------------------------

QString CAnimaWidgetLayoutMgr::GetXml() const
{
    if (d->mapMode && !d->mapWidget)
        return QString();
    const QList<CGUIBaseWidget*> windows = d->PlacedWindows();
    if (windows.isEmpty())
        return QString();

    QString text;
    text.reserve(160 + windows.size() * 96);
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartElement(QStringLiteral("Config"));
    xml.writeStartElement(QStringLiteral("ElementConfig"));
    xml.writeTextElement(QStringLiteral("Name"), QStringLiteral("Custom Split"));
    xml.writeTextElement(QStringLiteral("Version"), QStringLiteral("1.3"));
    xml.writeTextElement(QStringLiteral("Type"), QStringLiteral("200"));
    xml.writeTextElement(QStringLiteral("WndSize"), QString::number(windows.size()));
    const auto ones = [](int count) {
        QString stretch;
        stretch.reserve(count * 2);
        for (int i = 0; i < count; ++i)
            stretch += i ? QStringLiteral(",1") : QStringLiteral("1");
        return stretch;
    };
    xml.writeTextElement(QStringLiteral("RowStretch"), ones(d->rows));
    xml.writeTextElement(QStringLiteral("ColumnStretch"), ones(d->columns));
    xml.writeStartElement(QStringLiteral("ElementItems"));
    for (const CGUIBaseWidget* w : windows) {
        if (w->GetPosition() < 0)
            continue;
        xml.writeEmptyElement(QStringLiteral("Element"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("QWidget"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(w->GetPosition()));
        xml.writeAttribute(QStringLiteral("row"), QString::number(w->GetRow()));
        xml.writeAttribute(QStringLiteral("column"), QString::number(w->GetColumn()));
        xml.writeAttribute(QStringLiteral("rowSpan"), QString::number(w->GetRowSpan()));
        xml.writeAttribute(QStringLiteral("columnSpan"), QString::number(w->GetColumnSpan()));
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    // Without a declaration the auto-formatting writer still opens with a line break; the text
    // starts at its root and ends with one, as a DOM document prints itself.
    if (text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    text += QLatin1Char('\n');
    return text;
}

bool CAnimaWidgetLayoutMgr::SetXml(const QString& text)
{
    if (!d->host)
        return false;
    CLayoutElementConfig parsed;
    if (!CLayoutElementConfig::ParseSingle(text, parsed))
        return false;
    int rowCount = 0;
    int columnCount = 0;
    QVector<QRect> cells;
    if (!d->DescriptionCells(parsed, false, rowCount, columnCount, nullptr, &cells))
        return false;
    d->working = parsed;
    d->ClearLayoutContent();
    d->ApplyIdleCells(cells, QVector<int>(), rowCount, columnCount);
    d->ReLayout(true);
    return true;
}

bool CAnimaWidgetLayoutMgr::SetXml(SplitType type)
{
    if (!d->AssignPresetToSilence(type))
        return false;
    const QList<CGUIBaseWidget*> leaving = d->playList;
    for (CGUIBaseWidget* w : leaving)
        d->LeaveLayout(w);
    if (d->mapMode && d->mapWidget)
        d->LeaveLayout(d->mapWidget);
    d->mapMode = false;
    d->splitType = type;
    d->FillLayoutWithIdle(d->rows, d->columns, false);
    d->ReLayout(true);
    return true;
}

bool CAnimaWidgetLayoutMgr::SetPreSplit(SplitType type)
{
    if (!d->AssignPresetToSilence(type))
        return false;
    d->splitType = type;
    if (type == 512) {
        // The wall division starts from plain windows: none keeps its video-wall state.
        for (CGUIBaseWidget* w : d->playList + d->silenceList)
            w->SetWndOnWall(false);
    }
    std::stable_sort(d->playList.begin(), d->playList.end(),
                     [](const CGUIBaseWidget* a, const CGUIBaseWidget* b) {
                         return a->GetPosition() < b->GetPosition();
                     });
    const bool withMap = d->mapMode && d->mapWidget;
    const int capacity = std::max(0, d->silenceList.size() - (withMap ? 1 : 0));
    while (d->playList.size() > capacity) {
        CGUIBaseWidget* w = d->playList.last();
        w->ClosePlayWnd();
        d->LeaveLayout(w);
    }
    const auto takeSilence = [this](int index) {
        CGUIBaseWidget* found = nullptr;
        for (CGUIBaseWidget* silence : qAsConst(d->silenceList)) {
            if (silence->GetPosition() == index) {
                found = silence;
                break;
            }
        }
        if (!found && !d->silenceList.isEmpty())
            found = d->silenceList.first();
        const QRect cells = d->CellsOf(found);
        d->LeaveLayout(found);
        return cells;
    };
    if (withMap)
        d->SetCells(d->mapWidget, takeSilence(0));
    const int offset = withMap ? 1 : 0;
    for (int i = 0; i < d->playList.size(); ++i)
        d->SetCells(d->playList.at(i), takeSilence(i + offset));
    d->FillLayoutWithIdle(d->rows, d->columns, withMap);
    d->ReLayout(true);
    return true;
}

bool CAnimaWidgetLayoutMgr::SetXmlWithRedundancyElimination(const QString& text,
                                                            QVector<int>& indexes,
                                                            unsigned int& extra)
{
    if ((indexes.isEmpty() && extra == kNoExtra) || !d->host)
        return false;
    CLayoutElementConfig parsed;
    if (!CLayoutElementConfig::ParseSingle(text, parsed))
        return false;
    const QVector<struLayoutElementData>& items = parsed.GetElementItems();
    const auto sane = [](const struLayoutElementData& cell) {
        return cell.row >= 0 && cell.column >= 0 && cell.row < kLimit && cell.column < kLimit
            && cell.rowSpan >= 1 && cell.columnSpan >= 1 && cell.rowSpan <= kLimit
            && cell.columnSpan <= kLimit;
    };
    QVector<int> selection = indexes;
    if (extra != kNoExtra)
        selection.append(extra > unsigned(INT_MAX) ? -1 : int(extra));
    QRect bounds;
    for (int position : qAsConst(selection)) {
        if (position < 0 || position >= items.size() || !sane(items.at(position)))
            continue;
        const struLayoutElementData& cell = items.at(position);
        bounds = bounds.united(QRect(cell.column, cell.row, cell.columnSpan, cell.rowSpan));
    }
    if (bounds.isEmpty())
        return false;

    QVector<int> kept;
    for (int i = 0; i < items.size(); ++i) {
        if (sane(items.at(i)) && bounds.contains(QPoint(items.at(i).column, items.at(i).row)))
            kept.append(i);
    }
    QVector<int> byId = kept;
    std::stable_sort(byId.begin(), byId.end(),
                     [&items](int a, int b) { return items.at(a).id < items.at(b).id; });
    QHash<int, int> newId; // position in the text -> new id
    for (int rank = 0; rank < byId.size(); ++rank)
        newId.insert(byId.at(rank), rank);

    QRect grid(0, 0, bounds.width(), bounds.height());
    QVector<QRect> cells;
    QVector<int> numbers;
    for (int position : qAsConst(kept)) {
        const struLayoutElementData& cell = items.at(position);
        const QRect rect(cell.column - bounds.x(), cell.row - bounds.y(), cell.columnSpan,
                         cell.rowSpan);
        grid = grid.united(rect);
        cells.append(rect);
        numbers.append(newId.value(position));
    }
    Detail::CFreeGridModel check;
    if (!check.SetGridSize(grid.height(), grid.width()))
        return false;
    for (int i = 0; i < cells.size(); ++i) {
        if (!check.AddItem(i, cells.at(i)))
            return false;
    }

    for (int& entry : indexes) {
        if (newId.contains(entry))
            entry = newId.value(entry);
    }
    if (extra != kNoExtra && extra <= unsigned(INT_MAX) && newId.contains(int(extra)))
        extra = unsigned(newId.value(int(extra)));
    d->working = parsed;
    d->ClearLayoutContent();
    d->ApplyIdleCells(cells, numbers, grid.height(), grid.width());
    d->ReLayout(true);
    return true;
}

bool CAnimaWidgetLayoutMgr::GetSingleLayoutElementByXml(CLayoutElementConfig* out,
                                                        const QString& text) const
{
    return out && CLayoutElementConfig::ParseSingle(text, *out);
}

bool CAnimaWidgetLayoutMgr::CompareLayout(const QString& text, SplitType type)
{
    CLayoutElementConfig parsed;
    if (!CLayoutElementConfig::ParseSingle(text, parsed))
        return false;
    d->working = parsed;
    const CLayoutElementConfig* preset = d->descriptions.value(type);
    if (!preset || preset->Size() != parsed.Size())
        return false;
    for (const struLayoutElementData& cell : parsed.GetElementItems()) {
        if (!preset->Contains(cell))
            return false;
    }
    return true;
}

// --- queries -------------------------------------------------------------------------------

CAnimaWidgetLayoutMgr::SplitType CAnimaWidgetLayoutMgr::GetSplitType() const
{
    return d->splitType;
}

int CAnimaWidgetLayoutMgr::GetWndCountByType(SplitType type) const
{
    const CLayoutElementConfig* config = d->descriptions.value(type);
    return config ? config->WndSize() : 0;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidgetByIndex(int index) const
{
    CGUIBaseWidget* w = d->WindowAtIndex(index);
    if (!w)
        NIMB_LOG_ERROR("TesselGUIToolkit::CAnimaWidgetLayoutMgr::GetWidgetByIndex",
                       "WidgetLayout\\AnimaWidgetLayoutMgr.cpp", "Get Widget is NULL. Index: %d",
                       index);
    return w;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetWidget(int number) const
{
    return d->windowMap.value(number, nullptr);
}

bool CAnimaWidgetLayoutMgr::GetWidgetScale(CGUIBaseWidget* w, int& cells, int& total) const
{
    if (!d->host || !w || (!d->allList.contains(w) && w != d->mapWidget))
        return false;
    if (d->maximized && w->isVisible()) {
        cells = 1;
        total = 1;
        return true;
    }
    cells = w->GetRowSpan() * w->GetColumnSpan();
    total = d->rows * d->columns;
    return true;
}

int CAnimaWidgetLayoutMgr::GetVisiableWidgetCount(bool includeIdle) const
{
    return includeIdle ? d->displayedList.size() : d->playList.size() + d->silenceList.size();
}

int CAnimaWidgetLayoutMgr::GetVisiablePlayWidgetCount(bool includeSilence) const
{
    return d->playList.size() + (includeSilence ? d->silenceList.size() : 0);
}

QList<CGUIBaseWidget*> CAnimaWidgetLayoutMgr::GetAllVisibleWidgets() const
{
    return d->displayedList;
}

QList<CGUIBaseWidget*> CAnimaWidgetLayoutMgr::GetAllVisiablePlayWidgets() const
{
    return d->playList;
}

QList<CGUIBaseWidget*> CAnimaWidgetLayoutMgr::GetAllVisiblePlaySilenceWidgets() const
{
    return d->playList + d->silenceList;
}

int CAnimaWidgetLayoutMgr::GetMapWidgetIndex() const
{
    return d->mapMode && d->mapWidget ? d->mapWidget->GetPosition() : -1;
}

bool CAnimaWidgetLayoutMgr::WidgetDisplayedInLayout(CGUIBaseWidget* w) const
{
    return d->IsInLayout(w);
}

bool CAnimaWidgetLayoutMgr::GetWidgetPos(CGUIBaseWidget* w, int& row, int& column, int& rowSpan,
                                         int& columnSpan) const
{
    const bool placed = d->IsInLayout(w) && !d->CellsOf(w).isNull();
    row = placed ? w->GetRow() : -1;
    column = placed ? w->GetColumn() : -1;
    rowSpan = placed ? w->GetRowSpan() : -1;
    columnSpan = placed ? w->GetColumnSpan() : -1;
    return placed;
}

QSize CAnimaWidgetLayoutMgr::GetUnitWidgetSize() const
{
    const Detail::FreeCellSize cell = d->CellSize();
    return QSize(cell.width, cell.height);
}

// --- map mode ------------------------------------------------------------------------------

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetMapWidget() const
{
    return d->mapWidget;
}

bool CAnimaWidgetLayoutMgr::IsMapMode() const
{
    return d->mapMode;
}

bool CAnimaWidgetLayoutMgr::OpenMapWidget()
{
    if (!d->InsertMapLayout())
        return false;
    d->ReLayout(true);
    return true;
}

bool CAnimaWidgetLayoutMgr::CloseMapModel()
{
    if (!d->mapMode)
        return false;
    CGUIBaseWidget* map = d->mapWidget;
    if (!map || !d->DeleteLayout(map)) {
        d->mapMode = false;
        d->FillLayoutWithIdle(d->rows, d->columns, false);
    }
    if (map)
        map->hide();
    d->ReLayout(true);
    return true;
}

// --- windows in the layout -----------------------------------------------------------------

bool CAnimaWidgetLayoutMgr::AddWidgetDisplayByUnitPos(CGUIBaseWidget* w, int row, int column)
{
    return d->PlaceWindowAtCell(w, QPoint(column, row), false);
}

bool CAnimaWidgetLayoutMgr::AddWidgetByAdaptive(const QList<CGUIBaseWidget*>& widgets)
{
    if (!d->host)
        return false;
    QList<CGUIBaseWidget*> adding;
    for (CGUIBaseWidget* w : widgets) {
        if (w && d->IsPlayKind(w) && !d->IsInLayout(w) && !adding.contains(w))
            adding.append(w);
    }
    if (adding.isEmpty())
        return false;

    Detail::CFreeGridModel model;
    QList<CGUIBaseWidget*> keys;
    if (!d->BuildModel(model, keys))
        return false;
    int rowCount = d->rows;
    int columnCount = d->columns;
    const int idle = model.IdleCells().size();
    if (adding.size() > idle) {
        int grownRows = rowCount;
        int grownColumns = columnCount;
        if (!d->GetSuitLayoutByAddtion(adding.size() - idle, rowCount, columnCount, grownRows,
                                       grownColumns)
            || !model.SetGridSize(grownRows, grownColumns)
            || model.IdleCells().size() < adding.size())
            return false;
        rowCount = grownRows;
        columnCount = grownColumns;
    }
    const QVector<QPoint> cells = model.IdleCells();
    for (int i = 0; i < adding.size(); ++i) {
        AddWidget(adding.at(i));
        d->SetCells(adding.at(i), QRect(cells.at(i), QSize(1, 1)));
        d->playList.append(adding.at(i));
    }
    d->FillLayoutWithIdle(rowCount, columnCount, d->mapMode);
    d->ReLayout(true);
    Q_EMIT SignalAddWidgetByAdaptive(adding.size(), rowCount, columnCount);
    return true;
}

bool CAnimaWidgetLayoutMgr::RemoveWidget(CGUIBaseWidget* w)
{
    if (!w || w->WidgetTypes() == 1000 || !d->IsInLayout(w) || !d->DeleteLayout(w))
        return false;
    if (w->WidgetTypes() != 1000)
        w->SetTileNumber(-1);
    w->hide();
    d->ReLayout(true);
    return true;
}

void CAnimaWidgetLayoutMgr::CloseAllPlayWnds(bool remove)
{
    const QList<CGUIBaseWidget*> windows = d->playList;
    for (CGUIBaseWidget* w : windows)
        w->ClosePlayWnd();
    if (!remove || windows.isEmpty() || !d->host)
        return;
    for (CGUIBaseWidget* w : windows)
        d->LeaveLayout(w);
    d->FillLayoutWithIdle(d->rows, d->columns, d->mapMode);
    d->ReLayout(true);
}

bool CAnimaWidgetLayoutMgr::SwitchWidgetsByIndex(int from, int to)
{
    CGUIBaseWidget* a = d->WindowAtIndex(from);
    CGUIBaseWidget* b = d->WindowAtIndex(to);
    if (!a || !b)
        return false;
    if (a == b)
        return true;
    const QRect cellsA = d->CellsOf(a);
    d->SetCells(a, d->CellsOf(b));
    d->SetCells(b, cellsA);
    d->ReLayout(true);
    Q_EMIT SignalWidgetSwitched(from, to);
    return true;
}

bool CAnimaWidgetLayoutMgr::SwitchWidgetToInter(int index, int columns, int rows)
{
    CGUIBaseWidget* w = d->WindowAtIndex(index);
    if (!w || !d->RealWindows().contains(w))
        return false;
    if (!d->ApplyMove(w, d->CellsOf(w).topLeft() + QPoint(columns, rows)))
        return false;
    return true;
}

bool CAnimaWidgetLayoutMgr::ScaleWidgetByUnitPos(int index, int columnSpan, int rowSpan,
                                                 int pressedArea, bool isMap)
{
    CGUIBaseWidget* w =
        isMap ? (d->mapMode ? d->mapWidget.data() : nullptr) : d->WindowAtIndex(index);
    if (!w || !d->RealWindows().contains(w) || columnSpan < 1 || rowSpan < 1
        || columnSpan > Detail::kFreeGridMaxSpan || rowSpan > Detail::kFreeGridMaxSpan
        || pressedArea < 1 || pressedArea > 8)
        return false;
    const QRect old = d->CellsOf(w);
    const int left =
        Detail::FreeGridAreaMovesLeft(pressedArea) ? old.right() + 1 - columnSpan : old.left();
    const int top =
        Detail::FreeGridAreaMovesTop(pressedArea) ? old.bottom() + 1 - rowSpan : old.top();
    return d->ApplyScale(w, QRect(left, top, columnSpan, rowSpan), pressedArea);
}

// --- maximise and selection ----------------------------------------------------------------

void CAnimaWidgetLayoutMgr::ShowMaximized(CGUIBaseWidget* w)
{
    if (!w || !d->host || !d->IsInLayout(w) || w->WidgetTypes() == 1000)
        return;
    d->maximizedWidget = w;
    d->TakeOutOfLayout(w);
    if (CGeometryAnimator* animator = w->GetAnimator(nullptr))
        animator->Finish();
    w->setGeometry(d->host->rect());
    w->raise();
    d->maximized = true;
    for (CInternalWidget* edge : qAsConst(d->edgeZones)) {
        if (edge)
            edge->setAcceptDrops(false);
    }
    if (d->mask)
        d->mask->setAcceptDrops(false);
    Q_EMIT SignalShowMaximized();
}

void CAnimaWidgetLayoutMgr::ShowNormal()
{
    if (!d->maximized)
        return;
    d->ReLayout(true);
}

bool CAnimaWidgetLayoutMgr::Maximized(CGUIBaseWidget* w) const
{
    return d->maximized && w && w->isVisible();
}

bool CAnimaWidgetLayoutMgr::IsMaximized() const
{
    return d->maximized;
}

CGUIBaseWidget* CAnimaWidgetLayoutMgr::GetSelectedWidget() const
{
    return d->selected;
}

void CAnimaWidgetLayoutMgr::SetSelectedWidget(CGUIBaseWidget* w)
{
    if (w == d->selected)
        return;
    if (w && !d->registry.contains(w))
        return;
    if (d->selected) {
        d->selected->SetSelected(false);
        d->selected->update();
    }
    d->selected = w;
    if (!w)
        return;
    w->SetSelected(true);
    w->update();
    Q_EMIT SignalWidgetSelected();
}

void CAnimaWidgetLayoutMgr::OnWidgetSelected()
{
    auto* w = qobject_cast<CGUIBaseWidget*>(sender());
    if (w)
        SetSelectedWidget(w);
}

} // namespace TesselGUIToolkit
