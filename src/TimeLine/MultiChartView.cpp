#include "TimeLine/MultiChartView.h"

#include "TimeLine/MultiTimeSliderGeometry_p.h"
#include "TimeLine/SegmentRaster_p.h"
#include "TimeLine/TimeAxis_p.h"

#include <QFile>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <cstring>
#include <limits>

namespace TesselGUIToolkit {

namespace {

    Detail::AxisMapping MappingOf(const CAxisPanel* panel)
    {
        const QRect chart = panel->GetChartRect();
        return Detail::MakeAxisMapping(chart.left(), chart.right(), panel->GetViewLeft(),
                                       panel->GetViewRight(), panel->IsMirrored());
    }

    // Layers drawn in the rows area: they move with the scroll offset and stay below the header.
    bool IsRowsAreaLayer(int type)
    {
        return type == CChartSeries::BackGroundSeries || type == CChartSeries::TimeRectSeries
            || type == CChartSeries::PlayLineSeries;
    }

    // A rows-area layer that drew nothing leaves the rows image transparent.
    bool IsBlankRowsLayer(const CChartSeries* series)
    {
        if (const auto* background = dynamic_cast<const CBackGroundSeries*>(series))
            return !background->GetLeftColor().isValid() && !background->GetChartColor().isValid()
                && !background->GetGridLineColor().isValid();
        return false;
    }

    // The client's picture when it shipped one; QPixmap would warn about a missing file.
    QPixmap LoadIfPresent(const QString& path)
    {
        return QFile::exists(path) ? QPixmap(path) : QPixmap();
    }

    /// A row's segment layer. While the chart view gives it a target image, plain opaque fills are
    /// not painted one by one: a full day on many rows means tens of thousands of narrow fills, and
    /// a painter call per fill (or a pixel write per fill down twenty scan lines) costs far more
    /// than the pixels it sets. Fills sharing the row's band are first laid into one line of
    /// pixels, which is then copied down the band. Patterns, gradients and translucent colours
    /// still go through the painter, in their turn.
    class CRowTimeRectSeries : public CTimeRectSeries
    {
    public:
        using CTimeRectSeries::CTimeRectSeries;

        /// `image`: 32-bit premultiplied, also painted on by the painter given to Paint(); `dy` is
        /// added to content y to get image y (the painter's own translation) and nothing is written
        /// outside `clip`. `bClearBelow`: the image is transparent under this row, so lines may be
        /// copied without looking at what is there. Null ends the direct writes (flushing what is
        /// pending).
        void SetDirectTarget(QImage* image, int dy, const QRect& clip, bool bClearBelow)
        {
            FlushLine();
            m_pTarget = image;
            m_nDy = dy;
            m_rectClip = image ? (clip & image->rect()) : QRect();
            m_bClearBelow = bClearBelow;
            m_pBits = image ? image->bits() : nullptr;
            m_nBytesPerLine = image ? image->bytesPerLine() : 0;
            if (image && m_vecLine.size() != image->width())
                m_vecLine = QVector<quint32>(image->width(), 0u);
        }

    protected:
        void PaintFill(QPainter* painter, const QRect& rect, const QBrush& brush) override
        {
            if (!m_pTarget || brush.style() != Qt::SolidPattern || brush.color().alpha() != 255) {
                FlushLine();
                CTimeRectSeries::PaintFill(painter, rect, brush);
                return;
            }
            if (m_nDirtyLeft <= m_nDirtyRight
                && (rect.top() != m_nBandTop || rect.bottom() != m_nBandBottom))
                FlushLine();
            m_nBandTop = rect.top();
            m_nBandBottom = rect.bottom();
            const int left = std::max(m_rectClip.left(), rect.left());
            const int right = std::min(m_rectClip.right(), rect.right());
            if (left > right)
                return;
            const quint32 pixel = brush.color().rgba(); // opaque: premultiplied as it is
            std::fill(m_vecLine.data() + left, m_vecLine.data() + right + 1, pixel);
            m_nDirtyLeft = std::min(m_nDirtyLeft, left);
            m_nDirtyRight = std::max(m_nDirtyRight, right);
        }

