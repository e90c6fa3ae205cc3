#include "Views/Finance/OverviewAccountRow.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// The inset of the rule between rows, as the rule under the card's header.
constexpr int kRuleInset = 16;
constexpr int kPadding = 8;

} // namespace

OverviewAccountRow::OverviewAccountRow(Action onEdit, Action onDelete, QWidget* parent)
    : CardSlice(18, AppTheme::Colors::borderSubtle(), parent) {
    setObjectName(QStringLiteral("accountRow"));
    FocusAfter::markRow(this);
    setEnds(false, isLast_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(kRuleInset, kPadding, kRuleInset, kPadding);
    row->setSpacing(10);
    name_ = FinanceForm::elidedLabel(Theme::font(14), Theme::textPrimary());
    name_->setObjectName(QStringLiteral("accountName"));
    row->addWidget(name_, 1);
    balance_ = FinanceForm::figureLabel(Theme::font(14, QFont::Medium), Theme::textPrimary());
    balance_->setObjectName(QStringLiteral("accountBalance"));
    row->addWidget(balance_);

    const auto buttons = FinanceForm::addEditAndDelete(
        row, this,
        [this, onEdit = std::move(onEdit)] {
            if (auto target = figures_.account.lock())
                onEdit(target);
        },
        [this, onDelete = std::move(onDelete)] {
            if (auto target = figures_.account.lock())
                onDelete(target);
        });
    buttons.edit->setObjectName(QStringLiteral("editAccount"));
    buttons.remove->setObjectName(QStringLiteral("deleteAccount"));
    for (QPushButton* button : {buttons.edit, buttons.remove})
        button->setAccessibleName(button->toolTip());
}

int OverviewAccountRow::lineHeight() {
    // Measured on a row made for the purpose: the fonts decide it, and they follow the settings.
    OverviewAccountRow probe({}, {});
    probe.bind({{}, QStringLiteral("Account"), QStringLiteral("0")}, true);
    probe.ensurePolished();
    return probe.layout()->sizeHint().height();
}

void OverviewAccountRow::bind(const Figures& figures, bool isLast) {
    figures_ = figures;
    name_->setFullText(figures.name);
    setAccessibleName(figures.name);
    balance_->setFullText(figures.balanceText);
    if (isLast_ != isLast) {
        isLast_ = isLast;
        setEnds(false, isLast);
        // The rule takes the row's bottom pixel, below the padding.
        layout()->setContentsMargins(kRuleInset, kPadding, kRuleInset, kPadding + (isLast ? 0 : 1));
    }
}

void OverviewAccountRow::paintEvent(QPaintEvent* event) {
    CardSlice::paintEvent(event);
    if (isLast_)
        return;
    QPainter painter(this);
    painter.fillRect(QRect(kRuleInset, height() - 1, width() - 2 * kRuleInset, 1),
                     AppTheme::Colors::borderSubtle());
}
