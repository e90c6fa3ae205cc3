#pragma once

#include <QString>
#include <QStringList>

// The stored payment methods of expenses, incomes and subscriptions, with the labels the
// forms show for them, in the order the forms offer them. Bills write the card method with a
// blank ("credit card"); readers of a bill's method take that text as it is.
namespace PaymentMethods {

inline const QString cash = QStringLiteral("cash");
inline const QString debit = QStringLiteral("debit");
inline const QString creditCard = QStringLiteral("creditCard");
inline const QString billCreditCard = QStringLiteral("credit card");

// "cash", "debit", "creditCard".
const QStringList& values();
// "Cash", "Debit", "Credit Card".
const QStringList& labels();
// The position of a stored method among values(); the bills' "credit card" counts as the
// card method. -1 for any other text.
int indexOf(const QString& method);

} // namespace PaymentMethods
