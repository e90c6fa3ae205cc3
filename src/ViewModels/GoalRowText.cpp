#include "ViewModels/GoalRowText.h"

#include "Models/Goal.h"
#include "Platform/DateText.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Extensions/ProgressPercent.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/ColorHex.h"

QColor GoalLook::color(const Goal* goal) {
    const auto hex = goal ? goal->colorHex() : std::nullopt;
    return ColorHex::fromHex(hex.value_or(ColorHex::fallbackHex()));
}

GoalPriority GoalLook::priority(const Goal& goal) {
    return GoalPriorities::fromRaw(goal.priority()).value_or(GoalPriority::medium);
}

DeadlineTone GoalLook::deadlineTone(int days) {
    if (days < 0)
        return DeadlineTone::overdue;
    if (days <= 6)
        return DeadlineTone::soon;
    return DeadlineTone::later;
}

QString GoalLook::shownTitle(const Goal& goal, bool masked) {
    return masked ? AppViewModel::maskedTitle() : GoalText::title(goal);
}

GoalFace GoalFace::of(const Goal& goal, bool masked) {
    return {goal.objectID(),
            masked,
            GoalLook::shownTitle(goal, masked),
            GoalText::category(goal),
            GoalLook::color(&goal),
            GoalLook::priority(goal)};
}

namespace {

QString percentText(double progress) {
    return ProgressPercent::text(progress) + QLatin1Char('%');
}

} // namespace

GoalRowText GoalRowText::of(const Goal& goal, bool masked, const QDateTime& now) {
    GoalRowText text;
    static_cast<GoalFace&>(text) = GoalFace::of(goal, masked);
    const double progress = goal.progressPercentage();
    text.percent = percentText(progress);
    text.progress = ProgressPercent::clamp(progress);
    if (goal.needsMoney())
        text.money = Text::wholeNumber(goal.financialContributed()) + QLatin1Char('/') +
                     Text::wholeNumber(goal.targetAmount());
    else if (goal.streak() >= 1)
        text.streak = QString::number(goal.streak()) + QLatin1Char('d');
    if (const std::optional<int> days = goal.daysUntilDeadline(now)) {
        text.deadline = deadlineText(*days);
        text.deadlineTone = GoalLook::deadlineTone(*days);
    }
    const GoalFigures::Figures figures = goal.figures();
    text.efforts = QStringLiteral("%1/%2").arg(figures.completedMilestones).arg(figures.milestones);
    return text;
}

QString GoalRowText::deadlineText(int days) {
    return days < 0 ? QStringLiteral("Overdue") : QStringLiteral("Due in %1d").arg(days);
}

GoalCardText GoalCardText::of(const Goal& goal, bool masked, const QDateTime& now) {
    GoalCardText text;
    static_cast<GoalFace&>(text) = GoalFace::of(goal, masked);
    text.momentum = goal.wrappedMomentumState();
    text.progress = ProgressPercent::clamp(goal.progressPercentage());
    text.streak = goal.streak();
    text.showsStreak = goal.streak() >= 1;
    if (const std::optional<int> days = goal.daysUntilDeadline(now)) {
        text.deadline = deadlineText(*days);
        text.deadlineSymbol = symbolFor(*days);
        text.deadlineTone = GoalLook::deadlineTone(*days);
    }
    return text;
}

QString GoalCardText::deadlineText(int days) {
    if (days < 0)
        return QStringLiteral("Overdue by %1d").arg(-qint64(days));
    if (days == 0)
        return QStringLiteral("Due today");
    if (days == 1)
        return QStringLiteral("Due tomorrow");
    return QStringLiteral("Due in %1 days").arg(days);
}

QString GoalCardText::symbolFor(int days) {
    return days < 0 ? QStringLiteral("exclamationmark.triangle.fill") : QStringLiteral("calendar");
}

GoalHeaderText GoalHeaderText::of(const Goal& goal, const QDateTime& now) {
    GoalHeaderText text;
    static_cast<GoalFace&>(text) = GoalFace::of(goal, false);
    text.momentum = goal.wrappedMomentumState();
    text.notes = goal.notes().value_or(QString());
    if (const std::optional<QDateTime> deadline = goal.deadline()) {
        text.deadline = DateText::medium(deadline->toLocalTime().date());
        text.overdue = goal.isOverdue(now);
    }
    if (goal.streak() >= 1)
        text.streak = QString::number(goal.streak()) + QStringLiteral(" day streak");
    return text;
}

ArchivedGoalText ArchivedGoalText::of(const Goal& goal) {
    ArchivedGoalText text;
    static_cast<GoalFace&>(text) = GoalFace::of(goal, false);
    if (const std::optional<QDateTime> deadline = goal.deadline())
        text.completedBy = QStringLiteral("Completed by ") + DateText::medium(deadline->toLocalTime().date());
    return text;
}

SidebarGoalText SidebarGoalText::of(const Goal& goal, bool masked) {
    SidebarGoalText text;
    static_cast<GoalFace&>(text) = GoalFace::of(goal, masked);
    text.percent = percentText(goal.progressPercentage());
    return text;
}

GoalProgressText GoalProgressText::of(const Goal& goal) {
    const double progress = goal.progressPercentage();
    const bool fromSteps = goal.totalSteps() > 0;
    return {GoalLook::color(&goal), progress, percentText(progress),
            fromSteps ? QStringLiteral("Based on steps") : QStringLiteral("Manual"), fromSteps};
}
