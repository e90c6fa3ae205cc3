// Two Returns never undo a save. For each save reached by the keyboard alone (Tab to the opener,
// Return, type, Return), done twice over, the two Returns that follow keep every record, and the
// focus rests neither on a control that deletes, removes or cancels nor outside the screen saved.
#include "Window/WindowLane.h"

#include "Components/FocusAfter.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Navigation/SidebarNavItem.h"

#include <QApplication>

#include <functional>

namespace {

struct SaveCase {
    const char* name;
    AppDestination destination;
    std::optional<FinanceTab> tab;
    const char* opener;
    QStringList typed; // the fields' texts in Tab order from the sheet's first field
    std::function<std::size_t(ObjectContext*)> records;
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

std::size_t incomesAndExpenses(ObjectContext* context) {
    return context->fetch(FetchRequest(Income::entityName())).size() +
           context->fetch(FetchRequest(Expense::entityName())).size();
}

class ReturnTwice : public WindowLane, public testing::WithParamInterface<SaveCase> {
protected:
    static QWidget* focus() { return QApplication::focusWidget(); }
    void key(int key) {
        QTest::keyClick(focus() ? focus() : window_.get(), Qt::Key(key));
        frames(120);
    }
    QWidget* tabTo(const std::function<bool(QWidget*)>& wanted) {
        for (int i = 0; i < 150; ++i) {
            key(Qt::Key_Tab);
            if (focus() && wanted(focus()))
                return focus();
        }
        return nullptr;
    }
    // Where the focus may not rest after a save, or nothing.
    QString misplaced(const QWidget* screen) const {
        if (!focus())
            return {};
        if (FocusAfter::isDestructive(focus()))
            return QStringLiteral("on ") + describe(focus());
        if (!topSheet() && !screen->isAncestorOf(focus()))
            return QStringLiteral("outside the screen, on ") + describe(focus());
        return {};
    }
};

} // namespace

TEST_P(ReturnTwice, AfterEverySaveTwoReturnsKeepEveryRecord) {
    const SaveCase& c = GetParam();
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    {
        // A month with its income and a fixed expense: rows with a Delete around the save.
        CashFlowViewModel cash(context());
        cash.fetchForSelectedMonth();
        cash.setIncome(2500, std::nullopt);
        ExpenseDraft rent;
        rent.title = QStringLiteral("Rent");
        rent.amount = 900;
        rent.date = Clock::now();
        rent.expenseType = CashFlowViewModel::fixedType;
        rent.paymentMethod = QStringLiteral("debit");
        cash.addExpense(rent);
    }
    showWindow(QSize(1200, 760));
    ASSERT_NE(tabTo([&c](QWidget* w) {
                  auto* nav = qobject_cast<SidebarNavItem*>(w);
                  return nav && nav->destination() == c.destination;
              }),
              nullptr);
    key(Qt::Key_Return);
    frames(800);
    if (c.tab) {
        ASSERT_NE(tabTo([&c](QWidget* w) {
                      auto* tab = qobject_cast<FinanceTabButton*>(w);
                      return tab && tab->tab() == *c.tab;
                  }),
                  nullptr);
        key(Qt::Key_Return);
        frames(800);
    }
    QWidget* screen = this->screen();
    for (int round = 1; round <= 2; ++round) {
        const std::string at = std::string(c.name) + " round " + std::to_string(round);
        ASSERT_NE(tabTo([&c](QWidget* w) { return w->objectName() == QLatin1String(c.opener); }), nullptr)
            << at;
        key(Qt::Key_Return);
        frames(600);
        ASSERT_NE(topSheet(), nullptr) << at << ": Return opened no sheet";
        for (qsizetype i = 0; i < c.typed.size(); ++i) {
            if (i > 0)
                key(Qt::Key_Tab);
            QTest::keyClicks(focus(), i == 0 ? c.typed[i] + QString::number(round) : c.typed[i]);
        }
        const std::size_t before = c.records(context());
        key(Qt::Key_Return);
        frames(800);
        EXPECT_EQ(topSheet(), nullptr) << at << ": the save left the sheet open";
        const std::size_t saved = c.records(context());
        EXPECT_EQ(saved, before + 1) << at << ": Return saved nothing";
        for (int press = 1; press <= 2; ++press) {
            EXPECT_TRUE(misplaced(screen).isEmpty())
                << at << ", Return " << press << ": the focus is " << misplaced(screen).toStdString();
            key(Qt::Key_Return);
            frames(800);
            EXPECT_GE(c.records(context()), saved) << at << ", Return " << press << " deleted a record";
        }
        while (topSheet()) {
            key(Qt::Key_Escape);
            frames(800);
        }
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Saves, ReturnTwice,
                         testing::Values(SaveCase{"dynamic-expense",
                                                  AppDestination::expenses,
                                                  FinanceTab::cashFlow,
                                                  "addDynamicButton",
                                                  {QStringLiteral("Coffee"), QStringLiteral("4")},
                                                  incomesAndExpenses},
                                         SaveCase{"allocation",
                                                  AppDestination::expenses,
                                                  FinanceTab::cashFlow,
                                                  "allocateButton",
                                                  {QStringLiteral("Insurance"), QStringLiteral("60")},
                                                  incomesAndExpenses}),
                         [](const testing::TestParamInfo<SaveCase>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
