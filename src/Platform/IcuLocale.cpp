#include "Platform/IcuLocale.h"

QByteArray IcuLocale::nameOf(const QLocale& locale) {
    if (locale.language() == QLocale::C)
        return QByteArrayLiteral("en");
    return locale.name().toUtf8();
}
