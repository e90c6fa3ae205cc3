#include "Components/FocusAfter.h"

#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"

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

// What a control does to a record (FocusAfter::Action, plus one), and the Add of a section.
const char* const kActionProperty = "focusAfterAction";
const char* const kCarryOnProperty = "focusAfterCarriesOn";
const char* const kCarryOnRowsProperty = "focusAfterCarriesOnRows";
// A row that takes a focus handed on.
const char* const kStopProperty = "focusAfterRowStop";
// A row a list fills, and the record it shows.
const char* const kRowProperty = "focusAfterRow";
const char* const kRecordProperty = "focusAfterRecord";

QList<QPointer<QWidget>> g_keptOut;
QList<QPointer<QWidget>> g_sectionAdds;

bool inside(const QWidget* root, const QWidget* widget) {
    return root && widget && (widget == root || root->isAncestorOf(widget));
}

bool isStop(const QWidget* widget) {
    return widget->property(kStopProperty).toBool();
}

bool canTake(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled() &&
           (widget->focusPolicy() != Qt::NoFocus || isStop(widget));
}

// The row a list filled that holds the widget, if any.
QWidget* rowOf(QWidget* widget) {
    for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
        if (w->property(kRowProperty).toBool())
            return w;
    return nullptr;
}

// A control inside a row, not the row: it acts on the row's record, or edits it.
bool inRowControl(QWidget* widget) {
    const QWidget* row = rowOf(widget);
    return row && row != widget;
}

bool shownRow(const QWidget* row) {
    return row->property(kRowProperty).toBool() && row->isVisibleTo(row->window());
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
            if (!isCarryOn(w) || !willTakeTab(w) || FocusAfter::isAction(w) || keptOutPart(w) != own)
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
        if (screen->isAncestorOf(w) && willTakeTab(w) && !FocusAfter::isAction(w) && !inRowControl(w))
            return w;
    return nullptr;
}

// The Add of the section whose rows are named `rows`, in the window `near` is in: the one
// nearest `at` (window coordinates) of those that take Tab.
QWidget* sectionAdd(const QString& rows, const QWidget* near, QPoint at) {
    if (rows.isEmpty() || !near)
        return nullptr;
    QWidget* best = nullptr;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    g_sectionAdds.removeAll(nullptr);
    for (const QPointer<QWidget>& add : std::as_const(g_sectionAdds)) {
        if (add->window() != near->window() || add->property(kCarryOnRowsProperty).toString() != rows ||
            !willTakeTab(add))
            continue;
        const QPoint d = centreIn(add, add->window()) - at;
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (distance < bestDistance) {
            best = add;
            bestDistance = distance;
        }
    }
    return best;
}

bool isModalOnTop(const QWidget* widget) {
    const KeyboardLayer* layer = KeyboardLayer::top(widget);
    return layer && layer->kind() == KeyboardLayer::Kind::modal;
}

// The rows of `host` in `row`'s section (all of them for a row of no section), shown, in the
// order they read.
QList<QWidget*> sectionRows(const QWidget* host, const QString& name, bool section) {
    QList<QWidget*> rows;
    if (!host)
        return rows;
    for (QObject* child : host->children()) {
        auto* row = qobject_cast<QWidget*>(child);
        if (row && shownRow(row) && (!section || row->objectName() == name))
            rows << row;
    }
    std::sort(rows.begin(), rows.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() < b->y() || (a->y() == b->y() && a->x() < b->x());
    });
    return rows;
}

// A row that left its list, or the row the user was in: where it stood, what it showed, and
// the records of the rows around it then.
struct RowPlace {
    QPointer<QWidget> row;
    QPointer<QWidget> host;
    QPoint at;       // in its host
    QPoint windowAt; // its centre in the window
    QVariant record;
    QVariant next;        // the record of the row after it, which takes its place when it leaves
    QVariant previous;    // and of the row before it, which does when it was the last
    QString name;         // the object name its section's rows share
    bool section = false; // a row marked as one: only a row of its section takes its place
    bool known = false;

