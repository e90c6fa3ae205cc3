#include "Views/Finance/FinanceTabPlaceholder.h"

#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Theme/Theme.h"

#include <QLabel>
#include <QVBoxLayout>

FinanceTabPlaceholder::FinanceTabPlaceholder(FinanceTab tab, QWidget* parent) : QWidget(parent), tab_(tab) {
    setObjectName(QStringLiteral("financeTabPlaceholder"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addStretch();
    layout->addWidget(new SymbolIcon(FinanceTabs::symbolName(tab), 40, Theme::textMuted(), this), 0,
                      Qt::AlignHCenter);
    layout->addWidget(
        ScreenStyle::label(FinanceTabs::title(tab), Theme::font(22, QFont::DemiBold), Theme::textSecondary()),
        0, Qt::AlignHCenter);
    layout->addStretch();
}
