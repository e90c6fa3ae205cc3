#pragma once

#include <QScrollArea>

class ChoiceGroup;
class GoalsViewModel;
class QHBoxLayout;

// The strip of category chips above the active goals: "All" and each category of the active
// goals. The chip of the chosen category is lit; choosing one sets the view model's filter. The
// chips are one group of choices: one Tab stop, moved through with the arrows.
class GoalsCategoryBar : public QScrollArea {
    Q_OBJECT
public:
    explicit GoalsCategoryBar(GoalsViewModel* viewModel, QWidget* parent = nullptr);

    // Reads the categories again and lights the chosen one.
    void rebuild();

protected:
    bool viewportEvent(QEvent* event) override;

private:
    GoalsViewModel* viewModel_;
    QWidget* strip_;
    QHBoxLayout* row_;
    ChoiceGroup* group_;
};
