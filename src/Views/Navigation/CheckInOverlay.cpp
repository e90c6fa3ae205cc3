#include "Views/Navigation/CheckInOverlay.h"

#include "Components/UltraThinMaterial.h"
#include "Views/Dashboard/DailyCheckInModal.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>

CheckInOverlay::CheckInOverlay(const AppEnvironment& env, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("checkInOverlay"));
    auto* layout = new QGridLayout(this);
    modal_ = new DailyCheckInModal(env, this);
    layout->addWidget(modal_, 0, 0, Qt::AlignCenter);
}

void CheckInOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterPath shape;
    shape.addRect(rect());
    UltraThinMaterial::paint(painter, this, shape);
    painter.fillRect(rect(), QColor(0, 0, 0, 128));
}
