#include "ViewModels/Finance/CategoryStore.h"

#include "Platform/UserDefaults.h"

#include <QCoreApplication>

namespace {

const QString kKey = QStringLiteral("expenseCategories");

bool isTrimmed(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimSpacesAndTabs(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text.at(begin)))
        ++begin;
    while (end > begin && isTrimmed(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

CategoryStore& CategoryStore::shared() {
    static CategoryStore* store = new CategoryStore(QCoreApplication::instance());
    return *store;
}

CategoryStore::CategoryStore(QObject* parent) : QObject(parent) {
    categories_ = UserDefaults::standard().optionalTextList(kKey).value_or(defaultCategories());
}

QStringList CategoryStore::defaultCategories() {
    return {QStringLiteral("Food"),   QStringLiteral("Transport"), QStringLiteral("Entertainment"),
            QStringLiteral("Health"), QStringLiteral("Shopping"),  QStringLiteral("Subscription")};
}

void CategoryStore::setCategories(const QStringList& categories) {
    categories_ = categories;
    emit categoriesChanged();
    UserDefaults::standard().setTextList(kKey, categories_);
}

void CategoryStore::add(const QString& name) {
    const QString trimmed = trimSpacesAndTabs(name);
    if (trimmed.isEmpty())
        return;
    const QString canonical = trimmed.normalized(QString::NormalizationForm_C);
    for (const QString& existing : categories_)
        if (existing.normalized(QString::NormalizationForm_C) == canonical)
            return;
    QStringList next = categories_;
    next.append(trimmed);
    setCategories(next);
}
