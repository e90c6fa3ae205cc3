#include "Platform/UserDefaults.h"

#include "Platform/Clock.h"
#include "Store/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStandardPaths>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cmath>
#include <utility>

namespace {

constexpr const char* kTypeNames[] = {"flag", "integer", "double", "text", "date", "data", "textList"};

const char* typeName(UserDefaults::Type type) {
    return kTypeNames[static_cast<int>(type)];
}

std::optional<UserDefaults::Type> typeNamed(const std::string& name) {
    for (int i = 0; i < static_cast<int>(std::size(kTypeNames)); ++i) {
        if (name == kTypeNames[i])
            return static_cast<UserDefaults::Type>(i);
    }
    return std::nullopt;
}

QByteArray columnBytes(const SQLite::Column& column) {
    return QByteArray(static_cast<const char*>(column.getBlob()), column.getBytes());
}

// Never destroyed by exit() (every write is already on disk): no static object's end waits on
// another's.
UserDefaults*& standardInstance() {
    static UserDefaults* instance = nullptr;
    return instance;
}

// Codes that say the file itself is not a store we can read, as opposed to a store we may
// not open right now (locked, permissions, disk): only the former is moved aside.
bool isUnreadableFile(int code) {
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT || code == SQLITE_FORMAT || code == SQLITE_ERROR;
}

} // namespace

UserDefaults& UserDefaults::standard() {
    auto& instance = standardInstance();
    if (!instance)
        instance = new UserDefaults(standardPath());
    return *instance;
}

void UserDefaults::resetStandard() {
    delete std::exchange(standardInstance(), nullptr);
}

QString UserDefaults::standardPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvale/defaults.sqlite");
}

UserDefaults::UserDefaults(const QString& path, QObject* parent) : QObject(parent), path_(path) {
    open();
}

UserDefaults::~UserDefaults() = default;

bool UserDefaults::isPersistent() const {
    return db_ != nullptr;
}

QString UserDefaults::notAFileReason(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        if (QString reason = RegularFile::notAFileReason(path + QLatin1String(suffix)); !reason.isEmpty())
            return reason;
    return {};
}

void UserDefaults::open() {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    // SQLite would wait on a pipe in any of these places, and moving it aside would hide it.
    if (const QString reason = notAFileReason(path_); !reason.isEmpty()) {
        qWarning("User defaults: %s; settings are kept for this session only", qPrintable(reason));
        return;
    }
    QString failure;
    bool unreadable = false;
    if (tryOpen(&failure, &unreadable))
        return;
    if (unreadable) {
        moveAside();
        if (tryOpen(&failure, &unreadable))
            return;
    }
    qWarning("User defaults: cannot open %s (%s); settings are kept for this session only", qPrintable(path_),
             qPrintable(failure));
}

bool UserDefaults::tryOpen(QString* failure, bool* unreadable) {
    values_.clear();
    try {
        db_ = std::make_unique<SQLite::Database>(path_.toStdString(),
                                                 SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, 5000);
        db_->exec("PRAGMA journal_mode=WAL");
        db_->exec("PRAGMA synchronous=FULL");
        db_->exec(
            "CREATE TABLE IF NOT EXISTS defaults (key TEXT PRIMARY KEY NOT NULL, type TEXT NOT NULL, value)");
        upsert_ = std::make_unique<SQLite::Statement>(
            *db_, "INSERT INTO defaults (key, type, value) VALUES (?, ?, ?) "
                  "ON CONFLICT (key) DO UPDATE SET type = excluded.type, value = excluded.value");
        delete_ = std::make_unique<SQLite::Statement>(*db_, "DELETE FROM defaults WHERE key = ?");
        load();
        return true;
    } catch (const SQLite::Exception& e) {
        *failure = QString::fromUtf8(e.what());
        *unreadable = isUnreadableFile(e.getErrorCode());
        upsert_.reset();
        delete_.reset();
        db_.reset();
        values_.clear();
        return false;
    }
}

