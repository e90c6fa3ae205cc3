#include "Platform/Store/StoreMisuse.h"

#include <QDebug>
#include <QSet>

namespace {

StoreMisuse::Handler& installed() {
    static StoreMisuse::Handler handler;
    return handler;
}

} // namespace

void StoreMisuse::report(const QString& message) {
    if (const Handler& handler = installed()) {
        handler(message);
        return;
    }
#ifdef NDEBUG
    printOnce(message);
#else
    qFatal("store misuse: %s", qPrintable(message));
#endif
}

StoreMisuse::Handler StoreMisuse::setHandler(Handler handler) {
    return std::exchange(installed(), std::move(handler));
}

bool StoreMisuse::printOnce(const QString& message) {
    // Screens re-run their queries after every change; one line per distinct fault is enough.
    static QSet<QString> seen;
    if (seen.contains(message))
        return false;
    seen.insert(message);
    qWarning().noquote() << QStringLiteral("store misuse: ") + message;
    return true;
}
