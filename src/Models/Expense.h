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

class CreditCard;
class ExpenseMonth;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_EXPENSE_ATTRIBUTES(X)                                                                             \
    X(Id, id, uuid)                                                                                          \
    X(Amount, amount, doubleValue)                                                                           \
    X(Category, category, text)                                                                              \
    X(Date, date, date, indexed)                                                                             \
    X(Notes, notes, text)                                                                                    \
    X(Title, title, text)                                                                                    \
    X(ExpenseType, expenseType, text)                                                                        \
    X(PaymentMethod, paymentMethod, text)                                                                    \
    X(CreditCardID, creditCardID, uuid)                                                                      \
    X(BilledMonth, billedMonth, date, indexed)                                                               \
    X(BankAccountID, bankAccountID, uuid)                                                                    \
    X(GoalID, goalID, uuid)
#define QV_EXPENSE_RELATIONSHIPS(X) X(Month, month, ExpenseMonth, toOne, expenses, nullify)

// Money spent, fixed or dynamic, possibly by card, from an account or towards a goal.
class Expense : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Expense"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_EXPENSE_ATTRIBUTES, QV_EXPENSE_RELATIONSHIPS)

    // The stored kinds: a fixed bill counts in the month it is billed in, dynamic spending on its day.
    static inline const QString fixed = QStringLiteral("fixed");
    static inline const QString dynamic = QStringLiteral("dynamic");

    // Inserts a new record with a fresh id.
    static std::shared_ptr<Expense> create(ObjectContext* context);

    // What an expense form hands over for a new or changed expense.
    struct Draft {
        QString title;
        double amount = 0;
        QDateTime date;
        QString expenseType;
        QString paymentMethod;
        std::optional<QUuid> creditCardID;
        QString category; // empty: no category
        QString notes;    // empty: no notes
        std::optional<QUuid> bankAccountID;
        std::optional<QUuid> goalID;
    };
    // Writes every field of the draft into the record, empty texts as none. The billed month
    // follows the draft's card, given here as the live card with that id (null when none).
    void write(const Draft& draft, const std::shared_ptr<CreditCard>& card);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    double amount() const { return doubleValue(Amount); }
    void setAmount(double value) { setValue(Amount, QVariant(value)); }
    std::optional<QString> category() const { return textValue(Category); }
    void setCategory(const std::optional<QString>& value) { setOptional(Category, Text::oneLine(value)); }
    std::optional<QDateTime> date() const { return dateValue(Date); }
    void setDate(const std::optional<QDateTime>& value) { setOptional(Date, value); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> expenseType() const { return textValue(ExpenseType); }
    void setExpenseType(const std::optional<QString>& value) { setOptional(ExpenseType, value); }
    std::optional<QString> paymentMethod() const { return textValue(PaymentMethod); }
    void setPaymentMethod(const std::optional<QString>& value) {
        setOptional(PaymentMethod, Text::oneLine(value));
    }
    std::optional<QUuid> creditCardID() const { return uuidValue(CreditCardID); }
    void setCreditCardID(const std::optional<QUuid>& value) { setOptional(CreditCardID, value); }
    std::optional<QDateTime> billedMonth() const { return dateValue(BilledMonth); }
    void setBilledMonth(const std::optional<QDateTime>& value) { setOptional(BilledMonth, value); }
    std::optional<QUuid> bankAccountID() const { return uuidValue(BankAccountID); }
    void setBankAccountID(const std::optional<QUuid>& value) { setOptional(BankAccountID, value); }
    std::optional<QUuid> goalID() const { return uuidValue(GoalID); }
    void setGoalID(const std::optional<QUuid>& value) { setOptional(GoalID, value); }

    std::shared_ptr<ExpenseMonth> month() const;
    void setMonth(const std::shared_ptr<ExpenseMonth>& value);

    // 00:00 of the first day of the month the spend is billed in: the spend's own month,
    // or the next one when paid by a card whose statement closed on or before the spend day.
    static QDateTime computeBilledMonth(const QDateTime& spendDate,
                                        const std::shared_ptr<CreditCard>& creditCard);

private:
    Expense() = default;
};
