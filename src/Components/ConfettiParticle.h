#pragma once

#include <QColor>
#include <QUuid>

// One piece of confetti, drawn at random within the closed ranges of each field.
struct ConfettiParticle {
    QUuid id;
    QColor color;
    double size = 6;      // width in pixels, 6 to 12
    double startX = 0;    // -200 to 200, from the view's horizontal centre
    double startY = 0;    // -50 to 50, from the top edge
    double velocityX = 0; // -1 to 1
    double velocityY = 1; // 0.5 to 1.5
    double rotation = 0;  // final turn in degrees, 0 to 720
    double duration = 2;  // seconds, 1.5 to 2.5
    int shape = 0;        // 0 a strip, 1 a round piece

    static ConfettiParticle random();

    // Where the piece's centre is after t seconds, relative to (view centre x, top), with its
    // turn in degrees and its opacity: an ease-out over its own duration.
    struct Frame {
        double x;
        double y;
        double rotation;
        double opacity;
    };
    Frame frameAt(double seconds) const;
};
