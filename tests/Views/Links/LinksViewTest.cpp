#include "Views/Links/LinksView.h"

#include "Components/SheetHost.h"
#include "Models/LinkItem.h"
#include "Platform/UrlOpener.h"
#include "Support/TestSupport.h"
#include "ViewModels/LinksViewModel.h"
#include "Views/Links/LinkFormSheet.h"
#include "Views/Links/LinkRow.h"
#include "Views/Links/LinksList.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

class LinksScreen : public FrozenClockStoreTest {
protected:
    LinksScreen() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(15, 30))) {}
    void SetUp() override {
        FrozenClockStoreTest::SetUp();
        window.resize(1000, 700);
        window.setAttribute(Qt::WA_DontShowOnScreen, true);
        UrlOpener::setHandler([this](const QUrl& url) { opened << url; });
    }
    void TearDown() override {
        UrlOpener::setHandler({});
        delete view;
        qv::test::settle();
        FrozenClockStoreTest::TearDown();
    }
    LinksView* open() {
        view = new LinksView(screens.env(context), &window);
        view->resize(window.size());
        window.show();
        qv::test::settle();
        return view;
    }
    void seed(const QString& title, const QString& url, const std::optional<QString>& category,
              int minutesAgo) {
        auto link = LinkItem::create(context);
        link->setTitle(title);
        link->setUrl(url);
        link->setCategory(category);
        link->setCreatedAt(now.addSecs(-60 * minutesAgo));
        context->save();
    }
    QString text(const char* name) const {
        return view->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    LinkFormSheet* topSheet() {
        auto* host = SheetHost::topmost(&window);
        return host ? qobject_cast<LinkFormSheet*>(host->content()) : nullptr;
    }
    QStringList sidebar() const {
        QStringList out;
        for (auto* entry : view->findChildren<QPushButton*>("categoryEntry"))
            if (entry->isVisible())
                out << entry->accessibleName() + " " + QString::number(entry->isChecked());
        return out;
    }
    QList<LinkRow*> rows() const { return view->list()->visibleRows(); }

    TestScreenModels screens;
    QWidget window;
    LinksView* view = nullptr;
    QList<QUrl> opened;
};

} // namespace

TEST_F(LinksScreen, EmptyLibraryInvitesTheFirstLinkAndTheFormAddsIt) {
    open();
    EXPECT_EQ(text("linkCount"), QString("0 saved links"));
    EXPECT_TRUE(view->findChild<QWidget*>("emptyState")->isVisible());
    EXPECT_FALSE(view->findChild<QWidget*>("categorySidebar")->isVisible());
    qv::test::saveScreen(&window, "links-empty");

    QTest::mouseClick(view->findChild<QPushButton*>("addFirstLinkButton"), Qt::LeftButton);
    qv::test::settle();
    LinkFormSheet* sheet = topSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QLabel*>("sheetTitle")->text(), QString("Add Link"));
    EXPECT_TRUE(sheet->isNewCategoryShown());
    EXPECT_EQ(sheet->findChild<QPushButton*>("pickExistingButton"), nullptr);
    EXPECT_FALSE(sheet->saveButton()->isEnabled());

    sheet->titleField()->setText("  Qt docs ");
    sheet->urlField()->setText("\n\n");
    sheet->findChild<QLineEdit*>("newCategoryField")->setText("Work");
    EXPECT_FALSE(sheet->saveButton()->isEnabled()) << "an address of line breaks is not an address";
    sheet->urlField()->setText(" https://doc.qt.io ");
    EXPECT_TRUE(sheet->saveButton()->isEnabled());
    qv::test::saveScreen(&window, "links-add-sheet");
    QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(topSheet(), nullptr);

    EXPECT_EQ(text("linkCount"), QString("1 saved link"));
    EXPECT_EQ(sidebar(), QStringList({"All Links 1", "Work 0"}));
    auto* all = view->findChildren<QPushButton*>("categoryEntry").front();
    EXPECT_EQ(static_cast<QAbstractButton*>(all)->text(), QString());
    ASSERT_EQ(rows().size(), 1);
}

