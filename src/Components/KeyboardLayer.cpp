#include "Components/KeyboardLayer.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QTextEdit>

#include <algorithm>
#include <vector>

namespace {

const char* const kInitialProperty = "keyboardLayerInitial";
const char* const kDefaultProperty = "keyboardLayerDefault";
const char* const kKeepReturnProperty = "keyboardLayerKeepsReturn";
constexpr qsizetype kHistoryLength = 24;

QList<KeyboardLayer*> g_active; // oldest first
QHash<const QWidget*, KeyboardLayer*> g_layers;
QList<QPointer<QWidget>> g_history; // focused controls, newest last
QPointer<QWidget> g_pressed;        // the control last pressed with the pointer
ulong g_pressTime = 0;
bool g_keyboard = false; // the last input came from the keyboard

bool inside(const QWidget* root, const QWidget* widget) {
    return root && widget && (widget == root || root->isAncestorOf(widget));
}

bool isTextInput(const QWidget* widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(widget))
        return !rich->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

bool canTakeFocus(const QWidget* widget, const QWidget* window) {
    return widget && widget->window() == window && widget->isVisible() && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus;
}

// From the keyboard, a control handed the focus shows its ring; a text field never selects
// its text for it.
Qt::FocusReason handReason(const QWidget* target) {
    return g_keyboard && !isTextInput(target) ? Qt::TabFocusReason : Qt::OtherFocusReason;
}

void scrollIntoView(QWidget* target) {
    for (QWidget* up = target->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up); area && inside(area->widget(), target))
            area->ensureWidgetVisible(target, 0, 16);
}

void hand(QWidget* target, Qt::FocusReason reason) {
    target->setFocus(reason);
    scrollIntoView(target);
}

// Two controls stand in one line when they share at least half the height of the lower one.
bool sameLine(const QRect& a, const QRect& b) {
    const int shared = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) + 1;
    return 2 * shared >= std::min(a.height(), b.height());
}

// The outermost scroll area between root and widget whose content holds widget, if any.
QScrollArea* outerScrollArea(const QWidget* root, const QWidget* widget) {
    QScrollArea* outer = nullptr;
    for (QWidget* up = widget->parentWidget(); up && up != root; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up); area && inside(area->widget(), widget))
            outer = area;
    return outer;
}

// Top to bottom, and each line left to right. What a scroll area holds stands where the area
// stands, in the order of its content, however far it is scrolled.
QList<QWidget*> inReadingOrder(const QWidget* root, const QList<QWidget*>& widgets) {
    struct Placed {
        QWidget* widget; // or the scroll area holding the group
        QRect rect;
        QList<QWidget*> group;
    };
    std::vector<Placed> placed;
    placed.reserve(size_t(widgets.size()));
    QHash<QScrollArea*, size_t> groups;
    for (QWidget* w : widgets) {
        if (QScrollArea* area = w == root ? nullptr : outerScrollArea(root, w)) {
            if (!groups.contains(area)) {
                groups.insert(area, placed.size());
                placed.push_back({area, QRect(area->mapTo(root, QPoint()), area->size()), {}});
            }
            placed[groups.value(area)].group << w;
            continue;
        }
        placed.push_back({w, QRect(w == root ? QPoint() : w->mapTo(root, QPoint()), w->size()), {}});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top() : a.rect.left() < b.rect.left();
    });
    QList<QWidget*> out;
    out.reserve(widgets.size());
    for (size_t start = 0; start < placed.size();) {
        size_t end = start + 1;
        while (end < placed.size() && sameLine(placed[start].rect, placed[end].rect))
            ++end;
        std::stable_sort(placed.begin() + qsizetype(start), placed.begin() + qsizetype(end),
                         [](const Placed& a, const Placed& b) { return a.rect.left() < b.rect.left(); });
        for (size_t i = start; i < end; ++i) {
            if (placed[i].group.isEmpty())
                out << placed[i].widget;
            else
                out << inReadingOrder(static_cast<QScrollArea*>(placed[i].widget)->widget(), placed[i].group);
        }
        start = end;
    }
    return out;
}

// The control a press lands on: the widget itself or the nearest one above it that Tab reaches
// (a scroll area around it is a frame, not a control).
QWidget* controlAt(QWidget* widget) {
    for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !qobject_cast<QScrollArea*>(w))
            return w;
    return nullptr;
}

} // namespace

class KeyboardLayerKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::FocusIn:
        case QEvent::Show:
        case QEvent::Hide:
            return watched->isWidgetType() && onWidgetEvent(static_cast<QWidget*>(watched), event);
        case QEvent::Shortcut:
            return onShortcut(watched);
        default:
            return false;
        }
    }

private:
    static bool onWidgetEvent(QWidget* widget, QEvent* event) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return onKey(widget, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            return onFocusIn(widget);
        case QEvent::Show:
            if (KeyboardLayer* layer = g_layers.value(widget); layer && !event->spontaneous())
                layer->activate();
            return false;
        case QEvent::Hide:
            if (event->spontaneous())
                return false;
            if (KeyboardLayer* layer = g_layers.value(widget))
                layer->deactivate();
            else
                onHide(widget);
            return false;
        default:
            return onMouse(widget, static_cast<QMouseEvent*>(event));
        }
    }

    static bool onKey(QWidget* widget, QKeyEvent* key) {
        g_keyboard = true;
        KeyboardLayer* layer = KeyboardLayer::top(widget);
        if (!layer || layer->window_ != widget->window())
            return false;
        // A Return that came up unused from the field to the layer's own widget.
        if (widget == layer->widget_ && layer->pressDefault(key))
            return true;
        const bool tab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                         !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (tab) {
            layer->moveFocus(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (layer->kind_ == KeyboardLayer::Kind::pane) {
            // Escape leaves a pane for the control that led to it.
            if (key->key() == Qt::Key_Escape && canTakeFocus(layer->opener_, layer->window_)) {
                hand(layer->opener_, handReason(layer->opener_));
                return true;
            }
            return false;
        }
        // Nothing behind a modal layer hears a key.
        return !layer->contains(widget) && !widget->isAncestorOf(layer->widget_);
    }

    static bool onMouse(QWidget* widget, QMouseEvent* mouse) {
        if (mouse->type() == QEvent::MouseButtonPress && (mouse->timestamp() != g_pressTime || !g_pressed)) {
            // A press goes up through the widgets under it; the first one it reaches counts.
            g_keyboard = false;
            g_pressTime = mouse->timestamp();
            g_pressed = controlAt(widget);
        }
        KeyboardLayer* layer = KeyboardLayer::top(widget);
        if (!layer || layer->kind_ != KeyboardLayer::Kind::modal || layer->window_ != widget->window() ||
            layer->contains(widget) || widget->isAncestorOf(layer->widget_))
            return false;
        if (mouse->type() == QEvent::MouseButtonPress && layer->outsideClick_) {
            const auto action = layer->outsideClick_;
            action();
        }
        return true;
    }

    static bool onShortcut(QObject* receiver) {
        QWidget* focus = QApplication::focusWidget();
        KeyboardLayer* layer = KeyboardLayer::top(focus ? focus : QApplication::activeWindow());
        if (!layer || layer->kind_ != KeyboardLayer::Kind::modal)
            return false;
        QList<const QWidget*> places;
        if (receiver->isWidgetType())
            places << static_cast<QWidget*>(receiver);
        else if (auto* shortcut = qobject_cast<QShortcut*>(receiver))
            places << qobject_cast<QWidget*>(shortcut->parent());
        else if (auto* action = qobject_cast<QAction*>(receiver))
            for (QObject* object : action->associatedObjects())
                places << qobject_cast<QWidget*>(object);
        // A shortcut of the layer's own works; one of the window behind it does not.
        return std::none_of(places.begin(), places.end(),
                            [layer](const QWidget* place) { return layer->contains(place); });
    }

    static bool onFocusIn(QWidget* widget) {
        KeyboardLayer* layer = KeyboardLayer::top(widget);
        if (layer && layer->kind_ == KeyboardLayer::Kind::modal && layer->window_ == widget->window() &&
            !layer->contains(widget)) {
            // The focus never rests behind a modal layer: it goes back into it.
            if (canTakeFocus(layer->lastFocused_, layer->window_) && layer->owns(layer->lastFocused_))
                hand(layer->lastFocused_, Qt::OtherFocusReason);
            else
                layer->focusFirst();
            return true;
        }
        g_history.removeAll(widget);
        g_history.removeAll(nullptr);
        g_history.append(widget);
        if (g_history.size() > kHistoryLength)
            g_history.removeFirst();
        if (KeyboardLayer* owner = KeyboardLayer::of(widget))
            owner->lastFocused_ = widget;
        return false;
    }

    // A focused control that hides (an inline field that closes) hands the focus back to the
    // one that had it before, within the layer on top.
    static void onHide(QWidget* widget) {
        QWidget* focus = QApplication::focusWidget();
        if (widget->isWindow() || !inside(widget, focus))
            return;
        KeyboardLayer* layer = KeyboardLayer::top(widget);
        if (layer && layer->kind_ == KeyboardLayer::Kind::pane)
            layer = nullptr;
        if (QWidget* target = KeyboardLayer::earlierFocus(widget->window(), widget, layer))
            hand(target, handReason(target));
        else if (layer && !inside(widget, layer->widget_))
            layer->focusFirst();
    }
};

void KeyboardLayer::installKeeper() {
    static KeyboardLayerKeeper* keeper = nullptr;
    if (keeper || !qApp)
        return;
    keeper = new KeyboardLayerKeeper(qApp);
    qApp->installEventFilter(keeper);
}

KeyboardLayer* KeyboardLayer::install(QWidget* widget, Kind kind) {
    installKeeper();
    if (KeyboardLayer* existing = g_layers.value(widget))
        return existing;
    auto* layer = new KeyboardLayer(widget, kind);
    if (widget->isVisible())
        layer->activate();
    return layer;
}

KeyboardLayer::KeyboardLayer(QWidget* widget, Kind kind) : QObject(qApp), widget_(widget), kind_(kind) {
    g_layers.insert(widget, this);
    connect(widget, &QObject::destroyed, this, [this] {
        g_layers.remove(widget_);
        if (active_) {
            active_ = false;
            g_active.removeAll(this);
            // The focus went with the layer's controls; it goes back to the opener.
            if (!QApplication::focusWidget())
                handBack(nullptr);
        }
        deleteLater();
    });
}

KeyboardLayer* KeyboardLayer::of(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (KeyboardLayer* layer = g_layers.value(w))
            return layer;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

KeyboardLayer* KeyboardLayer::top(const QWidget* widget) {
    if (!widget)
        return nullptr;
    const QWidget* window = widget->window();
    const QWidget* focus = QApplication::focusWidget();
    for (auto it = g_active.crbegin(); it != g_active.crend(); ++it) {
        KeyboardLayer* layer = *it;
        if (layer->window_ != window)
            continue;
        // A pane owns the keyboard only while the focus is in it.
        if (layer->kind_ == Kind::modal || layer->owns(focus))
            return layer;
    }
    return nullptr;
}

void KeyboardLayer::markInitial(QWidget* control) {
    control->setProperty(kInitialProperty, true);
}

void KeyboardLayer::markDefault(QAbstractButton* button) {
    button->setProperty(kDefaultProperty, true);
}

void KeyboardLayer::keepReturn(QWidget* field) {
    field->setProperty(kKeepReturnProperty, true);
}

QAbstractButton* KeyboardLayer::defaultButton() const {
    for (QAbstractButton* button : widget_->findChildren<QAbstractButton*>())
        if (button->property(kDefaultProperty).toBool() && button->isVisibleTo(widget_) && of(button) == this)
            return button;
    return nullptr;
}

bool KeyboardLayer::pressDefault(const QKeyEvent* key) {
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Only a one-line field hands Return on: a note takes it as a line break, a button as a press.
    // The key came from the window's focused control (its own, active or not).
    QWidget* focus = widget_->window()->focusWidget();
    const bool oneLine = qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus);
    if (!oneLine || !isTextInput(focus) || !owns(focus) || focus->property(kKeepReturnProperty).toBool())
        return false;
    QAbstractButton* button = defaultButton();
    if (!button || !button->isEnabled())
        return false;
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

bool KeyboardLayer::contains(const QWidget* widget) const {
    return inside(widget_, widget);
}

bool KeyboardLayer::owns(const QWidget* widget) const {
    return contains(widget) && of(widget) == this;
}

QList<QWidget*> KeyboardLayer::stops() const {
    QList<QWidget*> found;
    if (!widget_->isVisible())
        return found;
    for (QWidget* w : widget_->findChildren<QWidget*>()) {
        // A bare scroll area is a frame, not a control; a widget with a proxy passes its focus on.
        // Visible to the layer: a part hiding right now already counts as hidden.
        if (!w->isVisibleTo(widget_) || !w->isEnabled() || w->isWindow() ||
            (w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || w->focusProxy() ||
            qobject_cast<QScrollArea*>(w) || w->width() <= 0 || w->height() <= 0 || of(w) != this)
            continue;
        found << w;
    }
    return inReadingOrder(widget_, found);
}

QWidget* KeyboardLayer::initialControl() const {
    const QList<QWidget*> order = stops();
    for (QWidget* w : order)
        if (w->property(kInitialProperty).toBool())
            return w;
    for (QWidget* w : order)
        if (isTextInput(w))
            return w;
    return order.value(0, nullptr);
}

void KeyboardLayer::focusFirst() {
    if (QWidget* target = initialControl())
        hand(target, handReason(target));
    else
        widget_->setFocus(Qt::OtherFocusReason);
}

void KeyboardLayer::moveFocus(bool next) {
    const QList<QWidget*> order = stops();
    if (order.isEmpty())
        return;
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = nullptr;
    if (const qsizetype at = order.indexOf(focus); at >= 0) {
        target = order[(at + (next ? 1 : order.size() - 1)) % order.size()];
    } else if (owns(focus)) {
        // From a control Tab does not stop at (a card clicked), to the stop beside it on screen.
        QList<QWidget*> around = order;
        around << focus;
        around = inReadingOrder(widget_, around);
        const qsizetype at = around.indexOf(focus);
        if (next)
            target = at + 1 < around.size() ? around[at + 1] : around.first();
        else
            target = at > 0 ? around[at - 1] : around.last();
    } else {
        target = next ? order.first() : order.last();
    }
    // The one stop of a layer shows the ring when Tab lands on it again.
    if (target == focus)
        target->clearFocus();
    hand(target, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void KeyboardLayer::activate() {
    if (active_ || !widget_->isVisible())
        return;
    active_ = true;
    window_ = widget_->window();
    g_active.removeAll(this);
    g_active.append(this);
    // Whatever led here: the control pressed with the pointer, else the one with the focus.
    QWidget* focus = QApplication::focusWidget();
    QWidget* pressed = g_pressed;
    if (!g_keyboard && pressed && pressed->window() == window_ && !contains(pressed))
        opener_ = pressed;
    else if (focus && focus->window() == window_ && !contains(focus))
        opener_ = focus;
    lastFocused_ = nullptr;
    focusFirst();
}

void KeyboardLayer::release() {
    deactivate();
}

void KeyboardLayer::deactivate() {
    if (!active_)
        return;
    active_ = false;
    g_active.removeAll(this);
    QWidget* focus = QApplication::focusWidget();
    // Only a focus the layer held goes back; one already moved on stays where it went.
    if (!focus || contains(focus))
        handBack(widget_);
}

void KeyboardLayer::handBack(const QWidget* leaving) {
    if (!window_)
        return;
    KeyboardLayer* now = top(window_);
    if (canTakeFocus(opener_, window_) && !inside(leaving, opener_) && (!now || now->owns(opener_))) {
        hand(opener_, handReason(opener_));
        return;
    }
    if (now && now->kind_ == Kind::modal) {
        if (canTakeFocus(now->lastFocused_, window_) && now->owns(now->lastFocused_))
            hand(now->lastFocused_, handReason(now->lastFocused_));
        else
            now->focusFirst();
        return;
    }
    if (QWidget* target = earlierFocus(window_, leaving, nullptr))
        hand(target, handReason(target));
}

QWidget* KeyboardLayer::earlierFocus(const QWidget* window, const QWidget* leaving,
                                     const KeyboardLayer* within) {
    for (auto it = g_history.crbegin(); it != g_history.crend(); ++it) {
        QWidget* candidate = *it;
        if (canTakeFocus(candidate, window) && !inside(leaving, candidate) &&
            (!within || within->owns(candidate)))
            return candidate;
    }
    return nullptr;
}
