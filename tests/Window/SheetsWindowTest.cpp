// The money sheets in a real window of the common sizes: the card takes the height its form
// needs up to the window's, scrolls with a visible bar beyond that, and its button row is
// pinned below the form, in view inside the card.

#include "Window/WindowLane.h"

#include "Platform/UserDefaults.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

class SheetsWindow : public WindowLane {
protected:
    void SetUp() override {
        WindowLane::SetUp();
        if (IsSkipped())
            return;
        UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
        UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    }

    // The part of the widget inside every ancestor up to the window, in window coordinates.
    static QRect shownRect(const QWidget* widget) {
        QRect shown(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
        for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
            shown &= QRect(up->mapTo(up->window(), QPoint(0, 0)), up->size());
        return shown;
    }

    // Opens the sheet from the button of the finance tab and checks its frame at this size.
    void expectFramed(QSize size, FinanceTab tab, const char* action, const QString& name) {
        SCOPED_TRACE(name.toStdString());
        window_->resize(size);
        frames(100);
        SheetHost* host = openFinanceSheet(tab, action, 100);
        ASSERT_NE(host, nullptr);
        QWidget* card = host->card();
        const QRect room = window_->rect().adjusted(SheetHost::kWindowMargin, SheetHost::kWindowMargin,
                                                    -SheetHost::kWindowMargin, -SheetHost::kWindowMargin);
        const QRect cardRect(card->mapTo(window_.get(), QPoint(0, 0)), card->size());
        EXPECT_TRUE(room.contains(cardRect)) << "the card stays inside the window";

        // The form's own height, laid out at the card's width: all of it, or all the window has.
        const int needed = host->content()->heightForWidth(card->width()) > 0
                               ? host->content()->heightForWidth(card->width())
                               : host->content()->sizeHint().height();
        QScrollBar* bar = nullptr;
        for (QScrollArea* area : card->findChildren<QScrollArea*>())
            if (area->isVisible() && area->verticalScrollBar()->maximum() > 0)
                bar = area->verticalScrollBar();
        if (needed <= room.height()) {
            EXPECT_GE(card->height(), needed - 1) << "the card takes the height its form needs";
            EXPECT_EQ(bar, nullptr) << "a form that fits does not scroll";
        } else {
            EXPECT_EQ(card->height(), room.height()) << "the card takes the window's height";
            ASSERT_NE(bar, nullptr) << "a taller form scrolls";
            EXPECT_TRUE(bar->isVisible()) << "with a bar the user can see";
            EXPECT_GE(bar->width(), 4);
        }

        // The form's button row is pinned below its page, and every button of it shows whole,
        // inside the card.
        QWidget* footer = card->findChild<QWidget*>(QStringLiteral("sheetFooter"));
        EXPECT_NE(footer, nullptr) << "a button row pinned below the form";
        int buttons = 0;
        for (QPushButton* button : footer ? footer->findChildren<QPushButton*>() : QList<QPushButton*>()) {
            ++buttons;
            EXPECT_EQ(shownRect(button).size(), button->size())
                << button->objectName().toStdString() << " shows whole";
        }
        EXPECT_GT(buttons, 0);
        saveScreen(name + QStringLiteral("-%1x%2").arg(size.width()).arg(size.height()));
        host->dismiss();
        frames(400);
    }
};

} // namespace

TEST_F(SheetsWindow, LongMoneySheetsFitTheWindowScrollAndKeepTheirButtonsInView) {
    showWindow(QSize(1200, 760));
    goTo(AppDestination::expenses);
    for (QSize size : {QSize(1200, 760), QSize(900, 600)}) {
        expectFramed(size, FinanceTab::overview, "addExpenseButton", QStringLiteral("sheet-add-expense"));
        expectFramed(size, FinanceTab::overview, "addInvestmentButton",
                     QStringLiteral("sheet-add-investment"));
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(SheetsWindow, BillCardSubscriptionAndAccountSheetsPinTheirButtons) {
    showWindow(QSize(1200, 760));
    goTo(AppDestination::expenses);
    for (QSize size : {QSize(1200, 760), QSize(900, 600)}) {
        expectFramed(size, FinanceTab::overview, "addAccountPlus", QStringLiteral("sheet-add-account"));
        expectFramed(size, FinanceTab::commitments, "addFirstCardButton", QStringLiteral("sheet-add-card"));
        expectFramed(size, FinanceTab::commitments, "addSubscriptionButton",
                     QStringLiteral("sheet-add-subscription"));
        expectFramed(size, FinanceTab::bills, "addBillButton", QStringLiteral("sheet-add-bill"));
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
