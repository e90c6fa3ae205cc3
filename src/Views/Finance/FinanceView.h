#pragma once

#include "Components/SheetHost.h"
#include "Platform/OwnerAuthenticator.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "Views/Finance/FinanceTab.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class FinanceLockScreen;
class FinanceTabBar;
class QVBoxLayout;

// The finance section: a bar of five tabs above the chosen tab's screen, which is built afresh
// each time its tab is chosen. With "financeAuthEnabled" on, the lock screen stands in their
// place until the owner's password has been checked: nothing of the section is built before
// that. Until "financeOnboardingComplete" is set the first-run sheet lies over it all.
class FinanceView : public QWidget {
    Q_OBJECT
public:
    static inline const QString authEnabledKey = FinanceAuthViewModel::enabledKey();
    static inline const QString onboardingCompleteKey = QStringLiteral("financeOnboardingComplete");

    // Without an authenticator the application's own is used.
    explicit FinanceView(const AppEnvironment& env, QWidget* parent = nullptr,
                         std::unique_ptr<OwnerAuthenticator> authenticator = nullptr);
    ~FinanceView() override;

    FinanceTab selectedTab() const { return selected_; }
    // Shows the tab's screen, built anew; choosing the tab already shown changes nothing.
    void selectTab(FinanceTab tab);
    FinanceTabBar* tabBar() const { return tabBar_; }
    QWidget* tabScreen() const { return tabScreen_; }
    FinanceLockScreen* lockScreen() const { return lock_; }
    FinanceAuthViewModel* authViewModel() const { return authViewModel_; }
    SheetHost* firstRunSheet() const { return firstRun_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Shows the lock or the tabs, whichever the flag and the lock state call for.
    void sync();
    void buildTabs();
    void dropTabs();
    void showTabScreen();
    void presentFirstRunSheet();

    AppEnvironment env_;
    QVBoxLayout* layout_;
    FinanceAuthViewModel* authViewModel_;
    FinanceLockScreen* lock_ = nullptr;
    QWidget* tabArea_ = nullptr;
    FinanceTabBar* tabBar_ = nullptr;
    QWidget* tabScreen_ = nullptr;
    FinanceTab selected_ = FinanceTab::overview;
    QPointer<SheetHost> firstRun_;
    bool shownOnce_ = false;
};
