#include "Components/ScreenStyle.h"

#include "Components/SheetHost.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPushButton>

QLabel* ScreenStyle::label(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setTextColor(label, color);
    return label;
}

int ScreenStyle::lineHeight(const QFont& font) {
    // Measured by a label itself, once per font: its hint rounds the font's metrics its own way.
    static QHash<QString, int> heights;
    const QString key = font.key();
    if (const auto found = heights.constFind(key); found != heights.constEnd())
        return *found;
    QLabel probe(QStringLiteral("Ag"));
    probe.setTextFormat(Qt::PlainText);
    probe.setFont(font);
    const int height = probe.minimumSizeHint().height();
    heights.insert(key, height);
    return height;
}

void ScreenStyle::nameByCaption(QWidget* control, const QString& caption) {
    const QString name = caption.trimmed();
    if (!control || name.isEmpty())
        return;
    if (control->focusPolicy() != Qt::NoFocus) {
        if (control->accessibleName().isEmpty())
            control->setAccessibleName(name);
        return;
    }
    for (QWidget* inner : control->findChildren<QWidget*>()) {
        // A button that says what it is (a chip of a group under the caption) keeps its words.
        if (const auto* button = qobject_cast<const QAbstractButton*>(inner);
            button && !button->text().isEmpty())
            continue;
        if (inner->focusPolicy() != Qt::NoFocus && inner->accessibleName().isEmpty() && !inner->focusProxy())
            inner->setAccessibleName(name);
    }
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
    rule->setStyleSheet(QStringLiteral("background: %1;").arg(Theme::css(AppTheme::Colors::borderSubtle())));
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

QPushButton* ScreenStyle::textButton(const QString& text, const QFont& font, const QColor& color) {
    auto* button = new QPushButton(text);
    button->setFont(font);
    button->setFlat(true);
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    setTextButtonColor(button, color);
    return button;
}

void ScreenStyle::setTextButtonColor(QPushButton* button, const QColor& color) {
    button->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; color: %1; }"
                       " QPushButton:disabled { color: %2; }")
            .arg(Theme::css(color), Theme::css(Theme::withOpacity(Theme::textMuted(), 0.6))));
}

QPushButton* ScreenStyle::filledButton(const QString& text, const QFont& font, const QString& background,
                                       int paddingH, int paddingV, int radius) {
    auto* button = new QPushButton(text);
    button->setFont(font);
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    setButtonFill(button, background, paddingH, paddingV, radius);
    return button;
}

void ScreenStyle::setButtonFill(QPushButton* button, const QString& background, int paddingH, int paddingV,
                                int radius) {
    button->setStyleSheet(QStringLiteral("QPushButton { color: white; border: none; border-radius: %1px; "
                                         "padding: %2px %3px; background: %4; }")
                              .arg(radius)
                              .arg(paddingV)
                              .arg(paddingH)
                              .arg(background) +
                          disabledRule(QStringLiteral("QPushButton")));
}

QString ScreenStyle::disabledRule(const QString& selector) {
    return QStringLiteral(" %1:disabled { background: %2; color: %3; }")
        .arg(selector, Theme::css(Theme::withOpacity(Theme::textMuted(), 0.3)),
             Theme::css(Theme::textMuted()));
}

void ScreenStyle::styleField(QWidget* field, const QColor& background, int padding) {
    field->setStyleSheet(
        QStringLiteral("%1 { background: %2; color: %3; border: none; border-radius: 8px; padding: %4px; }")
            .arg(QLatin1String(field->metaObject()->className()), Theme::css(background),
                 Theme::css(Theme::textPrimary()))
            .arg(padding));
    QPalette palette = field->palette();
    palette.setColor(QPalette::PlaceholderText, Theme::textMuted());
    field->setPalette(palette);
}

void ScreenStyle::setSymbol(QAbstractButton* button, const QString& symbol, const QColor& color,
                            double fontSize) {
    const int side = Symbols::pixelSizeForFontSize(fontSize);
    button->setIcon(Symbols::icon(symbol, color, side));
    button->setIconSize(QSize(side, side));
}

void ScreenStyle::paintSheetCard(QWidget* sheet, const QColor& color) {
    QPainter painter(sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(sheet->rect()), SheetHost::kCardRadius, SheetHost::kCardRadius);
    painter.fillPath(shape, color);
}
