#include "Views/Finance/FinanceSheet.h"

#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "ViewModels/Theme/Theme.h"

void FinanceSheet::dismiss() {
    emit dismissed();
    if (SheetHost* host = SheetHost::of(this))
        host->dismiss();
}

void FinanceSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
