#include "Views/Finance/FinanceOnboardingSheet.h"

#include "Components/FocusRing.h"
#include "Components/SheetHost.h"
#include "Components/Stepper.h"
#include "Models/CashReserve.h"
#include "Models/CreditCard.h"
#include "ViewModels/Finance/FinanceOnboardingViewModel.h"
#include "Views/Finance/FinanceShellTestSupport.h"

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FinanceOnboardingSheetTest : public FinanceShellTest {
protected:
    FinanceOnboardingSheet* present() {
        auto* sheet = new FinanceOnboardingSheet(new FinanceOnboardingViewModel(context));
        window->show();
        SheetHost::present(window.get(), sheet, FinanceOnboardingSheet::kWidth);
        qv::test::settle();
        return sheet;
    }
    QLineEdit* edit(FinanceOnboardingSheet* sheet, const char* name) {
        return sheet->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    Stepper* stepper(FinanceOnboardingSheet* sheet, const char* name) {
        return sheet->findChild<Stepper*>(QString::fromLatin1(name));
    }
    std::vector<std::shared_ptr<CashReserve>> reserves() {
        return context->fetch<CashReserve>(FetchRequest(CashReserve::entityName()));
    }
    std::vector<std::shared_ptr<CreditCard>> cards() {
        return context->fetch<CreditCard>(
            FetchRequest(CreditCard::entityName(), {}, {{CreditCard::Keys::createdAt, true}}));
    }
};

TEST_F(FinanceOnboardingSheetTest, TheCashReserveIsSavedOnlyForAUsableAmountAndKeptSingle) {
    {
        FinanceOnboardingSheet* sheet = present();
        sheet->next();
        EXPECT_EQ(sheet->step(), 1) << "nothing typed: the flow moves on and saves nothing";
        SheetHost::topmost(window.get())->dismiss();
        qv::test::settle();
    }
    for (const char* refused : {"-5", "1,500", "nan", "inf", "1e999"}) {
        FinanceOnboardingSheet* sheet = present();
        edit(sheet, "cashReserveField")->setText(QString::fromLatin1(refused));
        EXPECT_FALSE(sheet->findChild<QPushButton*>(QStringLiteral("nextButton"))->isEnabled()) << refused;
        sheet->next();
        EXPECT_EQ(sheet->step(), 0) << "refused savings are never dropped: " << refused;
        EXPECT_EQ(edit(sheet, "cashReserveField")->text(), QString::fromLatin1(refused));
        SheetHost::topmost(window.get())->dismiss();
        qv::test::settle();
    }
    EXPECT_TRUE(reserves().empty());

    FinanceOnboardingSheet* sheet = present();
    qv::test::saveScreen(window.get(), QStringLiteral("finance-first-run-savings"));
    edit(sheet, "cashReserveField")->setText(QStringLiteral("0"));
    sheet->next();
    ASSERT_EQ(reserves().size(), 1u);
    EXPECT_DOUBLE_EQ(reserves()[0]->amount(), 0);
    const auto id = reserves()[0]->id();

    Clock::advance(3600);
    FinanceOnboardingSheet* again = present();
    edit(again, "cashReserveField")->setText(QStringLiteral("50000"));
    again->next();
    ASSERT_EQ(reserves().size(), 1u) << "a second pass updates the one reserve";
    EXPECT_EQ(reserves()[0]->id(), id);
    EXPECT_DOUBLE_EQ(reserves()[0]->amount(), 50000);
    EXPECT_EQ(reserves()[0]->updatedAt(), Clock::now());
}

TEST_F(FinanceOnboardingSheetTest, CardsAreAddedOneByOneAndTheFlowEndsWithTheFlag) {
    FinanceOnboardingSheet* sheet = present();
    sheet->skip();
    ASSERT_EQ(sheet->step(), 1);
    auto* addCard = sheet->findChild<QPushButton*>(QStringLiteral("addCardButton"));
    EXPECT_FALSE(addCard->isVisibleTo(sheet));
    edit(sheet, "cardNameField")->setText(QStringLiteral("  "));
    EXPECT_TRUE(addCard->isVisibleTo(sheet)) << "blanks are a name here";
    stepper(sheet, "statementCloseStepper")->setValue(30);
    stepper(sheet, "paymentDueStepper")->setValue(0);
    EXPECT_EQ(stepper(sheet, "statementCloseStepper")->value(), 28);
    EXPECT_EQ(stepper(sheet, "paymentDueStepper")->value(), 1);
    qv::test::saveScreen(window.get(), QStringLiteral("finance-first-run-cards"));
    sheet->addCard();
    EXPECT_TRUE(edit(sheet, "cardNameField")->text().isEmpty());
    EXPECT_EQ(stepper(sheet, "statementCloseStepper")->value(), 25);
    EXPECT_EQ(stepper(sheet, "paymentDueStepper")->value(), 15);
    edit(sheet, "cardNameField")->setText(QStringLiteral("Axis"));
    sheet->addCard();
    edit(sheet, "cardNameField")->setText(QStringLiteral("Typed, not added"));
    sheet->next();
    EXPECT_EQ(sheet->step(), 2);
    const auto stored = cards();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0]->name(), QStringLiteral("  "));
    EXPECT_EQ(stored[0]->statementCloseDay(), 28);
    EXPECT_EQ(stored[0]->paymentDueDay(), 1);
    EXPECT_EQ(stored[1]->name(), QStringLiteral("Axis"));
    EXPECT_EQ(stored[1]->statementCloseDay(), 25);
    EXPECT_TRUE(stored[1]->id().has_value());
    qv::test::saveScreen(window.get(), QStringLiteral("finance-first-run-done"));

    EXPECT_FALSE(UserDefaults::standard().flag(QStringLiteral("financeOnboardingComplete")));
    sheet->finish();
    qv::test::settle();
    EXPECT_TRUE(UserDefaults::standard().flag(QStringLiteral("financeOnboardingComplete")));
    EXPECT_EQ(SheetHost::topmost(window.get()), nullptr);
}

