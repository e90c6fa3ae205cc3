#include "Views/Goals/GoalStyle.h"

#include "Components/MotionEffect.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QToolButton>

QString GoalStyle::rgba(const QColor& c) {
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

QString GoalStyle::horizontalGradient(const QColor& from, const QColor& to) {
    return QStringLiteral("qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 %1, stop: 1 %2)")
        .arg(rgba(from), rgba(to));
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
                                .arg(rgba(Theme::textSecondary()), rgba(AppTheme::Colors::glassSurface()),
                                     rgba(AppTheme::Colors::borderSubtle()))
                                .arg(radius)
                                .arg(padY));
    MotionEffect::of(chip)->setShadow(
        {chosen ? Theme::withOpacity(from, 0.3) : QColor(Qt::transparent), chosen ? 6.0 : 0.0, 0, 0});
}

QLineEdit* GoalStyle::plainField(const QString& objectName, const QString& placeholder, const QFont& font) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setPlaceholderText(placeholder);
    field->setFont(font);
    field->setFrame(false);
    field->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; border: none; color: %1; padding: 0; }")
            .arg(rgba(Theme::textPrimary())));
    QPalette pal = field->palette();
    pal.setColor(QPalette::PlaceholderText, Theme::textMuted());
    field->setPalette(pal);
    return field;
}
