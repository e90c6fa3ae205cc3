#include "Views/Goals/StepRowView.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Models/Step.h"
#include "ViewModels/GoalText.h"
#include "Views/Goals/GoalDetailStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <optional>

namespace {

struct PriorityMark {
    QString symbol;
    QColor color;
};

// Medium needs no mark; anything that is not a known priority is marked as "minus".
std::optional<PriorityMark> priorityMark(qint16 priority) {
    switch (priority) {
    case 2:
        return std::nullopt;
    case 3:
        return PriorityMark{QStringLiteral("arrow.up"), GoalDetailStyle::coral()};
    case 1:
        return PriorityMark{QStringLiteral("arrow.down"), GoalDetailStyle::emerald()};
    default:
        return PriorityMark{QStringLiteral("minus"), GoalDetailStyle::amber()};
    }
}

} // namespace

StepRowView::StepRowView(std::shared_ptr<Step> step, QColor goalColor, std::function<void()> onToggle,
                         std::function<void()> onDelete, QWidget* parent)
    : QWidget(parent), step_(std::move(step)), goalColor_(goalColor), onToggle_(std::move(onToggle)),
      onDelete_(std::move(onDelete)), toggle_(new QToolButton(this)), title_(new ElidedLabel(this)),
      priority_(new QLabel(this)), delete_(new QToolButton(this)) {
    setObjectName(QStringLiteral("stepRow"));
    FocusAfter::markRow(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 5, 16, 5);
    row->setSpacing(8);
    row->addSpacing(36);

    toggle_->setObjectName(QStringLiteral("stepToggle"));
    toggle_->setCursor(Qt::PointingHandCursor);
    FocusAfter::markAction(toggle_, FocusAfter::Action::changes);
    row->addWidget(toggle_);

    title_->setObjectName(QStringLiteral("stepTitle"));
    row->addWidget(title_, 1);

    priority_->setObjectName(QStringLiteral("stepPriority"));
    row->addWidget(priority_);

    delete_->setObjectName(QStringLiteral("stepDelete"));
    delete_->setToolTip(tr("Delete Step"));
    delete_->setCursor(Qt::PointingHandCursor);
    GoalDetailStyle::styleSymbolButton(delete_, QStringLiteral("xmark"), GoalDetailStyle::textMuted(), 9, 4,
                                       GoalDetailStyle::backgroundTertiary());
    FocusAfter::markAction(delete_, FocusAfter::Action::deletes);
    row->addWidget(delete_);

    connect(toggle_, &QToolButton::clicked, this, [this] {
        if (onToggle_)
            onToggle_();
    });
    connect(delete_, &QToolButton::clicked, this, [this] {
        if (onDelete_)
            onDelete_();
    });
    refresh();
}

void StepRowView::refresh() {
    const bool done = step_ && step_->isCompleted();
    // The completion control sits where the plain step icon would be, at the same size.
    GoalDetailStyle::styleSymbolButton(
        toggle_, done ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
        done ? goalColor_ : GoalDetailStyle::textMuted(), 14);
    toggle_->setToolTip(done ? tr("Mark as not done") : tr("Mark as done"));
    toggle_->setAccessibleName(done ? tr("Reopen step") : tr("Complete step"));

    QFont font = GoalDetailStyle::themeFont(13);
    font.setStrikeOut(done);
    GoalDetailStyle::styleLabel(title_, font,
                                done ? GoalDetailStyle::textMuted() : GoalDetailStyle::textPrimary());
    title_->setFullText(GoalText::stepTitle(step_.get()));
    setAccessibleName(GoalText::stepTitle(step_.get()));

    const auto mark = priorityMark(step_ ? step_->priority() : 2);
    priority_->setVisible(mark.has_value());
    if (mark) {
        priority_->setPixmap(GoalDetailStyle::symbolPixmap(mark->symbol, mark->color, 10));
        priority_->setProperty("symbolName", mark->symbol);
    }
}
