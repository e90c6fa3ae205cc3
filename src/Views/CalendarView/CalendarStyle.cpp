#include "Views/CalendarView/CalendarStyle.h"

#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/UnsavedText.h"
#include "Models/TaskCategory.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarNotesEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

QLineEdit* CalendarStyle::inlineField(const QString& placeholder, double fontSize) {
    auto* field = new QLineEdit;
    field->setPlaceholderText(placeholder);
    field->setFont(Theme::font(fontSize));
    field->setFrame(false);
    field->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; color: %1; }")
            .arg(Theme::css(Theme::textPrimary())));
    QPalette palette = field->palette();
    palette.setColor(QPalette::PlaceholderText, Theme::textMuted());
    field->setPalette(palette);
    field->setMinimumWidth(40);
    // Every such field writes what is typed in it (a title, a subtask): open with text, it holds
    // what a failed save left.
    UnsavedText::watch(field);
    return field;
}

QLineEdit* CalendarStyle::lateTitleField(QHBoxLayout* line, QWidget* title, QWidget* previous,
                                         const QString& placeholder, double fontSize) {
    QLineEdit* field = inlineField(placeholder, fontSize);
    field->hide();
    line->insertWidget(line->indexOf(title) + 1, field, 1);
    QWidget::setTabOrder(previous, field);
    return field;
}

CalendarStyle::NotesLine CalendarStyle::notesLine(QWidget* parent, QWidget* previous, const QMargins& margins,
                                                  double fontSize, int maxLines, double saveSize) {
    auto* line = new QWidget(parent);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(margins);
    row->setSpacing(8);
    auto* editor = new CalendarNotesEditor(QObject::tr("Add a note..."), fontSize, maxLines);
    UnsavedText::watch(editor);
    auto* save =
        new CalendarIconButton(QStringLiteral("checkmark.circle.fill"), saveSize, AppTheme::Colors::purple());
    row->addWidget(editor, 1, Qt::AlignTop);
    row->addWidget(save, 0, Qt::AlignTop);
    QWidget::setTabOrder(previous, editor);
    QWidget::setTabOrder(editor, save);
    return {line, editor, save};
}

QLabel* CalendarStyle::wrappedLabel(const QFont& font, const QColor& color) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

SymbolIcon* CalendarStyle::symbol(const QString& name, double systemSize, const QColor& color) {
    return new SymbolIcon(name, Symbols::pixelSizeForFontSize(systemSize), color);
}

QString CalendarStyle::categoryName(const TaskCategory& category) {
    return category.name().value_or(QStringLiteral("Unnamed"));
}

QColor CalendarStyle::categoryColor(const TaskCategory& category) {
    return ColorHex::fromHex(category.colorHex().value_or(ColorHex::fallbackHex()));
}

CalendarChip* CalendarStyle::categoryChip(const std::shared_ptr<TaskCategory>& category) {
    auto* chip = new CalendarChip(categoryName(*category), Theme::font(11, QFont::Medium));
    chip->setObjectName(QStringLiteral("categoryChip"));
    markCategoryChip(chip, *category, false);
    return chip;
}

void CalendarStyle::markCategoryChip(CalendarChip* chip, const TaskCategory& category, bool selected) {
    const QColor color = categoryColor(category);
    chip->setSelected(selected);
    if (selected)
        chip->setColors(Qt::white, color);
    else
        chip->setColors(color, Theme::withOpacity(color, 0.15));
}

CalendarChip* CalendarStyle::plainChip(const QString& text) {
    auto* chip = new CalendarChip(text, Theme::font(11, QFont::Medium));
    markPlainChip(chip, false);
    return chip;
}

void CalendarStyle::markPlainChip(CalendarChip* chip, bool selected) {
    chip->setSelected(selected);
    if (selected)
        chip->setColors(Qt::white, AppTheme::Colors::purple());
    else
        chip->setColors(Theme::textSecondary(), Theme::backgroundTertiary());
}

namespace {

// QLayout::removeWidget looks only at the layout's own items, not into nested layouts.
bool takeFrom(QLayout* layout, QWidget* widget) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget) {
            delete layout->takeAt(i);
            return true;
        }
        if (item->layout() && takeFrom(item->layout(), widget))
            return true;
    }
    return false;
}

} // namespace

void CalendarStyle::removeLater(QWidget* widget) {
    if (QWidget* parent = widget->parentWidget(); parent && parent->layout())
        takeFrom(parent->layout(), widget);
    widget->hide();
    widget->deleteLater();
}
