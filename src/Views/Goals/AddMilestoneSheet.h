#pragma once

#include "Models/MilestoneFrequency.h"
#include "ViewModels/PendingStep.h"

#include <QColor>
#include <QHash>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class AddMilestoneStepBuilder;
class MilestoneFrequencyRow;
class QLabel;
class QPushButton;
class QVBoxLayout;

// Adds a check-in to a goal in two phases: first how often it recurs, then its action
// steps. The step being typed is a draft already in the list, known by its id; the builder
// only ever edits or removes that draft. "Save Milestone" hands the result to onAdd and asks
// to close once onAdd says it was stored; nothing here writes the store. When the host's save
// fails the sheet stays open with everything chosen and typed.
class AddMilestoneSheet : public QWidget {
    Q_OBJECT
public:
    using AddAction = std::function<bool(const QString& title, std::optional<MilestoneFrequency> frequency,
                                         const std::vector<PendingStep>& steps)>;
    // No fixed height: the card follows the phase on show, up to the window's.
    static constexpr QSize preferredSize{420, 0};

    AddMilestoneSheet(QColor goalColor, AddAction onAdd, QWidget* parent = nullptr);

    std::optional<MilestoneFrequency> selectedFrequency() const { return selectedFrequency_; }
    bool frequencySaved() const { return frequencySaved_; }
    const std::vector<PendingStep>& pendingSteps() const { return pendingSteps_; }
    bool addingStep() const { return draftId_.has_value(); }

signals:
    void dismissRequested();

private:
    QWidget* buildPhase1();
    QWidget* buildPhase2();
    void toggleFrequency(MilestoneFrequency frequency);
    void showPhase(bool second);
    void openBuilder();
    void closeBuilder(bool dropDraft);
    void removeStep(const QUuid& id);
    PendingStep* draft();
    void rebuildStepRows();
    void refresh();
    void save();
    void dismiss();

    QColor goalColor_;
    AddAction onAdd_;
    std::optional<MilestoneFrequency> selectedFrequency_;
    bool frequencySaved_ = false;
    std::vector<PendingStep> pendingSteps_;
    std::optional<QUuid> draftId_;
    bool finished_ = false;

    QLabel* title_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QWidget* phase1_ = nullptr;
    QWidget* phase2_ = nullptr;
    QWidget* phase1Frame_ = nullptr;
    QWidget* phase2Frame_ = nullptr;
    std::vector<MilestoneFrequencyRow*> frequencyRows_;
    QPushButton* continue_ = nullptr;
    QLabel* chipIcon_ = nullptr;
    QLabel* chipText_ = nullptr;
    QWidget* stepList_ = nullptr;
    QVBoxLayout* stepRows_ = nullptr;
    QHash<QUuid, QLabel*> rowTitles_;
    AddMilestoneStepBuilder* builder_ = nullptr;
    QPushButton* addStep_ = nullptr;
};
