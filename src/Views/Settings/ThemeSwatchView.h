#pragma once

#include "ViewModels/Theme/AppColorTheme.h"

#include <QAbstractButton>
#include <QColor>
#include <optional>

// One colour theme as a tile: a miniature of its backgrounds with its accent dot (for the
// custom theme, derived from its base colour, or a rainbow tile while another theme is on),
// its name below, a stroke and check badge when it is the current theme.
class ThemeSwatchView : public QAbstractButton {
    Q_OBJECT
public:
    ThemeSwatchView(AppColorTheme theme, bool selected, std::optional<QColor> customColor = std::nullopt,
                    QWidget* parent = nullptr);

    AppColorTheme theme() const { return theme_; }
    bool isSelected() const { return selected_; }
    QSize sizeHint() const override { return {76, 82}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // As a radio button: choosing the chosen one again keeps it chosen.
    void nextCheckState() override { setChecked(true); }
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    AppColorTheme theme_;
    bool selected_;
    std::optional<QColor> customColor_;
    bool hovered_ = false;
};
