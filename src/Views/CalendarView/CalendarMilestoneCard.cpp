#include "Views/CalendarView/CalendarMilestoneCard.h"

#include "Components/ScreenStyle.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/CalendarHelpers.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/EnumStyles.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarStepRow.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/CalendarTextLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

// A filled disc of the goal colour.
class GoalDot : public QWidget {
public:
    explicit GoalDot(const QColor& color) : color_(color) { setFixedSize(10, 10); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color_);
        painter.drawEllipse(QRectF(rect()));
    }

private:
    QColor color_;
};

} // namespace

CalendarMilestoneCard::CalendarMilestoneCard(const CalendarMilestoneItem& item, CalendarViewModel* viewModel,
                                             QWidget* parent)
    : QWidget(parent), item_(item), viewModel_(viewModel), goalColor_(GoalLook::color(item.goal.get())) {
    setObjectName(QStringLiteral("calendarMilestoneCard"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildHeader(column);

    divider_ = new QWidget;
    auto* dividerRow = new QHBoxLayout(divider_);
    dividerRow->setContentsMargins(16, 0, 16, 0);
    dividerRow->addWidget(ScreenStyle::divider());
    column->addWidget(divider_);
    stepsBox_ = new QWidget;
    steps_ = new QVBoxLayout(stepsBox_);
    steps_->setContentsMargins(0, 8, 0, 8);
    steps_->setSpacing(2);
    column->addWidget(stepsBox_);
    noSteps_ = ScreenStyle::label(tr("No steps defined"), Theme::font(12), Theme::textMuted());
    noSteps_->setObjectName(QStringLiteral("noStepsLabel"));
    noSteps_->setContentsMargins(16, 16, 16, 16);
    column->addWidget(noSteps_);

    connect(viewModel_, &CalendarViewModel::selectedDateChanged, this, &CalendarMilestoneCard::rebuildSteps);
    rebuildSteps();
}

void CalendarMilestoneCard::buildHeader(QVBoxLayout* column) {
    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 16, 16, 16);
    header->setSpacing(8);
    header->addWidget(new GoalDot(goalColor_));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto* goalTitle = new CalendarTextLine(Theme::font(11, QFont::Medium), goalColor_);
    goalTitle->setObjectName(QStringLiteral("milestoneGoalTitle"));
    goalTitle->setText(GoalText::title(*item_.goal));
    auto* milestoneTitle = new CalendarTextLine(Theme::font(14, QFont::Medium), Theme::textPrimary());
    milestoneTitle->setObjectName(QStringLiteral("milestoneTitle"));
    milestoneTitle->setText(GoalText::milestoneTitle(item_.milestone.get()));
    titles->addWidget(goalTitle);
    titles->addWidget(milestoneTitle);
    header->addLayout(titles, 1);
    const auto raw = item_.milestone->frequency();
    if (const auto frequency = raw ? MilestoneFrequencies::fromRaw(*raw) : std::nullopt) {
        const QColor color = EnumStyles::color(*frequency);
        auto* badge = new CalendarChip(*raw, Theme::font(10, QFont::Medium));
        badge->setObjectName(QStringLiteral("frequencyBadge"));
        badge->setSymbol(EnumStyles::symbol(*frequency), 10);
        badge->setPadding(7, 3);
        badge->setSpacing(3);
        badge->setColors(color, Theme::withOpacity(color, 0.12));
        badge->setFocusPolicy(Qt::NoFocus);
        badge->setCursor(Qt::ArrowCursor);
        header->addWidget(badge);
    }
    fold_ = new CalendarIconButton(QStringLiteral("chevron.up"), 11, Theme::textMuted());
    fold_->setObjectName(QStringLiteral("milestoneFoldButton"));
    connect(fold_, &CalendarIconButton::clicked, this, &CalendarMilestoneCard::toggleExpanded);
    header->addWidget(fold_);
    column->addLayout(header);
}

void CalendarMilestoneCard::rebuildSteps() {
    const QDateTime day = Calendar::startOfDay(viewModel_->selectedDate());
    if (day == shownDay_ && !stepRows_.empty())
        return;
    shownDay_ = day;
    for (CalendarStepRow* row : stepRows_) {
        CalendarStyle::removeLater(row);
    }
    stepRows_.clear();
    for (const auto& step : viewModel_->stepsOf(item_.milestone)) {
        auto* row = new CalendarStepRow(step, goalColor_, day);
        steps_->addWidget(row);
        stepRows_.push_back(row);
    }
    updateChrome();
}

void CalendarMilestoneCard::toggleExpanded() {
    expanded_ = !expanded_;
    updateChrome();
}

void CalendarMilestoneCard::updateChrome() {
    fold_->setSymbol(expanded_ ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"),
                     Theme::textMuted());
    fold_->setAccessibleName(expanded_ ? tr("Hide steps") : tr("Show steps"));
    divider_->setVisible(expanded_);
    stepsBox_->setVisible(expanded_ && !stepRows_.empty());
    noSteps_->setVisible(expanded_ && stepRows_.empty());
}

void CalendarMilestoneCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    painter.fillPath(shape, Theme::backgroundSecondary());
    painter.setPen(QPen(Theme::withOpacity(goalColor_, 0.2), 1));
    painter.drawPath(shape);
}
