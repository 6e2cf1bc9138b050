#pragma once

#include "Widgets/Frame.h"
#include "nimbguitoolkit_export.h"

#include <QDate>

namespace TesselGUIToolkit {
class CLabel;
class CPushButton;

/// Year picker of the calendar: twelve years in 3 rows of 4 under a bar with the page's span and
/// two arrows that page by twelve years. Pages start at multiples of twelve. Releasing the left
/// button on a year makes 1 January of it the selected date and emits SignalSelectionChanged();
/// releasing elsewhere leaves an invalid date. Years outside the range cannot be chosen.
class NIMBGUITOOLKIT_EXPORT CCalendarYearWidget : public CFrame
{
    Q_OBJECT
public:
    explicit CCalendarYearWidget(QWidget* parent = nullptr);
    ~CCalendarYearWidget() override;

    /// Years outside [minimum.year(), maximum.year()] are disabled; the page stays inside them.
    /// Invalid bounds are ignored, a reversed pair is swapped.
    void SetDateRange(const QDate& minimum, const QDate& maximum);
    int GetMinimumYear() const { return m_iMinimumYear; }
    int GetMaximumYear() const { return m_iMaximumYear; }
    /// Year drawn as the current one; its page is shown.
    void SetCurrentYear(int year);
    int GetCurrentYear() const { return m_iCurrentYear; }
    int GetPageStartYear() const { return m_iPageStart; }
    bool CanShowPreviousPage() const;
    bool CanShowNextPage() const;
    /// 1 January of the year chosen by the last release; invalid when it hit no year.
    QDate GetSelectedDate() const { return m_dateSelected; }
    /// Cell of a year on the shown page; empty when it is not there.
    QRect GetYearRect(int year) const;
    /// Year under a point of the widget; 0 when there is none.
    int YearAt(const QPoint& pos) const;
    bool IsYearEnabled(int year) const;

Q_SIGNALS:
    void SignalSelectionChanged();
    void SignalPageChanged(int iFirstYear);

public Q_SLOTS:
    void OnShowPreviousPage();
    void OnShowNextPage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowPage(int pageStart);
    void Relayout();
    QRect GridRect() const;

    CPushButton* ptr_prev_years_button_ = nullptr;
    CPushButton* ptr_next_years_button_ = nullptr;
    CLabel* ptr_years_label_ = nullptr;
    QDate m_dateSelected;
    int m_iMinimumYear = 1970;
    int m_iMaximumYear = 2105;
    int m_iCurrentYear = 0;
    int m_iPageStart = 0;
    int m_iHoverYear = 0;
};

} // namespace TesselGUIToolkit
