#include "Views/Finance/FinanceSheet.h"

#include "Components/SheetHost.h"
#include "Core/Theme/Theme.h"
#include "Views/Achievements/ScreenStyle.h"

void FinanceSheet::dismiss() {
    emit dismissed();
    if (SheetHost* host = SheetHost::of(this))
        host->dismiss();
}

void FinanceSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
