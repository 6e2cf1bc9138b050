#pragma once

#include <QString>
#include <QtGlobal>

// The offscreen platform plugin has no window manager. It warns whenever a shown window's size
// is pinned (size hints), a window is raised, or a pop-up grabs the keyboard or the mouse. None
// of that says anything about the code under test, so a test installs this filter in
// initTestCase() and removes it in cleanupTestCase(); every other warning still reaches QtTest.
namespace OffscreenPlatformWarnings {

inline QtMessageHandler& Previous()
{
    static QtMessageHandler previous = nullptr;
    return previous;
}

inline void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg
        && (text == QLatin1String("This plugin does not support propagateSizeHints()")
            || text == QLatin1String("This plugin does not support raise()")
            || text == QLatin1String("This plugin does not support grabbing the keyboard")
            || text == QLatin1String("This plugin does not support grabbing the mouse")))
        return;
    Previous()(type, context, text);
}

inline void Install()
{
    Previous() = qInstallMessageHandler(Filter);
}

inline void Remove()
{
    qInstallMessageHandler(Previous());
}

} // namespace OffscreenPlatformWarnings
