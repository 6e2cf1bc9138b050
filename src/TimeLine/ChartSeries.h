#pragma once

#include "nimbguitoolkit_export.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPair>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

class QPainter;

namespace TesselGUIToolkit {
class CAxisPanel;

/// One layer of a chart view. It keeps points (x and y appended in pairs) and a changed flag; the
/// chart view calls Update() when the view or the layer changed and then Paint() between a painter
/// save and restore. Layers are owned by the axis panel they are added to.
class NIMBGUITOOLKIT_EXPORT CChartSeries
{
public:
    /// Layer type numbers; a layer is found in its panel by this number.
    enum SeriesType : int {
        BaseSeries = -1,
        BackGroundSeries = 0,
        AxisSeries = 1,
        MouseTextSeries = 2,
        TimeRectSeries = 3,
        PlayLineSeries = 4,
        RectSeries = 5,
        TagSeries = 6,
        LockSeries = 7,
        TagLockEditSeries = 8
    };

    explicit CChartSeries(CAxisPanel* panel);
    virtual ~CChartSeries();
    CChartSeries(const CChartSeries&) = delete;
    CChartSeries& operator=(const CChartSeries&) = delete;

    /// Empties the layer's data and marks it changed.
    virtual void Clear();
    virtual int GetType() const { return BaseSeries; }
    /// Recomputes whatever depends on the view; called before Paint() when the view's left edge or
    /// span changed, or the layer is marked changed. Clears the changed flag.
    virtual void Update();
    virtual void Paint(QPainter* painter);

    void Append(double x, double y);
    int PointCount() const { return m_vecX.size(); }
    const QVector<double>& GetXValues() const { return m_vecX; }
    const QVector<double>& GetYValues() const { return m_vecY; }
    /// Replaces point `index`; out-of-range indexes are ignored (false).
    bool SetPoint(int index, double x, double y);

    bool IsChanged() const { return m_bChanged; }
    void SetChanged(bool bChanged = true) { m_bChanged = bChanged; }
    bool IsVisible() const { return m_bVisible; }
    void SetVisible(bool bVisible);
    CAxisPanel* GetAxisPanel() const { return m_pAxisPanel; }

protected:
    CAxisPanel* m_pAxisPanel = nullptr;
    QVector<double> m_vecX;
    QVector<double> m_vecY;
    bool m_bChanged = true;
    bool m_bVisible = true;
};

/// The groove under the recorded segments: a border picture stretched over the chart width at the
/// y of the layer's first point, or a plain filled band when there is no picture.
class NIMBGUITOOLKIT_EXPORT CGrooveSeries : public CChartSeries
{
public:
    explicit CGrooveSeries(CAxisPanel* panel);
    ~CGrooveSeries() override;

    void Paint(QPainter* painter) override;
    void SetPixmap(const QPixmap& pix);
    QPixmap GetPixmap() const { return m_pixGroove; }
    /// Height of the groove band in pixels (10 by default).
    void SetHeight(int nHeight);
    int GetHeight() const { return m_nHeight; }
    void SetColor(const QColor& color);
    QColor GetColor() const { return m_colorGroove; }

private:
    QPixmap m_pixGroove;
    int m_nHeight = 10;
    QColor m_colorGroove{0x2B, 0x2B, 0x2B};
};

/// Horizontal bands across the chart, one per point (y = top of the band).
class NIMBGUITOOLKIT_EXPORT CBackGroundSeries : public CChartSeries
{
public:
    explicit CBackGroundSeries(CAxisPanel* panel);
    ~CBackGroundSeries() override;

    int GetType() const override { return BackGroundSeries; }
    void Paint(QPainter* painter) override;

    void SetBandHeight(int nHeight);
    int GetBandHeight() const { return m_nBandHeight; }
    /// Fill left of the chart (row names); invalid = not painted.
    void SetLeftColor(const QColor& color) { m_colorLeft = color; }
    /// Fill of the chart part of each band; invalid = not painted.
    void SetChartColor(const QColor& color) { m_colorChart = color; }
    /// Line under each band; invalid = not painted.
    void SetGridLineColor(const QColor& color) { m_colorGridLine = color; }
    QColor GetLeftColor() const { return m_colorLeft; }
    QColor GetChartColor() const { return m_colorChart; }
    QColor GetGridLineColor() const { return m_colorGridLine; }

private:
    int m_nBandHeight = 20;
    QColor m_colorLeft;
    QColor m_colorChart;
    QColor m_colorGridLine;
};

/// Ticks and "hh:mm" labels. A tick step of -1 draws nothing; so does a chart narrower than 70 px.
class NIMBGUITOOLKIT_EXPORT CAxisSeries : public CChartSeries
{
public:
    /// `zoneOffset`: the slider's construction zone offset (local minus UTC, seconds).
    CAxisSeries(CAxisPanel* panel, int zoneOffset);
    ~CAxisSeries() override;

