#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <QUuid>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CreditCard;
class ElidedLabel;
class MenuPicker;
class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QObject;
class QLineEdit;
class QPushButton;
class QWidget;

// The pieces the money forms share: the header with its close symbol, the upper-case caption
// over each field, the themed fields and the two buttons of the button row.
class QVBoxLayout;

namespace FinanceForm {

// An upper-case caption in the 11-point medium theme font, letter-spaced 0.8, muted.
QLabel* caption(const QString& text);
// A caption over its control, 4 points apart, as one block.
QWidget* group(const QString& caption, QWidget* control, const QString& objectName = {});
// The same block with the caption as written, 12-point medium (the bill and subscription forms).
QWidget* plainGroup(const QString& caption, QWidget* control, const QString& objectName = {});
// A themed single-line field.
QLineEdit* field(const QString& objectName, const QString& placeholder);
// A finance tab's title (28-point semibold) over its subtitle, 4 points apart.
QVBoxLayout* tabTitles(const QString& title, const QString& subtitle);
// Title and subtitle on the left, the close symbol on the right.
QWidget* header(const QString& title, const QString& subtitle, std::function<void()> onClose,
                QLabel** titleLabel = nullptr, QLabel** subtitleLabel = nullptr);
// The quiet "Cancel" and the filled primary button of a sheet's button row.
QPushButton* cancelButton(const QString& text = QStringLiteral("Cancel"));
QPushButton* primaryButton(const QString& text, const QColor& fill);
// Fades the primary button's fill while it is disabled.
void setPrimaryEnabled(QPushButton* button, const QColor& fill, bool enabled);
// A sheet's button row, added to the page's column: its layout, for the buttons. The sheet frame
// pins it below the page (fillWithPage finds it).
QHBoxLayout* buttonRow(QBoxLayout* column, int spacing);
// "Cancel" and the primary button side by side at equal widths, as the sheet's button row;
// returns the primary button.
QPushButton* addButtonRow(QBoxLayout* column, const QString& primaryText, const QColor& fill,
                          std::function<void()> onCancel, std::function<void()> onPrimary);
// A sheet's page in the sheet frame, filling the sheet: the page scrolls when the window is too
// small for it, and the footer (by default the page's button row) stays in view below it.
void fillWithPage(QWidget* sheet, QWidget* page, QWidget* footer = nullptr);

// A card of the money screens: the theme's secondary background, rounded, with a 1-point edge.
// Lay its content out with a layout of its own.
QWidget* card(const QString& objectName, int radius, const QColor& border);
// A bare symbol button of a row (edit, delete, add), with a plain-text tooltip.
QPushButton* iconButton(const QString& objectName, const QString& symbol, const QColor& color, double size,
                        const QString& toolTip);
// A square tile of a tint with a symbol in its middle (the badge at the start of a row).
QWidget* iconTile(const QString& symbol, const QColor& color, const QColor& tint, int side, int symbolSize,
                  int radius);
// The pencil and trash buttons at the end of a row.
struct EditAndDelete {
    QPushButton* edit;
    QPushButton* remove;
};
EditAndDelete addEditAndDelete(QBoxLayout* row, QObject* owner, std::function<void()> onEdit,
                               std::function<void()> onDelete);
// A plain-text label of user text (a row's name) that cuts itself at the tail to its room, yet
// keeps a dozen characters beside a long figure; setFullText() gives it its text.
ElidedLabel* elidedLabel(const QFont& font, const QColor& color);
// A figure (an amount and what goes with it) at its full width while it fits, cut at the tail
// to its room beyond that, aligned to the right as the figures of a row are.
ElidedLabel* figureLabel(const QFont& font, const QColor& color);

// A card picker: "Select card" (no card) and then each card by name ("Card" without one);
// onChoose receives the chosen card's id.
MenuPicker* cardPicker(const std::vector<std::shared_ptr<CreditCard>>& cards,
                       std::function<void(const std::optional<QUuid>&)> onChoose);
// The id an option of a picker stands for, none for an option without one.
std::optional<QUuid> idOf(const QVariant& value);

} // namespace FinanceForm
