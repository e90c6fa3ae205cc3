#pragma once

#include "Store/EntityDescription.h"

#include <QString>
#include <QVariant>

#include <variant>

namespace SQLite {
class Statement;
}

// A value as the file holds it: NULL, integer, real or text. Records keep their values in
// this form so that comparing and sorting in memory follows exactly the rules SQLite applies
// to the same column: NULL before numbers, numbers before text, numbers by value, text by
// code point (the BINARY collation).
class StoreValue {
public:
    StoreValue() = default;
    explicit StoreValue(qint64 v) : v_(v) {}
    explicit StoreValue(double v) : v_(v) {}
    explicit StoreValue(QString v) : v_(std::move(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<qint64>(v_); }
    bool isReal() const { return std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<QString>(v_); }

    qint64 toInteger() const;    // 0 for NULL and text
    double toReal() const;       // 0 for NULL and text
    const QString& text() const; // empty unless text

    // The stored form of an attribute value; an invalid or unconvertible value is NULL
    // (or 0 for numbers and flags, which always hold a value).
    static StoreValue fromVariant(const QVariant& value, AttributeType type);
    // The value handed to callers: QUuid, QString, QDateTime (UTC), qint64, double or bool.
    QVariant toVariant(AttributeType type) const;

    // Converts a predicate operand so it compares with a column of the given type the way
    // the same operand bound into SQL would.
    static StoreValue operand(const QVariant& value, AttributeType type);

    void bind(SQLite::Statement& statement, int index) const;
    static StoreValue fromColumn(SQLite::Statement& statement, int index);

    static qint64 dateToMsecs(double seconds);
    static double msecsToDate(qint64 msecs);

    bool operator==(const StoreValue& other) const { return compare(*this, other) == 0; }
    static int compare(const StoreValue& a, const StoreValue& b);
    static int compareText(const QString& a, const QString& b);

private:
    std::variant<std::monostate, qint64, double, QString> v_;
};
