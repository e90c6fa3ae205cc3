#pragma once

#include <QDateTime>
#include <QUuid>

// Income and spending of one calendar month, for the overview's six-month chart.
struct MonthlyFlowPoint {
    QUuid id;
    QDateTime month; // 00:00 of the month's first day
    double income = 0;
    double spend = 0; // fixed spending billed in the month plus dynamic spending made in it
};
