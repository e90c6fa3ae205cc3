#pragma once

#include "Components/GlassCard.h"

#include <functional>
#include <memory>

class DailyLog;
class QAction;
class QLabel;
class QToolButton;

// One journal entry on a glass card: the goal's dot and name, the mood and energy chips and a
// chevron that unfolds the notes. Its context menu offers "Delete Entry", handed to onDelete
// at once and without a question.
class DailyLogEntryView : public GlassCard {
    Q_OBJECT
public:
    DailyLogEntryView(std::shared_ptr<DailyLog> log, std::function<void()> onDelete,
                      QWidget* parent = nullptr);

    const std::shared_ptr<DailyLog>& log() const { return log_; }
    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded);
    QAction* deleteAction() const { return deleteAction_; }

private:
    QWidget* scoreChip(const QString& emoji, qint16 value);
    void updateExpansion();

    std::shared_ptr<DailyLog> log_;
    std::function<void()> onDelete_;
    bool expanded_ = false;
    QToolButton* chevron_ = nullptr;
    QLabel* notes_ = nullptr;
    QAction* deleteAction_ = nullptr;
};
