#pragma once

#include "Models/StepInputType.h"

#include <QColor>
#include <QWidget>

class QLineEdit;
class QPushButton;
class StepInputTypeChoice;

// The open editor of the add-milestone sheet's draft step: how it is tracked, its title,
// and "Cancel" / "Add Step". It holds no step of its own; the sheet loads the draft into it
// and hears every edit.
class AddMilestoneStepBuilder : public QWidget {
    Q_OBJECT
public:
    AddMilestoneStepBuilder(QColor goalColor, QWidget* parent = nullptr);

    // Shows the draft's values without announcing them back.
    void load(const QString& title, StepInputType inputType);
    void focusTitle();
    QLineEdit* titleField() const { return field_; }

signals:
    void titleEdited(const QString& title);
    void inputTypeChosen(StepInputType inputType);
    void cancelRequested();
    void confirmRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    QColor goalColor_;
    QString title_;
    StepInputType inputType_ = StepInputType::checkbox;
    QLineEdit* field_;
    QPushButton* confirm_;
    StepInputTypeChoice* types_ = nullptr;
};
