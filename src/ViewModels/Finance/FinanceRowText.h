#pragma once

#include <QString>

#include <memory>

class BankAccount;
class Bill;
class CreditCard;
class Expense;
class Income;
class Investment;
class Subscription;

// What a figure's colour says; the views map each tone to a colour of the theme.
enum class FinanceTone {
    Plain, // the text's own colour
    Muted,
    Gain,    // money made or kept
    Loss,    // money lost or owed
    Pending, // money still to place
    Card,    // names a credit card
};

// The ready texts of one row of the money screens, worked out by the row's view model once per
// change. The row keeps a weak reference to its record for the actions it offers.

struct CardRowText {
    std::weak_ptr<CreditCard> card;
    QString name;
    QString daysText;
    QString nextBillText; // empty: no next bill, the month's spend shows instead
    QString dueText;
    QString monthSpendText;
    QString figureNote; // why the figure shown reads as a dash; empty while it is a number
};

struct BillRowText {
    std::weak_ptr<Bill> bill;
    QString symbol;
    QString name;
    QString category;
    QString dueText;
    QString paymentText; // empty: paid in cash, nothing said
    FinanceTone paymentTone = FinanceTone::Muted;
    QString amountText;
    bool paid = false; // in the month shown
};

struct SubscriptionRowText {
    std::weak_ptr<Subscription> subscription;
    bool active = true;
    QString name;
    QString detail;
    QString priceText;
    QString perMonthText; // empty: a monthly price, nothing under it
};

struct AccountRowText {
    std::weak_ptr<BankAccount> account;
    QString name;
    QString balanceText;
};

// An income, a fixed expense or a dynamic expense of the month plan.
struct CashFlowEntryText {
    std::weak_ptr<Income> income;
    std::weak_ptr<Expense> expense;
    QString title;
    QString date;     // empty: none
    QString category; // empty: no chip
    QString amount;
};

struct HoldingRowText {
    std::weak_ptr<Investment> holding;
    QString name;
    QString typeLabel;
    QString symbol;
    QString growthText; // empty: no growth figure
    FinanceTone growthTone = FinanceTone::Gain;
    QString valueText;
    QString returnText;
    FinanceTone returnTone = FinanceTone::Gain;
};
