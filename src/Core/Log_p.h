#pragma once

#include "PlinthBase.h"

// Every toolkit log line has the shape "[function]message[source(line)]"; the function name
// and the source path are given by the call site so that lines stay stable across refactors.
#define NIMB_LOG(level, category, function, source, line, message, ...)                            \
    ::Plinth::Base::details::QuillFormatLog(                                                       \
        level, category, "[%s]" message "[%s(%d)]", function, ##__VA_ARGS__, source, line)

// Errors: level 3, category "ClientFramework".
#define NIMB_LOG_ERROR(function, source, message, ...)                                             \
    NIMB_LOG(3, "ClientFramework", function, source, __LINE__, message, ##__VA_ARGS__)

// Traces: level 5, category "ClientWarningAndMore".
#define NIMB_LOG_TRACE(function, source, message, ...)                                             \
    NIMB_LOG(5, "ClientWarningAndMore", function, source, __LINE__, message, ##__VA_ARGS__)
