#include "Calendar/CalendarDelegate.h"
#include "Calendar/CalendarModel.h"
#include "Calendar/CalendarMonthWidget.h"
#include "Calendar/CalendarView.h"
#include "Calendar/CalendarWidget.h"
#include "Calendar/CalendarYearWidget.h"
#include "Core/ArbaricSetting.h"
#include "Core/Toolkit.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {
const QColor kAccent(245, 62, 67);
const QColor kMark(0, 160, 80);

QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::magenta); // whatever stays magenta was never painted
    widget.render(&image);
    return image;
}

bool Near(const QColor& a, const QColor& b, int tolerance = 3)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

QByteArray Describe(const QColor& color)
{
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .toLatin1();
}

#define COMPARE_COLOR(actual, expected)                                                            \
    QVERIFY2(Near((actual), (expected)), Describe(actual) + " is not " + Describe(expected))

// Darkest grey in a rectangle: where the text's ink is fully covered.
int DarkestGray(const QImage& image, const QRect& rect)
{
    int darkest = 256;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

bool HasPixelNear(const QImage& image, const QRect& rect, const QColor& color, int tolerance)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (Near(image.pixelColor(x, y), color, tolerance))
                return true;
    return false;
}

QWidget* Viewport(CCalendarWidget& calendar)
{
    return calendar.GetView()->viewport();
}

// Cell of a date in viewport coordinates.
QRect CellRect(CCalendarWidget& calendar, const QDate& date)
{
    return calendar.GetView()->visualRect(calendar.GetModel()->IndexForDate(date));
}

// Cell of a date in the calendar's own coordinates (for rendered images).
QRect CellInCalendar(CCalendarWidget& calendar, const QDate& date)
{
    return CellRect(calendar, date).translated(Viewport(calendar)->mapTo(&calendar, QPoint(0, 0)));
}

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void ClickDate(CCalendarWidget& calendar, const QDate& date)
{
    const QRect cell = CellRect(calendar, date);
    QVERIFY2(cell.isValid(), qPrintable(date.toString(Qt::ISODate)));
    QTest::mouseClick(Viewport(calendar), Qt::LeftButton, Qt::NoModifier, cell.center());
}

template <typename T> T* Part(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QLatin1String(name));
}

// A shown calendar on September 2024 (the 1st is a Sunday), weeks from Monday, the 10th selected.
void ShowSeptember(CCalendarWidget& calendar)
{
    calendar.SetFirstDayOfWeek(Qt::Monday);
    calendar.SetSelectedDate(QDate(2024, 9, 10));
    calendar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calendar));
    QCOMPARE(calendar.GetYearShown(), 2024);
    QCOMPARE(calendar.GetMonthShown(), 9);
}
} // namespace

