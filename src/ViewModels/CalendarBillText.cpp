#include "ViewModels/CalendarBillText.h"

#include "Models/Bill.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/FinanceNames.h"

CalendarBillText CalendarBillText::of(const Bill& bill) {
    return {FinanceNames::bill(bill), FinanceNames::billCategory(bill), amountText(bill.amount())};
}

QString CalendarBillText::amountText(double amount) {
    const QString text = MoneyFormatter::format(amount, 0);
    return text.isEmpty() ? Text::wholeNumber(amount) : text;
}
