#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>

class CalendarChip;
class CalendarIconButton;
class CalendarNotesEditor;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMargins;
class SymbolIcon;
class QWidget;
class TaskCategory;

// Small pieces the calendar page, its rows and cards share.
namespace CalendarStyle {

// A borderless one-line field on no background, for titles edited in place.
QLineEdit* inlineField(const QString& placeholder, double fontSize);
// The editors of a row are made when first opened: a day of a heavy store lists dozens of rows,
// and an editor costs more than the rest of a row together. Each goes where it would stand had
// it been made with the row.
// A title field for the title shown in line: right after it, hidden, and next after previous
// in the tab order.
QLineEdit* lateTitleField(QHBoxLayout* line, QWidget* title, QWidget* previous, const QString& placeholder,
                          double fontSize);
// A notes editor with its save button beside it, on a line of its own inside parent, next
// after previous in the tab order.
struct NotesLine {
    QWidget* line;
    CalendarNotesEditor* editor;
    CalendarIconButton* save;
};
NotesLine notesLine(QWidget* parent, QWidget* previous, const QMargins& margins, double fontSize,
                    int maxLines, double saveSize);
// Plain text that wraps, for notes.
QLabel* wrappedLabel(const QFont& font, const QColor& color);
// A symbol at the size of the system font at systemSize points.
SymbolIcon* symbol(const QString& name, double systemSize, const QColor& color);

// A category's name ("Unnamed" without one) and colour ("#8B5CF6" without one).
QString categoryName(const TaskCategory& category);
QColor categoryColor(const TaskCategory& category);
// A category chip: white on its colour when selected, its colour on a 15% tint otherwise.
CalendarChip* categoryChip(const std::shared_ptr<TaskCategory>& category);
void markCategoryChip(CalendarChip* chip, const TaskCategory& category, bool selected);
// A plain chip ("All", a repetition): white on purple when selected, else secondary text on
// the tertiary background.
CalendarChip* plainChip(const QString& text);
void markPlainChip(CalendarChip* chip, bool selected);

// Takes a row or chip out of its list at once; the widget itself goes once the click that
// removed it (perhaps its own) has finished.
void removeLater(QWidget* widget);

} // namespace CalendarStyle
