#include "PlinthBase.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>
#include <QString>

#include <cstdarg>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
struct LogState
{
    QMutex mutex;
    Plinth::Base::LogSink sink;
    // QLoggingCategory keeps the name pointer, so each category owns its name for good.
    std::map<std::string, std::pair<std::unique_ptr<std::string>, std::unique_ptr<QLoggingCategory>>>
        categories;
};

LogState& State()
{
    static LogState state;
    return state;
}

QLoggingCategory& CategoryFor(LogState& state, const char* name)
{
    auto it = state.categories.find(name);
    if (it == state.categories.end()) {
        auto owned = std::make_unique<std::string>(name);
        // Info and debug lines (traces) stay off until QT_LOGGING_RULES turns them on.
        auto category = std::make_unique<QLoggingCategory>(owned->c_str(), QtWarningMsg);
        it = state.categories.emplace(name, std::make_pair(std::move(owned), std::move(category))).first;
    }
    return *it->second.second;
}
} // namespace

namespace Plinth {
namespace Base {
namespace details {

int QuillFormatLog(int level, const char* category, const char* format, ...)
{
    if (!format || !category)
        return -1;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        va_end(args);
        return -1;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    const QString line = QString::fromUtf8(buffer.data(), length);

    LogState& state = State();
    QMutexLocker locker(&state.mutex);
    if (state.sink) {
        LogSink sink = state.sink;
        locker.unlock();
        sink(level, category, line);
        return length;
    }
    QLoggingCategory& qtCategory = CategoryFor(state, category);
    locker.unlock();
    if (level <= 2)
        qCCritical(qtCategory, "%s", qUtf8Printable(line));
    else if (level <= 4)
        qCWarning(qtCategory, "%s", qUtf8Printable(line));
    else if (level == 5)
        qCInfo(qtCategory, "%s", qUtf8Printable(line));
    else
        qCDebug(qtCategory, "%s", qUtf8Printable(line));
    return length;
}

} // namespace details

LogSink SetLogSink(LogSink sink)
{
    LogState& state = State();
    QMutexLocker locker(&state.mutex);
    LogSink previous = std::move(state.sink);
    state.sink = std::move(sink);
    return previous;
}

} // namespace Base
} // namespace Plinth