    static RowPlace of(QWidget* row) {
        RowPlace place;
        if (!row)
            return place;
        place.known = true;
        place.row = row;
        place.host = row->parentWidget();
        place.at = row->pos();
        place.windowAt = centreIn(row, row->window());
        place.record = row->property(kRecordProperty);
        place.name = row->objectName();
        place.section = isStop(row);
        const QList<QWidget*> rows = sectionRows(place.host, place.name, place.section);
        if (const qsizetype i = rows.indexOf(row); i >= 0) {
            if (i + 1 < rows.size())
                place.next = rows[i + 1]->property(kRecordProperty);
            if (i > 0)
                place.previous = rows[i - 1]->property(kRecordProperty);
        }
        return place;
    }
};

// The shown row of `left`'s section in the window that shows `record`, if any.
QWidget* rowShowing(const RowPlace& left, const QVariant& record, const QWidget* window) {
    if (!record.isValid() || !window)
        return nullptr;
    for (QWidget* row : window->findChildren<QWidget*>(left.name))
        if (shownRow(row) && row->property(kRecordProperty) == record)
            return row;
    return nullptr;
}

// The row that took the place of `left`, now gone or showing another record: the row showing
// its record still (made anew, or moved within its list), else the row of the record that came
// after it, else the one before it, else the row of its section that stands where it stood, else
// the one above. Null while `left` shows its record still.
QWidget* rowTakingPlace(const RowPlace& left, const QWidget* window) {
    if (left.row && shownRow(left.row) && left.row->property(kRecordProperty) == left.record)
        return nullptr;
    for (const QVariant& record : {left.record, left.next, left.previous})
        if (QWidget* row = rowShowing(left, record, window))
            return row;
    if (!left.host)
        return nullptr;
    if (left.row && shownRow(left.row) && left.row->pos() == left.at)
        return left.row; // filled anew in its place
    QWidget* below = nullptr;
    QWidget* above = nullptr;
    for (QWidget* row : sectionRows(left.host, left.name, left.section)) {
        if (row == left.row)
            continue;
        if (row->y() > left.at.y() || (row->y() == left.at.y() && row->x() >= left.at.x())) {
            if (!below)
                below = row;
        } else {
            above = row;
        }
    }
    return below ? below : above;
}

// Where the focus of `left` goes: the row that took its place, else its section's Add, else
// the control that carries the work on near `near`.
QWidget* placeAfter(const RowPlace& left, QWidget* near) {
    const QWidget* window = near ? near->window() : nullptr;
    if (QWidget* row = rowTakingPlace(left, window))
        if (QWidget* stop = FocusAfter::rowStop(row))
            return stop;
    if (QWidget* add = sectionAdd(left.name, near, left.windowAt))
        return add;
    return near ? FocusAfter::carryOn(near) : nullptr;
}

// Watches where the focus arrives and keeps the record the user is in. What the user moved
// himself stays; a focus handed on that lands on a control that acts on a record, or in a part
// kept from handed focus that the user was not in, goes to the row that took the place of the
// one he was in, else to the control that carries his work on.
class Guard : public QObject {
public:
    using QObject::QObject;

    // The row showed the record `was` and now shows another: no focus event tells it, so the
    // row's host does. The focus and the way back of a sheet in it go at once to the row itself,
    // which acts on nothing; once the whole list is filled, to the row that took the place of
    // `was` (the row showing it still, when it only moved).
    void refilled(QWidget* row, const QVariant& was) {
        QWidget* focus = QApplication::focusWidget();
        KeyboardLayer* layer = KeyboardLayer::top(row);
        const bool opener = layer && inside(row, layer->opener());
        const bool held = inside(row, focus);
        if (!opener && !held)
            return;
        RowPlace left = homeRow_.row == row && homeRow_.record == was ? homeRow_ : RowPlace::of(row);
        left.record = was;
        QWidget* to = placeIn(row);
        if (opener && to)
            layer->setOpener(to);
        if (held)
            moveFocus(focus, to);
        const QPointer<QWidget> placed = to;
        const QPointer<KeyboardLayer> way = opener ? layer : nullptr;
        QMetaObject::invokeMethod(
            this,
            [this, left, placed, way, held] {
                if (!placed || !left.row)
                    return;
                QWidget* row = rowTakingPlace(left, placed->window());
                QWidget* to = row ? FocusAfter::rowStop(row) : nullptr;
                if (!to || to == placed)
                    return;
                if (way && way->opener() == placed)
                    way->setOpener(to);
                if (held && QApplication::focusWidget() == placed)
                    moveFocus(placed, to);
            },
            Qt::QueuedConnection);
    }

