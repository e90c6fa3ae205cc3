#pragma once

#include "Models/MilestoneFrequency.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class Milestone;

// Sets, changes or clears the check-in frequency of one milestone. It never writes the
// store: the choice goes to onSelect, at most once, and the sheet then asks to close.
class MilestoneFrequencySheet : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize preferredSize{400, 560};

    MilestoneFrequencySheet(std::shared_ptr<Milestone> milestone, QColor goalColor,
                            std::function<void(std::optional<MilestoneFrequency>)> onSelect,
                            QWidget* parent = nullptr);

signals:
    void dismissRequested();

private:
    void choose(std::optional<MilestoneFrequency> frequency);
    void dismiss();

    std::shared_ptr<Milestone> milestone_;
    QColor goalColor_; // handed over for symmetry with the other sheets; nothing here uses it
    std::function<void(std::optional<MilestoneFrequency>)> onSelect_;
    bool finished_ = false;
};
