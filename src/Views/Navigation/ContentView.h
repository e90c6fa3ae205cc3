#pragma once

#include "ViewModels/AppDestination.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/Theme/AppColorTheme.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class AuroraBackground;
class SidebarView;

// The content of the one window: the animated backdrop under a two-column split of the
// sidebar (220 points) and the detail area, with the daily check-in and, above it, the
// onboarding laid over everything while they are due. The detail area shows a new screen
// each time a destination is selected. Picking another colour theme builds everything
// below this view anew; the navigation state and the masked goals stay.
class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(const AppEnvironment& env, QWidget* parent = nullptr);

    // The destination switch: a new screen for the destination, owned by parent.
    static QWidget* makeScreen(AppDestination destination, const AppEnvironment& env, QWidget* parent);

    QWidget* currentScreen() const { return screen_; }
    SidebarView* sidebar() const { return sidebar_; }
    AuroraBackground* background() const { return background_; }
    QWidget* checkInOverlay() const { return checkIn_; }
    QWidget* onboardingOverlay() const { return onboarding_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void scheduleRebuild();
    void showDestination();
    // The store began or ended waiting for its salvage: the screens give way to the notice, or
    // come back.
    void followStoreState();
    void syncOverlays();
    void presentOverlay(QWidget* overlay, double fromScale, std::function<void()> presented = {});
    void dismissOverlay(QPointer<QWidget>& overlay, double toScale);
    void screenReappears();
    void updateCoveredRegion();
    void refreshMaterials();

    AppEnvironment env_;
    // The theme, font and custom colour the tree below was built in.
    static QString currentLook();
    QString builtLook_;
    bool rebuildPending_ = false;
    QWidget* root_ = nullptr;
    AuroraBackground* background_ = nullptr;
    QWidget* split_ = nullptr;
    SidebarView* sidebar_ = nullptr;
    QWidget* detail_ = nullptr;
    QPointer<QWidget> screen_;
    QPointer<QWidget> checkIn_;
    QPointer<QWidget> onboarding_;
    QTimer materialTimer_;
};
