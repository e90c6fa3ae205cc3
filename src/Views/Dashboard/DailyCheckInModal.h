#pragma once

#include <QWidget>

#include <vector>

class CheckInGoalRow;
class DailyCheckInViewModel;
class EnergyBarButton;
class MoodEmojiButton;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class VirtualList;
struct AppEnvironment;

// The once-a-day check-in card, 480 points wide: mood, energy, the goals worked on today and
// a note. "Complete Check-In" writes the day's entries; the close button and "Skip for
// today" end the day's check-in without writing. A failed save leaves the card open with
// every choice as it was.
class DailyCheckInModal : public QWidget {
    Q_OBJECT
public:
    explicit DailyCheckInModal(const AppEnvironment& env, QWidget* parent = nullptr);

    DailyCheckInViewModel* viewModel() const { return viewModel_; }
    const std::vector<MoodEmojiButton*>& moodButtons() const { return moods_; }
    const std::vector<EnergyBarButton*>& energyButtons() const { return energies_; }
    QLabel* energyLabel() const { return energyLabel_; }
    // The rows in view, newest goal first.
    std::vector<CheckInGoalRow*> goalRows() const;
    QPlainTextEdit* notesEditor() const { return notes_; }
    QPushButton* completeButton() const { return complete_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* skipButton() const { return skip_; }

    void submit();
    void skip();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* section(const QString& heading, QLayout* content);
    QLayout* buildMood();
    QLayout* buildEnergy();
    void showChoices();
    void showGoals();

    DailyCheckInViewModel* viewModel_;
    std::vector<MoodEmojiButton*> moods_;
    std::vector<EnergyBarButton*> energies_;
    QLabel* energyLabel_ = nullptr;
    VirtualList* list_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPushButton* complete_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* skip_ = nullptr;
};
