#include "Components/FocusRing.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include <limits>

namespace {

QPointer<FocusRing> g_ring;
constexpr int kQtDefaultMaxLength = 32767;
const char* const kRoundProperty = "focusRingRound";
const char* const kRadiusProperty = "focusRingRadius";

// The corner radius the control's own style sheet draws it with, if it says one.
double styledRadius(const QWidget* widget) {
    static const QRegularExpression radius(QStringLiteral("border-radius\\s*:\\s*([0-9.]+)px"));
    const QRegularExpressionMatch match = radius.match(widget->styleSheet());
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

// A field styled with an edge of its own for focus shows it there; a ring around it would be
// doubled. A field without one gets the ring, or only a thin caret would say where Tab went.
bool drawsOwnFocus(const QWidget* widget) {
    bool field = qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
                 qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        field = combo->isEditable();
    return field && widget->styleSheet().contains(QLatin1String(":focus"));
}

const char* const kNameFromTipProperty = "focusRingNameFromToolTip";

// A button that shows only a symbol says what it does in its tool tip; a screen reader reads
// the same words as its name, and follows the tip when it changes ("Hide title", "Show title").
void nameIconButton(QAbstractButton* button) {
    if (!button->text().isEmpty() || button->toolTip().isEmpty())
        return;
    if (!button->accessibleName().isEmpty() && !button->property(kNameFromTipProperty).toBool())
        return;
    button->setAccessibleName(button->toolTip());
    button->setProperty(kNameFromTipProperty, true);
}

bool fromKeyboard(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

// Return presses a focused button as Space does.
bool pressFocusedButton(QObject* watched, const QKeyEvent* key) {
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled() || key->modifiers() != Qt::NoModifier)
        return false;
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

} // namespace

class FocusRingKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return FocusRing::filterApplicationEvent(watched, event);
    }
};

void FocusRing::install() {
    static FocusRingKeeper* keeper = nullptr;
    if (keeper || !qApp)
        return;
    keeper = new FocusRingKeeper(qApp);
    qApp->installEventFilter(keeper);
}

FocusRing* FocusRing::current() {
    return g_ring;
}

bool FocusRing::filterApplicationEvent(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        if (!watched->isWidgetType())
            break;
        auto* widget = static_cast<QWidget*>(watched);
        if (g_ring && g_ring->target() != widget)
            delete g_ring.data();
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!g_ring && fromKeyboard(reason) && !drawsOwnFocus(widget) && widget->parentWidget())
            g_ring = new FocusRing(widget);
        break;
    }
    case QEvent::FocusOut:
        // A menu popping up keeps the ring on the button that opened it.
        if (g_ring && g_ring->target() == watched &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            delete g_ring.data();
        break;
    case QEvent::ToolTipChange:
        if (auto* button = qobject_cast<QAbstractButton*>(watched))
            nameIconButton(button);
        break;
    case QEvent::Polish:
        if (auto* button = qobject_cast<QAbstractButton*>(watched))
            nameIconButton(button);
        // A tab character is not something anyone types into a note: Tab moves on.
        if (auto* plain = qobject_cast<QPlainTextEdit*>(watched))
            plain->setTabChangesFocus(true);
        else if (auto* rich = qobject_cast<QTextEdit*>(watched))
            rich->setTabChangesFocus(true);
        // A one-line field would cut pasted text at Qt's default limit without a word.
        else if (auto* line = qobject_cast<QLineEdit*>(watched);
                 line && line->maxLength() == kQtDefaultMaxLength && line->inputMask().isEmpty())
            line->setMaxLength(std::numeric_limits<int>::max());
        break;
    case QEvent::KeyPress:
        return pressFocusedButton(watched, static_cast<QKeyEvent*>(event));
    default:
        break;
    }
    return false;
}

