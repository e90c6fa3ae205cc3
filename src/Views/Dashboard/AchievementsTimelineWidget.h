#pragma once

#include <QWidget>

#include <functional>

class AchievementsViewModel;
class QPushButton;
class QVBoxLayout;

// The last block of the dashboard: the five newest achievements on a short timeline with
// "See All", or, before the first one, an invitation that opens the add-achievement sheet.
class AchievementsTimelineWidget : public QWidget {
    Q_OBJECT
public:
    AchievementsTimelineWidget(AchievementsViewModel* viewModel, std::function<void()> onSeeAll,
                               QWidget* parent = nullptr);

    QPushButton* seeAllButton() const { return seeAll_; }
    // The invitation, shown only while there is no achievement.
    QPushButton* emptyRow() const { return empty_; }
    // The timeline rows, newest first.
    QList<QWidget*> rows() const;
    void showAddSheet();

private:
    void render();

    AchievementsViewModel* viewModel_;
    QPushButton* seeAll_;
    QPushButton* empty_;
    QWidget* timeline_;
    QVBoxLayout* timelineLayout_;
};
