#pragma once

#include <QByteArray>
#include <QLocale>

// The name under which ICU writes numbers and dates of a Qt locale. Qt's C locale (the process
// runs under C or C.UTF-8) writes English month names and groups thousands with commas; ICU
// reads "C" as the POSIX locale, which groups nothing, so it is handed plain English instead.
namespace IcuLocale {

QByteArray nameOf(const QLocale& locale);
// The Qt locale of that name, for the patterns Qt writes itself (date fields), so that they
// agree with ICU's texts under C as well.
QLocale writtenAs(const QLocale& locale);

} // namespace IcuLocale
