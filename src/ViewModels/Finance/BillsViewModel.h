#pragma once

#include "ViewModels/AmountRule.h"
#include "ViewModels/Finance/FinanceRowText.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class Bill;
class CreditCard;
class ObjectContext;

// The bills tab's model: every recurring bill by due day, the cards a bill may be paid with,
// and the payment of a bill for a month, kept as one fixed expense whose notes name the bill
// ("bill-payment:" and the bill's id). A bill is paid in a month when such an expense is dated
// in it. The tab shows one month at a time, this month first. Each write is one action saved
// once: a failed save keeps nothing of it and the operation returns false.
class BillsViewModel : public QObject {
    Q_OBJECT
public:
    explicit BillsViewModel(ObjectContext* context, QObject* parent = nullptr);

    static inline const QString paymentNotePrefix = QStringLiteral("bill-payment:");

    // By due day.
    const std::vector<std::shared_ptr<Bill>>& bills() const { return bills_; }
    // Oldest first.
    const std::vector<std::shared_ptr<CreditCard>>& creditCards() const { return creditCards_; }

    void fetchBills();
    void fetchCreditCards();

    // 00:00 of the first day of the month shown.
    QDateTime selectedMonth() const { return selectedMonth_; }
    void navigateToPreviousMonth();
    void navigateToNextMonth();
    // "December 2026".
    QString monthTitle() const;
    // The rows of every bill by due day, paid or not in the month shown (one query for all).
    std::vector<BillRowText> billRows() const;
    // The amounts of all bills as the total card writes them.
    QString totalMonthlyText() const;
    // Why the total shows as a dash (a store's amounts too large to add up); empty otherwise.
    QString totalMonthlyTip() const;
    // Pays the bill for the month shown, or takes its payment back when it is paid.
    bool togglePaid(const std::shared_ptr<Bill>& bill);

    // What a bill's amount field takes: an amount above zero.
    static AmountRule amountRule() { return AmountRule::positive(); }
    // The add sheet's save rule: a name after trimming and an amount the rule takes.
    static bool canAddBill(const QString& name, const QString& amountText);
    bool addBill(const QString& name, double amount, int dueDay, const QString& category,
                 const QString& notes, const QString& paymentMethod,
                 const std::optional<QUuid>& creditCardID);
    bool deleteBill(const std::shared_ptr<Bill>& bill);
    // Records the bill's payment for the month of `month` (a bill without an id cannot be paid).
    bool markAsPaid(const std::shared_ptr<Bill>& bill, const QDateTime& month);
    // Removes every payment of the bill dated in the month of `month`.
    bool unmarkAsPaid(const std::shared_ptr<Bill>& bill, const QDateTime& month);
    bool isPaid(const Bill& bill, const QDateTime& month) const;
    // The ids of the bills paid in the month of `month`, read with one query (for a whole list).
    QSet<QUuid> paidBillIDs(const QDateTime& month) const;
    // The amounts of all bills, paid or not.
    double totalMonthly() const;

    // "bill-payment:" and the id in upper-case canonical form.
    static QString paymentNote(const QUuid& billID);
    // 00:00 of the bill's due day in the month of `month`, the day kept within the month.
    static QDateTime paymentDate(int dueDay, const QDateTime& month);

    // A bill's row: its category's symbol, name, due day, how it is paid (the card's name, the
    // method in capitals, or nothing for cash) and its amount.
    static BillRowText billRow(const std::shared_ptr<Bill>& bill,
                               const std::vector<std::shared_ptr<CreditCard>>& creditCards, bool isPaid);
    // "1st", "2nd", "3rd", "4th" … "11th", "12th", "13th" … "21st" … "31st".
    static QString ordinal(int day);
    // The symbol of a bill category; any category not listed is a document.
    static QString categorySymbol(const QString& category);

signals:
    void billsChanged();
    // A payment was recorded or removed: paid states need asking again.
    void paymentsChanged();
    // Another month is shown.
    void monthChanged();

private:
    ObjectContext* context_;
    QDateTime selectedMonth_;
    std::vector<std::shared_ptr<Bill>> bills_;
    std::vector<std::shared_ptr<CreditCard>> creditCards_;
};
