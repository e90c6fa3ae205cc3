#pragma once

#include "Models/StepInputType.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class Milestone;
class QLineEdit;
class QPushButton;
class StepInputTypeChoice;

// Prepares one new step for a milestone: how it is answered, its title and its priority.
// It never writes the store: "Add Step" hands the values to onAdd and asks to close once
// onAdd says they were stored; a failed save keeps the sheet open with what was typed.
class AddStepView : public QWidget {
    Q_OBJECT
public:
    using AddAction = std::function<bool(const QString& title, const std::optional<QString>& notes,
                                         qint16 priority, StepInputType inputType)>;
    static constexpr QSize preferredSize{400, 380};

    AddStepView(std::shared_ptr<Milestone> milestone, QColor goalColor, AddAction onAdd,
                QWidget* parent = nullptr);

    QString title() const { return title_; }
    qint16 priority() const { return priority_; }
    StepInputType inputType() const { return inputType_; }

signals:
    void dismissRequested();

private:
    QWidget* buildTypeChoice();
    QWidget* buildPriorityChips();
    void refreshChoices();
    void submit();
    void dismiss();

    std::shared_ptr<Milestone> milestone_;
    QColor goalColor_;
    AddAction onAdd_;
    QString title_;
    QString notes_; // no control edits it, so it always goes out as none
    qint16 priority_ = 2;
    StepInputType inputType_ = StepInputType::checkbox;
    bool finished_ = false;

    QLineEdit* titleField_ = nullptr;
    QPushButton* addButton_ = nullptr;
    StepInputTypeChoice* types_ = nullptr;
    std::vector<QPushButton*> priorityChips_;
};
