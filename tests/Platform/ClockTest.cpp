#include "Platform/Clock.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTimeZone>

#include <memory>
#include <vector>

namespace {

class FakeClock : public testing::Test {
protected:
    void SetUp() override { Clock::setFake(start); }
    void TearDown() override { Clock::useSystem(); }
    const QDateTime start{QDate(2026, 3, 7), QTime(9, 30), Qt::UTC};
};

} // namespace

TEST_F(FakeClock, NowStandsStillUntilAdvanced) {
    EXPECT_TRUE(Clock::isFake());
    EXPECT_EQ(Clock::now(), start);
    EXPECT_EQ(Clock::now().timeSpec(), Qt::LocalTime);
    Clock::advance(90);
    EXPECT_EQ(Clock::now(), start.addSecs(90));
    Clock::advanceMs(250);
    EXPECT_EQ(Clock::nowMSecsSinceEpoch(), start.toMSecsSinceEpoch() + 90'250);
    Clock::useSystem();
    EXPECT_FALSE(Clock::isFake());
    EXPECT_GT(Clock::now().date().year(), 2000);
}

TEST_F(FakeClock, DelayedCallsFireInDueOrderWhenTimePassesThem) {
    QObject owner;
    std::vector<int> fired;
    std::vector<QDateTime> firedAt;
    Clock::after(&owner, 3000, [&] { fired.push_back(3); });
    Clock::after(&owner, 1000, [&] {
        fired.push_back(1);
        firedAt.push_back(Clock::now());
        // Scheduled from inside a call, and still due within the same advance.
        Clock::after(&owner, 500, [&] { fired.push_back(15); });
    });
    Clock::after(&owner, 1000, [&] { fired.push_back(2); });

    Clock::advanceMs(999);
    EXPECT_TRUE(fired.empty());
    Clock::advanceMs(1);
    EXPECT_EQ(fired, (std::vector<int>{1, 2}));
    Clock::advance(5);
    EXPECT_EQ(fired, (std::vector<int>{1, 2, 15, 3}));
    ASSERT_EQ(firedAt.size(), 1u);
    EXPECT_EQ(firedAt[0], start.addSecs(1));
    EXPECT_EQ(Clock::now(), start.addSecs(6));
    EXPECT_EQ(Clock::pendingCount(), 0);
}

TEST_F(FakeClock, ACallDiesWithItsOwner) {
    auto owner = std::make_unique<QObject>();
    auto captured = std::make_shared<int>(0);
    bool fired = false;
    Clock::after(owner.get(), 1000, [&fired, captured] { fired = true; });
    EXPECT_EQ(Clock::pendingCount(), 1);
    owner.reset();
    // Dropped at once: what it captured is released with the owner.
    EXPECT_EQ(Clock::pendingCount(), 0);
    EXPECT_EQ(captured.use_count(), 1);
    Clock::advance(10);
    EXPECT_FALSE(fired);
}

TEST_F(FakeClock, AnOwnerDestroyedByAnEarlierCallStopsItsLaterOne) {
    auto* owner = new QObject;
    bool late = false;
    QObject killer;
    Clock::after(&killer, 100, [owner] { delete owner; });
    Clock::after(owner, 200, [&late] { late = true; });
    Clock::advance(1);
    EXPECT_FALSE(late);
}

TEST_F(FakeClock, SwitchingBackToTheSystemDropsWaitingCalls) {
    QObject owner;
    bool fired = false;
    Clock::after(&owner, 1000, [&] { fired = true; });
    Clock::useSystem();
    EXPECT_EQ(Clock::pendingCount(), 0);
    Clock::setFake(start);
    Clock::advance(5);
    EXPECT_FALSE(fired);
}
