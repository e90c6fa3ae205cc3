#include "ViewModels/LinksViewModel.h"

#include "Models/LinkItem.h"
#include "Models/ModelTestSupport.h"
#include "Models/QuorvaleModel.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/ActionSave.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <SQLiteCpp/SQLiteCpp.h>

#include <gtest/gtest.h>

namespace {

class LinksViewModelTest : public FrozenClockStoreTest {
protected:
    LinksViewModelTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(15, 0))) {}

    QStringList titlesOf(const std::vector<std::shared_ptr<LinkItem>>& links) const {
        QStringList out;
        for (const auto& l : links)
            out << l->title().value_or("<none>");
        return out;
    }
    void later(int minutes) { Clock::setFake(Clock::now().addSecs(60 * minutes)); }
};

} // namespace

TEST_F(LinksViewModelTest, StoresTrimmedTextsAndKeepsIdentityAndCreationOnEdit) {
    LinksViewModel vm(context);
    ASSERT_TRUE(vm.addLink("  Docs \t", "\n https://example.org/a b \n", "Work\n"));
    qv::test::settle();
    ASSERT_EQ(vm.linkCount(), 1);
    auto link = vm.links().front();
    EXPECT_EQ(link->title(), QString("Docs"));
    EXPECT_EQ(link->url(), QString("https://example.org/a b"));
    EXPECT_EQ(link->category(), QString("Work"));
    const auto id = link->id();
    const auto created = link->createdAt();
    EXPECT_EQ(created, Clock::now());

    later(5);
    ASSERT_TRUE(vm.updateLink(link, " Manual ", "example.org", " Reading "));
    qv::test::settle();
    EXPECT_EQ(link->title(), QString("Manual"));
    EXPECT_EQ(link->url(), QString("example.org"));
    EXPECT_EQ(link->category(), QString("Reading"));
    EXPECT_EQ(link->id(), id);
    EXPECT_EQ(link->createdAt(), created);
    EXPECT_FALSE(context->hasChanges());

    ASSERT_TRUE(vm.deleteLink(link));
    qv::test::settle();
    EXPECT_EQ(vm.linkCount(), 0);
    EXPECT_TRUE(vm.categories().empty());
    EXPECT_EQ(context->count(FetchRequest(LinkItem::entityName())), 0);
}

TEST_F(LinksViewModelTest, CategoriesAreDerivedOrderedByCodePointAndCounted) {
    LinksViewModel vm(context);
    QSignalSpy changed(&vm, &LinksViewModel::linksChanged);
    vm.addLink("a", "u", "alpha");
    later(1);
    vm.addLink("b", "u", "Zeta");
    later(1);
    vm.addLink("c", "u", "alpha");
    later(1);
    vm.addLink("d", "u", QString::fromUtf8("Caf\u00e9"));
    later(1);
    vm.addLink("e", "u", QString::fromUtf8("Cafe\u0301")); // the same name, decomposed
    auto none = LinkItem::create(context);                 // written by an older version: no category
    none->setTitle(QString("f"));
    none->setUrl(QString("u"));
    ASSERT_TRUE(commitAction(*context));
    later(1);
    vm.addLink("g", "u", "General");
    qv::test::settle();
    EXPECT_EQ(changed.count(), 1) << "one announcement per turn of changes";

    QStringList names;
    QList<int> counts;
    for (const auto& c : vm.categories()) {
        names << c.name;
        counts << c.count;
    }
    EXPECT_EQ(names, QStringList({QString::fromUtf8("Caf\u00e9"), "General", "Zeta", "alpha"}));
    EXPECT_EQ(counts, QList<int>({2, 2, 1, 2}));

    // Sections follow the category order, newest first within each.
    const auto all = vm.sections(std::nullopt);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(titlesOf(all[3].links), QStringList({"c", "a"}));
    EXPECT_EQ(titlesOf(all[0].links), QStringList({"e", "d"}));
    const auto general = vm.sections(QString("General"));
    ASSERT_EQ(general.size(), 1u);
    EXPECT_EQ(general[0].links.size(), 2u);
    EXPECT_TRUE(vm.sections(QString("general")).empty()) << "case matters";
}

TEST_F(LinksViewModelTest, AFailedSaveLeavesNothingBehindAndSaysSo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("links.sqlite");
    QString error;
    auto store = ObjectContext::open(QuorvaleModel::objectModel(), path, &error);
    ASSERT_TRUE(store) << qPrintable(error);
    LinksViewModel vm(store.get());
    ASSERT_TRUE(vm.addLink("Kept", "https://example.org", "Work"));
    qv::test::settle();
    {
        // Another writer makes the store refuse every change to links.
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec(
            "CREATE TRIGGER refuseInsert BEFORE INSERT ON LinkItem BEGIN SELECT RAISE(ABORT, 'refused'); END;"
            "CREATE TRIGGER refuseUpdate BEFORE UPDATE ON LinkItem BEGIN SELECT RAISE(ABORT, 'refused'); END;"
            "CREATE TRIGGER refuseDelete BEFORE DELETE ON LinkItem BEGIN SELECT RAISE(ABORT, 'refused'); "
            "END;");
    }
    QSignalSpy alerts(&SaveFailures::shared(), &SaveFailures::saveFailed);
    auto kept = vm.links().front();

    EXPECT_FALSE(vm.addLink("Lost", "https://example.org", "Other"));
    EXPECT_FALSE(vm.updateLink(kept, "Renamed", "x", "Other"));
    EXPECT_FALSE(vm.deleteLink(kept));
    qv::test::settle();
    EXPECT_EQ(alerts.count(), 3);
    EXPECT_FALSE(store->hasChanges());
    EXPECT_EQ(vm.linkCount(), 1);
    EXPECT_EQ(kept->title(), QString("Kept"));
    EXPECT_EQ(vm.categoryNames(), QStringList({"Work"}));
}
