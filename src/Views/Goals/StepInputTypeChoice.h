#pragma once

#include "Models/StepInputType.h"

#include <QColor>
#include <QWidget>

#include <vector>

class QLineEdit;
class QPushButton;

// The row of input-type buttons of the two step sheets: each type's symbol and name, the
// chosen one tinted in the goal's colour, the two sharing the width equally.
class StepInputTypeChoice : public QWidget {
    Q_OBJECT
public:
    StepInputTypeChoice(QColor goalColor, const QString& buttonObjectName, QWidget* parent = nullptr);

    StepInputType selected() const { return selected_; }
    // Shows the type as chosen without announcing it.
    void setSelected(StepInputType type);

    // The step sheets' title field: borderless, padded, on the tertiary background.
    static void styleTitleField(QLineEdit* field, const QFont& font);

signals:
    void chosen(StepInputType type);

private:
    void refresh();

    QColor goalColor_;
    StepInputType selected_ = StepInputType::checkbox;
    std::vector<QPushButton*> buttons_;
};
