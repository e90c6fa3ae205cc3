#pragma once

#include "ViewModels/CalendarDayMarks.h"
#include "ViewModels/CalendarMilestoneIndex.h"

#include <QDate>
#include <QSet>

#include <vector>

class ObjectContext;
class Predicate;

// Computes the marks of a run of consecutive days with a handful of queries for the whole
// run (the tasks of the range, the bills) and the milestone index's entries, so that the
// month grid never queries per cell.
class CalendarMonthMarks {
public:
    // Marks of count days from first, in order. Goals in hiddenGoals are left out.
    static std::vector<CalendarDayMarks> compute(ObjectContext& context,
                                                 const std::vector<CalendarMilestoneIndex::Entry>& milestones,
                                                 const QSet<qint64>& hiddenGoals, const QDate& first,
                                                 int count);
    // Only the three repetitions there are: any other text never repeats, so it is not read.
    static Predicate repeatingPredicate(const QDateTime& dayStart, const QDateTime& rangeEnd);

    // A bill is due on its day of the month; a due day past the end of a shorter month falls
    // on that month's last day, as the bills screen pays it.
    static bool billDueOn(int dueDay, const QDate& day);
    // The bills due on the day, as a store predicate with the same rule.
    static Predicate billsDuePredicate(const QDate& day);
    // A quarter per active milestone, at most 1.
    static double intensityFor(int activeMilestones);
};
