#include "TimeLine/ChartView.h"

#include "Button/PushButton.h"
#include "TimeLine/ChartSeries.h"
#include "TimeLine/TimeAxis_p.h"
#include "Widgets/Event.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace TesselGUIToolkit {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy/MM/dd hh:mm:ss");

// The client's pictures are optional; a missing one must not make QPixmap complain.
void SetIconIfPresent(QPushButton* button, const QString& path, const QString& fallbackText)
{
    if (QFile::exists(path))
        button->setIcon(QIcon(path));
    else
        button->setText(fallbackText);
}

} // namespace

// ---------------------------------------------------------------------------------------------
CAxisPanel::CAxisPanel() = default;

CAxisPanel::~CAxisPanel()
{
    qDeleteAll(m_listSeries);
}

bool CAxisPanel::SetViewRange(double dLeft, double dRight)
{
    if (!(dRight >= dLeft))
        return false;
    m_dViewLeft = dLeft;
    m_dViewRight = dRight;
    return true;
}

void CAxisPanel::SetMargins(int nLeft, int nRight)
{
    m_nLeftMargin = std::max(0, nLeft);
    m_nRightMargin = std::max(0, nRight);
}

void CAxisPanel::UpdateMapping()
{
    m_dPixelsPerSecond = Detail::MakeAxisMapping(m_rectChart.left(), m_rectChart.right(),
                                                 m_dViewLeft, m_dViewRight, m_bMirrored)
                             .dPixelsPerSecond;
}

int CAxisPanel::TimeToX(double t) const
{
    return Detail::TimeToX(Detail::MakeAxisMapping(m_rectChart.left(), m_rectChart.right(),
                                                   m_dViewLeft, m_dViewRight, m_bMirrored),
                           t);
}

double CAxisPanel::XToTime(int x) const
{
    return Detail::XToTime(Detail::MakeAxisMapping(m_rectChart.left(), m_rectChart.right(),
                                                   m_dViewLeft, m_dViewRight, m_bMirrored),
                           x);
}

void CAxisPanel::AddSeries(CChartSeries* series)
{
    if (series && !m_listSeries.contains(series))
        m_listSeries.append(series);
}

bool CAxisPanel::RemoveSeries(CChartSeries* series)
{
    if (!series || !m_listSeries.removeOne(series))
        return false;
    delete series;
    return true;
}

CChartSeries* CAxisPanel::GetSeries(int nType) const
{
    for (CChartSeries* series : m_listSeries) {
        if (series->GetType() == nType)
            return series;
    }
    return nullptr;
}

CChartSeries* CAxisPanel::GetSeriesAt(int nIndex) const
{
    return (nIndex >= 0 && nIndex < m_listSeries.size()) ? m_listSeries.at(nIndex) : nullptr;
}

void CAxisPanel::ClearAllSeries()
{
    for (CChartSeries* series : qAsConst(m_listSeries))
        series->Clear();
}

