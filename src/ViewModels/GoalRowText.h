#pragma once

#include "Models/GoalPriority.h"
#include "Models/MomentumState.h"

#include <QColor>
#include <QDateTime>
#include <QString>

#include <optional>

class Goal;

// How near a goal's deadline is, as its rows and cards colour it: passed by a whole day or
// more, within the coming week (today included), or further off.
enum class DeadlineTone { overdue, soon, later };

// What every row and card of a goal shows alike.
namespace GoalLook {
// The goal's own colour; the fallback violet when it has none, or when there is no goal.
QColor color(const Goal* goal);
// The stored priority; medium while it is absent or unknown.
GoalPriority priority(const Goal& goal);
// The tone of a deadline this many whole days away: overdue below 0, soon up to 6, later after.
DeadlineTone deadlineTone(int days);
// The dots of a hidden goal, else its title ("Untitled Goal" while it has none).
QString shownTitle(const Goal& goal, bool masked);
} // namespace GoalLook

// What heads every row and card of a goal: its shown title, category, colour and priority.
struct GoalFace {
    qint64 goalID = 0;   // the goal's object id, which the row's actions hand back; 0 for none
    bool masked = false; // the title shows as dots
    QString title;
    QString category;
    QColor color;
    GoalPriority priority = GoalPriority::medium;

    static GoalFace of(const Goal& goal, bool masked);
};

// One active goal in the goals list, as the row shows it.
struct GoalRowText : GoalFace {
    QString percent;     // "42%"
    double progress = 0; // the bar's fraction, 0..1
    // The whole parts of the money put in and of the target for a goal that needs money
    // ("1200/5000": no currency, no grouping); else the streak in days for a goal that has one.
    std::optional<QString> money;
    std::optional<QString> streak;
    std::optional<QString> deadline; // "Overdue" or "Due in 3d", for a goal with a deadline
    DeadlineTone deadlineTone = DeadlineTone::later;
    QString efforts; // completed milestones of all, "2/5"

    static GoalRowText of(const Goal& goal, bool masked, const QDateTime& now);
    static QString deadlineText(int days);
};

// One goal as a card (the goals grid and the dashboard), as the card shows it.
struct GoalCardText : GoalFace {
    MomentumState momentum = MomentumState::coasting;
    double progress = 0; // the ring's and the bar's fraction, 0..1
    int streak = 0;
    bool showsStreak = false;
    std::optional<QString> deadline; // "Overdue by 3d", "Due today", "Due in 12 days"
    QString deadlineSymbol;
    DeadlineTone deadlineTone = DeadlineTone::later;

    static GoalCardText of(const Goal& goal, bool masked, const QDateTime& now);
    static QString deadlineText(int days);
    static QString symbolFor(int days); // the deadline's symbol
};

// The top card of a goal's detail, as it shows the goal.
struct GoalHeaderText : GoalFace {
    MomentumState momentum = MomentumState::coasting;
    QString notes;                   // empty: none
    std::optional<QString> deadline; // the day, in the locale's medium form
    bool overdue = false;
    std::optional<QString> streak; // "5 day streak", for a streak of a day or more

    static GoalHeaderText of(const Goal& goal, const QDateTime& now);
};

// One achieved goal in the goals list, as its row shows it (never masked).
struct ArchivedGoalText : GoalFace {
    std::optional<QString> completedBy; // "Completed by" and the day it was due, when it had a deadline

    static ArchivedGoalText of(const Goal& goal);
};

// One active goal in the sidebar, as its item shows it.
struct SidebarGoalText : GoalFace {
    QString percent; // "42%"

    static SidebarGoalText of(const Goal& goal, bool masked);
};

// The progress card of a goal's detail: the figure in the goal's colour and where it comes
// from. Progress the steps decide cannot be nudged by hand.
struct GoalProgressText {
    QColor color;
    double progress = 0; // as the goal gives it; the ring keeps it within bounds
    QString percent;     // "42%"
    QString caption;     // "Based on steps" or "Manual"
    bool fromSteps = false;

    static GoalProgressText of(const Goal& goal);
};
