#include "WidgetLayout/PlayWndToolBar.h"

#include "Button/ToolButton.h"
#include "Core/ArbaricSetting.h"
#include "Core/IconFontLoader.h"
#include "Core/Toolkit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVector>

#include <algorithm>

namespace TesselGUIToolkit {

namespace {

    const char* const kPriorityProperty = "_layout_priority_";
    const char* const kDirectlyShowProperty = "_directly_show_";
    const char* const kSoundOpenedProperty = "_sound_opened_";
    // A wider pop-up than this many buttons would reach far past a small play window.
    const int kExtendColumns = 6;

    // The line between two groups takes the place of the gap between neighbours, so the width
    // arithmetic of the layout does not depend on how many groups there are.
    class CToolBarSplitterLine : public QFrame
    {
    public:
        explicit CToolBarSplitterLine(QWidget* parent)
            : QFrame(parent)
        {
            setObjectName(QStringLiteral("ptr_splitter_line_"));
            setStyleSheet(QStringLiteral("QFrame{background: transparent;}"));
            setFixedWidth(CPlayWndToolBar::kWidgetGap);
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter painter(this);
            painter.setPen(QColor(255, 255, 255, 64));
            const int inset = height() / 4;
            painter.drawLine(0, inset, 0, height() - inset - 1);
        }
    };

    // The width a layout with slack gives the widget: its size hint within its limits.
    int LaidOutWidth(const QWidget* widget)
    {
        if (widget->minimumWidth() == widget->maximumWidth())
            return widget->minimumWidth();
        int hint = widget->sizeHint().width();
        if (hint < 0)
            hint = widget->width();
        hint = qMax(hint, widget->minimumSizeHint().width());
        return qBound(widget->minimumWidth(), hint, widget->maximumWidth());
    }

    int Priority(QWidget* widget)
    {
        const QVariant value = widget->property(kPriorityProperty);
        if (!value.isValid()) {
            widget->setProperty(kPriorityProperty, 0);
            return 0;
        }
        return value.toInt();
    }

    QAction* SteeringAction(QWidget* widget)
    {
        auto* button = qobject_cast<QToolButton*>(widget);
        return button ? button->defaultAction() : nullptr;
    }

    void TakeAllItems(QLayout* layout)
    {
        while (QLayoutItem* item = layout->takeAt(0))
            delete item;
    }

