#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;

// The pieces the settings screen is made of.
namespace SettingsRows {

// A section: its title in capitals over a glass card holding the rows.
QWidget* section(const QString& title, QWidget* content);
// A row that runs an action: symbol on a tinted square, title over subtitle, a chevron.
QAbstractButton* actionRow(const QString& symbol, const QColor& tint, const QString& title,
                           const QString& subtitle);
// A label and its value at the far end.
QWidget* infoRow(const QString& label, const QString& value);
// A title and its control at the far end.
QWidget* controlRow(const QString& title, QWidget* control);
// A 1-pixel rule in the given colour.
QWidget* rule(const QColor& color);

} // namespace SettingsRows

// The profile's round avatar: the name's initial on a purple-to-cyan gradient.
class ProfileAvatar : public QWidget {
    Q_OBJECT
public:
    explicit ProfileAvatar(QWidget* parent = nullptr);
    void setInitial(const QString& initial);
    QString initial() const { return initial_; }
    QSize sizeHint() const override { return {60, 60}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString initial_;
};

// The custom theme's base colour: a tile of the colour, two lines of text, and a button that
// opens the colour chooser; every colour picked becomes the theme manager's base colour.
class CustomColorRow : public QWidget {
    Q_OBJECT
public:
    explicit CustomColorRow(QWidget* parent = nullptr);
    // Writes the colour as the custom theme's base ("#RRGGBB").
    static void pick(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
};
