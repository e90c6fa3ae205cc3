#include "Store/StoreValue.h"

#include "Store/Predicate.h"

#include <QDateTime>
#include <QTimeZone>
#include <QUuid>

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <cmath>
#include <string>

namespace {

QString canonicalUuid(const QUuid& uuid) {
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

// Text held as UUID when it reads as one, so that "e621..." and "{E621...}" find the record.
bool isUuidText(const QString& text) {
    return !QUuid::fromString(text).isNull() ||
           QUuid::fromString(text.trimmed().replace(u'0', u'1')) != QUuid();
}

QString uuidText(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QUuid)
        return canonicalUuid(value.toUuid());
    const QString text = value.toString();
    return isUuidText(text) ? canonicalUuid(QUuid::fromString(text)) : text;
}

bool isNumeric(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// UTF-16 code units reordered so that a plain comparison follows code points: surrogates
// (U+10000 and above) move after U+E000..U+FFFF.
inline int codePointRank(char16_t u) {
    if (u >= 0xD800 && u <= 0xDFFF)
        return u + 0x2000;
    if (u >= 0xE000)
        return u - 0x800;
    return u;
}

} // namespace

qint64 StoreValue::toInteger() const {
    if (auto i = std::get_if<qint64>(&v_))
        return *i;
    if (auto d = std::get_if<double>(&v_))
        return static_cast<qint64>(*d);
    return 0;
}

double StoreValue::toReal() const {
    if (auto d = std::get_if<double>(&v_))
        return *d;
    if (auto i = std::get_if<qint64>(&v_))
        return static_cast<double>(*i);
    return 0.0;
}

const QString& StoreValue::text() const {
    static const QString empty;
    if (auto s = std::get_if<QString>(&v_))
        return *s;
    return empty;
}

qint64 StoreValue::dateToMsecs(double seconds) {
    return std::llround(seconds * 1000.0);
}

double StoreValue::msecsToDate(qint64 msecs) {
    return static_cast<double>(msecs) / 1000.0;
}

StoreValue StoreValue::fromVariant(const QVariant& value, AttributeType type) {
    switch (type) {
    case AttributeType::uuid:
        if (value.metaType().id() == QMetaType::QUuid)
            return StoreValue(canonicalUuid(value.toUuid()));
        if (!value.isValid() || !isUuidText(value.toString()))
            return {};
        return StoreValue(uuidText(value));
    case AttributeType::text:
        if (!value.isValid())
            return {};
        return StoreValue(value.toString());
    case AttributeType::date: {
        const QDateTime dt = value.toDateTime();
        if (!value.isValid() || !dt.isValid())
            return {};
        return StoreValue(msecsToDate(dt.toMSecsSinceEpoch()));
    }
    case AttributeType::int16:
    case AttributeType::int32:
    case AttributeType::int64:
        return StoreValue(value.toLongLong());
    case AttributeType::doubleValue: {
        const double d = value.toDouble();
        return StoreValue(std::isnan(d) ? 0.0 : d); // SQLite would store NaN as NULL
    }
    case AttributeType::flag:
        return StoreValue(qint64(value.toBool() ? 1 : 0));
    }
    return {};
}

QVariant StoreValue::toVariant(AttributeType type) const {
    switch (type) {
    case AttributeType::uuid:
        return isNull() ? QVariant() : QVariant(QUuid::fromString(isText() ? text() : QString()));
    case AttributeType::text:
        if (isNull())
            return {};
        return isText() ? QVariant(text()) : QVariant(QString::number(toReal()));
    case AttributeType::date:
        if (isNull() || isText())
            return {};
        return QVariant(QDateTime::fromMSecsSinceEpoch(dateToMsecs(toReal()), QTimeZone::utc()));
    case AttributeType::int16:
    case AttributeType::int32:
    case AttributeType::int64:
        return QVariant(toInteger());
    case AttributeType::doubleValue:
        return QVariant(toReal());
    case AttributeType::flag:
        return QVariant(toInteger() != 0);
    }
    return {};
}

StoreValue StoreValue::operand(const QVariant& value, AttributeType type) {
    if (!value.isValid())
        return {};
    if (value.metaType() == QMetaType::fromType<ObjectRef>())
        return StoreValue(value.value<ObjectRef>().pk);
    switch (type) {
    case AttributeType::uuid:
    case AttributeType::text:
        if (isNumeric(value))
            return StoreValue(value.toString());
        return StoreValue(type == AttributeType::uuid ? uuidText(value) : value.toString());
    case AttributeType::date:
        if (value.metaType().id() == QMetaType::QDateTime)
            return fromVariant(value, type);
        return StoreValue(value.toDouble());
    default:
        if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Float)
            return StoreValue(value.toDouble());
        if (type == AttributeType::doubleValue)
            return StoreValue(value.toDouble());
        return StoreValue(value.toLongLong());
    }
}

void StoreValue::bind(SQLite::Statement& statement, int index) const {
    if (auto i = std::get_if<qint64>(&v_)) {
        statement.bind(index, static_cast<int64_t>(*i));
    } else if (auto d = std::get_if<double>(&v_)) {
        statement.bind(index, *d);
    } else if (auto s = std::get_if<QString>(&v_)) {
        const QByteArray utf8 = s->toUtf8();
        statement.bind(index, std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    } else {
        statement.bind(index);
    }
}

StoreValue StoreValue::fromColumn(SQLite::Statement& statement, int index) {
    const SQLite::Column column = statement.getColumn(index);
    switch (column.getType()) {
    case SQLITE_INTEGER:
        return StoreValue(static_cast<qint64>(column.getInt64()));
    case SQLITE_FLOAT:
        return StoreValue(column.getDouble());
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return StoreValue(QString::fromUtf8(static_cast<const char*>(column.getBlob()), column.getBytes()));
    default:
        return {};
    }
}

int StoreValue::compareText(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ua = pa[i].unicode();
        const char16_t ub = pb[i].unicode();
        if (ua != ub)
            return codePointRank(ua) < codePointRank(ub) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int StoreValue::compare(const StoreValue& a, const StoreValue& b) {
    const auto rank = [](const StoreValue& v) { return v.isNull() ? 0 : (v.isText() ? 2 : 1); };
    const int ra = rank(a);
    const int rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 2)
        return compareText(a.text(), b.text());
    if (a.isInteger() && b.isInteger()) {
        const qint64 x = a.toInteger(), y = b.toInteger();
        return x == y ? 0 : (x < y ? -1 : 1);
    }
    const double x = a.toReal(), y = b.toReal();
    return x == y ? 0 : (x < y ? -1 : 1);
}
