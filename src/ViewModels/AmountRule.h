#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// What an amount field makes of its text: the amount it saves, or why it saves nothing. A form's
// refusal line, its button and its save all read this one verdict, so a button that is on saves
// what the fields show and text that would not save always says why.
struct AmountVerdict {
    enum class Kind {
        Ok,
        Empty,              // nothing typed: no line; saves only where the amount is optional
        NotANumber,         // not in the number grammar
        BelowZero,          // a negative amount
        ZeroRefused,        // zero where the amount must be above it
        TooLarge,           // above AmountRule::largest
        ThousandsAmbiguous, // "50.000" where the locale groups thousands with a point
    };
    Kind kind = Kind::Empty;
    // The amount that is saved; none for an empty field or refused text.
    std::optional<double> amount;
    // Whether a save may go ahead with the field as it is.
    bool saves = false;
    // Why the text is refused, ready for the line under the field; empty when it is not refused.
    QString line;

    bool refused() const { return !line.isEmpty(); }
};

// The one rule of what an amount field takes. The grammar is Text::parseNumber's everywhere (a
// point marks the decimals); on top of it an amount is never negative, never above ten
// trillion in any currency, and per field may or may not be zero or left empty. Where the
// locale groups thousands with a point, "50.000" is refused rather than read as fifty.
class AmountRule {
public:
    // Above zero, and typed.
    static AmountRule positive() { return {false, false}; }
    // Above zero, or nothing typed.
    static AmountRule positiveOrEmpty() { return {false, true}; }
    // Zero or more, and typed.
    static AmountRule zeroOrMore() { return {true, false}; }
    // Zero or more, or nothing typed.
    static AmountRule zeroOrMoreOrEmpty() { return {true, true}; }

    // Ten trillion: no amount a person keeps here is larger, and sums of amounts below it stay
    // exact to the cent and finite.
    static constexpr double largest = 1e13;

    AmountVerdict verdict(const QString& text, const QLocale& locale = QLocale()) const;
    // Whether an amount handed over already parsed (a form's draft) keeps this rule.
    bool accepts(double amount) const;
    bool takesZero() const { return zeroAllowed_; }
    bool takesEmpty() const { return emptyAllowed_; }

    // The line for text that is not a number.
    static QString notANumberLine();

private:
    AmountRule(bool zeroAllowed, bool emptyAllowed)
        : zeroAllowed_(zeroAllowed), emptyAllowed_(emptyAllowed) {}

    bool zeroAllowed_;
    bool emptyAllowed_;
};
