#include "Components/FocusAfter.h"

#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {

const char* const kDestructiveProperty = "focusAfterDestructive";
const char* const kCarryOnProperty = "focusAfterCarriesOn";
// A row a list fills, and the record it shows.
const char* const kRowProperty = "focusAfterRow";
const char* const kRecordProperty = "focusAfterRecord";

QList<QPointer<QWidget>> g_keptOut;

bool inside(const QWidget* root, const QWidget* widget) {
    return root && widget && (widget == root || root->isAncestorOf(widget));
}

bool canTake(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus;
}

// A Tab stop that is shown, or will be once the change under way is laid out (a part made anew
// is shown with the next events).
bool willTakeTab(const QWidget* widget) {
    return widget && widget->isVisibleTo(widget->window()) && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy();
}

// The part kept from handed focus that holds the widget, if any.
QWidget* keptOutPart(const QWidget* widget) {
    for (const QPointer<QWidget>& part : std::as_const(g_keptOut))
        if (inside(part, widget))
            return part;
    return nullptr;
}

bool holdsOtherPart(const QWidget* root, const QWidget* own) {
    for (const QPointer<QWidget>& part : std::as_const(g_keptOut))
        if (part && part != own && root->isAncestorOf(part))
            return true;
    return false;
}

bool isCarryOn(const QWidget* widget) {
    if (widget->property(kCarryOnProperty).toBool())
        return true;
    static const QRegularExpression add(QStringLiteral("^add[A-Z]"));
    return add.match(widget->objectName()).hasMatch();
}

QPoint centreIn(const QWidget* widget, const QWidget* window) {
    return widget->mapTo(window, widget->rect().center());
}

// The Add nearest `at` (window coordinates) in the smallest part around `from` that holds one,
// else the first stop of the screen `from` lies in.
QWidget* carryOnFrom(QWidget* from, QPoint at) {
    QWidget* window = from->window();
    QWidget* own = keptOutPart(from);
    QWidget* screen = from;
    for (QWidget* root = from; root && !root->isWindow(); root = root->parentWidget()) {
        if (root != from && holdsOtherPart(root, own))
            break;
        screen = root;
        QWidget* best = nullptr;
        qint64 bestDistance = std::numeric_limits<qint64>::max();
        QList<QWidget*> all = root->findChildren<QWidget*>();
        all.prepend(root);
        for (QWidget* w : std::as_const(all)) {
            if (!isCarryOn(w) || !willTakeTab(w) || FocusAfter::isDestructive(w) || keptOutPart(w) != own)
                continue;
            const QPoint d = centreIn(w, window) - at;
            const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
            if (distance < bestDistance) {
                best = w;
                bestDistance = distance;
            }
        }
        if (best)
            return best;
        if (root == own)
            break;
    }
    for (QWidget* w = screen->nextInFocusChain(); w && w != screen; w = w->nextInFocusChain())
        if (screen->isAncestorOf(w) && willTakeTab(w) && !FocusAfter::isDestructive(w))
            return w;
    return nullptr;
}

bool isModalOnTop(const QWidget* widget) {
    const KeyboardLayer* layer = KeyboardLayer::top(widget);
    return layer && layer->kind() == KeyboardLayer::Kind::modal;
}

// Watches where the focus arrives. What the user moved himself stays; a focus handed on that
// lands on a control that deletes, removes or cancels, or in a part kept from handed focus
// that the user was not in, goes to the control that carries his work on.
class Guard : public QObject {
public:
    using QObject::QObject;

    // The row shows another record: no focus event tells it, so the row's host does.
    void refilled(QWidget* row) {
        if (KeyboardLayer* layer = KeyboardLayer::top(row);
            layer && inside(row, layer->opener()) && FocusAfter::isDestructive(layer->opener()))
            layer->setOpener(stopIn(row));
        QWidget* focus = QApplication::focusWidget();
        if (!inside(row, focus) || !FocusAfter::isDestructive(focus))
            return;
        QWidget* to = stopIn(row);
        FocusAfter::Handover held;
        held.hadFocus = true;
        held.ring = FocusRing::current() && FocusRing::current()->target() == focus;
        redirecting_ = true;
        if (!canTake(to))
            focus->clearFocus();
        held.giveTo(to);
        redirecting_ = false;
        if (to && QApplication::focusWidget() == to)
            remember(to);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            noteKey(static_cast<QKeyEvent*>(event));
            return false;
        case QEvent::Show:
        case QEvent::Hide:
            if (watched->isWidgetType())
                noteLayer(static_cast<QWidget*>(watched), true);
            return false;
        case QEvent::FocusIn:
            return watched->isWidgetType() &&
                   onFocusIn(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)->reason());
        default:
            return false;
        }
    }

