#pragma once

#include "TimeLine/ChartSeries.h"
#include "TimeLine/ChartView.h"
#include "nimbguitoolkit_export.h"

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <QVector>

namespace TesselGUIToolkit {
class CMultiChartView;

/// Per-row play positions: one x per row in axis seconds, -1 for none. Each is drawn as a
/// vertical line through its row, so channels that play apart can be told apart; nothing is drawn
/// while the chart is synchronised (its centre line stands for every channel then).
class NIMBGUITOOLKIT_EXPORT CPlayLineSeries : public CChartSeries
{
public:
    explicit CPlayLineSeries(CAxisPanel* panel);
    ~CPlayLineSeries() override;

    int GetType() const override { return PlayLineSeries; }
    /// Every row back to -1 (the rows stay).
    void Clear() override;
    void Paint(QPainter* painter) override;

    void SetRowCount(int nRows);
    int GetRowCount() const { return m_vecRowTimes.size(); }
    /// false for a row outside the row count.
    bool SetRowTime(int nRow, double dAxisTime);
    /// -1 for none and for a row outside the row count.
    double GetRowTime(int nRow) const;
    void SetColor(const QColor& color) { m_colorLine = color; }
    QColor GetColor() const { return m_colorLine; }

private:
    QVector<double> m_vecRowTimes;
    QColor m_colorLine{Qt::white};
};

/// The chart view of the multi-channel time line. Under a fixed header band (axis, hover text,
/// tag and lock marks) it shows up to 64 rows of recorded segments that scroll vertically by the
/// scroll offset; rows scrolled out of sight cost nothing when the picture is rebuilt.
///
/// Row positions are content coordinates: row r starts at GetRowTop(r) and is drawn at that y
/// less the scroll offset, clipped below the header band.
class NIMBGUITOOLKIT_EXPORT CMultiChartView : public CChartView
{
    Q_OBJECT
    Q_PROPERTY(QColor m_colorTopBackground READ GetColorTopBackground WRITE SetColorTopBackground)
    Q_PROPERTY(QColor m_colorGridLine READ GetColorGridLine WRITE SetColorGridLine)
    Q_PROPERTY(QColor m_colorLeftChartBackground READ GetColorLeftChartBackground WRITE
                   SetColorLeftChartBackground)
    Q_PROPERTY(QColor m_colorRightChartBackground READ GetColorRightChartBackground WRITE
                   SetColorRightChartBackground)
    Q_PROPERTY(
        QColor m_colorSelectGridLine READ GetColorSelectGridLine WRITE SetColorSelectGridLine)
    Q_PROPERTY(bool m_bOpenSelectRect READ IsOpenSelectRect WRITE SetOpenSelectRect)
    Q_PROPERTY(QColor m_colorSelectRect READ GetColorSelectRect WRITE SetColorSelectRect)
    Q_PROPERTY(double m_dSelectRectOpacity READ GetSelectRectOpacity WRITE SetSelectRectOpacity)
    Q_PROPERTY(QPixmap m_pixTag READ GetPixTag WRITE SetPixTag)
    Q_PROPERTY(QPixmap m_pixLock READ GetPixLock WRITE SetPixLock)
public:
    static constexpr int kMaxRows = 64;

    explicit CMultiChartView(QWidget* parent = nullptr);
    ~CMultiChartView() override;

