#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QUuid>

#include <vector>

// A credit card's next bill or a subscription's renewal as the deadlines screen lists it: a
// value of its own, so that the screen's view model and the texts of its cards both reach it
// without reaching each other.
struct FinanceDeadline {
    QUuid id;
    QString label;
    double amount = 0;
    QDateTime dueDate;
    QString icon;
    QColor color;
};
using FinanceDeadlines = std::vector<FinanceDeadline>;