// Drawn over the target in its parent, so it moves and clips with it; in an ancestor where the
// parent is too tight for it (a control flush with its box's edge, a chip in a strip that
// scrolls), following every move of the ancestors between (scrolling included).
FocusRing::FocusRing(QWidget* target) : QWidget(ringHost(target)), target_(target) {
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    for (QWidget* w = target; w && w != parentWidget(); w = w->parentWidget()) {
        w->installEventFilter(this);
        followed_ << w;
    }
    follow();
}

QWidget* FocusRing::ringHost(QWidget* target) {
    QWidget* host = target->parentWidget();
    QRect wanted = target->geometry().adjusted(-kOutset, -kOutset, kOutset, kOutset);
    while (!host->isWindow() && !host->rect().contains(wanted) && host->parentWidget()) {
        wanted.translate(host->pos());
        host = host->parentWidget();
    }
    return host;
}

QRect FocusRing::targetRect() const {
    return {target_->mapTo(parentWidget(), QPoint(0, 0)), target_->size()};
}

void FocusRing::follow() {
    if (!target_ || !target_->isVisible()) {
        hide();
        return;
    }
    // Kept inside the host, so a target flush with the host's edge shows the ring over its
    // own border rather than losing it to the clip; and inside the view of any scroll area in
    // between (a ring's width over its edge), so a control scrolled away takes its ring along.
    const QRect target = targetRect();
    QRect ring = target.adjusted(-kOutset, -kOutset, kOutset, kOutset) & parentWidget()->rect();
    for (const QPointer<QWidget>& w : followed_) {
        const auto* area =
            w && w->parentWidget() ? qobject_cast<QAbstractScrollArea*>(w->parentWidget()) : nullptr;
        if (!area || area->viewport() != w)
            continue;
        const QRect view(w->mapTo(parentWidget(), QPoint(0, 0)), w->size());
        if (!view.intersects(target)) {
            hide();
            return;
        }
        ring &= view.adjusted(-kOutset, -kOutset, kOutset, kOutset);
    }
    setGeometry(ring);
    show();
    raise();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWidgetType() && followed_.contains(static_cast<QWidget*>(watched))) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ZOrderChange:
            follow();
            break;
        case QEvent::ParentChange:
            deleteLater();
            break;
        default:
            break;
        }
    }
    return false;
}

void FocusRing::setRound(QWidget* control) {
    control->setProperty(kRoundProperty, true);
}

void FocusRing::setCornerRadius(QWidget* control, double radius) {
    control->setProperty(kRadiusProperty, radius);
}

QPainterPath FocusRing::outline() const {
    QPainterPath path;
    if (!target_)
        return path;
    // The target's outline in this widget, grown by the outset; the pen's middle runs on it.
    const QRectF own = QRectF(targetRect()).translated(-QPointF(pos()));
    const QRectF ring = own.adjusted(-kOutset + 1, -kOutset + 1, kOutset - 1, kOutset - 1);
    if (target_->property(kRoundProperty).toBool()) {
        const double side = std::min(ring.width(), ring.height());
        path.addEllipse(QRectF(ring.center() - QPointF(side / 2, side / 2), QSizeF(side, side)));
        return path;
    }
    double radius = target_->property(kRadiusProperty).isValid()
                        ? target_->property(kRadiusProperty).toDouble()
                        : styledRadius(target_);
    if (radius < 0)
        radius = 8; // the kit's usual corner
    radius = std::min(radius + kOutset - 1, std::min(ring.width(), ring.height()) / 2.0);
    path.addRoundedRect(ring, radius, radius);
    return path;
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = outline();
    p.setBrush(Qt::NoBrush);
    // A dark hairline inside the accent keeps the ring apart from any fill or tint under it.
    p.setPen(QPen(Theme::withOpacity(Theme::backgroundPrimary(), 0.9), 4));
    p.drawPath(path);
    p.setPen(QPen(Theme::withOpacity(AppTheme::Colors::indigo(), 0.95), 2));
    p.drawPath(path);
}