TEST_F(FinanceOnboardingSheetTest, AFailedSaveStaysOnItsStepWithWhatWasTyped) {
    persistence.reset();
    const QString path = PersistenceController::defaultStorePath();
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    persistence = std::make_unique<PersistenceController>(false);
    context = persistence->viewContext();
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("CREATE TRIGGER r1 BEFORE INSERT ON \"CashReserve\" BEGIN SELECT RAISE(ABORT, 'disk is "
                "full'); END;");
        db.exec("CREATE TRIGGER r2 BEFORE INSERT ON \"CreditCard\" BEGIN SELECT RAISE(ABORT, 'disk is "
                "full'); END;");
    }
    FinanceOnboardingSheet* sheet = present();
    edit(sheet, "cashReserveField")->setText(QStringLiteral("100"));
    testing::internal::CaptureStdout();
    sheet->next();
    EXPECT_EQ(sheet->step(), 0);
    EXPECT_EQ(edit(sheet, "cashReserveField")->text(), QStringLiteral("100"));
    sheet->skip();
    edit(sheet, "cardNameField")->setText(QStringLiteral("Visa"));
    sheet->addCard();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(edit(sheet, "cardNameField")->text(), QStringLiteral("Visa"));
    EXPECT_FALSE(context->hasChanges());
    EXPECT_TRUE(cards().empty());
}

} // namespace

TEST_F(FinanceOnboardingSheetTest, SkippingFromTheKeyboardLeavesTheFocusOnTheNextStepsControl) {
    FocusRing::install(); // as the application's window does
    FinanceOnboardingSheet* sheet = present();
    QApplication::setActiveWindow(window.get());
    auto press = [sheet](const char* name) {
        auto* button = sheet->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        qv::test::settle();
    };
    press("skipButton");
    EXPECT_EQ(QApplication::focusWidget(), edit(sheet, "cardNameField"));
    press("skipButton");
    ASSERT_EQ(sheet->step(), 2);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->objectName(), QStringLiteral("goToFinanceButton")) << "not the sheet around it";
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), focus);
}
