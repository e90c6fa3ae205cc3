#include "Views/Achievements/ScreenStyle.h"

#include "Core/Theme/AppTheme.h"

#include <QLabel>
#include <QPalette>

QString ScreenStyle::css(const QColor& color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alpha());
}

QLabel* ScreenStyle::label(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setTextColor(label, color);
    return label;
}

void ScreenStyle::setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

QWidget* ScreenStyle::divider(QWidget* parent, bool vertical) {
    auto* rule = new QWidget(parent);
    rule->setObjectName(QStringLiteral("divider"));
    rule->setAttribute(Qt::WA_StyledBackground, true);
    rule->setStyleSheet(QStringLiteral("background: %1;").arg(css(AppTheme::Colors::borderSubtle())));
    if (vertical)
        rule->setFixedWidth(1);
    else
        rule->setFixedHeight(1);
    return rule;
}

QFont ScreenStyle::kerned(QFont font, double spacing) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}
