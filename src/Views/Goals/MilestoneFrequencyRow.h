#pragma once

#include "Models/MilestoneFrequency.h"

#include <QPushButton>

class QLabel;

// One choosable check-in frequency: its coloured symbol and name, tinted and checked when
// selected. Both the frequency sheet and the add-milestone sheet list these.
class MilestoneFrequencyRow : public QPushButton {
    Q_OBJECT
public:
    // With showOpenMark the unselected row shows an open circle where the check would be.
    MilestoneFrequencyRow(MilestoneFrequency frequency, bool showOpenMark, QWidget* parent = nullptr);

    MilestoneFrequency frequency() const { return frequency_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

private:
    MilestoneFrequency frequency_;
    bool showOpenMark_;
    bool selected_ = false;
    QLabel* mark_;
};