    private:
        void FlushLine()
        {
            if (!m_pTarget || m_nDirtyLeft > m_nDirtyRight) {
                m_nDirtyLeft = std::numeric_limits<int>::max();
                m_nDirtyRight = -1;
                return;
            }
            quint32* line = m_vecLine.data();
            const int top = std::max(m_rectClip.top(), m_nBandTop + m_nDy);
            const int bottom = std::min(m_rectClip.bottom(), m_nBandBottom + m_nDy);
            const int left = m_nDirtyLeft;
            const int count = m_nDirtyRight - m_nDirtyLeft + 1;
            for (int y = top; y <= bottom; ++y) {
                auto* dst = reinterpret_cast<quint32*>(m_pBits + y * m_nBytesPerLine) + left;
                if (m_bClearBelow) {
                    std::memcpy(dst, line + left, size_t(count) * sizeof(quint32));
                    continue;
                }
                for (int i = 0; i < count; ++i) {
                    const quint32 src = line[left + i];
                    const quint32 keep = src ? 0u : ~0u;
                    dst[i] = (dst[i] & keep) | src;
                }
            }
            std::fill(line + left, line + left + count, 0u);
            m_nDirtyLeft = std::numeric_limits<int>::max();
            m_nDirtyRight = -1;
            // What was just written is now below whatever comes next.
            m_bClearBelow = false;
        }

        QImage* m_pTarget = nullptr;
        uchar* m_pBits = nullptr;
        qsizetype m_nBytesPerLine = 0;
        int m_nDy = 0;
        QRect m_rectClip;
        bool m_bClearBelow = false;
        QVector<quint32> m_vecLine;
        int m_nBandTop = 0;
        int m_nBandBottom = -1;
        int m_nDirtyLeft = std::numeric_limits<int>::max();
        int m_nDirtyRight = -1;
    };

    // Drawn stand-ins for the button pictures the client may not ship.
    QIcon PlainFilterIcon()
    {
        QPixmap pix(14, 14);
        pix.fill(Qt::transparent);
        QPainter painter(&pix);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(90, 90, 90));
        const QPointF funnel[] = {{1, 2}, {13, 2}, {8.5, 7.5}, {8.5, 12.5}, {5.5, 11}, {5.5, 7.5}};
        painter.drawPolygon(funnel, 6);
        return QIcon(pix);
    }

    QIcon PlainCalendarIcon()
    {
        QPixmap pix(14, 14);
        pix.fill(Qt::transparent);
        QPainter painter(&pix);
        const QColor ink(90, 90, 90);
        painter.setPen(ink);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(1, 2, 11, 10);
        painter.fillRect(QRect(1, 2, 12, 3), ink);
        for (int y : {7, 9})
            for (int x : {3, 6, 9})
                painter.fillRect(QRect(x, y, 2, 1), ink);
        return QIcon(pix);
    }

    void SetButtonPicture(QPushButton* button, const QString& path, const QIcon& fallback)
    {
        button->setIcon(QFile::exists(path) ? QIcon(path) : fallback);
    }

} // namespace

// ---------------------------------------------------------------------------------------------
CPlayLineSeries::CPlayLineSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CPlayLineSeries::~CPlayLineSeries() = default;

void CPlayLineSeries::Clear()
{
    CChartSeries::Clear();
    std::fill(m_vecRowTimes.begin(), m_vecRowTimes.end(), -1.0);
}

void CPlayLineSeries::SetRowCount(int nRows)
{
    nRows = std::max(0, std::min(nRows, CMultiChartView::kMaxRows));
    if (nRows == m_vecRowTimes.size())
        return;
    m_vecRowTimes.resize(nRows);
    for (double& t : m_vecRowTimes) {
        if (!(t >= 0.0))
            t = -1.0;
    }
    m_bChanged = true;
}

bool CPlayLineSeries::SetRowTime(int nRow, double dAxisTime)
{
    if (nRow < 0 || nRow >= m_vecRowTimes.size())
        return false;
    m_vecRowTimes[nRow] = dAxisTime >= 0.0 ? dAxisTime : -1.0;
    m_bChanged = true;
    return true;
}

double CPlayLineSeries::GetRowTime(int nRow) const
{
    if (nRow < 0 || nRow >= m_vecRowTimes.size())
        return -1.0;
    return m_vecRowTimes.at(nRow);
}

