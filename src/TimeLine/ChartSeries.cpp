#include "TimeLine/ChartSeries.h"

#include "TimeLine/ChartView.h"
#include "TimeLine/SegmentRaster_p.h"
#include "TimeLine/TimeAxis_p.h"

#include <QDateTime>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace TesselGUIToolkit {

namespace {

Detail::AxisMapping MappingOf(const CAxisPanel* panel)
{
    const QRect chart = panel->GetChartRect();
    return Detail::MakeAxisMapping(chart.left(), chart.right(), panel->GetViewLeft(),
                                   panel->GetViewRight(), panel->IsMirrored());
}

// A sane pixel y for a double coming from a client; absurd values collapse to far off-screen.
int ToPixelY(double y)
{
    return Detail::RoundHalfUp(y);
}

} // namespace

// ---------------------------------------------------------------------------------------------
CChartSeries::CChartSeries(CAxisPanel* panel)
    : m_pAxisPanel(panel)
{
}

CChartSeries::~CChartSeries() = default;

void CChartSeries::Clear()
{
    m_vecX.clear();
    m_vecY.clear();
    m_bChanged = true;
}

void CChartSeries::Update()
{
    m_bChanged = false;
}

void CChartSeries::Paint(QPainter*) {}

void CChartSeries::Append(double x, double y)
{
    m_vecX.append(x);
    m_vecY.append(y);
    m_bChanged = true;
}

bool CChartSeries::SetPoint(int index, double x, double y)
{
    if (index < 0 || index >= m_vecX.size())
        return false;
    m_vecX[index] = x;
    m_vecY[index] = y;
    m_bChanged = true;
    return true;
}

void CChartSeries::SetVisible(bool bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    m_bChanged = true;
}

// ---------------------------------------------------------------------------------------------
CGrooveSeries::CGrooveSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CGrooveSeries::~CGrooveSeries() = default;

void CGrooveSeries::SetPixmap(const QPixmap& pix)
{
    m_pixGroove = pix;
    m_bChanged = true;
}

void CGrooveSeries::SetHeight(int nHeight)
{
    m_nHeight = std::max(0, nHeight);
    m_bChanged = true;
}

void CGrooveSeries::SetColor(const QColor& color)
{
    m_colorGroove = color;
    m_bChanged = true;
}

void CGrooveSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel || m_vecY.isEmpty() || m_nHeight <= 0)
        return;
    const QRect chart = m_pAxisPanel->GetChartRect();
    if (chart.width() <= 0)
        return;
    const QRect band(chart.left(), ToPixelY(m_vecY.first()), chart.width(), m_nHeight);
    if (!m_pixGroove.isNull()) {
        // The picture is a border image: its ends stay as drawn, the middle stretches.
        const int pixW = m_pixGroove.width();
        const int cap = std::min(pixW / 3, band.width() / 2);
        const int pixH = m_pixGroove.height();
        painter->drawPixmap(QRect(band.left(), band.top(), cap, band.height()), m_pixGroove,
                            QRect(0, 0, cap, pixH));
        painter->drawPixmap(QRect(band.left() + cap, band.top(), band.width() - 2 * cap,
                                  band.height()),
                            m_pixGroove, QRect(cap, 0, pixW - 2 * cap, pixH));
        painter->drawPixmap(QRect(band.right() - cap + 1, band.top(), cap, band.height()),
                            m_pixGroove, QRect(pixW - cap, 0, cap, pixH));
    } else if (m_colorGroove.isValid()) {
        painter->fillRect(band, m_colorGroove);
    }
}

// ---------------------------------------------------------------------------------------------
CBackGroundSeries::CBackGroundSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CBackGroundSeries::~CBackGroundSeries() = default;

void CBackGroundSeries::SetBandHeight(int nHeight)
{
    m_nBandHeight = std::max(0, nHeight);
    m_bChanged = true;
}

void CBackGroundSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel || m_nBandHeight <= 0)
        return;
    const QRect chart = m_pAxisPanel->GetChartRect();
    for (double y : qAsConst(m_vecY)) {
        const int top = ToPixelY(y);
        if (m_colorLeft.isValid() && chart.left() > 0)
            painter->fillRect(QRect(0, top, chart.left(), m_nBandHeight), m_colorLeft);
        if (m_colorChart.isValid() && chart.width() > 0)
            painter->fillRect(QRect(chart.left(), top, chart.width(), m_nBandHeight),
                              m_colorChart);
        if (m_colorGridLine.isValid() && chart.width() > 0)
            painter->fillRect(QRect(chart.left(), top + m_nBandHeight - 1, chart.width(), 1),
                              m_colorGridLine);
    }
}

// ---------------------------------------------------------------------------------------------
CAxisSeries::CAxisSeries(CAxisPanel* panel, int zoneOffset)
    : CChartSeries(panel)
    , m_nZoneOffset(zoneOffset)
{
    m_font.setPixelSize(9);
}

CAxisSeries::~CAxisSeries() = default;

void CAxisSeries::SetTickStep(int nStep)
{
    if (m_nTickStep == nStep)
        return;
    m_nTickStep = nStep;
    m_bChanged = true;
}

void CAxisSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel || m_nTickStep <= 0)
        return;
    const QRect chart = m_pAxisPanel->GetChartRect();
    if (chart.width() < 70)
        return;
    const Detail::AxisMapping m = MappingOf(m_pAxisPanel);
    const double viewLeft = m.dViewLeft;
    const double viewRight = m.dViewRight;
    if (!(viewRight >= viewLeft))
        return;

    // Labels show local wall time: the axis runs on the construction-time zone, so a zone change
    // since then is taken back out before formatting.
    const int drift = Detail::LocalZoneOffset(QDateTime::currentDateTime()) - m_nZoneOffset;
    const double dayPos = std::fmod(viewLeft + m_nZoneOffset, 86400.0);
    const double t0 = viewLeft - (dayPos < 0 ? dayPos + 86400.0 : dayPos);
    const int period = std::max(1, m_nLabelPeriod);

    painter->setPen(m_pAxisPanel->GetColorAxisText());
    const QColor scaleLine = m_pAxisPanel->GetColorScaleLine();
    // A 10,000-pixel chart at one tick a minute still stays far below this; absurd views do not.
    constexpr int kMaxTicks = 20000;
    int count = 0;
    for (double t = t0; t <= viewRight && count < kMaxTicks + 2; t += m_nTickStep, ++count) {
        if (t < viewLeft)
            continue;
        int x = Detail::TimeToX(m, t);
        if (t == viewRight)
            x -= 1;
        else if (t == viewLeft)
            x += 1;
        if (count % period != 0) {
            painter->fillRect(QRect(QPoint(x - 1, m_nTickTop), QPoint(x - 1, m_nTickTop + 4)),
                              scaleLine);
            continue;
        }
        painter->fillRect(QRect(QPoint(x - 1, m_nTickTop), QPoint(x, m_nTickTop + 6)), scaleLine);

        const QString text
            = Detail::FormatLocal(static_cast<qint64>(std::floor(t)) - drift, QStringLiteral("hh:mm"));
        if (!m_bCompact) {
            painter->setFont(m_font);
            painter->setPen(m_pAxisPanel->GetColorAxisSmallText());
        }
        QRect box = painter->boundingRect(
            QRect(QPoint(x, m_nLabelTop), QPoint(x + 14, m_nLabelTop + m_nLabelBoxHeight)),
            Qt::AlignLeft | Qt::AlignTop, text);
        if (m_nLabelAlignment == 0)
            box.moveLeft(x - box.width() / 2);
        else if (m_nLabelAlignment == 1)
            box.translate(m_nLabelShift, 0);
        if (m_bCompact)
            box.translate(-box.width() / 2, -6);
        if (!box.isEmpty())
            painter->drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    }
}

// ---------------------------------------------------------------------------------------------
CMouseTextSeries::CMouseTextSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CMouseTextSeries::~CMouseTextSeries() = default;

