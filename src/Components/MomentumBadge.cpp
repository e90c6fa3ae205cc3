#include "Components/MomentumBadge.h"

#include "ViewModels/Theme/EnumStyles.h"

MomentumBadge::MomentumBadge(MomentumState state, QWidget* parent)
    : CapsuleBadge(EnumStyles::symbol(state), EnumStyles::label(state), EnumStyles::tone(state),
                   EnumStyles::kMomentumFillOpacity, EnumStyles::kMomentumStrokeOpacity, parent),
      state_(state) {}

void MomentumBadge::setState(MomentumState state) {
    state_ = state;
    setContent(EnumStyles::symbol(state), EnumStyles::label(state), EnumStyles::tone(state),
               EnumStyles::kMomentumFillOpacity, EnumStyles::kMomentumStrokeOpacity);
}
