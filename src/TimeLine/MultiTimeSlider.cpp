#include "TimeLine/MultiTimeSlider.h"

#include "TimeLine/MultiChartView.h"
#include "TimeLine/MultiTimeSliderGeometry_p.h"
#include "TimeLine/TimeAxis_p.h"

#include <QCursor>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace TesselGUIToolkit {

namespace {

    constexpr int kHoverDelayMs = 1000;
    constexpr int kLeaveDelayMs = 500;
    constexpr int kRefreshMs = 5000;
    constexpr int kFadeMs = 300;
    constexpr int kDelayedStripMs = 100;
    constexpr int kHighestLevel = 4;
    const char* const kTimeProperty = "time_t";

    // A drawn pin for when the client ships no picture for the button.
    QIcon PlainPinIcon()
    {
        QPixmap pix(12, 12);
        pix.fill(Qt::transparent);
        QPainter painter(&pix);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 200, 200));
        painter.drawEllipse(QRectF(3, 0, 6, 6));
        painter.fillRect(QRectF(5.5, 5, 1, 7), QColor(200, 200, 200));
        painter.end();
        return QIcon(pix);
    }

} // namespace

// ---------------------------------------------------------------------------------------------
CTimeSilderPictureLabel::CTimeSilderPictureLabel(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("ptr_thumbnail_label_"));
    setCursor(Qt::PointingHandCursor);
    setProperty(kTimeProperty, QVariant::fromValue<qint64>(0));
}

CTimeSilderPictureLabel::~CTimeSilderPictureLabel() = default;

void CTimeSilderPictureLabel::SetTime(qint64 llTime)
{
    m_llTime = llTime;
    setProperty(kTimeProperty, QVariant::fromValue<qint64>(llTime));
    update();
}

void CTimeSilderPictureLabel::SetPicture(const QPixmap& pix)
{
    m_pixPicture = pix;
    update();
}

void CTimeSilderPictureLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, QColor(0x10, 0x10, 0x10));
    if (!m_pixPicture.isNull()) {
        // Fill the frame the way a camera picture is usually framed: cropped, never stretched.
        const QSize scaled =
            m_pixPicture.size().scaled(area.size(), Qt::KeepAspectRatioByExpanding);
        const QRect target(QPoint(area.center().x() - scaled.width() / 2 + 1,
                                  area.center().y() - scaled.height() / 2 + 1),
                           scaled);
        painter.setClipRect(area);
        painter.drawPixmap(target, m_pixPicture);
        painter.setClipping(false);
    }
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    const QString text = Detail::FormatLocal(m_llTime, QStringLiteral("hh:mm:ss"));
    const QRect textBox(area.left() + 3, area.bottom() - 14, area.width() - 6, 13);
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(textBox.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(Qt::white);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void CTimeSilderPictureLabel::mousePressEvent(QMouseEvent* event)
{
    m_bPressed = event->button() == Qt::LeftButton;
    event->accept();
}

void CTimeSilderPictureLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_bPressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_bPressed = false;
    event->accept();
    if (click)
        Q_EMIT SignalPictureClicked();
}

// ---------------------------------------------------------------------------------------------
CThumbnailWraper::CThumbnailWraper(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("ptr_thumbnail_wraper_"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1E, 0x1E, 0x1E));
    setPalette(pal);
    setCursor(Qt::SplitVCursor);

    m_pPictureArea = new QWidget(this);
    m_pPictureArea->setObjectName(QStringLiteral("ptr_thumbnail_area_"));
    m_pPictureArea->setCursor(Qt::ArrowCursor);

    m_pPinButton = new QPushButton(this);
    m_pPinButton->setObjectName(QStringLiteral("ptr_pin_btn_"));
    m_pPinButton->setCheckable(true);
    m_pPinButton->setFocusPolicy(Qt::NoFocus);
    m_pPinButton->setCursor(Qt::ArrowCursor);
    m_pPinButton->setToolTip(tr("Pin"));
    m_pPinButton->setFixedSize(18, 18);
    const QString pinPath = QStringLiteral(":/Kestrel/TimeSlider/pin.png");
    m_pPinButton->setIcon(QFile::exists(pinPath) ? QIcon(pinPath) : PlainPinIcon());
    connect(m_pPinButton, &QPushButton::toggled, this, &CThumbnailWraper::SignalPinToggled);

    m_pTextLabel = new QLabel(this);
    m_pTextLabel->setObjectName(QStringLiteral("ptr_thumbnail_text_label_"));
    m_pTextLabel->setStyleSheet(QStringLiteral("QLabel{color:white}"));
    m_pTextLabel->setAlignment(Qt::AlignCenter);
    m_pTextLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pTextLabel->hide();

    SetPictureHeight(0);
}

CThumbnailWraper::~CThumbnailWraper() = default;

void CThumbnailWraper::SetText(const QString& strText)
{
    m_pTextLabel->setText(strText);
    m_pTextLabel->setVisible(!strText.isEmpty());
    LayoutParts();
}

void CThumbnailWraper::SetPictureHeight(int nHeight)
{
    m_nPictureHeight = std::max(0, nHeight);
    // A plain resize: size constraints on a tool window would be handed to the window manager,
    // and the owner places the strip anyway.
    resize(width(), m_nPictureHeight + Detail::kThumbnailBandHeight);
    LayoutParts();
}

bool CThumbnailWraper::IsPinned() const
{
    return m_pPinButton->isChecked();
}

void CThumbnailWraper::SetPinned(bool bPinned)
{
    m_pPinButton->setChecked(bPinned);
}

void CThumbnailWraper::LayoutParts()
{
    const int band = Detail::kThumbnailBandHeight;
    m_pPictureArea->setGeometry(0, band, width(), m_nPictureHeight);
    m_pPinButton->move(std::max(0, width() - m_pPinButton->width() - 2), (band - 18) / 2);
    // Without pictures the notice sits in the band, beside the pin.
    const QRect textRect = m_nPictureHeight > 0
        ? QRect(0, band, width(), m_nPictureHeight)
        : QRect(0, 0, std::max(0, width() - m_pPinButton->width() - 4), band);
    m_pTextLabel->setGeometry(textRect);
    m_pTextLabel->raise();
}

void CThumbnailWraper::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayoutParts();
}

void CThumbnailWraper::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || event->pos().y() >= Detail::kThumbnailBandHeight) {
        QFrame::mousePressEvent(event);
        return;
    }
    m_bResizing = true;
    m_nPressGlobalY = event->globalPos().y();
    m_nPressHeight = m_nPictureHeight;
    event->accept();
    Q_EMIT SignalResizeStarted();
}

void CThumbnailWraper::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bResizing) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    // The strip grows upward: its bottom stays on the time line.
    const int dragged = m_nPressHeight + (m_nPressGlobalY - event->globalPos().y());
    const int snapped = Detail::SnapThumbnailHeight(dragged);
    event->accept();
    if (snapped != m_nPictureHeight)
        Q_EMIT SignalPictureHeightDragged(snapped);
}

void CThumbnailWraper::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bResizing || event->button() != Qt::LeftButton) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_bResizing = false;
    event->accept();
    Q_EMIT SignalResizeFinished();
}

// ---------------------------------------------------------------------------------------------
class CMultiTimeSliderPrivate
{
public:
    enum class Drag { None, View, Edge, Select };

