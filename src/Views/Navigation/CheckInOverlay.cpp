#include "Views/Navigation/CheckInOverlay.h"

#include "Components/UltraThinMaterial.h"
#include "Core/Extensions/ImageBlur.h"
#include "Views/Dashboard/DailyCheckInModal.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

constexpr double kSnapshotScale = 0.25;
constexpr double kBlurRadius = 3.0;

} // namespace

CheckInOverlay::CheckInOverlay(const AppEnvironment& env, QWidget* covered, QWidget* parent)
    : QWidget(parent), covered_(covered) {
    setObjectName(QStringLiteral("checkInOverlay"));
    auto* layout = new QGridLayout(this);
    modal_ = new DailyCheckInModal(env, this);
    layout->addWidget(modal_, 0, 0, Qt::AlignCenter);
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
}
