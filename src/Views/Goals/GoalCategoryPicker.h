#pragma once

#include <QList>
#include <QWidget>

class ChoiceGroup;
class CreateGoalViewModel;
class QLineEdit;
class QScrollArea;
class QToolButton;

// The goal editor's category choice: a sideways strip of the suggested categories and
// "Custom", and the custom name's entry while "Custom" is chosen.
class GoalCategoryPicker : public QWidget {
    Q_OBJECT
public:
    explicit GoalCategoryPicker(CreateGoalViewModel* form, QWidget* parent = nullptr);

    // Shows the form's current choice.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Scrolls the strip so that the chosen chip is in full view (an edited goal's category may
    // be far along the strip).
    void revealChosen();

    CreateGoalViewModel* form_;
    QScrollArea* strip_ = nullptr;
    ChoiceGroup* group_ = nullptr;
    QList<QToolButton*> suggestionChips_;
    QToolButton* customChip_ = nullptr;
    QWidget* customEntry_ = nullptr;
    QLineEdit* customField_ = nullptr;
};
