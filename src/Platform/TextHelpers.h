#pragma once

#include <QString>

#include <optional>

// Number and blank handling for text the user types, and the way any text is handed to
// widgets that would otherwise read something into it, the same everywhere in the application.
namespace Text {

// The one number parser: the whole text in the C locale's notation, whatever the process
// locale is. An optional sign, digits with at most one point and at least one digit, an
// optional exponent. No surrounding blanks, no grouping, no hexadecimal; "inf", "nan" and
// anything that overflows a double are not numbers.
std::optional<double> parseNumber(const QString& text);

// Whether the text is in parseNumber's grammar, whatever its magnitude: "1e400" is, though it
// is not a number a double holds.
bool hasNumberShape(const QString& text);

// Whether the text has the shape of a whole number grouped in thousands by points: one to three
// digits (not starting with 0), then one or more groups of a point and exactly three digits,
// with an optional sign ("50.000", "1.500", "-12.345.678").
bool isGroupedByPoints(const QString& text);

// The shortest text that parseNumber reads back as the same double. Whole numbers keep one
// fraction digit ("1500.0"); magnitudes of 2^54 and above or below 0.0001 take exponent form
// ("1e+20", "1.5e-07"). A value that is not finite gives an empty text.
QString editableNumber(double value);

// The digits of the integral part, truncated toward zero, without a detour through an
// integer type, so any magnitude prints in full ("100000000000000000000" for 1e20). A value
// that is not finite prints "0".
QString wholeNumber(double value);

// A count with its noun in the form the count takes: "1 entry", "0 entries", "5 entries". Both
// forms are given whole, as nouns do not all grow by an "s".
QString counted(qint64 count, const QString& one, const QString& many);

// Removes spaces, other Unicode space separators and tabs from both ends. Line breaks stay.
QString trimmed(const QString& text);

// The text of a one-line field (a title, a name, a category): each line break (a CR LF pair
// counts as one) and each tab becomes a space, and any other control character (NUL included)
// is dropped. Every record's one-line attributes are stored through this.
QString oneLine(const QString& text);
std::optional<QString> oneLine(const std::optional<QString>& text);

// A text for a button, chip or menu entry that shows exactly as written: those read a single
// "&" as a keyboard mnemonic ("Save & Continue" would show "Save _Continue"), so each "&" is
// doubled.
QString literalMnemonics(const QString& text);

// A tool tip that shows the text exactly as written. Tool tips read anything that looks like
// markup as markup, so the text is escaped and handed over as markup of one plain paragraph.
// Very long texts are cut to kToolTipLength characters with an ellipsis; an empty text stays
// empty (no tool tip).
QString plainToolTip(const QString& text);
// The whole text as a plain tool tip when what is shown of it was cut; none when it shows whole.
QString plainToolTipIfCut(const QString& shown, const QString& text);
inline constexpr qsizetype kToolTipLength = 2000;

} // namespace Text
