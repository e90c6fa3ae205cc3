#pragma once

#include <QWidget>

#include <memory>
#include <vector>

class DailyLogViewModel;
class Goal;
class GoalChip;
class QPlainTextEdit;
class QPushButton;
class ScoreScale;

// The "Log Progress" sheet: pick a goal, rate mood, energy and focus from 1 to 5, add notes,
// and save one journal entry for the day selected on the journal screen. It opens on the
// first goal of the list with 3, 3, 3 and empty notes, and closes its sheet host itself.
class AddLogView : public QWidget {
    Q_OBJECT
public:
    AddLogView(std::vector<std::shared_ptr<Goal>> goals, DailyLogViewModel* viewModel,
               QWidget* parent = nullptr);

    // The width the journal presents the sheet at and the least height it gives it.
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 520;
    // The height to present at: the sheet's frame, or more when the content needs it.
    int presentedHeight() const;

    std::shared_ptr<Goal> selectedGoal() const { return selectedGoal_; }
    void selectGoal(const std::shared_ptr<Goal>& goal);
    ScoreScale* moodScale() const { return mood_; }
    ScoreScale* energyScale() const { return energy_; }
    ScoreScale* focusScale() const { return focus_; }

    void save();
    void dismiss();

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildGoalPicker();
    void updateSaveButton();

    std::vector<std::shared_ptr<Goal>> goals_;
    DailyLogViewModel* viewModel_;
    std::shared_ptr<Goal> selectedGoal_;
    std::vector<GoalChip*> chips_;
    ScoreScale* mood_ = nullptr;
    ScoreScale* energy_ = nullptr;
    ScoreScale* focus_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
