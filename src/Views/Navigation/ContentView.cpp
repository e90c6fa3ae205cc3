#include "Views/Navigation/ContentView.h"

#include "Components/AlertDialog.h"
#include "Components/Animator.h"
#include "Components/AuroraBackground.h"
#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/MotionEffect.h"
#include "Components/SheetHost.h"
#include "Components/UltraThinMaterial.h"
#include "Components/UnsavedText.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Theme/AppFontOption.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Achievements/AchievementsView.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/DailyLog/DailyLogView.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Deadlines/DeadlinesView.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Goals/GoalsView.h"
#include "Views/Links/LinksView.h"
#include "Views/Navigation/CheckInOverlay.h"
#include "Views/Navigation/HeldRecordsScreen.h"
#include "Views/Navigation/LeadsIntoScreen.h"
#include "Views/Navigation/PlaceholderScreen.h"
#include "Views/Navigation/SidebarNavItem.h"
#include "Views/Navigation/SidebarView.h"
#include "Views/Onboarding/OnboardingView.h"
#include "Views/Settings/SettingsView.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

ContentView::ContentView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), builtLook_(currentLook()) {
    Q_ASSERT(env.context && env.appViewModel);
    setObjectName(QStringLiteral("ContentView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(env_.appViewModel, &AppViewModel::destinationChanged, this, &ContentView::showDestination);
    connect(env_.appViewModel, &AppViewModel::overlaysChanged, this, &ContentView::syncOverlays);
    connect(env_.appViewModel, &AppViewModel::storeStateChanged, this, &ContentView::followStoreState);
    // A new theme, font or custom base colour restyles everything below this view.
    connect(&ThemeManager::shared(), &ThemeManager::themeChanged, this, &ContentView::scheduleRebuild);
    connect(&ThemeManager::shared(), &ThemeManager::fontChanged, this, &ContentView::scheduleRebuild);
    connect(&ThemeManager::shared(), &ThemeManager::customBaseChanged, this, &ContentView::scheduleRebuild);
    // Frosted surfaces follow the moving backdrop at the pace their snapshots refresh.
    materialTimer_.setInterval(UltraThinMaterial::kRefreshMs + 10);
    connect(&materialTimer_, &QTimer::timeout, this, &ContentView::refreshMaterials);
    materialTimer_.start();
    // A failed save anywhere in the window is told in one short alert; the action was rolled back.
    connect(&SaveFailures::shared(), &SaveFailures::saveFailed, this, [this](const QString& message) {
        AlertDialog::present(this, QStringLiteral("Couldn't Save"), message);
    });
    build();
}

QWidget* ContentView::makeScreen(AppDestination destination, const AppEnvironment& env, QWidget* parent) {
    switch (destination) {
    case AppDestination::dashboard:
        return new DashboardView(env, parent);
    case AppDestination::goals:
        return new GoalsView(env, parent);
    case AppDestination::deadlines:
        return new DeadlinesView(env, parent);
    case AppDestination::achievements:
        return new AchievementsView(env, parent);
    case AppDestination::journal:
        return new DailyLogView(env, parent);
    case AppDestination::expenses:
        return new FinanceView(env, parent);
    case AppDestination::calendar:
        return new CalendarPageView(env, parent);
    case AppDestination::links:
        return new LinksView(env, parent);
    case AppDestination::settings:
        return new SettingsView(env, parent);
    }
    return new PlaceholderScreen(destination, parent);
}

void ContentView::build() {
    root_ = new QWidget(this);
    root_->setObjectName(QStringLiteral("contentRoot"));
    auto* stack = new QGridLayout(root_);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    background_ = new AuroraBackground(root_);
    stack->addWidget(background_, 0, 0);

    split_ = new QWidget(root_);
    split_->setObjectName(QStringLiteral("splitView"));
    auto* columns = new QHBoxLayout(split_);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    sidebar_ = new SidebarView(env_, split_);
    columns->addWidget(sidebar_);
    detail_ = new QWidget(split_);
    detail_->setObjectName(QStringLiteral("detailArea"));
    auto* detailLayout = new QVBoxLayout(detail_);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(detail_, 1);
    stack->addWidget(split_, 0, 0);

    layout()->addWidget(root_);
    UltraThinMaterial::setBackdrop(background_);
    showDestination();
    syncOverlays();
    updateCoveredRegion();
}

void ContentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateCoveredRegion();
}

void ContentView::updateCoveredRegion() {
    // The sidebar and the check-in's dim layer are frosted snapshots of the backdrop; the
    // backdrop's own frames need not repaint what they cover.
    QRegion covered(0, 0, SidebarView::kWidth, height());
    if (checkIn_)
        covered = QRegion(rect());
    background_->setCoveredRegion(covered);
}

void ContentView::refreshMaterials() {
    if (!background_ || !background_->isAnimating())
        return;
    sidebar_->update();
    UltraThinMaterial::refreshSurfaces(background_);
    if (checkIn_)
        checkIn_->update();
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window is known only once this view sits in it.
    UltraThinMaterial::setBackdrop(background_);
}

QString ContentView::currentLook() {
    const ThemeManager& themes = ThemeManager::shared();
    QString look = AppColorThemes::rawValue(themes.currentTheme()) + QLatin1Char('|') +
                   AppFontOptions::rawValue(themes.currentFont());
    if (themes.currentTheme() == AppColorTheme::custom)
        look += QLatin1Char('|') + themes.customBaseHex();
    return look;
}

void ContentView::scheduleRebuild() {
    if (currentLook() == builtLook_ || rebuildPending_)
        return;
    // Whatever asked for the new theme may be one of the widgets about to go, still busy
    // in its own handler: the old tree goes on the next turn of the event loop.
    rebuildPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            rebuildPending_ = false;
            builtLook_ = currentLook();
            const QPointer<QWidget> old = root_;
            layout()->removeWidget(old);
            // The focus leaves the old tree before it is hidden. Qt hides a tree walking copies of
            // its child lists, and a focus handed on from a widget as it hides makes handlers
            // delete widgets there and then (the focus ring goes with its target's focus): a
            // child deleted mid-walk is one the walk still reaches. Taken out first, those
            // deletions are over before the walk begins; the tree itself goes on a later turn.
            if (old) {
                if (QWidget* focus = QApplication::focusWidget(); focus && old->isAncestorOf(focus))
                    focus->clearFocus();
                old->hide();
                old->deleteLater();
            }
            screen_ = nullptr;
            checkIn_ = nullptr;
            onboarding_ = nullptr;
            build();
        },
        Qt::QueuedConnection);
}

