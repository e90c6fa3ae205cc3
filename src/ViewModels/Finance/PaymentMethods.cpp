#include "ViewModels/Finance/PaymentMethods.h"

const QStringList& PaymentMethods::values() {
    static const QStringList list{cash, debit, creditCard};
    return list;
}

const QStringList& PaymentMethods::labels() {
    static const QStringList list{QStringLiteral("Cash"), QStringLiteral("Debit"),
                                  QStringLiteral("Credit Card")};
    return list;
}

int PaymentMethods::indexOf(const QString& method) {
    if (method == billCreditCard)
        return 2;
    return int(values().indexOf(method));
}
