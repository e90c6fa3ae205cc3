#include "Views/Finance/FinanceView.h"

#include "Components/SheetHost.h"
#include "Platform/OwnerAuthenticator.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceLockScreen.h"
#include "Views/Finance/FinanceOnboardingSheet.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabScreens.h"

#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

FinanceView::FinanceView(const AppEnvironment& env, QWidget* parent,
                         std::unique_ptr<OwnerAuthenticator> authenticator)
    : QWidget(parent), env_(env), layout_(new QVBoxLayout(this)),
      authViewModel_(env.models->financeAuth(this, std::move(authenticator))) {
    setObjectName(QStringLiteral("FinanceView"));
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    connect(authViewModel_, &FinanceAuthViewModel::lockChanged, this, &FinanceView::sync);
    sync();
}

FinanceView::~FinanceView() {
    // The first-run sheet lies over the window, not inside this screen: it leaves with it.
    if (firstRun_)
        firstRun_->dismiss();
}

void FinanceView::sync() {
    if (authViewModel_->isLocked()) {
        dropTabs();
        if (!lock_) {
            lock_ = new FinanceLockScreen(authViewModel_, this);
            layout_->addWidget(lock_, 1);
            lock_->show();
            if (isVisible() && !(firstRun_ && !firstRun_->isDismissing()))
                lock_->focusPassword();
        }
        return;
    }
    if (lock_) {
        layout_->removeWidget(lock_);
        lock_->hide();
        lock_->deleteLater();
        lock_ = nullptr;
    }
    if (!tabArea_)
        buildTabs();
}

void FinanceView::buildTabs() {
    tabArea_ = new QWidget(this);
    tabArea_->setObjectName(QStringLiteral("financeTabArea"));
    auto* column = new QVBoxLayout(tabArea_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* barRow = new QWidget(tabArea_);
    auto* barLayout = new QVBoxLayout(barRow);
    barLayout->setContentsMargins(24, 16, 24, 8);
    tabBar_ = new FinanceTabBar(barRow);
    tabBar_->setSelected(selected_);
    barLayout->addWidget(tabBar_);
    column->addWidget(barRow);
    connect(tabBar_, &FinanceTabBar::tabChosen, this, &FinanceView::selectTab);
    layout_->addWidget(tabArea_, 1);
    tabArea_->show();
    showTabScreen();
}

void FinanceView::dropTabs() {
    if (!tabArea_)
        return;
    layout_->removeWidget(tabArea_);
    tabArea_->hide();
    tabArea_->deleteLater();
    tabArea_ = nullptr;
    tabBar_ = nullptr;
    tabScreen_ = nullptr;
}

void FinanceView::selectTab(FinanceTab tab) {
    if (tab == selected_ && tabScreen_)
        return;
    selected_ = tab;
    if (tabBar_)
        tabBar_->setSelected(tab);
    showTabScreen();
}

void FinanceView::showTabScreen() {
    if (!tabArea_)
        return;
    auto* column = static_cast<QVBoxLayout*>(tabArea_->layout());
    if (tabScreen_) {
        // Deferred: the click that chose the new tab may still be running inside the old screen.
        column->removeWidget(tabScreen_);
        tabScreen_->hide();
        tabScreen_->deleteLater();
    }
    tabScreen_ = FinanceTabScreens::make(selected_, env_, tabArea_);
    column->addWidget(tabScreen_, 1);
    tabScreen_->show();
}

void FinanceView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    if (!UserDefaults::standard().flag(onboardingCompleteKey))
        presentFirstRunSheet();
    else if (lock_)
        lock_->focusPassword();
}

void FinanceView::presentFirstRunSheet() {
    auto* sheet = new FinanceOnboardingSheet(env_.models->financeOnboarding(this));
    firstRun_ =
        SheetHost::present(this, sheet, FinanceOnboardingSheet::kWidth, [self = QPointer<FinanceView>(this)] {
            if (self && self->lock_)
                self->lock_->focusPassword();
        });
    // Only "Go to Finance" ends the flow.
    firstRun_->setEscapeCloses(false);
}

void FinanceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::backgroundPrimary());
}