    int GetType() const override { return AxisSeries; }
    void Paint(QPainter* painter) override;

    void SetTickStep(int nStep);
    int GetTickStep() const { return m_nTickStep; }
    void SetZoneOffset(int nOffset) { m_nZoneOffset = nOffset; }
    int GetZoneOffset() const { return m_nZoneOffset; }
    /// 0 centres a label on its tick, 1 moves it right by the label shift, others leave it.
    void SetLabelAlignment(int nAlign) { m_nLabelAlignment = nAlign; }
    int GetLabelAlignment() const { return m_nLabelAlignment; }
    /// Every n-th tick is a major tick with a label (n < 1 counts as 1).
    void SetLabelPeriod(int nPeriod) { m_nLabelPeriod = nPeriod; }
    int GetLabelPeriod() const { return m_nLabelPeriod; }
    void SetLabelTop(int nTop) { m_nLabelTop = nTop; }
    int GetLabelTop() const { return m_nLabelTop; }
    void SetTickTop(int nTop) { m_nTickTop = nTop; }
    int GetTickTop() const { return m_nTickTop; }
    /// Height of the box a label is measured in, pixels (7).
    void SetLabelBoxHeight(int nHeight) { m_nLabelBoxHeight = nHeight; }
    int GetLabelBoxHeight() const { return m_nLabelBoxHeight; }
    /// Shift of a label for alignment 1, pixels (2).
    void SetLabelShift(int nShift) { m_nLabelShift = nShift; }
    int GetLabelShift() const { return m_nLabelShift; }
    void SetCompact(bool bCompact) { m_bCompact = bCompact; }
    bool IsCompact() const { return m_bCompact; }
    void SetFont(const QFont& font) { m_font = font; }
    QFont GetFont() const { return m_font; }

private:
    int m_nTickStep = -1;
    int m_nZoneOffset = 0;
    int m_nLabelAlignment = 1;
    int m_nLabelPeriod = 1;
    int m_nLabelTop = 2;
    int m_nTickTop = 2;
    int m_nLabelBoxHeight = 7;
    int m_nLabelShift = 2;
    bool m_bCompact = false;
    QFont m_font;
};

/// The time under the pointer as text, drawn at the pointer's time.
class NIMBGUITOOLKIT_EXPORT CMouseTextSeries : public CChartSeries
{
public:
    explicit CMouseTextSeries(CAxisPanel* panel);
    ~CMouseTextSeries() override;

    int GetType() const override { return MouseTextSeries; }
    /// Also sets the text to a single space.
    void Clear() override;
    void Paint(QPainter* painter) override;

    /// `axisTime` in axis seconds; `text` is what is shown.
    void SetMouseTime(double axisTime, const QString& text);
    double GetMouseTime() const { return m_dTime; }
    QString GetText() const { return m_strText; }
    void SetTextY(int nY) { m_nTextY = nY; }
    int GetTextY() const { return m_nTextY; }
    /// Pixel size of the text's font.
    void SetTextSize(int nSize);
    int GetTextSize() const { return m_nTextSize; }

private:
    double m_dTime = -1.0;
    QString m_strText = QStringLiteral(" ");
    int m_nTextY = 12;
    int m_nTextSize = 10;
};

/// A recorded segment as the segment layer keeps it: left and right in axis seconds.
struct TimeRectItem
{
    double dLeft = 0.0;
    int nTop = 0;
    double dRight = 0.0;
    int nBottom = 0;
    QBrush brush;
    int nLevel = 0;
    int nSpare = 0;
};

/// Recorded segments grouped by level. Painting touches only what is visible: each level keeps its
/// entries sorted by left, the visible window is found by binary search, entries sharing a pixel
/// column are merged into one fill, and an entry shorter than a pixel still lights its column.
class NIMBGUITOOLKIT_EXPORT CTimeRectSeries : public CChartSeries
{
public:
    explicit CTimeRectSeries(CAxisPanel* panel);
    ~CTimeRectSeries() override;

