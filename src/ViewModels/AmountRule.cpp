#include "ViewModels/AmountRule.h"

#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("AmountRule", text);
}

AmountVerdict refused(AmountVerdict::Kind kind, const QString& line) {
    return {kind, std::nullopt, false, line};
}

} // namespace

QString AmountRule::notANumberLine() {
    return tr("Use digits and a point, like 3200.50");
}

bool AmountRule::accepts(double amount) const {
    if (!std::isfinite(amount) || amount < 0 || amount > largest)
        return false;
    return zeroAllowed_ || amount > 0;
}

AmountVerdict AmountRule::verdict(const QString& text, const QLocale& locale) const {
    using Kind = AmountVerdict::Kind;
    if (text.isEmpty())
        return {Kind::Empty, std::nullopt, emptyAllowed_, QString()};
    // A person used to a point between thousands means fifty thousand by "50.000"; reading it
    // as fifty would store a thousandth of what was meant.
    if (locale.groupSeparator() == QLatin1String(".") && Text::isGroupedByPoints(text)) {
        QString digits = text;
        digits.remove(QLatin1Char('.'));
        return refused(
            Kind::ThousandsAmbiguous,
            tr("For thousands write %1 without points; a point marks cents, as in 3200.50").arg(digits));
    }
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString belowZero = tr("An amount can't be below zero");
    const QString tooLarge =
        tr("Too large: amounts go up to %1").arg(MoneyFormatter::number(largest, 0, locale));
    const auto value = Text::parseNumber(text);
    if (!value) {
        // In the grammar but beyond a double: a run of digits too long to hold.
        if (Text::hasNumberShape(text))
            return refused(negative ? Kind::BelowZero : Kind::TooLarge, negative ? belowZero : tooLarge);
        return refused(Kind::NotANumber, notANumberLine());
    }
    if (*value < 0)
        return refused(Kind::BelowZero, belowZero);
    if (*value == 0 && !zeroAllowed_)
        return refused(Kind::ZeroRefused, tr("Enter an amount above zero"));
    if (*value > largest)
        return refused(Kind::TooLarge, tooLarge);
    // "-0" is zero; it is saved as zero, not as a negative zero.
    return {Kind::Ok, *value == 0 ? 0.0 : *value, true, QString()};
}
