#include "Components/AuroraBackground.h"
#include "Components/GlassCard.h"
#include "Components/UltraThinMaterial.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/Theme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// A widget that is nothing but the material, in a rounded shape.
class Frosted : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 16, 16);
        UltraThinMaterial::paint(p, this, shape);
    }
};

// The window's moving backdrop with a transparent content layer over it, as in the shell.
class FrostedBackdrop : public ::testing::Test {
protected:
    void SetUp() override {
        window_.resize(1200, 760);
        backdrop_ = new AuroraBackground(&window_);
        backdrop_->setGeometry(window_.rect());
        page_ = new QWidget(&window_);
        page_->setGeometry(window_.rect());
        UltraThinMaterial::setBackdrop(backdrop_);
    }

    // Paints every widget once, as a first frame does: surfaces make themselves known then.
    QImage paintAll() {
        window_.show();
        qv::test::settle();
        return window_.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QWidget window_;
    AuroraBackground* backdrop_ = nullptr;
    QWidget* page_ = nullptr;
};

// One channel of the material over a backdrop pixel: the backdrop's snapshot, a theme wash
// at 0.35 and a white tint.
double frostedChannel(double backdrop, double wash) {
    const double washed = backdrop * (1 - 0.35) + wash * 0.35;
    return washed * (1 - UltraThinMaterial::kTintOpacity) + 255 * UltraThinMaterial::kTintOpacity;
}

} // namespace

TEST_F(FrostedBackdrop, FramesLeaveWholeSurfacesOutAndRepaintWhatShowsThrough) {
    auto* card = new GlassCard(16, 1.0, Qt::white, page_);
    card->setGeometry(40, 40, 200, 120);
    // Half of this one lies outside the strip that holds it, as a row scrolled half out.
    auto* strip = new QWidget(page_);
    strip->setGeometry(300, 40, 100, 100);
    auto* halfOut = new Frosted(strip);
    halfOut->setGeometry(50, 0, 200, 100);
    auto* plain = new QWidget(page_); // translucent, but no material: the backdrop shows through
    plain->setGeometry(40, 250, 200, 100);
    paintAll();

    const QRegion covered = UltraThinMaterial::coveredRegion(backdrop_);
    const QRect cardBounds(40, 40, 200, 120);
    EXPECT_EQ(covered & cardBounds, QRegion(cardBounds)) << "rounded corners included";
    EXPECT_EQ(covered & QRect(300, 40, 250, 100), QRegion(350, 40, 50, 100)) << "only the part in view";
    EXPECT_TRUE((covered & plain->geometry()).isEmpty());

    card->hide();
    EXPECT_TRUE((UltraThinMaterial::coveredRegion(backdrop_) & cardBounds).isEmpty())
        << "a hidden surface hides nothing";
}

TEST_F(FrostedBackdrop, SurfacesShowTheBackdropThatLiesUnderThem) {
    const QSize size(1200, 760);
    QImage bare(size, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&bare);
        backdrop_->renderFrame(p, QSizeF(size), 0);
    }
    bare = bare.convertToFormat(QImage::Format_ARGB32);
    // One over the indigo glow (260 left and 180 up of the centre at rest), one far from every glow.
    auto* overGlow = new Frosted(page_);
    overGlow->setGeometry(280, 150, 120, 100);
    auto* overBase = new Frosted(page_);
    overBase->setGeometry(1060, 20, 120, 100);
    const QImage shown = paintAll();

    const QColor wash = Theme::backgroundSecondary();
    for (const QWidget* surface : {overGlow, overBase}) {
        const QPoint centre = surface->geometry().center();
        const QColor under = bare.pixelColor(centre);
        const QColor seen = shown.pixelColor(centre);
        EXPECT_NEAR(seen.red(), frostedChannel(under.red(), wash.red()), 4) << centre.x();
        EXPECT_NEAR(seen.green(), frostedChannel(under.green(), wash.green()), 4) << centre.x();
        EXPECT_NEAR(seen.blue(), frostedChannel(under.blue(), wash.blue()), 4) << centre.x();
    }
    EXPECT_GT(shown.pixelColor(overGlow->geometry().center()).blue(),
              shown.pixelColor(overBase->geometry().center()).blue() + 15);
}
