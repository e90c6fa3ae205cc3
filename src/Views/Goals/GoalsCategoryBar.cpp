#include "Views/Goals/GoalsCategoryBar.h"

#include "Components/MotionEffect.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "ViewModels/GoalsViewModel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace {

QString rgba(const QColor& c) {
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

} // namespace

GoalsCategoryBar::GoalsCategoryBar(GoalsViewModel* viewModel, QWidget* parent)
    : QScrollArea(parent), viewModel_(viewModel), strip_(new QWidget), row_(new QHBoxLayout(strip_)) {
    setObjectName(QStringLiteral("goalsCategoryBar"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    row_->setContentsMargins(32, 16, 32, 16);
    row_->setSpacing(8);
    setWidget(strip_);
    rebuild();
}

void GoalsCategoryBar::rebuild() {
    while (QLayoutItem* item = row_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QString chosen = viewModel_->filterCategory();
    for (const QString& category : viewModel_->categories()) {
        auto* chip = new QToolButton(strip_);
        chip->setObjectName(QStringLiteral("goalsCategoryChip"));
        chip->setText(category);
        chip->setFont(Theme::font(12, QFont::Medium));
        chip->setCursor(Qt::PointingHandCursor);
        const bool on = category == chosen;
        chip->setProperty("chosen", on);
        const int radius = (QFontMetrics(chip->font()).height() + 12) / 2;
        if (on) {
            chip->setStyleSheet(
                QStringLiteral(
                    "QToolButton { color: white; border: 1px solid transparent; border-radius: %1px; "
                    "padding: 5px 16px; background: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, "
                    "stop: 0 %2, stop: 1 %3); }")
                    .arg(radius)
                    .arg(rgba(AppTheme::Colors::indigo()), rgba(AppTheme::Colors::violet())));
            MotionEffect::of(chip)->setShadow({Theme::withOpacity(AppTheme::Colors::indigo(), 0.3), 6, 0, 0});
        } else {
            chip->setStyleSheet(
                QStringLiteral("QToolButton { color: %1; background: %2; border: 1px solid %3; "
                               "border-radius: %4px; padding: 5px 16px; }")
                    .arg(rgba(Theme::textSecondary()), rgba(AppTheme::Colors::glassSurface()),
                         rgba(AppTheme::Colors::borderSubtle()))
                    .arg(radius));
        }
        connect(chip, &QToolButton::clicked, viewModel_,
                [vm = viewModel_, category] { vm->setFilterCategory(category); });
        chip->ensurePolished();
        row_->addWidget(chip);
        chip->show();
    }
    row_->addStretch(1);
    // New chips are not shown yet, so the layout would not count them.
    int chipHeight = 0;
    for (QToolButton* chip : strip_->findChildren<QToolButton*>())
        chipHeight = std::max(chipHeight, chip->sizeHint().height());
    const QMargins margins = row_->contentsMargins();
    setFixedHeight(chipHeight + margins.top() + margins.bottom());
}

// With its scroll bar hidden, the strip also moves sideways on a plain mouse wheel.
bool GoalsCategoryBar::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = horizontalScrollBar();
        if (bar->maximum() > 0 && wheel->angleDelta().x() == 0) {
            bar->setValue(bar->value() - wheel->angleDelta().y() / 2);
            return true;
        }
        event->ignore();
        return false;
    }
    return QScrollArea::viewportEvent(event);
}
