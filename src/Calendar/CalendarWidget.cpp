#include "Calendar/CalendarWidget.h"

#include "Button/PushButton.h"
#include "Calendar/CalendarArrow_p.h"
#include "Calendar/CalendarDelegate.h"
#include "Calendar/CalendarGrid_p.h"
#include "Calendar/CalendarMonthWidget.h"
#include "Calendar/CalendarView.h"
#include "Calendar/CalendarYearWidget.h"
#include "Core/ArbaricSetting.h"
#include "Core/Toolkit.h"

#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace TesselGUIToolkit {

namespace {
    constexpr int kCalendarWidth = 232;
    constexpr int kCalendarHeight = 202;
    constexpr int kTitleHeight = 24;
    constexpr int kPickerMargin = 8;
    constexpr int kMonthPickerHeight = 64;
    constexpr int kYearPickerHeight = 108;

    enum Picker { NoPicker = 0, MonthPicker = 1, YearPicker = 2 };

    const char* const kOverlayOpenStyle = "background-color: rgba(38, 38, 38, 102); border: none;";
    const char* const kOverlayClosedStyle = "background: transparent; border: none;";
    const char* const kTriangleStyle = "background: transparent; border: none;";
    const char* const kArrowStyle = "QPushButton{border: none; background: transparent;}";
    const char* const kTitleButtonStyle =
        "QPushButton{border: none; background: transparent; color: rgb(51, 51, 51);"
        " font-family: \"Segoe UI Semibold\"; font-size: 14px;}"
        " QPushButton:hover, QPushButton:checked{color: rgb(245, 62, 67);}";

    QFont CellFont(bool semibold)
    {
        QFont font(semibold ? QStringLiteral("Segoe UI Semibold") : QStringLiteral("Segoe UI"));
        font.setPixelSize(12);
        return font;
    }

    // The tail of the open picker: white like the picker, pointing up at the button that opened it.
    QPixmap TrianglePixmap()
    {
        QImage image(Detail::kCalendarTriangleWidth, Detail::kCalendarTriangleHeight,
                     QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        const int half = Detail::kCalendarTriangleWidth / 2;
        for (int row = 0; row < Detail::kCalendarTriangleHeight; ++row) {
            for (int x = half - 1 - row; x <= half + row; ++x)
                image.setPixelColor(x, row, Qt::white);
        }
        return QPixmap::fromImage(image);
    }
} // namespace

class CCalendarWidgetPrivate
{
public:
    CCalendarModel* pModel = nullptr;
    CCalendarView* pView = nullptr;
    CCalendarDelegate* pDelegate = nullptr;
    QFrame* pTitleFrame = nullptr;
    CPushButton* pPrevMonth = nullptr;
    CPushButton* pNextMonth = nullptr;
    CPushButton* pMonthButton = nullptr;
    CPushButton* pYearButton = nullptr;
    QLabel* pTriangle = nullptr;
    QFrame* pOverlay = nullptr;
    CCalendarMonthWidget* pMonthWidget = nullptr;
    CCalendarYearWidget* pYearWidget = nullptr;
    QHash<QDate, QColor> hashDayMarks;
    QHash<QDate, QColor> hashDayColors;
    QHash<QDate, QColor> hashDayBackgrounds;
    QPixmap pixLeftWeek;
    QPixmap pixMidWeek;
    QPixmap pixRightWeek;
    int iPicker = NoPicker;
    bool bMirrored = false;