private:
    // The keys that move the focus by the user's hand; any other key ends their turn.
    void noteKey(const QKeyEvent* key) {
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (!navigating_)
                QMetaObject::invokeMethod(
                    this, [this] { navigating_ = false; }, Qt::QueuedConnection);
            navigating_ = true;
            break;
        default:
            navigating_ = false;
        }
    }

    // The layers that came and went lately: the focus one gives back to its opener is where the
    // user was before it, wherever that lies.
    void noteLayer(QWidget* widget, bool ownWidget) {
        KeyboardLayer* layer = KeyboardLayer::of(widget);
        if (!layer || (ownWidget && layer->widget() != widget))
            return;
        layers_.removeAll(layer);
        layers_.removeAll(nullptr);
        layers_ << layer;
        if (layers_.size() > 4)
            layers_.removeFirst();
    }

    bool isOpenerBack(const QWidget* widget) const {
        return std::any_of(layers_.begin(), layers_.end(), [widget](const QPointer<KeyboardLayer>& layer) {
            return layer && layer->opener() == widget;
        });
    }

    bool byUser(Qt::FocusReason reason) const {
        switch (reason) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
            // Qt passes the focus of a control that hides on with the same reason.
            return navigating_;
        case Qt::OtherFocusReason:
        case Qt::NoFocusReason:
            return false;
        default:
            return true; // a click, a shortcut, the window coming back, a menu
        }
    }

    bool refuses(const QWidget* widget) const {
        if (FocusAfter::isDestructive(widget))
            return true;
        QWidget* part = keptOutPart(widget);
        return part && homeKnown_ && part != homePart_;
    }

    void remember(QWidget* widget) {
        home_.clear();
        for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
            home_ << w;
        homeAt_ = centreIn(widget, widget->window());
        homePart_ = keptOutPart(widget);
        homeKnown_ = true;
        homeRow_ = nullptr;
        homeInRow_ = false;
        for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
            if (w->property(kRowProperty).toBool()) {
                homeRow_ = w;
                homeInRow_ = true;
                homeRowHost_ = w->parentWidget();
                homeRowTop_ = w->y();
                break;
            }
    }

    // The row that took the place of the row the user was in, now gone: the row that stands
    // where it stood, else the one before it.
    QWidget* rowInPlace() const {
        if (!homeInRow_ || !homeRowHost_ || (homeRow_ && homeRow_->isVisible()))
            return nullptr;
        QWidget* below = nullptr;
        QWidget* above = nullptr;
        for (QObject* child : homeRowHost_->children()) {
            auto* row = qobject_cast<QWidget*>(child);
            if (!row || row == homeRow_ || !row->property(kRowProperty).toBool() ||
                !row->isVisibleTo(row->window()))
                continue;
            if (row->y() >= homeRowTop_) {
                if (!below || row->y() < below->y())
                    below = row;
            } else if (!above || row->y() > above->y()) {
                above = row;
            }
        }
        return below ? below : above;
    }

    QWidget* stopIn(QWidget* row) const {
        QWidget* stop = FocusAfter::rowStop(row);
        return stop ? stop : FocusAfter::carryOn(row);
    }

    // Where the user was: the control he had, else the nearest part around it still shown.
    QWidget* homeLeft() const {
        for (const QPointer<QWidget>& w : home_)
            if (w && w->isVisible())
                return w;
        return nullptr;
    }

    bool onFocusIn(QWidget* widget, Qt::FocusReason reason) {
        if (redirecting_ || widget->isWindow() || widget->window()->windowType() == Qt::Popup)
            return false;
        if (isModalOnTop(widget)) {
            noteLayer(widget, false);
            return false;
        }
        if (byUser(reason) || isOpenerBack(widget)) {
            remember(widget);
            return false;
        }
        // The row the user was in went (a delete took it): a focus handed on goes to the row that
        // took its place, wherever Qt or a screen passed it.
        QWidget* place = rowInPlace();
        if (!refuses(widget) && (!place || inside(place, widget))) {
            remember(widget);
            return false;
        }
        QWidget* to = place ? FocusAfter::rowStop(place) : nullptr;
        if (!to || refuses(to)) {
            QWidget* from = homeLeft();
            to = from ? carryOnFrom(from, homeAt_) : nullptr;
        }
        if (!to || refuses(to))
            to = carryOnFrom(widget, centreIn(widget, widget->window()));
        if (!to || refuses(to)) {
            // Better nothing focused than one more Return on a Delete.
            widget->clearFocus();
            return true;
        }
        redirecting_ = true;
        FocusAfter::Handover held;
        held.hadFocus = true;
        held.ring = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (!canTake(to))
            widget->clearFocus();
        held.giveTo(to);
        redirecting_ = false;
        return true;
    }

    bool navigating_ = false;
    bool redirecting_ = false;
    bool homeKnown_ = false;
    QList<QPointer<QWidget>> home_;
    QPoint homeAt_;
    QPointer<QWidget> homePart_;
    QPointer<QWidget> homeRow_;
    QPointer<QWidget> homeRowHost_;
    int homeRowTop_ = 0;
    bool homeInRow_ = false;
    QList<QPointer<KeyboardLayer>> layers_;
};

