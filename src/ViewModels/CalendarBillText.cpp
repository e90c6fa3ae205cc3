#include "ViewModels/CalendarBillText.h"

#include "Models/Bill.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"

CalendarBillText CalendarBillText::of(const Bill& bill) {
    return {bill.name().value_or(QStringLiteral("Untitled Bill")),
            bill.category().value_or(QStringLiteral("Other")), amountText(bill.amount())};
}

QString CalendarBillText::amountText(double amount) {
    const QString text = MoneyFormatter::format(amount, 0);
    return text.isEmpty() ? Text::wholeNumber(amount) : text;
}
