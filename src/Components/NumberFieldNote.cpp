#include "Components/NumberFieldNote.h"

#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr const char* kNoteProperty = "numberFieldNote";
} // namespace

NumberFieldNote::NumberFieldNote(QLineEdit* field, AmountRule rule, QWidget* parent)
    : QLabel(parent), field_(field), rule_(rule) {
    setObjectName(QStringLiteral("numberFieldNote"));
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFont(Theme::font(11));
    // The line never widens the form: it takes the field's width and cuts itself to it.
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
        setToolTip(Text::plainToolTip(verdict_.line));
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

QSize NumberFieldNote::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

void NumberFieldNote::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(AppTheme::Colors::warning());
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, width()));
}
