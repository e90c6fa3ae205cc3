#include "ViewModels/CalendarBillText.h"

#include "Models/Bill.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/FinanceNames.h"

CalendarBillText CalendarBillText::of(const Bill& bill) {
    return {FinanceNames::bill(bill), FinanceNames::billCategory(bill),
            MoneyFormatter::format(bill.amount(), 0)};
}