void CMouseTextSeries::Clear()
{
    CChartSeries::Clear();
    m_dTime = -1.0;
    m_strText = QStringLiteral(" ");
}

void CMouseTextSeries::SetMouseTime(double axisTime, const QString& text)
{
    m_dTime = axisTime;
    m_strText = text;
    m_bChanged = true;
}

void CMouseTextSeries::SetTextSize(int nSize)
{
    m_nTextSize = std::max(1, nSize);
    m_bChanged = true;
}

void CMouseTextSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel || m_strText.isEmpty())
        return;
    if (m_dTime < m_pAxisPanel->GetViewLeft() || m_dTime > m_pAxisPanel->GetViewRight())
        return;
    const int x = m_pAxisPanel->TimeToX(m_dTime);
    QFont font = painter->font();
    font.setPixelSize(m_nTextSize);
    painter->setFont(font);
    painter->setPen(m_pAxisPanel->GetColorMouseText());
    const QRect box = painter->boundingRect(QRect(QPoint(x, m_nTextY), QPoint(x + 14, m_nTextY + 7)),
                                            Qt::AlignLeft | Qt::AlignVCenter, m_strText);
    if (!box.isEmpty())
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_strText);
}

// ---------------------------------------------------------------------------------------------
CTimeRectSeries::CTimeRectSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CTimeRectSeries::~CTimeRectSeries() = default;

void CTimeRectSeries::Clear()
{
    CChartSeries::Clear();
    m_hashLevels.clear();
    m_vecStyles.clear();
    m_hashSolidStyles.clear();
    m_vecFills.clear();
    InvalidateFills();
}

int CTimeRectSeries::StyleIndex(const QBrush& brush, int nTop, int nBottom)
{
    const Qt::BrushStyle style = brush.style();
    const bool plain = (style == Qt::SolidPattern || style == Qt::NoBrush)
        && brush.transform().isIdentity();
    if (plain) {
        const QPair<quint64, quint64> key(
            (quint64(brush.color().rgba64()) << 8) ^ quint64(style),
            (quint64(quint32(nTop)) << 32) | quint32(nBottom));
        const auto it = m_hashSolidStyles.constFind(key);
        if (it != m_hashSolidStyles.cend())
            return it.value();
        m_vecStyles.append({brush, nTop, nBottom});
        m_hashSolidStyles.insert(key, m_vecStyles.size() - 1);
        return m_vecStyles.size() - 1;
    }
    for (int i = 0; i < m_vecStyles.size(); ++i) {
        const Style& s = m_vecStyles.at(i);
        if (s.nTop == nTop && s.nBottom == nBottom && s.brush == brush)
            return i;
    }
    m_vecStyles.append({brush, nTop, nBottom});
    return m_vecStyles.size() - 1;
}

bool CTimeRectSeries::AddRect(double dLeft, int nTop, double dRight, int nBottom,
                              const QBrush& brush, int nLevel)
{
    if (!(dRight >= dLeft))
        return false;
    LevelData& level = m_hashLevels[nLevel];
    Entry entry;
    entry.item = TimeRectItem{dLeft, nTop, dRight, nBottom, brush, nLevel, 0};
    entry.nStyle = StyleIndex(brush, nTop, nBottom);
    if (level.bSorted && !level.entries.isEmpty() && level.entries.constLast().item.dLeft > dLeft)
        level.bSorted = false;
    if (level.bSorted) {
        const double prevMax = level.maxRight.isEmpty() ? dRight : level.maxRight.constLast();
        level.maxRight.append(std::max(prevMax, dRight));
    }
    level.entries.append(entry);
    m_bChanged = true;
    InvalidateFills();
    return true;
}

void CTimeRectSeries::AddRects(const QVector<TimeRectItem>& items)
{
    for (const TimeRectItem& item : items)
        AddRect(item.dLeft, item.nTop, item.dRight, item.nBottom, item.brush, item.nLevel);
}