Guard* g_guard = nullptr;

} // namespace

FocusAfter::Handover FocusAfter::takeFrom(QWidget* leaving) {
    Handover held;
    if (!leaving || !leaving->isVisible())
        return held;
    if (KeyboardLayer* layer = KeyboardLayer::top(leaving); layer && inside(leaving, layer->opener()))
        held.layer = layer;
    QWidget* focus = QApplication::focusWidget();
    if (inside(leaving, focus)) {
        held.hadFocus = true;
        held.ring = FocusRing::current() && FocusRing::current()->target() == focus;
        // Let go before the part hides, or the window hands the focus on to its next control.
        focus->clearFocus();
    }
    return held;
}

void FocusAfter::Handover::giveTo(QWidget* to) const {
    if (to && isDestructive(to))
        to = carryOn(to);
    if (!to)
        return;
    if (layer)
        layer->setOpener(to);
    if (!hadFocus)
        return;
    const Qt::FocusReason reason = ring ? Qt::TabFocusReason : Qt::OtherFocusReason;
    if (canTake(to)) {
        to->setFocus(reason);
        return;
    }
    // The control shows later in the same change (a list lays out its new rows).
    QTimer::singleShot(0, to, [target = QPointer<QWidget>(to), reason] {
        if (canTake(target))
            target->setFocus(reason);
    });
}

void FocusAfter::handOver(QWidget* leaving, QWidget* to) {
    if (!to || inside(leaving, to))
        return;
    takeFrom(leaving).giveTo(to);
}

void FocusAfter::markDestructive(QWidget* control) {
    control->setProperty(kDestructiveProperty, true);
}

bool FocusAfter::isDestructive(const QWidget* control) {
    if (!control)
        return false;
    if (control->property(kDestructiveProperty).toBool())
        return true;
    static const QRegularExpression named(QStringLiteral("delete|remove|cancel|trash|discard"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (named.match(control->objectName()).hasMatch())
        return true;
    static const QRegularExpression said(QStringLiteral("^\\W*(delete|remove|cancel|discard)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    for (const QString& words :
         {control->accessibleName(), button ? button->text() : QString(), control->toolTip()})
        if (said.match(words).hasMatch())
            return true;
    return false;
}

void FocusAfter::markCarryOn(QWidget* control) {
    control->setProperty(kCarryOnProperty, true);
}

void FocusAfter::keepHandedFocusOut(QWidget* part) {
    g_keptOut.removeAll(nullptr);
    if (!g_keptOut.contains(part))
        g_keptOut << part;
}

QWidget* FocusAfter::carryOn(QWidget* near) {
    return near ? carryOnFrom(near, centreIn(near, near->window())) : nullptr;
}

QWidget* FocusAfter::rowStop(QWidget* row) {
    if (!row)
        return nullptr;
    if (willTakeTab(row) && !isDestructive(row))
        return row;
    for (QWidget* w = row->nextInFocusChain(); w && w != row; w = w->nextInFocusChain())
        if (row->isAncestorOf(w) && willTakeTab(w) && !isDestructive(w))
            return w;
    if (!row->isVisibleTo(row->window()))
        return nullptr;
    // A row whose only control is its Delete holds the focus itself: Tab goes on from it.
    if (row->focusPolicy() == Qt::NoFocus)
        row->setFocusPolicy(Qt::ClickFocus);
    return row;
}

void FocusAfter::fillRow(QWidget* row, const QVariant& record) {
    const bool wasRow = row->property(kRowProperty).toBool();
    const QVariant was = row->property(kRecordProperty);
    row->setProperty(kRowProperty, true);
    row->setProperty(kRecordProperty, record);
    const bool same = record.isValid() && was.isValid() && was == record;
    if (wasRow && !same && g_guard)
        g_guard->refilled(row);
}

void FocusAfter::installGuard() {
    if (g_guard || !qApp)
        return;
    g_guard = new Guard(qApp);
    qApp->installEventFilter(g_guard);
}