void CPlayLineSeries::Paint(QPainter* painter)
{
    const auto* view = dynamic_cast<const CMultiChartView*>(m_pAxisPanel);
    // Synchronised, every channel plays at the centre line: the markers would only repeat it.
    if (!painter || !view || view->IsShowMidLine())
        return;
    const Detail::AxisMapping m = MappingOf(view);
    const int rows = std::min(view->GetRowCount(), m_vecRowTimes.size());
    for (int row = 0; row < rows; ++row) {
        const double t = m_vecRowTimes.at(row);
        if (t < 0.0 || t < m.dViewLeft || t > m.dViewRight)
            continue;
        // Content coordinates: the chart view has already shifted the painter by the scroll.
        const int top = view->GetRowTop(row);
        painter->fillRect(QRect(Detail::TimeToX(m, t) - 1, top, 2, view->GetRowHeight()),
                          m_colorLine);
    }
}

// ---------------------------------------------------------------------------------------------
CMultiChartView::CMultiChartView(QWidget* parent)
    : CChartView(parent)
{
    setObjectName(QStringLiteral("MultiChartView"));
    CChartView::SetMargins(15, 15);
    setMouseTracking(true);
    SetButtonPicture(GetFilterButton(), QStringLiteral(":/Kestrel/TimeSlider/filter.png"),
                     PlainFilterIcon());
    SetButtonPicture(GetCalendarButton(), QStringLiteral(":/Kestrel/TimeSlider/calendar.png"),
                     PlainCalendarIcon());
}

CMultiChartView::~CMultiChartView() = default;

void CMultiChartView::SetRowGeometry(int nRowsTop, int nRowHeight, int nHeaderHeight)
{
    nRowHeight = std::max(1, nRowHeight);
    if (m_nRowsTop == nRowsTop && m_nRowHeight == nRowHeight && m_nHeaderHeight == nHeaderHeight)
        return;
    m_nRowsTop = nRowsTop;
    m_nRowHeight = nRowHeight;
    m_nHeaderHeight = nHeaderHeight;
    SyncBackgroundBands();
    SyncEditLayer();
    RepaintChart();
}

static Detail::RowGeometry GeometryOf(int rowsTop, int rowHeight, int headerHeight)
{
    Detail::RowGeometry g;
    g.nRowsTop = rowsTop;
    g.nRowHeight = rowHeight;
    g.nHeaderHeight = headerHeight;
    return g;
}

int CMultiChartView::GetRowsAreaTop() const
{
    return GeometryOf(m_nRowsTop, m_nRowHeight, m_nHeaderHeight).RowsAreaTop();
}

int CMultiChartView::GetRowLayerOffset() const
{
    return GeometryOf(m_nRowsTop, m_nRowHeight, m_nHeaderHeight).RowLayerOffset();
}

int CMultiChartView::GetRowTop(int nRow) const
{
    return GeometryOf(m_nRowsTop, m_nRowHeight, m_nHeaderHeight).RowTop(nRow);
}

int CMultiChartView::GetContentHeight() const
{
    return GeometryOf(m_nRowsTop, m_nRowHeight, m_nHeaderHeight).ContentHeight(m_nRowCount);
}

QRect CMultiChartView::GetRowRect(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRowCount)
        return QRect();
    const QRect chart = GetChartRect();
    return QRect(chart.left(), GetRowTop(nRow) - m_nScrollOffset, chart.width(), m_nRowHeight);
}

int CMultiChartView::RowAt(const QPoint& pos) const
{
    const QRect chart = GetChartRect();
    if (pos.x() < chart.left() || pos.x() > chart.right())
        return -1;
    return Detail::RowAtY(GeometryOf(m_nRowsTop, m_nRowHeight, m_nHeaderHeight), m_nRowCount,
                          m_nScrollOffset, pos.y());
}

int CMultiChartView::GetFirstVisibleRow() const
{
    return Detail::FirstVisibleRow(m_nScrollOffset, m_nRowHeight);
}

void CMultiChartView::SetScrollOffset(int nOffset)
{
    nOffset = std::max(0, nOffset);
    if (m_nScrollOffset == nOffset)
        return;
    m_nScrollOffset = nOffset;
    RepaintChart();
}

int CMultiChartView::RowInsertIndex() const
{
    int index = -1;
    for (int i = 0; i < m_listSeries.size(); ++i) {
        const int type = m_listSeries.at(i)->GetType();
        if (type == CChartSeries::TimeRectSeries || type == CChartSeries::RectSeries
            || type == CChartSeries::BackGroundSeries)
            index = i;
    }
    return index + 1;
}

