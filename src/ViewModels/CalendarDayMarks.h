#pragma once

// What a day cell of the month grid marks: how many milestones come round that day (as an
// activity level from 0 to 1, a quarter per milestone), whether a day task falls on it and
// whether a bill is due.
struct CalendarDayMarks {
    double intensity = 0;
    bool hasTask = false;
    bool hasBill = false;

    bool operator==(const CalendarDayMarks&) const = default;
};