void UserDefaults::moveAside() {
    const QString stamp = Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path_ + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path_ + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path_, target))
        return;
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString side = path_ + QLatin1String(suffix);
        if (QFileInfo::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    movedAside_ = target;
    qWarning("User defaults: %s could not be read and was moved to %s", qPrintable(path_),
             qPrintable(target));
}

void UserDefaults::load() {
    SQLite::Statement query(*db_, "SELECT key, type, value FROM defaults");
    while (query.executeStep()) {
        const QString key = QString::fromUtf8(columnBytes(query.getColumn(0)));
        const std::optional<Type> type = typeNamed(query.getColumn(1).getString());
        const SQLite::Column value = query.getColumn(2);
        if (!type)
            continue;
        switch (*type) {
        case Type::Flag:
            values_.insert(key, {*type, QVariant(value.getInt64() != 0)});
            break;
        case Type::Integer:
            values_.insert(key, {*type, QVariant(static_cast<qint64>(value.getInt64()))});
            break;
        case Type::Double:
            values_.insert(key, {*type, QVariant(value.isNull() ? std::nan("") : value.getDouble())});
            break;
        case Type::Text:
            values_.insert(key, {*type, QVariant(QString::fromUtf8(columnBytes(value)))});
            break;
        case Type::Date:
            if (!value.isNull())
                values_.insert(
                    key, {*type, QVariant(static_cast<qint64>(std::llround(value.getDouble() * 1000)))});
            break;
        case Type::Data:
            values_.insert(key, {*type, QVariant(columnBytes(value))});
            break;
        case Type::TextList: {
            // A list holding anything but texts is not a list of text: it reads as absent rather
            // than turning numbers into texts.
            const QJsonDocument json = QJsonDocument::fromJson(columnBytes(value));
            if (!json.isArray())
                break;
            QStringList texts;
            bool allTexts = true;
            for (const QJsonValue element : json.array()) {
                allTexts = allTexts && element.isString();
                texts << element.toString();
            }
            if (allTexts)
                values_.insert(key, {*type, QVariant(texts)});
            break;
        }
        }
    }
}

const UserDefaults::Entry* UserDefaults::find(const QString& key) const {
    const auto it = values_.constFind(key);
    return it == values_.constEnd() ? nullptr : &it.value();
}

void UserDefaults::store(const QString& key, Type type, QVariant value) {
    const auto existing = values_.constFind(key);
    if (existing != values_.constEnd() && existing->type == type && existing->value == value)
        return;
    if (db_) {
        try {
            upsert_->reset();
            upsert_->bind(1, key.toStdString());
            upsert_->bind(2, typeName(type));
            switch (type) {
            case Type::Flag:
                upsert_->bind(3, static_cast<int32_t>(value.toBool() ? 1 : 0));
                break;
            case Type::Integer:
                upsert_->bind(3, static_cast<int64_t>(value.toLongLong()));
                break;
            case Type::Double:
                upsert_->bind(3, value.toDouble());
                break;
            case Type::Text:
                upsert_->bind(3, value.toString().toStdString());
                break;
            case Type::Date:
                upsert_->bind(3, static_cast<double>(value.toLongLong()) / 1000.0);
                break;
            case Type::Data: {
                const QByteArray bytes = value.toByteArray();
                upsert_->bind(3, bytes.constData(), static_cast<int>(bytes.size()));
                break;
            }
            case Type::TextList:
                upsert_->bind(3, QJsonDocument(QJsonArray::fromStringList(value.toStringList()))
                                     .toJson(QJsonDocument::Compact)
                                     .toStdString());
                break;
            }
            upsert_->exec();
        } catch (const SQLite::Exception& e) {
            qWarning("User defaults: cannot store %s: %s", qPrintable(key), e.what());
        }
    }
    values_.insert(key, Entry{type, std::move(value)});
    emit changed(key);
}

void UserDefaults::remove(const QString& key) {
    if (!values_.contains(key))
        return;
    if (db_) {
        try {
            delete_->reset();
            delete_->bind(1, key.toStdString());
            delete_->exec();
        } catch (const SQLite::Exception& e) {
            qWarning("User defaults: cannot remove %s: %s", qPrintable(key), e.what());
        }
    }
    values_.remove(key);
    emit changed(key);
}

