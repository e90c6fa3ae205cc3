#pragma once

#include <QByteArray>
#include <QLocale>

// The name under which ICU writes numbers and dates of a Qt locale. Qt's C locale (the process
// runs under C or C.UTF-8) writes English month names and groups thousands with commas; ICU
// reads "C" as the POSIX locale, which groups nothing, so it is handed plain English instead.
namespace IcuLocale {

QByteArray nameOf(const QLocale& locale);

} // namespace IcuLocale
