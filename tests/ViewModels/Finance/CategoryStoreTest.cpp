#include "ViewModels/Finance/CategoryStore.h"
#include "Platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <sqlite3.h>

namespace {

class CategoryStoreTest : public testing::Test {
protected:
    void SetUp() override { UserDefaults::resetStandard(); }
    void TearDown() override { UserDefaults::resetStandard(); }
    UserDefaults& defaults() { return UserDefaults::standard(); }
    const QString key = QStringLiteral("expenseCategories");
};

} // namespace

TEST_F(CategoryStoreTest, DefaultsStandInWithoutBeingWritten) {
    CategoryStore store;
    EXPECT_EQ(store.categories(), CategoryStore::defaultCategories());
    EXPECT_EQ(store.categories().first(), QStringLiteral("Food"));
    EXPECT_FALSE(defaults().contains(key));

    store.add(QStringLiteral(" \tTravel\t"));
    QStringList expected = CategoryStore::defaultCategories();
    expected << QStringLiteral("Travel");
    EXPECT_EQ(defaults().textList(key), expected);
}

TEST_F(CategoryStoreTest, AddTrimsSpacesAndTabsAndSkipsWhatIsThere) {
    CategoryStore store;
    QSignalSpy changed(&store, &CategoryStore::categoriesChanged);
    store.add(QStringLiteral("   "));
    store.add(QString());
    store.add(QStringLiteral(" Food "));
    store.add(QStringLiteral("\u00A0Food\u2003"));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(defaults().contains(key));

    store.add(QStringLiteral("food"));
    store.add(QStringLiteral("Pets\n"));
    store.add(QStringLiteral("Cafe\u0301"));
    store.add(QStringLiteral("Caf\u00E9")); // the same text, composed
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(store.categories().mid(6),
              (QStringList{QStringLiteral("food"), QStringLiteral("Pets"), QStringLiteral("Cafe\u0301")}));
}

TEST_F(CategoryStoreTest, LoadsAStoredListAsItIsAndAnythingElseAsDefaults) {
    defaults().setTextList(key, {});
    EXPECT_TRUE(CategoryStore().categories().isEmpty());
    defaults().setTextList(key, {QStringLiteral(" a"), QStringLiteral(" a")});
    EXPECT_EQ(CategoryStore().categories(), (QStringList{QStringLiteral(" a"), QStringLiteral(" a")}));
    defaults().setText(key, QStringLiteral("Food"));
    EXPECT_EQ(CategoryStore().categories(), CategoryStore::defaultCategories());
}

TEST_F(CategoryStoreTest, AStoredListHoldingANonTextElementReadsTheDefaults) {
    defaults().setTextList(key, {QStringLiteral("Rent")});
    const QByteArray path = UserDefaults::standardPath().toUtf8();
    UserDefaults::resetStandard();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE defaults SET value = '[\"Rent\", 3]' WHERE key = 'expenseCategories'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    CategoryStore store;
    EXPECT_EQ(store.categories(), CategoryStore::defaultCategories());
    // The stored value is not rewritten until the first change.
    store.add(QStringLiteral("Rent"));
    QStringList expected = CategoryStore::defaultCategories();
    expected << QStringLiteral("Rent");
    EXPECT_EQ(defaults().textList(key), expected);
}
