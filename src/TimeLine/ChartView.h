#pragma once

#include "nimbguitoolkit_export.h"

#include <QColor>
#include <QDateTime>
#include <QFrame>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPainter;
class QPushButton;

namespace TesselGUIToolkit {
class CChartSeries;

/// The time axis of a chart: the visible window in axis seconds, the chart rectangle, the mapping
/// between the two and the list of layers (owned; painted in list order).
class NIMBGUITOOLKIT_EXPORT CAxisPanel
{
public:
    CAxisPanel();
    virtual ~CAxisPanel();
    CAxisPanel(const CAxisPanel&) = delete;
    CAxisPanel& operator=(const CAxisPanel&) = delete;

    /// The visible window, axis seconds. A reversed window is ignored (false).
    bool SetViewRange(double dLeft, double dRight);
    double GetViewLeft() const { return m_dViewLeft; }
    double GetViewRight() const { return m_dViewRight; }
    double GetViewSpan() const { return m_dViewRight - m_dViewLeft; }

    /// The painted strip: x from the left margin to width - 1 - right margin, y 0 to height - 3.
    QRect GetChartRect() const { return m_rectChart; }
    int GetLeftMargin() const { return m_nLeftMargin; }
    int GetRightMargin() const { return m_nRightMargin; }
    /// Negative margins count as 0. The chart rectangle follows at the next repaint.
    virtual void SetMargins(int nLeft, int nRight);

    /// Mirrored mapping: x = floor((view right - t) x pixels-per-second + 0.5) from x = 0.
    void SetMirrored(bool bMirrored) { m_bMirrored = bMirrored; }
    bool IsMirrored() const { return m_bMirrored; }

    /// Recomputes pixels-per-second from the chart rectangle and the view.
    void UpdateMapping();
    double GetPixelsPerSecond() const { return m_dPixelsPerSecond; }
    /// Axis seconds to chart x (halves round up, also for negative offsets).
    int TimeToX(double t) const;
    /// Chart x to axis seconds, truncated toward zero.
    double XToTime(int x) const;

    /// Appends a layer and takes ownership; null is ignored.
    void AddSeries(CChartSeries* series);
    /// Removes and deletes a layer; false when it is not in the list.
    bool RemoveSeries(CChartSeries* series);
    /// First layer of that type number; null when none.
    CChartSeries* GetSeries(int nType) const;
    CChartSeries* GetSeriesAt(int nIndex) const;
    int GetSeriesCount() const { return m_listSeries.size(); }
    const QList<CChartSeries*>& GetSeriesList() const { return m_listSeries; }
    /// Clears every layer's data (the layers stay).
    void ClearAllSeries();

    // Style values the layers read; the chart view exposes them as Qt properties.
    QColor GetColorAxisName() const { return m_colorAxisName; }
    QColor GetColorAxisText() const { return m_colorAxisText; }
    QColor GetColorAxisSmallText() const { return m_colorAxisSmallText; }
    QColor GetColorScaleLine() const { return m_colorScaleLine; }
    QColor GetColorMidLineTimeText() const { return m_colorMidLineTimeText; }
    QColor GetColorMidLine() const { return m_colorMidLine; }
    QColor GetColorMouseText() const { return m_colorMouseText; }
    QColor GetColorTag() const { return m_colorTag; }
    bool IsShowMidLine() const { return m_bShowMidLine; }

protected:
    void SetChartRect(const QRect& rect) { m_rectChart = rect; }

    double m_dViewLeft = 0.0;
    double m_dViewRight = 86400.0;
    QRect m_rectChart;
    int m_nLeftMargin = 9;
    int m_nRightMargin = 9;
    bool m_bMirrored = false;
    double m_dPixelsPerSecond = 0.0;
    QList<CChartSeries*> m_listSeries;

    QColor m_colorAxisName{114, 114, 114};
    QColor m_colorAxisText{150, 150, 150};
    QColor m_colorAxisSmallText{Qt::white};
    QColor m_colorScaleLine{114, 114, 114};
    QColor m_colorMidLineTimeText{Qt::white};
    bool m_bShowMidLine = true;
    QColor m_colorMidLine{Qt::yellow};
    QColor m_colorMouseText{Qt::white};
    QColor m_colorTag{131, 131, 131};
};

/// The painted surface of a time slider. Layers are painted into a cached picture when the view
/// posts itself the toolkit's event (type 1000); paintEvent only copies the picture and draws the
/// centre line on top.
class NIMBGUITOOLKIT_EXPORT CChartView : public QFrame, public CAxisPanel
{
    Q_OBJECT
    Q_PROPERTY(QColor m_colorAxisName READ GetColorAxisName WRITE SetColorAxisName)
    Q_PROPERTY(QColor m_colorAxisText READ GetColorAxisText WRITE SetColorAxisText)
    Q_PROPERTY(QColor m_colorAxisSmallText READ GetColorAxisSmallText WRITE SetColorAxisSmallText)
    Q_PROPERTY(QColor m_colorScaleLine READ GetColorScaleLine WRITE SetColorScaleLine)
    Q_PROPERTY(QColor m_colorMidLineTimeText READ GetColorMidLineTimeText WRITE
                   SetColorMidLineTimeText)
    Q_PROPERTY(bool m_bShowMidLine READ IsShowMidLine WRITE SetShowMidLine)
    Q_PROPERTY(QColor m_colorMidLine READ GetColorMidLine WRITE SetColorMidLine)
    Q_PROPERTY(QColor m_colorMouseText READ GetColorMouseText WRITE SetColorMouseText)
    Q_PROPERTY(QColor m_colorTag READ GetColorTag WRITE SetColorTag)
public:
    explicit CChartView(QWidget* parent = nullptr);
    ~CChartView() override;

