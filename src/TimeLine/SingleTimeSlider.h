#pragma once

#include "TimeLine/TimeSlider.h"
#include "nimbguitoolkit_export.h"

#include <QList>

#include <ctime>

namespace TesselGUIToolkit {
class CSingleChartView;

/// The one-channel playback time line: a groove with the channel's recorded segments under the
/// time axis. Dragging the strip seeks; a click in the segment band seeks to the time under the
/// pointer.
class NIMBGUITOOLKIT_EXPORT CSingleTimeSlider : public CTimeSlider
{
    Q_OBJECT
public:
    explicit CSingleTimeSlider(QWidget* parent = nullptr);
    ~CSingleTimeSlider() override;

    /// Adds one segment (local times); reversed or invalid times and segments wholly outside the
    /// range are ignored, the rest is clipped to the range.
    void AddTime(const QDateTime& begin, const QDateTime& end, const QBrush& brushFill,
                 const QBrush& brushSecond, int level);
    /// Adds every record (UTC seconds) with its fill brush and level.
    void AddTime(QList<struTimeSliderData::TimeSegmentParam>& listSegments);
    /// Clears the recorded segments.
    void Reset() override;

    CSingleChartView* GetSingleChartView() const;

Q_SIGNALS:
    /// The time the user seeks to, UTC seconds.
    void SignalMouseClick(time_t tmClick);

public Q_SLOTS:
    void ShowMaxsize();
    void ShowNormalSize();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    /// Chart-coordinate handlers the event filter forwards to; subclasses may extend them.
    virtual void HandleChartPress(QMouseEvent* event);
    virtual void HandleChartMove(QMouseEvent* event);
    virtual void HandleChartRelease(QMouseEvent* event);
    virtual void HandleChartEnter();
    virtual void HandleChartLeave();

private:
    int m_nLeaveTimerId = 0;
    bool m_bPressed = false;
};

} // namespace TesselGUIToolkit