    CMultiChartView* pView = nullptr;
    CTimeSliderFilterPopup* pFilterPopup = nullptr;
    QScrollBar* pScrollBar = nullptr;
    int nRowCount = 1;
    int nRowsTop = 24;
    int nRowHeight = 20;
    /// Room above the tag band; the tag marks sit just under the axis labels.
    int nExtraTop = 2;
    int nSpanType = 9;
    QList<int> listFilteredLevels;
    int nHeaderHeight = 0;
    QTimer* pHoverTimer = nullptr;
    bool bSimplify = false;
    bool bRecordsAdded = false;
    bool bDelayedStrip = false;
    QMap<qint64, QPointer<CTimeSilderPictureLabel>> mapThumbnails;
    bool bThumbnailSupport = true;
    int nThumbnailHeight = 0;
    int nThumbnailWidth = 200;
    QSet<qint64> setRequested;
    QPointer<CThumbnailWraper> pStrip;
    QPropertyAnimation* pShowAnimation = nullptr;
    QPropertyAnimation* pHideAnimation = nullptr;
    bool bStripResizing = false;
    bool bEditLeftEdge = false;
    QPoint ptPressed;

    Drag eDrag = Drag::None;
    bool bEdgeMoved = false;
    int nSelectRow = -1;
    double dSelectStart = 0.0;
    QTimer* pLeaveTimer = nullptr;
    QTimer* pRefreshTimer = nullptr;
    QPointer<QWidget> pTopLevel;
};

