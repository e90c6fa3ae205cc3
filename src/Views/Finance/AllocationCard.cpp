#include "Views/Finance/AllocationCard.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/Finance/FinanceTones.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const std::vector<QColor>& AllocationCard::palette() {
    // The last four are the platform's standard teal, orange, pink and cyan in their dark look.
    static const std::vector<QColor> colors{AppTheme::Colors::rose(),   AppTheme::Colors::amber(),
                                            AppTheme::Colors::indigo(), AppTheme::Colors::violet(),
                                            QColor(0x40, 0xC8, 0xE0),   QColor(0xFF, 0x9F, 0x0A),
                                            QColor(0xFF, 0x37, 0x5F),   QColor(0x64, 0xD2, 0xFF)};
    return colors;
}

std::vector<DonutChart::Slice> AllocationCard::slices(const CashFlowViewModel::Allocation& allocation) {
    std::vector<DonutChart::Slice> out;
    for (std::size_t i = 0; i < allocation.shares.size(); ++i) {
        const auto& share = allocation.shares[i];
        out.push_back({share.label, share.amount,
                       share.remaining ? AppTheme::Colors::emerald() : palette()[i % palette().size()]});
    }
    return out;
}

AllocationCard::AllocationCard(CashFlowViewModel* viewModel, std::function<void()> onAllocate,
                               QWidget* parent)
    : CardSlice(18, AppTheme::Colors::borderSubtle(), parent), viewModel_(viewModel),
      onAllocate_(std::move(onAllocate)) {
    setObjectName(QStringLiteral("allocationCard"));
    setGap(kGap);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, kGap + 16, 16, 16);
    column->setSpacing(0);
}

void AllocationCard::render() {
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* top = new QHBoxLayout;
    top->setSpacing(32);
    auto* donut = new DonutChart;
    donut->setObjectName(QStringLiteral("allocationDonut"));
    const auto allocation = viewModel_->allocation();
    donut->setSlices(slices(allocation));
    donut->setCenterText(viewModel_->totalIncomeText(), tr("income"));
    top->addWidget(donut);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addStretch(1);
    texts->addWidget(ScreenStyle::label(tr("Distribute this amount"), Theme::font(13, QFont::Medium),
                                        Theme::textPrimary()));
    auto* status = FinanceForm::elidedLabel(Theme::font(12), FinanceTones::color(allocation.statusTone));
    status->setFullText(allocation.status, allocation.statusTip);
    status->setObjectName(QStringLiteral("allocationStatus"));
    texts->addWidget(status);
    texts->addSpacing(4);
    auto* allocate = ScreenStyle::filledButton(tr("Allocate"), Theme::font(13, QFont::Medium),
                                               Theme::css(AppTheme::Colors::indigo()), 16, 8, 8);
    allocate->setObjectName(QStringLiteral("allocateButton"));
    FocusAfter::markCarryOn(allocate, QStringLiteral("allocationRow"));
    ScreenStyle::setSymbol(allocate, QStringLiteral("plus"), Qt::white, 11);
    connect(allocate, &QPushButton::clicked, this, [this] { onAllocate_(); });
    texts->addWidget(allocate, 0, Qt::AlignLeft);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    column->addLayout(top);

    // With fixed expenses the rule closes this slice and their rows follow, the last one
    // holding the card's bottom.
    const bool rows = !viewModel_->fixedExpenses().empty();
    if (rows)
        column->addWidget(ScreenStyle::divider());
    setEnds(true, !rows);
    setBody(body);
}
