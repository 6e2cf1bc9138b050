#include "Calendar/CalendarYearWidget.h"

#include "Button/PushButton.h"
#include "Calendar/CalendarArrow_p.h"
#include "Calendar/CalendarGrid_p.h"
#include "Core/ArbaricSetting.h"
#include "Label/Label.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace TesselGUIToolkit {

namespace {
    constexpr int kBarHeight = 24;
    constexpr int kArrowSide = 20;

    const char* const kArrowStyle = "QPushButton{border: none; background: transparent;}";
} // namespace

CCalendarYearWidget::CCalendarYearWidget(QWidget* parent)
    : CFrame(parent)
{
    setObjectName(QStringLiteral("ptr_year_widget_"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    const bool mirrored =
        ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft;
    if (mirrored)
        setLayoutDirection(Qt::RightToLeft);

    ptr_prev_years_button_ = new CPushButton(this);
    ptr_prev_years_button_->setObjectName(QStringLiteral("ptr_prev_years_button_"));
    ptr_next_years_button_ = new CPushButton(this);
    ptr_next_years_button_->setObjectName(QStringLiteral("ptr_next_years_button_"));
    for (CPushButton* button : {ptr_prev_years_button_, ptr_next_years_button_}) {
        button->setStyleSheet(QLatin1String(kArrowStyle));
        button->setIconSize(QSize(kArrowSide, kArrowSide));
        button->setFocusPolicy(Qt::NoFocus);
    }
    // Right to left the earlier years lie to the right, so the arrows swap their directions.
    ptr_prev_years_button_->setIcon(Detail::CalendarArrowIcon(!mirrored));
    ptr_next_years_button_->setIcon(Detail::CalendarArrowIcon(mirrored));
    ptr_years_label_ = new CLabel(this);
    ptr_years_label_->setObjectName(QStringLiteral("ptr_years_label_"));
    ptr_years_label_->setAlignment(Qt::AlignCenter);
    ptr_years_label_->setStyleSheet(
        QStringLiteral("QLabel{color: rgb(51, 51, 51); background: transparent; border: none;"
                       " font-size: 13px;}"));
    connect(ptr_prev_years_button_, &QPushButton::clicked, this,
            &CCalendarYearWidget::OnShowPreviousPage);
    connect(ptr_next_years_button_, &QPushButton::clicked, this,
            &CCalendarYearWidget::OnShowNextPage);

    m_iCurrentYear = QDate::currentDate().year();
    ShowPage(Detail::YearPageStart(m_iCurrentYear));
    Relayout();
}

CCalendarYearWidget::~CCalendarYearWidget() = default;

void CCalendarYearWidget::SetDateRange(const QDate& minimum, const QDate& maximum)
{
    if (!minimum.isValid() || !maximum.isValid())
        return;
    m_iMinimumYear = qMin(minimum.year(), maximum.year());
    m_iMaximumYear = qMax(minimum.year(), maximum.year());
    ShowPage(m_iPageStart);
    update();
}

void CCalendarYearWidget::SetCurrentYear(int year)
{
    if (!QDate(year, 1, 1).isValid())
        return;
    m_iCurrentYear = year;
    ShowPage(Detail::YearPageStart(year));
    update();
}

bool CCalendarYearWidget::CanShowPreviousPage() const
{
    return m_iPageStart > m_iMinimumYear;
}

bool CCalendarYearWidget::CanShowNextPage() const
{
    return qint64(m_iPageStart) + Detail::kYearPickerPageSize - 1 < m_iMaximumYear;
}

void CCalendarYearWidget::OnShowPreviousPage()
{
    if (CanShowPreviousPage())
        ShowPage(m_iPageStart - Detail::kYearPickerPageSize);
}

void CCalendarYearWidget::OnShowNextPage()
{
    if (CanShowNextPage())
        ShowPage(m_iPageStart + Detail::kYearPickerPageSize);
}

void CCalendarYearWidget::ShowPage(int pageStart)
{
    // Keep the page on the allowed years so that the arrows cannot lead into an empty page.
    const int low = Detail::YearPageStart(m_iMinimumYear);
    const int high = Detail::YearPageStart(m_iMaximumYear);
    pageStart = qBound(low, Detail::YearPageStart(pageStart), high);
    const bool changed = pageStart != m_iPageStart;
    m_iPageStart = pageStart;
    ptr_years_label_->setText(
        QStringLiteral("%1 - %2").arg(pageStart).arg(pageStart + Detail::kYearPickerPageSize - 1));
    ptr_prev_years_button_->setEnabled(CanShowPreviousPage());
    ptr_next_years_button_->setEnabled(CanShowNextPage());
    update();
    if (changed)
        Q_EMIT SignalPageChanged(pageStart);
}

bool CCalendarYearWidget::IsYearEnabled(int year) const
{
    return year >= m_iMinimumYear && year <= m_iMaximumYear && QDate(year, 1, 1).isValid();
}

QRect CCalendarYearWidget::GridRect() const
{
    return QRect(0, kBarHeight, width(), qMax(0, height() - kBarHeight));
}

QRect CCalendarYearWidget::GetYearRect(int year) const
{
    const qint64 offset = qint64(year) - m_iPageStart;
    if (offset < 0 || offset >= Detail::kYearPickerPageSize)
        return {};
    const int row = int(offset) / Detail::kYearPickerColumns;
    const int column = int(offset) % Detail::kYearPickerColumns;
    const QRect grid = GridRect();
    const QVector<int> widths = Detail::SplitLength(grid.width(), Detail::kYearPickerColumns);
    const QVector<int> heights = Detail::SplitLength(grid.height(), Detail::kYearPickerRows);
    int x = grid.left();
    for (int i = 0; i < column; ++i)
        x += widths.at(i);
    int y = grid.top();
    for (int i = 0; i < row; ++i)
        y += heights.at(i);
    const QRect cell(x, y, widths.at(column), heights.at(row));
    return isRightToLeft() ? Detail::MirroredRect(cell, width()) : cell;
}

int CCalendarYearWidget::YearAt(const QPoint& pos) const
{
    if (!GridRect().contains(pos))
        return 0;
    for (int i = 0; i < Detail::kYearPickerPageSize; ++i) {
        const int year = m_iPageStart + i;
        if (GetYearRect(year).contains(pos))
            return year;
    }
    return 0;
}

void CCalendarYearWidget::paintEvent(QPaintEvent* event)
{
    CFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(12);
    painter.setFont(font);
    for (int i = 0; i < Detail::kYearPickerPageSize; ++i) {
        const int year = m_iPageStart + i;
        const QRect cell = GetYearRect(year);
        const QRect inner = cell.adjusted(3, 3, -3, -3);
        const QString text = QString::number(year);
        if (!IsYearEnabled(year)) {
            painter.setOpacity(Detail::kCalendarDimmedOpacity);
            painter.setPen(Qt::black);
            painter.drawText(cell, Qt::AlignCenter, text);
            painter.setOpacity(1.0);
            continue;
        }
        QColor textColor = Detail::CalendarTextColor();
        if (year == m_iHoverYear) {
            painter.fillRect(inner, Detail::CalendarAccentColor());
            painter.fillRect(inner.adjusted(1, 1, -1, -1), Qt::white);
            textColor = Detail::CalendarAccentColor();
        }
        if (year == m_iCurrentYear) {
            painter.fillRect(inner, Detail::CalendarAccentColor());
            textColor = Qt::white;
        }
        painter.setPen(textColor);
        painter.drawText(cell, Qt::AlignCenter, text);
    }
}

void CCalendarYearWidget::mouseMoveEvent(QMouseEvent* event)
{
    const int year = YearAt(event->pos());
    if (year == m_iHoverYear)
        return;
    m_iHoverYear = year;
    update();
}

void CCalendarYearWidget::mousePressEvent(QMouseEvent* event)
{
    // Presses must not fall through to the overlay under the picker, which closes it.
    event->accept();
}

void CCalendarYearWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int year = YearAt(event->pos());
    m_dateSelected = IsYearEnabled(year) ? QDate(year, 1, 1) : QDate();
    Q_EMIT SignalSelectionChanged();
}

void CCalendarYearWidget::leaveEvent(QEvent* event)
{
    CFrame::leaveEvent(event);
    if (m_iHoverYear != 0) {
        m_iHoverYear = 0;
        update();
    }
}

void CCalendarYearWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta > 0)
        OnShowPreviousPage();
    else if (delta < 0)
        OnShowNextPage();
    event->accept();
}

void CCalendarYearWidget::resizeEvent(QResizeEvent* event)
{
    CFrame::resizeEvent(event);
    Relayout();
}

void CCalendarYearWidget::Relayout()
{
    const int top = qMax(0, (kBarHeight - kArrowSide) / 2);
    QRect previous(4, top, kArrowSide, kArrowSide);
    QRect next(width() - 4 - kArrowSide, top, kArrowSide, kArrowSide);
    if (isRightToLeft()) {
        previous = Detail::MirroredRect(previous, width());
        next = Detail::MirroredRect(next, width());
    }
    ptr_prev_years_button_->setGeometry(previous);
    ptr_next_years_button_->setGeometry(next);
    ptr_years_label_->setGeometry(kArrowSide + 8, 0, qMax(0, width() - 2 * (kArrowSide + 8)),
                                  kBarHeight);
}

} // namespace TesselGUIToolkit
