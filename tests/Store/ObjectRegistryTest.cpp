#include "Store/ObjectRegistry.h"
#include "Store/ManagedObject.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Record : ManagedObject {};

std::shared_ptr<ManagedObject> record() {
    return std::make_shared<Record>();
}

} // namespace

// The registry keeps pks in pages made on demand: records on either side of a page edge, far
// apart, at the end of the paged range and past it must each be found as themselves, and
// forgetting one must not disturb its neighbours.
TEST(ObjectRegistry, FindsEveryRecordAcrossPagesAndPastThem) {
    ObjectRegistry registry;
    const std::vector<qint64> pks{1,  255, 256, 257, 511, 512, 120001, (qint64(1) << 22) - 1, qint64(1) << 22,
                                  -7, 0};
    std::vector<std::shared_ptr<ManagedObject>> held;
    for (qint64 pk : pks) {
        held.push_back(record());
        registry.insert(pk, held.back());
    }
    for (std::size_t i = 0; i < pks.size(); ++i)
        EXPECT_EQ(registry.find(pks[i]), held[i]) << pks[i];
    // Never inserted: in a made page, in a page never made, beyond every page.
    EXPECT_EQ(registry.find(2), nullptr);
    EXPECT_EQ(registry.find(60000), nullptr);
    EXPECT_EQ(registry.find(qint64(1) << 40), nullptr);
    EXPECT_EQ(registry.alive().size(), pks.size());

    registry.erase(256);
    registry.erase(60000); // a page never made: nothing to do
    EXPECT_EQ(registry.find(256), nullptr);
    EXPECT_EQ(registry.find(255), held[1]);
    EXPECT_EQ(registry.find(257), held[3]);

    // A record let go by everyone leaves the registry; one still held stays.
    held[4].reset();
    registry.eraseIfExpired(511);
    registry.eraseIfExpired(512);
    EXPECT_EQ(registry.find(511), nullptr);
    EXPECT_EQ(registry.find(512), held[5]);
    const auto alive = registry.alive();
    EXPECT_EQ(alive.size(), pks.size() - 2);
    EXPECT_TRUE(std::find(alive.begin(), alive.end(), held[6]) != alive.end());

    registry.clear();
    EXPECT_EQ(registry.find(1), nullptr);
    EXPECT_TRUE(registry.alive().empty());
}
