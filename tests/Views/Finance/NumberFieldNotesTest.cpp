#include "Components/NumberFieldNote.h"
#include "Support/TestSupport.h"
#include "ViewModels/Finance/FinanceOnboardingViewModel.h"
#include "ViewModels/Finance/FinanceTestSupport.h"
#include "Views/Finance/AddBankAccountSheet.h"
#include "Views/Finance/AddBillSheet.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"
#include "Views/Finance/AddInvestmentSheet.h"
#include "Views/Finance/AddSubscriptionSheet.h"
#include "Views/Finance/FinanceOnboardingSheet.h"

#include <QLineEdit>

#include <functional>

namespace {

class NumberFieldNotesTest : public FinanceStoreTest {
protected:
    NumberFieldNotesTest() : FinanceStoreTest(local(2026, 3, 14, 10)) {}

    // Each named field of the sheet says why "5,000" is refused, on the line under it, and the
    // line goes for "5000".
    void expectNotes(const char* sheetName, QWidget* sheet, std::initializer_list<const char*> fields) {
        std::unique_ptr<QWidget> owner(sheet);
        sheet->resize(440, 1400);
        sheet->setAttribute(Qt::WA_DontShowOnScreen, true);
        sheet->show();
        qv::test::settle();
        for (const char* name : fields) {
            auto* field = sheet->findChild<QLineEdit*>(QString::fromLatin1(name));
            ASSERT_NE(field, nullptr) << sheetName << " " << name;
            NumberFieldNote* note = NumberFieldNote::of(field);
            ASSERT_NE(note, nullptr) << sheetName << " " << name << " has no note";
            field->setText(QStringLiteral("5,000"));
            qv::test::settle();
            if (field->isVisibleTo(sheet)) {
                EXPECT_TRUE(note->isVisibleTo(sheet)) << sheetName << " " << name;
                const QRect fieldBox(field->mapTo(sheet, QPoint()), field->size());
                const QRect noteBox(note->mapTo(sheet, QPoint()), note->size());
                EXPECT_GE(noteBox.top(), fieldBox.bottom())
                    << sheetName << " " << name << ": under the field";
                EXPECT_LE(noteBox.top() - fieldBox.bottom(), 8) << sheetName << " " << name << ": beside it";
            }
            if (name == *fields.begin()) {
                sheet->resize(440, 1000);
                qv::test::saveScreen(sheet, QStringLiteral("number-note-") + QString::fromLatin1(sheetName));
            }
            field->setText(QStringLiteral("5000"));
            EXPECT_FALSE(note->isVisibleTo(sheet)) << sheetName << " " << name;
        }
    }
};

} // namespace

TEST_F(NumberFieldNotesTest, EveryMoneySheetExplainsARefusedNumber) {
    expectNotes("account", new AddBankAccountSheet(nullptr, [](const QString&, double) { return true; }),
                {"balanceField"});
    expectNotes("bill", new AddBillSheet({}, [](const BillDraft&) { return true; }), {"amountField"});
    expectNotes("subscription", new AddSubscriptionSheet({}, [](const SubscriptionDraft&) { return true; }),
                {"priceField"});
    expectNotes("income", new AddIncomeSheet(nullptr, [](const IncomeDraft&) { return true; }),
                {"amountField"});
    expectNotes("expense", new AddExpenseSheet({}, [](const ExpenseDraft&) { return true; }),
                {"amountField"});
    expectNotes("investment", new AddInvestmentSheet([](const Investment::Draft&) { return true; }),
                {"unitsField", "buyPriceField", "investedField", "currentPriceField", "interestRateField"});
    expectNotes("onboarding", new FinanceOnboardingSheet(new FinanceOnboardingViewModel(context)),
                {"cashReserveField"});
}
