#include "Views/Goals/GoalDetailStyle.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/EnumStyles.h"
#include "ViewModels/Theme/Theme.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>

QColor GoalDetailStyle::backgroundPrimary() {
    return Theme::backgroundPrimary();
}
QColor GoalDetailStyle::backgroundSecondary() {
    return Theme::backgroundSecondary();
}
QColor GoalDetailStyle::backgroundTertiary() {
    return Theme::backgroundTertiary();
}
QColor GoalDetailStyle::textPrimary() {
    return Theme::textPrimary();
}
QColor GoalDetailStyle::textSecondary() {
    return Theme::textSecondary();
}
QColor GoalDetailStyle::textMuted() {
    return Theme::textMuted();
}

QColor GoalDetailStyle::rose() {
    return AppTheme::Colors::rose();
}
QColor GoalDetailStyle::coral() {
    return AppTheme::Colors::coral();
}
QColor GoalDetailStyle::emerald() {
    return AppTheme::Colors::emerald();
}
QColor GoalDetailStyle::amber() {
    return AppTheme::Colors::amber();
}
QColor GoalDetailStyle::gold() {
    return AppTheme::Colors::gold();
}
QColor GoalDetailStyle::borderSubtle() {
    return AppTheme::Colors::borderSubtle();
}

QColor GoalDetailStyle::withAlpha(QColor color, double opacity) {
    return Theme::withOpacity(color, opacity);
}

QFont GoalDetailStyle::themeFont(qreal pixelSize, QFont::Weight weight) {
    return Theme::font(pixelSize, weight);
}

QFont GoalDetailStyle::systemFont(qreal pixelSize, QFont::Weight weight) {
    return Theme::systemFont(pixelSize, weight);
}

QIcon GoalDetailStyle::symbol(const QString& name, const QColor& color) {
    return Symbols::icon(name, color, 32);
}

int GoalDetailStyle::symbolPixels(qreal fontSize) {
    return Symbols::pixelSizeForFontSize(fontSize);
}

QPixmap GoalDetailStyle::symbolPixmap(const QString& name, const QColor& color, qreal fontSize) {
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return Symbols::pixmap(name, symbolPixels(fontSize), color, ratio);
}

QColor GoalDetailStyle::frequencyColor(MilestoneFrequency frequency) {
    return EnumStyles::color(frequency);
}
QString GoalDetailStyle::frequencyIcon(MilestoneFrequency frequency) {
    return EnumStyles::symbol(frequency);
}
QColor GoalDetailStyle::priorityColor(GoalPriority priority) {
    return EnumStyles::tone(priority);
}
QString GoalDetailStyle::priorityLabel(GoalPriority priority) {
    return EnumStyles::label(priority);
}

void GoalDetailStyle::styleLabel(QLabel* label, const QFont& font, const QColor& color) {
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    label->setPalette(palette);
    // Inside a styled button the palette gives way to the style sheet, so the colour goes there too.
    label->setStyleSheet(
        QStringLiteral("QLabel { color: %1; background: transparent; }").arg(Theme::css(color)));
}

void GoalDetailStyle::styleSymbolButton(QAbstractButton* button, const QString& symbolName,
                                        const QColor& color, qreal symbolSize, int padding,
                                        const QColor& circleFill) {
    const int icon = symbolPixels(symbolSize);
    const int side = icon + 2 * padding;
    button->setIcon(symbol(symbolName, color));
    button->setIconSize(QSize(icon, icon));
    button->setFixedSize(side, side);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    button->setProperty("symbolName", symbolName);
    button->setStyleSheet(
        QStringLiteral("QAbstractButton { background: %1; border: none; border-radius: %2px;"
                       " padding: 0px; }"
                       "QAbstractButton:focus { border: 1px solid %3; }")
            .arg(Theme::css(circleFill))
            .arg(side / 2)
            .arg(Theme::css(withAlpha(color, 0.6))));
}

void GoalDetailStyle::styleTextButton(QAbstractButton* button, const QFont& font, const QColor& color) {
    button->setFont(font);
    button->setCursor(button->isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    button->setStyleSheet(QStringLiteral("QAbstractButton { color: %1; background: transparent; border: none;"
                                         " padding: 0px; }"
                                         "QAbstractButton:disabled { color: %1; }")
                              .arg(Theme::css(color)));
}
