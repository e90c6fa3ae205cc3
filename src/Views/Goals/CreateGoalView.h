#pragma once

#include <QList>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

class ChoiceGroup;
class CreateGoalViewModel;
class DatePickerField;
class GoalCategoryPicker;
class Goal;
class GoalsViewModel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class SheetHost;
class ToggleSwitch;

// The sheet that creates a goal (no goal given) or edits one. The form edits its own copy and
// writes the goal only on confirm; the close icon and "Cancel" drop every edit.
class CreateGoalView : public QWidget {
    Q_OBJECT
public:
    CreateGoalView(GoalsViewModel* viewModel, std::shared_ptr<Goal> goalToEdit, QWidget* parent = nullptr);
    ~CreateGoalView() override;

    // Presents the sheet over the window of `over`, in a frame of the presenter's size (the
    // goals screen uses 520 x 620, the goal detail 500 x 640).
    static SheetHost* present(QWidget* over, GoalsViewModel* viewModel, std::shared_ptr<Goal> goalToEdit,
                              QSize frame, std::function<void()> onDismiss = {});

    CreateGoalViewModel* form() const { return form_; }

private:
    QWidget* buildHeader();
    QWidget* buildSections();
    QWidget* buildFooter();
    QWidget* section(const QString& title, QWidget* content);
    QWidget* buildTitleField();
    QWidget* buildColors();
    QWidget* buildPriority();
    QWidget* buildDeadline();
    QWidget* buildMoney();
    QWidget* buildNotes();
    void sync();
    void confirm();
    void dismissSheet();

    CreateGoalViewModel* form_;
    QLineEdit* title_ = nullptr;
    GoalCategoryPicker* category_ = nullptr;
    QList<QToolButton*> swatches_;
    QList<QToolButton*> priorities_;
    ChoiceGroup* priorityGroup_ = nullptr;
    ToggleSwitch* deadlineToggle_ = nullptr;
    DatePickerField* deadlinePicker_ = nullptr;
    ToggleSwitch* moneyToggle_ = nullptr;
    QWidget* amountEntry_ = nullptr;
    QLineEdit* amountField_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPushButton* confirm_ = nullptr;
};
