#include "Platform/IcuLocale.h"

QByteArray IcuLocale::nameOf(const QLocale& locale) {
    if (locale.language() == QLocale::C)
        return QByteArrayLiteral("en");
    return locale.name().toUtf8();
}

QLocale IcuLocale::writtenAs(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QString::fromLatin1(nameOf(locale))) : locale;
}
