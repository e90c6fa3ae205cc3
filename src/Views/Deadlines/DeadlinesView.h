#pragma once

#include <QWidget>

#include <memory>
#include <vector>

class DeadlinesSection;
class DeadlinesViewModel;
class QPushButton;
class QVBoxLayout;
struct AppEnvironment;

// The deadlines destination: under "Deadlines" and its refresh button, the sections Overdue,
// Due Today, This Week and Upcoming, each only while it holds something, or "You're all
// caught up!". The lists are read when the screen is shown and on refresh; while the screen
// is shown the goal countdowns move on every second.
class DeadlinesView : public QWidget {
    Q_OBJECT
public:
    explicit DeadlinesView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~DeadlinesView() override;

    DeadlinesViewModel* viewModel() const { return viewModel_; }
    const std::vector<DeadlinesSection*>& sections() const { return sections_; }
    QWidget* emptyState() const { return empty_; }
    QPushButton* refreshButton() const { return refresh_; }
    // Whether the countdowns are being moved on (only while shown).
    bool isTicking() const { return ticker_ != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    void render();
    void startTicking();
    void tick();

    DeadlinesViewModel* viewModel_;
    QVBoxLayout* body_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QWidget* empty_ = nullptr;
    std::vector<DeadlinesSection*> sections_;
    // Owns the pending one-second wake-up; dropping it cancels the wake-up.
    std::unique_ptr<QObject> ticker_;
    bool justBuilt_ = true;
};