    int GetType() const override { return TimeRectSeries; }
    void Clear() override;
    void Update() override;
    void Paint(QPainter* painter) override;

    /// Reversed entries (right < left) are ignored (false).
    bool AddRect(double dLeft, int nTop, double dRight, int nBottom, const QBrush& brush,
                 int nLevel);
    void AddRects(const QVector<TimeRectItem>& items);
    /// Levels painted; a list holding -1 paints every level. Starts as {-1}.
    void SetFilterLevels(const QList<int>& levels);
    QList<int> GetFilterLevels() const { return m_listFilterLevels; }
    bool IsLevelShown(int nLevel) const;
    void RemoveLevel(int nLevel);
    QList<int> GetLevels() const;
    /// Entries of a level, sorted by left.
    QVector<TimeRectItem> GetItems(int nLevel) const;
    int ItemCount() const;
    /// Earliest entry left at or after `dFrom` and not after `dTo` over the shown levels (axis
    /// seconds); -1 when none.
    double GetFirstLeftAfter(double dFrom, double dTo) const;
    /// Latest entry left at or before `dTo` and not before `dFrom` over the shown levels; -1 when
    /// none.
    double GetLastLeftBefore(double dFrom, double dTo) const;
    /// Number of fills the last Paint() made (merged column spans).
    int LastPaintedFillCount() const { return m_nLastFillCount; }

protected:
    /// Sorts the levels that received entries since the last paint.
    void EnsureSorted() const;
    /// Appends the merged fills of one level for the current mapping.
    void CollectLevelFills(int nLevel) const;
    /// Draws one merged fill; a subclass may put it on its target another way.
    virtual void PaintFill(QPainter* painter, const QRect& rect, const QBrush& brush);

private:
    struct Entry
    {
        TimeRectItem item;
        int nStyle = 0; ///< index into m_vecStyles: one brush and band, one key of the rasteriser
    };
    struct LevelData
    {
        QVector<Entry> entries;
        QVector<double> maxRight; ///< running maximum of right, for the visible-window search
        bool bSorted = true;
    };
    struct Style
    {
        QBrush brush;
        int nTop = 0;
        int nBottom = 0;
    };
    struct Fill
    {
        QRect rect;
        int nStyle = 0;
    };
    int StyleIndex(const QBrush& brush, int nTop, int nBottom);
    void InvalidateFills() { m_bFillsValid = false; }

    mutable QHash<int, LevelData> m_hashLevels;
    // The fills of the last pass, reused while neither the data nor the mapping changed (a hover
    // repaint then costs the fills only, not a walk over the segments).
    mutable QVector<Fill> m_vecFills;
    mutable bool m_bFillsValid = false;
    mutable double m_dFillViewLeft = 0.0;
    mutable double m_dFillViewRight = 0.0;
    mutable QRect m_rectFillChart;
    mutable bool m_bFillMirrored = false;
    QVector<Style> m_vecStyles;
    QHash<QPair<quint64, quint64>, int> m_hashSolidStyles;
    QList<int> m_listFilterLevels{-1};
    mutable int m_nLastFillCount = 0;
};

/// Plain rectangles in axis seconds with their own brush, from the layer's top down.
class NIMBGUITOOLKIT_EXPORT CRectSeries : public CChartSeries
{
public:
    explicit CRectSeries(CAxisPanel* panel);
    ~CRectSeries() override;

    int GetType() const override { return RectSeries; }
    void Clear() override;
    void Paint(QPainter* painter) override;

    /// `nHeight` pixels from the layer's top; reversed entries are ignored.
    bool AddRect(double dLeft, double dRight, int nHeight, const QBrush& brush);
    int RectCount() const { return m_vecRects.size(); }
    void SetTop(int nTop);
    int GetTop() const { return m_nTop; }

private:
    struct Entry
    {
        double dLeft;
        double dRight;
        int nHeight;
        QBrush brush;
    };
    QVector<Entry> m_vecRects;
    int m_nTop = 0;
};

/// A tag or lock mark: the client's value, its extent (left and right in axis seconds), two spare
/// pairs and the segment's texts.
struct RecordDataTag
{
    qint64 llUserData = 0;
    double dLeft = 0.0;
    int nTop = 0;
    double dRight = 0.0;
    int nBottom = 0;
    QPair<int, int> pairSpare1{0, 0};
    QPair<int, int> pairSpare2{0, 0};
    QString strText;
    QString strSubText;
};

/// Tag marks: a 16 x 16 picture per mark, centred on the x of its start (or of the view's left
/// edge), 2 px above its top. A mark whose picture would start at or left of the right edge of the
/// picture drawn before it joins that picture's group instead.
class NIMBGUITOOLKIT_EXPORT CTagSeries : public CChartSeries
{
public:
    explicit CTagSeries(CAxisPanel* panel);
    ~CTagSeries() override;

