#include "Components/SlidingPanelHost.h"

#include "Components/Animator.h"

#include <cmath>

SlidingPanelHost::SlidingPanelHost(QWidget* parent) : QWidget(parent) {}

void SlidingPanelHost::setPanel(QWidget* panel, int fromOffsetX, const AnimationTiming& animation) {
    clear();
    panel_ = panel;
    panel->setParent(this);
    offsetX_ = fromOffsetX;
    place();
    panel->show();
    QPointer<SlidingPanelHost> self(this);
    slide_ = Animator::run(this, animation, [self, fromOffsetX](double t) {
        if (!self)
            return;
        self->offsetX_ = int(std::lround(fromOffsetX * (1.0 - t)));
        self->place();
    });
}

void SlidingPanelHost::clear() {
    Animator::stop(slide_);
    offsetX_ = 0;
    if (panel_) {
        panel_->hide();
        panel_->deleteLater();
        panel_ = nullptr;
    }
}

void SlidingPanelHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void SlidingPanelHost::place() {
    if (panel_)
        panel_->setGeometry(rect().translated(offsetX_, 0));
}