    void RemoveFrom(QList<QPointer<QWidget>>& list, QWidget* widget)
    {
        for (int i = list.size() - 1; i >= 0; --i) {
            if (list.at(i) == widget)
                list.removeAt(i);
        }
    }

} // namespace

CPlayWndToolBar::CPlayWndToolBar(QWidget* parent, WndType type)
    : QFrame(parent)
    , m_eWndType(type)
{
    const bool rightToLeft =
        ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft;
    if (rightToLeft)
        setLayoutDirection(Qt::RightToLeft);

    m_pBarLayout = new QHBoxLayout(this);
    m_pBarLayout->setContentsMargins(0, 0, 0, 0);
    m_pBarLayout->setSpacing(0);

    // The content area must not tell the parent layouts how wide its widgets are: the bar
    // folds them away when it is narrow, so it has to be allowed to become narrow.
    m_pContent = new QWidget(this);
    m_pContent->setObjectName(QStringLiteral("ptr_content_widget_"));
    m_pContent->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_pContentLayout = new QHBoxLayout(m_pContent);
    m_pContentLayout->setContentsMargins(0, 0, 0, 0);
    m_pContentLayout->setSpacing(0);

    m_pEndArea = new QWidget(this);
    m_pEndArea->setObjectName(QStringLiteral("ptr_end_widget_"));
    m_pEndLayout = new QHBoxLayout(m_pEndArea);
    m_pEndLayout->setContentsMargins(0, 0, 0, 0);
    m_pEndLayout->setSpacing(0);
    m_pEndArea->hide();

    m_pBarLayout->addWidget(m_pContent, 1);
    m_pBarLayout->addWidget(m_pEndArea, 0);

    m_pMoreButton = new CToolButton(m_pContent);
    m_pMoreButton->setObjectName(QStringLiteral("ptr_more_btn_"));
    m_pMoreButton->setFixedSize(kMoreButtonSize, kMoreButtonSize);
    CIconFontLoader::Instance().SetIcon(m_pMoreButton, QChar(0xE6AC), tr("More"), true);
    m_pMoreButton->hide();
    connect(m_pMoreButton, &QAbstractButton::clicked, this, &CPlayWndToolBar::ShowExtendWnd);

    m_pExtendWnd =
        new QFrame(this, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_pExtendWnd->setObjectName(QStringLiteral("ptr_extend_wnd_"));
    m_pExtendWnd->setStyleSheet(QStringLiteral("QFrame{background-color: #292929;}"));
    m_pExtendWnd->setMouseTracking(true);
    if (rightToLeft)
        m_pExtendWnd->setLayoutDirection(Qt::RightToLeft);
    m_pExtendLayout = new QGridLayout(m_pExtendWnd);
    m_pExtendLayout->setContentsMargins(2, 2, 2, 2);
    m_pExtendLayout->setSpacing(0);
    m_pExtendWnd->installEventFilter(this);
}

CPlayWndToolBar::~CPlayWndToolBar()
{
    // The client's widgets are children and die after this body has run; their destroyed()
    // signals and the pop-up's events must not reach a half-destroyed bar.
    m_pExtendWnd->removeEventFilter(this);
    for (const auto& list : m_listSides) {
        for (const QPointer<QWidget>& widget : list) {
            if (!widget)
                continue;
            widget->disconnect(this);
            if (QAction* action = SteeringAction(widget))
                action->disconnect(this);
        }
    }
}

void CPlayWndToolBar::AddWidgets(Side side, QList<QWidget*>& widgets)
{
    if (side < LeadingSide || side > EndSide)
        return;
    const QList<QPointer<QWidget>> before = m_listSides[0] + m_listSides[1] + m_listSides[2];
    m_listSides[side].clear();
    for (QWidget* widget : widgets) {
        if (!widget || widget == this)
            continue;
        for (auto& list : m_listSides)
            RemoveFrom(list, widget);
        m_listSides[side].append(widget);
        Watch(widget);
    }
    ReleaseDropped(before);
    RelayoutAll();
}

void CPlayWndToolBar::AddWidgets(QList<QWidget*>& leading, QList<QWidget*>& trailing,
                                 QList<QWidget*>& end)
{
    const QList<QPointer<QWidget>> before = m_listSides[0] + m_listSides[1] + m_listSides[2];
    QList<QWidget*>* lists[3] = {&leading, &trailing, &end};
    for (auto& list : m_listSides)
        list.clear();
    for (int side = 0; side < 3; ++side) {
        for (QWidget* widget : *lists[side]) {
            if (!widget || widget == this)
                continue;
            for (auto& list : m_listSides)
                RemoveFrom(list, widget);
            m_listSides[side].append(widget);
            Watch(widget);
        }
    }
    ReleaseDropped(before);
    RelayoutAll();
}

void CPlayWndToolBar::AddExtraWidgets(Side side, QWidget* widget)
{
    if (!widget || widget == this || side < LeadingSide || side > EndSide)
        return;
    for (auto& list : m_listSides)
        RemoveFrom(list, widget);
    if (side == LeadingSide)
        m_listSides[side].prepend(widget);
    else
        m_listSides[side].append(widget);
    Watch(widget);
    RelayoutAll();
}

QList<QWidget*> CPlayWndToolBar::GetWidgets(Side side) const
{
    QList<QWidget*> widgets;
    if (side < LeadingSide || side > EndSide)
        return widgets;
    for (const QPointer<QWidget>& widget : m_listSides[side]) {
        if (widget)
            widgets.append(widget);
    }
    return widgets;
}

void CPlayWndToolBar::SetToolBarContentsMargins(int left, int top, int right, int bottom)
{
    m_pBarLayout->setContentsMargins(qMax(0, left), qMax(0, top), qMax(0, right), qMax(0, bottom));
    RelayoutAll();
}

void CPlayWndToolBar::SetSpacing(int spacing)
{
    m_pBarLayout->setSpacing(qMax(0, spacing));
    RelayoutAll();
}

QList<QWidget*> CPlayWndToolBar::GetFoldedWidgets() const
{
    QList<QWidget*> widgets;
    for (const QPointer<QWidget>& widget : m_listFolded) {
        if (widget)
            widgets.append(widget);
    }
    return widgets;
}

QList<QWidget*> CPlayWndToolBar::VisibleSideWidgets(int side)
{
    QList<QWidget*> widgets;
    for (const QPointer<QWidget>& widget : m_listSides[side]) {
        if (!widget)
            continue;
        if (widget->property(kDirectlyShowProperty).toBool()) {
            QAction* action = SteeringAction(widget);
            if (action && !action->isVisible()) {
                widget->hide();
                continue;
            }
        }
        widgets.append(widget);
    }
    std::stable_sort(widgets.begin(), widgets.end(),
                     [](QWidget* a, QWidget* b) { return Priority(a) < Priority(b); });
    return widgets;
}

void CPlayWndToolBar::ClearLayouts()
{
    TakeAllItems(m_pContentLayout);
    TakeAllItems(m_pEndLayout);
    TakeAllItems(m_pExtendLayout);
    for (QFrame* line : qAsConst(m_listSplitterPool))
        line->hide();
    m_nSplittersUsed = 0;
    m_listFolded.clear();
}

QFrame* CPlayWndToolBar::TakeSplitterLine()
{
    if (m_nSplittersUsed == m_listSplitterPool.size())
        m_listSplitterPool.append(new CToolBarSplitterLine(m_pContent));
    QFrame* line = m_listSplitterPool.at(m_nSplittersUsed++);
    line->show();
    return line;
}

void CPlayWndToolBar::PlaceInBar(QWidget* widget)
{
    if (widget->parentWidget() != m_pContent)
        widget->setParent(m_pContent);
    m_pContentLayout->addWidget(widget);
    widget->show();
}

void CPlayWndToolBar::PlaceInExtend(QWidget* widget, int index)
{
    if (widget->parentWidget() != m_pExtendWnd)
        widget->setParent(m_pExtendWnd);
    m_pExtendLayout->addWidget(widget, index / kExtendColumns, index % kExtendColumns);
    widget->show();
    m_listFolded.append(widget);
}

void CPlayWndToolBar::Watch(QWidget* widget)
{
    connect(widget, &QObject::destroyed, this, &CPlayWndToolBar::OnWidgetDestroyed,
            Qt::UniqueConnection);
    if (QAction* action = SteeringAction(widget))
        connect(action, &QAction::changed, this, &CPlayWndToolBar::OnContentChanged,
                Qt::UniqueConnection);
}

void CPlayWndToolBar::ReleaseDropped(const QList<QPointer<QWidget>>& before)
{
    for (const QPointer<QWidget>& widget : before) {
        if (!widget)
            continue;
        bool kept = false;
        for (const auto& list : m_listSides)
            kept = kept || list.contains(widget);
        if (kept)
            continue;
        widget->disconnect(this);
        if (QAction* action = SteeringAction(widget))
            action->disconnect(this);
        // Leaving it in the pop-up would show it there again with the next folded widget.
        if (widget->parentWidget() == m_pExtendWnd)
            widget->setParent(m_pContent);
        widget->hide();
    }
}

int CPlayWndToolBar::RelayoutAll()
{
    if (m_bInRelayout)
        return m_nLayoutCut;
    m_bInRelayout = true;
    m_bRelayoutPending = false;
    // No setUpdatesEnabled(false) around the rebuild: the new layout is painted in one pass
    // anyway, and a disable that meets an inherited one would leave the bar disabled for good.
    ClearLayouts();

    const QList<QWidget*> leading = VisibleSideWidgets(LeadingSide);
    const QList<QWidget*> trailing = VisibleSideWidgets(TrailingSide);
    const QList<QWidget*> end = VisibleSideWidgets(EndSide);

    int endWidth = 0;
    for (int i = 0; i < end.size(); ++i) {
        QWidget* widget = end.at(i);
        if (i > 0) {
            m_pEndLayout->addSpacing(kWidgetGap);
            endWidth += kWidgetGap;
        }
        if (widget->parentWidget() != m_pEndArea)
            widget->setParent(m_pEndArea);
        m_pEndLayout->addWidget(widget);
        widget->show();
        endWidth += LaidOutWidth(widget);
    }
    m_pEndArea->setVisible(!end.isEmpty());

    const QMargins margins = m_pBarLayout->contentsMargins();
    int available = contentsRect().width() - margins.left() - margins.right();
    if (!end.isEmpty())
        available -= endWidth + m_pBarLayout->spacing();

    struct Item
    {
        QWidget* widget;
        int width;
        int priority;
    };
    QVector<Item> items;
    for (QWidget* widget : leading + trailing)
        items.append({widget, LaidOutWidth(widget), Priority(widget)});
    const int leadingCount = leading.size();
    const int count = items.size();

    // ends[k]: the width that the first k widgets take, each followed by its gap to the next.
    QVector<int> ends(count + 1, 0);
    for (int i = 0; i < count; ++i) {
        const int sideGap =
            (i == leadingCount && leadingCount > 0) ? kSideGap - kWidgetGap : 0;
        ends[i + 1] = ends[i] + sideGap + items.at(i).width + kWidgetGap;
    }
    // The start of the "More" button placed after the first k widgets.
    auto moreStart = [&](int k) {
        return ends[k] + ((k == leadingCount && leadingCount > 0) ? kSideGap - kWidgetGap : 0);
    };

    int kept = count;
    if (count > 0 && ends[count] - kWidgetGap > available) {
        kept = 0;
        while (kept < count && ends[kept + 1] - kWidgetGap <= available)
            ++kept;
        while (kept > 0 && moreStart(kept) + kMoreButtonSize > available)
            --kept;
    }
    const bool folded = kept < count;

    auto addGap = [&](int i) {
        if (items.at(i).priority == items.at(i - 1).priority)
            m_pContentLayout->addSpacing(kWidgetGap);
        else
            m_pContentLayout->addWidget(TakeSplitterLine());
    };

    for (int i = 0; i < qMin(kept, leadingCount); ++i) {
        if (i > 0)
            addGap(i);
        PlaceInBar(items.at(i).widget);
    }
    if (folded && kept < leadingCount) {
        if (kept > 0)
            m_pContentLayout->addSpacing(kWidgetGap);
        m_pContentLayout->addWidget(m_pMoreButton);
    }
    if (leadingCount > 0 && kept > leadingCount)
        m_pContentLayout->addSpacing(kSideGap);
    m_pContentLayout->addStretch(1);
    for (int i = leadingCount; i < kept; ++i) {
        if (i > leadingCount)
            addGap(i);
        PlaceInBar(items.at(i).widget);
    }
    if (folded && kept >= leadingCount) {
        if (kept > leadingCount)
            m_pContentLayout->addSpacing(kWidgetGap);
        m_pContentLayout->addWidget(m_pMoreButton);
    }
    m_pMoreButton->setVisible(folded);

    for (int i = kept; i < count; ++i)
        PlaceInExtend(items.at(i).widget, i - kept);
    if (!folded)
        HideExtendWnd();
    else if (m_pExtendWnd->isVisible())
        m_pExtendWnd->adjustSize();

    if (!folded)
        m_nLayoutCut = -1;
    else if (kept < leadingCount)
        m_nLayoutCut = kept;
    else
        m_nLayoutCut = kTrailingCutOffset + kept - leadingCount;

    m_nLaidOutWidth = width();
    m_bInRelayout = false;
    return m_nLayoutCut;
}

void CPlayWndToolBar::ShowExtendWnd()
{
    if (GetFoldedWidgets().isEmpty())
        return;
    m_pExtendWnd->adjustSize();
    const QWidget* anchorWidget = m_pMoreButton->isVisible() ? static_cast<QWidget*>(m_pMoreButton)
                                                             : static_cast<QWidget*>(this);
    const QRect anchor(anchorWidget->mapToGlobal(QPoint(0, 0)), anchorWidget->size());
    m_pExtendWnd->move(GetBorderAvailableGeometry(anchor, m_pExtendWnd).topLeft());
    m_pExtendWnd->show();
    m_pExtendWnd->raise();
    m_pExtendWnd->activateWindow();
}

void CPlayWndToolBar::HideExtendWnd()
{
    m_pExtendWnd->hide();
}

void CPlayWndToolBar::OnExtraWidgetHide()
{
    if (!m_pExtendWnd->frameGeometry().contains(QCursor::pos()))
        HideExtendWnd();
}

bool CPlayWndToolBar::IsMouseEnterExtend() const
{
    return m_pExtendWnd->isVisible() && m_pExtendWnd->isActiveWindow()
        && m_pExtendWnd->frameGeometry().contains(QCursor::pos());
}

bool CPlayWndToolBar::IsSoundOpend() const
{
    const auto* button = findChild<QAbstractButton*>(QStringLiteral("ptr_volumn_btn_"));
    return button && button->property(kSoundOpenedProperty).toBool();
}

bool CPlayWndToolBar::HaveRelatedPopWndVisible() const
{
    return false;
}

bool CPlayWndToolBar::CursorOutsideBarAndExtend() const
{
    const QPoint cursor = QCursor::pos();
    const QRect bar(mapToGlobal(QPoint(0, 0)), size());
    return !bar.contains(cursor)
        && !(m_pExtendWnd->isVisible() && m_pExtendWnd->frameGeometry().contains(cursor));
}

bool CPlayWndToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pExtendWnd) {
        switch (event->type()) {
        case QEvent::Leave:
            OnExtraWidgetHide();
            if (isVisible() && CursorOutsideBarAndExtend() && !HaveRelatedPopWndVisible())
                Q_EMIT SignalHideToolBar();
            break;
        case QEvent::WindowDeactivate:
            OnExtraWidgetHide();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CPlayWndToolBar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->size().width() != m_nLaidOutWidth)
        RelayoutAll();
}

void CPlayWndToolBar::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    if (event->spontaneous())
        return;
    if (width() != m_nLaidOutWidth)
        RelayoutAll();
    Q_EMIT SignalShowToolbar(true);
}

void CPlayWndToolBar::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    if (event->spontaneous())
        return;
    HideExtendWnd();
    Q_EMIT SignalShowToolbar(false);
}

void CPlayWndToolBar::leaveEvent(QEvent* event)
{
    QFrame::leaveEvent(event);
    // A button under the cursor when the bar is left (or hidden under it) would keep its hover
    // look until the cursor next crosses it.
    const QList<QAbstractButton*> buttons = findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->window() == window())
            QCoreApplication::postEvent(button, new QEvent(QEvent::Leave));
    }
    if (!m_pExtendWnd->isVisible() && !HaveRelatedPopWndVisible())
        Q_EMIT SignalHideToolBar();
}

void CPlayWndToolBar::OnContentChanged()
{
    if (m_bRelayoutPending)
        return;
    m_bRelayoutPending = true;
    QTimer::singleShot(0, this, [this]() {
        if (m_bRelayoutPending)
            RelayoutAll();
    });
}

void CPlayWndToolBar::OnWidgetDestroyed(QObject*)
{
    OnContentChanged();
}

} // namespace TesselGUIToolkit
