#include "Store/StoreMisuse.h"

#include <QDebug>
#include <QSet>

namespace {

StoreMisuse::Handler& installed() {
    // Never destroyed: a store closed by another static object at exit may still report.
    static auto* handler = new StoreMisuse::Handler;
    return *handler;
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
    static auto* seen = new QSet<QString>;
    if (seen->contains(message))
        return false;
    seen->insert(message);
    qWarning().noquote() << QStringLiteral("store misuse: ") + message;
    return true;
}
