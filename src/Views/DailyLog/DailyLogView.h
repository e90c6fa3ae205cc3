#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QDateTime>
#include <QWidget>

#include <map>
#include <vector>

class DailyLogEntryView;
class DailyLogViewModel;
class JournalDayButton;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The journal destination: a strip of the last 30 days on the left (today at the top, a
// green dot on days with entries), the picked day's entries on the right, and "Log Progress",
// which opens the add-entry sheet for that day.
class DailyLogView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStripDays = 30;
    // Entry cards made at a time: more come as the end of those made nears the view's bottom.
    static constexpr std::size_t kEntryBatch = 4;

    explicit DailyLogView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~DailyLogView() override;

    DailyLogViewModel* viewModel() const { return viewModel_; }
    // The strip rows, today first.
    const std::vector<JournalDayButton*>& dayButtons() const { return dayButtons_; }
    // The strip days as of now: today and the 29 days before, each at the current time of day.
    static std::vector<QDateTime> pastDays();

    void selectDay(const QDateTime& day);
    void showAddLog();
    // Recomputes the strip, the header and the list from the view model.
    void render();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildStrip();
    QWidget* buildEntriesPane();
    QWidget* buildEmptyState();
    void renderStrip();
    void renderEntries();
    void makeMoreIfNearEnd();

    AppEnvironment env_;
    DailyLogViewModel* viewModel_;
    std::vector<JournalDayButton*> dayButtons_;
    QLabel* dayTitle_ = nullptr;
    QLabel* entryCount_ = nullptr;
    QWidget* emptyState_ = nullptr;
    QPushButton* logProgress_ = nullptr;
    QVBoxLayout* listLayout_ = nullptr;
    QScrollArea* entriesScroll_ = nullptr;
    std::map<qint64, DailyLogEntryView*> rows_;
    std::size_t entryLimit_ = kEntryBatch;
    QDateTime renderedDay_; // the day the cards were made for
};
