#pragma once

#include "Models/StepInputType.h"

#include <QString>
#include <QUuid>

// A step the add-milestone sheet lists before anything is stored. Entries are told apart
// by id alone, so two pending steps with the same title stay two entries.
struct PendingStep {
    QUuid id;
    QString title; // as typed; never trimmed
    StepInputType inputType = StepInputType::checkbox;

    // A new entry: fresh id, empty title, answered by ticking.
    static PendingStep blank();
};
