#include "ViewModels/CalendarToastSequence.h"

#include "Platform/Clock.h"
#include "ViewModels/CalendarViewModel.h"

CalendarToastSequence::CalendarToastSequence(CalendarViewModel* model, QObject* parent)
    : QObject(parent), model_(model) {
    connect(model_, &CalendarViewModel::toastMessageChanged, this, [this] {
        if (!model_->toastMessage())
            return;
        setShown(true);
        Clock::after(this, shownMsec, [this] {
            setShown(false);
            Clock::after(this, clearAfterHideMsec, [this] { model_->setToastMessage(std::nullopt); });
        });
    });
}

void CalendarToastSequence::setShown(bool shown) {
    if (shown_ == shown)
        return;
    shown_ = shown;
    emit shownChanged(shown);
}
