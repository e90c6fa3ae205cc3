// A figure of any magnitude on the money screens stays inside its row and card: it is cut at
// the tail to its room, its full text in a plain-text tooltip, and the names beside it keep
// room to be read.

#include "Models/Bill.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/Subscription.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "Views/Finance/BillsView.h"
#include "Views/Finance/CashFlowView.h"
#include "Views/Finance/CommitmentsView.h"
#include "Views/Finance/FinanceScreenTest.h"
#include "Views/Finance/InvestmentsView.h"
#include "Views/Finance/OverviewHeroCard.h"
#include "Views/Finance/OverviewView.h"

#include <QFontMetrics>

namespace {

constexpr double kHuge = 1e308;
constexpr double kLarge = 4e307; // sums of several stay finite

class FiguresInTheirRoom : public FinanceScreenTest {
protected:
    FiguresInTheirRoom() : FinanceScreenTest(local(2026, 3, 20, 10)) {}

    // As a store written before amounts were bounded holds them: the forms refuse such amounts
    // today, so the records are written past them.
    void seed() {
        auto account = makeAccount(QStringLiteral("Everyday account"), kHuge);
        auto card = makeCard(QStringLiteral("Travel card"), 25, 15);
        auto income = Income::create(context);
        income->setTitle(QStringLiteral("Income"));
        income->setAmount(kLarge);
        income->setDate(Calendar::startOfMonth(now));
        Expense::create(context)->write({QStringLiteral("Rent"),
                                         kLarge,
                                         now,
                                         CashFlowViewModel::fixedType,
                                         QStringLiteral("debit"),
                                         {},
                                         {},
                                         {},
                                         {},
                                         {}},
                                        nullptr);
        Expense::create(context)->write({QStringLiteral("Groceries"),
                                         kHuge,
                                         now,
                                         CashFlowViewModel::dynamicType,
                                         QStringLiteral("creditCard"),
                                         card->id(),
                                         QStringLiteral("Food"),
                                         {},
                                         {},
                                         {}},
                                        card);
        auto subscription = Subscription::create(context);
        subscription->setName(QStringLiteral("Music streaming"));
        subscription->setPrice(kLarge);
        subscription->setBillingCycle(QStringLiteral("monthly"));
        subscription->setRenewalDate(local(2026, 3, 25));
        subscription->setPaymentMethod(QStringLiteral("debit"));
        subscription->setStatus(Subscription::active);
        subscription->setCreatedAt(now);
        auto bill = Bill::create(context);
        bill->setId(QUuid::createUuid());
        bill->setName(QStringLiteral("Electricity"));
        bill->setAmount(kHuge);
        bill->setDueDay(24);
        bill->setCategory(QStringLiteral("Utilities"));
        bill->setCreatedAt(now);
        Investment::Draft fund;
        fund.name = QStringLiteral("Index fund");
        fund.investmentType = QStringLiteral("stock");
        fund.units = 1;
        fund.buyPrice = kLarge;
        fund.investedAmount = kLarge;
        fund.currentPrice = kLarge;
        fund.buyDate = local(2026, 3, 2, 10);
        Investment::insertHolding(context, fund);
        ASSERT_TRUE(context->save());
    }

    // Every line of text that shows fits its label, every label lies inside the screen, and a
    // cut text carries the whole of it in a plain-text tooltip.
    void expectEveryTextFits(const char* screen) {
        qv::test::settle();
        int cut = 0;
        for (QLabel* label : view->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(view.get()) || label->text().isEmpty() || label->wordWrap() ||
                label->textFormat() == Qt::RichText)
                continue;
            const QString name = label->objectName() + QStringLiteral(" \"") + label->text().left(40) + u'"';
            SCOPED_TRACE(std::string(screen) + ": " + name.toStdString());
            const QRect box(label->mapTo(view.get(), QPoint(0, 0)), label->size());
            EXPECT_LE(box.right(), view->width()) << "inside the screen";
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                      label->contentsRect().width() + 1)
                << "the text fits its label";
            if (label->text().contains(QChar(0x2026)) && label->text().size() > 1) {
                ++cut;
                EXPECT_FALSE(label->toolTip().isEmpty()) << "a cut text has its tooltip";
                EXPECT_FALSE(label->toolTip().contains(QStringLiteral("&amp;"))) << "plain text";
            }
        }
        EXPECT_GT(cut, 0) << screen << ": the huge figures are cut";
    }
    // The names of the rows keep at least their first words in view; the first reads start.
    void expectNamesRead(const QString& objectName, const QString& start) {
        const auto labels = all<QLabel>(objectName);
        ASSERT_FALSE(labels.empty()) << objectName.toStdString();
        EXPECT_TRUE(labels.front()->text().startsWith(start)) << objectName.toStdString();
        for (QLabel* label : labels)
            EXPECT_TRUE(label->text().size() >= 6 || !label->text().contains(QChar(0x2026)))
                << objectName.toStdString() << " reads \"" << label->text().toStdString() << '"';
    }
};

} // namespace

TEST_F(FiguresInTheirRoom, HugeAmountsAreCutToTheirRoomAndNamesStayReadable) {
    seed();
    open<OverviewView>(720, 900);
    expectEveryTextFits("overview");
    expectNamesRead(QStringLiteral("accountName"), QStringLiteral("Everyday"));
    auto* balance = find<QLabel>(QStringLiteral("accountBalance"));
    ASSERT_NE(balance, nullptr);
    EXPECT_TRUE(balance->text().endsWith(QChar(0x2026))) << balance->text().toStdString();
    EXPECT_EQ(balance->toolTip(), Text::plainToolTip(MoneyFormatter::format(kHuge, 0)));
    for (const char* name : {"netWorthCard", "thisMonthCard", "spendableCard"}) {
        auto* hero = view->findChild<OverviewHeroCard*>(QString::fromLatin1(name));
        auto* value = hero->findChild<QLabel*>(QStringLiteral("heroValue"));
        ASSERT_NE(value, nullptr) << name;
        if (value->text() != hero->valueText()) {
            EXPECT_EQ(value->toolTip(), Text::plainToolTip(hero->valueText())) << name;
        }
    }
    qv::test::saveScreen(view.get(), QStringLiteral("finance-overview-huge-balance"));

    open<CashFlowView>(720, 1400);
    expectEveryTextFits("allocations");
    expectNamesRead(QStringLiteral("allocationTitle"), QStringLiteral("Rent"));
    expectNamesRead(QStringLiteral("dynamicTitle"), QStringLiteral("Groc"));
    qv::test::saveScreen(view.get(), QStringLiteral("finance-allocations-huge-expense"));

    open<CommitmentsView>(720, 900);
    expectEveryTextFits("commitments");
    expectNamesRead(QStringLiteral("cardName"), QStringLiteral("Travel"));
    expectNamesRead(QStringLiteral("subscriptionName"), QStringLiteral("Music"));

    open<BillsView>(720, 900);
    expectEveryTextFits("bills");
    expectNamesRead(QStringLiteral("billName"), QStringLiteral("Electr"));

    open<InvestmentsView>(720, 900);
    expectEveryTextFits("investments");
    expectNamesRead(QStringLiteral("holdingName"), QStringLiteral("Index"));
}
