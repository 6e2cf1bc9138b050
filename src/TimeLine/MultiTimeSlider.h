#pragma once

#include "TimeLine/ChartSeries.h"
#include "TimeLine/TimeSlider.h"
#include "TimeLine/TimeSliderFilterPopup.h"
#include "nimbguitoolkit_export.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QList>
#include <QMap>
#include <QPixmap>
#include <QPoint>
#include <QStringList>
#include <QVector>

#include <ctime>
#include <memory>

class QPushButton;
class QScrollBar;

namespace TesselGUIToolkit {
class CMultiChartView;
class CMultiTimeSliderPrivate;

/// One thumbnail of the strip: the client's picture for a moment of the recordings. The moment
/// (UTC seconds) is also kept in the dynamic property "time_t".
class NIMBGUITOOLKIT_EXPORT CTimeSilderPictureLabel : public QLabel
{
    Q_OBJECT
public:
    explicit CTimeSilderPictureLabel(QWidget* parent = nullptr);
    ~CTimeSilderPictureLabel() override;

    void SetTime(qint64 llTime);
    qint64 GetTime() const { return m_llTime; }
    void SetPicture(const QPixmap& pix);
    QPixmap GetPicture() const { return m_pixPicture; }

Q_SIGNALS:
    /// Pressed and released with the left button over the picture.
    void SignalPictureClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    qint64 m_llTime = 0;
    QPixmap m_pixPicture;
    bool m_bPressed = false;
};

/// The thumbnail strip above the multi-channel time line: a frameless tool window whose top band
/// (21 pixels) carries the pin button and resizes the pictures when dragged, and whose picture
/// area holds the thumbnails. It fades in and out through its window opacity.
class NIMBGUITOOLKIT_EXPORT CThumbnailWraper : public QFrame
{
    Q_OBJECT
public:
    explicit CThumbnailWraper(QWidget* parent = nullptr);
    ~CThumbnailWraper() override;

    /// The parent of the picture labels; its height is the picture height.
    QWidget* GetPictureArea() const { return m_pPictureArea; }
    QPushButton* GetPinButton() const { return m_pPinButton; }
    QLabel* GetTextLabel() const { return m_pTextLabel; }
    /// A notice over the pictures (empty hides it).
    void SetText(const QString& strText);
    /// The strip's height follows: picture height + 21.
    void SetPictureHeight(int nHeight);
    int GetPictureHeight() const { return m_nPictureHeight; }
    bool IsPinned() const;
    void SetPinned(bool bPinned);
    /// Set while the user drags the top band.
    bool IsResizing() const { return m_bResizing; }

Q_SIGNALS:
    /// The top band was dragged to a new picture height (already snapped: 0, or 100 to 200).
    void SignalPictureHeightDragged(int nHeight);
    void SignalResizeStarted();
    void SignalResizeFinished();
    void SignalPinToggled(bool bPinned);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutParts();

    QWidget* m_pPictureArea = nullptr;
    QPushButton* m_pPinButton = nullptr;
    QLabel* m_pTextLabel = nullptr;
    int m_nPictureHeight = 0;
    bool m_bResizing = false;
    int m_nPressGlobalY = 0;
    int m_nPressHeight = 0;
};

/// The playback time line of several channels: one row of recorded segments per channel (up to
/// 64, scrolled vertically) under a shared axis, with a level filter, tag and lock marks, an
/// optional tag/lock edit range, per-row play markers, a synchronised mode and a strip of
/// thumbnails the client supplies on request.
///
/// Times are UTC seconds (time_t or unsigned int; 0xFFFFFFFF means no time). Rows are numbered
/// from 0; operations on a row outside the row count do nothing.
class NIMBGUITOOLKIT_EXPORT CMultiTimeSlider : public CTimeSlider
{
    Q_OBJECT
public:
    explicit CMultiTimeSlider(QWidget* parent = nullptr);
    ~CMultiTimeSlider() override;

    /// Row count = min(n, 64); sets the vertical range and scrolls to the top.
    void SetTimeSliderCount(unsigned int n);
    int GetTimeSliderCount() const;
    void SetChartName(unsigned int row, const QString& strName);
    /// Names rows 0, 1, ... in order (at most 64).
    void SetChartNames(const QStringList& listNames);
    /// Scrolls `row` into view unless it lies among the four rows from the first visible one.
    void SetShowIndex(unsigned int row);
    int GetFirstVisibleRow() const;

