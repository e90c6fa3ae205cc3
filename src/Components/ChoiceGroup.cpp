#include "Components/ChoiceGroup.h"

#include "Components/ListKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>

namespace {

const char* const kGroupProperty = "choiceGroup";
const char* const kOwnPolicyProperty = "choiceGroupOwnPolicy";

// A member scrolled out of its strip comes into view as the arrows reach it.
void scrollIntoView(QWidget* member) {
    for (QWidget* up = member->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up);
            area && area->widget() && area->widget()->isAncestorOf(member))
            area->ensureWidgetVisible(member, 8, 8);
}

} // namespace

ChoiceGroup::ChoiceGroup(QObject* parent) : QObject(parent) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && of(now) == this) {
            lastFocused_ = now;
            placeStop(now);
        } else if (stop_ != chosen_ && chosen_) {
            placeStopOutside();
        }
    });
}

void ChoiceGroup::add(QWidget* member) {
    members_ << member;
    member->setProperty(kGroupProperty, QVariant::fromValue<QObject*>(this));
    member->setProperty(kOwnPolicyProperty, int(member->focusPolicy()));
    member->installEventFilter(this);
    if (auto* button = qobject_cast<QAbstractButton*>(member); button && button->isCheckable()) {
        if (button->isChecked())
            chosen_ = button;
        connect(button, &QAbstractButton::toggled, this, [this, button](bool on) {
            if (on)
                setChosen(button);
            else if (chosen_ == button)
                setChosen(nullptr);
        });
    }
    placeStopOutside();
}

void ChoiceGroup::clear() {
    for (const QPointer<QWidget>& member : std::as_const(members_))
        if (member) {
            member->removeEventFilter(this);
            member->setProperty(kGroupProperty, QVariant());
            member->setProperty(kOwnPolicyProperty, QVariant());
        }
    members_.clear();
    chosen_ = nullptr;
    stop_ = nullptr;
    lastFocused_ = nullptr;
}

void ChoiceGroup::setChosen(QWidget* member) {
    chosen_ = member;
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || of(focus) != this)
        placeStopOutside();
}

void ChoiceGroup::setColumns(std::function<int()> columns) {
    columns_ = std::move(columns);
}

QList<QWidget*> ChoiceGroup::members() const {
    QList<QWidget*> out;
    for (const QPointer<QWidget>& member : members_)
        if (member)
            out << member;
    return out;
}

ChoiceGroup* ChoiceGroup::of(const QWidget* widget) {
    return widget ? qobject_cast<ChoiceGroup*>(widget->property(kGroupProperty).value<QObject*>()) : nullptr;
}

bool ChoiceGroup::canTake(const QWidget* member) {
    return member && !member->isHidden() && member->isEnabled();
}

// The chosen member, else the one focused last, else the first that can take the focus.
void ChoiceGroup::placeStopOutside() {
    QWidget* stop = canTake(chosen_) ? chosen_.data() : nullptr;
    if (!stop && canTake(lastFocused_) && members_.contains(lastFocused_))
        stop = lastFocused_;
    for (int i = 0; !stop && i < members_.size(); ++i)
        if (canTake(members_[i]))
            stop = members_[i];
    placeStop(stop);
}

void ChoiceGroup::placeStop(QWidget* stop) {
    stop_ = stop;
    for (const QPointer<QWidget>& member : std::as_const(members_)) {
        if (!member)
            continue;
        // Every member keeps whatever a click did to it; only the stop takes Tab.
        const bool click = member->property(kOwnPolicyProperty).toInt() & Qt::ClickFocus;
        if (member == stop)
            member->setFocusPolicy(click ? Qt::StrongFocus : Qt::TabFocus);
        else
            member->setFocusPolicy(click ? Qt::ClickFocus : Qt::NoFocus);
    }
}

bool ChoiceGroup::moveByKey(QWidget* from, const QKeyEvent* key) {
    const QList<QWidget*> all = members();
    QList<QWidget*> shown;
    for (QWidget* member : all)
        if (canTake(member) && member->isVisible())
            shown << member;
    const int at = int(shown.indexOf(from));
    if (at < 0)
        return false;
    const std::optional<int> to =
        ListKeys::target(key, at,
                         {.count = int(shown.size()),
                          .columns = columns_ ? std::max(1, columns_()) : 1,
                          .sideways = true,
                          .rightToLeft = from->layoutDirection() == Qt::RightToLeft});
    if (!to)
        return false;
    // At an end the key is still the group's, so the page around it does not scroll instead.
    if (*to >= 0 && *to < shown.size() && *to != at) {
        QWidget* next = shown[*to];
        next->setFocus(Qt::TabFocusReason);
        scrollIntoView(next);
    }
    return true;
}

bool ChoiceGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* member = static_cast<QWidget*>(watched);
        if (of(member) == this && moveByKey(member, static_cast<QKeyEvent*>(event)))
            return true;
    }
    // A stop that hides or turns off would take the whole group out of the Tab chain.
    if ((event->type() == QEvent::HideToParent || event->type() == QEvent::ShowToParent ||
         event->type() == QEvent::EnabledChange) &&
        watched->isWidgetType() && !static_cast<QWidget*>(watched)->hasFocus())
        placeStopOutside();
    return QObject::eventFilter(watched, event);
}