void CMultiChartView::SetRowCount(int nRows)
{
    nRows = std::max(0, std::min(nRows, kMaxRows));
    while (m_vecRowSeries.size() < nRows) {
        auto* series = new CRowTimeRectSeries(this);
        m_listSeries.insert(RowInsertIndex(), series);
        m_vecRowSeries.append(series);
    }
    for (int row = 0; row < m_vecRowSeries.size(); ++row)
        m_vecRowSeries.at(row)->SetVisible(row < nRows);
    m_nRowCount = nRows;
    if (m_nSelectedRow >= nRows)
        m_nSelectedRow = -1;
    if (CPlayLineSeries* play = GetPlayLineSeries())
        play->SetRowCount(nRows);
    SyncBackgroundBands();
    RepaintChart();
}

CTimeRectSeries* CMultiChartView::GetRowSeries(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRowCount || nRow >= m_vecRowSeries.size())
        return nullptr;
    return m_vecRowSeries.at(nRow);
}

bool CMultiChartView::SetRowName(int nRow, const QString& strName)
{
    if (nRow < 0 || nRow >= kMaxRows)
        return false;
    while (m_listRowNames.size() <= nRow)
        m_listRowNames.append(QString());
    m_listRowNames[nRow] = strName;
    RepaintChart();
    return true;
}

QString CMultiChartView::GetRowName(int nRow) const
{
    return m_listRowNames.value(nRow);
}

void CMultiChartView::SetSelectedRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRowCount)
        nRow = -1;
    if (m_nSelectedRow == nRow)
        return;
    m_nSelectedRow = nRow;
    RepaintChart();
}

void CMultiChartView::SetSelectRange(int nRow, double dLeft, double dRight)
{
    if (nRow < 0 || nRow >= m_nRowCount)
        return;
    m_nSelectRow = nRow;
    m_dSelectLeft = std::min(dLeft, dRight);
    m_dSelectRight = std::max(dLeft, dRight);
    RepaintChart();
}

void CMultiChartView::ClearSelectRange()
{
    if (m_nSelectRow < 0)
        return;
    m_nSelectRow = -1;
    RepaintChart();
}

CPlayLineSeries* CMultiChartView::GetPlayLineSeries() const
{
    return dynamic_cast<CPlayLineSeries*>(GetSeries(CChartSeries::PlayLineSeries));
}

CTagSeries* CMultiChartView::GetTagSeries() const
{
    return dynamic_cast<CTagSeries*>(GetSeries(CChartSeries::TagSeries));
}

CLockSeries* CMultiChartView::GetLockSeries() const
{
    return dynamic_cast<CLockSeries*>(GetSeries(CChartSeries::LockSeries));
}

CTagLockEditSeries* CMultiChartView::GetTagLockEditSeries() const
{
    return dynamic_cast<CTagLockEditSeries*>(GetSeries(CChartSeries::TagLockEditSeries));
}

QString CMultiChartView::DefaultTagPicturePath()
{
    return QStringLiteral(":/Kestrel/TimeSlider/tag.png");
}

QString CMultiChartView::DefaultLockPicturePath()
{
    return QStringLiteral(":/Kestrel/TimeSlider/lock.png");
}

void CMultiChartView::ApplyMarkPictures()
{
    if (CTagSeries* tags = GetTagSeries()) {
        tags->SetPixmap(m_pixTag.isNull() ? LoadIfPresent(DefaultTagPicturePath()) : m_pixTag);
        tags->SetChanged();
    }
    if (CLockSeries* locks = GetLockSeries()) {
        locks->SetPixmap(m_pixLock.isNull() ? LoadIfPresent(DefaultLockPicturePath()) : m_pixLock);
        locks->SetChanged();
    }
    RepaintChart();
}

void CMultiChartView::SyncBackgroundBands()
{
    auto* background = dynamic_cast<CBackGroundSeries*>(GetSeries(CChartSeries::BackGroundSeries));
    if (!background)
        return;
    background->Clear();
    background->SetBandHeight(m_nRowHeight);
    background->SetLeftColor(m_colorLeftChartBackground);
    background->SetChartColor(m_colorRightChartBackground);
    for (int row = 0; row < m_nRowCount; ++row)
        background->Append(0.0, GetRowTop(row));
}

