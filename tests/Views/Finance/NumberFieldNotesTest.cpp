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

    std::vector<AmountField> forms() {
        std::vector<AmountField> all;
        all.push_back({"expense",
                       [](std::optional<double>& saved) -> QWidget* {
                           return new AddExpenseSheet({}, [&saved](const ExpenseDraft& d) {
                               saved = d.amount;
                               return true;
                           });
                       },
                       {{"titleField", "Rent"}},
                       "amountField",
                       "saveButton"});
        all.push_back({"income sheet",
                       [](std::optional<double>& saved) -> QWidget* {
                           return new AddIncomeSheet(nullptr, [&saved](const IncomeDraft& d) {
                               saved = d.amount;
                               return true;
                           });
                       },
                       {{"titleField", "Salary"}},
                       "amountField",
                       "saveButton"});
        all.push_back({"monthly income card",
                       [this](std::optional<double>&) -> QWidget* {
                           auto* owner = new QWidget;
                           auto* model = new CashFlowViewModel(context, owner);
                           auto* card = new CashFlowIncomeCard(model, owner);
                           card->head()->setGeometry(0, 0, 420, 300);
                           card->head()->show();
                           return owner;
                       },
                       {},
                       "incomeAmountField",
                       "setIncomeButton",
                       [this]() -> std::optional<double> {
                           const auto stored = context->fetch<Income>(FetchRequest(Income::entityName()));
                           if (stored.empty())
                               return std::nullopt;
                           const double amount = stored.front()->amount();
                           context->deleteObject(stored.front());
                           context->save();
                           return amount;
                       }});
        all.push_back({"bill",
                       [](std::optional<double>& saved) -> QWidget* {
                           return new AddBillSheet({}, [&saved](const BillDraft& d) {
                               saved = d.amount;
                               return true;
                           });
                       },
                       {{"nameField", "Power"}},
                       "amountField",
                       "addBillButton"});
        all.push_back({"subscription",
                       [](std::optional<double>& saved) -> QWidget* {
                           return new AddSubscriptionSheet({}, [&saved](const SubscriptionDraft& d) {
                               saved = d.price;
                               return true;
                           });
                       },
                       {{"nameField", "Music"}},
                       "priceField",
                       "addSubscriptionButton"});
        all.push_back({"account balance",
                       [](std::optional<double>& saved) -> QWidget* {
                           return new AddBankAccountSheet(nullptr, [&saved](const QString&, double balance) {
                               saved = balance;
                               return true;
                           });
                       },
                       {{"accountNameField", "Savings"}},
                       "balanceField",
                       "confirmButton"});
        const auto investment = [](QString type, std::function<double(const Investment::Draft&)> figure) {
            return [type, figure](std::optional<double>& saved) -> QWidget* {
                auto* sheet = new AddInvestmentSheet([&saved, figure](const Investment::Draft& d) {
                    saved = figure(d);
                    return true;
                });
                sheet->selectType(type);
                return sheet;
            };
        };
        all.push_back({"investment units",
                       investment("stock", [](const auto& d) { return d.units; }),
                       {{"nameField", "Index"}, {"buyPriceField", "10"}},
                       "unitsField",
                       "addInvestmentButton"});
        all.push_back({"investment buy price",
                       investment("stock", [](const auto& d) { return d.buyPrice; }),
                       {{"nameField", "Index"}, {"unitsField", "2"}},
                       "buyPriceField",
                       "addInvestmentButton"});
        all.push_back({"investment current price",
                       investment("stock", [](const auto& d) { return d.currentPrice; }),
                       {{"nameField", "Index"}, {"unitsField", "2"}, {"buyPriceField", "10"}},
                       "currentPriceField",
                       "addInvestmentButton"});
        all.push_back({"investment amount invested",
                       investment("other", [](const auto& d) { return d.investedAmount; }),
                       {{"nameField", "Gold"}},
                       "investedField",
                       "addInvestmentButton"});
        all.push_back({"investment interest rate",
                       investment("fixedDeposit", [](const auto& d) { return d.interestRate; }),
                       {{"nameField", "Bond"}, {"investedField", "1000"}},
                       "interestRateField",
                       "addInvestmentButton"});
        all.push_back({"set-up savings",
                       [this](std::optional<double>&) -> QWidget* {
                           auto* model = new FinanceOnboardingViewModel(context);
                           auto* sheet = new FinanceOnboardingSheet(model);
                           model->setParent(sheet);
                           return sheet;
                       },
                       {},
                       "cashReserveField",
                       "nextButton",
                       [this]() -> std::optional<double> {
                           const auto stored =
                               context->fetch<CashReserve>(FetchRequest(CashReserve::entityName()));
                           if (stored.empty())
                               return std::nullopt;
                           const double amount = stored.front()->amount();
                           context->deleteObject(stored.front());
                           context->save();
                           return amount;
                       }});
        return all;
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
