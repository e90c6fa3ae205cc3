#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// The one place that hands an address to the desktop. Only web addresses (http or https with
// a host) are ever opened: a stored text could otherwise launch a local file, a script or a
// handler of any kind.
class UrlOpener {
public:
    // The address as a URL when it may be opened, else an empty URL.
    static QUrl safeUrl(const QString& text);

    // Opens the address in the default browser when it is safe; returns whether it was handed
    // over. The desktop's answer is not awaited.
    static bool open(const QString& text);

    // Tests record what would have been opened; an empty handler restores the desktop.
    using Handler = std::function<void(const QUrl&)>;
    static void setHandler(Handler handler);
};
