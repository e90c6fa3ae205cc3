#include "ViewModels/PendingStep.h"

PendingStep PendingStep::blank() {
    PendingStep step;
    step.id = QUuid::createUuid();
    return step;
}