    Detail::CalendarTitleGeometry Title(int width) const
    {
        return Detail::TitleGeometry(width, kTitleHeight, bMirrored);
    }
};

CCalendarWidget::CCalendarWidget(QWidget* parent)
    : CFrame(parent)
    , d(new CCalendarWidgetPrivate)
{
    d->bMirrored = ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft;
    if (d->bMirrored)
        setLayoutDirection(Qt::RightToLeft);
    setFixedSize(kCalendarWidth, kCalendarHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    d->pModel = new CCalendarModel(this);
    d->pView = new CCalendarView(this);
    d->pDelegate = new CCalendarDelegate(this, d->pView);
    d->pView->setModel(d->pModel);
    d->pView->setItemDelegate(d->pDelegate);

    d->pTitleFrame = new QFrame(this);
    d->pTitleFrame->setObjectName(QStringLiteral("ptr_title_frame_"));
    d->pPrevMonth = new CPushButton(d->pTitleFrame);
    d->pPrevMonth->setObjectName(QStringLiteral("m_pPrevMonth_Arbaric"));
    d->pNextMonth = new CPushButton(d->pTitleFrame);
    d->pNextMonth->setObjectName(QStringLiteral("m_pNextMonth_Arbaric"));
    for (CPushButton* arrow : {d->pPrevMonth, d->pNextMonth}) {
        arrow->setStyleSheet(QLatin1String(kArrowStyle));
        arrow->setIconSize(QSize(20, 20));
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    // Right to left the previous month lies to the right, so its arrow points right.
    d->pPrevMonth->setIcon(Detail::CalendarArrowIcon(!d->bMirrored));
    d->pNextMonth->setIcon(Detail::CalendarArrowIcon(d->bMirrored));
    d->pMonthButton = new CPushButton(d->pTitleFrame);
    d->pMonthButton->setObjectName(QStringLiteral("ptr_month_button_"));
    d->pYearButton = new CPushButton(d->pTitleFrame);
    d->pYearButton->setObjectName(QStringLiteral("ptr_year_button_"));
    for (CPushButton* button : {d->pMonthButton, d->pYearButton}) {
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QLatin1String(kTitleButtonStyle));
    }

    d->pOverlay = new QFrame(this);
    d->pOverlay->setObjectName(QStringLiteral("ptr_overlay_frame_"));
    d->pOverlay->setStyleSheet(QLatin1String(kOverlayClosedStyle));
    d->pOverlay->installEventFilter(this);
    d->pOverlay->hide();
    d->pMonthWidget = new CCalendarMonthWidget(this);
    d->pMonthWidget->hide();
    d->pYearWidget = new CCalendarYearWidget(this);
    d->pYearWidget->hide();
    d->pTriangle = new QLabel(this);
    d->pTriangle->setObjectName(QStringLiteral("ptr_triangle_label_"));
    d->pTriangle->setStyleSheet(QLatin1String(kTriangleStyle));
    d->pTriangle->setPixmap(TrianglePixmap());
    d->pTriangle->hide();

    connect(d->pView, &CCalendarView::SignalChangeDate, this, &CCalendarWidget::OnChangeDate);
    connect(d->pView, &CCalendarView::SignalShowDate, this, &CCalendarWidget::OnShowDate);
    connect(d->pView, &CCalendarView::SignalSelectDate, this, &CCalendarWidget::OnSelectDate);
    connect(d->pView, &CCalendarView::SignalClicked, this, &CCalendarWidget::SignalClicked);
    connect(d->pView, &CCalendarView::SignalDateChanged, this, &CCalendarWidget::SignalDateChanged);
    connect(d->pView, &CCalendarView::SignalEnterCalendar, this,
            &CCalendarWidget::SignalEnterCalendar);
    connect(d->pPrevMonth, &QPushButton::clicked, this, [this](bool) { OnPrevMonthClicked(); });
    connect(d->pNextMonth, &QPushButton::clicked, this, [this](bool) { OnNextMonthClicked(); });
    connect(d->pMonthButton, &QPushButton::clicked, this, [this](bool) {
        Q_EMIT SignalMonthLabelClicked();
        if (d->iPicker == MonthPicker)
            OnPopup(false);
        else
            OpenPicker(MonthPicker);
    });
    connect(d->pYearButton, &QPushButton::clicked, this, [this](bool) {
        if (d->iPicker == YearPicker)
            OnPopup(false);
        else
            OpenPicker(YearPicker);
    });
    connect(d->pMonthWidget, &CCalendarMonthWidget::SignalSelectionChanged, this, [this]() {
        const QDate chosen = d->pMonthWidget->GetSelectedDate();
        if (chosen.isValid())
            OnSelectedMonth(chosen.month());
    });
    connect(d->pYearWidget, &CCalendarYearWidget::SignalSelectionChanged, this, [this]() {
        const QDate chosen = d->pYearWidget->GetSelectedDate();
        if (chosen.isValid())
            OnSelectedYear(chosen.year());
    });

    Relayout();
    UpdateYearMonthLabel();
    UpdateBtnState();
}

CCalendarWidget::~CCalendarWidget() = default;

void CCalendarWidget::Relayout()
{
    const Detail::CalendarTitleGeometry title = d->Title(width());
    d->pTitleFrame->setGeometry(0, 0, width(), kTitleHeight);
    d->pPrevMonth->setGeometry(title.prevMonth);
    d->pNextMonth->setGeometry(title.nextMonth);
    d->pMonthButton->setGeometry(title.month);
    d->pYearButton->setGeometry(title.year);
    const QRect grid(0, kTitleHeight + 1, width(), qMax(0, height() - kTitleHeight - 1));
    d->pView->setGeometry(grid);
    d->pOverlay->setGeometry(grid);
    const int pickerTop = grid.top() + Detail::kCalendarTriangleHeight;
    const int pickerWidth = qMax(0, width() - 2 * kPickerMargin);
    d->pMonthWidget->setGeometry(kPickerMargin, pickerTop, pickerWidth, kMonthPickerHeight);
    d->pYearWidget->setGeometry(kPickerMargin, pickerTop, pickerWidth, kYearPickerHeight);
    if (d->iPicker == MonthPicker)
        SetMonthTrianglePosition();
    else if (d->iPicker == YearPicker)
        SetYearTrianglePosition();
}

// ---- selection ----------------------------------------------------------------------------

QDate CCalendarWidget::GetSelectedDate() const
{
    return d->pModel->GetDate();
}

void CCalendarWidget::GetSelectedDate(QDate& dtBegin, QDate& dtEnd) const
{
    d->pModel->GetSelectedRange(dtBegin, dtEnd);
}

void CCalendarWidget::SetSelectedDate(const QDate& date)
{
    if (!date.isValid() || date == d->pModel->GetDate())
        return;
    if (!d->pModel->SetDate(date))
        return; // clamped onto the day already selected
    Update();
    const QDate selected = d->pModel->GetDate();
    ShowYearMonth(selected.year(), selected.month());
    Q_EMIT SignalSelectionChanged();
}

void CCalendarWidget::SetSelectedDate(const QDate& dtBegin, const QDate& dtEnd, const QDate& date)
{
    if (!date.isValid())
        return;
    if (date == d->pModel->GetDate()) {
        UpdateYearMonthLabel();
        return;
    }
    const bool dateChanged = d->pModel->SetDate(date);
    const bool rangeChanged = d->pModel->SetSelectedRange(dtBegin, dtEnd);
    if (!dateChanged && !rangeChanged)
        return;
    Update();
    const QDate selected = d->pModel->GetDate();
    ShowYearMonth(selected.year(), selected.month());
    Q_EMIT SignalSelectionChanged();
}

void CCalendarWidget::OnChangeDate(const QDate& date, bool bMultiSelectedDate)
{
    if (!date.isValid())
        return;
    const bool changed = d->pModel->SetDate(date);
    const QDate selected = d->pModel->GetDate();
    ShowYearMonth(selected.year(), selected.month());
    if (!changed && !bMultiSelectedDate)
        return;
    Update();
    Q_EMIT SignalSelectionChanged();
    Q_EMIT SignalChangeDate(selected, bMultiSelectedDate);
}

void CCalendarWidget::OnSelectDate(const QDate& dtBegin, const QDate& dtEnd)
{
    d->pModel->SetSelectedRange(dtBegin, dtEnd);
    Update();
}

void CCalendarWidget::OnShowDate(const QDate& date)
{
    if (date.isValid())
        ShowYearMonth(date.year(), date.month());
}

// ---- pages ---------------------------------------------------------------------------------

int CCalendarWidget::GetYearShown() const
{
    return d->pModel->GetShownYear();
}

int CCalendarWidget::GetMonthShown() const
{
    return d->pModel->GetShownMonth();
}

void CCalendarWidget::SetCurrentYearMonth(int year, int month)
{
    ShowYearMonth(year, month);
}

void CCalendarWidget::ShowYearMonth(int year, int month)
{
    const int oldYear = GetYearShown();
    const int oldMonth = GetMonthShown();
    if (!d->pModel->SetShownYearMonth(year, month)) {
        UpdateYearMonthLabel();
        return;
    }
    AfterPageChange(oldYear, oldMonth);
}

void CCalendarWidget::AfterPageChange(int oldYear, int oldMonth)
{
    const int year = GetYearShown();
    const int month = GetMonthShown();
    if (year == oldYear && month == oldMonth)
        return;
    UpdateYearMonthLabel();
    UpdateBtnState();
    d->pView->reset();
    Update();
    RefreshPickers();
    Q_EMIT SignalYearMonthChanged(year, month);
    if (month != oldMonth)
        Q_EMIT SignalMonthChanged(GetCurrentSelMonthName());
}

void CCalendarWidget::ShowNextMonth()
{
    const Detail::CalendarPage page = Detail::AddMonths({GetYearShown(), GetMonthShown()}, 1);
    ShowYearMonth(page.year, page.month);
}

void CCalendarWidget::ShowPreviousMonth()
{
    const Detail::CalendarPage page = Detail::AddMonths({GetYearShown(), GetMonthShown()}, -1);
    ShowYearMonth(page.year, page.month);
}

void CCalendarWidget::ShowNextYear()
{
    const Detail::CalendarPage page = Detail::AddMonths({GetYearShown(), GetMonthShown()}, 12);
    ShowYearMonth(page.year, page.month);
}

void CCalendarWidget::ShowPreviousYear()
{
    const Detail::CalendarPage page = Detail::AddMonths({GetYearShown(), GetMonthShown()}, -12);
    ShowYearMonth(page.year, page.month);
}

void CCalendarWidget::OnPrevMonthClicked()
{
    ShowPreviousMonth();
}

void CCalendarWidget::OnNextMonthClicked()
{
    ShowNextMonth();
}

void CCalendarWidget::OnPrevYearClicked()
{
    ShowPreviousYear();
}

void CCalendarWidget::OnNextYearClicked()
{
    ShowNextYear();
}

void CCalendarWidget::OnSelectedMonth(int iMonth)
{
    if (iMonth >= 1 && iMonth <= 12)
        ShowYearMonth(GetYearShown(), iMonth);
    OnPopup(false);
}

void CCalendarWidget::OnSelectedYear(int iYear)
{
    ShowYearMonth(iYear, GetMonthShown());
    OnPopup(false);
}

void CCalendarWidget::OnMonthChanged(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return;
    bool isNumber = false;
    int month = trimmed.toInt(&isNumber);
    if (!isNumber) {
        month = 0;
        const QLocale locale = GetGuiLocale();
        for (int candidate = 1; candidate <= 12 && month == 0; ++candidate) {
            for (QLocale::FormatType format : {QLocale::LongFormat, QLocale::ShortFormat}) {
                if (trimmed.compare(locale.standaloneMonthName(candidate, format),
                                    Qt::CaseInsensitive)
                        == 0
                    || trimmed.compare(locale.monthName(candidate, format), Qt::CaseInsensitive)
                        == 0) {
                    month = candidate;
                    break;
                }
            }
        }
    }
    if (month >= 1 && month <= 12)
        ShowYearMonth(GetYearShown(), month);
}

void CCalendarWidget::OnYearChanged(const QString& text)
{
    bool isNumber = false;
    const int year = text.trimmed().toInt(&isNumber);
    if (isNumber)
        ShowYearMonth(year, GetMonthShown());
}

// ---- range and settings ------------------------------------------------------------------

QDate CCalendarWidget::GetMinimumDate() const
{
    return d->pModel->GetMinimumDate();
}

void CCalendarWidget::SetMinimumDate(const QDate& date)
{
    if (date.isValid())
        SetDateRange(date, qMax(date, GetMaximumDate()));
}

QDate CCalendarWidget::GetMaximumDate() const
{
    return d->pModel->GetMaximumDate();
}

void CCalendarWidget::SetMaximumDate(const QDate& date)
{
    if (date.isValid())
        SetDateRange(qMin(date, GetMinimumDate()), date);
}

void CCalendarWidget::SetDateRange(const QDate& minimum, const QDate& maximum)
{
    if (!minimum.isValid() || !maximum.isValid())
        return;
    const QDate oldSelected = GetSelectedDate();
    const int oldYear = GetYearShown();
    const int oldMonth = GetMonthShown();
    if (!d->pModel->SetDateRange(minimum, maximum))
        return;
    UpdateBtnState();
    Update();
    RefreshPickers();
    // The range may have pulled the page in with it; report that before the selection moves it.
    AfterPageChange(oldYear, oldMonth);
    const QDate selected = GetSelectedDate();
    if (selected != oldSelected) {
        ShowYearMonth(selected.year(), selected.month());
        Q_EMIT SignalSelectionChanged();
    }
}

void CCalendarWidget::SetHorizontalHeaderFormat(struCalendarData::HorizontalHeaderFormat format)
{
    if (!d->pModel->SetHorizontalHeaderFormat(format))
        return;
    d->pView->Relayout();
    Update();
}

struCalendarData::HorizontalHeaderFormat CCalendarWidget::GetHorizontalHeaderFormat() const
{
    return d->pModel->GetHorizontalHeaderFormat();
}

void CCalendarWidget::SetOtherDayShown(bool shown)
{
    if (d->pModel->SetOtherDayShown(shown))
        Update();
}

bool CCalendarWidget::IsOtherDayShown() const
{
    return d->pModel->IsOtherDayShown();
}

void CCalendarWidget::SetFirstDayOfWeek(Qt::DayOfWeek day)
{
    if (d->pModel->SetFirstDayOfWeek(day))
        Update();
}

Qt::DayOfWeek CCalendarWidget::GetFirstDayOfWeek() const
{
    return d->pModel->GetFirstDayOfWeek();
}

CCalendarWidget::SelectionMode CCalendarWidget::GetSelectionMode() const
{
    switch (d->pView->selectionMode()) {
    case QAbstractItemView::NoSelection:
        return NoSelection;
    case QAbstractItemView::MultiSelection:
        return MultiSelection;
    default:
        return SingleSelection;
    }
}

void CCalendarWidget::SetSelectionMode(SelectionMode mode)
{
    if (mode < NoSelection || mode > MultiSelection || mode == GetSelectionMode())
        return;
    // Our values are QAbstractItemView's for the same modes.
    d->pView->setSelectionMode(QAbstractItemView::SelectionMode(int(mode)));
    Update();
}

// ---- marks and colours -------------------------------------------------------------------

void CCalendarWidget::SetDayMarkColor(const QDate& date, const QColor& color)
{
    if (!date.isValid())
        return;
    RemoveDayMark(date);
    if (color.isValid())
        d->hashDayMarks.insert(date, color);
    UpdateCell(date);
}

void CCalendarWidget::SetDayColor(const QDate& date, const QColor& color)
{
    if (!date.isValid())
        return;
    if (color.isValid())
        d->hashDayColors.insert(date, color);
    else
        d->hashDayColors.remove(date);
    UpdateCell(date);
}

void CCalendarWidget::SetDayBackgroundColor(const QDate& date, const QColor& color)
{
    if (!date.isValid())
        return;
    if (color.isValid())
        d->hashDayBackgrounds.insert(date, color);
    else
        d->hashDayBackgrounds.remove(date);
    UpdateCell(date);
}

QColor CCalendarWidget::GetColorByTickType(const QDate& date) const
{
    return d->hashDayMarks.value(date);
}

QColor CCalendarWidget::GetDayColorByTickType(const QDate& date) const
{
    return d->hashDayColors.value(date);
}

QColor CCalendarWidget::GetBackgroundColorByTickType(const QDate& date) const
{
    return d->hashDayBackgrounds.value(date);
}

void CCalendarWidget::RemoveDayMark(const QDate& date)
{
    if (d->hashDayMarks.remove(date) > 0)
        UpdateCell(date);
}

void CCalendarWidget::RemoveAllDayMarkByColor(const QColor& color)
{
    for (QHash<QDate, QColor>* list :
         {&d->hashDayMarks, &d->hashDayColors, &d->hashDayBackgrounds}) {
        for (auto it = list->begin(); it != list->end();) {
            if (it.value() == color)
                it = list->erase(it);
            else
                ++it;
        }
    }
    Update();
}

void CCalendarWidget::ClearAllDayMark()
{
    d->hashDayMarks.clear();
    Update();
}

void CCalendarWidget::ClearAllDayColor()
{
    d->hashDayColors.clear();
    Update();
}

void CCalendarWidget::ClearAllDayBackgroundColor()
{
    d->hashDayBackgrounds.clear();
    Update();
}

// ---- text formats ------------------------------------------------------------------------

QTextCharFormat CCalendarWidget::GetHeaderTextFormat() const
{
    return d->pModel->GetHeaderTextFormat();
}

void CCalendarWidget::SetHeaderTextFormat(const QTextCharFormat& format)
{
    d->pModel->SetHeaderTextFormat(format);
}

QTextCharFormat CCalendarWidget::GetWeekdayTextFormat(Qt::DayOfWeek day) const
{
    return d->pModel->GetWeekdayTextFormat(day);
}

void CCalendarWidget::SetWeekdayTextFormat(Qt::DayOfWeek day, const QTextCharFormat& format)
{
    d->pModel->SetWeekdayTextFormat(day, format);
}

QMap<QDate, QTextCharFormat> CCalendarWidget::GetDateTextFormat() const
{
    return d->pModel->GetDateTextFormat();
}

QTextCharFormat CCalendarWidget::GetDateTextFormat(const QDate& date) const
{
    return d->pModel->GetDateTextFormat(date);
}

void CCalendarWidget::SetDateTextFormat(const QDate& date, const QTextCharFormat& format)
{
    d->pModel->SetDateTextFormat(date, format);
}

// ---- refresh -----------------------------------------------------------------------------

void CCalendarWidget::UpdateCell(const QDate& date)
{
    const QModelIndex index = d->pModel->IndexForDate(date);
    if (index.isValid())
        d->pView->update(index);
}

void CCalendarWidget::UpdateCells()
{
    d->pModel->RefreshCells();
    Update();
}

void CCalendarWidget::Update()
{
    d->pView->viewport()->update();
}

void CCalendarWidget::UpdateCurrentPage(const QDate& date)
{
    OnShowDate(date);
}

void CCalendarWidget::UpdateBtnState()
{
    d->pPrevMonth->setEnabled(d->pModel->CanShowPreviousMonth());
    d->pNextMonth->setEnabled(d->pModel->CanShowNextMonth());
}

void CCalendarWidget::UpdateYearMonthLabel()
{
    d->pMonthButton->setText(GetCurrentSelMonthName());
    d->pYearButton->setText(QString::number(GetYearShown()));
}

// ---- helpers and title look ----------------------------------------------------------------

CCalendarModel* CCalendarWidget::GetModel() const
{
    return d->pModel;
}

CCalendarView* CCalendarWidget::GetView() const
{
    return d->pView;
}

QDate CCalendarWidget::GetCurrentDate() const
{
    return QDate::currentDate();
}

QRect CCalendarWidget::GetTextRect(const QRect& cellRect) const
{
    return Detail::DayTextRect(cellRect);
}

void CCalendarWidget::DrawPoint(QPainter* painter, QRect rect)
{
    if (!painter)
        return;
    // Blended points would smear the 2 x 2 block over nine pixels.
    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::Antialiasing, false);
    const QVector<QPoint> points = Detail::TodayDotPoints(rect);
    painter->drawPoints(points.constData(), points.size());
    painter->setRenderHint(QPainter::Antialiasing, antialiased);
}

QRect CCalendarWidget::GetMonthLabelRect() const
{
    return d->pMonthButton->geometry();
}

QRect CCalendarWidget::GetYearLabelRect() const
{
    return d->pYearButton->geometry();
}

int CCalendarWidget::GetTittleFrameHeight() const
{
    return kTitleHeight;
}

QString CCalendarWidget::GetCurrentSelMonthName() const
{
    return GetGuiLocale().standaloneMonthName(GetMonthShown(), QLocale::ShortFormat);
}

void CCalendarWidget::SetMonthButtonChecked(bool checked)
{
    d->pMonthButton->setChecked(checked);
}

void CCalendarWidget::SetYearButtonChecked(bool checked)
{
    d->pYearButton->setChecked(checked);
}

void CCalendarWidget::SetRightBorderDisappear()
{
    setStyleSheet(QStringLiteral("QFrame{border-right: none;}"));
}

void CCalendarWidget::SetMonthLabelStyleOnPopup() { }

void CCalendarWidget::SetMonthLabelStyleWithoutPopup() { }

void CCalendarWidget::SetYearLabelStyleOnPopup() { }

void CCalendarWidget::SetYearLabelStyleWithoutPopup() { }

void CCalendarWidget::SetLeftWeekPixmap(const QPixmap& pixmap)
{
    d->pixLeftWeek = pixmap;
    Update();
}

QPixmap CCalendarWidget::GetLeftWeekPixmap() const
{
    return d->pixLeftWeek;
}

void CCalendarWidget::SetMidWeekPixmap(const QPixmap& pixmap)
{
    d->pixMidWeek = pixmap;
    Update();
}

QPixmap CCalendarWidget::GetMidWeekPixmap() const
{
    return d->pixMidWeek;
}

void CCalendarWidget::SetRightWeekPixmap(const QPixmap& pixmap)
{
    d->pixRightWeek = pixmap;
    Update();
}

QPixmap CCalendarWidget::GetRightWeekPixmap() const
{
    return d->pixRightWeek;
}

// ---- pickers -----------------------------------------------------------------------------

void CCalendarWidget::SetMonthTrianglePosition()
{
    d->pTriangle->setGeometry(d->Title(width()).monthTriangleX, kTitleHeight + 1,
                              Detail::kCalendarTriangleWidth, Detail::kCalendarTriangleHeight);
    d->pTriangle->show();
    d->pTriangle->raise();
}

void CCalendarWidget::SetYearTrianglePosition()
{
    d->pTriangle->setGeometry(d->Title(width()).yearTriangleX, kTitleHeight + 1,
                              Detail::kCalendarTriangleWidth, Detail::kCalendarTriangleHeight);
    d->pTriangle->show();
    d->pTriangle->raise();
}

void CCalendarWidget::HideTriangleLabel()
{
    d->pTriangle->hide();
}

int CCalendarWidget::GetOpenPicker() const
{
    return d->iPicker;
}

void CCalendarWidget::RefreshPickers()
{
    d->pMonthWidget->SetDateRange(GetMinimumDate(), GetMaximumDate());
    d->pMonthWidget->SetYear(GetYearShown());
    d->pMonthWidget->SetCurrentMonth(GetMonthShown());
    d->pYearWidget->SetDateRange(GetMinimumDate(), GetMaximumDate());
    d->pYearWidget->SetCurrentYear(GetYearShown());
}

void CCalendarWidget::OpenPicker(int picker)
{
    d->pMonthWidget->hide();
    d->pYearWidget->hide();
    d->iPicker = picker;
    RefreshPickers();
    OnPopup(true);
    SetMonthButtonChecked(picker == MonthPicker);
    SetYearButtonChecked(picker == YearPicker);
    if (picker == MonthPicker) {
        SetMonthTrianglePosition();
        Q_EMIT SignalMonthPopup();
    } else {
        SetYearTrianglePosition();
        Q_EMIT SignalYearPopup();
    }
}

void CCalendarWidget::OnPopup(bool isPopup)
{
    if (isPopup) {
        d->pOverlay->setGeometry(0, kTitleHeight + 1, width(),
                                 qMax(0, height() - kTitleHeight - 1));
        d->pOverlay->setStyleSheet(QLatin1String(kOverlayOpenStyle));
        d->pOverlay->show();
        d->pOverlay->raise();
        QWidget* picker = d->iPicker == MonthPicker ? static_cast<QWidget*>(d->pMonthWidget)
            : d->iPicker == YearPicker              ? static_cast<QWidget*>(d->pYearWidget)
                                                    : nullptr;
        if (picker) {
            picker->show();
            picker->raise();
        }
        if (d->pTriangle->isVisible())
            d->pTriangle->raise();
        return;
    }
    d->pOverlay->hide();
    d->pOverlay->setStyleSheet(QLatin1String(kOverlayClosedStyle));
    d->pMonthWidget->hide();
    d->pYearWidget->hide();
    HideTriangleLabel();
    SetMonthButtonChecked(false);
    SetYearButtonChecked(false);
    d->iPicker = NoPicker;
}

// ---- painting ----------------------------------------------------------------------------

bool CCalendarWidget::IsCellSelected(const QDate& date) const
{
    switch (GetSelectionMode()) {
    case SingleSelection:
        return date == d->pModel->GetDate();
    case MultiSelection: {
        QDate begin;
        QDate end;
        d->pModel->GetSelectedRange(begin, end);
        return date >= begin && date <= end;
    }
    default:
        return false;
    }
}

void CCalendarWidget::PaintHeaderCell(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index)
{
    const QRect cell = option.rect;
    painter->fillRect(cell, QColor(250, 250, 250));
    if (option.state & QStyle::State_Editing) {
        painter->setPen(option.palette.color(QPalette::Highlight));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
    }
    painter->setFont(CellFont(true));
    painter->setPen(QColor(153, 153, 153));
    painter->drawText(cell, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
}

void CCalendarWidget::paintCell(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index)
{
    if (!painter || !index.isValid() || index.model() != d->pModel)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    if (index.row() < d->pModel->GetFirstRow()) {
        PaintHeaderCell(painter, option, index);
        painter->restore();
        return;
    }
    const QDate date = d->pModel->DateForIndex(index);
    if (!date.isValid()) {
        painter->restore();
        return;
    }
    const QRect cell = option.rect;
    const QRect inner = Detail::InnerCellRect(cell);
    const QRect textRect = GetTextRect(cell);
    const QString text = index.data(Qt::DisplayRole).toString();
    const bool isToday = d->pModel->IndexForDate(GetCurrentDate()) == index;
    const bool inRange = d->pModel->IsDateInRange(date);
    const bool dimmed = d->pModel->IsOtherMonth(date) || !inRange;
    const QColor accent = Detail::CalendarAccentColor();

    if (isToday) {
        painter->setFont(CellFont(true));
        painter->setPen(accent);
        painter->drawText(textRect, Qt::AlignCenter, text);
        DrawPoint(painter, cell);
    } else if (!dimmed) {
        painter->setFont(CellFont(false));
        painter->setPen(Detail::CalendarTextColor());
        painter->drawText(textRect, Qt::AlignCenter, text);
    } else {
        painter->setFont(CellFont(false));
        painter->setOpacity(Detail::kCalendarDimmedOpacity);
        painter->setPen(Qt::black);
        painter->drawText(textRect, Qt::AlignCenter, text);
        painter->setOpacity(1.0);
    }

    // Days that cannot be chosen show no hover, so the pointer never promises a click.
    if (inRange && d->pView->GetHoverIndex() == index) {
        painter->fillRect(cell, Qt::white);
        painter->fillRect(inner, accent);
        painter->fillRect(inner.adjusted(1, 1, -1, -1), Qt::white);
        painter->setFont(CellFont(true));
        painter->setPen(accent);
        painter->drawText(textRect, Qt::AlignCenter, text);
        if (isToday)
            DrawPoint(painter, cell);
    }

    const bool selected = inRange && IsCellSelected(date);
    if (selected) {
        QPixmap week;
        if (GetSelectionMode() == MultiSelection) {
            QDate begin;
            QDate end;
            d->pModel->GetSelectedRange(begin, end);
            const int column = index.column() - d->pModel->GetFirstColumn();
            const bool runStart = date == begin || column == 0;
            const bool runEnd = date == end || column == Detail::kCalendarDayColumns - 1;
            // Right to left a run starts on the right, where the right picture belongs.
            const bool visualLeft = d->bMirrored ? runEnd : runStart;
            const bool visualRight = d->bMirrored ? runStart : runEnd;
            if (begin != end)
                week = visualLeft && !visualRight ? d->pixLeftWeek
                    : visualRight && !visualLeft  ? d->pixRightWeek
                                                  : d->pixMidWeek;
        }
        if (!week.isNull())
            painter->drawPixmap(cell, week);
        else
            painter->fillRect(inner, accent);
        painter->setFont(CellFont(true));
        painter->setPen(Qt::white);
        painter->drawText(textRect, Qt::AlignCenter, text);
        if (isToday)
            DrawPoint(painter, cell);
    }

    const QColor mark = d->hashDayMarks.value(date);
    if (mark.isValid()) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(selected ? QColor(Qt::white) : mark);
        painter->drawPolygon(Detail::MarkTriangle(cell));
    }

    const QColor background = d->hashDayBackgrounds.value(date);
    if (background.isValid())
        painter->fillRect(cell, background);
    const QColor dayColor = d->hashDayColors.value(date);
    if (dayColor.isValid())
        painter->fillRect(cell, dayColor);
    painter->restore();
}

// ---- events ------------------------------------------------------------------------------

void CCalendarWidget::paintEvent(QPaintEvent* event)
{
    CFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(QRect(0, kTitleHeight, width(), 1), QColor(229, 229, 229));
}

void CCalendarWidget::resizeEvent(QResizeEvent* event)
{
    CFrame::resizeEvent(event);
    Relayout();
}

void CCalendarWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && d->iPicker != NoPicker) {
        OnPopup(false);
        return;
    }
    CFrame::keyPressEvent(event);
}

bool CCalendarWidget::eventFilter(QObject* watched, QEvent* event)
{
    // A press on the dimmed grid around the picker closes it, as a click outside a pop-up would.
    if (watched == d->pOverlay && event->type() == QEvent::MouseButtonPress) {
        OnPopup(false);
        return true;
    }
    return CFrame::eventFilter(watched, event);
}

} // namespace TesselGUIToolkit