// ---------------------------------------------------------------------------------------------
CChartView::CChartView(QWidget* parent)
    : QFrame(parent)
{
    m_pCalendarBtn = new CPushButton(this);
    m_pCalendarBtn->setObjectName(QStringLiteral("CalendarBtn"));
    m_pCalendarBtn->setFocusPolicy(Qt::NoFocus);
    m_pCalendarBtn->setFixedSize(18, 18);
    m_pCalendarBtn->hide();

    m_pZoomInBtn = new CPushButton(this);
    m_pZoomInBtn->setObjectName(QStringLiteral("ZoomInBtn"));
    m_pZoomInBtn->setToolTip(tr("ZoomIn"));
    m_pZoomInBtn->setFocusPolicy(Qt::NoFocus);
    m_pZoomInBtn->setFixedSize(18, 18);
    SetIconIfPresent(m_pZoomInBtn, QStringLiteral(":/TesselDesk/TimeSlider/zoom_in.png"),
                     QStringLiteral("+"));
    m_pZoomInBtn->hide();

    m_pZoomOutBtn = new CPushButton(this);
    m_pZoomOutBtn->setObjectName(QStringLiteral("ZoomOutBtn"));
    m_pZoomOutBtn->setToolTip(tr("ZoomOut"));
    m_pZoomOutBtn->setFocusPolicy(Qt::NoFocus);
    m_pZoomOutBtn->setFixedSize(18, 18);
    SetIconIfPresent(m_pZoomOutBtn, QStringLiteral(":/TesselDesk/TimeSlider/zoom_out.png"),
                     QStringLiteral("-"));
    m_pZoomOutBtn->hide();

    m_pFilterFrame = new QFrame(this);
    m_pFilterFrame->setObjectName(QStringLiteral("m_pFilterFrame"));
    auto* filterLayout = new QHBoxLayout(m_pFilterFrame);
    filterLayout->setContentsMargins(0, 0, 0, 0);
    filterLayout->setSpacing(0);
    m_pFilterBtn = new CPushButton(m_pFilterFrame);
    m_pFilterBtn->setObjectName(QStringLiteral("m_pFilterBtn"));
    m_pFilterBtn->setToolTip(tr("Filter"));
    m_pFilterBtn->setFocusPolicy(Qt::NoFocus);
    m_pFilterBtn->setFixedSize(18, 18);
    filterLayout->addWidget(m_pFilterBtn);
    m_pFilterFrame->setFixedSize(18, 18);
    m_pFilterFrame->hide();

    m_pCameraNameLabel = new QLabel(this);
    m_pCameraNameLabel->setObjectName(QStringLiteral("m_pCameraNameLabel"));
    m_pCameraNameLabel->setStyleSheet(QStringLiteral("QLabel{color:white}"));
    m_pCameraNameLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pCameraNameLabel->hide();

    m_pTimeBtn = new CPushButton(this);
    m_pTimeBtn->setObjectName(QStringLiteral("ptr_time_button_"));
    m_pTimeBtn->setFocusPolicy(Qt::NoFocus);
    m_pTimeBtn->hide();

    m_pMoveLeftBtn = new CPushButton(QStringLiteral("<"), this);
    m_pMoveLeftBtn->setObjectName(QStringLiteral("ptr_move_left_button_"));
    m_pMoveLeftBtn->setFocusPolicy(Qt::NoFocus);
    m_pMoveLeftBtn->setAutoRepeat(true);
    m_pMoveLeftBtn->setFixedSize(14, 18);
    m_pMoveLeftBtn->hide();
    m_pMoveRightBtn = new CPushButton(QStringLiteral(">"), this);
    m_pMoveRightBtn->setObjectName(QStringLiteral("ptr_move_right_button_"));
    m_pMoveRightBtn->setFocusPolicy(Qt::NoFocus);
    m_pMoveRightBtn->setAutoRepeat(true);
    m_pMoveRightBtn->setFixedSize(14, 18);
    m_pMoveRightBtn->hide();

    m_pScaleLabel = new QLabel(this);
    m_pScaleLabel->setObjectName(QStringLiteral("ptr_scale_label_"));
    m_pScaleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont scaleFont = m_pScaleLabel->font();
    scaleFont.setPixelSize(9);
    m_pScaleLabel->setFont(scaleFont);
    m_pScaleLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(150,150,150)}"));
    m_pScaleLabel->hide();

    connect(m_pZoomInBtn, &QPushButton::pressed, this, &CChartView::SignalZoomIn);
    connect(m_pZoomOutBtn, &QPushButton::pressed, this, &CChartView::SignalZoomOut);
    connect(m_pCalendarBtn, &QPushButton::clicked, this, &CChartView::SignalCalendarBtnClicked);
    connect(m_pFilterBtn, &QPushButton::clicked, this, &CChartView::SignalFilterRec);
    connect(m_pMoveLeftBtn, &QPushButton::pressed, this, &CChartView::SignalMoveLeft);
    connect(m_pMoveRightBtn, &QPushButton::pressed, this, &CChartView::SignalMoveRight);
    connect(m_pMoveLeftBtn, &QPushButton::released, this, &CChartView::SignalDelayRelease);
    connect(m_pMoveRightBtn, &QPushButton::released, this, &CChartView::SignalDelayRelease);

    m_rectChart = ComputeChartRect();
}

CChartView::~CChartView() = default;