    int GetType() const override { return TagSeries; }
    void Clear() override;
    void Update() override;
    void Paint(QPainter* painter) override;

    void AddMark(const RecordDataTag& mark);
    const QVector<RecordDataTag>& GetMarks() const { return m_vecMarks; }
    void SetPixmap(const QPixmap& pix) { m_pixMark = pix; }
    QPixmap GetPixmap() const { return m_pixMark; }
    /// Colour of the drawn placeholder when there is no picture.
    void SetColor(const QColor& color) { m_colorMark = color; }
    /// Side of a mark's picture in pixels.
    int GetPictureSize() const { return m_nPictureSize; }
    /// Screen rectangle of a mark's picture; null when the mark is not drawn (grouped or hidden).
    QRect GetMarkRect(int nIndex) const;
    /// Top-left point of a mark's picture (of its group's picture when grouped); (0, 0) when the
    /// mark is unknown.
    QPoint GetMarkPoint(const RecordDataTag& mark) const;
    /// Index of the mark whose picture holds `pos`; -1 when none.
    int HitTest(const QPoint& pos) const;
    /// Marks counted into the picture of mark `nIndex` (1 when alone, 0 when not drawn).
    int GroupSize(int nIndex) const;

protected:
    CTagSeries(CAxisPanel* panel, int nPictureSize);
    /// Draws one picture (or a placeholder when there is none) and its group count.
    virtual void PaintMark(QPainter* painter, const QRect& rect, int nGroupSize) const;

    QVector<RecordDataTag> m_vecMarks;
    QPixmap m_pixMark;
    QColor m_colorMark; ///< placeholder colour; invalid = the panel's m_colorTag
    int m_nPictureSize = 16;

private:
    struct Placed
    {
        QRect rect;
        int nGroupSize = 0;
        int nGroupOwner = -1;
    };
    QVector<Placed> m_vecPlaced;
};

/// Lock marks: as tags, with 20 x 20 pictures.
class NIMBGUITOOLKIT_EXPORT CLockSeries : public CTagSeries
{
public:
    explicit CLockSeries(CAxisPanel* panel);
    ~CLockSeries() override;

    int GetType() const override { return LockSeries; }

protected:
    void PaintMark(QPainter* painter, const QRect& rect, int nGroupSize) const override;
};

/// The tag/lock edit range with its two handles; its points are play positions (x in axis seconds,
/// -1 for none; y the layer's top).
class NIMBGUITOOLKIT_EXPORT CTagLockEditSeries : public CChartSeries
{
public:
    enum Handle : int { NoHandle = 0, LeftHandle = 1, RightHandle = 2 };

    explicit CTagLockEditSeries(CAxisPanel* panel);
    ~CTagLockEditSeries() override;

    int GetType() const override { return TagLockEditSeries; }
    /// Clears the range; the play-position points stay (reset to -1).
    void Clear() override;
    void Paint(QPainter* painter) override;

    /// Axis seconds; a reversed range is ignored (false).
    bool SetRange(double dLeft, double dRight);
    double GetRangeLeft() const { return m_dLeft; }
    double GetRangeRight() const { return m_dRight; }
    bool HasRange() const { return m_dRight > m_dLeft; }
    void SetTop(int nTop);
    int GetTop() const { return m_nTop; }
    void SetHeight(int nHeight);
    int GetHeight() const { return m_nHeight; }
    void SetColors(const QColor& rangeColor, const QColor& handleColor, const QColor& playColor);
    /// Screen rectangles of the handles (null when the range is empty or out of view).
    QRect GetHandleRect(Handle handle) const;
    Handle HitHandle(const QPoint& pos) const;

private:
    double m_dLeft = 0.0;
    double m_dRight = 0.0;
    int m_nTop = 0;
    int m_nHeight = 20;
    QColor m_colorRange{0x3D, 0x8B, 0xFF, 60};
    QColor m_colorHandle{0x3D, 0x8B, 0xFF};
    QColor m_colorPlay{Qt::white};
};

} // namespace TesselGUIToolkit
