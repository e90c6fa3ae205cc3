#include "Views/Finance/AddInvestmentSheet.h"

#include "Components/SheetHost.h"
#include "Views/Finance/FinanceShellTestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QToolButton>

namespace {

class AddInvestmentSheetTest : public FinanceShellTest {
protected:
    AddInvestmentSheet* present(bool accept = true) {
        auto* sheet = new AddInvestmentSheet([this, accept](const Investment::Draft& draft) {
            handed.push_back(draft);
            return accept;
        });
        window->show();
        SheetHost::present(window.get(), sheet, AddInvestmentSheet::kWidth);
        qv::test::settle();
        return sheet;
    }
    std::vector<Investment::Draft> handed;
};

TEST_F(AddInvestmentSheetTest, MarketTypesNeedUnitsAndBuyPrice) {
    AddInvestmentSheet* sheet = present();
    EXPECT_EQ(sheet->selectedType(), QStringLiteral("stock"));
    EXPECT_EQ(sheet->findChildren<QToolButton*>(QStringLiteral("typeTile")).size(), 6);
    EXPECT_FALSE(sheet->canSubmit());
    sheet->field("nameField")->setText(QStringLiteral("   "));
    sheet->field("unitsField")->setText(QStringLiteral("10"));
    sheet->field("buyPriceField")->setText(QStringLiteral("250"));
    EXPECT_FALSE(sheet->canSubmit()) << "a name of blanks";
    sheet->field("nameField")->setText(QStringLiteral("  Acme\t"));
    EXPECT_TRUE(sheet->canSubmit());
    for (const char* refused : {"1,5", "nan", "inf", "1e999", ""}) {
        sheet->field("unitsField")->setText(QString::fromLatin1(refused));
        EXPECT_FALSE(sheet->canSubmit()) << refused;
    }
    sheet->field("unitsField")->setText(QStringLiteral("10"));
    sheet->field("notesField")->setText(QStringLiteral("  "));
    qv::test::saveScreen(window.get(), QStringLiteral("finance-add-investment-stock"));
    sheet->submit();
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].name, QStringLiteral("Acme"));
    EXPECT_DOUBLE_EQ(handed[0].currentPrice, 0);
    EXPECT_DOUBLE_EQ(handed[0].investedAmount, 2500);
    EXPECT_EQ(handed[0].notes, QStringLiteral("  "));
    EXPECT_FALSE(handed[0].maturityDate.has_value());
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window.get()), nullptr);
}

TEST_F(AddInvestmentSheetTest, HiddenFieldsHandOnNothing) {
    AddInvestmentSheet* sheet = present();
    sheet->field("nameField")->setText(QStringLiteral("Plot"));
    sheet->field("unitsField")->setText(QStringLiteral("3"));
    sheet->field("buyPriceField")->setText(QStringLiteral("900"));
    sheet->selectType(QStringLiteral("fixedDeposit"));
    sheet->field("interestRateField")->setText(QStringLiteral("7"));
    sheet->field("currentPriceField")->setText(QStringLiteral("5500"));
    EXPECT_FALSE(sheet->canSubmit()) << "amount types need the amount invested";
    sheet->field("investedField")->setText(QStringLiteral("5000"));
    sheet->selectType(QStringLiteral("realEstate"));
    EXPECT_FALSE(sheet->field("currentPriceField")->isVisibleTo(sheet));
    EXPECT_FALSE(sheet->field("interestRateField")->isVisibleTo(sheet));
    const Investment::Draft draft = sheet->draft();
    EXPECT_DOUBLE_EQ(draft.units, 0);
    EXPECT_DOUBLE_EQ(draft.buyPrice, 0) << "a buy price typed before switching is not handed on";
    EXPECT_DOUBLE_EQ(draft.currentPrice, 0);
    EXPECT_DOUBLE_EQ(draft.interestRate, 0);
    EXPECT_DOUBLE_EQ(draft.investedAmount, 5000);

    sheet->selectType(QStringLiteral("other"));
    EXPECT_TRUE(sheet->field("currentPriceField")->isVisibleTo(sheet));
    EXPECT_DOUBLE_EQ(sheet->draft().currentPrice, 5500);
    sheet->selectType(QStringLiteral("fixedDeposit"));
    EXPECT_DOUBLE_EQ(sheet->draft().interestRate, 7);
    EXPECT_FALSE(sheet->draft().maturityDate.has_value()) << "the maturity toggle is off";
}

TEST_F(AddInvestmentSheetTest, AFailedAddKeepsTheSheetOpen) {
    AddInvestmentSheet* sheet = present(false);
    sheet->field("nameField")->setText(QStringLiteral("Acme"));
    sheet->field("unitsField")->setText(QStringLiteral("1"));
    sheet->field("buyPriceField")->setText(QStringLiteral("1"));
    sheet->submit();
    qv::test::settle();
    EXPECT_EQ(handed.size(), 1u);
    ASSERT_NE(SheetHost::topmost(window.get()), nullptr);
    EXPECT_EQ(sheet->field("nameField")->text(), QStringLiteral("Acme"));
}

} // namespace
