#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite

// A typed key-value store for the user's preferences, one SQLite row per key with its type.
// Every set is committed at once; reads come from memory. Each value keeps its type: a value
// read as another type counts as absent, except among numbers (a flag reads as 0 or 1, an
// integer as a double, a double as an integer truncated toward zero, and any number as a
// flag that is true when not zero). Nothing is registered: readers supply their own
// fallbacks, and the optional readers tell an absent key from a present one.
class UserDefaults : public QObject {
    Q_OBJECT
public:
    enum class Type { Flag, Integer, Double, Text, Date, Data, TextList };

    // The process's store, defaults.sqlite in the user's configuration folder under
    // "Quorvale/", opened on first use.
    static UserDefaults& standard();
    // Drops the process's store; the next standard() opens it again from the environment.
    static void resetStandard();
    static QString standardPath();

    // Opens or creates the store at path. A file that is not a readable store is moved aside
    // under a time-stamped name and an empty store is used; when the file cannot be opened at
    // all it is left untouched and values live in memory only.
    // Something that is not a regular file in the place of the file or its -wal, -shm or
    // -journal is never opened nor moved: values live in memory only.
    explicit UserDefaults(const QString& path, QObject* parent = nullptr);
    ~UserDefaults() override;

    // "<file> is a named pipe, not a file" for the first of the file at path and its -wal, -shm
    // and -journal that is there and is not a regular file; empty when none is. Opens nothing.
    static QString notAFileReason(const QString& path);

    QString path() const { return path_; }
    // Where an unreadable file was moved to when this store was opened, else empty.
    QString movedAsidePath() const { return movedAside_; }
    bool isPersistent() const;

    bool flag(const QString& key, bool fallback = false) const;
    qint64 integer(const QString& key, qint64 fallback = 0) const;
    double doubleValue(const QString& key, double fallback = 0) const;
    QString text(const QString& key, const QString& fallback = {}) const;
    std::optional<QDateTime> date(const QString& key) const;
    QByteArray data(const QString& key) const;
    QStringList textList(const QString& key) const;

    std::optional<bool> optionalFlag(const QString& key) const;
    std::optional<qint64> optionalInteger(const QString& key) const;
    std::optional<double> optionalDouble(const QString& key) const;
    std::optional<QString> optionalText(const QString& key) const;
    std::optional<QByteArray> optionalData(const QString& key) const;
    std::optional<QStringList> optionalTextList(const QString& key) const;

    bool contains(const QString& key) const;
    std::optional<Type> typeOf(const QString& key) const;
    int count() const { return static_cast<int>(values_.size()); }

    void setFlag(const QString& key, bool value);
    void setInteger(const QString& key, qint64 value);
    void setDouble(const QString& key, double value);
    void setText(const QString& key, const QString& value);
    // Stored to the millisecond; an invalid date removes the key.
    void setDate(const QString& key, const QDateTime& value);
    void setData(const QString& key, const QByteArray& value);
    void setTextList(const QString& key, const QStringList& value);
    void remove(const QString& key);

signals:
    // A key was set to a different value or removed.
    void changed(const QString& key);

private:
    struct Entry {
        Type type;
        QVariant value;
    };

    void open();
    bool tryOpen(QString* failure, bool* unreadable);
    void moveAside();
    void load();
    const Entry* find(const QString& key) const;
    void store(const QString& key, Type type, QVariant value);

    QString path_;
    QString movedAside_;
    QHash<QString, Entry> values_;
    std::unique_ptr<SQLite::Database> db_;
    std::unique_ptr<SQLite::Statement> upsert_;
    std::unique_ptr<SQLite::Statement> delete_;
};
