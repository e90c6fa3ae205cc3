// Which answer of the owner check opens the finance section, decided without a widget.

#include "ViewModels/Finance/FinanceAuthViewModel.h"

#include "Platform/OwnerAuthenticator.h"
#include "Platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

// Answers each check when the test says so.
class AnsweringAuthenticator : public OwnerAuthenticator {
public:
    void check(const QString& password) override {
        checking_ = true;
        passwords << password;
        emit checkingChanged();
    }
    bool isChecking() const override { return checking_; }
    void answer(bool success, const QString& message = {}) {
        checking_ = false;
        emit checkingChanged();
        emit finished(success, message);
    }

    QStringList passwords;

private:
    bool checking_ = false;
};

class FinanceLock : public testing::Test {
protected:
    void SetUp() override {
        UserDefaults::resetStandard();
        UserDefaults::standard().setFlag(FinanceAuthViewModel::enabledKey(), true);
        auto fake = std::make_unique<AnsweringAuthenticator>();
        authenticator = fake.get();
        lock = std::make_unique<FinanceAuthViewModel>(std::move(fake));
    }

    AnsweringAuthenticator* authenticator = nullptr;
    std::unique_ptr<FinanceAuthViewModel> lock;
};

} // namespace

TEST_F(FinanceLock, OnlyASuccessfulAnswerOpensTheSection) {
    QSignalSpy changes(lock.get(), &FinanceAuthViewModel::lockChanged);
    EXPECT_TRUE(lock->isLocked());

    lock->authenticate(QString());
    EXPECT_TRUE(authenticator->passwords.isEmpty()) << "an empty password is never checked";

    lock->authenticate(QStringLiteral("wrong"));
    authenticator->answer(false, QStringLiteral("Authentication failure"));
    EXPECT_TRUE(lock->isLocked());
    EXPECT_EQ(lock->errorMessage(), QStringLiteral("Authentication failure"));

    // The service failing without a word is no success either.
    lock->authenticate(QStringLiteral("again"));
    authenticator->answer(false);
    EXPECT_TRUE(lock->isLocked());
    EXPECT_FALSE(lock->errorMessage().has_value());

    lock->authenticate(QStringLiteral("right"));
    EXPECT_TRUE(lock->isLocked()) << "asking is not yet an answer";
    authenticator->answer(true);
    EXPECT_FALSE(lock->isLocked());
    EXPECT_FALSE(lock->errorMessage().has_value());
    EXPECT_EQ(authenticator->passwords, QStringList({"wrong", "again", "right"}));
    EXPECT_EQ(changes.size(), 3) << "each answer says the lock may have changed";
}

TEST_F(FinanceLock, TheSwitchDecidesWhetherThereIsALockAtAll) {
    QSignalSpy changes(lock.get(), &FinanceAuthViewModel::lockChanged);
    UserDefaults::standard().setFlag(FinanceAuthViewModel::enabledKey(), false);
    EXPECT_FALSE(lock->isLocked());
    EXPECT_EQ(changes.size(), 1);

    // Switched on again before any check, the section locks again.
    UserDefaults::standard().setFlag(FinanceAuthViewModel::enabledKey(), true);
    EXPECT_TRUE(lock->isLocked());
    EXPECT_EQ(changes.size(), 2);

    UserDefaults::standard().setFlag(QStringLiteral("financeOnboardingComplete"), true);
    EXPECT_EQ(changes.size(), 2) << "other defaults leave the lock alone";

    // Once in, the section stays open for as long as this visit lasts; a new one asks again.
    lock->authenticate(QStringLiteral("right"));
    authenticator->answer(true);
    UserDefaults::standard().setFlag(FinanceAuthViewModel::enabledKey(), false);
    UserDefaults::standard().setFlag(FinanceAuthViewModel::enabledKey(), true);
    EXPECT_FALSE(lock->isLocked());
    EXPECT_TRUE(FinanceAuthViewModel(std::make_unique<AnsweringAuthenticator>()).isLocked());
}
