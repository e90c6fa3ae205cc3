#include "Views/Deadlines/DeadlinesSection.h"

#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Core/Theme/Theme.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Deadlines/DeadlineCardView.h"
#include "Views/Deadlines/FinanceDeadlineCardView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

DeadlinesSection::DeadlinesSection(const QString& title, const QString& symbol, const QColor& color,
                                   const DeadlinesViewModel::Goals& goals,
                                   const DeadlinesViewModel::FinanceDeadlines& finance, QWidget* parent)
    : QWidget(parent), title_(title) {
    setObjectName(QStringLiteral("deadlinesSection"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(new SymbolIcon(symbol, Symbols::pixelSizeForFontSize(14), color, this));
    header->addWidget(
        ScreenStyle::label(title, Theme::font(18, QFont::DemiBold), Theme::textPrimary(), this));
    count_ = ScreenStyle::label(QStringLiteral("(%1)").arg(goals.size() + finance.size()), Theme::font(14),
                                Theme::textMuted(), this);
    count_->setObjectName(QStringLiteral("sectionCount"));
    header->addWidget(count_);
    header->addStretch(1);
    column->addLayout(header);

    for (const auto& goal : goals) {
        auto* card = new DeadlineCardView(goal, color, this);
        column->addWidget(card);
        goalCards_.push_back(card);
    }
    for (const auto& item : finance) {
        auto* card = new FinanceDeadlineCardView(item, this);
        column->addWidget(card);
        financeCards_.push_back(card);
    }
}

QString DeadlinesSection::countText() const {
    return count_->text();
}

void DeadlinesSection::tick() {
    for (DeadlineCardView* card : goalCards_)
        card->tick();
}