CMultiTimeSlider::CMultiTimeSlider(QWidget* parent)
    : CTimeSlider(new CMultiChartView, parent)
    , d(new CMultiTimeSliderPrivate)
{
    qRegisterMetaType<time_t>("time_t");
    qRegisterMetaType<size_t>("size_t");
    qRegisterMetaType<QList<int>>("QList<int>");

    d->pView = static_cast<CMultiChartView*>(GetChartView());
    d->nHeaderHeight = d->nExtraTop + d->nRowsTop + d->nRowHeight;

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(d->pView, 0, 0);
    d->pScrollBar = new QScrollBar(Qt::Vertical, this);
    d->pScrollBar->setObjectName(QStringLiteral("ptr_vertical_scroll_bar_"));
    d->pScrollBar->setSingleStep(d->nRowHeight);
    d->pScrollBar->setRange(0, 0);
    d->pScrollBar->hide();
    grid->addWidget(d->pScrollBar, 0, 1);

    d->pFilterPopup = new CTimeSliderFilterPopup(this);
    d->pFilterPopup->hide();

    d->pHoverTimer = new QTimer(this);
    d->pHoverTimer->setSingleShot(true);
    d->pHoverTimer->setInterval(kHoverDelayMs);
    d->pLeaveTimer = new QTimer(this);
    d->pLeaveTimer->setInterval(kLeaveDelayMs);
    d->pRefreshTimer = new QTimer(this);
    d->pRefreshTimer->setInterval(kRefreshMs);

    CMultiChartView* view = d->pView;
    view->SetRowGeometry(d->nRowsTop, d->nRowHeight, d->nHeaderHeight);
    view->AddSeries(new CBackGroundSeries(view));
    auto* rects = new CRectSeries(view);
    rects->SetTop(d->nRowsTop);
    view->AddSeries(rects);
    view->SetRowCount(d->nRowCount);
    auto* playLines = new CPlayLineSeries(view);
    playLines->SetRowCount(d->nRowCount);
    view->AddSeries(playLines);
    view->AddSeries(new CAxisSeries(view, GetConstructionZoneOffset()));
    auto* hover = new CMouseTextSeries(view);
    hover->SetTextY(d->nRowsTop - 18);
    view->AddSeries(hover);
    view->AddSeries(new CTagSeries(view));
    view->AddSeries(new CLockSeries(view));
    view->ApplyMarkPictures();
    view->GetCalendarButton()->show();
    view->GetFilterFrame()->show();
    view->installEventFilter(this);

    connect(d->pScrollBar, &QScrollBar::valueChanged, this,
            &CMultiTimeSlider::OnScrollBarValueChanged);
    connect(d->pFilterPopup, &CTimeSliderFilterPopup::SignalFilter, this,
            &CMultiTimeSlider::OnFilterTriggered);
    connect(d->pFilterPopup, &CTimeSliderFilterPopup::SignalResized, this,
            &CMultiTimeSlider::OnFilterMenuResized);
    connect(d->pFilterPopup, &CTimeSliderFilterPopup::SignalStorageTypeChanged, this,
            &CMultiTimeSlider::SignalStorageTypeChanged);
    connect(view, &CChartView::SignalMove, this, &CMultiTimeSlider::OnMove);
    connect(view, &CChartView::SignalDelayRelease, this, &CMultiTimeSlider::OnSlotReleaseMove);
    connect(view, &CChartView::SignalZoomOut, this, &CMultiTimeSlider::OnSlotZoomOut);
    connect(view, &CChartView::SignalZoomIn, this, &CMultiTimeSlider::OnSlotZoomIn);
    connect(view, &CChartView::SignalMoveLeft, this, &CMultiTimeSlider::MoveLeft);
    connect(view, &CChartView::SignalMoveRight, this, &CMultiTimeSlider::MoveRight);
    connect(view, &CChartView::SignalFilterBtnClicked, this, &CMultiTimeSlider::OnPopupFilterMenu);
    connect(view, &CChartView::SignalFilterRec, this, &CMultiTimeSlider::OnPopupFilterMenu);
    connect(view, &CChartView::SignalCalendarBtnClicked, this,
            &CMultiTimeSlider::SignalPopupCalendar);
    connect(view, &CChartView::SignalCalendarDateChanged, this,
            &CMultiTimeSlider::SignalCalendarDateChanged);
    connect(view, &CChartView::SignalCalenderTimeChanged, this,
            &CMultiTimeSlider::SignalCalenderTimeChanged);
    connect(d->pHoverTimer, &QTimer::timeout, this, &CMultiTimeSlider::OnHoverTimerOut);
    connect(d->pRefreshTimer, &QTimer::timeout, this, &CMultiTimeSlider::OnUpdateTimeSlider);
    connect(d->pLeaveTimer, &QTimer::timeout, this, [this]() {
        if (IsHold())
            return;
        d->pLeaveTimer->stop();
        Q_EMIT SignalMouseLeave();
    });
    connect(this, &CTimeSlider::SignalMouseLeave, this, [this]() {
        // The pointer may have gone up into the strip to pick a picture.
        if (d->pStrip && d->pStrip->isVisible() && !d->pStrip->IsPinned()
            && !d->pStrip->geometry().contains(QCursor::pos()))
            HideThumbnailStrip();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &CMultiTimeSlider::OnApplicationStateChanged);

    // The whole of today in view: the range's floor and ceiling hold half a day each side.
    SetTimeRange(QDate::currentDate(), QDate::currentDate());
    SetScaleLevel(d->nSpanType);
    const double dayLeft = AxisFromUtc(GetRangeBeginUtc());
    view->SetViewRange(dayLeft, dayLeft + GetViewSpan(d->nSpanType));
    ShowZoomByType(d->nSpanType);
}

CMultiTimeSlider::~CMultiTimeSlider()
{
    disconnect(qApp, nullptr, this, nullptr);
    if (d->pTopLevel && d->pTopLevel != this)
        d->pTopLevel->removeEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Rows

void CMultiTimeSlider::SetTimeSliderCount(unsigned int n)
{
    const int rows = static_cast<int>(std::min<unsigned int>(n, Detail::kMultiMaxRows));
    d->nRowCount = rows;
    d->pView->SetRowCount(rows);
    // Rows made after the user filtered follow the same filter.
    if (!d->listFilteredLevels.isEmpty()) {
        for (int row = 0; row < rows; ++row) {
            if (CTimeRectSeries* layer = d->pView->GetRowSeries(row))
                layer->SetFilterLevels(d->listFilteredLevels);
        }
    }
    UpdateScrollRange(true);
    RepaintTimeSlider();
}

int CMultiTimeSlider::GetTimeSliderCount() const
{
    return d->nRowCount;
}

void CMultiTimeSlider::SetChartName(unsigned int row, const QString& strName)
{
    if (row >= static_cast<unsigned int>(Detail::kMultiMaxRows))
        return;
    d->pView->SetRowName(static_cast<int>(row), strName);
}

void CMultiTimeSlider::SetChartNames(const QStringList& listNames)
{
    for (int row = 0; row < listNames.size() && row < Detail::kMultiMaxRows; ++row)
        d->pView->SetRowName(row, listNames.at(row));
}

void CMultiTimeSlider::SetShowIndex(unsigned int row)
{
    if (row >= static_cast<unsigned int>(d->nRowCount))
        return;
    const int value = Detail::ShowIndexScrollValue(static_cast<int>(row),
                                                   d->pView->GetFirstVisibleRow(), d->nRowHeight);
    if (value >= 0)
        d->pScrollBar->setValue(value);
}

int CMultiTimeSlider::GetFirstVisibleRow() const
{
    return d->pView->GetFirstVisibleRow();
}

void CMultiTimeSlider::UpdateScrollRange(bool bScrollToTop)
{
    const int maximum = Detail::ScrollMaximum(d->pView->GetContentHeight(), height());
    d->pScrollBar->setSingleStep(d->nRowHeight);
    d->pScrollBar->setPageStep(std::max(d->nRowHeight, height() - d->pView->GetRowsAreaTop()));
    d->pScrollBar->setRange(0, maximum);
    d->pScrollBar->setVisible(maximum > 0);
    if (bScrollToTop)
        d->pScrollBar->setValue(0);
    d->pView->SetScrollOffset(d->pScrollBar->value());
}

void CMultiTimeSlider::OnScrollBarValueChanged(int nValue)
{
    d->pView->SetScrollOffset(nValue);
}

void CMultiTimeSlider::ApplyRowGeometry()
{
    CMultiChartView* view = d->pView;
    view->SetRowGeometry(d->nRowsTop, d->nRowHeight, d->nHeaderHeight);
    // Stored segments carry their row's pixel band; move them to the new one.
    for (int row = 0; row < view->GetRowSeriesCount(); ++row) {
        const int oldCount = view->GetRowCount();
        if (row >= oldCount)
            break;
        CTimeRectSeries* layer = view->GetRowSeries(row);
        QVector<TimeRectItem> items;
        for (int level : layer->GetLevels())
            items += layer->GetItems(level);
        const int top = view->GetRowTop(row);
        for (TimeRectItem& item : items) {
            item.nTop = top;
            item.nBottom = top + d->nRowHeight;
        }
        layer->Clear();
        layer->AddRects(items);
    }
    UpdateScrollRange(true);
}

// ---------------------------------------------------------------------------------------------
// Segments, tags and locks

void CMultiTimeSlider::AddTime(QVector<struTimeSliderData::TimeSegmentParam>& vecSegments, int row)
{
    CTimeRectSeries* layer = d->pView->GetRowSeries(row);
    if (!layer)
        return;
    const int top = d->pView->GetRowTop(row);
    const int bottom = top + d->nRowHeight;
    for (const struTimeSliderData::TimeSegmentParam& segment : qAsConst(vecSegments)) {
        if (segment.nLevel < 0 || segment.nLevel > kHighestLevel)
            continue;
        double left = 0.0;
        double right = 0.0;
        if (!MapSegmentToAxis(segment.llBegin, segment.llEnd, left, right))
            continue;
        layer->AddRect(left, top, right, bottom, segment.brushFill, segment.nLevel);
    }
    d->bRecordsAdded = true;
    RepaintTimeSlider();
}

void CMultiTimeSlider::AddTime(
    QMap<unsigned int, QVector<struTimeSliderData::TimeSegmentParam>>& mapSegments)
{
    for (auto it = mapSegments.begin(); it != mapSegments.end(); ++it) {
        if (it.key() < static_cast<unsigned int>(d->nRowCount))
            AddTime(it.value(), static_cast<int>(it.key()));
    }
}

void CMultiTimeSlider::AddMarks(CTagSeries* layer,
                                QVector<struTimeSliderData::TimeSegmentParam>& vecSegments,
                                int nTop, int nBottom)
{
    if (!layer)
        return;
    for (const struTimeSliderData::TimeSegmentParam& segment : qAsConst(vecSegments)) {
        RecordDataTag mark;
        if (!MapSegmentToAxis(segment.llBegin, segment.llEnd, mark.dLeft, mark.dRight))
            continue;
        mark.llUserData = segment.llUserData;
        mark.nTop = nTop;
        mark.nBottom = nBottom;
        mark.strText = segment.strText;
        mark.strSubText = segment.strSubText;
        layer->AddMark(mark);
    }
    RepaintTimeSlider();
}

void CMultiTimeSlider::AddTag(QVector<struTimeSliderData::TimeSegmentParam>& vecTags)
{
    AddMarks(d->pView->GetTagSeries(), vecTags, d->nExtraTop + 12, d->nExtraTop + 28);
}

void CMultiTimeSlider::AddLock(QVector<struTimeSliderData::TimeSegmentParam>& vecLocks)
{
    AddMarks(d->pView->GetLockSeries(), vecLocks, 30, d->nHeaderHeight);
}

void CMultiTimeSlider::ClearTime(int row)
{
    CTimeRectSeries* layer = d->pView->GetRowSeries(row);
    if (!layer)
        return;
    ClearTag();
    ClearLock();
    layer->Clear();
    ClearTimeLevel();
    d->bRecordsAdded = false;
    RepaintTimeSlider();
}

void CMultiTimeSlider::ClearTag()
{
    if (CTagSeries* tags = d->pView->GetTagSeries())
        tags->Clear();
    RepaintTimeSlider();
}

void CMultiTimeSlider::ClearLock()
{
    if (CLockSeries* locks = d->pView->GetLockSeries())
        locks->Clear();
    RepaintTimeSlider();
}

void CMultiTimeSlider::ClearAllTimeRectSeries()
{
    for (int row = 0; row < d->pView->GetRowCount(); ++row)
        d->pView->GetRowSeries(row)->Clear();
    d->bRecordsAdded = false;
    RepaintTimeSlider();
}

void CMultiTimeSlider::RemoveTimeByTimeLevel(int row, int level)
{
    if (row == -1) {
        for (int r = 0; r < d->pView->GetRowCount(); ++r)
            d->pView->GetRowSeries(r)->RemoveLevel(level);
    } else if (CTimeRectSeries* layer = d->pView->GetRowSeries(row)) {
        layer->RemoveLevel(level);
    } else {
        return;
    }
    RepaintTimeSlider();
}

void CMultiTimeSlider::ClearSinglePlayLine(int row)
{
    if (CPlayLineSeries* lines = d->pView->GetPlayLineSeries()) {
        if (lines->SetRowTime(row, -1.0))
            RepaintTimeSlider();
    }
}

// ---------------------------------------------------------------------------------------------
// Synchronised mode and play positions

void CMultiTimeSlider::OpenSynTime()
{
    if (IsSyncTime())
        return;
    d->pView->SetShowMidLine(true);
    // One time for every channel: the per-row markers would only repeat the centre line.
    if (CPlayLineSeries* lines = d->pView->GetPlayLineSeries())
        lines->Clear();
    RepaintTimeSlider();
}

void CMultiTimeSlider::CloseSynTime()
{
    if (!IsSyncTime())
        return;
    d->pView->SetShowMidLine(false);
    RepaintTimeSlider();
}

bool CMultiTimeSlider::IsSyncTime() const
{
    return d->pView->IsShowMidLine();
}

void CMultiTimeSlider::SetSyncTime(unsigned int t)
{
    if (IsSyncTime())
        OnPlayTime(t);
}

void CMultiTimeSlider::SetPlayTime(unsigned int index, unsigned int t, bool bCenter)
{
    if (t == 0xFFFFFFFFu)
        return;
    const qint64 utc = std::max(GetRangeBeginUtc(), std::min<qint64>(t, GetRangeEndUtc()));
    const double axis = AxisFromUtc(utc);
    if (CTagLockEditSeries* edit = d->pView->GetTagLockEditSeries()) {
        if (index < static_cast<unsigned int>(edit->PointCount()))
            edit->SetPoint(static_cast<int>(index), axis, edit->GetTop());
    }
    if (!IsSyncTime() && index < static_cast<unsigned int>(d->nRowCount)) {
        if (CPlayLineSeries* lines = d->pView->GetPlayLineSeries())
            lines->SetRowTime(static_cast<int>(index), axis);
    }
    OnPlayTime(t);
    if (bCenter && (axis < d->pView->GetViewLeft() || axis > d->pView->GetViewRight()))
        CenterViewOn(utc);
    RepaintTimeSlider();
    update();
}

void CMultiTimeSlider::CenterViewOn(qint64 llUtc)
{
    const double span = d->pView->GetViewSpan();
    const double axis = AxisFromUtc(llUtc);
    d->pView->SetViewRange(axis - span / 2.0, axis + span / 2.0);
    SetCenterTime(llUtc);
}

void CMultiTimeSlider::SetCurrentTime(const QDateTime& dtTime)
{
    OnPlayTime(dtTime);
}

void CMultiTimeSlider::SetSpanType(TimeSliderOneScale eType)
{
    if (eType < Detail::kMinScaleLevel || eType > Detail::kMaxScaleLevel || eType == d->nSpanType)
        return;
    d->nSpanType = eType;
    SetScaleLevel(eType);
    ShowZoomByType(eType);
    d->setRequested.clear();
    ClearThumbnails();
    RestartHoverTimer();
    RepaintTimeSlider();
}

TimeSliderOneScale CMultiTimeSlider::GetSpanType() const
{
    return d->nSpanType;
}

void CMultiTimeSlider::ZoomIn()
{
    CTimeSlider::ZoomIn();
    ClearThumbnails();
    RestartHoverTimer();
}

void CMultiTimeSlider::ZoomOut()
{
    CTimeSlider::ZoomOut();
    ClearThumbnails();
    RestartHoverTimer();
}

void CMultiTimeSlider::Reset()
{
    ClearAllTimeRectSeries();
    SetTimeRange(QDate::currentDate(), QDate::currentDate());
    SetScaleLevel(d->nSpanType);
    const double begin = AxisFromUtc(GetRangeBeginUtc());
    const double end = AxisFromUtc(GetRangeEndUtc());
    const double span = GetViewSpan(d->nSpanType);
    const double middle = (begin + end) / 2.0;
    d->pView->SetViewRange(middle - span / 2.0, middle + span / 2.0);
    ShowZoomByType(d->nSpanType);
    RepaintTimeSlider();
}

// ---------------------------------------------------------------------------------------------
// Level filter and chart view controls

void CMultiTimeSlider::AddTimeLevel(const QIcon& icon, const QString& strText, int level)
{
    d->pFilterPopup->AddTimeLevel(icon, strText, level);
}

void CMultiTimeSlider::AddTimeLevels(const QList<int>& listLevels)
{
    d->pFilterPopup->AddTimeLevels(listLevels);
}

void CMultiTimeSlider::ClearTimeLevel()
{
    d->pFilterPopup->ClearTimeLevel();
}

void CMultiTimeSlider::SetFilteredLevels(const QList<int>& listLevels)
{
    if (listLevels.isEmpty())
        return;
    for (int level : listLevels)
        d->pFilterPopup->SetLevelChecked(level, false);
    d->listFilteredLevels = listLevels;
    for (int row = 0; row < d->pView->GetRowCount(); ++row)
        d->pView->GetRowSeries(row)->SetFilterLevels(listLevels);
    RepaintTimeSlider();
}

QList<int> CMultiTimeSlider::GetFilteredLevels() const
{
    return d->listFilteredLevels;
}

void CMultiTimeSlider::OnFilterTriggered(const QList<int>& listLevels)
{
    d->listFilteredLevels = d->pFilterPopup->GetCheckedLevels();
    for (int row = 0; row < d->pView->GetRowCount(); ++row)
        d->pView->GetRowSeries(row)->SetFilterLevels(d->listFilteredLevels);
    Q_EMIT SignalFilterTriggered(listLevels);
    RepaintTimeSlider();
    if (d->pFilterPopup->isVisible())
        RestartHoverTimer();
}

void CMultiTimeSlider::OnFilterMenuResized(const QSize& sizeNew, const QSize& sizeOld)
{
    // Keep the pop-up's right edge under the button it was opened from.
    if (!d->pFilterPopup->isVisible() || !sizeOld.isValid())
        return;
    d->pFilterPopup->move(d->pFilterPopup->x() + sizeOld.width() - sizeNew.width(),
                          d->pFilterPopup->y());
}

void CMultiTimeSlider::OnPopupFilterMenu()
{
    QWidget* anchor = d->pView->GetFilterButton();
    if (!anchor || !anchor->isVisible())
        anchor = d->pView;
    const QPoint topRight = anchor->mapToGlobal(QPoint(anchor->width() - 1, anchor->height()));
    d->pFilterPopup->PopupAt(topRight);
}

void CMultiTimeSlider::SetFilterBtnVisible(bool bVisible)
{
    d->pView->GetFilterButton()->setVisible(bVisible);
}

void CMultiTimeSlider::SetCalendarHide(bool bHide)
{
    d->pView->GetCalendarButton()->setVisible(!bHide);
}

void CMultiTimeSlider::SetTimeFilterHide(bool bHide)
{
    d->pView->GetFilterFrame()->setVisible(!bHide);
}

void CMultiTimeSlider::SetCameraText(QString strText)
{
    d->pView->SetCameraName(strText);
}

void CMultiTimeSlider::SetStorageType(StorageSetting setting, int iStorageType, int iStorageId)
{
    d->pFilterPopup->SetStorageType(setting, iStorageType, iStorageId);
}

// ---------------------------------------------------------------------------------------------
// Tag/lock edit range

void CMultiTimeSlider::SetTagLockEditShow(bool bShow)
{
    CTagLockEditSeries* edit = d->pView->GetTagLockEditSeries();
    if (bShow == (edit != nullptr))
        return;
    if (bShow) {
        edit = new CTagLockEditSeries(d->pView);
        const int top = d->bSimplify ? d->nHeaderHeight : d->nRowsTop;
        edit->Append(-1.0, top);
        edit->SetTop(top);
        d->pView->AddSeries(edit);
    } else {
        d->pView->RemoveSeries(edit);
    }
    RepaintTimeSlider();
}

bool CMultiTimeSlider::IsTagLockEditShow() const
{
    return d->pView->GetTagLockEditSeries() != nullptr;
}

void CMultiTimeSlider::SetTagLockTimeRange(const QDateTime& dtBegin, const QDateTime& dtEnd,
                                           bool bCenter)
{
    CTagLockEditSeries* edit = d->pView->GetTagLockEditSeries();
    if (!edit || !dtBegin.isValid() || !dtEnd.isValid())
        return;
    const qint64 begin = dtBegin.toSecsSinceEpoch();
    const qint64 end = dtEnd.toSecsSinceEpoch();
    if (end < begin)
        return;
    const double left = AxisFromUtc(begin);
    if (!edit->SetRange(left, AxisFromUtc(end)))
        return;
    if (bCenter && (left < d->pView->GetViewLeft() || left > d->pView->GetViewRight())) {
        // The whole range when it fits, else its start with the left handle.
        const bool fits = end - begin <= d->pView->GetViewSpan();
        CenterViewOn(fits ? begin + (end - begin) / 2 : begin);
    }
    RepaintTimeSlider();
}

void CMultiTimeSlider::SetTagLockEditTime(unsigned int uBegin, unsigned int uEnd)
{
    CTagLockEditSeries* edit = d->pView->GetTagLockEditSeries();
    if (!edit || uBegin == 0xFFFFFFFFu || uEnd == 0xFFFFFFFFu || uEnd < uBegin)
        return;
    edit->SetRange(AxisFromUtc(uBegin), AxisFromUtc(uEnd));
    RepaintTimeSlider();
}

bool CMultiTimeSlider::GetTagLockTimeRange(QDateTime& dtBegin, QDateTime& dtEnd) const
{
    const CTagLockEditSeries* edit = d->pView->GetTagLockEditSeries();
    if (!edit || !edit->HasRange())
        return false;
    dtBegin = QDateTime::fromSecsSinceEpoch(UtcFromAxis(edit->GetRangeLeft()));
    dtEnd = QDateTime::fromSecsSinceEpoch(UtcFromAxis(edit->GetRangeRight()));
    return true;
}

void CMultiTimeSlider::GetTagRecordData(QVector<RecordDataTag>& vecTags) const
{
    const CTagSeries* tags = d->pView->GetTagSeries();
    vecTags = tags ? tags->GetMarks() : QVector<RecordDataTag>();
}

void CMultiTimeSlider::GetLockRecordData(QVector<RecordDataTag>& vecLocks) const
{
    const CLockSeries* locks = d->pView->GetLockSeries();
    vecLocks = locks ? locks->GetMarks() : QVector<RecordDataTag>();
}

QPoint CMultiTimeSlider::GetTagRecordDataPoint(RecordDataTag& tag) const
{
    const CTagSeries* tags = d->pView->GetTagSeries();
    const QPoint local = tags ? tags->GetMarkPoint(tag) : QPoint(0, 0);
    return local.isNull() ? QPoint(0, 0) : d->pView->mapToGlobal(local);
}

QPoint CMultiTimeSlider::GetLockRecordDataPoint(RecordDataTag& lock) const
{
    const CLockSeries* locks = d->pView->GetLockSeries();
    const QPoint local = locks ? locks->GetMarkPoint(lock) : QPoint(0, 0);
    return local.isNull() ? QPoint(0, 0) : d->pView->mapToGlobal(local);
}

void CMultiTimeSlider::GetCurrentTimeRange(QDateTime& dtBegin, QDateTime& dtEnd) const
{
    dtBegin = QDateTime::fromSecsSinceEpoch(UtcFromAxis(d->pView->GetViewLeft()));
    dtEnd = QDateTime::fromSecsSinceEpoch(UtcFromAxis(d->pView->GetViewRight()));
}

// ---------------------------------------------------------------------------------------------
// Simplify mode

void CMultiTimeSlider::SetShowSimplifyMode()
{
    if (d->bSimplify)
        return;
    d->bSimplify = true;
    d->nRowsTop = 26;
    d->nRowHeight = 6;
    d->nHeaderHeight = d->nExtraTop + 32;
    d->pHoverTimer->stop();
    ClearThumbnails();
    if (d->pStrip)
        d->pStrip->hide();

    CMultiChartView* view = d->pView;
    if (auto* rects = dynamic_cast<CRectSeries*>(view->GetSeries(CChartSeries::RectSeries)))
        rects->SetTop(d->nHeaderHeight);
    if (auto* axis = dynamic_cast<CAxisSeries*>(view->GetSeries(CChartSeries::AxisSeries))) {
        axis->SetLabelAlignment(1);
        axis->SetLabelPeriod(4);
        axis->SetLabelTop(2);
        axis->SetTickTop(2);
        axis->SetChanged();
    }
    auto* hover = dynamic_cast<CMouseTextSeries*>(view->GetSeries(CChartSeries::MouseTextSeries));
    if (!hover) {
        hover = new CMouseTextSeries(view);
        view->AddSeries(hover);
    }
    hover->SetTextY(d->nRowsTop - d->nRowHeight - 8);
    if (CTagLockEditSeries* edit = view->GetTagLockEditSeries())
        edit->SetTop(d->nHeaderHeight);
    ApplyRowGeometry();
    RepaintTimeSlider();
}

bool CMultiTimeSlider::IsSimplifyMode() const
{
    return d->bSimplify;
}

// ---------------------------------------------------------------------------------------------
// Thumbnails

void CMultiTimeSlider::SetThumbnailSurpot(bool bSupport)
{
    d->bThumbnailSupport = bSupport;
    if (!bSupport) {
        d->pHoverTimer->stop();
        ClearThumbnails();
        EnsureThumbnailStrip();
        d->pStrip->SetText(tr("The camera not support thumbnail!"));
    } else if (d->pStrip) {
        d->pStrip->SetText(QString());
    }
}

bool CMultiTimeSlider::IsThumbnailSurpot() const
{
    return d->bThumbnailSupport;
}

void CMultiTimeSlider::SetThumbnailHeight(int nHeight)
{
    nHeight = std::max(0, nHeight);
    d->nThumbnailHeight = nHeight;
    d->nThumbnailWidth = Detail::ThumbnailWidthFor(nHeight);
    if (d->pStrip)
        d->pStrip->SetPictureHeight(nHeight);
    for (const QPointer<CTimeSilderPictureLabel>& label : qAsConst(d->mapThumbnails)) {
        if (label)
            label->resize(d->nThumbnailWidth, d->nThumbnailHeight);
    }
    if (nHeight == 0)
        d->pHoverTimer->stop();
    PlaceThumbnailStrip();
    MoveThumbnails();
}

int CMultiTimeSlider::GetThumbnailHeight() const
{
    return d->nThumbnailHeight;
}

int CMultiTimeSlider::GetThumbnailWidth() const
{
    return d->nThumbnailWidth;
}

void CMultiTimeSlider::ShowThumbnail(const QPixmap& pix)
{
    QList<qint64> pending = d->setRequested.values();
    std::sort(pending.begin(), pending.end());
    for (qint64 t : qAsConst(pending)) {
        if (!d->mapThumbnails.contains(t)) {
            ShowThumbnail(t, pix);
            return;
        }
    }
}

void CMultiTimeSlider::ShowThumbnail(long long llTime, const QPixmap& pix)
{
    // An answer to a request dropped since (a zoom, a new filter) belongs to another view.
    if (!d->setRequested.contains(llTime) || d->nThumbnailHeight <= 0 || !d->bThumbnailSupport)
        return;
    EnsureThumbnailStrip();
    QPointer<CTimeSilderPictureLabel>& label = d->mapThumbnails[llTime];
    if (!label) {
        label = new CTimeSilderPictureLabel(d->pStrip->GetPictureArea());
        label->SetTime(llTime);
        connect(label, &CTimeSilderPictureLabel::SignalPictureClicked, this,
                &CMultiTimeSlider::OnThumbnailClicked);
    }
    label->SetPicture(pix);
    label->resize(d->nThumbnailWidth, d->nThumbnailHeight);
    int x = 0;
    if (GetValidePosX(llTime, x)) {
        label->move(x - d->nThumbnailWidth / 2, 0);
        label->show();
    } else {
        label->hide();
    }
}

void CMultiTimeSlider::ClearThumbnails()
{
    for (const QPointer<CTimeSilderPictureLabel>& label : qAsConst(d->mapThumbnails))
        delete label.data();
    d->mapThumbnails.clear();
    d->setRequested.clear();
}

QList<qint64> CMultiTimeSlider::GetRequestedThumbnailTimes() const
{
    QList<qint64> times = d->setRequested.values();
    std::sort(times.begin(), times.end());
    return times;
}

QList<qint64> CMultiTimeSlider::GetThumbnailTimes() const
{
    return d->mapThumbnails.keys();
}

CTimeSilderPictureLabel* CMultiTimeSlider::GetThumbnailLabel(qint64 llTime) const
{
    return d->mapThumbnails.value(llTime).data();
}

void CMultiTimeSlider::SetAllwaysShow(bool bAlways)
{
    EnsureThumbnailStrip();
    d->pStrip->SetPinned(bAlways);
    if (bAlways && isVisible())
        ShowThumbnailStrip();
}

bool CMultiTimeSlider::IsAllwaysShow() const
{
    return d->pStrip && d->pStrip->IsPinned();
}

int CMultiTimeSlider::GetHintHeight() const
{
    return d->nThumbnailHeight > 0 ? d->nThumbnailHeight + Detail::kThumbnailBandHeight : 0;
}

void CMultiTimeSlider::RestartHoverTimer()
{
    if (d->bSimplify || !d->bThumbnailSupport || d->nThumbnailHeight == 0)
        return;
    d->pHoverTimer->start();
}

void CMultiTimeSlider::RequestThumbnailLater()
{
    RestartHoverTimer();
}

void CMultiTimeSlider::OnHoverTimerOut()
{
    if (d->bSimplify || !d->bThumbnailSupport || d->nThumbnailHeight == 0)
        return;
    ClearThumbnails();
    ShowThumbnailStrip();
    TryRequestThumbnailsAfter(0);
}

qint64 CMultiTimeSlider::GetFirstValideTimeAfter(double dTime) const
{
    const double viewRight = d->pView->GetViewRight();
    double best = -1.0;
    for (int row = 0; row < d->pView->GetRowCount(); ++row) {
        const double left = d->pView->GetRowSeries(row)->GetFirstLeftAfter(dTime, viewRight);
        if (left >= 0.0 && (best < 0.0 || left < best))
            best = left;
    }
    if (best < 0.0)
        return 0;
    return std::max<qint64>(0, UtcFromAxis(best));
}

qint64 CMultiTimeSlider::GetLastValideTimeBefore(double dTime) const
{
    const double viewLeft = d->pView->GetViewLeft();
    double best = -1.0;
    for (int row = 0; row < d->pView->GetRowCount(); ++row) {
        const double left = d->pView->GetRowSeries(row)->GetLastLeftBefore(viewLeft, dTime);
        if (left >= 0.0 && left > best)
            best = left;
    }
    if (best < 0.0)
        return 0;
    return std::max<qint64>(0, UtcFromAxis(best));
}

bool CMultiTimeSlider::GetValidePosX(qint64 llTime, int& x) const
{
    const QRect chart = d->pView->GetChartRect();
    x = d->pView->TimeToX(AxisFromUtc(llTime)) - chart.left();
    return Detail::IsValidThumbnailX(x, d->nThumbnailWidth, chart.width());
}

void CMultiTimeSlider::TryRequestThumbnailsAfter(int x)
{
    if (!d->bThumbnailSupport || d->nThumbnailHeight == 0)
        return;
    const QRect chart = d->pView->GetChartRect();
    if (x > chart.width())
        return;
    const QVector<qint64> times = Detail::PlanThumbnailsAfter(
        x, chart.width(), d->nThumbnailWidth, d->setRequested,
        [this, &chart](int px) {
            return GetFirstValideTimeAfter(d->pView->XToTime(chart.left() + px));
        },
        [this, &chart](qint64 t) { return d->pView->TimeToX(AxisFromUtc(t)) - chart.left(); });
    for (qint64 t : times)
        Q_EMIT SignalThumbnail(true, static_cast<time_t>(t));
}

void CMultiTimeSlider::TryRequestThumbnailsBefore(int x)
{
    if (!d->bThumbnailSupport || d->nThumbnailHeight == 0)
        return;
    const QRect chart = d->pView->GetChartRect();
    if (x < 0)
        return;
    const QVector<qint64> times = Detail::PlanThumbnailsBefore(
        x, chart.width(), d->nThumbnailWidth, d->setRequested,
        [this, &chart](int px) {
            return GetLastValideTimeBefore(d->pView->XToTime(chart.left() + px));
        },
        [this, &chart](qint64 t) { return d->pView->TimeToX(AxisFromUtc(t)) - chart.left(); });
    for (qint64 t : times)
        Q_EMIT SignalThumbnail(true, static_cast<time_t>(t));
}

void CMultiTimeSlider::MoveThumbnails()
{
    if (!d->pStrip || !d->pStrip->isVisible())
        return;
    bool anyShown = false;
    int leftmost = 0;
    int rightmost = 0;
    for (auto it = d->mapThumbnails.begin(); it != d->mapThumbnails.end(); ++it) {
        CTimeSilderPictureLabel* label = it.value();
        if (!label)
            continue;
        int x = 0;
        if (d->nThumbnailHeight > 0 && GetValidePosX(it.key(), x)) {
            label->move(x - d->nThumbnailWidth / 2, 0);
            label->show();
            leftmost = anyShown ? std::min(leftmost, x) : x;
            rightmost = anyShown ? std::max(rightmost, x) : x;
            anyShown = true;
        } else {
            label->hide();
        }
    }
    if (!anyShown) {
        RequestThumbnailLater();
        return;
    }
    // A drag uncovers time on one side: ask for what now fits beside the pictures shown.
    TryRequestThumbnailsAfter(rightmost + d->nThumbnailWidth);
    TryRequestThumbnailsBefore(leftmost - d->nThumbnailWidth);
}

void CMultiTimeSlider::OnMove()
{
    MoveThumbnails();
}

void CMultiTimeSlider::EnsureThumbnailStrip()
{
    if (d->pStrip)
        return;
    d->pStrip = new CThumbnailWraper(this);
    d->pStrip->SetPictureHeight(d->nThumbnailHeight);
    if (!d->bThumbnailSupport)
        d->pStrip->SetText(tr("The camera not support thumbnail!"));
    d->pStrip->installEventFilter(this);
    d->pShowAnimation = new QPropertyAnimation(d->pStrip, "windowOpacity", d->pStrip);
    d->pShowAnimation->setDuration(kFadeMs);
    d->pHideAnimation = new QPropertyAnimation(d->pStrip, "windowOpacity", d->pStrip);
    d->pHideAnimation->setDuration(kFadeMs);
    connect(d->pHideAnimation, &QPropertyAnimation::finished, this,
            &CMultiTimeSlider::OnThumbnailsHided);
    connect(d->pStrip, &CThumbnailWraper::SignalPictureHeightDragged, this,
            &CMultiTimeSlider::OnStripHeightDragged);
    connect(d->pStrip, &CThumbnailWraper::SignalResizeStarted, this,
            [this]() { d->bStripResizing = true; });
    connect(d->pStrip, &CThumbnailWraper::SignalResizeFinished, this, [this]() {
        d->bStripResizing = false;
        // New sizes space the pictures differently: ask again for the new layout.
        ClearThumbnails();
        RestartHoverTimer();
    });
}

void CMultiTimeSlider::PlaceThumbnailStrip()
{
    if (!d->pStrip)
        return;
    const QRect chart = d->pView->GetChartRect();
    const int height = d->nThumbnailHeight + Detail::kThumbnailBandHeight;
    const QPoint topLeft = d->pView->mapToGlobal(QPoint(chart.left(), 0));
    d->pStrip->setGeometry(topLeft.x(), topLeft.y() - height, std::max(1, chart.width()), height);
}

void CMultiTimeSlider::ShowThumbnailStrip()
{
    EnsureThumbnailStrip();
    PlaceThumbnailStrip();
    d->pHideAnimation->stop();
    if (!d->pStrip->isVisible()) {
        d->pStrip->setWindowOpacity(0.0);
        d->pStrip->show();
    }
    if (d->pShowAnimation->state() == QAbstractAnimation::Running)
        return;
    d->pShowAnimation->setStartValue(d->pStrip->windowOpacity());
    d->pShowAnimation->setEndValue(1.0);
    d->pShowAnimation->start();
}

void CMultiTimeSlider::HideThumbnailStrip()
{
    if (!d->pStrip || !d->pStrip->isVisible())
        return;
    d->pShowAnimation->stop();
    if (d->pHideAnimation->state() == QAbstractAnimation::Running)
        return;
    d->pHideAnimation->setStartValue(d->pStrip->windowOpacity());
    d->pHideAnimation->setEndValue(0.0);
    d->pHideAnimation->start();
}

void CMultiTimeSlider::OnThumbnailsHided()
{
    if (!d->pStrip)
        return;
    d->pStrip->hide();
    d->pStrip->setWindowOpacity(1.0);
    Q_EMIT SignalThumbnail(false, 0);
}

void CMultiTimeSlider::OnStripHeightDragged(int nHeight)
{
    SetThumbnailHeight(nHeight);
}

void CMultiTimeSlider::OnThumbnailClicked()
{
    const QObject* label = sender();
    if (!label)
        return;
    EmitClick(label->property(kTimeProperty).toLongLong());
}

void CMultiTimeSlider::OnApplicationStateChanged(Qt::ApplicationState state)
{
    if (!d->pStrip)
        return;
    if (state == Qt::ApplicationHidden || state == Qt::ApplicationInactive) {
        if (d->pStrip->IsPinned())
            d->pStrip->hide();
        else
            ClearThumbnails();
    } else if (state == Qt::ApplicationActive) {
        if (d->pStrip->IsPinned() && isVisible() && window()->isVisible())
            ShowThumbnailStrip();
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse

void CMultiTimeSlider::EmitClick(qint64 llTime)
{
    Q_EMIT SignalMouseClick(static_cast<time_t>(llTime));
    Q_EMIT SignalMouseClick(0, static_cast<time_t>(llTime));
}

void CMultiTimeSlider::HandlePress(QMouseEvent* event)
{
    CMultiChartView* view = d->pView;
    const QPoint pos = event->pos();
    d->ptPressed = pos;
    d->bEdgeMoved = false;
    d->eDrag = CMultiTimeSliderPrivate::Drag::View;
    view->ClearSelectRange();

    Qt::CursorShape shape = Qt::ClosedHandCursor;
    const CTagLockEditSeries* edit = view->GetTagLockEditSeries();
    const CTagLockEditSeries::Handle handle =
        edit ? edit->HitHandle(pos) : CTagLockEditSeries::NoHandle;
    const CTagSeries* tags = view->GetTagSeries();
    const CLockSeries* locks = view->GetLockSeries();
    if (handle != CTagLockEditSeries::NoHandle) {
        shape = Qt::SizeHorCursor;
        d->bEditLeftEdge = handle == CTagLockEditSeries::LeftHandle;
        d->eDrag = CMultiTimeSliderPrivate::Drag::Edge;
    } else if ((tags && tags->HitTest(pos) >= 0) || (locks && locks->HitTest(pos) >= 0)) {
        shape = Qt::ArrowCursor;
    } else if (view->IsOpenSelectRect() && view->RowAt(pos) >= 0) {
        // Picking a time range in a row leaves the view where it is.
        d->eDrag = CMultiTimeSliderPrivate::Drag::Select;
        d->nSelectRow = view->RowAt(pos);
        d->dSelectStart = view->XToTime(pos.x());
        view->setCursor(Qt::CrossCursor);
        return;
    }
    SetMoving(true);
    BeginDrag(pos.x());
    view->setCursor(shape);
}

void CMultiTimeSlider::HandleMove(QMouseEvent* event)
{
    CMultiChartView* view = d->pView;
    const QPoint pos = event->pos();
    SetLastMousePos(pos);

    if (d->eDrag == CMultiTimeSliderPrivate::Drag::Select) {
        view->SetSelectRange(d->nSelectRow, d->dSelectStart, view->XToTime(pos.x()));
        RepaintTimeSlider();
        return;
    }
    if (IsMoving()) {
        CTagLockEditSeries* edit = view->GetTagLockEditSeries();
        if (view->cursor().shape() == Qt::SizeHorCursor && edit) {
            const qint64 t = UtcFromAxis(view->XToTime(pos.x()));
            const qint64 left = UtcFromAxis(edit->GetRangeLeft());
            const qint64 right = UtcFromAxis(edit->GetRangeRight());
            const bool accepted = d->bEditLeftEdge ? t < right : t > left;
            if (accepted) {
                const double axis = AxisFromUtc(t);
                if (d->bEditLeftEdge)
                    edit->SetRange(axis, edit->GetRangeRight());
                else
                    edit->SetRange(edit->GetRangeLeft(), axis);
                d->bEdgeMoved = true;
                Q_EMIT SignalTagLockTimeRangeChanged(QDateTime::fromSecsSinceEpoch(t),
                                                     d->bEditLeftEdge);
            }
        } else {
            DragTo(pos.x());
            view->setCursor(Qt::ClosedHandCursor);
        }
        RepaintTimeSlider();
        return;
    }

    RefreshHoverText();
    const CTagLockEditSeries* edit = view->GetTagLockEditSeries();
    const CTagSeries* tags = view->GetTagSeries();
    const CLockSeries* locks = view->GetLockSeries();
    const QRect chart = view->GetChartRect();
    const bool inHeader = pos.x() >= view->GetLeftMargin() && pos.x() <= chart.right()
        && pos.y() >= 0 && pos.y() < d->nHeaderHeight;
    if (edit && edit->HitHandle(pos) != CTagLockEditSeries::NoHandle)
        view->setCursor(Qt::SizeHorCursor);
    else if ((tags && tags->HitTest(pos) >= 0) || (locks && locks->HitTest(pos) >= 0))
        view->setCursor(Qt::ArrowCursor);
    else if (inHeader)
        view->setCursor(Qt::OpenHandCursor);
    else
        view->setCursor(Qt::ArrowCursor);
    RepaintTimeSlider();
}

void CMultiTimeSlider::HandleRelease(QMouseEvent* event)
{
    CMultiChartView* view = d->pView;
    const QPoint pos = event->pos();
    const Qt::CursorShape shape = view->cursor().shape();
    const CMultiTimeSliderPrivate::Drag drag = d->eDrag;
    d->eDrag = CMultiTimeSliderPrivate::Drag::None;

    if (drag == CMultiTimeSliderPrivate::Drag::Select) {
        const double now = view->XToTime(pos.x());
        const qint64 begin = UtcFromAxis(std::min(d->dSelectStart, now));
        const qint64 end = UtcFromAxis(std::max(d->dSelectStart, now));
        view->setCursor(Qt::ArrowCursor);
        if (end > begin)
            Q_EMIT SignalSelect(d->nSelectRow, static_cast<time_t>(begin),
                                static_cast<time_t>(end));
        RepaintTimeSlider();
        return;
    }

    if (shape == Qt::ArrowCursor) {
        if (const CTagSeries* tags = view->GetTagSeries()) {
            const int index = tags->HitTest(pos);
            if (index >= 0) {
                ClearThumbnails();
                Q_EMIT SignalTagClicked(d->ptPressed, static_cast<size_t>(index));
            }
        }
        if (const CLockSeries* locks = view->GetLockSeries()) {
            const int index = locks->HitTest(pos);
            if (index >= 0) {
                ClearThumbnails();
                Q_EMIT SignalLockClicked(d->ptPressed, static_cast<size_t>(index));
            }
        }
    }
    if (drag == CMultiTimeSliderPrivate::Drag::Edge && d->bEdgeMoved)
        Q_EMIT SignalUpadteLockFile();

    if (IsMoving() && (shape == Qt::ClosedHandCursor || shape == Qt::ArrowCursor)) {
        if (drag == CMultiTimeSliderPrivate::Drag::View && shape == Qt::ClosedHandCursor
            && !ViewMovedSinceDrag()) {
            const int row = view->RowAt(pos);
            if (row >= 0) {
                view->SetSelectedRow(row);
                Q_EMIT SignalClicked(row);
            }
        }
        const QDateTime current = CurrentTime();
        EmitClick(current.isValid() ? current.toSecsSinceEpoch() : CenterUtc());
        view->setCursor(Qt::ArrowCursor);
    }
    SetMoving(false);
    if (view->GetChartRect().contains(pos)) {
        if (CChartSeries* hover = view->GetSeries(CChartSeries::MouseTextSeries))
            hover->Clear();
    }
    RepaintTimeSlider();
}

void CMultiTimeSlider::HandleEnter()
{
    if (d->pLeaveTimer->isActive())
        d->pLeaveTimer->stop();
    else
        Q_EMIT SignalMouseEnter();
    d->pRefreshTimer->start();
    if (!d->pStrip || !d->pStrip->isVisible())
        RestartHoverTimer();
}

void CMultiTimeSlider::HandleLeave()
{
    if (CChartSeries* hover = d->pView->GetSeries(CChartSeries::MouseTextSeries))
        hover->Clear();
    d->pRefreshTimer->stop();
    d->pLeaveTimer->start();
    d->pView->unsetCursor();
    RepaintTimeSlider();
}

bool CMultiTimeSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == d->pView) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton
                && d->pView->GetChartRect().contains(mouse->pos())) {
                HandlePress(mouse);
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            HandleMove(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                HandleRelease(mouse);
                return true;
            }
            break;
        }
        case QEvent::Enter:
            HandleEnter();
            break;
        case QEvent::Leave:
            HandleLeave();
            break;
        default:
            break;
        }
    } else if (watched == d->pStrip) {
        if (event->type() == QEvent::Leave && !d->pStrip->IsPinned() && !d->bStripResizing
            && !rect().contains(mapFromGlobal(QCursor::pos())))
            HideThumbnailStrip();
    } else if (watched == d->pTopLevel) {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            PlaceThumbnailStrip();
        else if (event->type() == QEvent::WindowDeactivate)
            SetMoving(false);
    }
    return CTimeSlider::eventFilter(watched, event);
}