TEST_F(LinksScreen, SidebarNarrowsTheListAndRowsOpenEditAndDelete) {
    seed("Rust book", "https://doc.rust-lang.org/book", QString("Reading"), 30);
    seed("Local notes", "file:///home/me/notes.txt", QString("Reading"), 20);
    seed("Tracker", "https://example.org/tracker", std::nullopt, 10);
    seed("Board", "https://example.org/board", QString("Work"), 5);
    open();
    EXPECT_EQ(text("linkCount"), QString("4 saved links"));
    EXPECT_EQ(sidebar(), QStringList({"All Links 1", "General 0", "Reading 0", "Work 0"}));
    EXPECT_EQ(view->list()->visibleHeadings(), QStringList({"General", "Reading", "Work"}));
    qv::test::saveScreen(&window, "links-seeded");

    view->selectCategory(QString("Reading"));
    qv::test::settle();
    EXPECT_EQ(sidebar(), QStringList({"All Links 0", "General 0", "Reading 1", "Work 0"}));
    auto list = rows();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(text("linkCount"), QString("4 saved links"));

    // Opening hands over web addresses only.
    list[0]->findChild<QPushButton*>("openLinkButton")->click();
    list[1]->findChild<QPushButton*>("openLinkButton")->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front(), QUrl("https://doc.rust-lang.org/book"));

    // Edit opens the form filled from the row, with its category ticked.
    list[0]->findChild<QPushButton*>("editLinkButton")->click();
    qv::test::settle();
    LinkFormSheet* sheet = topSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QLabel*>("sheetTitle")->text(), QString("Edit Link"));
    EXPECT_EQ(sheet->saveButton()->text(), QString("Update Link"));
    EXPECT_EQ(sheet->titleField()->text(), QString("Local notes"));
    EXPECT_EQ(sheet->category(), QString("Reading"));
    EXPECT_FALSE(sheet->isNewCategoryShown());
    qv::test::saveScreen(&window, "links-edit-sheet");
    sheet->chooseCategory("Work");
    sheet->save();
    qv::test::settle();
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_EQ(rows().size(), 1) << "the edited link moved to Work";

    // Deleting the last link of the selected category leaves its selection with no entry.
    rows()[0]->findChild<QPushButton*>("deleteLinkButton")->click();
    qv::test::settle();
    EXPECT_EQ(sidebar(), QStringList({"All Links 0", "General 0", "Work 0"}));
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(text("linkCount"), QString("3 saved links"));
}

TEST_F(LinksScreen, FormPicksTheFirstCategoryAndSwitchesBetweenListAndNewName) {
    seed("A", "https://a.example", QString("zeta"), 3);
    seed("B", "https://b.example", QString("Alpha"), 2);
    open();
    view->showAddSheet();
    qv::test::settle();
    LinkFormSheet* sheet = topSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->category(), QString("Alpha"));
    EXPECT_FALSE(sheet->isNewCategoryShown());
    sheet->chooseCategory("zeta");
    sheet->startNewCategory();
    EXPECT_TRUE(sheet->isNewCategoryShown());
    EXPECT_TRUE(sheet->category().isEmpty());
    sheet->pickExisting();
    EXPECT_EQ(sheet->category(), QString("Alpha")) << "the first of the list, not the one ticked before";
    sheet->findChild<QPushButton*>("cancelButton")->click();
    qv::test::settle();
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_EQ(view->viewModel()->linkCount(), 2);
}

TEST_F(LinksScreen, ALongLibraryBuildsOnlyTheRowsInViewAndReusesThemWhileScrolling) {
    for (int i = 0; i < 2000; ++i) {
        auto link = LinkItem::create(context);
        link->setTitle(QString("Link %1").arg(i));
        link->setUrl(QString("https://example.org/%1").arg(i));
        link->setCategory(QString("Group %1").arg(i % 7));
        link->setCreatedAt(now.addSecs(-i));
    }
    context->save();
    open();
    EXPECT_EQ(text("linkCount"), QString("2000 saved links"));
    const int built = view->findChildren<LinkRow*>().size();
    EXPECT_LT(built, 20);
    auto* list = view->list();
    EXPECT_EQ(list->visibleRows().front()->link()->title(), QString("Link 0"));
    list->verticalScrollBar()->setValue(list->contentHeight() / 2);
    qv::test::settle();
    EXPECT_LE(view->findChildren<LinkRow*>().size(), built + 2) << "rows are reused, not added";
    EXPECT_NE(list->visibleRows().front()->link()->title(), QString("Link 0"));
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    qv::test::settle();
    EXPECT_EQ(list->visibleRows().last()->link()->title(), QString("Link 1994"))
        << "the oldest of the last group";
}
