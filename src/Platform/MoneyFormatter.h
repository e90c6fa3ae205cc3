#pragma once

#include <QLocale>
#include <QString>

// Money text in the user's locale: the currency's symbol and grouping as the locale writes
// them, a fixed number of fraction digits rounded half to even, any magnitude in full. An
// amount that is not a finite number (a sum over amounts a store kept from before amounts were
// bounded) is never written as "∞" or "NaN": it shows as a dash, and notShownReason() says why.
class MoneyFormatter {
public:
    // What stands for an amount that is not a finite number.
    static inline const QString notShown = QStringLiteral("\u2014");
    // Why an amount shows as the dash, for its tooltip; empty for a finite amount.
    static QString notShownReason(double amount);
    // A currency code that is not an ISO 4217 code gives the plain number in the locale.
    static QString format(double amount, const QString& currencyCode, int fractionDigits,
                          const QLocale& locale = QLocale());
    // The same with the user's currency (currencyCode()).
    static QString format(double amount, int fractionDigits, const QLocale& locale = QLocale());
    // The plain number written as amounts are, without the currency (a chart's value axis).
    static QString number(double amount, int fractionDigits, const QLocale& locale = QLocale());
    // The number in the locale's compact short form ("1.2T", "1,2 Bio."), for a chart's value
    // axis where room is short; magnitudes past the compact names take exponent form ("1E20").
    static QString compactNumber(double amount, const QLocale& locale = QLocale());
    // The user's currency: the "financeCurrencyCode" default, "INR" when unset or not three letters.
    static QString currencyCode();
    static inline const QString defaultCurrencyCode = QStringLiteral("INR");
    static inline const QString currencyCodeKey = QStringLiteral("financeCurrencyCode");
};
