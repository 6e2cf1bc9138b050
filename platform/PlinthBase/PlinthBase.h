#pragma once

#include <functional>

class QString;

namespace Plinth {
namespace Base {
namespace details {

/// printf-style log entry point. The formatted line goes to the Qt logging category named
/// `category` (so QT_LOGGING_RULES filters it): levels 1-2 as critical, 3-4 as warning, 5 as
/// info, 6 and above as debug. A null format or category writes nothing. Returns the length of
/// the formatted line, or -1 when nothing was written.
int QuillFormatLog(int level, const char* category, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

} // namespace details

/// Receives every line instead of Qt logging while installed (tests use it to read log lines).
using LogSink = std::function<void(int level, const char* category, const QString& line)>;

/// Installs `sink` (an empty function restores Qt logging) and returns the previous one.
LogSink SetLogSink(LogSink sink);

} // namespace Base
} // namespace Plinth
