#pragma once

#include "Models/Investment.h"
#include "Models/InvestmentHoldings.h"
#include "ViewModels/AmountRule.h"
#include "ViewModels/Finance/FinanceRowText.h"

#include <QDateTime>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class ObjectContext;
class PagedFetch;

// The portfolio (every live holding, newest first) and the holdings bought in one chosen
// month (oldest purchase first), with the portfolio's totals and return. Holdings are valued
// by the one rule of Investment, the same the finance overview uses. A heavy user keeps
// thousands of holdings: the portfolio is read a page at a time as its rows are asked for, and
// its totals are summed by the store.
class InvestmentsViewModel : public QObject {
    Q_OBJECT
public:
    explicit InvestmentsViewModel(ObjectContext* context, QObject* parent = nullptr);

    int investmentCount() const;
    // The holding at index in the portfolio; null out of range.
    std::shared_ptr<Investment> investmentAt(int index) const;
    const std::vector<std::shared_ptr<Investment>>& monthlyInvestments() const { return monthlyInvestments_; }
    // 00:00 of the first day of the month the monthly list shows.
    QDateTime selectedMonth() const { return selectedMonth_; }

    void refresh();
    void fetchInvestments();
    void fetchForSelectedMonth();
    void navigateToPreviousMonth();
    void navigateToNextMonth();

    // Creates a holding from the draft and saves once; both lists are read again after a
    // stored save. A failed save leaves nothing behind and returns false.
    bool addInvestment(const Investment::Draft& draft);

    // What the add sheet's fields hold as typed, with the type chosen.
    struct FormText {
        QString type;
        QString name;
        QString units;
        QString buyPrice;
        QString invested;
        QString currentPrice;
        QString interestRate;
    };
    // The figure fields a type shows: a field it does not show neither blocks the sheet nor is
    // handed on, whatever was typed in it before a switch.
    struct FormFields {
        bool market = false;   // units and buy price, in place of the amount invested
        bool current = false;  // the current price or value
        bool interest = false; // the interest rate and maturity
    };
    static FormFields fieldsOf(const QString& type);
    // What each figure field takes. Units, prices and amounts invested are above zero; a current
    // price may be left out (the buy price stands for it); an interest rate may be zero or left out.
    static AmountRule unitsRule() { return AmountRule::positive(); }
    static AmountRule buyPriceRule() { return AmountRule::positive(); }
    static AmountRule investedRule() { return AmountRule::positive(); }
    static AmountRule currentPriceRule() { return AmountRule::positiveOrEmpty(); }
    static AmountRule interestRateRule() { return AmountRule::zeroOrMoreOrEmpty(); }
    // The add sheet's save rule: a name after trimming and every shown figure its rule takes.
    static bool canAdd(const FormText& form);
    // The figures of a draft as the rules read the form (0 for a field not shown or left empty).
    static void readFigures(const FormText& form, Investment::Draft& draft);
    // Whether a draft's figures keep the rules (a holding is never written otherwise).
    static bool accepts(const Investment::Draft& draft);
    bool deleteInvestment(const std::shared_ptr<Investment>& investment);

    // Over the portfolio, not the month.
    double totalInvested() const;
    double totalCurrentValue() const;
    double overallReturnPercentage() const;
    std::optional<double> cagr(const Investment& investment) const;

    // "March 2026": the month the monthly list shows.
    QString monthTitle() const;
    // The portfolio's summary as its card writes it: whole amounts, the return and the profit in
    // the tone of their sign.
    struct Summary {
        QString value;
        QString overallReturn;
        FinanceTone returnTone = FinanceTone::Gain;
        QString invested;
        QString profit;
        FinanceTone profitTone = FinanceTone::Gain;
        QString holdingsCount;
        // Why a figure shows as a dash (the holdings add up past a number); empty when it shows.
        QString valueTip;
        QString returnTip;
        QString investedTip;
        QString profitTip;
    };
    Summary summary() const;
    // The row of the holding at index in the portfolio, or in the month's list, valued now; an
    // empty row out of range.
    HoldingRowText portfolioRow(int index) const;
    HoldingRowText monthRow(int index) const;
    // A holding's row valued at `now`: its type, its yearly growth once it has one, its worth and
    // its return. An empty row for no holding.
    HoldingRowText holdingRow(const std::shared_ptr<Investment>& holding, const QDateTime& now) const;
    // The type's row label and symbol; any type outside the six reads as "Other".
    static QString typeLabel(const QString& type);
    static QString typeSymbol(const QString& type);
    // A kind of holding as the add sheet offers it: its stored type and its name there.
    struct TypeChoice {
        QString type;
        QString label;
    };
    // The kinds the add sheet offers, in order.
    static const std::vector<TypeChoice>& typeChoices();
    // The name field's example for a type.
    static QString namePlaceholder(const QString& type);

signals:
    void investmentsChanged();
    void monthChanged();

private:
    void moveMonth(int months);
    void readTotals();

    ObjectContext* context_;
    PagedFetch* portfolio_ = nullptr;
    InvestmentHoldings totals_;
    std::vector<std::shared_ptr<Investment>> monthlyInvestments_;
    QDateTime selectedMonth_;
};
