#pragma once

#include "ViewModels/Theme/AppColorTheme.h"

#include <QLabel>
#include <QWidget>

// Pieces the component gallery lays its pictures out with.
namespace gallery {

// The window's own background with two soft glows, registered as what the glass and
// material surfaces blur.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// One theme as the settings screen might preview it: its four backgrounds, its three text
// levels and its accent.
class ThemeSwatch : public QWidget {
public:
    explicit ThemeSwatch(AppColorTheme theme, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {168, 104}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppColorTheme theme_;
};

QLabel* label(const QString& text, double size, const QColor& color, QFont::Weight weight = QFont::Normal);
QLabel* heading(const QString& text);

} // namespace gallery
