#pragma once

#include <QString>

class Bill;

// One bill due on the calendar's chosen day, as its row shows it.
struct CalendarBillText {
    QString name;     // "Untitled Bill" while it has none
    QString category; // "Other" while it has none
    QString amount;   // in the user's currency without fraction digits

    static CalendarBillText of(const Bill& bill);
    // The amount in the user's currency without fraction digits; the plain whole number when
    // the currency cannot write it.
    static QString amountText(double amount);
};