void CChartView::SetCurrentTime(const QDateTime& dtTime)
{
    Q_EMIT SignalCalenderTimeChanged(dtTime);
    if (dtTime.date() != m_dtCurrent.date())
        Q_EMIT SignalCalendarDateChanged(dtTime.date());
    m_dtCurrent = dtTime;
    m_pTimeBtn->setText(dtTime.toString(kTimeFormat));
}

void CChartView::SetScaleText(const QString& strText)
{
    m_pScaleLabel->setText(strText);
    m_pScaleLabel->adjustSize();
    m_pScaleLabel->show();
    LayoutChildren();
}

QString CChartView::GetScaleText() const
{
    return m_pScaleLabel->text();
}

void CChartView::SetCameraName(const QString& strName)
{
    m_pCameraNameLabel->setText(strName);
    m_pCameraNameLabel->adjustSize();
    m_pCameraNameLabel->setVisible(!strName.isEmpty());
    LayoutChildren();
}

QString CChartView::GetCameraName() const
{
    return m_pCameraNameLabel->text();
}

void CChartView::RepaintChart()
{
    if (m_bRepaintPending)
        return;
    m_bRepaintPending = true;
    QCoreApplication::postEvent(this, new CEvent());
}

bool CChartView::event(QEvent* event)
{
    if (event->type() == CEvent::EventType) {
        m_bRepaintPending = false;
        RebuildNow();
        return true;
    }
    return QFrame::event(event);
}

void CChartView::RebuildNow()
{
    m_rectChart = ComputeChartRect();
    UpdateMapping();
    const QSize surface = size();
    if (surface.isEmpty()) {
        m_pixCache = QPixmap();
    } else {
        const qreal dpr = devicePixelRatioF();
        m_pixCache = QPixmap(surface * dpr);
        m_pixCache.setDevicePixelRatio(dpr);
        m_pixCache.fill(Qt::transparent);
        QPainter painter(&m_pixCache);
        PaintBackground(painter);
        PaintSeries(painter);
        PaintForeground(painter);
    }
    update();
    Q_EMIT SignalMove();
}

void CChartView::PaintSeries(QPainter& painter)
{
    const bool viewChanged = m_dViewLeft != m_dLastPaintLeft
        || GetViewSpan() != m_dLastPaintSpan || m_rectChart != m_rectLastPaintChart;
    for (CChartSeries* series : qAsConst(m_listSeries)) {
        if (viewChanged || series->IsChanged())
            series->Update();
        if (!series->IsVisible())
            continue;
        painter.save();
        series->Paint(&painter);
        painter.restore();
    }
    m_dLastPaintLeft = m_dViewLeft;
    m_dLastPaintSpan = GetViewSpan();
    m_rectLastPaintChart = m_rectChart;
}

void CChartView::PaintBackground(QPainter&) {}

void CChartView::PaintForeground(QPainter& painter)
{
    // The centre time needs a free strip below the bars; short one-channel strips show it on the
    // time button instead.
    if (m_strCenterText.isEmpty() || m_rectChart.height() < 60)
        return;
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(m_colorMidLineTimeText);
    const int x = m_rectChart.center().x();
    painter.drawText(QRect(x + 4, m_rectChart.bottom() - 13, 140, 12),
                     Qt::AlignLeft | Qt::AlignVCenter, m_strCenterText);
}

void CChartView::PaintCenterLine(QPainter& painter)
{
    if (m_rectChart.width() <= 0 || m_rectChart.height() <= 0)
        return;
    const int x = m_rectChart.center().x();
    painter.fillRect(QRect(x - 1, 0, 3, m_rectChart.height()), m_colorMidLine);
}

void CChartView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (!m_pixCache.isNull())
        painter.drawPixmap(0, 0, m_pixCache);
    PaintCenterLine(painter);
}

void CChartView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_rectChart = ComputeChartRect();
    LayoutChildren();
    RepaintChart();
}

QRect CChartView::ComputeChartRect() const
{
    const int right = width() - 1 - m_nRightMargin;
    const int bottom = height() - 3;
    if (right < m_nLeftMargin || bottom < 0)
        return QRect(m_nLeftMargin, 0, 0, 0);
    return QRect(QPoint(m_nLeftMargin, 0), QPoint(right, bottom));
}

