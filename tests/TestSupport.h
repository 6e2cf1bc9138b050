#pragma once

// Helpers shared by the test executables: a filter for the offscreen platform's warnings, a log
// capture, file writing, rendering and synthetic mouse events.

#include "PlinthBase.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QString>
#include <QVector>
#include <QWidget>

namespace TestSupport {

namespace Detail {
    inline QtMessageHandler& PreviousHandler()
    {
        static QtMessageHandler previous = nullptr;
        return previous;
    }

    inline void DropOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                                      const QString& text)
    {
        static const char* const kUnsupported[] = {"propagateSizeHints()", "raise()",
                                                   "setting window opacity",
                                                   "grabbing the keyboard", "grabbing the mouse"};
        if (type == QtWarningMsg
            && text.startsWith(QLatin1String("This plugin does not support "))) {
            for (const char* feature : kUnsupported) {
                if (text.endsWith(QLatin1String(feature)))
                    return;
            }
        }
        PreviousHandler()(type, context, text);
    }
} // namespace Detail

// The offscreen platform plugin has no window manager or compositor: it warns whenever a shown
// window's size is pinned, a window is raised or given an opacity, or a pop-up grabs input. None
// of that says anything about the code under test. Call it in initTestCase(), after QtTest has
// installed its own handler; every other warning still reaches QtTest and fails the test.
inline void FilterOffscreenWarnings()
{
    Detail::PreviousHandler() = qInstallMessageHandler(Detail::DropOffscreenWarnings);
}

struct LogLine
{
    int level;
    QString category;
    QString text;
};

// Collects every toolkit log line written while it lives.
class LogCapture
{
public:
    LogCapture()
        : m_previous(
            Plinth::Base::SetLogSink([this](int level, const char* category, const QString& line) {
                lines.append({level, QString::fromLatin1(category), line});
            }))
    {
    }
    ~LogCapture() { Plinth::Base::SetLogSink(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QVector<LogLine> lines;

private:
    Plinth::Base::LogSink m_previous;
};

// Writes `bytes` to `path`; the path, or an empty string when the file cannot be written.
inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The widget rendered over `background`: whatever keeps that colour was never painted.
inline QImage Render(QWidget* widget, const QColor& background = Qt::magenta,
                     QWidget::RenderFlags flags = QWidget::DrawWindowBackground
                         | QWidget::DrawChildren)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(background);
    widget->render(&image, QPoint(), QRegion(), flags);
    return image;
}

// Colours equal within `tolerance` per channel, for blended or rounded pixels.
inline bool Near(const QColor& actual, const QColor& expected, int tolerance = 2)
{
    return qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance
        && qAbs(actual.alpha() - expected.alpha()) <= tolerance;
}

// A mouse event at `local` with a chosen global position (a drag may end beyond the screen, where
// the QTest helpers cannot reach); a press or move holds the left button. Whether the widget
// accepted the event.
inline bool SendMouse(QWidget* widget, QEvent::Type type, const QPoint& local, const QPoint& global,
                      Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// The same at `local` mapped to the screen.
inline bool SendMouse(QWidget* widget, QEvent::Type type, const QPoint& local,
                      Qt::MouseButton button = Qt::LeftButton)
{
    return SendMouse(widget, type, local, widget->mapToGlobal(local), button);
}

} // namespace TestSupport
