#include "Platform/UrlOpener.h"

#include <QDesktopServices>

namespace {

UrlOpener::Handler& handler() {
    static UrlOpener::Handler instance;
    return instance;
}

} // namespace

QUrl UrlOpener::safeUrl(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return {};
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return {};
    if (url.host().isEmpty())
        return {};
    return url;
}

bool UrlOpener::open(const QString& text) {
    const QUrl url = safeUrl(text);
    if (url.isEmpty())
        return false;
    if (handler())
        handler()(url);
    else
        QDesktopServices::openUrl(url);
    return true;
}

void UrlOpener::setHandler(Handler newHandler) {
    handler() = std::move(newHandler);
}
