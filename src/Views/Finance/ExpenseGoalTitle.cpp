#include "Views/Finance/ExpenseGoalTitle.h"

#include "Components/MenuPicker.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Models/Goal.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QString goalTitle(const Goal& goal) {
    return GoalText::title(goal);
}

} // namespace

ExpenseGoalTitle::ExpenseGoalTitle(std::vector<std::shared_ptr<Goal>> goals, QLineEdit* titleField,
                                   QWidget* parent)
    : QWidget(parent), goals_(std::move(goals)), titleField_(titleField), column_(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("goalTitle"));
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(8);
    if (!goals_.empty()) {
        picker_ = new MenuPicker;
        picker_->setObjectName(QStringLiteral("goalPicker"));
        picker_->setAccessibleName(tr("Select goal or custom"));
        picker_->addOption(tr("Custom / Enter manually"));
        for (const auto& goal : goals_)
            picker_->addOption(goalTitle(*goal), goal->id() ? QVariant::fromValue(*goal->id()) : QVariant());
        connect(picker_, &MenuPicker::currentIndexChanged, this, &ExpenseGoalTitle::choose);
        column_->addWidget(picker_);
    }
    column_->addWidget(titleField_);
    refresh();
}

std::shared_ptr<Goal> ExpenseGoalTitle::selectedGoal() const {
    if (!selectedGoalID_)
        return nullptr;
    for (const auto& goal : goals_)
        if (goal->id() == selectedGoalID_)
            return goal;
    return nullptr;
}

void ExpenseGoalTitle::setSelectedGoalID(const std::optional<QUuid>& id) {
    selectedGoalID_ = id;
    if (picker_) {
        const QSignalBlocker blocker(picker_);
        int index = 0;
        for (std::size_t i = 0; i < goals_.size(); ++i)
            if (id && goals_[i]->id() == id) {
                index = int(i) + 1;
                break;
            }
        picker_->setCurrentIndex(index);
    }
    refresh();
}

void ExpenseGoalTitle::choose(int index) {
    if (index <= 0) {
        selectedGoalID_.reset();
        titleField_->clear();
    } else {
        const auto& goal = goals_[std::size_t(index - 1)];
        selectedGoalID_ = goal->id();
        titleField_->setText(goalTitle(*goal));
    }
    refresh();
}

void ExpenseGoalTitle::refresh() {
    if (goalCard_) {
        column_->removeWidget(goalCard_);
        goalCard_->hide();
        goalCard_->deleteLater();
        goalCard_ = nullptr;
    }
    if (goals_.empty()) {
        titleField_->setVisible(true);
        return;
    }
    titleField_->setVisible(!selectedGoalID_);
    // A link to a goal no longer offered shows neither the field nor a card.
    if (const auto goal = selectedGoal()) {
        goalCard_ = buildGoalCard(*goal);
        column_->addWidget(goalCard_);
    }
}

QWidget* ExpenseGoalTitle::buildGoalCard(const Goal& goal) {
    const QColor color = GoalLook::color(&goal);
    auto* card = new QWidget;
    card->setObjectName(QStringLiteral("goalCard"));
    card->setAttribute(Qt::WA_StyledBackground, true);
    card->setStyleSheet(
        QStringLiteral("QWidget#goalCard { background: %1; border: 1px solid %2; "
                       "border-radius: 8px; }")
            .arg(Theme::css(Theme::withOpacity(color, 0.08)), Theme::css(Theme::withOpacity(color, 0.2))));
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(8);
    row->addWidget(new SymbolIcon(QStringLiteral("target"), 13, color));
    auto* title = ScreenStyle::label(goalTitle(goal), Theme::font(13, QFont::Medium), Theme::textPrimary());
    title->setObjectName(QStringLiteral("goalCardTitle"));
    title->setMinimumWidth(0);
    title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(title, 1);
    if (goal.targetAmount() > 0) {
        auto* figures =
            ScreenStyle::label(QStringLiteral("%1 / %2").arg(Text::wholeNumber(goal.financialContributed()),
                                                             Text::wholeNumber(goal.targetAmount())),
                               Theme::font(11), Theme::textMuted());
        figures->setObjectName(QStringLiteral("goalCardFigures"));
        row->addWidget(figures);
    }
    return card;
}
