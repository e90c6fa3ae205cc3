#pragma once

#include <QObject>
#include <QStringList>

// The user's expense categories in the order the expense sheet shows them, kept in the user
// default "expenseCategories". Until the first change the six defaults stand in and
// nothing is written.
class CategoryStore : public QObject {
    Q_OBJECT
public:
    static CategoryStore& shared();

    explicit CategoryStore(QObject* parent = nullptr);

    const QStringList& categories() const { return categories_; }
    // Replaces the whole list and writes it.
    void setCategories(const QStringList& categories);
    // Appends the name trimmed of spaces and tabs (line breaks stay); an empty name or one
    // already present (canonically equal text, case counts) changes nothing.
    void add(const QString& name);

    static QStringList defaultCategories();

signals:
    void categoriesChanged();

private:
    QStringList categories_;
};
