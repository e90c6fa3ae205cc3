#pragma once

#include "ViewModels/Theme/Theme.h"

#include <QPalette>
#include <QWidget>

#include <memory>

// What the goals and goal detail tests draw their widgets on.
namespace GoalsTestSupport {

inline void fillWith(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A sheet on the colour its card gives it inside a sheet host.
inline void onCard(QWidget* sheet) {
    fillWith(sheet, Theme::backgroundSecondary());
}

// An off-screen window on the app's background, for a screen under test.
inline std::unique_ptr<QWidget> darkWindow(int width, int height) {
    auto window = std::make_unique<QWidget>();
    window->setAttribute(Qt::WA_DontShowOnScreen, true);
    fillWith(window.get(), Theme::backgroundPrimary());
    window->resize(width, height);
    return window;
}

} // namespace GoalsTestSupport
