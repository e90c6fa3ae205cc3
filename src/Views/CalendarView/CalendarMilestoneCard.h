#pragma once

#include "ViewModels/CalendarMilestoneItem.h"

#include <QColor>
#include <QDateTime>
#include <QWidget>

#include <vector>

class CalendarIconButton;
class CalendarStepRow;
class CalendarViewModel;
class QLabel;
class QVBoxLayout;

// A milestone that comes round on the chosen day, with its goal and frequency and, unfolded,
// one row per step for noting or ticking it that day. It follows the model's chosen day: a
// new day gets new step rows, which load that day's entries.
class CalendarMilestoneCard : public QWidget {
    Q_OBJECT
public:
    CalendarMilestoneCard(const CalendarMilestoneItem& item, CalendarViewModel* viewModel,
                          QWidget* parent = nullptr);

    const CalendarMilestoneItem& item() const { return item_; }
    bool isExpanded() const { return expanded_; }
    void toggleExpanded();
    const std::vector<CalendarStepRow*>& stepRows() const { return stepRows_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildHeader(QVBoxLayout* column);
    void rebuildSteps();
    void updateChrome();

    CalendarMilestoneItem item_;
    CalendarViewModel* viewModel_;
    QColor goalColor_;
    bool expanded_ = true;
    QDateTime shownDay_;

    CalendarIconButton* fold_ = nullptr;
    QWidget* divider_ = nullptr;
    QWidget* stepsBox_ = nullptr;
    QVBoxLayout* steps_ = nullptr;
    QLabel* noSteps_ = nullptr;
    std::vector<CalendarStepRow*> stepRows_;
};
