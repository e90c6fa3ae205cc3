#pragma once

#include "Platform/OwnerAuthenticator.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/ShellTestSupport.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

// Records each check and answers only when the test says so.
class ScriptedAuthenticator : public OwnerAuthenticator {
public:
    explicit ScriptedAuthenticator(QStringList* calls) : calls_(calls) {}
    void check(const QString& password) override {
        if (isChecking())
            return;
        checking_ = true;
        calls_->append(password);
        emit checkingChanged();
    }
    bool isChecking() const override { return checking_ || elsewhere_; }
    void answer(bool success, const QString& message = {}) {
        checking_ = false;
        emit checkingChanged();
        emit finished(success, message);
    }
    // A check some other screen left running begins or ends.
    void setCheckingElsewhere(bool running) {
        elsewhere_ = running;
        emit checkingChanged();
    }

private:
    QStringList* calls_;
    bool checking_ = false;
    bool elsewhere_ = false;
};

// A window-sized host on a frozen clock with an in-memory store, fresh defaults and theme.
class FinanceShellTest : public FrozenClockStoreTest {
protected:
    FinanceShellTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(10, 0))) {}
    void SetUp() override {
        FrozenClockStoreTest::SetUp();
        UserDefaults::resetStandard();
        ThemeManager::resetShared();
        window = std::make_unique<QWidget>();
        window->resize(1020, 760);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Theme::backgroundPrimary());
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    }
    void TearDown() override {
        window.reset();
        qv::test::settle();
        ThemeManager::resetShared();
        FrozenClockStoreTest::TearDown();
    }
    AppEnvironment env() { return screens.env(context); }
    // Shows a screen filling the window.
    template <typename Screen> Screen* show(Screen* screen) {
        screen->resize(window->size());
        window->show();
        window->activateWindow();
        screen->show();
        qv::test::settle();
        return screen;
    }

    TestScreenModels screens;
    std::unique_ptr<QWidget> window;
};
