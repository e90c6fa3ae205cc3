#include "Views/Onboarding/OnboardingView.h"

#include "Components/AuroraBackground.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/AppViewModel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OnboardingView::OnboardingView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), appViewModel_(env.appViewModel) {
    setObjectName(QStringLiteral("OnboardingView"));
    auto* stack = new QGridLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(new AuroraBackground(this), 0, 0);

    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(48, 48, 48, 48);
    column->setSpacing(32);
    column->addStretch();
    auto* tagline = new QLabel(tr("Define. Track. Achieve."), content);
    tagline->setTextFormat(Qt::PlainText);
    tagline->setFont(Theme::font(30, QFont::Bold));
    QPalette palette = tagline->palette();
    palette.setColor(QPalette::WindowText, Theme::textPrimary());
    tagline->setPalette(palette);
    column->addWidget(tagline, 0, Qt::AlignHCenter);

    auto* go = new QPushButton(tr("Let's Go"), content);
    go->setObjectName(QStringLiteral("finishOnboardingButton"));
    go->setCursor(Qt::PointingHandCursor);
    go->setFont(Theme::font(15, QFont::Medium));
    go->setStyleSheet(
        QStringLiteral("QPushButton { color: white; border: none; border-radius: 24px;"
                       " padding: 16px 48px; background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
                       " stop:0 %1, stop:1 %2); }")
            .arg(AppTheme::Colors::indigo().name(), AppTheme::Colors::violet().name()));
    connect(go, &QPushButton::clicked, this, [this] {
        if (appViewModel_)
            appViewModel_->completeOnboarding();
    });
    column->addWidget(go, 0, Qt::AlignHCenter);
    column->addStretch();
    stack->addWidget(content, 0, 0);
}