    /// Rows top, row height (at least 1) and header height, pixels.
    void SetRowGeometry(int nRowsTop, int nRowHeight, int nHeaderHeight);
    int GetRowsTop() const { return m_nRowsTop; }
    int GetRowHeight() const { return m_nRowHeight; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    /// y of the first row when not scrolled.
    int GetRowsAreaTop() const;
    /// What a row layer adds to rows top + row x row height.
    int GetRowLayerOffset() const;
    /// Content y of a row's top (also for rows beyond the count).
    int GetRowTop(int nRow) const;
    /// Height of all rows with the header, pixels.
    int GetContentHeight() const;
    /// A row's band on the chart as it is drawn now (scrolled); null for a row outside the count.
    QRect GetRowRect(int nRow) const;
    /// Row under a chart point; -1 in the header band, below the last row or beside the chart.
    int RowAt(const QPoint& pos) const;
    int GetFirstVisibleRow() const;

    /// Pixels the rows are scrolled up by (negative counts as 0).
    void SetScrollOffset(int nOffset);
    int GetScrollOffset() const { return m_nScrollOffset; }

    /// Shown rows, 0 to 64. Row layers are created as needed and kept when the count shrinks.
    void SetRowCount(int nRows);
    int GetRowCount() const { return m_nRowCount; }
    /// The segment layer of a row; null for a row outside the count.
    CTimeRectSeries* GetRowSeries(int nRow) const;
    /// Row layers created so far (the count's high-water mark).
    int GetRowSeriesCount() const { return m_vecRowSeries.size(); }
    /// false for a row outside 0..63.
    bool SetRowName(int nRow, const QString& strName);
    QString GetRowName(int nRow) const;
    /// The row framed in the selection colour; -1 for none.
    void SetSelectedRow(int nRow);
    int GetSelectedRow() const { return m_nSelectedRow; }
    /// A time range being picked in a row (axis seconds), drawn in the selection colour.
    void SetSelectRange(int nRow, double dLeft, double dRight);
    void ClearSelectRange();

    CPlayLineSeries* GetPlayLineSeries() const;
    CTagSeries* GetTagSeries() const;
    CLockSeries* GetLockSeries() const;
    CTagLockEditSeries* GetTagLockEditSeries() const;
    /// Gives the tag and lock layers their pictures: the style property, else the client's
    /// resource when it exists, else none (the layers then draw their plain marks).
    void ApplyMarkPictures();
    static QString DefaultTagPicturePath();
    static QString DefaultLockPicturePath();

    QColor GetColorTopBackground() const { return m_colorTopBackground; }
    void SetColorTopBackground(const QColor& color);
    QColor GetColorGridLine() const { return m_colorGridLine; }
    void SetColorGridLine(const QColor& color);
    QColor GetColorLeftChartBackground() const { return m_colorLeftChartBackground; }
    void SetColorLeftChartBackground(const QColor& color);
    QColor GetColorRightChartBackground() const { return m_colorRightChartBackground; }
    void SetColorRightChartBackground(const QColor& color);
    QColor GetColorSelectGridLine() const { return m_colorSelectGridLine; }
    void SetColorSelectGridLine(const QColor& color);
    bool IsOpenSelectRect() const { return m_bOpenSelectRect; }
    void SetOpenSelectRect(bool bOpen);
    QColor GetColorSelectRect() const { return m_colorSelectRect; }
    void SetColorSelectRect(const QColor& color);
    double GetSelectRectOpacity() const { return m_dSelectRectOpacity; }
    /// Clamped to 0..1.
    void SetSelectRectOpacity(double dOpacity);
    QPixmap GetPixTag() const { return m_pixTag; }
    void SetPixTag(const QPixmap& pix);
    QPixmap GetPixLock() const { return m_pixLock; }
    void SetPixLock(const QPixmap& pix);

protected:
    void PaintBackground(QPainter& painter) override;
    void PaintSeries(QPainter& painter) override;
    void PaintForeground(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SyncBackgroundBands();
    void SyncEditLayer();
    int RowInsertIndex() const;
    QRect RowsClipRect() const;
    bool IsRowOnScreen(int nRow) const;

    int m_nRowsTop = 24;
    int m_nRowHeight = 20;
    int m_nHeaderHeight = 46;
    int m_nScrollOffset = 0;
    int m_nRowCount = 0;
    int m_nSelectedRow = -1;
    int m_nSelectRow = -1;
    double m_dSelectLeft = 0.0;
    double m_dSelectRight = 0.0;
    QVector<CTimeRectSeries*> m_vecRowSeries;
    QStringList m_listRowNames;

    double m_dLastPaintLeft = 0.0;
    double m_dLastPaintSpan = -1.0;
    QRect m_rectLastPaintChart;

    QColor m_colorTopBackground{Qt::black};
    QColor m_colorGridLine{Qt::black};
    QColor m_colorLeftChartBackground;
    QColor m_colorRightChartBackground;
    QColor m_colorSelectGridLine{Qt::red};
    bool m_bOpenSelectRect = false;
    QColor m_colorSelectRect{84, 90, 93};
    double m_dSelectRectOpacity = 0.7;
    QPixmap m_pixTag;
    QPixmap m_pixLock;
};

} // namespace TesselGUIToolkit
