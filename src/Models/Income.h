#pragma once

#include "Platform/TextHelpers.h"
#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class ExpenseMonth;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_INCOME_ATTRIBUTES(X)                                                                              \
    X(Id, id, uuid)                                                                                          \
    X(Amount, amount, doubleValue)                                                                           \
    X(Date, date, date, indexed)                                                                             \
    X(Notes, notes, text)                                                                                    \
    X(Title, title, text)                                                                                    \
    X(PaymentMethod, paymentMethod, text)                                                                    \
    X(BankAccountID, bankAccountID, uuid)
#define QV_INCOME_RELATIONSHIPS(X) X(Month, month, ExpenseMonth, toOne, incomes, nullify)

// Money received.
class Income : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Income"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_INCOME_ATTRIBUTES, QV_INCOME_RELATIONSHIPS)

    // Inserts a new record with a fresh id.
    static std::shared_ptr<Income> create(ObjectContext* context);

    // What an income form hands over for a new or changed income.
    struct Draft {
        QString title;
        double amount = 0;
        QDateTime date;
        QString paymentMethod;
        QString notes; // empty: no notes
    };
    // Writes every field of the draft into the record, empty notes as none. The account the
    // money went to is not the form's to change and stays as it is.
    void write(const Draft& draft);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    double amount() const { return doubleValue(Amount); }
    void setAmount(double value) { setValue(Amount, QVariant(value)); }
    std::optional<QDateTime> date() const { return dateValue(Date); }
    void setDate(const std::optional<QDateTime>& value) { setOptional(Date, value); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> paymentMethod() const { return textValue(PaymentMethod); }
    void setPaymentMethod(const std::optional<QString>& value) {
        setOptional(PaymentMethod, Text::oneLine(value));
    }
    std::optional<QUuid> bankAccountID() const { return uuidValue(BankAccountID); }
    void setBankAccountID(const std::optional<QUuid>& value) { setOptional(BankAccountID, value); }

    std::shared_ptr<ExpenseMonth> month() const;
    void setMonth(const std::shared_ptr<ExpenseMonth>& value);

private:
    Income() = default;
};
