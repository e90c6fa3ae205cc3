#include "Components/InputStyle.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <QPalette>
#include <QWidget>

namespace {

void style(QWidget* widget, const QString& selector, double fontSize, int radius, const QString& extra) {
    widget->setStyleSheet(InputStyle::fieldSheet(selector, radius) + extra);
    widget->setFont(Theme::font(fontSize));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::PlaceholderText, Theme::textMuted());
    palette.setColor(QPalette::Text, Theme::textPrimary());
    palette.setColor(QPalette::Highlight, Theme::withOpacity(AppTheme::Colors::indigo(), 0.6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    widget->setPalette(palette);
}

} // namespace

QString InputStyle::fieldSheet(const QString& selector, int radius) {
    return QStringLiteral("%1 { background: %2; color: %3; border: 1px solid %4; border-radius: %5px; "
                          "padding: 7px 10px; selection-background-color: %6; }"
                          "%1:focus { border: 1px solid %7; }"
                          "%1:disabled { color: %8; }")
        .arg(selector, Theme::css(Theme::backgroundTertiary()), Theme::css(Theme::textPrimary()),
             Theme::css(AppTheme::Colors::borderMedium()), QString::number(radius),
             Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.6)),
             Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.8)), Theme::css(Theme::textMuted()));
}

void InputStyle::apply(QWidget* widget, const QString& selector, double fontSize, int radius,
                       const QString& extraSheet) {
    style(widget, selector, fontSize, radius, extraSheet);
    QObject::connect(&ThemeManager::shared(), &ThemeManager::changed, widget,
                     [widget, selector, fontSize, radius, extraSheet] {
                         style(widget, selector, fontSize, radius, extraSheet);
                     });
}
