#pragma once

#include "ViewModels/Theme/AnimationTiming.h"

#include <QColor>
#include <QStringList>

// The fixed half of the look: accents that stay the same under every theme, translucent
// white tones, the card shadow and the named animations.
namespace AppTheme {

namespace Colors {
QColor indigo();
QColor electric();
QColor cyan();
QColor violet();
QColor purple();
QColor coral();
QColor emerald();
QColor amber();
QColor rose();
QColor sunrise();
QColor sky();
QColor gold();
QColor green();
// What calls for attention without being an error (text a field cannot read).
QColor warning();

QColor borderSubtle();
QColor borderMedium();
QColor glassSurface();
QColor glassOverlay();

// Offered when a goal's colour is chosen, in this order.
const QStringList& goalPaletteHex();
} // namespace Colors

struct Shadow {
    QColor color;
    double radius = 0;
    double x = 0;
    double y = 0;
};

namespace Shadows {
const Shadow& card();
} // namespace Shadows

namespace Animation {
const AnimationTiming& spring();
const AnimationTiming& springBouncy();
const AnimationTiming& snappy();
const AnimationTiming& smooth();
const AnimationTiming& ring();
const AnimationTiming& aurora();
} // namespace Animation

} // namespace AppTheme