    /// Adds a row's segments: levels 0 to 4 only; reversed segments and segments wholly outside
    /// the range are dropped, the rest clipped to the range.
    void AddTime(QVector<struTimeSliderData::TimeSegmentParam>& vecSegments, int row);
    void AddTime(QMap<unsigned int, QVector<struTimeSliderData::TimeSegmentParam>>& mapSegments);
    void AddTag(QVector<struTimeSliderData::TimeSegmentParam>& vecTags);
    void AddLock(QVector<struTimeSliderData::TimeSegmentParam>& vecLocks);
    /// Clears the tags, the locks, the row's segments and the offered levels.
    void ClearTime(int row);
    void ClearTag();
    void ClearLock();
    void ClearAllTimeRectSeries();
    /// Drops the segments of one level from a row (row -1: from every row).
    void RemoveTimeByTimeLevel(int row, int level);
    /// Takes the play marker of one row away.
    void ClearSinglePlayLine(int row);

    void OpenSynTime();
    void CloseSynTime();
    bool IsSyncTime() const;
    /// In synchronised mode: the view follows `t`; otherwise nothing.
    void SetSyncTime(unsigned int t);
    /// Play position of channel `index`: the row's marker and the edit layer's point `index`
    /// follow `t`, then the view (see OnPlayTime); `bCenter` also centres a view that does not
    /// hold `t`.
    void SetPlayTime(unsigned int index, unsigned int t, bool bCenter);
    void SetCurrentTime(const QDateTime& dtTime);
    /// Applies a scale level (7 to 14; others are ignored) when it differs from the last one.
    void SetSpanType(TimeSliderOneScale eType);
    TimeSliderOneScale GetSpanType() const;

    void AddTimeLevel(const QIcon& icon, const QString& strText, int level);
    void AddTimeLevels(const QList<int>& listLevels);
    void ClearTimeLevel();
    /// Empty does nothing; else unchecks the listed levels in the pop-up and gives the list to
    /// every row as the levels to paint.
    void SetFilteredLevels(const QList<int>& listLevels);
    QList<int> GetFilteredLevels() const;
    void SetFilterBtnVisible(bool bVisible);
    void SetCalendarHide(bool bHide);
    void SetTimeFilterHide(bool bHide);
    void SetCameraText(QString strText);
    void SetStorageType(StorageSetting setting, int iStorageType, int iStorageId);

    /// Adds (true) or removes (false) the tag/lock edit range.
    void SetTagLockEditShow(bool bShow);
    bool IsTagLockEditShow() const;
    /// The edit range as local times; reversed or invalid times are ignored. `bCenter` centres the
    /// view on the range when the view does not hold its start.
    void SetTagLockTimeRange(const QDateTime& dtBegin, const QDateTime& dtEnd, bool bCenter);
    /// The edit range as UTC seconds; a reversed range is ignored.
    void SetTagLockEditTime(unsigned int uBegin, unsigned int uEnd);
    /// false when there is no edit layer or no range.
    bool GetTagLockTimeRange(QDateTime& dtBegin, QDateTime& dtEnd) const;
    void GetTagRecordData(QVector<RecordDataTag>& vecTags) const;
    void GetLockRecordData(QVector<RecordDataTag>& vecLocks) const;
    /// Screen (global) top-left of the mark's picture; (0, 0) when the layer or the mark is
    /// missing.
    QPoint GetTagRecordDataPoint(RecordDataTag& tag) const;
    QPoint GetLockRecordDataPoint(RecordDataTag& lock) const;

    /// The visible window as local times.
    void GetCurrentTimeRange(QDateTime& dtBegin, QDateTime& dtEnd) const;
    /// The compact layout (thin rows, no thumbnails); there is no way back.
    void SetShowSimplifyMode();
    bool IsSimplifyMode() const;