void CTimeRectSeries::SetFilterLevels(const QList<int>& levels)
{
    m_listFilterLevels = levels;
    m_bChanged = true;
    InvalidateFills();
}

bool CTimeRectSeries::IsLevelShown(int nLevel) const
{
    return m_listFilterLevels.contains(-1) || m_listFilterLevels.contains(nLevel);
}

void CTimeRectSeries::RemoveLevel(int nLevel)
{
    if (m_hashLevels.remove(nLevel) > 0) {
        m_bChanged = true;
        InvalidateFills();
    }
}

QList<int> CTimeRectSeries::GetLevels() const
{
    QList<int> levels = m_hashLevels.keys();
    std::sort(levels.begin(), levels.end());
    return levels;
}

QVector<TimeRectItem> CTimeRectSeries::GetItems(int nLevel) const
{
    EnsureSorted();
    QVector<TimeRectItem> items;
    const auto it = m_hashLevels.constFind(nLevel);
    if (it == m_hashLevels.cend())
        return items;
    items.reserve(it->entries.size());
    for (const Entry& e : it->entries)
        items.append(e.item);
    return items;
}

int CTimeRectSeries::ItemCount() const
{
    int n = 0;
    for (const LevelData& level : m_hashLevels)
        n += level.entries.size();
    return n;
}

void CTimeRectSeries::EnsureSorted() const
{
    for (LevelData& level : m_hashLevels) {
        if (level.bSorted)
            continue;
        std::stable_sort(level.entries.begin(), level.entries.end(),
                         [](const Entry& a, const Entry& b) { return a.item.dLeft < b.item.dLeft; });
        level.maxRight
            = Detail::BuildMaxRight(level.entries, [](const Entry& e) { return e.item.dRight; });
        level.bSorted = true;
    }
}

double CTimeRectSeries::GetFirstLeftAfter(double dFrom, double dTo) const
{
    EnsureSorted();
    double best = -1.0;
    for (auto it = m_hashLevels.cbegin(); it != m_hashLevels.cend(); ++it) {
        if (!IsLevelShown(it.key()))
            continue;
        const QVector<Entry>& entries = it->entries;
        const auto pos = std::lower_bound(
            entries.cbegin(), entries.cend(), dFrom,
            [](const Entry& e, double value) { return e.item.dLeft < value; });
        if (pos == entries.cend() || pos->item.dLeft > dTo)
            continue;
        if (best < 0 || pos->item.dLeft < best)
            best = pos->item.dLeft;
    }
    return best;
}

double CTimeRectSeries::GetLastLeftBefore(double dFrom, double dTo) const
{
    EnsureSorted();
    double best = -1.0;
    for (auto it = m_hashLevels.cbegin(); it != m_hashLevels.cend(); ++it) {
        if (!IsLevelShown(it.key()))
            continue;
        const QVector<Entry>& entries = it->entries;
        auto pos = std::upper_bound(
            entries.cbegin(), entries.cend(), dTo,
            [](double value, const Entry& e) { return value < e.item.dLeft; });
        if (pos == entries.cbegin())
            continue;
        --pos;
        if (pos->item.dLeft < dFrom)
            continue;
        if (pos->item.dLeft > best)
            best = pos->item.dLeft;
    }
    return best;
}

void CTimeRectSeries::Update()
{
    EnsureSorted();
    CChartSeries::Update();
}

void CTimeRectSeries::CollectLevelFills(int nLevel) const
{
    const auto it = m_hashLevels.constFind(nLevel);
    if (it == m_hashLevels.cend() || it->entries.isEmpty())
        return;
    QVector<Detail::RasterSpan> spans;
    Detail::RasterizeSorted(
        it->entries, it->maxRight, MappingOf(m_pAxisPanel), spans,
        [](const Entry& e) { return e.item.dLeft; }, [](const Entry& e) { return e.item.dRight; },
        [](const Entry& e) { return e.nStyle; });
    for (const Detail::RasterSpan& span : qAsConst(spans)) {
        const Style& style = m_vecStyles.at(span.nKey);
        const int height = style.nBottom - style.nTop;
        if (height > 0)
            m_vecFills.append(
                {QRect(span.nX0, style.nTop, span.nX1 - span.nX0 + 1, height), span.nKey});
    }
}

void CTimeRectSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel)
        return;
    const QRect chart = m_pAxisPanel->GetChartRect();
    const bool sameMapping = m_dFillViewLeft == m_pAxisPanel->GetViewLeft()
        && m_dFillViewRight == m_pAxisPanel->GetViewRight() && m_rectFillChart == chart
        && m_bFillMirrored == m_pAxisPanel->IsMirrored();
    if (!m_bFillsValid || !sameMapping) {
        EnsureSorted();
        m_vecFills.clear();
        for (int level : GetLevels()) {
            if (IsLevelShown(level))
                CollectLevelFills(level);
        }
        m_dFillViewLeft = m_pAxisPanel->GetViewLeft();
        m_dFillViewRight = m_pAxisPanel->GetViewRight();
        m_rectFillChart = chart;
        m_bFillMirrored = m_pAxisPanel->IsMirrored();
        m_bFillsValid = true;
    }
    for (const Fill& fill : qAsConst(m_vecFills))
        PaintFill(painter, fill.rect, m_vecStyles.at(fill.nStyle).brush);
    m_nLastFillCount = m_vecFills.size();
}

void CTimeRectSeries::PaintFill(QPainter* painter, const QRect& rect, const QBrush& brush)
{
    painter->fillRect(rect, brush);
}

// ---------------------------------------------------------------------------------------------
CRectSeries::CRectSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CRectSeries::~CRectSeries() = default;

void CRectSeries::Clear()
{
    CChartSeries::Clear();
    m_vecRects.clear();
}

bool CRectSeries::AddRect(double dLeft, double dRight, int nHeight, const QBrush& brush)
{
    if (!(dRight >= dLeft) || nHeight <= 0)
        return false;
    m_vecRects.append({dLeft, dRight, nHeight, brush});
    m_bChanged = true;
    return true;
}

void CRectSeries::SetTop(int nTop)
{
    m_nTop = nTop;
    m_bChanged = true;
}

void CRectSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel)
        return;
    const Detail::AxisMapping m = MappingOf(m_pAxisPanel);
    for (const Entry& e : qAsConst(m_vecRects)) {
        if (e.dRight < m.dViewLeft || e.dLeft > m.dViewRight)
            continue;
        int x0 = 0;
        int x1 = 0;
        if (Detail::SegmentColumns(m, e.dLeft, e.dRight, x0, x1))
            painter->fillRect(QRect(x0, m_nTop, x1 - x0 + 1, e.nHeight), e.brush);
    }
}

// ---------------------------------------------------------------------------------------------
CTagSeries::CTagSeries(CAxisPanel* panel)
    : CTagSeries(panel, 16)
{
}

CTagSeries::CTagSeries(CAxisPanel* panel, int nPictureSize)
    : CChartSeries(panel)
    , m_nPictureSize(nPictureSize)
{
}

CTagSeries::~CTagSeries() = default;

void CTagSeries::Clear()
{
    CChartSeries::Clear();
    m_vecMarks.clear();
    m_vecPlaced.clear();
}

void CTagSeries::AddMark(const RecordDataTag& mark)
{
    m_vecMarks.append(mark);
    m_bChanged = true;
}

