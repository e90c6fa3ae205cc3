#include "Views/Dashboard/DashboardHeader.h"

#include "Components/AnimatedProgressRing.h"
#include "Components/CastShadow.h"
#include "Components/MotionEffect.h"
#include "Components/ScreenStyle.h"
#include "Platform/Clock.h"
#include "ViewModels/DashboardViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Dashboard/DashboardStreakBadge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

DashboardHeader::DashboardHeader(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("dashboardHeader"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);

    // Centred beside the taller ring, the two lines keep to each other.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addStretch(1);
    auto* greetingRow = new QHBoxLayout;
    greetingRow->setSpacing(8);
    greeting_ = ScreenStyle::label(QString(), Theme::font(34, QFont::Bold), Theme::textPrimary(), this);
    greeting_->setObjectName(QStringLiteral("greeting"));
    greetingRow->addWidget(greeting_, 0, Qt::AlignVCenter);
    badge_ = new DashboardStreakBadge(this);
    CastShadow::set(badge_, {Theme::withOpacity(AppTheme::Colors::amber(), 0.3), 6, 0, 0},
                    badge_->sizeHint().height() / 2.0);
    greetingRow->addWidget(badge_, 0, Qt::AlignVCenter);
    greetingRow->addStretch(1);
    left->addLayout(greetingRow);
    date_ = ScreenStyle::label(QString(), Theme::font(15), Theme::textSecondary(), this);
    date_->setObjectName(QStringLiteral("todayDate"));
    left->addWidget(date_);
    left->addStretch(1);
    row->addLayout(left, 1);

    ringColumn_ = new QWidget(this);
    ringColumn_->setObjectName(QStringLiteral("overallRing"));
    auto* ringLayout = new QVBoxLayout(ringColumn_);
    ringLayout->setContentsMargins(0, 0, 0, 0);
    ringLayout->setSpacing(4);
    ring_ = new AnimatedProgressRing(0, 76, 7, AppTheme::Colors::indigo(), true,
                                     Theme::withOpacity(Qt::white, 0.06), ringColumn_);
    ringLayout->addWidget(ring_, 0, Qt::AlignHCenter);
    auto* caption = ScreenStyle::label(tr("Overall"), Theme::font(10), Theme::textMuted(), ringColumn_);
    ringLayout->addWidget(caption, 0, Qt::AlignHCenter);
    row->addWidget(ringColumn_, 0, Qt::AlignVCenter);
}

void DashboardHeader::setFigures(int streak, double overallProgress) {
    const QDateTime now = Clock::now();
    greeting_->setText(DashboardViewModel::greeting(now));
    date_->setText(DashboardViewModel::dateText(now));
    badge_->setStreak(streak);
    badge_->setVisible(streak >= 1);
    ring_->setProgress(overallProgress);
}

void DashboardHeader::setRingShown(bool shown) {
    ringColumn_->setVisible(shown);
    // An entrance waits for the widget to show; a hidden ring must not keep one waiting.
    if (shown)
        MotionEffect::staggeredAppear(ringColumn_, 0.2);
}

QString DashboardHeader::greetingText() const {
    return greeting_->text();
}

QString DashboardHeader::dateText() const {
    return date_->text();
}
