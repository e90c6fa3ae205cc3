#include "Views/Goals/GoalAlerts.h"

#include "Components/AlertDialog.h"
#include "Models/Goal.h"
#include "ViewModels/GoalText.h"

namespace {

// The alert closes before its buttons act, so an action may be gone by then.
std::function<void()> guarded(std::function<void()> action) {
    return [action = std::move(action)] {
        if (action)
            action();
    };
}

} // namespace

SheetHost* GoalAlerts::offerAchieve(QWidget* over, const Goal& goal,
                                    std::function<void()> onAddToAchievements,
                                    std::function<void()> onJustMarkComplete) {
    return offerAchieve(over, GoalText::title(goal), std::move(onAddToAchievements),
                        std::move(onJustMarkComplete));
}

SheetHost* GoalAlerts::offerAchieve(QWidget* over, const QString& title,
                                    std::function<void()> onAddToAchievements,
                                    std::function<void()> onJustMarkComplete) {
    return AlertDialog::present(over, QStringLiteral("Mark as Achieved?"),
                                QStringLiteral("\"%1\" will be marked as complete.").arg(title),
                                {{QStringLiteral("Add to Achievements"), AlertDialog::Role::Default,
                                  guarded(std::move(onAddToAchievements))},
                                 {QStringLiteral("Just Mark Complete"), AlertDialog::Role::Plain,
                                  guarded(std::move(onJustMarkComplete))},
                                 {QStringLiteral("Cancel"), AlertDialog::Role::Cancel, {}}});
}

SheetHost* GoalAlerts::confirmDelete(QWidget* over, const Goal& goal, std::function<void()> onDelete) {
    return confirmDelete(over, GoalText::title(goal), std::move(onDelete));
}

SheetHost* GoalAlerts::confirmDelete(QWidget* over, const QString& title, std::function<void()> onDelete) {
    return AlertDialog::present(
        over, QStringLiteral("Delete \"%1\"?").arg(title),
        QStringLiteral("This will permanently remove the goal and all its data."),
        {{QStringLiteral("Delete Permanently"), AlertDialog::Role::Destructive, guarded(std::move(onDelete))},
         {QStringLiteral("Cancel"), AlertDialog::Role::Cancel, {}}});
}
