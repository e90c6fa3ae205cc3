// The links and settings screens in the smallest window, as the X server shows it: everything
// fits, the screen shows what the screen renders, a link row's actions come with the pointer,
// and the settings screen restyles the window when a font is chosen.

#include "Window/WindowLane.h"

#include "Models/LinkItem.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Links/LinkRow.h"
#include "Views/Links/LinksList.h"
#include "Views/Links/LinksView.h"
#include "Views/Settings/FontOptionCard.h"
#include "Views/Settings/SettingsView.h"

namespace {

class LinksAndSettingsWindow : public WindowLane {};

} // namespace

TEST_F(LinksAndSettingsWindow, LinksFitTheSmallestWindowAndShowTheirActionsUnderThePointer) {
    for (int i = 0; i < 30; ++i) {
        auto link = LinkItem::create(context());
        link->setTitle(QStringLiteral("Reference & notes %1").arg(i));
        link->setUrl(QStringLiteral("https://example.org/%1").arg(i));
        link->setCategory(i % 2 ? QStringLiteral("Work") : QStringLiteral("Reading"));
    }
    context()->save();

    MainWindow& window = showWindow(QSize(900, 600));
    goTo(AppDestination::links);
    frames(800);
    auto* view = qobject_cast<LinksView*>(screen());
    ASSERT_NE(view, nullptr);
    EXPECT_LE(window.minimumSizeHint().width(), 900);
    EXPECT_LE(window.minimumSizeHint().height(), 600);
    EXPECT_LT(differingShare(view->grab().toImage(), grabScreen(view)), 0.002);

    LinkRow* row = view->list()->visibleRows().at(0);
    hover(row);
    // The move goes through the X server's pointer: the row hears of it when the server answers.
    ASSERT_TRUE(QTest::qWaitFor([row] { return row->underMouse(); }, 30000))
        << "the row never heard of the pointer";
    frames(400);
    EXPECT_TRUE(row->actionsShown());
    saveScreen(QStringLiteral("links-hover"));
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(LinksAndSettingsWindow, SettingsFitTheSmallestWindowAndAFontRestylesIt) {
    MainWindow& window = showWindow(QSize(900, 600));
    // Settings opens from the gear in the sidebar's header.
    click(window.findChild<QWidget*>(QStringLiteral("sidebarSettingsButton")));
    frames(800);
    auto* view = qobject_cast<SettingsView*>(screen());
    ASSERT_NE(view, nullptr);
    EXPECT_LE(window.minimumSizeHint().width(), 900);
    EXPECT_LE(window.minimumSizeHint().height(), 600);
    EXPECT_LT(differingShare(view->grab().toImage(), grabScreen(view)), 0.002);

    FontOptionCard* serif = nullptr;
    for (auto* card : view->findChildren<FontOptionCard*>())
        if (card->option() == AppFontOption::serif)
            serif = card;
    ASSERT_NE(serif, nullptr);
    click(serif); // the whole window is rebuilt in the new font: the card is gone after this
    frames(600);
    EXPECT_EQ(ThemeManager::shared().currentFont(), AppFontOption::serif);
    EXPECT_NE(qobject_cast<SettingsView*>(screen()), nullptr) << "the window keeps its destination";
    saveScreen(QStringLiteral("settings-serif"));
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
