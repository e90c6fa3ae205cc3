#include "Components/NumberFieldNote.h"
#include "Models/BankAccount.h"
#include "Models/CashReserve.h"
#include "Models/Income.h"
#include "Support/TestSupport.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/FinanceOnboardingViewModel.h"
#include "ViewModels/Finance/FinanceTestSupport.h"
#include "ViewModels/GoalsViewModel.h"
#include "Views/Finance/AddBankAccountSheet.h"
#include "Views/Finance/AddBillSheet.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"
#include "Views/Finance/AddInvestmentSheet.h"
#include "Views/Finance/AddSubscriptionSheet.h"
#include "Views/Finance/CardSlice.h"
#include "Views/Finance/CashFlowIncomeCard.h"
#include "Views/Finance/FinanceOnboardingSheet.h"

#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <iostream>
#include <map>

namespace {

// One amount field of one form: how to make the form (the save it reaches writes what it was
// handed to `saved`), the other fields it needs filled, the field and the button that saves.
struct AmountField {
    QString name;
    std::function<QWidget*(std::optional<double>& saved)> make;
    std::map<QString, QString> others;
    QString field;
    QString button;
    // Reads what the press stored, for a form that writes through its view model itself.
    std::function<std::optional<double>()> stored;
};

// A sheet that hands a draft to the save it was given: what was saved is the draft's figure.
template <typename Sheet, typename Draft, typename... Before>
std::function<QWidget*(std::optional<double>&)> handing(double Draft::*figure, Before... before) {
    return [=](std::optional<double>& saved) -> QWidget* {
        return new Sheet(before..., [&saved, figure](const Draft& d) {
            saved = d.*figure;
            return true;
        });
    };
}

// What typing a text in a field did: the button's state, the line under the field, and what
// a press on the button saved.
struct Outcome {
    bool buttonOn = false;
    QString line;
    std::optional<double> saved;
};

class NumberFieldNotesTest : public FinanceStoreTest {
protected:
    NumberFieldNotesTest() : FinanceStoreTest(local(2026, 3, 14, 10)) {}

    Outcome type(const AmountField& form, const QString& text) {
        std::optional<double> saved;
        std::unique_ptr<QWidget> sheet(form.make(saved));
        sheet->resize(440, 1400);
        sheet->setAttribute(Qt::WA_DontShowOnScreen, true);
        sheet->show();
        qv::test::settle();
        for (const auto& [name, value] : form.others)
            sheet->findChild<QLineEdit*>(name)->setText(value);
        auto* field = sheet->findChild<QLineEdit*>(form.field);
        auto* button = sheet->findChild<QPushButton*>(form.button);
        EXPECT_TRUE(field && button) << form.name.toStdString();
        if (!field || !button)
            return {};
        field->setText(text);
        qv::test::settle();
        Outcome out;
        out.buttonOn = button->isEnabled();
        NumberFieldNote* note = NumberFieldNote::of(field);
        EXPECT_NE(note, nullptr) << form.name.toStdString();
        if (note && note->isVisibleTo(sheet.get()))
            out.line = note->text();
        if (out.buttonOn) {
            button->click();
            qv::test::settle();
            out.saved = form.stored ? form.stored() : saved;
        }
        return out;
    }

    // Reads the amount a form saved into the store through its view model, and takes the
    // record away again, so the next text starts from an empty store.
    template <typename Record> std::function<std::optional<double>()> taken() {
        return [this]() -> std::optional<double> {
            const auto stored = context->fetch<Record>(FetchRequest(Record::entityName()));
            if (stored.empty())
                return std::nullopt;
            const double amount = stored.front()->amount();
            context->deleteObject(stored.front());
            context->save();
            return amount;
        };
    }

    // Every amount field, one row each.
    std::vector<AmountField> forms() {
        using Cards = std::vector<std::shared_ptr<CreditCard>>;
        const auto investment = [](QString type, double Investment::Draft::*figure) {
            return [type, figure](std::optional<double>& saved) -> QWidget* {
                auto* sheet = new AddInvestmentSheet([&saved, figure](const Investment::Draft& d) {
                    saved = d.*figure;
                    return true;
                });
                sheet->selectType(type);
                return sheet;
            };
        };
        const auto incomeCard = [this](std::optional<double>&) -> QWidget* {
            auto* owner = new QWidget;
            auto* card = new CashFlowIncomeCard(new CashFlowViewModel(context, owner), owner);
            card->head()->setGeometry(0, 0, 420, 300);
            card->head()->show();
            return owner;
        };
        const auto setUp = [this](std::optional<double>&) -> QWidget* {
            auto* model = new FinanceOnboardingViewModel(context);
            auto* sheet = new FinanceOnboardingSheet(model);
            model->setParent(sheet);
            return sheet;
        };
        const auto account = [](std::optional<double>& saved) -> QWidget* {
            return new AddBankAccountSheet(nullptr, [&saved](const QString&, double balance) {
                saved = balance;
                return true;
            });
        };
        return {
            {"expense",
             handing<AddExpenseSheet>(&ExpenseDraft::amount, AddExpenseSheet::Options{}),
             {{"titleField", "Rent"}},
             "amountField",
             "saveButton",
             {}},
            {"income sheet",
             handing<AddIncomeSheet>(&IncomeDraft::amount, std::shared_ptr<Income>()),
             {{"titleField", "Salary"}},
             "amountField",
             "saveButton",
             {}},
            {"monthly income card", incomeCard, {}, "incomeAmountField", "setIncomeButton", taken<Income>()},
            {"bill",
             handing<AddBillSheet>(&BillDraft::amount, Cards()),
             {{"nameField", "Power"}},
             "amountField",
             "addBillButton",
             {}},
            {"subscription",
             handing<AddSubscriptionSheet>(&SubscriptionDraft::price, Cards()),
             {{"nameField", "Music"}},
             "priceField",
             "addSubscriptionButton",
             {}},
            {"account balance",
             account,
             {{"accountNameField", "Savings"}},
             "balanceField",
             "confirmButton",
             {}},
            {"investment units",
             investment("stock", &Investment::Draft::units),
             {{"nameField", "Index"}, {"buyPriceField", "10"}},
             "unitsField",
             "addInvestmentButton",
             {}},
            {"investment buy price",
             investment("stock", &Investment::Draft::buyPrice),
             {{"nameField", "Index"}, {"unitsField", "2"}},
             "buyPriceField",
             "addInvestmentButton",
             {}},
            {"investment current price",
             investment("stock", &Investment::Draft::currentPrice),
             {{"nameField", "Index"}, {"unitsField", "2"}, {"buyPriceField", "10"}},
             "currentPriceField",
             "addInvestmentButton",
             {}},
            {"investment amount invested",
             investment("other", &Investment::Draft::investedAmount),
             {{"nameField", "Gold"}},
             "investedField",
             "addInvestmentButton",
             {}},
            {"investment interest rate",
             investment("fixedDeposit", &Investment::Draft::interestRate),
             {{"nameField", "Bond"}, {"investedField", "1000"}},
             "interestRateField",
             "addInvestmentButton",
             {}},
            {"set-up savings", setUp, {}, "cashReserveField", "nextButton", taken<CashReserve>()},
        };
    }
};

} // namespace

