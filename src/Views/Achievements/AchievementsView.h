#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

class AchievementsViewModel;
class QLabel;
class QVBoxLayout;

// The achievements destination: the count of wins with "Add Win", then the timeline of every
// achievement grouped by year, newest year first, or an invitation to log the first win.
class AchievementsView : public QWidget {
    Q_OBJECT
public:
    explicit AchievementsView(const AppEnvironment& env, QWidget* parent = nullptr);

    AchievementsViewModel* viewModel() const { return viewModel_; }
    void showAddSheet();
    // Rebuilds the subtitle and the timeline from the view model.
    void render();

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    QWidget* buildTimeline();

    AppEnvironment env_;
    AchievementsViewModel* viewModel_;
    QLabel* subtitle_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QWidget* content_ = nullptr;
};
