#include "Components/Stepper.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* stepButton(const QString& symbol, const QString& name) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(Symbols::icon(symbol, Theme::textPrimary(), 12));
    button->setIconSize(QSize(12, 12));
    button->setFixedSize(26, 24);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoRepeat(true);
    button->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; border: 1px solid %2; border-radius: 6px; }"
                       "QToolButton:pressed { background: %3; }"
                       "QToolButton:disabled { background: %4; }")
            .arg(Theme::css(Theme::backgroundTertiary()), Theme::css(AppTheme::Colors::borderMedium()),
                 Theme::css(Theme::backgroundElevated()),
                 Theme::css(Theme::withOpacity(Theme::backgroundTertiary(), 0.4))));
    return button;
}

} // namespace

Stepper::Stepper(int value, int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), value_(std::clamp(value, minimum, std::max(minimum, maximum))), minimum_(minimum),
      maximum_(std::max(minimum, maximum)), step_(std::max(1, step)), label_(new QLabel),
      minus_(stepButton(QStringLiteral("minus"), QStringLiteral("stepperMinus"))),
      plus_(stepButton(QStringLiteral("plus"), QStringLiteral("stepperPlus"))) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    label_->setTextFormat(Qt::PlainText);
    label_->setFont(Theme::font(13));
    label_->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::css(Theme::textPrimary())));
    row->addWidget(label_);
    row->addWidget(minus_);
    row->addWidget(plus_);
    setName(QString());
    connect(minus_, &QToolButton::clicked, this, [this] { setValue(value_ - step_); });
    connect(plus_, &QToolButton::clicked, this, [this] { setValue(value_ + step_); });
    refresh();
}

void Stepper::setValue(int value) {
    const int v = std::clamp(value, minimum_, maximum_);
    if (v == value_)
        return;
    value_ = v;
    refresh();
    emit valueChanged(v);
}

void Stepper::setLabel(const QString& text) {
    label_->setText(text);
}
QString Stepper::label() const {
    return label_->text();
}

void Stepper::setName(const QString& name) {
    setAccessibleName(name);
    minus_->setAccessibleName(name.isEmpty() ? tr("Decrease") : tr("Decrease %1").arg(name));
    plus_->setAccessibleName(name.isEmpty() ? tr("Increase") : tr("Increase %1").arg(name));
}

void Stepper::refresh() {
    minus_->setEnabled(value_ > minimum_);
    plus_->setEnabled(value_ < maximum_);
}