// Every amount field against what people type: text that is saved shows no line and its button
// saves exactly that amount; text that is not saved shows the line that says why and its
// button is off. "50.000" is refused only where the locale groups thousands with a point.
TEST_F(NumberFieldNotesTest, EveryAmountFieldRefusesWithALineOrSavesWhatItShows) {
    struct Typed {
        const char* text;
        const char* locale;
    };
    const std::vector<Typed> typed{{"50.000", "de_DE"}, {"-5", "en_US"},    {"0", "en_US"},
                                   {"1e308", "en_US"},  {"5,000", "en_US"}, {"abc", "en_US"},
                                   {"50.000", "en_US"}, {"1500.5", "de_DE"}};
    std::cout << "| field | ";
    for (const auto& t : typed)
        std::cout << '"' << t.text << "\" (" << t.locale << ") | ";
    std::cout << "\n";
    for (const AmountField& form : forms()) {
        std::cout << "| " << form.name.toStdString() << " | ";
        for (const auto& t : typed) {
            qv::test::LocaleScope locale{QString::fromLatin1(t.locale)};
            const QString text = QString::fromLatin1(t.text);
            const Outcome out = type(form, text);
            const std::string cell = form.name.toStdString() + " / " + t.text + " / " + t.locale;
            if (out.buttonOn) {
                EXPECT_TRUE(out.line.isEmpty()) << cell;
                ASSERT_TRUE(out.saved.has_value()) << cell << ": the button is on, so a press saves";
                EXPECT_DOUBLE_EQ(*out.saved, text.toDouble()) << cell;
                std::cout << "on, saves " << *out.saved << " | ";
            } else {
                EXPECT_FALSE(out.line.isEmpty()) << cell << ": off, so the line says why";
                std::cout << "off: " << out.line.toStdString() << " | ";
            }
        }
        std::cout << "\n";
    }
}

TEST_F(NumberFieldNotesTest, TheLineSitsUnderItsFieldAndGoesOnceTheAmountIsTaken) {
    const auto all = forms();
    for (const AmountField& form : all) {
        std::optional<double> saved;
        std::unique_ptr<QWidget> sheet(form.make(saved));
        sheet->resize(440, 1000);
        sheet->setAttribute(Qt::WA_DontShowOnScreen, true);
        sheet->show();
        qv::test::settle();
        auto* field = sheet->findChild<QLineEdit*>(form.field);
        ASSERT_NE(field, nullptr) << form.name.toStdString();
        NumberFieldNote* note = NumberFieldNote::of(field);
        ASSERT_NE(note, nullptr) << form.name.toStdString();
        field->setText(QStringLiteral("5,000"));
        qv::test::settle();
        ASSERT_TRUE(note->isVisibleTo(sheet.get())) << form.name.toStdString();
        const QRect fieldBox(field->mapTo(sheet.get(), QPoint()), field->size());
        const QRect noteBox(note->mapTo(sheet.get(), QPoint()), note->size());
        EXPECT_GE(noteBox.top(), fieldBox.bottom()) << form.name.toStdString() << ": under the field";
        EXPECT_LE(noteBox.top() - fieldBox.bottom(), 8) << form.name.toStdString() << ": beside it";
        field->setText(QStringLiteral("-5"));
        EXPECT_EQ(note->text(), QStringLiteral("An amount can't be below zero")) << form.name.toStdString();
        EXPECT_EQ(field->accessibleDescription(), note->text()) << form.name.toStdString();
        if (&form == &all.front() || form.name == "account balance")
            qv::test::saveScreen(sheet.get(),
                                 QStringLiteral("amount-note-") + QString(form.name).replace(' ', '-'));
        field->setText(QStringLiteral("5000"));
        EXPECT_FALSE(note->isVisibleTo(sheet.get())) << form.name.toStdString();
        EXPECT_TRUE(field->accessibleDescription().isEmpty()) << form.name.toStdString();
    }
}