    // The row the user was in, for a list that lets it go (see FocusAfter::afterRowLeft).
    RowPlace placeOf(QWidget* row) const { return homeRow_.row == row ? homeRow_ : RowPlace::of(row); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            noteKey(static_cast<QKeyEvent*>(event));
            rowLeft_ = false;
            return false;
        case QEvent::MouseButtonPress:
            rowLeft_ = false;
            return false;
        case QEvent::Hide:
            if (watched == homeRow_.row)
                rowLeft_ = true;
            [[fallthrough]];
        case QEvent::Show:
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
        // A layer may be gone by the time its opener takes the focus back.
        openers_.removeAll(nullptr);
        if (QWidget* opener = layer->opener(); opener && !openers_.contains(opener))
            openers_ << opener;
        if (openers_.size() > 4)
            openers_.removeFirst();
    }

    bool isOpenerBack(const QWidget* widget) const {
        return openers_.contains(widget) ||
               std::any_of(layers_.begin(), layers_.end(), [widget](const QPointer<KeyboardLayer>& layer) {
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
        if (FocusAfter::isAction(widget))
            return true;
        QWidget* part = keptOutPart(widget);
        return part && homeKnown_ && part != homePart_;
    }

    // The control the user had, of the record he was in, made anew (a screen that rebuilds its
    // rows gives the focus back to it): his own still, whatever it does.
    bool isControlBack(const QWidget* widget) const {
        QWidget* row = rowOf(const_cast<QWidget*>(widget));
        return row && row != widget && homeRow_.record.isValid() && !homeControl_.isEmpty() &&
               widget->objectName() == homeControl_ && row->property(kRecordProperty) == homeRow_.record &&
               row->objectName() == homeRow_.name;
    }

    void remember(QWidget* widget) {
        rowLeft_ = false;
        homeControl_ = widget->objectName();
        home_.clear();
        for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
            home_ << w;
        homeAt_ = centreIn(widget, widget->window());
        homePart_ = keptOutPart(widget);
        homeKnown_ = true;
        homeRow_ = RowPlace::of(rowOf(widget));
        disconnect(homeRowGone_);
        if (homeRow_.row)
            homeRowGone_ = connect(homeRow_.row, &QObject::destroyed, this, [this] { rowLeft_ = true; });
    }

    // Where the focus on a row that shows another record now goes: the row itself, else the
    // Add of its section, else the control that carries the work on.
    static QWidget* placeIn(QWidget* row) {
        if (QWidget* stop = FocusAfter::rowStop(row))
            return stop;
        if (QWidget* add = sectionAdd(row->objectName(), row, centreIn(row, row->window())))
            return add;
        return FocusAfter::carryOn(row);
    }

    void moveFocus(QWidget* from, QWidget* to) {
        FocusAfter::Handover held;
        held.hadFocus = true;
        held.ring = FocusRing::current() && FocusRing::current()->target() == from;
        redirecting_ = true;
        if (!canTake(to) && from)
            from->clearFocus();
        held.giveTo(to);
        redirecting_ = false;
        if (to && QApplication::focusWidget() == to)
            remember(to);
    }

    QWidget* rowInPlace() const {
        // Only a focus handed on as a row leaves: one a screen gives later is its own choice, and
        // a part a list lends (a card's head or foot) is no row whose place another takes.
        if (!homeRow_.section || !rowLeft_)
            return nullptr;
        const QWidget* from = homeLeft();
        return rowTakingPlace(homeRow_, from ? from->window() : nullptr);
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
        // With no row of the section left, its Add.
        QWidget* place = rowInPlace();
        QWidget* to = place ? FocusAfter::rowStop(place) : nullptr;
        QWidget* add = !to && homeRow_.section && rowLeft_
                           ? sectionAdd(homeRow_.name, widget, homeRow_.windowAt)
                           : nullptr;
        const bool fits = add ? widget == add : !place || inside(place, widget);
        if ((!refuses(widget) && fits) || isControlBack(widget)) {
            remember(widget);
            return false;
        }
        if (!to)
            to = add;
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
        if (QApplication::focusWidget() == to)
            remember(to);
        return true;
    }

    bool navigating_ = false;
    bool redirecting_ = false;
    bool homeKnown_ = false;
    QList<QPointer<QWidget>> home_;
    QPoint homeAt_;
    QPointer<QWidget> homePart_;
    RowPlace homeRow_; // the row the user was in, if any
    QString homeControl_;
    bool rowLeft_ = false; // the row the user was in hid or went since his last key or click
    QMetaObject::Connection homeRowGone_;
    QList<QPointer<KeyboardLayer>> layers_;
    QList<QPointer<QWidget>> openers_;
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
    if (to && isAction(to)) {
        QWidget* row = rowOf(to);
        QWidget* stop = row ? rowStop(row) : nullptr;
        to = stop ? stop : carryOn(to);
    }
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

void FocusAfter::markAction(QWidget* control, Action action) {
    control->setProperty(kActionProperty, int(action) + 1);
}

bool FocusAfter::isDestructive(const QWidget* control) {
    return control && control->property(kActionProperty).toInt() == int(Action::deletes) + 1;
}

bool FocusAfter::isAction(const QWidget* control) {
    return control && control->property(kActionProperty).toInt() > 0;
}

void FocusAfter::markCarryOn(QWidget* control, const QString& rows) {
    control->setProperty(kCarryOnProperty, true);
    if (rows.isEmpty())
        return;
    control->setProperty(kCarryOnRowsProperty, rows);
    g_sectionAdds.removeAll(nullptr);
    g_sectionAdds << control;
}

void FocusAfter::keepHandedFocusOut(QWidget* part) {
    g_keptOut.removeAll(nullptr);
    if (!g_keptOut.contains(part))
        g_keptOut << part;
}

QWidget* FocusAfter::carryOn(QWidget* near) {
    return near ? carryOnFrom(near, centreIn(near, near->window())) : nullptr;
}

void FocusAfter::markRow(QWidget* row) {
    row->setProperty(kStopProperty, true);
    if (row->focusPolicy() == Qt::NoFocus)
        row->setFocusPolicy(Qt::ClickFocus);
}

bool FocusAfter::isRow(const QWidget* row) {
    return row && isStop(row);
}

QWidget* FocusAfter::rowStop(QWidget* row) {
    if (!row || !row->isVisibleTo(row->window()) || !row->isEnabled() || isAction(row))
        return nullptr;
    return isStop(row) || row->focusPolicy() != Qt::NoFocus ? row : nullptr;
}

void FocusAfter::fillRow(QWidget* row, const QVariant& record) {
    const bool wasRow = row->property(kRowProperty).toBool();
    const QVariant was = row->property(kRecordProperty);
    row->setProperty(kRowProperty, true);
    row->setProperty(kRecordProperty, record);
    const bool same = record.isValid() && was.isValid() && was == record;
    if (!g_guard)
        return;
    if (wasRow && !same)
        g_guard->refilled(row, was);
}

QWidget* FocusAfter::afterRowLeft(QWidget* row) {
    if (!row)
        return nullptr;
    return placeAfter(g_guard ? g_guard->placeOf(row) : RowPlace::of(row), row->parentWidget());
}

void FocusAfter::installGuard() {
    if (g_guard || !qApp)
        return;
    g_guard = new Guard(qApp);
    qApp->installEventFilter(g_guard);
}
