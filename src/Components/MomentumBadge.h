#pragma once

#include "Components/CapsuleBadge.h"
#include "Models/MomentumState.h"

// A goal's momentum: Accelerating with "flame.fill" in emerald, Coasting with "wind" in amber, Stalling with
// "tortoise.fill" in coral.
class MomentumBadge : public CapsuleBadge {
    Q_OBJECT
public:
    explicit MomentumBadge(MomentumState state, QWidget* parent = nullptr);

    MomentumState state() const { return state_; }
    void setState(MomentumState state);

private:
    MomentumState state_;
};