void ContentView::showDestination() {
    // A control of the screen led to another destination ("See All", "Create Your First Goal"):
    // its focus goes on into the new screen, not to the sidebar's next control.
    // So does a control outside the screens that only opens one (the sidebar's gear), unlike a
    // sidebar row, which keeps the focus for the arrows.
    FocusAfter::Handover held;
    if (QWidget* focus = QApplication::focusWidget();
        focus && focus->property(LeadsIntoScreen::property).toBool())
        held = FocusAfter::takeFrom(focus);
    if (screen_) {
        if (!held.hadFocus)
            held = FocusAfter::takeFrom(screen_);
        screen_->hide();
        screen_->deleteLater();
    }
    // One notice for every destination: a screen of its own would read the damaged store as empty
    // and offer to create what could not be saved.
    screen_ = env_.appViewModel->storeWaitsForSalvage()
                  ? new HeldRecordsScreen(env_.appViewModel->heldRecordsMessage(), detail_)
                  : makeScreen(env_.appViewModel->selectedDestination(), env_, detail_);
    detail_->layout()->addWidget(screen_);
    screen_->show();
    if (!held.hadFocus)
        return;
    // The new screen orders its stops once its rows are made: its first one is asked for then.
    QTimer::singleShot(0, screen_, [held, screen = QPointer<QWidget>(screen_)] {
        if (!screen || QApplication::focusWidget())
            return;
        for (QWidget* w = screen->nextInFocusChain(); w && w != screen; w = w->nextInFocusChain()) {
            if (!screen->isAncestorOf(w))
                continue;
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
                !w->focusProxy()) {
                held.giveTo(w);
                return;
            }
        }
    });
}

