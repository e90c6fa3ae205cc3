#pragma once

#include <QLocale>
#include <QString>

// Money text in the user's locale: the currency's symbol and grouping as the locale writes
// them, a fixed number of fraction digits rounded half to even, any magnitude in full.
class MoneyFormatter {
public:
    // A currency code that is not an ISO 4217 code gives the plain number in the locale.
    static QString format(double amount, const QString& currencyCode, int fractionDigits,
                          const QLocale& locale = QLocale());
    // The same with the user's currency (currencyCode()).
    static QString format(double amount, int fractionDigits, const QLocale& locale = QLocale());
    // The plain number written as amounts are, without the currency (a chart's value axis).
    static QString number(double amount, int fractionDigits, const QLocale& locale = QLocale());
    // The user's currency: the "financeCurrencyCode" default, "INR" when unset or not three letters.
    static QString currencyCode();
    static inline const QString defaultCurrencyCode = QStringLiteral("INR");
    static inline const QString currencyCodeKey = QStringLiteral("financeCurrencyCode");
};
