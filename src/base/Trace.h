// Debug trace: printf-style lines on standard error, never shown to the user.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcKorvane)

void Trace(const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);