class tst_Calendar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        InitGuiLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        qRegisterMetaType<QDate>();
    }

    void cleanup() { ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight); }

    void buildsItsParts()
    {
        CCalendarWidget calendar;
        QCOMPARE(calendar.size(), QSize(232, 202));
        QVERIFY(Part<QPushButton>(calendar, "m_pPrevMonth_Arbaric"));
        QVERIFY(Part<QPushButton>(calendar, "m_pNextMonth_Arbaric"));
        QVERIFY(Part<QPushButton>(calendar, "ptr_month_button_"));
        QVERIFY(Part<QPushButton>(calendar, "ptr_year_button_"));
        QVERIFY(Part<CCalendarView>(calendar, "ptr_calendar_view_"));
        QVERIFY(qobject_cast<CCalendarDelegate*>(calendar.GetView()->itemDelegate()));
        QCOMPARE(calendar.GetView()->model(), calendar.GetModel());
        QLabel* triangle = Part<QLabel>(calendar, "ptr_triangle_label_");
        QVERIFY(triangle);
        QCOMPARE(triangle->styleSheet(), QStringLiteral("background: transparent; border: none;"));
        const QDate today = QDate::currentDate();
        QCOMPARE(calendar.GetSelectedDate(), today);
        QCOMPARE(calendar.GetYearShown(), today.year());
        QCOMPARE(calendar.GetMonthShown(), today.month());
        QCOMPARE(calendar.GetSelectionMode(), CCalendarWidget::SingleSelection);
        QVERIFY(calendar.GetModel()->IsConsistent());
        QCOMPARE(calendar.property("selectionMode").value<CCalendarWidget::SelectionMode>(),
                 CCalendarWidget::SingleSelection);
        QVERIFY(calendar.setProperty("firstDayOfWeek", QVariant::fromValue(Qt::Sunday)));
        QCOMPARE(calendar.GetFirstDayOfWeek(), Qt::Sunday);
    }

    void titleShowsMonthAndYear()
    {
        CCalendarWidget calendar;
        calendar.SetCurrentYearMonth(2024, 9);
        QCOMPARE(Part<QPushButton>(calendar, "ptr_month_button_")->text(), QStringLiteral("Sep"));
        QCOMPARE(Part<QPushButton>(calendar, "ptr_year_button_")->text(), QStringLiteral("2024"));
        QCOMPARE(calendar.GetCurrentSelMonthName(), QStringLiteral("Sep"));
        QCOMPARE(calendar.GetMonthLabelRect(),
                 Part<QPushButton>(calendar, "ptr_month_button_")->geometry());
    }

    // ---- the model ------------------------------------------------------------------------

    void modelCells()
    {
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        CCalendarModel* model = calendar.GetModel();
        QCOMPARE(model->rowCount(), 7);
        QCOMPARE(model->columnCount(), 7);
        QCOMPARE(model->GetFirstRow(), 1);
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("Mon"));
        QCOMPARE(model->data(model->index(0, 6)).toString(), QStringLiteral("Sun"));
        QCOMPARE(model->data(model->index(1, 0)).toString(), QStringLiteral("26")); // 26 August
        QCOMPARE(model->data(model->index(1, 6)).toString(), QStringLiteral("1"));
        QCOMPARE(model->data(model->index(3, 3), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
        QCOMPARE(model->DateForCell(6, 6), QDate(2024, 10, 6));
        QVERIFY(!model->DateForCell(0, 0).isValid());
        QVERIFY(!model->DateForCell(7, 0).isValid());
        QVERIFY(!model->DateForCell(-1, -1).isValid());
        QVERIFY(!model->data(model->index(99, 99)).isValid());

        calendar.SetOtherDayShown(false);
        QCOMPARE(model->data(model->index(1, 0)).toString(), QString());
        QVERIFY(!model->IndexForDate(QDate(2024, 8, 26)).isValid());
        QCOMPARE(model->flags(model->index(1, 0)), Qt::NoItemFlags);
    }

    void modelFlagsFollowTheRange()
    {
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        calendar.SetDateRange(QDate(2024, 9, 5), QDate(2024, 9, 25));
        CCalendarModel* model = calendar.GetModel();
        QCOMPARE(model->flags(model->IndexForDate(QDate(2024, 9, 4))), Qt::NoItemFlags);
        QCOMPARE(model->flags(model->IndexForDate(QDate(2024, 9, 26))), Qt::NoItemFlags);
        QVERIFY(model->flags(model->IndexForDate(QDate(2024, 9, 5))) & Qt::ItemIsEnabled);
        QVERIFY(model->flags(model->IndexForDate(QDate(2024, 9, 25))) & Qt::ItemIsSelectable);
        QVERIFY(model->flags(model->index(0, 2)) & Qt::ItemIsEnabled); // header keeps defaults
    }

    void modelRolesFromTextFormats()
    {
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        QTextCharFormat holiday;
        holiday.setToolTip(QStringLiteral("Holiday"));
        holiday.setForeground(Qt::blue);
        calendar.SetDateTextFormat(QDate(2024, 9, 16), holiday);
        QTextCharFormat weekend;
        weekend.setBackground(Qt::yellow);
        calendar.SetWeekdayTextFormat(Qt::Sunday, weekend);
        CCalendarModel* model = calendar.GetModel();
        const QModelIndex day = model->IndexForDate(QDate(2024, 9, 16));
        QCOMPARE(model->data(day, Qt::ToolTipRole).toString(), QStringLiteral("Holiday"));
        QCOMPARE(model->data(day, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::blue));
        const QModelIndex sunday = model->IndexForDate(QDate(2024, 9, 15));
        QCOMPARE(model->data(sunday, Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::yellow));
        QVERIFY(!model->data(model->IndexForDate(QDate(2024, 9, 17)), Qt::ToolTipRole).isValid());
        QCOMPARE(calendar.GetDateTextFormat().size(), 1);
        calendar.SetDateTextFormat(QDate(), QTextCharFormat()); // clears every date
        QVERIFY(calendar.GetDateTextFormat().isEmpty());
        QVERIFY(!model->data(day, Qt::ToolTipRole).isValid());
    }

    void headerFormats_data()
    {
        QTest::addColumn<struCalendarData::HorizontalHeaderFormat>("format");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("monday");
        QTest::newRow("single letter") << struCalendarData::SingleLetterDayNames << 7 << "M";
        QTest::newRow("short") << struCalendarData::ShortDayNames << 7 << "Mon";
        QTest::newRow("long") << struCalendarData::LongDayNames << 7 << "Monday";
        QTest::newRow("none") << struCalendarData::NoHorizontalHeader << 6 << "26";
    }
    void headerFormats()
    {
        QFETCH(struCalendarData::HorizontalHeaderFormat, format);
        QFETCH(int, rows);
        QFETCH(QString, monday);
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        calendar.SetHorizontalHeaderFormat(format);
        QCOMPARE(calendar.GetHorizontalHeaderFormat(), format);
        CCalendarModel* model = calendar.GetModel();
        QCOMPARE(model->rowCount(), rows);
        QCOMPARE(model->data(model->index(0, 0)).toString(), monday);
        QVERIFY(model->IsConsistent());
        // the grid re-lays out: the rows still fill the view exactly
        const CCalendarView* view = calendar.GetView();
        const int last = rows - 1;
        const int bottom = view->rowViewportPosition(last) + view->rowHeight(last);
        QVERIFY(bottom <= view->viewport()->height());
        QVERIFY(bottom >= view->viewport()->height() - 5);
    }

    void firstDayOfWeek_data()
    {
        QTest::addColumn<Qt::DayOfWeek>("firstDay");
        QTest::addColumn<QString>("firstHeader");
        QTest::addColumn<QDate>("topLeft");
        QTest::newRow("monday") << Qt::Monday << "Mon" << QDate(2024, 8, 26);
        QTest::newRow("sunday") << Qt::Sunday << "Sun" << QDate(2024, 9, 1);
        QTest::newRow("saturday") << Qt::Saturday << "Sat" << QDate(2024, 8, 31);
    }
    void firstDayOfWeek()
    {
        QFETCH(Qt::DayOfWeek, firstDay);
        QFETCH(QString, firstHeader);
        QFETCH(QDate, topLeft);
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        calendar.SetFirstDayOfWeek(firstDay);
        QCOMPARE(calendar.GetFirstDayOfWeek(), firstDay);
        CCalendarModel* model = calendar.GetModel();
        QCOMPARE(model->data(model->index(0, 0)).toString(), firstHeader);
        QCOMPARE(model->DateForCell(1, 0), topLeft);
        calendar.SetFirstDayOfWeek(Qt::DayOfWeek(0)); // not a weekday: ignored
        QCOMPARE(calendar.GetFirstDayOfWeek(), firstDay);
    }

    // ---- clicking days ----------------------------------------------------------------------

    void clickDay_data()
    {
        QTest::addColumn<CCalendarWidget::SelectionMode>("mode");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDate>("minimum");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("selectionChanged");
        QTest::addColumn<QDate>("selectedAfter");
        QTest::addColumn<int>("monthAfter");
        const auto single = CCalendarWidget::SingleSelection;
        const QDate early(2024, 8, 1);
        QTest::newRow("day of the month")
            << single << QDate(2024, 9, 18) << early << 1 << 1 << QDate(2024, 9, 18) << 9;
        QTest::newRow("day of the previous month")
            << single << QDate(2024, 8, 28) << early << 1 << 1 << QDate(2024, 8, 28) << 8;
        QTest::newRow("day of the next month")
            << single << QDate(2024, 10, 3) << early << 1 << 1 << QDate(2024, 10, 3) << 10;
        QTest::newRow("selected day again")
            << single << QDate(2024, 9, 10) << early << 1 << 0 << QDate(2024, 9, 10) << 9;
        QTest::newRow("day before the minimum") << single << QDate(2024, 9, 3) << QDate(2024, 9, 5)
                                                << 0 << 0 << QDate(2024, 9, 10) << 9;
        QTest::newRow("no selection") << CCalendarWidget::NoSelection << QDate(2024, 9, 18) << early
                                      << 1 << 0 << QDate(2024, 9, 10) << 9;
        QTest::newRow("multi-selection") << CCalendarWidget::MultiSelection << QDate(2024, 9, 18)
                                         << early << 1 << 1 << QDate(2024, 9, 18) << 9;
    }
    void clickDay()
    {
        QFETCH(CCalendarWidget::SelectionMode, mode);
        QFETCH(QDate, day);
        QFETCH(QDate, minimum);
        QFETCH(int, clicked);
        QFETCH(int, selectionChanged);
        QFETCH(QDate, selectedAfter);
        QFETCH(int, monthAfter);
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        calendar.SetDateRange(minimum, QDate(2024, 10, 31));
        calendar.SetSelectionMode(mode);
        QSignalSpy clickedSpy(&calendar, &CCalendarWidget::SignalClicked);
        QSignalSpy selectionSpy(&calendar, &CCalendarWidget::SignalSelectionChanged);
        QSignalSpy rangeSpy(&calendar, &CCalendarWidget::SignalDateChanged);
        ClickDate(calendar, day);
        QCOMPARE(clickedSpy.count(), clicked);
        if (clicked)
            QCOMPARE(clickedSpy.at(0).at(0).toDate(), day);
        QCOMPARE(selectionSpy.count(), selectionChanged);
        QCOMPARE(calendar.GetSelectedDate(), selectedAfter);
        QCOMPARE(calendar.GetMonthShown(), monthAfter);
        if (mode != CCalendarWidget::NoSelection && clicked) {
            QCOMPARE(rangeSpy.count(), 1);
            QCOMPARE(rangeSpy.at(0).at(0).toDate(), day);
            QCOMPARE(rangeSpy.at(0).at(1).toDate(), day);
        } else {
            QCOMPARE(rangeSpy.count(), 0);
        }
        QVERIFY(calendar.GetModel()->IsConsistent());
    }

    void hiddenNeighbourDayIsNotClickable()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QPoint where = CellRect(calendar, QDate(2024, 8, 28)).center();
        calendar.SetOtherDayShown(false);
        QSignalSpy clickedSpy(&calendar, &CCalendarWidget::SignalClicked);
        QTest::mouseClick(Viewport(calendar), Qt::LeftButton, Qt::NoModifier, where);
        QCOMPARE(clickedSpy.count(), 0);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 10));
        QCOMPARE(calendar.GetMonthShown(), 9);
    }

    void clickForwardsChangeDate()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QSignalSpy changeSpy(&calendar, &CCalendarWidget::SignalChangeDate);
        ClickDate(calendar, QDate(2024, 9, 20));
        QCOMPARE(changeSpy.count(), 1);
        QCOMPARE(changeSpy.at(0).at(0).toDate(), QDate(2024, 9, 20));
        QCOMPARE(changeSpy.at(0).at(1).toBool(), false);
    }

    void dragSelectsRange_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QDate>("begin");
        QTest::addColumn<QDate>("end");
        QTest::newRow("forward") << QDate(2024, 9, 10) << QDate(2024, 9, 20) << QDate(2024, 9, 10)
                                 << QDate(2024, 9, 20);
        QTest::newRow("backward") << QDate(2024, 9, 20) << QDate(2024, 9, 12) << QDate(2024, 9, 12)
                                  << QDate(2024, 9, 20);
        QTest::newRow("over weeks")
            << QDate(2024, 9, 2) << QDate(2024, 9, 29) << QDate(2024, 9, 2) << QDate(2024, 9, 29);
    }
    void dragSelectsRange()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QDate, begin);
        QFETCH(QDate, end);
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        calendar.SetSelectionMode(CCalendarWidget::MultiSelection);
        QSignalSpy rangeSpy(&calendar, &CCalendarWidget::SignalDateChanged);
        QSignalSpy clickedSpy(&calendar, &CCalendarWidget::SignalClicked);
        QWidget* viewport = Viewport(calendar);
        const QPoint start = CellRect(calendar, from).center();
        const QPoint middle = CellRect(calendar, from.addDays(1)).center();
        const QPoint stop = CellRect(calendar, to).center();
        SendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        SendMouse(viewport, QEvent::MouseMove, middle, Qt::NoButton, Qt::LeftButton);
        SendMouse(viewport, QEvent::MouseMove, stop, Qt::NoButton, Qt::LeftButton);
        SendMouse(viewport, QEvent::MouseButtonRelease, stop, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(rangeSpy.count(), 1);
        QCOMPARE(rangeSpy.at(0).at(0).toDate(), begin);
        QCOMPARE(rangeSpy.at(0).at(1).toDate(), end);
        QCOMPARE(clickedSpy.count(), 1);
        QCOMPARE(clickedSpy.at(0).at(0).toDate(), to);
        QDate selectedBegin;
        QDate selectedEnd;
        calendar.GetSelectedDate(selectedBegin, selectedEnd);
        QCOMPARE(selectedBegin, begin);
        QCOMPARE(selectedEnd, end);
        QCOMPARE(calendar.GetSelectedDate(), from);
        QVERIFY(calendar.GetModel()->IsConsistent());

        // every day of the range is painted selected, the days around it are not
        const QImage image = Render(calendar);
        for (const QDate& day : {begin, begin.addDays(begin.daysTo(end) / 2), end}) {
            const QRect cell = CellInCalendar(calendar, day);
            COMPARE_COLOR(image.pixelColor(cell.left() + 3, cell.bottom() - 1), kAccent);
        }
        const QRect outside = CellInCalendar(calendar, end.addDays(1));
        COMPARE_COLOR(image.pixelColor(outside.left() + 3, outside.bottom() - 1),
                      QColor(Qt::white));
    }

    void enterReported()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QSignalSpy enterSpy(&calendar, &CCalendarWidget::SignalEnterCalendar);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(Viewport(calendar), &enter);
        QCOMPARE(enterSpy.count(), 1);
    }

    void keysMoveSelectionAndPage()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QTest::keyClick(calendar.GetView(), Qt::Key_Right);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 11));
        QTest::keyClick(calendar.GetView(), Qt::Key_Down);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 18));
        QTest::keyClick(calendar.GetView(), Qt::Key_PageDown);
        QCOMPARE(calendar.GetMonthShown(), 10);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 18)); // pages leave the selection
    }

    void wheelTurnsPages()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QPoint pos = CellRect(calendar, QDate(2024, 9, 18)).center();
        QWheelEvent down(pos, Viewport(calendar)->mapToGlobal(pos), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Viewport(calendar), &down);
        QCOMPARE(calendar.GetMonthShown(), 10);
    }

    // ---- pages, range and selection -------------------------------------------------------

    void pageMoves_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("move");
        QTest::addColumn<int>("expectedYear");
        QTest::addColumn<int>("expectedMonth");
        QTest::newRow("next month over new year") << 2024 << 12 << "nextMonth" << 2025 << 1;
        QTest::newRow("previous month over new year") << 2025 << 1 << "previousMonth" << 2024 << 12;
        QTest::newRow("next month") << 2024 << 5 << "nextMonth" << 2024 << 6;
        QTest::newRow("next year") << 2024 << 2 << "nextYear" << 2025 << 2;
        QTest::newRow("previous year") << 2024 << 2 << "previousYear" << 2023 << 2;
        QTest::newRow("next year stops at the maximum") << 2105 << 6 << "nextYear" << 2105 << 12;
        QTest::newRow("previous year stops at the minimum")
            << 1970 << 6 << "previousYear" << 1970 << 1;
    }
    void pageMoves()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QString, move);
        QFETCH(int, expectedYear);
        QFETCH(int, expectedMonth);
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        calendar.SetCurrentYearMonth(year, month);
        QSignalSpy pageSpy(&calendar, &CCalendarWidget::SignalYearMonthChanged);
        if (move == QLatin1String("nextMonth"))
            calendar.ShowNextMonth();
        else if (move == QLatin1String("previousMonth"))
            calendar.ShowPreviousMonth();
        else if (move == QLatin1String("nextYear"))
            calendar.ShowNextYear();
        else
            calendar.ShowPreviousYear();
        QCOMPARE(calendar.GetYearShown(), expectedYear);
        QCOMPARE(calendar.GetMonthShown(), expectedMonth);
        QCOMPARE(pageSpy.count(), 1);
        QCOMPARE(pageSpy.at(0).at(0).toInt(), expectedYear);
        QCOMPARE(pageSpy.at(0).at(1).toInt(), expectedMonth);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 10)); // pages leave the selection
        QVERIFY(calendar.GetModel()->IsConsistent());
    }

    void buttonStatesAtLimits_data()
    {
        QTest::addColumn<QDate>("minimum");
        QTest::addColumn<QDate>("maximum");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        const QDate low(2024, 3, 15);
        const QDate high(2024, 11, 2);
        QTest::newRow("first page") << low << high << 3 << false << true;
        QTest::newRow("middle page") << low << high << 6 << true << true;
        QTest::newRow("maximum in the shown month") << low << high << 11 << true << false;
        QTest::newRow("one-month range")
            << QDate(2024, 6, 1) << QDate(2024, 6, 30) << 6 << false << false;
    }
    void buttonStatesAtLimits()
    {
        QFETCH(QDate, minimum);
        QFETCH(QDate, maximum);
        QFETCH(int, month);
        QFETCH(bool, previous);
        QFETCH(bool, next);
        CCalendarWidget calendar;
        calendar.SetDateRange(minimum, maximum);
        calendar.SetCurrentYearMonth(2024, month);
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QPushButton* prevButton = Part<QPushButton>(calendar, "m_pPrevMonth_Arbaric");
        QPushButton* nextButton = Part<QPushButton>(calendar, "m_pNextMonth_Arbaric");
        QCOMPARE(prevButton->isEnabled(), previous);
        QCOMPARE(nextButton->isEnabled(), next);
        // a disabled arrow does nothing; an enabled one turns the page by one month
        QSignalSpy pageSpy(&calendar, &CCalendarWidget::SignalYearMonthChanged);
        QTest::mouseClick(nextButton, Qt::LeftButton);
        QCOMPARE(calendar.GetMonthShown(), next ? month + 1 : month);
        QCOMPARE(pageSpy.count(), next ? 1 : 0);
        calendar.SetCurrentYearMonth(2024, month);
        pageSpy.clear();
        QTest::mouseClick(prevButton, Qt::LeftButton);
        QCOMPARE(calendar.GetMonthShown(), previous ? month - 1 : month);
        QCOMPARE(pageSpy.count(), previous ? 1 : 0);
    }

    void badPages_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("expectedYear");
        QTest::addColumn<int>("expectedMonth");
        QTest::newRow("month 13") << 2024 << 13 << 2024 << 9;
        QTest::newRow("month 0") << 2024 << 0 << 2024 << 9;
        QTest::newRow("month -1") << 2024 << -1 << 2024 << 9;
        QTest::newRow("year 0") << 0 << 5 << 2024 << 9;
        QTest::newRow("far future") << 100000 << 1 << 2105 << 12;
        QTest::newRow("far past") << -4000 << 1 << 1970 << 1;
    }
    void badPages()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, expectedYear);
        QFETCH(int, expectedMonth);
        CCalendarWidget calendar;
        calendar.SetCurrentYearMonth(2024, 9);
        calendar.SetCurrentYearMonth(year, month);
        QCOMPARE(calendar.GetYearShown(), expectedYear);
        QCOMPARE(calendar.GetMonthShown(), expectedMonth);
        QVERIFY(calendar.GetModel()->IsConsistent());
    }

    void monthAndYearTexts_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("expectedYear");
        QTest::addColumn<int>("expectedMonth");
        QTest::newRow("number") << "3"
                                << "" << 2024 << 3;
        QTest::newRow("long name") << "July"
                                   << "" << 2024 << 7;
        QTest::newRow("short name any case") << "dec"
                                             << "" << 2024 << 12;
        QTest::newRow("year") << ""
                              << "2030" << 2030 << 9;
        QTest::newRow("garbage") << "Julember"
                                 << "20x0" << 2024 << 9;
        QTest::newRow("out of range number") << "13"
                                             << "-" << 2024 << 9;
    }
    void monthAndYearTexts()
    {
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(int, expectedYear);
        QFETCH(int, expectedMonth);
        CCalendarWidget calendar;
        calendar.SetCurrentYearMonth(2024, 9);
        calendar.OnMonthChanged(month);
        calendar.OnYearChanged(year);
        QCOMPARE(calendar.GetYearShown(), expectedYear);
        QCOMPARE(calendar.GetMonthShown(), expectedMonth);
    }

    void dateRange_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("second");
        QTest::addColumn<QDate>("minimum");
        QTest::addColumn<QDate>("maximum");
        QTest::addColumn<QDate>("selected");
        QTest::addColumn<int>("selectionChanged");
        const QDate d1(2024, 10, 5);
        const QDate d2(2024, 12, 31);
        QTest::newRow("ordered") << d1 << d2 << d1 << d2 << d1 << 1;
        QTest::newRow("reversed") << d2 << d1 << d1 << d2 << d1 << 1;
        QTest::newRow("holds the selection")
            << QDate(2024, 9, 1) << d2 << QDate(2024, 9, 1) << d2 << QDate(2024, 9, 10) << 0;
        QTest::newRow("before the selection")
            << QDate(2020, 1, 1) << QDate(2020, 2, 1) << QDate(2020, 1, 1) << QDate(2020, 2, 1)
            << QDate(2020, 2, 1) << 1;
        QTest::newRow("far apart") << QDate(1, 1, 1) << QDate(9999, 12, 31) << QDate(1, 1, 1)
                                   << QDate(9999, 12, 31) << QDate(2024, 9, 10) << 0;
        QTest::newRow("invalid minimum")
            << QDate() << d2 << QDate(1970, 1, 1) << QDate(2105, 12, 31) << QDate(2024, 9, 10) << 0;
        QTest::newRow("invalid maximum") << d1 << QDate(2024, 2, 30) << QDate(1970, 1, 1)
                                         << QDate(2105, 12, 31) << QDate(2024, 9, 10) << 0;
        QTest::newRow("unchanged") << QDate(1970, 1, 1) << QDate(2105, 12, 31) << QDate(1970, 1, 1)
                                   << QDate(2105, 12, 31) << QDate(2024, 9, 10) << 0;
    }
    void dateRange()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, second);
        QFETCH(QDate, minimum);
        QFETCH(QDate, maximum);
        QFETCH(QDate, selected);
        QFETCH(int, selectionChanged);
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        QSignalSpy selectionSpy(&calendar, &CCalendarWidget::SignalSelectionChanged);
        calendar.SetDateRange(first, second);
        QCOMPARE(calendar.GetMinimumDate(), minimum);
        QCOMPARE(calendar.GetMaximumDate(), maximum);
        QCOMPARE(calendar.GetSelectedDate(), selected);
        QCOMPARE(selectionSpy.count(), selectionChanged);
        QCOMPARE(calendar.GetYearShown(), selected.year());
        QCOMPARE(calendar.GetMonthShown(), selected.month());
        QVERIFY(calendar.GetModel()->IsConsistent());
    }

    void rangeMovesAPageOutsideIt()
    {
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 11, 20));
        calendar.SetCurrentYearMonth(2024, 2);
        QSignalSpy pageSpy(&calendar, &CCalendarWidget::SignalYearMonthChanged);
        calendar.SetDateRange(QDate(2024, 6, 1), QDate(2024, 12, 31));
        QCOMPARE(calendar.GetMonthShown(), 6);
        QCOMPARE(pageSpy.count(), 1);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 11, 20));
    }

    void minimumAndMaximumPushEachOther()
    {
        CCalendarWidget calendar;
        calendar.SetDateRange(QDate(2024, 1, 1), QDate(2024, 6, 30));
        calendar.SetMinimumDate(QDate(2024, 8, 1));
        QCOMPARE(calendar.GetMinimumDate(), QDate(2024, 8, 1));
        QCOMPARE(calendar.GetMaximumDate(), QDate(2024, 8, 1));
        calendar.SetMaximumDate(QDate(2023, 2, 1));
        QCOMPARE(calendar.GetMinimumDate(), QDate(2023, 2, 1));
        QCOMPARE(calendar.GetMaximumDate(), QDate(2023, 2, 1));
        calendar.SetMaximumDate(QDate());
        QCOMPARE(calendar.GetMaximumDate(), QDate(2023, 2, 1));
        QCOMPARE(calendar.GetSelectedDate(), QDate(2023, 2, 1));
        QVERIFY(calendar.GetModel()->IsConsistent());
    }

    void selectDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QDate>("selected");
        QTest::addColumn<int>("selectionChanged");
        QTest::addColumn<int>("pageChanged");
        QTest::newRow("same page") << QDate(2024, 9, 20) << QDate(2024, 9, 20) << 1 << 0;
        QTest::newRow("other page") << QDate(2025, 2, 3) << QDate(2025, 2, 3) << 1 << 1;
        QTest::newRow("current date") << QDate(2024, 9, 10) << QDate(2024, 9, 10) << 0 << 0;
        QTest::newRow("invalid") << QDate() << QDate(2024, 9, 10) << 0 << 0;
        QTest::newRow("30 February") << QDate(2024, 2, 30) << QDate(2024, 9, 10) << 0 << 0;
        QTest::newRow("far past") << QDate(1, 1, 1) << QDate(1970, 1, 1) << 1 << 1;
        QTest::newRow("far future") << QDate(9999, 12, 31) << QDate(2105, 12, 31) << 1 << 1;
    }
    void selectDate()
    {
        QFETCH(QDate, date);
        QFETCH(QDate, selected);
        QFETCH(int, selectionChanged);
        QFETCH(int, pageChanged);
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        QSignalSpy selectionSpy(&calendar, &CCalendarWidget::SignalSelectionChanged);
        QSignalSpy pageSpy(&calendar, &CCalendarWidget::SignalYearMonthChanged);
        calendar.SetSelectedDate(date);
        QCOMPARE(calendar.GetSelectedDate(), selected);
        QCOMPARE(selectionSpy.count(), selectionChanged);
        QCOMPARE(pageSpy.count(), pageChanged);
        QCOMPARE(calendar.GetYearShown(), selected.year());
        QCOMPARE(calendar.GetMonthShown(), selected.month());
        QDate begin;
        QDate end;
        calendar.GetSelectedDate(begin, end);
        QCOMPARE(begin, selected);
        QCOMPARE(end, selected);
    }

    void selectDateWithRange()
    {
        CCalendarWidget calendar;
        calendar.SetSelectedDate(QDate(2024, 9, 10));
        QSignalSpy selectionSpy(&calendar, &CCalendarWidget::SignalSelectionChanged);
        calendar.SetSelectedDate(QDate(2024, 9, 25), QDate(2024, 9, 12), QDate(2024, 9, 12));
        QCOMPARE(selectionSpy.count(), 1);
        QDate begin;
        QDate end;
        calendar.GetSelectedDate(begin, end);
        QCOMPARE(begin, QDate(2024, 9, 12));
        QCOMPARE(end, QDate(2024, 9, 25));
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 12));
        // the date already current: only the title is refreshed
        calendar.SetCurrentYearMonth(2024, 3);
        calendar.SetSelectedDate(QDate(2024, 1, 1), QDate(2024, 1, 5), QDate(2024, 9, 12));
        QCOMPARE(selectionSpy.count(), 1);
        calendar.GetSelectedDate(begin, end);
        QCOMPARE(begin, QDate(2024, 9, 12));
        QCOMPARE(calendar.GetMonthShown(), 3);
    }

    void selectionModeOutOfRangeIgnored()
    {
        CCalendarWidget calendar;
        calendar.SetSelectionMode(CCalendarWidget::MultiSelection);
        calendar.SetSelectionMode(CCalendarWidget::SelectionMode(3));
        QCOMPARE(calendar.GetSelectionMode(), CCalendarWidget::MultiSelection);
    }

    void slotsIgnoreBadInput()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QSignalSpy selectionSpy(&calendar, &CCalendarWidget::SignalSelectionChanged);
        QSignalSpy pageSpy(&calendar, &CCalendarWidget::SignalYearMonthChanged);
        calendar.OnChangeDate(QDate(), true);
        calendar.OnSelectDate(QDate(), QDate(2024, 9, 20));
        calendar.OnSelectDate(QDate(2024, 9, 20), QDate(2024, 2, 31));
        calendar.OnShowDate(QDate());
        calendar.UpdateCurrentPage(QDate());
        calendar.UpdateCell(QDate());
        calendar.UpdateCell(QDate(1999, 1, 1));
        calendar.OnSelectedYear(0);
        QTest::mouseClick(Part<QPushButton>(calendar, "ptr_month_button_"), Qt::LeftButton);
        calendar.OnSelectedMonth(13); // nothing to show, but the picker still closes
        QCOMPARE(calendar.GetOpenPicker(), 0);
        QCOMPARE(selectionSpy.count(), 0);
        QCOMPARE(pageSpy.count(), 0);
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 10));
        QDate begin;
        QDate end;
        calendar.GetSelectedDate(begin, end);
        QCOMPARE(begin, QDate(2024, 9, 10));
        QCOMPARE(end, QDate(2024, 9, 10));
        QVERIFY(calendar.GetModel()->IsConsistent());
        // the multi-selection switch reports a press on the selected day again
        calendar.OnChangeDate(QDate(2024, 9, 10), true);
        QCOMPARE(selectionSpy.count(), 1);
        calendar.OnChangeDate(QDate(2024, 9, 10), false);
        QCOMPARE(selectionSpy.count(), 1);
    }

    // ---- marks and colours ----------------------------------------------------------------

    void marksAndColours()
    {
        CCalendarWidget calendar;
        const QDate day(2024, 9, 12);
        QVERIFY(!calendar.GetColorByTickType(day).isValid()); // empty lists
        QVERIFY(!calendar.GetDayColorByTickType(day).isValid());
        QVERIFY(!calendar.GetBackgroundColorByTickType(day).isValid());
        calendar.SetDayMarkColor(day, Qt::red);
        calendar.SetDayMarkColor(day, Qt::green);
        QCOMPARE(calendar.GetColorByTickType(day), QColor(Qt::green));
        calendar.SetDayColor(day, Qt::blue);
        calendar.SetDayBackgroundColor(day, Qt::yellow);
        calendar.SetDayMarkColor(day, Qt::cyan); // replacing the mark leaves the colours
        QCOMPARE(calendar.GetDayColorByTickType(day), QColor(Qt::blue));
        QCOMPARE(calendar.GetBackgroundColorByTickType(day), QColor(Qt::yellow));
        calendar.RemoveDayMark(day);
        QVERIFY(!calendar.GetColorByTickType(day).isValid());
        QCOMPARE(calendar.GetDayColorByTickType(day), QColor(Qt::blue));
        calendar.RemoveDayMark(QDate(2030, 1, 1)); // never marked
        calendar.RemoveDayMark(QDate());
        calendar.SetDayMarkColor(QDate(), Qt::red);
        QVERIFY(!calendar.GetColorByTickType(QDate()).isValid());
        calendar.SetDayMarkColor(day, Qt::red);
        calendar.SetDayMarkColor(day, QColor()); // an invalid colour removes the mark
        QVERIFY(!calendar.GetColorByTickType(day).isValid());
    }

    void removeAllByColourClearsEveryList()
    {
        CCalendarWidget calendar;
        const QColor colour(10, 20, 30);
        const QDate a(2024, 9, 1);
        const QDate b(2024, 9, 2);
        const QDate c(2024, 9, 3);
        calendar.SetDayMarkColor(a, colour);
        calendar.SetDayColor(b, colour);
        calendar.SetDayBackgroundColor(c, colour);
        calendar.SetDayMarkColor(b, Qt::red);
        calendar.RemoveAllDayMarkByColor(colour);
        QVERIFY(!calendar.GetColorByTickType(a).isValid());
        QVERIFY(!calendar.GetDayColorByTickType(b).isValid());
        QVERIFY(!calendar.GetBackgroundColorByTickType(c).isValid());
        QCOMPARE(calendar.GetColorByTickType(b), QColor(Qt::red));
        calendar.ClearAllDayMark();
        QVERIFY(!calendar.GetColorByTickType(b).isValid());
        calendar.SetDayColor(a, Qt::red);
        calendar.SetDayBackgroundColor(a, Qt::red);
        calendar.ClearAllDayColor();
        QVERIFY(!calendar.GetDayColorByTickType(a).isValid());
        QCOMPARE(calendar.GetBackgroundColorByTickType(a), QColor(Qt::red));
        calendar.ClearAllDayBackgroundColor();
        QVERIFY(!calendar.GetBackgroundColorByTickType(a).isValid());
    }

    void hugeMarkList()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QDate first(1970, 1, 1);
        const int count = 49000; // every day of the default range
        for (int i = 0; i < count; ++i)
            calendar.SetDayMarkColor(first.addDays(i), i % 2 ? kMark : QColor(Qt::blue));
        QCOMPARE(calendar.GetColorByTickType(first.addDays(count - 1)),
                 (count - 1) % 2 ? kMark : QColor(Qt::blue));
        const QImage image = Render(calendar);
        QVERIFY(!image.isNull());
        calendar.RemoveAllDayMarkByColor(Qt::blue);
        QVERIFY(!calendar.GetColorByTickType(first).isValid());
        QCOMPARE(calendar.GetColorByTickType(first.addDays(1)), kMark);
        calendar.ClearAllDayMark();
        QVERIFY(!calendar.GetColorByTickType(first.addDays(1)).isValid());
    }

    // ---- painting ---------------------------------------------------------------------------

    void markTrianglePainted_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("marked day") << false << kMark;
        QTest::newRow("marked selected day") << true << QColor(Qt::white);
    }
    void markTrianglePainted()
    {
        QFETCH(bool, selected);
        QFETCH(QColor, expected);
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QDate day(2024, 9, 18);
        calendar.SetDayMarkColor(day, kMark);
        if (selected)
            calendar.SetSelectedDate(day);
        const QImage image = Render(calendar);
        const QRect cell = CellInCalendar(calendar, day);
        const int side = qMin(cell.width(), cell.height()) / 3;
        // inside the corner triangle
        COMPARE_COLOR(image.pixelColor(cell.right() - 3, cell.top() + 2), expected);
        COMPARE_COLOR(image.pixelColor(cell.right() - 1, cell.top() + side - 3), expected);
        // just below its slanted edge the day's own look shows again
        const QColor under = selected ? kAccent : QColor(Qt::white);
        COMPARE_COLOR(image.pixelColor(cell.right() - side + 3, cell.top() + side - 2), under);
        // an unmarked neighbour has no triangle
        const QRect other = CellInCalendar(calendar, day.addDays(1));
        COMPARE_COLOR(image.pixelColor(other.right() - 3, other.top() + 2), QColor(Qt::white));
    }

    void todayPaintedRedWithDot()
    {
        CCalendarWidget calendar;
        const QDate today = QDate::currentDate();
        calendar.SetSelectedDate(today.addDays(today.day() > 15 ? -10 : 10));
        calendar.SetCurrentYearMonth(today.year(), today.month());
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        const QImage image = Render(calendar);
        const QRect cell = CellInCalendar(calendar, today);
        const int x = cell.left() + cell.width() / 2;
        const int y = cell.top() + 24;
        for (const QPoint& dot :
             {QPoint(x - 1, y), QPoint(x, y), QPoint(x - 1, y + 1), QPoint(x, y + 1)})
            COMPARE_COLOR(image.pixelColor(dot), kAccent);
        COMPARE_COLOR(image.pixelColor(x - 3, y), QColor(Qt::white)); // a 2 x 2 block, no more
        COMPARE_COLOR(image.pixelColor(x + 2, y + 1), QColor(Qt::white));
        QVERIFY(HasPixelNear(image, calendar.GetTextRect(cell), kAccent, 12));
        // any other day of the month has dark grey text and no dot
        const QRect other =
            CellInCalendar(calendar, calendar.GetSelectedDate().addDays(today.day() > 15 ? 1 : -1));
        QVERIFY(HasPixelNear(image, calendar.GetTextRect(other), QColor(51, 51, 51), 12));
        COMPARE_COLOR(image.pixelColor(other.left() + other.width() / 2, other.top() + 24),
                      QColor(Qt::white));
    }

    void selectedTodayHasWhiteDot()
    {
        CCalendarWidget calendar;
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        const QDate today = QDate::currentDate();
        QCOMPARE(calendar.GetSelectedDate(), today);
        const QImage image = Render(calendar);
        const QRect cell = CellInCalendar(calendar, today);
        const int x = cell.left() + cell.width() / 2;
        COMPARE_COLOR(image.pixelColor(x, cell.top() + 24), QColor(Qt::white));
        COMPARE_COLOR(image.pixelColor(x - 5, cell.top() + 24), kAccent);
    }

    void neighbourMonthDaysDimmed()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QImage image = Render(calendar);
        const QRect previous = calendar.GetTextRect(CellInCalendar(calendar, QDate(2024, 8, 28)));
        const QRect own = calendar.GetTextRect(CellInCalendar(calendar, QDate(2024, 9, 28)));
        // black at opacity 0.28 on white is grey 184
        const int dimmed = DarkestGray(image, previous);
        QVERIFY2(qAbs(dimmed - 184) <= 8, QByteArray::number(dimmed));
        const int normal = DarkestGray(image, own);
        QVERIFY2(qAbs(normal - 51) <= 8, QByteArray::number(normal));

        calendar.SetOtherDayShown(false);
        image = Render(calendar);
        QCOMPARE(DarkestGray(image, previous), 255); // no number at all
    }

    void daysOutsideRangeDimmed()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        calendar.SetDateRange(QDate(2024, 9, 5), QDate(2024, 9, 25));
        const QImage image = Render(calendar);
        const int dimmed =
            DarkestGray(image, calendar.GetTextRect(CellInCalendar(calendar, QDate(2024, 9, 28))));
        QVERIFY2(qAbs(dimmed - 184) <= 8, QByteArray::number(dimmed));
    }

    void hoverFramePainted()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QDate day(2024, 9, 18);
        const QRect viewportCell = CellRect(calendar, day);
        SendMouse(Viewport(calendar), QEvent::MouseMove, viewportCell.center(), Qt::NoButton,
                  Qt::NoButton);
        QCOMPARE(calendar.GetView()->GetHoverIndex(), calendar.GetModel()->IndexForDate(day));
        const QImage image = Render(calendar);
        const QRect cell = CellInCalendar(calendar, day);
        const int middle = cell.top() + cell.height() / 2;
        COMPARE_COLOR(image.pixelColor(cell.left() + 2, middle), kAccent); // the frame
        COMPARE_COLOR(image.pixelColor(cell.right() - 2, middle), kAccent);
        COMPARE_COLOR(image.pixelColor(cell.left() + 3, middle), QColor(Qt::white)); // inside it
        COMPARE_COLOR(image.pixelColor(cell.left(), middle), QColor(Qt::white)); // outside it
        QVERIFY(
            HasPixelNear(image, calendar.GetTextRect(cell).adjusted(4, 2, -4, -2), kAccent, 12));

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Viewport(calendar), &leave);
        QVERIFY(!calendar.GetView()->GetHoverIndex().isValid());
    }

    void selectedDayPainted()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QImage image = Render(calendar);
        const QRect cell = CellInCalendar(calendar, QDate(2024, 9, 10));
        COMPARE_COLOR(image.pixelColor(cell.left() + 2, cell.top() + 2), kAccent);
        COMPARE_COLOR(image.pixelColor(cell.left() + 1, cell.top() + 2), QColor(Qt::white));
        QVERIFY(
            HasPixelNear(image, calendar.GetTextRect(cell).adjusted(4, 2, -4, -2), Qt::white, 3));

        calendar.SetSelectionMode(CCalendarWidget::NoSelection);
        const QImage unselected = Render(calendar);
        COMPARE_COLOR(unselected.pixelColor(cell.left() + 2, cell.top() + 2), QColor(Qt::white));
    }

    void weekPixmapsDrawRangeRuns()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        calendar.SetSelectionMode(CCalendarWidget::MultiSelection);
        QPixmap left(8, 8);
        left.fill(Qt::red);
        QPixmap mid(8, 8);
        mid.fill(Qt::green);
        QPixmap right(8, 8);
        right.fill(Qt::blue);
        QVERIFY(calendar.setProperty("m_pixLeftWeek", left));
        calendar.SetMidWeekPixmap(mid);
        calendar.SetRightWeekPixmap(right);
        QCOMPARE(calendar.property("m_pixRightWeek").value<QPixmap>().toImage().pixelColor(0, 0),
                 QColor(Qt::blue));
        // 10 (Tuesday) .. 19 (Thursday of the next week)
        calendar.SetSelectedDate(QDate(2024, 9, 19), QDate(2024, 9, 10), QDate(2024, 9, 11));
        const QImage image = Render(calendar);
        const auto probe = [&](const QDate& day) {
            const QRect cell = CellInCalendar(calendar, day);
            return image.pixelColor(cell.left(), cell.bottom() - 1);
        };
        COMPARE_COLOR(probe(QDate(2024, 9, 10)), QColor(Qt::red)); // run starts
        COMPARE_COLOR(probe(QDate(2024, 9, 12)), QColor(Qt::green)); // middle
        COMPARE_COLOR(probe(QDate(2024, 9, 15)), QColor(Qt::blue)); // Sunday ends the week
        COMPARE_COLOR(probe(QDate(2024, 9, 16)), QColor(Qt::red)); // Monday starts the next
        COMPARE_COLOR(probe(QDate(2024, 9, 19)), QColor(Qt::blue)); // range ends
        COMPARE_COLOR(probe(QDate(2024, 9, 20)), QColor(Qt::white));
    }

    void dayColoursFillTheCell()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QDate backgroundDay(2024, 9, 17);
        const QDate tintedDay(2024, 9, 24);
        calendar.SetDayBackgroundColor(backgroundDay, QColor(0, 0, 200));
        calendar.SetDayColor(tintedDay, QColor(0, 0, 0, 20));
        calendar.SetDayMarkColor(tintedDay, kMark);
        const QImage image = Render(calendar);
        const QRect background = CellInCalendar(calendar, backgroundDay);
        COMPARE_COLOR(image.pixelColor(background.topLeft()), QColor(0, 0, 200));
        COMPARE_COLOR(image.pixelColor(background.center()), QColor(0, 0, 200)); // over the text
        const QRect tinted = CellInCalendar(calendar, tintedDay);
        // black at alpha 20 over white is grey 235, and it lies over the mark too
        COMPARE_COLOR(image.pixelColor(tinted.left(), tinted.bottom()), QColor(235, 235, 235));
        const QColor overMark = image.pixelColor(tinted.right() - 3, tinted.top() + 2);
        COMPARE_COLOR(overMark, QColor(0, 147, 74));
    }

    void headerCellsPainted()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        const QImage image = Render(calendar);
        const QRect header = calendar.GetView()
                                 ->visualRect(calendar.GetModel()->index(0, 2))
                                 .translated(Viewport(calendar)->mapTo(&calendar, QPoint(0, 0)));
        COMPARE_COLOR(image.pixelColor(header.left() + 1, header.top() + 1), QColor(250, 250, 250));
        const int ink = DarkestGray(image, header);
        QVERIFY2(qAbs(ink - 153) <= 8, QByteArray::number(ink));
        // the title row's separator
        COMPARE_COLOR(image.pixelColor(5, calendar.GetTittleFrameHeight()), QColor(229, 229, 229));
    }

    void paintCellIgnoresBadInput()
    {
        CCalendarWidget calendar;
        QImage image(40, 40, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 40, 40);
        calendar.paintCell(nullptr, option, calendar.GetModel()->index(2, 2));
        calendar.paintCell(&painter, option, QModelIndex());
        CCalendarModel foreign;
        calendar.paintCell(&painter, option, foreign.index(2, 2));
        option.rect = QRect();
        calendar.paintCell(&painter, option, calendar.GetModel()->index(2, 2));
        calendar.DrawPoint(nullptr, QRect(0, 0, 10, 10));
        painter.end();
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::white));

        CCalendarDelegate orphan(nullptr);
        QImage other(40, 40, QImage::Format_ARGB32);
        QPainter otherPainter(&other);
        option.rect = QRect(0, 0, 40, 40);
        orphan.paint(&otherPainter, option, calendar.GetModel()->index(2, 2));
        orphan.paint(nullptr, option, calendar.GetModel()->index(2, 2));
    }

    // ---- pickers --------------------------------------------------------------------------

    void monthPickerChoosesMonth()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QSignalSpy labelSpy(&calendar, &CCalendarWidget::SignalMonthLabelClicked);
        QSignalSpy popupSpy(&calendar, &CCalendarWidget::SignalMonthPopup);
        QSignalSpy pageSpy(&calendar, &CCalendarWidget::SignalYearMonthChanged);
        QPushButton* monthButton = Part<QPushButton>(calendar, "ptr_month_button_");
        QTest::mouseClick(monthButton, Qt::LeftButton);
        QCOMPARE(labelSpy.count(), 1);
        QCOMPARE(popupSpy.count(), 1);
        QCOMPARE(calendar.GetOpenPicker(), 1);
        QVERIFY(monthButton->isChecked());
        auto* picker = Part<CCalendarMonthWidget>(calendar, "ptr_month_widget_");
        QVERIFY(picker->isVisible());
        QCOMPARE(picker->GetYear(), 2024);
        QCOMPARE(picker->GetCurrentMonth(), 9);
        QFrame* overlay = Part<QFrame>(calendar, "ptr_overlay_frame_");
        QVERIFY(overlay->isVisible());
        QCOMPARE(overlay->geometry(), QRect(0, 25, 232, 177));
        QCOMPARE(overlay->styleSheet(),
                 QStringLiteral("background-color: rgba(38, 38, 38, 102); border: none;"));
        QLabel* triangle = Part<QLabel>(calendar, "ptr_triangle_label_");
        QVERIFY(triangle->isVisible());
        QCOMPARE(triangle->geometry(), QRect(91, 25, 8, 4));

        // month 7 sits in row 1, column 0
        const QRect july = picker->visualRect(picker->model()->index(1, 0));
        QTest::mouseClick(picker->viewport(), Qt::LeftButton, Qt::NoModifier, july.center());
        QCOMPARE(calendar.GetMonthShown(), 7);
        QCOMPARE(calendar.GetYearShown(), 2024);
        QCOMPARE(pageSpy.count(), 1);
        QCOMPARE(pageSpy.at(0).at(1).toInt(), 7);
        QCOMPARE(calendar.GetOpenPicker(), 0);
        QVERIFY(!picker->isVisible());
        QVERIFY(!overlay->isVisible());
        QVERIFY(!triangle->isVisible());
        QVERIFY(!monthButton->isChecked());
        QCOMPARE(overlay->styleSheet(), QStringLiteral("background: transparent; border: none;"));
        QCOMPARE(calendar.GetSelectedDate(), QDate(2024, 9, 10));
    }

    void openPickerPainted_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("triangleX");
        QTest::newRow("left to right") << 1 << 91;
        QTest::newRow("right to left") << 0 << 133;
    }
    void openPickerPainted()
    {
        QFETCH(int, direction);
        QFETCH(int, triangleX);
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::ReadDirection(direction));
        CCalendarWidget calendar;
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        ShowSeptember(calendar);
        QTest::mouseClick(Part<QPushButton>(calendar, "ptr_month_button_"), Qt::LeftButton);
        QCOMPARE(Part<QLabel>(calendar, "ptr_triangle_label_")->x(), triangleX);
        const QImage image = Render(calendar);
        // white rgba(38, 38, 38, 102) over white: grey 168
        COMPARE_COLOR(image.pixelColor(4, 198), QColor(168, 168, 168));
        COMPARE_COLOR(image.pixelColor(116, 60), QColor(Qt::white)); // the picker
        // the triangle: apex 2 pixels wide, base 8 wide, on the dimmed background
        COMPARE_COLOR(image.pixelColor(triangleX + 3, 25), QColor(Qt::white));
        COMPARE_COLOR(image.pixelColor(triangleX + 4, 25), QColor(Qt::white));
        COMPARE_COLOR(image.pixelColor(triangleX + 1, 25), QColor(168, 168, 168));
        COMPARE_COLOR(image.pixelColor(triangleX, 28), QColor(Qt::white));
        COMPARE_COLOR(image.pixelColor(triangleX + 7, 28), QColor(Qt::white));
        COMPARE_COLOR(image.pixelColor(triangleX - 1, 28), QColor(168, 168, 168));
    }

    void rightToLeftMirrorsTheGrid()
    {
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        CCalendarWidget calendar;
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        QCOMPARE(calendar.layoutDirection(), Qt::RightToLeft);
        ShowSeptember(calendar);
        // Monday is the first column, which reads from the right
        QVERIFY(CellRect(calendar, QDate(2024, 9, 9)).x()
                > CellRect(calendar, QDate(2024, 9, 15)).x());
        QPushButton* prev = Part<QPushButton>(calendar, "m_pPrevMonth_Arbaric");
        QPushButton* next = Part<QPushButton>(calendar, "m_pNextMonth_Arbaric");
        QVERIFY(prev->x() > next->x());
        QVERIFY(calendar.GetYearLabelRect().x() < calendar.GetMonthLabelRect().x());
        QTest::mouseClick(Part<QPushButton>(calendar, "ptr_year_button_"), Qt::LeftButton);
        QCOMPARE(Part<QLabel>(calendar, "ptr_triangle_label_")->x(), 87);
        // clicking still picks the day under the mouse
        calendar.OnPopup(false);
        QSignalSpy clickedSpy(&calendar, &CCalendarWidget::SignalClicked);
        ClickDate(calendar, QDate(2024, 9, 16));
        QCOMPARE(clickedSpy.count(), 1);
        QCOMPARE(clickedSpy.at(0).at(0).toDate(), QDate(2024, 9, 16));
    }

    void monthPickerHonoursRange()
    {
        CCalendarWidget calendar;
        calendar.SetDateRange(QDate(2024, 3, 15), QDate(2024, 11, 2));
        calendar.SetSelectedDate(QDate(2024, 6, 10));
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QTest::mouseClick(Part<QPushButton>(calendar, "ptr_month_button_"), Qt::LeftButton);
        auto* picker = Part<CCalendarMonthWidget>(calendar, "ptr_month_widget_");
        QVERIFY(!picker->IsMonthEnabled(2));
        QVERIFY(picker->IsMonthEnabled(3));
        QVERIFY(picker->IsMonthEnabled(11));
        QVERIFY(!picker->IsMonthEnabled(12));
        const QRect december = picker->visualRect(picker->model()->index(1, 5));
        QTest::mouseClick(picker->viewport(), Qt::LeftButton, Qt::NoModifier, december.center());
        QVERIFY(!picker->GetSelectedDate().isValid());
        QCOMPARE(calendar.GetOpenPicker(), 1); // nothing chosen, still open
        QCOMPARE(calendar.GetMonthShown(), 6);
    }

    void monthPickerReleases()
    {
        CCalendarMonthWidget picker;
        picker.resize(216, 64);
        picker.SetYear(2023);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QSignalSpy spy(&picker, &CCalendarMonthWidget::SignalSelectionChanged);
        const QRect july = picker.visualRect(picker.model()->index(1, 0));
        QTest::mouseClick(picker.viewport(), Qt::LeftButton, Qt::NoModifier, july.center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(picker.GetSelectedDate(), QDate(2023, 7, 1));

        // the double click that follows a click adds nothing of its own
        SendMouse(picker.viewport(), QEvent::MouseButtonDblClick, july.center(), Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(spy.count(), 1);

        // a release outside the cells leaves no date
        SendMouse(picker.viewport(), QEvent::MouseButtonRelease, QPoint(-10, -10), Qt::LeftButton,
                  Qt::NoButton);
        QVERIFY(!picker.GetSelectedDate().isValid());

        // right button and no selection mode choose nothing
        QTest::mouseClick(picker.viewport(), Qt::RightButton, Qt::NoModifier, july.center());
        QVERIFY(!picker.GetSelectedDate().isValid());
        picker.setSelectionMode(QAbstractItemView::NoSelection);
        const int before = spy.count();
        QTest::mouseClick(picker.viewport(), Qt::LeftButton, Qt::NoModifier, july.center());
        QCOMPARE(spy.count(), before);
        QVERIFY(!picker.GetSelectedDate().isValid());

        picker.SetYear(0); // no such year
        QCOMPARE(picker.GetYear(), 2023);
    }

    void yearPickerChoosesYear()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QSignalSpy popupSpy(&calendar, &CCalendarWidget::SignalYearPopup);
        QPushButton* yearButton = Part<QPushButton>(calendar, "ptr_year_button_");
        QTest::mouseClick(yearButton, Qt::LeftButton);
        QCOMPARE(popupSpy.count(), 1);
        QCOMPARE(calendar.GetOpenPicker(), 2);
        QVERIFY(yearButton->isChecked());
        QCOMPARE(Part<QLabel>(calendar, "ptr_triangle_label_")->x(), 137);
        auto* picker = Part<CCalendarYearWidget>(calendar, "ptr_year_widget_");
        QVERIFY(picker->isVisible());
        QCOMPARE(picker->GetPageStartYear(), 2016);
        QCOMPARE(picker->GetCurrentYear(), 2024);
        QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier,
                          picker->GetYearRect(2019).center());
        QCOMPARE(calendar.GetYearShown(), 2019);
        QCOMPARE(calendar.GetMonthShown(), 9);
        QCOMPARE(calendar.GetOpenPicker(), 0);
        QVERIFY(!picker->isVisible());
        QVERIFY(!yearButton->isChecked());
    }

    void switchingAndClosingPickers()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QPushButton* monthButton = Part<QPushButton>(calendar, "ptr_month_button_");
        QPushButton* yearButton = Part<QPushButton>(calendar, "ptr_year_button_");
        QTest::mouseClick(monthButton, Qt::LeftButton);
        QTest::mouseClick(yearButton, Qt::LeftButton);
        QCOMPARE(calendar.GetOpenPicker(), 2);
        QVERIFY(!monthButton->isChecked());
        QVERIFY(!Part<CCalendarMonthWidget>(calendar, "ptr_month_widget_")->isVisible());
        QTest::mouseClick(yearButton, Qt::LeftButton); // the same button closes it
        QCOMPARE(calendar.GetOpenPicker(), 0);

        QTest::mouseClick(monthButton, Qt::LeftButton);
        QFrame* overlay = Part<QFrame>(calendar, "ptr_overlay_frame_");
        QTest::mouseClick(overlay, Qt::LeftButton, Qt::NoModifier, QPoint(10, 170));
        QCOMPARE(calendar.GetOpenPicker(), 0);
        QVERIFY(!overlay->isVisible());

        QTest::mouseClick(monthButton, Qt::LeftButton);
        QTest::keyClick(&calendar, Qt::Key_Escape);
        QCOMPARE(calendar.GetOpenPicker(), 0);
        QCOMPARE(calendar.GetMonthShown(), 9);
    }

    void yearPickerPagesStopAtTheRange()
    {
        CCalendarYearWidget picker;
        picker.resize(216, 108);
        picker.SetDateRange(QDate(2030, 12, 31), QDate(2020, 1, 1)); // reversed
        picker.SetCurrentYear(2024);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* previous = Part<QPushButton>(picker, "ptr_prev_years_button_");
        auto* next = Part<QPushButton>(picker, "ptr_next_years_button_");
        QCOMPARE(picker.GetPageStartYear(), 2016);
        QVERIFY(!previous->isEnabled());
        QVERIFY(next->isEnabled());
        QSignalSpy pageSpy(&picker, &CCalendarYearWidget::SignalPageChanged);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(picker.GetPageStartYear(), 2028);
        QCOMPARE(pageSpy.count(), 1);
        QVERIFY(!next->isEnabled());
        QVERIFY(previous->isEnabled());
        picker.OnShowNextPage(); // at the end: nothing
        QCOMPARE(picker.GetPageStartYear(), 2028);
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(picker.GetPageStartYear(), 2016);

        // years outside the range cannot be chosen
        QSignalSpy chosen(&picker, &CCalendarYearWidget::SignalSelectionChanged);
        QTest::mouseClick(&picker, Qt::LeftButton, Qt::NoModifier,
                          picker.GetYearRect(2017).center());
        QVERIFY(!picker.GetSelectedDate().isValid());
        QTest::mouseClick(&picker, Qt::LeftButton, Qt::NoModifier,
                          picker.GetYearRect(2021).center());
        QCOMPARE(picker.GetSelectedDate(), QDate(2021, 1, 1));
        QTest::mouseClick(&picker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); // the bar
        QVERIFY(!picker.GetSelectedDate().isValid());
        QCOMPARE(chosen.count(), 3);
        QVERIFY(picker.GetYearRect(1990).isNull());
        QCOMPARE(picker.YearAt(QPoint(-5, 500)), 0);
    }

    void pickerFollowsPageWhileOpen()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        QTest::mouseClick(Part<QPushButton>(calendar, "ptr_month_button_"), Qt::LeftButton);
        calendar.ShowNextYear();
        auto* picker = Part<CCalendarMonthWidget>(calendar, "ptr_month_widget_");
        QCOMPARE(picker->GetYear(), 2025);
    }

    // ---- bad sizes ------------------------------------------------------------------------

    void absurdSizes()
    {
        CCalendarWidget calendar;
        ShowSeptember(calendar);
        calendar.resize(0, 0);
        QCOMPARE(calendar.size(), QSize(232, 202)); // the calendar has one size
        calendar.GetView()->resize(0, 0);
        QVERIFY(!Render(calendar).isNull());
        calendar.GetView()->resize(10000, 10000);
        QVERIFY(!Render(calendar).isNull());
        QCOMPARE(calendar.GetView()->columnWidth(6), 1429); // 10000 = 3 x 1428 + 4 x 1429
        calendar.GetView()->resize(232, 177);
        QTest::mouseClick(Part<QPushButton>(calendar, "ptr_month_button_"), Qt::LeftButton);
        auto* picker = Part<CCalendarMonthWidget>(calendar, "ptr_month_widget_");
        picker->resize(0, 0);
        QVERIFY(!Render(calendar).isNull());
        QTest::mouseClick(picker->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
        QCOMPARE(calendar.GetMonthShown(), 9);
    }
};

QTEST_MAIN(tst_Calendar)
#include "tst_calendar.moc"
