#include "base/Trace.h"

#include <cstdarg>

Q_LOGGING_CATEGORY(lcKorvane, "korvane")

void Trace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    qCDebug(lcKorvane).noquote() << text;
}