void CTagSeries::Update()
{
    m_vecPlaced = QVector<Placed>(m_vecMarks.size());
    if (m_pAxisPanel) {
        QVector<int> order(m_vecMarks.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return m_vecMarks.at(a).dLeft < m_vecMarks.at(b).dLeft;
        });
        const double viewLeft = m_pAxisPanel->GetViewLeft();
        const double viewRight = m_pAxisPanel->GetViewRight();
        int owner = -1;
        for (int index : qAsConst(order)) {
            const RecordDataTag& mark = m_vecMarks.at(index);
            if (mark.dRight < viewLeft || mark.dLeft > viewRight)
                continue;
            const int x = m_pAxisPanel->TimeToX(std::max(mark.dLeft, viewLeft));
            const QRect rect(x - m_nPictureSize / 2, mark.nTop - 2, m_nPictureSize,
                             m_nPictureSize);
            if (owner >= 0 && rect.left() <= m_vecPlaced.at(owner).rect.right()) {
                ++m_vecPlaced[owner].nGroupSize;
                m_vecPlaced[index].nGroupOwner = owner;
                continue;
            }
            owner = index;
            m_vecPlaced[index] = Placed{rect, 1, index};
        }
    }
    CChartSeries::Update();
}

void CTagSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel)
        return;
    if (m_vecPlaced.size() != m_vecMarks.size())
        Update();
    for (int i = 0; i < m_vecPlaced.size(); ++i) {
        const Placed& placed = m_vecPlaced.at(i);
        if (placed.nGroupOwner == i && placed.nGroupSize > 0)
            PaintMark(painter, placed.rect, placed.nGroupSize);
    }
}

void CTagSeries::PaintMark(QPainter* painter, const QRect& rect, int nGroupSize) const
{
    const QColor color = m_colorMark.isValid()
        ? m_colorMark
        : (m_pAxisPanel ? m_pAxisPanel->GetColorTag() : QColor(131, 131, 131));
    if (!m_pixMark.isNull()) {
        painter->drawPixmap(rect, m_pixMark);
    } else {
        // A small flag: pole on the left, cloth to its right.
        painter->fillRect(QRect(rect.left() + 3, rect.top(), 2, rect.height()), color);
        painter->fillRect(QRect(rect.left() + 5, rect.top(), rect.width() - 7, rect.height() / 2),
                          color);
    }
    if (nGroupSize > 1) {
        QFont font = painter->font();
        font.setPixelSize(9);
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(rect, Qt::AlignRight | Qt::AlignBottom, QString::number(nGroupSize));
    }
}

QRect CTagSeries::GetMarkRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_vecPlaced.size())
        return QRect();
    const Placed& placed = m_vecPlaced.at(nIndex);
    return placed.nGroupOwner == nIndex ? placed.rect : QRect();
}

int CTagSeries::GroupSize(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_vecPlaced.size())
        return 0;
    const Placed& placed = m_vecPlaced.at(nIndex);
    return placed.nGroupOwner == nIndex ? placed.nGroupSize : 0;
}

QPoint CTagSeries::GetMarkPoint(const RecordDataTag& mark) const
{
    for (int i = 0; i < m_vecMarks.size() && i < m_vecPlaced.size(); ++i) {
        const RecordDataTag& m = m_vecMarks.at(i);
        if (m.llUserData != mark.llUserData || m.dLeft != mark.dLeft || m.dRight != mark.dRight
            || m.nTop != mark.nTop || m.strText != mark.strText)
            continue;
        const int owner = m_vecPlaced.at(i).nGroupOwner;
        if (owner < 0)
            return QPoint(0, 0);
        return m_vecPlaced.at(owner).rect.topLeft();
    }
    return QPoint(0, 0);
}

