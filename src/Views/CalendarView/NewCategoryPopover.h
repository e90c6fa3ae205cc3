#pragma once

#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;
class CalendarSwatch;
class ChoiceGroup;

// The small form for a new task category: a name field, eight preset colours and Cancel and
// Create. It keeps no state of its own: the page hands in the name and colour it holds and
// learns every change through the signals. Create is offered only for a name that is not
// blank, and creates it with spaces and tabs trimmed from both ends.
class NewCategoryPopover : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 260;
    using Preset = std::pair<QString, QString>; // name, "#RRGGBB"
    static const std::vector<Preset>& defaultPresets();

    NewCategoryPopover(const QString& name, const QString& colorHex,
                       const std::vector<Preset>& presets = defaultPresets(), QWidget* parent = nullptr);

    QString name() const;
    QString colorHex() const { return colorHex_; }
    QLineEdit* nameField() const { return nameField_; }
    QPushButton* createButton() const { return create_; }
    // The preset swatch carrying the ring, or none when colorHex matches no preset.
    QString markedPreset() const;

signals:
    void nameEdited(const QString& name);
    void colorPicked(const QString& colorHex);
    void createRequested(const QString& trimmedName, const QString& colorHex);
    void cancelRequested();

private:
    void pick(const QString& hex);
    void refresh();

    QString colorHex_;
    QLineEdit* nameField_;
    QPushButton* create_;
    std::vector<CalendarSwatch*> swatches_;
    // The colours are a group of choices: one Tab stop, arrows inside.
    ChoiceGroup* swatchGroup_ = nullptr;
};
