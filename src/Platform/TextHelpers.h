#pragma once

#include <QString>

#include <optional>

// Number and blank handling for text the user types, the same everywhere in the application.
namespace Text {

// The one number parser: the whole text in the C locale's notation, whatever the process
// locale is. An optional sign, digits with at most one point and at least one digit, an
// optional exponent. No surrounding blanks, no grouping, no hexadecimal; "inf", "nan" and
// anything that overflows a double are not numbers.
std::optional<double> parseNumber(const QString& text);

// The shortest text that parseNumber reads back as the same double. Whole numbers keep one
// fraction digit ("1500.0"); magnitudes of 2^54 and above or below 0.0001 take exponent form
// ("1e+20", "1.5e-07"). A value that is not finite gives an empty text.
QString editableNumber(double value);

// The digits of the integral part, truncated toward zero, without a detour through an
// integer type, so any magnitude prints in full ("100000000000000000000" for 1e20). A value
// that is not finite prints "0".
QString wholeNumber(double value);

// Removes spaces, other Unicode space separators and tabs from both ends. Line breaks stay.
QString trimmed(const QString& text);

} // namespace Text