void CMultiTimeSlider::changeEvent(QEvent* event)
{
    CTimeSlider::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        SetMoving(false);
}

void CMultiTimeSlider::resizeEvent(QResizeEvent* event)
{
    CTimeSlider::resizeEvent(event);
    UpdateScrollRange(false);
    RestartHoverTimer();
    PlaceThumbnailStrip();
}

void CMultiTimeSlider::showEvent(QShowEvent* event)
{
    CTimeSlider::showEvent(event);
    QWidget* top = window();
    if (d->pTopLevel != top) {
        // Pictures taken for another window's slider would sit in the wrong place.
        if (d->pTopLevel) {
            ClearThumbnails();
            if (d->pTopLevel != this)
                d->pTopLevel->removeEventFilter(this);
        }
        d->pTopLevel = top;
        if (top != this)
            top->installEventFilter(this);
    }
    if (d->pStrip && d->pStrip->IsPinned()) {
        ShowThumbnailStrip();
    } else if (d->bDelayedStrip) {
        d->bDelayedStrip = false;
        QTimer::singleShot(kDelayedStripMs, this, [this]() {
            if (isVisible())
                ShowThumbnailStrip();
        });
    }
}

void CMultiTimeSlider::hideEvent(QHideEvent* event)
{
    CTimeSlider::hideEvent(event);
    if (event->spontaneous() || !d->pStrip)
        return;
    if (d->pStrip->isVisible()) {
        d->bDelayedStrip = !d->pStrip->IsPinned();
        d->pStrip->hide();
    }
}

// ---------------------------------------------------------------------------------------------

CMultiChartView* CMultiTimeSlider::GetMultiChartView() const
{
    return d->pView;
}

CTimeSliderFilterPopup* CMultiTimeSlider::GetFilterPopup() const
{
    return d->pFilterPopup;
}

QScrollBar* CMultiTimeSlider::GetVerticalScrollBar() const
{
    return d->pScrollBar;
}

CThumbnailWraper* CMultiTimeSlider::GetThumbnailWraper() const
{
    return d->pStrip;
}

int CMultiTimeSlider::GetRowsTop() const
{
    return d->nRowsTop;
}

int CMultiTimeSlider::GetRowHeight() const
{
    return d->nRowHeight;
}

int CMultiTimeSlider::GetHeaderHeight() const
{
    return d->nHeaderHeight;
}

} // namespace TesselGUIToolkit
