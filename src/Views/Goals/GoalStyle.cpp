#include "Views/Goals/GoalStyle.h"

#include "Components/CastShadow.h"
#include "Components/Symbols.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

double GoalStyle::mix(double a, double b, double t) {
    return a + (b - a) * t;
}

QColor GoalStyle::mixColor(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(mix(a.redF(), b.redF(), t)), float(mix(a.greenF(), b.greenF(), t)),
                            float(mix(a.blueF(), b.blueF(), t)), float(mix(a.alphaF(), b.alphaF(), t)));
}

QLabel* GoalStyle::label(QWidget* parent, const QString& objectName, const QFont& font, const QColor& color) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    recolor(label, color);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void GoalStyle::recolor(QLabel* label, const QColor& color) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

QToolButton* GoalStyle::eyeButton(QWidget* parent, const QString& objectName, std::function<void()> onClick) {
    auto* eye = new QToolButton(parent);
    eye->setObjectName(objectName);
    eye->setAutoRaise(true);
    eye->setCursor(Qt::PointingHandCursor);
    eye->setFocusPolicy(Qt::NoFocus);
    eye->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; padding: 0; }"));
    const int size = Symbols::pixelSizeForFontSize(11);
    eye->setIconSize(QSize(size, size));
    QObject::connect(eye, &QToolButton::clicked, eye, [onClick = std::move(onClick)] {
        if (onClick)
            onClick();
    });
    return eye;
}

void GoalStyle::showEye(QToolButton* eye, bool masked) {
    eye->setIcon(Symbols::icon(masked ? QStringLiteral("eye.slash") : QStringLiteral("eye"),
                               Theme::textMuted(), Symbols::pixelSizeForFontSize(11)));
    // The tip is also the button's name for a screen reader.
    eye->setToolTip(masked ? QObject::tr("Show title") : QObject::tr("Hide title"));
}

QColor GoalStyle::deadlineColor(DeadlineTone tone) {
    switch (tone) {
    case DeadlineTone::overdue:
        return AppTheme::Colors::coral();
    case DeadlineTone::soon:
        return AppTheme::Colors::amber();
    case DeadlineTone::later:
        break;
    }
    return Theme::textMuted();
}

QString GoalStyle::horizontalGradient(const QColor& from, const QColor& to) {
    return QStringLiteral("qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 %1, stop: 1 %2)")
        .arg(Theme::css(from), Theme::css(to));
}

QToolButton* GoalStyle::chip(const QString& objectName, const QString& text) {
    auto* chip = new QToolButton;
    chip->setObjectName(objectName);
    chip->setText(Text::literalMnemonics(text));
    chip->setFont(Theme::font(12, QFont::Medium));
    chip->setCursor(Qt::PointingHandCursor);
    chip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return chip;
}

void GoalStyle::styleChip(QToolButton* chip, bool chosen, const QColor& from, const QColor& to, int padY) {
    const int radius = (QFontMetrics(chip->font()).height() + 2 * padY + 2) / 2;
    if (chosen)
        chip->setStyleSheet(
            QStringLiteral("QToolButton { color: white; background: %1; border: 1px solid transparent; "
                           "border-radius: %2px; padding: %3px 16px; }")
                .arg(horizontalGradient(from, to))
                .arg(radius)
                .arg(padY));
    else
        chip->setStyleSheet(QStringLiteral("QToolButton { color: %1; background: %2; border: 1px solid %3; "
                                           "border-radius: %4px; padding: %5px 16px; }")
                                .arg(Theme::css(Theme::textSecondary()),
                                     Theme::css(AppTheme::Colors::glassSurface()),
                                     Theme::css(AppTheme::Colors::borderSubtle()))
                                .arg(radius)
                                .arg(padY));
    CastShadow::set(
        chip, {chosen ? Theme::withOpacity(from, 0.3) : QColor(Qt::transparent), chosen ? 6.0 : 0.0, 0, 0},
        radius);
}

QLineEdit* GoalStyle::plainField(const QString& objectName, const QString& placeholder, const QFont& font) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setPlaceholderText(placeholder);
    field->setFont(font);
    field->setFrame(false);
    field->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; border: none; color: %1; padding: 0; }")
            .arg(Theme::css(Theme::textPrimary())));
    QPalette pal = field->palette();
    pal.setColor(QPalette::PlaceholderText, Theme::textMuted());
    field->setPalette(pal);
    return field;
}