void ContentView::followStoreState() {
    const bool waits = env_.appViewModel->storeWaitsForSalvage();
    const bool showsNotice = qobject_cast<HeldRecordsScreen*>(screen_.data()) != nullptr;
    // Repaired before the notice came: the screen and any sheet over it stay as they are.
    if (!waits && !showsNotice && screen_)
        return;
    // A sheet open over the screen holds what was typed, and its screen holds the sheet's view
    // model: the notice waits until the last sheet over the window has closed.
    if (waits && !showsNotice && screen_) {
        if (SheetHost* sheet = SheetHost::topmost(this)) {
            connect(sheet, &QObject::destroyed, this, &ContentView::followStoreState,
                    Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
            return;
        }
        // So does an editor of the screen itself that holds what was typed (the calendar's new task).
        if (UnsavedText::heldIn(this)) {
            connect(&UnsavedText::shared(), &UnsavedText::released, this, &ContentView::followStoreState,
                    Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
            return;
        }
    }
    disconnect(&UnsavedText::shared(), &UnsavedText::released, this, &ContentView::followStoreState);
    showDestination();
}

void ContentView::syncOverlays() {
    AppViewModel* vm = env_.appViewModel;
    if (vm->showDailyCheckIn() && !checkIn_) {
        checkIn_ = new CheckInOverlay(env_, split_, root_);
        static_cast<QGridLayout*>(root_->layout())->addWidget(checkIn_, 0, 0);
        presentOverlay(checkIn_, 0.92);
    } else if (!vm->showDailyCheckIn() && checkIn_) {
        // Its notes are what was typed: while the store waits they stay until answered or emptied.
        if (vm->dailyCheckInUnanswered() && UnsavedText::heldIn(checkIn_)) {
            connect(&UnsavedText::shared(), &UnsavedText::released, this, &ContentView::syncOverlays,
                    Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
        } else {
            disconnect(&UnsavedText::shared(), &UnsavedText::released, this, &ContentView::syncOverlays);
            dismissOverlay(checkIn_, 0.96);
        }
    }
    if (vm->showOnboarding() && !onboarding_) {
        onboarding_ = new OnboardingView(env_, root_);
        static_cast<QGridLayout*>(root_->layout())->addWidget(onboarding_, 0, 0);
        // The onboarding brings its own backdrop; once it covers this one, this one rests.
        QPointer<QWidget> background(background_);
        QPointer<QWidget> onboarding(onboarding_);
        presentOverlay(onboarding_, 0.97, [background, onboarding] {
            if (background && onboarding)
                background->hide();
        });
    } else if (!vm->showOnboarding() && onboarding_) {
        background_->show();
        dismissOverlay(onboarding_, 0.97);
    }
    // The onboarding always covers the check-in.
    if (onboarding_)
        onboarding_->raise();
    updateCoveredRegion();
}

void ContentView::screenReappears() {
    // The overlay stood for the screen's leaving and may have written what it shows (the
    // onboarding's first goal, the check-in's streaks): the screen is shown anew, so it and its
    // parts read the store again as on any appearance, before the overlay fades off it.
    if (screen_) {
        screen_->hide();
        screen_->show();
    }
    // A check-in still open blurs what lies under it: it takes that again.
    if (auto* checkIn = qobject_cast<CheckInOverlay*>(checkIn_.data()))
        checkIn->coveredChanged();
}

void ContentView::presentOverlay(QWidget* overlay, double fromScale, std::function<void()> presented) {
    // An overlay owns the keyboard while it is up; nothing opened it, so the focus goes to the
    // sidebar's item of the screen it lies over when it closes.
    if (KeyboardLayer* layer = KeyboardLayer::of(overlay); layer && layer->widget() == overlay)
        for (SidebarNavItem* item : sidebar_->navItems())
            if (item->destination() == env_.appViewModel->selectedDestination())
                layer->setOpener(item);
    overlay->show();
    overlay->raise();
    MotionEffect* effect = MotionEffect::of(overlay);
    effect->setOpacity(0);
    effect->setScale(fromScale);
    QPointer<QWidget> guard(overlay);
    Animator::run(
        overlay, AppTheme::Animation::spring(),
        [effect, fromScale](double t) {
            effect->setOpacity(std::clamp(t, 0.0, 1.0));
            effect->setScale(fromScale + (1 - fromScale) * t);
        },
        0,
        [guard, presented] {
            // A settled overlay draws directly; the effect would only cost every repaint.
            if (guard)
                guard->setGraphicsEffect(nullptr);
            if (presented)
                presented();
        });
}

void ContentView::dismissOverlay(QPointer<QWidget>& overlay, double toScale) {
    QWidget* leaving = overlay.data();
    overlay = nullptr;
    leaving->setAttribute(Qt::WA_TransparentForMouseEvents);
    // It fades out, but the keyboard is the window's again at once.
    if (KeyboardLayer* layer = KeyboardLayer::of(leaving); layer && layer->widget() == leaving)
        layer->release();
    screenReappears();
    // Asked for each frame: an overlay closed before its entrance ended loses the entrance's
    // effect when that ends.
    Animator::run(
        leaving, AppTheme::Animation::spring(),
        [leaving, toScale](double t) {
            MotionEffect* effect = MotionEffect::of(leaving);
            effect->setOpacity(1 - std::clamp(t, 0.0, 1.0));
            effect->setScale(1 + (toScale - 1) * t);
        },
        0, [leaving] { leaving->deleteLater(); });
}