void CChartView::LayoutChildren()
{
    const int zoomX = width() - m_nRightMargin + 3;
    m_pZoomInBtn->move(zoomX, 17);
    m_pZoomOutBtn->move(zoomX + m_pZoomInBtn->width() + 4, 17);
    m_pCalendarBtn->move(std::max(0, width() - m_pCalendarBtn->width() - 2), 0);
    m_pFilterFrame->move(std::max(0, m_pCalendarBtn->x() - m_pFilterFrame->width() - 4), 0);
    m_pMoveLeftBtn->move(std::max(0, m_nLeftMargin - m_pMoveLeftBtn->width() - 2), 17);
    m_pMoveRightBtn->move(std::max(0, width() - m_nRightMargin + 1), 17);
    m_pCameraNameLabel->move(2, 0);
    // The scale text sits in the right margin above the zoom buttons when the margin is wide
    // enough, else in the chart's lower right corner, clear of the tick labels.
    const QRect chart = ComputeChartRect();
    if (m_nRightMargin >= m_pScaleLabel->width() + 4)
        m_pScaleLabel->move(chart.right() + 4, 2);
    else
        m_pScaleLabel->move(std::max(0, chart.right() - m_pScaleLabel->width() - 2),
                            std::max(0, chart.bottom() - m_pScaleLabel->height() + 1));
    if (m_pTimeBtn->isVisible()) {
        m_pTimeBtn->adjustSize();
        m_pTimeBtn->move(std::max(0, width() - m_pTimeBtn->width()), 0);
    }
}

void CChartView::SetMargins(int nLeft, int nRight)
{
    CAxisPanel::SetMargins(nLeft, nRight);
    m_rectChart = ComputeChartRect();
    LayoutChildren();
    RepaintChart();
}

void CChartView::SetColorAxisName(const QColor& color)
{
    if (m_colorAxisName == color)
        return;
    m_colorAxisName = color;
    RepaintChart();
}

void CChartView::SetColorAxisText(const QColor& color)
{
    if (m_colorAxisText == color)
        return;
    m_colorAxisText = color;
    RepaintChart();
}

void CChartView::SetColorAxisSmallText(const QColor& color)
{
    if (m_colorAxisSmallText == color)
        return;
    m_colorAxisSmallText = color;
    RepaintChart();
}

void CChartView::SetColorScaleLine(const QColor& color)
{
    if (m_colorScaleLine == color)
        return;
    m_colorScaleLine = color;
    RepaintChart();
}

void CChartView::SetColorMidLineTimeText(const QColor& color)
{
    if (m_colorMidLineTimeText == color)
        return;
    m_colorMidLineTimeText = color;
    RepaintChart();
}

void CChartView::SetShowMidLine(bool bShow)
{
    if (m_bShowMidLine == bShow)
        return;
    m_bShowMidLine = bShow;
    RepaintChart();
}

void CChartView::SetColorMidLine(const QColor& color)
{
    if (m_colorMidLine == color)
        return;
    m_colorMidLine = color;
    update();
}

void CChartView::SetColorMouseText(const QColor& color)
{
    if (m_colorMouseText == color)
        return;
    m_colorMouseText = color;
    RepaintChart();
}

void CChartView::SetColorTag(const QColor& color)
{
    if (m_colorTag == color)
        return;
    m_colorTag = color;
    for (CChartSeries* series : qAsConst(m_listSeries))
        series->SetChanged();
    RepaintChart();
}

// ---------------------------------------------------------------------------------------------
CSingleChartView::CSingleChartView(QWidget* parent)
    : CChartView(parent)
{
}

CSingleChartView::~CSingleChartView() = default;

void CSingleChartView::SetPixGroove(const QPixmap& pix)
{
    m_pixGroove = pix;
    for (CChartSeries* series : GetSeriesList()) {
        if (auto* groove = dynamic_cast<CGrooveSeries*>(series))
            groove->SetPixmap(pix);
    }
    RepaintChart();
}

} // namespace TesselGUIToolkit