int CTagSeries::HitTest(const QPoint& pos) const
{
    for (int i = 0; i < m_vecPlaced.size(); ++i) {
        const Placed& placed = m_vecPlaced.at(i);
        if (placed.nGroupOwner == i && placed.rect.contains(pos))
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
CLockSeries::CLockSeries(CAxisPanel* panel)
    : CTagSeries(panel, 20)
{
}

CLockSeries::~CLockSeries() = default;

void CLockSeries::PaintMark(QPainter* painter, const QRect& rect, int nGroupSize) const
{
    if (!m_pixMark.isNull()) {
        CTagSeries::PaintMark(painter, rect, nGroupSize);
        return;
    }
    const QColor color = m_colorMark.isValid()
        ? m_colorMark
        : (m_pAxisPanel ? m_pAxisPanel->GetColorTag() : QColor(131, 131, 131));
    // A padlock: shackle over a body.
    const QRect body(rect.left() + 3, rect.top() + rect.height() / 2 - 1, rect.width() - 6,
                     rect.height() / 2);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(color, 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawArc(QRect(rect.left() + 6, rect.top() + 2, rect.width() - 12, rect.height() / 2),
                     0, 180 * 16);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(body, color);
    if (nGroupSize > 1) {
        QFont font = painter->font();
        font.setPixelSize(9);
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(rect, Qt::AlignRight | Qt::AlignBottom, QString::number(nGroupSize));
    }
}

// ---------------------------------------------------------------------------------------------
CTagLockEditSeries::CTagLockEditSeries(CAxisPanel* panel)
    : CChartSeries(panel)
{
}

CTagLockEditSeries::~CTagLockEditSeries() = default;

void CTagLockEditSeries::Clear()
{
    // Play positions belong to the channels, not to the edited range: keep the slots.
    for (int i = 0; i < m_vecX.size(); ++i)
        m_vecX[i] = -1.0;
    m_dLeft = 0.0;
    m_dRight = 0.0;
    m_bChanged = true;
}

bool CTagLockEditSeries::SetRange(double dLeft, double dRight)
{
    if (!(dRight >= dLeft))
        return false;
    m_dLeft = dLeft;
    m_dRight = dRight;
    m_bChanged = true;
    return true;
}

void CTagLockEditSeries::SetTop(int nTop)
{
    m_nTop = nTop;
    for (int i = 0; i < m_vecY.size(); ++i)
        m_vecY[i] = nTop;
    m_bChanged = true;
}

void CTagLockEditSeries::SetHeight(int nHeight)
{
    m_nHeight = std::max(0, nHeight);
    m_bChanged = true;
}

void CTagLockEditSeries::SetColors(const QColor& rangeColor, const QColor& handleColor,
                                   const QColor& playColor)
{
    m_colorRange = rangeColor;
    m_colorHandle = handleColor;
    m_colorPlay = playColor;
    m_bChanged = true;
}

QRect CTagLockEditSeries::GetHandleRect(Handle handle) const
{
    if (!m_pAxisPanel || !HasRange() || handle == NoHandle)
        return QRect();
    const double t = handle == LeftHandle ? m_dLeft : m_dRight;
    if (t < m_pAxisPanel->GetViewLeft() || t > m_pAxisPanel->GetViewRight())
        return QRect();
    const int x = m_pAxisPanel->TimeToX(t);
    return QRect(x - 3, m_nTop, 6, m_nHeight);
}

CTagLockEditSeries::Handle CTagLockEditSeries::HitHandle(const QPoint& pos) const
{
    if (GetHandleRect(LeftHandle).contains(pos))
        return LeftHandle;
    if (GetHandleRect(RightHandle).contains(pos))
        return RightHandle;
    return NoHandle;
}

void CTagLockEditSeries::Paint(QPainter* painter)
{
    if (!painter || !m_pAxisPanel || m_nHeight <= 0)
        return;
    const Detail::AxisMapping m = MappingOf(m_pAxisPanel);
    if (HasRange() && m_dRight >= m.dViewLeft && m_dLeft <= m.dViewRight) {
        int x0 = 0;
        int x1 = 0;
        if (Detail::SegmentColumns(m, m_dLeft, m_dRight, x0, x1))
            painter->fillRect(QRect(x0, m_nTop, x1 - x0 + 1, m_nHeight), m_colorRange);
        for (Handle h : {LeftHandle, RightHandle}) {
            const QRect r = GetHandleRect(h);
            if (!r.isNull())
                painter->fillRect(r, m_colorHandle);
        }
    }
    for (double x : qAsConst(m_vecX)) {
        if (x < 0 || x < m.dViewLeft || x > m.dViewRight)
            continue;
        painter->fillRect(QRect(Detail::TimeToX(m, x) - 1, m_nTop, 2, m_nHeight), m_colorPlay);
    }
}

} // namespace TesselGUIToolkit
