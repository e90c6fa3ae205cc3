#include "Views/Dashboard/DailyCheckInModal.h"

#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/AppViewModel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

DailyCheckInModal::DailyCheckInModal(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), appViewModel_(env.appViewModel) {
    setObjectName(QStringLiteral("DailyCheckInModal"));
    setFixedWidth(480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->setSpacing(24);

    auto* title = new QLabel(tr("Daily Check-In"), this);
    title->setTextFormat(Qt::PlainText);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(Theme::font(24, QFont::Bold));
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, Theme::textPrimary());
    title->setPalette(palette);
    layout->addWidget(title);

    auto* complete = new QPushButton(tr("Complete Check-In"), this);
    complete->setObjectName(QStringLiteral("completeCheckInButton"));
    complete->setCursor(Qt::PointingHandCursor);
    complete->setFont(Theme::font(15, QFont::Medium));
    complete->setStyleSheet(
        QStringLiteral("QPushButton { color: white; border: none; border-radius: 12px;"
                       " padding: 16px; background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
                       " stop:0 %1, stop:1 %2); }")
            .arg(AppTheme::Colors::purple().name(), AppTheme::Colors::cyan().name()));
    connect(complete, &QPushButton::clicked, this, [this] {
        if (appViewModel_)
            appViewModel_->completeDailyCheckIn();
    });
    layout->addWidget(complete);
}

void DailyCheckInModal::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 24, 24);
    painter.fillPath(card, Theme::backgroundSecondary());
    painter.setPen(QPen(AppTheme::Colors::borderMedium(), 1));
    painter.drawPath(card);
}