    /// Emits SignalCalenderTimeChanged always and SignalCalendarDateChanged when the date changes,
    /// then stores the time and shows it on the time button.
    void SetCurrentTime(const QDateTime& dtTime);
    QDateTime GetCurrentTime() const { return m_dtCurrent; }
    void SetCenterText(const QString& strText) { m_strCenterText = strText; }
    QString GetCenterText() const { return m_strCenterText; }
    /// Shows the scale label with `strText`.
    void SetScaleText(const QString& strText);
    QString GetScaleText() const;
    void SetCameraName(const QString& strName);
    QString GetCameraName() const;

    /// Posts the deferred repaint; several requests before it is delivered cost one rebuild.
    void RepaintChart();
    /// The cached picture of the whole surface (as last rebuilt).
    const QPixmap& GetPicture() const { return m_pixCache; }
    /// Rebuilds the cached picture now (what the posted event does).
    void RebuildNow();

    QPushButton* GetCalendarButton() const { return m_pCalendarBtn; }
    QPushButton* GetZoomInButton() const { return m_pZoomInBtn; }
    QPushButton* GetZoomOutButton() const { return m_pZoomOutBtn; }
    QPushButton* GetFilterButton() const { return m_pFilterBtn; }
    QFrame* GetFilterFrame() const { return m_pFilterFrame; }
    QPushButton* GetTimeButton() const { return m_pTimeBtn; }
    QPushButton* GetMoveLeftButton() const { return m_pMoveLeftBtn; }
    QPushButton* GetMoveRightButton() const { return m_pMoveRightBtn; }
    QLabel* GetScaleLabel() const { return m_pScaleLabel; }
    QLabel* GetCameraNameLabel() const { return m_pCameraNameLabel; }

    void SetColorAxisName(const QColor& color);
    void SetColorAxisText(const QColor& color);
    void SetColorAxisSmallText(const QColor& color);
    void SetColorScaleLine(const QColor& color);
    void SetColorMidLineTimeText(const QColor& color);
    void SetShowMidLine(bool bShow);
    void SetColorMidLine(const QColor& color);
    void SetColorMouseText(const QColor& color);
    void SetColorTag(const QColor& color);

    void SetMargins(int nLeft, int nRight) override;

Q_SIGNALS:
    void SignalCalenderTimeChanged(const QDateTime& dtTime);
    void SignalCalendarDateChanged(const QDate& dtDate);
    /// The cached picture was rebuilt (the view may have moved).
    void SignalMove();
    void SignalZoomIn();
    void SignalZoomOut();
    void SignalCalendarBtnClicked();
    void SignalFilterRec();
    /// For subclasses with a filter control of their own.
    void SignalFilterBtnClicked();
    void SignalMoveRight();
    void SignalMoveLeft();
    /// A step button was let go.
    void SignalDelayRelease();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    /// The chart rectangle for the current size and margins.
    virtual QRect ComputeChartRect() const;
    /// Paints every layer in list order into `painter` (the cached picture).
    virtual void PaintSeries(QPainter& painter);
    /// Drawn into the cached picture before the layers (background).
    virtual void PaintBackground(QPainter& painter);
    /// Drawn into the cached picture after the layers.
    virtual void PaintForeground(QPainter& painter);
    /// Drawn on every paint over the cached picture; the base draws the centre line.
    virtual void PaintCenterLine(QPainter& painter);
    /// Places the child buttons; called on resize and when the margins change.
    virtual void LayoutChildren();

    QPushButton* m_pCalendarBtn = nullptr;
    QPushButton* m_pZoomInBtn = nullptr;
    QPushButton* m_pZoomOutBtn = nullptr;
    QFrame* m_pFilterFrame = nullptr;
    QPushButton* m_pFilterBtn = nullptr;
    QPushButton* m_pTimeBtn = nullptr;
    QPushButton* m_pMoveLeftBtn = nullptr;
    QPushButton* m_pMoveRightBtn = nullptr;
    QLabel* m_pScaleLabel = nullptr;
    QLabel* m_pCameraNameLabel = nullptr;

private:
    QDateTime m_dtCurrent;
    QString m_strCenterText;
    QPixmap m_pixCache;
    bool m_bRepaintPending = false;
    double m_dLastPaintLeft = 0.0;
    double m_dLastPaintSpan = -1.0;
    QRect m_rectLastPaintChart;
};

/// The chart view of the one-channel slider; its groove picture is a style property.
class NIMBGUITOOLKIT_EXPORT CSingleChartView : public CChartView
{
    Q_OBJECT
    Q_PROPERTY(QPixmap m_pixGroove READ GetPixGroove WRITE SetPixGroove)
public:
    explicit CSingleChartView(QWidget* parent = nullptr);
    ~CSingleChartView() override;

    QPixmap GetPixGroove() const { return m_pixGroove; }
    /// Also given to the groove layer when there is one.
    void SetPixGroove(const QPixmap& pix);

private:
    QPixmap m_pixGroove;
};

} // namespace TesselGUIToolkit
