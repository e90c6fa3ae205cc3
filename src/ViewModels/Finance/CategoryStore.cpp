#include "ViewModels/Finance/CategoryStore.h"

#include "Platform/TextHelpers.h"
#include "Platform/UserDefaults.h"

#include <QCoreApplication>

namespace {

const QString kKey = QStringLiteral("expenseCategories");

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
    const QString trimmed = Text::trimmed(Text::oneLine(name));
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