void CMultiChartView::SyncEditLayer()
{
    CTagLockEditSeries* edit = GetTagLockEditSeries();
    if (!edit)
        return;
    // The range spans every visible row, from its own top down to the chart's bottom.
    const int height = std::max(0, GetChartRect().bottom() + 1 - edit->GetTop());
    if (edit->GetHeight() != height)
        edit->SetHeight(height);
}

QRect CMultiChartView::RowsClipRect() const
{
    const int top = GetRowsAreaTop();
    return QRect(0, top, width(), std::max(0, height() - top));
}

bool CMultiChartView::IsRowOnScreen(int nRow) const
{
    const int top = GetRowTop(nRow) - m_nScrollOffset;
    return top + m_nRowHeight > GetRowsAreaTop() && top < height();
}

void CMultiChartView::PaintBackground(QPainter& painter)
{
    if (m_colorTopBackground.isValid())
        painter.fillRect(QRect(0, 0, width(), std::min(height(), GetRowsAreaTop())),
                         m_colorTopBackground);
}

void CMultiChartView::PaintSeries(QPainter& painter)
{
    SyncEditLayer();
    const bool viewChanged = m_dViewLeft != m_dLastPaintLeft || GetViewSpan() != m_dLastPaintSpan
        || m_rectChart != m_rectLastPaintChart;
    const QRect clip = RowsClipRect();
    // A picture that lives in memory as a plain 32-bit image (Qt's raster pixmaps do) lets the
    // rows write their fills straight into its pixels; any other target keeps the painter path.
    QImage* target = nullptr;
    if (!clip.isEmpty() && painter.paintEngine() && painter.device()->devicePixelRatioF() == 1.0) {
        QPaintDevice* device = painter.paintEngine()->paintDevice();
        if (device && device->devType() == QInternal::Image) {
            auto* image = static_cast<QImage*>(device);
            // A shared image would be copied on the first write, away from the painter.
            if (image->format() == QImage::Format_ARGB32_Premultiplied && image->isDetached()
                && image->rect().contains(clip))
                target = image;
        }
    }
    // Until something is drawn in the rows area, rows may copy their lines in without blending.
    bool rowsClear = true;

    for (int i = 0; i < m_listSeries.size(); ++i) {
        CChartSeries* series = m_listSeries.at(i);
        const int row = series->GetType() == CChartSeries::TimeRectSeries
            ? m_vecRowSeries.indexOf(static_cast<CTimeRectSeries*>(series))
            : -1;
        // A row out of sight is neither recomputed nor painted: its layer sorts itself when it
        // is next painted, so nothing is lost by skipping it now.
        if (row >= 0 && (row >= m_nRowCount || !IsRowOnScreen(row)))
            continue;
        if (viewChanged || series->IsChanged())
            series->Update();
        if (!series->IsVisible())
            continue;
        if (!IsRowsAreaLayer(series->GetType())) {
            const auto* rects = dynamic_cast<const CRectSeries*>(series);
            if (rects && rects->RectCount() == 0)
                continue;
            painter.save();
            series->Paint(&painter);
            painter.restore();
            rowsClear = false;
            continue;
        }
        if (clip.isEmpty())
            continue;
        auto* direct =
            row >= 0 && target ? static_cast<CRowTimeRectSeries*>(m_vecRowSeries.at(row)) : nullptr;
        painter.save();
        painter.setClipRect(clip);
        painter.translate(0, -m_nScrollOffset);
        if (direct)
            direct->SetDirectTarget(target, -m_nScrollOffset, clip, rowsClear);
        series->Paint(&painter);
        if (direct)
            direct->SetDirectTarget(nullptr, 0, QRect(), false);
        painter.restore();
        if (!direct && !IsBlankRowsLayer(series))
            rowsClear = false;
    }
    m_dLastPaintLeft = m_dViewLeft;
    m_dLastPaintSpan = GetViewSpan();
    m_rectLastPaintChart = m_rectChart;
}

