// The moves of a salvage: a rename never replaces what is at its target, and what is set aside
// takes a name of its own.

#include "StoreTestModel.h"

#include "Store/SalvageFiles.h"
#include "Support/FileBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace storetest;
using qv::test::readAll;
using qv::test::writeAll;

TEST(StoreSalvageFiles, AMoveNeverReplacesWhatIsAtItsTarget) {
    const QString folder = tempPath(QStringLiteral("salvage-moves"));
    QDir(folder).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString from = folder + QStringLiteral("/copy");
    const QString to = folder + QStringLiteral("/store");
    ASSERT_NO_FATAL_FAILURE(writeAll(from, "the salvaged copy"));
    ASSERT_NO_FATAL_FAILURE(writeAll(to, "the store"));
    EXPECT_FALSE(SalvageFiles::renameNoReplace(from, to));
    EXPECT_EQ(readAll(to), QByteArray("the store"));
    EXPECT_EQ(readAll(from), QByteArray("the salvaged copy"));

    // Set aside twice in one second: two names, neither replacing the other.
    const QString first = SalvageFiles::setAside(to);
    ASSERT_NO_FATAL_FAILURE(writeAll(to, "a second store"));
    const QString second = SalvageFiles::setAside(to);
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_EQ(readAll(first), QByteArray("the store"));
    EXPECT_EQ(readAll(second), QByteArray("a second store"));
    EXPECT_TRUE(SalvageFiles::renameNoReplace(from, to));
    EXPECT_EQ(readAll(to), QByteArray("the salvaged copy"));
    QDir(folder).removeRecursively();
}
