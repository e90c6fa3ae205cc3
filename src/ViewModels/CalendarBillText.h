#pragma once

#include <QString>

class Bill;

// One bill due on the calendar's chosen day, as its row shows it.
struct CalendarBillText {
    QString name;     // "Untitled Bill" while it has none
    QString category; // "Other" while it has none
    QString amount;   // in the user's currency without fraction digits

    static CalendarBillText of(const Bill& bill);
};