    void SetThumbnailSurpot(bool bSupport);
    bool IsThumbnailSurpot() const;
    /// Picture height of the thumbnails (negative counts as 0); the width follows at 4/3.
    void SetThumbnailHeight(int nHeight);
    int GetThumbnailHeight() const;
    int GetThumbnailWidth() const;
    /// The picture for the earliest requested moment that has none yet.
    void ShowThumbnail(const QPixmap& pix);
    void ShowThumbnail(long long llTime, const QPixmap& pix);
    void ClearThumbnails();
    /// Pins the strip so that it stays shown.
    void SetAllwaysShow(bool bAlways);
    bool IsAllwaysShow() const;
    /// Height the strip takes above the line (0 without pictures).
    int GetHintHeight() const;
    /// Moments asked for since the last clear, ascending; and those with a picture shown.
    QList<qint64> GetRequestedThumbnailTimes() const;
    QList<qint64> GetThumbnailTimes() const;
    CTimeSilderPictureLabel* GetThumbnailLabel(qint64 llTime) const;

    /// Clears every row, sets the range to today and applies the last span type.
    void Reset() override;

    CMultiChartView* GetMultiChartView() const;
    CTimeSliderFilterPopup* GetFilterPopup() const;
    QScrollBar* GetVerticalScrollBar() const;
    /// Null until the strip is first needed.
    CThumbnailWraper* GetThumbnailWraper() const;
    int GetRowsTop() const;
    int GetRowHeight() const;
    int GetHeaderHeight() const;

Q_SIGNALS:
    void SignalMouseClick(time_t tmClick);
    void SignalMouseClick(int, time_t);
    void SignalSelect(int, time_t tmBegin, time_t tmEnd);
    void SignalClicked(int);
    void SignalPopupCalendar();
    void SignalCalendarDateChanged(const QDate& dtDate);
    void SignalCalenderTimeChanged(const QDateTime& qDateTime);
    void SignalFilterTriggered(const QList<int>& listFiltered);
    void SignalThumbnail(bool bShow, time_t);
    void SignalTagClicked(QPoint ptMousePos, size_t szIndex);
    void SignalLockClicked(QPoint ptMousePos, size_t szIndex);
    void SignalTagLockTimeRangeChanged(const QDateTime& dtDateTime, bool bLeft);
    void SignalUpadteLockFile();
    void SignalStorageTypeChanged(int iStorageType, int iStorageid);

public Q_SLOTS:
    void OnScrollBarValueChanged(int nValue);
    void OnFilterTriggered(const QList<int>& listLevels);
    void OnFilterMenuResized(const QSize& sizeNew, const QSize& sizeOld);
    void OnMove();
    void OnPopupFilterMenu();
    void OnHoverTimerOut();
    void OnThumbnailsHided();
    /// Asks for thumbnails again once the pointer has rested (the hover timer).
    void RequestThumbnailLater();

protected:
    void ZoomIn() override;
    void ZoomOut() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

    /// Asks for thumbnails from chart-relative x toward the right, and toward the left.
    void TryRequestThumbnailsAfter(int x);
    void TryRequestThumbnailsBefore(int x);
    /// First segment start at or after axis time `dTime` in the view over every row (shown levels
    /// only), as UTC seconds; 0 when none.
    qint64 GetFirstValideTimeAfter(double dTime) const;
    qint64 GetLastValideTimeBefore(double dTime) const;
    /// Chart-relative x of a thumbnail centred on UTC time `llTime`; false when it cannot be seen.
    bool GetValidePosX(qint64 llTime, int& x) const;
    void MoveThumbnails();

private:
    void HandlePress(QMouseEvent* event);
    void HandleMove(QMouseEvent* event);
    void HandleRelease(QMouseEvent* event);
    void HandleEnter();
    void HandleLeave();
    void UpdateScrollRange(bool bScrollToTop);
    void ApplyRowGeometry();
    void RestartHoverTimer();
    void EnsureThumbnailStrip();
    void ShowThumbnailStrip();
    void HideThumbnailStrip();
    void PlaceThumbnailStrip();
    void OnApplicationStateChanged(Qt::ApplicationState state);
    void OnThumbnailClicked();
    void OnStripHeightDragged(int nHeight);
    void EmitClick(qint64 llTime);
    void CenterViewOn(qint64 llUtc);
    void AddMarks(CTagSeries* layer, QVector<struTimeSliderData::TimeSegmentParam>& vecSegments,
                  int nTop, int nBottom);

    std::unique_ptr<CMultiTimeSliderPrivate> const d;
};

} // namespace TesselGUIToolkit
