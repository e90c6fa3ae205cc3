#pragma once

#include "ViewModels/DeadlinesViewModel.h"

#include <QColor>
#include <QWidget>

#include <memory>
#include <vector>

class DeadlineCardView;
class DeadlinesSection;
class FinanceDeadlineCardView;
class QPushButton;
class VirtualList;
struct AppEnvironment;

// The deadlines destination: under "Deadlines" and its refresh button, the sections Overdue,
// Due Today, This Week and Upcoming, each only while it holds something, or "You're all
// caught up!". The lists are read when the screen is shown and on refresh; while the screen
// is shown the goal countdowns in view move on every second.
//
// The section heads and cards are the rows of one list that makes only the rows in view and
// hands rows scrolled out to the rows scrolled in, so hundreds of overdue goals cost what a
// screenful does.
class DeadlinesView : public QWidget {
    Q_OBJECT
public:
    struct Section {
        QString title;
        QString symbol;
        QColor color;
        const DeadlinesViewModel::Goals* goals;
        const FinanceDeadlines* finance;
        int firstRow; // the row of its head
        int count() const { return int(goals->size() + finance->size()); }
    };

    explicit DeadlinesView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~DeadlinesView() override;

    DeadlinesViewModel* viewModel() const { return viewModel_; }
    // The sections shown, in order.
    const std::vector<Section>& sections() const { return sections_; }
    VirtualList* list() const { return list_; }
    // The row showing a section's head, its nth goal or its nth bill, scrolled into view.
    DeadlinesSection* sectionHead(int section);
    DeadlineCardView* goalCard(int section, int n);
    FinanceDeadlineCardView* financeCard(int section, int n);
    QWidget* emptyState() const;
    QPushButton* refreshButton() const { return refresh_; }
    // Whether the countdowns are being moved on (only while shown).
    bool isTicking() const { return ticker_ != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Kind { Head, Goal, Finance };
    struct Item {
        Kind kind;
        int section;
        int index; // in the section's goals or bills
    };

    QWidget* buildHeader();
    QWidget* buildEmptyState();
    QWidget* makeRow(Kind kind, QWidget* parent);
    void bindRow(QWidget* row, int index);
    int heightOf(int index) const;
    QWidget* shownRow(int index);
    void render();
    void startTicking();
    void tick();

    DeadlinesViewModel* viewModel_;
    VirtualList* list_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QWidget* empty_ = nullptr;
    std::vector<Section> sections_;
    std::vector<Item> items_;
    // While render() fills the rows in view, they play the sections' entrance.
    bool entering_ = false;
    // Owns the pending one-second wake-up; dropping it cancels the wake-up.
    std::unique_ptr<QObject> ticker_;
    bool justBuilt_ = true;
};