void CMultiChartView::PaintForeground(QPainter& painter)
{
    const QRect chart = GetChartRect();
    const QRect clip = RowsClipRect();
    if (!clip.isEmpty() && chart.width() > 0 && m_nRowCount > 0) {
        painter.save();
        painter.setClipRect(clip);
        const int first = GetFirstVisibleRow();
        QFont font = painter.font();
        font.setPixelSize(std::min(11, std::max(1, m_nRowHeight - 6)));
        painter.setFont(font);
        for (int row = first; row < m_nRowCount; ++row) {
            const QRect band = GetRowRect(row);
            if (band.top() >= height())
                break;
            if (m_colorGridLine.isValid())
                painter.fillRect(QRect(chart.left(), band.bottom(), chart.width(), 1),
                                 m_colorGridLine);
            // Names need room to be read; the thin rows of the compact layout go without. A dark
            // chip keeps them legible over the bars.
            const QString name = m_listRowNames.value(row);
            if (!name.isEmpty() && m_nRowHeight >= 12) {
                const int textWidth =
                    std::min(band.width() / 3, painter.fontMetrics().horizontalAdvance(name));
                const QRect chip(band.left() + 2, band.top() + 2, textWidth + 6, band.height() - 4);
                painter.fillRect(chip, QColor(0, 0, 0, 190));
                painter.setPen(GetColorAxisName());
                painter.drawText(chip.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                                 painter.fontMetrics().elidedText(name, Qt::ElideRight, textWidth));
            }
        }
        if (m_nSelectRow >= 0 && m_nSelectRow < m_nRowCount && m_colorSelectRect.isValid()) {
            const Detail::AxisMapping m = MappingOf(this);
            int x0 = 0;
            int x1 = 0;
            if (Detail::SegmentColumns(m, m_dSelectLeft, m_dSelectRight, x0, x1)) {
                const QRect band = GetRowRect(m_nSelectRow);
                painter.setOpacity(m_dSelectRectOpacity);
                painter.fillRect(QRect(x0, band.top(), x1 - x0 + 1, band.height()),
                                 m_colorSelectRect);
                painter.setOpacity(1.0);
            }
        }
        if (m_nSelectedRow >= 0 && m_nSelectedRow < m_nRowCount
            && m_colorSelectGridLine.isValid()) {
            const QRect band = GetRowRect(m_nSelectedRow);
            painter.setPen(m_colorSelectGridLine);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(band.adjusted(0, 0, -1, -1));
        }
        painter.restore();
    }
    CChartView::PaintForeground(painter);
}

void CMultiChartView::resizeEvent(QResizeEvent* event)
{
    CChartView::resizeEvent(event);
    SyncEditLayer();
}

void CMultiChartView::SetColorTopBackground(const QColor& color)
{
    if (m_colorTopBackground == color)
        return;
    m_colorTopBackground = color;
    RepaintChart();
}

void CMultiChartView::SetColorGridLine(const QColor& color)
{
    if (m_colorGridLine == color)
        return;
    m_colorGridLine = color;
    RepaintChart();
}

void CMultiChartView::SetColorLeftChartBackground(const QColor& color)
{
    if (m_colorLeftChartBackground == color)
        return;
    m_colorLeftChartBackground = color;
    SyncBackgroundBands();
    RepaintChart();
}

void CMultiChartView::SetColorRightChartBackground(const QColor& color)
{
    if (m_colorRightChartBackground == color)
        return;
    m_colorRightChartBackground = color;
    SyncBackgroundBands();
    RepaintChart();
}

void CMultiChartView::SetColorSelectGridLine(const QColor& color)
{
    if (m_colorSelectGridLine == color)
        return;
    m_colorSelectGridLine = color;
    RepaintChart();
}

void CMultiChartView::SetOpenSelectRect(bool bOpen)
{
    if (m_bOpenSelectRect == bOpen)
        return;
    m_bOpenSelectRect = bOpen;
    if (!bOpen)
        ClearSelectRange();
}

void CMultiChartView::SetColorSelectRect(const QColor& color)
{
    if (m_colorSelectRect == color)
        return;
    m_colorSelectRect = color;
    RepaintChart();
}

void CMultiChartView::SetSelectRectOpacity(double dOpacity)
{
    dOpacity = std::max(0.0, std::min(1.0, dOpacity));
    if (m_dSelectRectOpacity == dOpacity)
        return;
    m_dSelectRectOpacity = dOpacity;
    RepaintChart();
}

void CMultiChartView::SetPixTag(const QPixmap& pix)
{
    m_pixTag = pix;
    ApplyMarkPictures();
}

void CMultiChartView::SetPixLock(const QPixmap& pix)
{
    m_pixLock = pix;
    ApplyMarkPictures();
}

} // namespace TesselGUIToolkit
