#pragma once

#include "TimeLine/TimeSlider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <ctime>
#include <initializer_list>

// Helpers shared by the time-line tests.
namespace TimeLineTest {

/// Starts a _data() table with one column "row" holding whole rows, each named by its `name`.
/// The row type needs Q_DECLARE_METATYPE; the test reads it with QFETCH(Row, row).
template<typename Row>
void AddRows(std::initializer_list<Row> rows)
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::newRow(row.name) << row;
}

inline TesselGUIToolkit::struTimeSliderData::TimeSegmentParam
MakeSegment(qint64 begin, qint64 end, const QBrush& brush, int level = 0)
{
    TesselGUIToolkit::struTimeSliderData::TimeSegmentParam segment;
    segment.llBegin = begin;
    segment.llEnd = end;
    segment.brushFill = brush;
    segment.nLevel = level;
    return segment;
}

/// Exact colour, alpha included: blended edges are not what these probes look at.
inline bool SameColor(const QColor& a, const QColor& b)
{
    return a.rgba() == b.rgba();
}

/// Each channel within `tolerance`: for blended colours.
inline bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

// QTest's mouse functions cannot hold a button down across a move, so drags send the events.
inline void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos,
                      Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
inline void Press(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
inline void DragTo(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
}
inline void Hover(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
}
inline void Release(QWidget* w, const QPoint& p)
{
    SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

/// Runs its scope in central European time, where 2024-03-31 has 23 hours and 2024-10-27 has 25.
class ScopedBerlinZone
{
public:
    ScopedBerlinZone() : m_old(qgetenv("TZ"))
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    ~ScopedBerlinZone()
    {
        if (m_old.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_old);
        tzset();
    }

private:
    QByteArray m_old;
};

/// The offscreen platform plugin has no window manager: it warns when a shown window's size hints
/// change, when a tool window is raised and when a pop-up grabs the keyboard or the mouse. None of
/// it says anything about the code under test, so a test installs this filter for its whole run
/// (initTestCase/cleanupTestCase); every other warning still reaches QtTest and fails the test.
class OffscreenWarningFilter
{
public:
    static void Install() { Previous() = qInstallMessageHandler(Filter); }
    static void Remove() { qInstallMessageHandler(Previous()); }

private:
    static QtMessageHandler& Previous()
    {
        static QtMessageHandler previous = nullptr;
        return previous;
    }
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support "))
            && (text.endsWith(QLatin1String("propagateSizeHints()"))
                || text.endsWith(QLatin1String("raise()")) || text.contains(QLatin1String("grab"))))
            return;
        Previous()(type, context, text);
    }
};

} // namespace TimeLineTest
