#include "ViewModels/OnboardingViewModel.h"

#include "Models/Goal.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/AppViewModel.h"

OnboardingViewModel::OnboardingViewModel(ObjectContext* context, AppViewModel* appViewModel, QObject* parent)
    : QObject(parent), context_(context), appViewModel_(appViewModel) {}

const QStringList& OnboardingViewModel::swatches() {
    static const QStringList colours{QStringLiteral("#4F46E5"), QStringLiteral("#0891B2"),
                                     QStringLiteral("#059669"), QStringLiteral("#D97706"),
                                     QStringLiteral("#F97316"), QStringLiteral("#E11D48"),
                                     QStringLiteral("#7C3AED"), QStringLiteral("#2563EB")};
    return colours;
}

bool OnboardingViewModel::createFirstGoal(const QString& title, const QString& colorHex) {
    ActionGuard action(*context_);
    auto goal = Goal::create(context_);
    goal->setTitle(title);
    goal->setCategory(QStringLiteral("Personal"));
    goal->setColorHex(colorHex);
    goal->setPriority(2);
    goal->setStreak(0);
    goal->setMomentumState(QStringLiteral("coasting"));
    goal->setIsArchived(false);
    firstGoalCreated_ = action.commit();
    return firstGoalCreated_;
}

void OnboardingViewModel::finish() {
    if (appViewModel_)
        appViewModel_->completeOnboarding();
}

QString OnboardingViewModel::finalTitle(const QString& name) {
    return name.isEmpty() ? QStringLiteral("You're all set!")
                          : QStringLiteral("You're all set, %1!").arg(name);
}
