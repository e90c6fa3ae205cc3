#include "Views/Navigation/CheckInOverlay.h"

#include "Components/KeyboardLayer.h"
#include "Components/ShadowCache.h"
#include "Components/UltraThinMaterial.h"
#include "ViewModels/Extensions/ImageBlur.h"
#include "Views/Dashboard/DailyCheckInModal.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

constexpr double kSnapshotScale = 0.25;
constexpr int kCardMargin = 24;
constexpr double kCardRadius = 24;
constexpr double kShadowRadius = 40;
constexpr double kShadowOffset = 20;
constexpr double kShadowOpacity = 0.5;
constexpr double kBlurRadius = 3.0;

} // namespace

CheckInOverlay::CheckInOverlay(const AppEnvironment& env, QWidget* covered, QWidget* parent)
    : QWidget(parent), covered_(covered) {
    setObjectName(QStringLiteral("checkInOverlay"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(kCardMargin, kCardMargin, kCardMargin, kCardMargin);
    modal_ = new DailyCheckInModal(env, this);
    // Centred across, as tall as the window lets it be: its middle scrolls.
    layout->addWidget(modal_, 0, 0, Qt::AlignHCenter);
    KeyboardLayer::install(this);
}

void CheckInOverlay::mousePressEvent(QMouseEvent* event) {
    // A click on the dimmed window around the card skips the day's check-in.
    event->accept();
    if (!modal_->geometry().contains(event->position().toPoint()))
        modal_->skip();
}

void CheckInOverlay::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scheduleSnapshot();
}

void CheckInOverlay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scheduleSnapshot();
}

void CheckInOverlay::scheduleSnapshot() {
    // Once the layouts of this turn have settled, so the snapshot shows the final geometry.
    if (snapshotPending_)
        return;
    snapshotPending_ = true;
    QTimer::singleShot(0, this, [this] {
        snapshotPending_ = false;
        takeSnapshot();
    });
}

void CheckInOverlay::takeSnapshot() {
    if (!covered_ || covered_->size().isEmpty()) {
        snapshot_ = QImage();
        return;
    }
    QImage full(covered_->size(), QImage::Format_ARGB32_Premultiplied);
    full.fill(Qt::transparent);
    covered_->render(&full, QPoint(), QRegion(), QWidget::DrawChildren);
    const QSize small = (QSizeF(full.size()) * kSnapshotScale).toSize().expandedTo(QSize(1, 1));
    snapshot_ = full.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ImageBlur::blur(snapshot_, kBlurRadius);
    update();
}

void CheckInOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterPath shape;
    shape.addRect(rect());
    UltraThinMaterial::paint(painter, this, shape);
    if (!snapshot_.isNull() && covered_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(covered_->mapTo(parentWidget(), QPoint()) - pos(), covered_->size()),
                          snapshot_);
    }
    painter.fillRect(rect(), QColor(0, 0, 0, 128));
    // The check-in's own backdrop lies over the shell's, then the card's shadow.
    painter.fillRect(rect(), QColor(0, 0, 0, 153));
    paintCardShadow(painter);
}

void CheckInOverlay::paintCardShadow(QPainter& painter) {
    ShadowCache::paint(painter, QRectF(modal_->geometry()), kCardRadius,
                       {QColor(0, 0, 0, int(255 * kShadowOpacity)), kShadowRadius, 0, kShadowOffset});
}
