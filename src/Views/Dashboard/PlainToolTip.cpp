#include "Views/Dashboard/PlainToolTip.h"

QString PlainToolTip::of(const QString& text) {
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

QString PlainToolTip::ifCut(const QString& shown, const QString& text) {
    return shown == text ? QString() : of(text);
}
