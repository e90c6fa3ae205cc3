#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class AppViewModel;
class ObjectContext;

// The first-run walk-through: the name typed (shown back, stored nowhere), the first goal and
// the end of the onboarding.
class OnboardingViewModel : public QObject {
    Q_OBJECT
public:
    OnboardingViewModel(ObjectContext* context, AppViewModel* appViewModel, QObject* parent = nullptr);

    // The goal colours offered, the first being the default.
    static const QStringList& swatches();

    // Stores a goal of that title exactly as typed, in "Personal", medium priority, coasting.
    // False when the save failed (the goal is then not kept and the alert says so).
    bool createFirstGoal(const QString& title, const QString& colorHex);
    bool firstGoalCreated() const { return firstGoalCreated_; }
    // Records that the onboarding is complete and closes it.
    void finish();

    // "You're all set!" or "You're all set, <name>!".
    static QString finalTitle(const QString& name);

private:
    ObjectContext* context_;
    AppViewModel* appViewModel_;
    bool firstGoalCreated_ = false;
};