std::optional<bool> UserDefaults::optionalFlag(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry)
        return std::nullopt;
    switch (entry->type) {
    case Type::Flag:
        return entry->value.toBool();
    case Type::Integer:
        return entry->value.toLongLong() != 0;
    case Type::Double: {
        const double d = entry->value.toDouble();
        return !std::isnan(d) && d != 0;
    }
    default:
        return std::nullopt;
    }
}

std::optional<qint64> UserDefaults::optionalInteger(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry)
        return std::nullopt;
    switch (entry->type) {
    case Type::Flag:
        return entry->value.toBool() ? 1 : 0;
    case Type::Integer:
        return entry->value.toLongLong();
    case Type::Double: {
        // Only values an integer can hold; 2^63 itself is just out of range.
        const double d = std::trunc(entry->value.toDouble());
        if (!std::isfinite(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
            return std::nullopt;
        return static_cast<qint64>(d);
    }
    default:
        return std::nullopt;
    }
}

std::optional<double> UserDefaults::optionalDouble(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry)
        return std::nullopt;
    switch (entry->type) {
    case Type::Flag:
        return entry->value.toBool() ? 1.0 : 0.0;
    case Type::Integer:
        return static_cast<double>(entry->value.toLongLong());
    case Type::Double:
        return entry->value.toDouble();
    default:
        return std::nullopt;
    }
}

std::optional<QString> UserDefaults::optionalText(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry || entry->type != Type::Text)
        return std::nullopt;
    return entry->value.toString();
}

std::optional<QByteArray> UserDefaults::optionalData(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry || entry->type != Type::Data)
        return std::nullopt;
    return entry->value.toByteArray();
}

std::optional<QStringList> UserDefaults::optionalTextList(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry || entry->type != Type::TextList)
        return std::nullopt;
    return entry->value.toStringList();
}

bool UserDefaults::flag(const QString& key, bool fallback) const {
    return optionalFlag(key).value_or(fallback);
}

qint64 UserDefaults::integer(const QString& key, qint64 fallback) const {
    return optionalInteger(key).value_or(fallback);
}

double UserDefaults::doubleValue(const QString& key, double fallback) const {
    return optionalDouble(key).value_or(fallback);
}

QString UserDefaults::text(const QString& key, const QString& fallback) const {
    return optionalText(key).value_or(fallback);
}

std::optional<QDateTime> UserDefaults::date(const QString& key) const {
    const Entry* entry = find(key);
    if (!entry || entry->type != Type::Date)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(entry->value.toLongLong());
}

QByteArray UserDefaults::data(const QString& key) const {
    return optionalData(key).value_or(QByteArray());
}

QStringList UserDefaults::textList(const QString& key) const {
    return optionalTextList(key).value_or(QStringList());
}

bool UserDefaults::contains(const QString& key) const {
    return values_.contains(key);
}

std::optional<UserDefaults::Type> UserDefaults::typeOf(const QString& key) const {
    const Entry* entry = find(key);
    return entry ? std::optional<Type>(entry->type) : std::nullopt;
}

void UserDefaults::setFlag(const QString& key, bool value) {
    store(key, Type::Flag, QVariant(value));
}

void UserDefaults::setInteger(const QString& key, qint64 value) {
    store(key, Type::Integer, QVariant(value));
}

void UserDefaults::setDouble(const QString& key, double value) {
    store(key, Type::Double, QVariant(value));
}

void UserDefaults::setText(const QString& key, const QString& value) {
    store(key, Type::Text, QVariant(value));
}

void UserDefaults::setDate(const QString& key, const QDateTime& value) {
    if (!value.isValid()) {
        remove(key);
        return;
    }
    store(key, Type::Date, QVariant(value.toMSecsSinceEpoch()));
}

void UserDefaults::setData(const QString& key, const QByteArray& value) {
    store(key, Type::Data, QVariant(value));
}

void UserDefaults::setTextList(const QString& key, const QStringList& value) {
    store(key, Type::TextList, QVariant(value));
}

#include "moc_UserDefaults.cpp"
