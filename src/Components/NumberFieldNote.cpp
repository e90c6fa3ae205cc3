#include "Components/NumberFieldNote.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr const char* kNoteProperty = "numberFieldNote";
} // namespace

NumberFieldNote::NumberFieldNote(QLineEdit* field, AmountRule rule, QWidget* parent)
    : QLabel(parent), field_(field), rule_(rule) {
    setObjectName(QStringLiteral("numberFieldNote"));
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFont(Theme::font(11));
    // The line never widens the form: it takes the field's width and wraps within it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    field->setProperty(kNoteProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    connect(field, &QLineEdit::textChanged, this, &NumberFieldNote::follow);
    // A field hidden with its part of the form (a toggle folds it away) takes its line along.
    field->installEventFilter(this);
    setVisible(false);
    follow();
}

QWidget* NumberFieldNote::stacked(QLineEdit* field, AmountRule rule) {
    auto* box = new QWidget;
    // The line keeps to the field however tall the form's room for the block is.
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(field);
    column->addWidget(new NumberFieldNote(field, rule, box));
    return box;
}

NumberFieldNote* NumberFieldNote::of(const QLineEdit* field) {
    return field ? qobject_cast<NumberFieldNote*>(field->property(kNoteProperty).value<QObject*>()) : nullptr;
}

bool NumberFieldNote::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_.data() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        follow();
    return QLabel::eventFilter(watched, event);
}

QLineEdit* NumberFieldNote::field() const {
    return qobject_cast<QLineEdit*>(field_.data());
}

void NumberFieldNote::follow() {
    QLineEdit* field = this->field();
    const QString text = field ? field->text() : QString();
    verdict_ = rule_.verdict(text);
    if (verdict_.line != this->text()) {
        setText(verdict_.line);
        // Read as it is shown: plain words, never the markup of a tool tip.
        setAccessibleName(verdict_.line);
        updateGeometry();
    }
    if (field)
        field->setAccessibleDescription(verdict_.line);
    const bool shown = verdict_.refused() && field && field->isVisibleTo(field->window());
    if (isHidden() != shown)
        return;
    setVisible(shown);
    emit shownChanged(shown);
    if (shown)
        QMetaObject::invokeMethod(this, &NumberFieldNote::bringIntoView, Qt::QueuedConnection);
}

void NumberFieldNote::bringIntoView() {
    // A line that came below the fold of a scrolling form would say nothing; once the form
    // has made room for it, the form scrolls just enough to show it.
    for (QWidget* w = parentWidget(); w && isVisible(); w = w->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            scroll->ensureWidgetVisible(this, 0, 8);
            return;
        }
}

namespace {
// A word too long for the room (a long compound under some locales) breaks where it must.
constexpr int kWrap = Qt::TextWordWrap | Qt::TextWrapAnywhere;
} // namespace

// One line until the note is given its width; then as many as the line needs at that width. The
// hint, not a height for width, carries it: forms ask the note's box for its height at the box's
// own preferred width, far narrower than the room the form then gives it.
QSize NumberFieldNote::sizeHint() const {
    const int lines = testAttribute(Qt::WA_Resized) ? linesHeight(width()) : fontMetrics().height();
    return {fontMetrics().horizontalAdvance(text()), lines};
}

void NumberFieldNote::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    if (!testAttribute(Qt::WA_Resized) || event->oldSize().width() == width())
        return;
    // Asked for once the layout is done placing: a change asked for in the middle is lost.
    if (linesHeight(width()) != height())
        QMetaObject::invokeMethod(this, &QWidget::updateGeometry, Qt::QueuedConnection);
}

QSize NumberFieldNote::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

int NumberFieldNote::linesHeight(int width) const {
    const QFontMetrics metrics = fontMetrics();
    const QRect room(0, 0, std::max(1, width), 1 << 20);
    const int lines = std::max(
        1, qRound(double(metrics.boundingRect(room, kWrap, text()).height()) / metrics.lineSpacing()));
    return metrics.height() + (lines - 1) * metrics.lineSpacing();
}

void NumberFieldNote::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(AppTheme::Colors::warning());
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | kWrap, text());
}
