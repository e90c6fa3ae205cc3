#include "ViewModels/Finance/BillsViewModel.h"

#include "Models/Bill.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Finance/PaymentMethods.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

FetchRequest paymentsInMonth(const QUuid& billID, const QDateTime& month, int limit = 0) {
    const auto [start, end] = Calendar::monthRange(month);
    return FetchRequest(Expense::entityName(),
                        Key(Expense::Keys::notes) == BillsViewModel::paymentNote(billID) &&
                            Key(Expense::Keys::date) >= start && Key(Expense::Keys::date) < end,
                        {}, limit);
}

// What a bill row says about how the bill is paid; the flag tells whether it names a card.
QString paymentText(const Bill& bill, const std::vector<std::shared_ptr<CreditCard>>& creditCards,
                    bool& namesCard) {
    namesCard = false;
    const QString method = bill.paymentMethod().value_or(PaymentMethods::cash);
    if (method == PaymentMethods::billCreditCard)
        if (const auto card = CreditCard::withID(creditCards, bill.creditCardID())) {
            namesCard = true;
            return FinanceNames::card(*card);
        }
    if (method == PaymentMethods::cash)
        return {};
    return FinanceNames::capitalised(method);
}

} // namespace

BillsViewModel::BillsViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context), selectedMonth_(Calendar::startOfMonth(Clock::now())) {
    fetchBills();
    fetchCreditCards();
}

void BillsViewModel::fetchBills() {
    bills_ = context_->fetch<Bill>(FetchRequest(Bill::entityName(), {}, {{Bill::Keys::dueDay, true}}));
    emit billsChanged();
}

void BillsViewModel::fetchCreditCards() {
    creditCards_ = context_->fetch<CreditCard>(
        FetchRequest(CreditCard::entityName(), {}, {{CreditCard::Keys::createdAt, true}}));
}

bool BillsViewModel::canAddBill(const QString& name, const QString& amountText) {
    return !Text::trimmed(name).isEmpty() && amountRule().verdict(amountText).saves;
}

bool BillsViewModel::addBill(const QString& name, double amount, int dueDay, const QString& category,
                             const QString& notes, const QString& paymentMethod,
                             const std::optional<QUuid>& creditCardID) {
    if (!amountRule().accepts(amount))
        return false;
    ActionGuard action(*context_);
    auto bill = Bill::create(context_);
    bill->setName(name);
    bill->setAmount(amount);
    bill->setDueDay(qint16(dueDay));
    bill->setCategory(category);
    bill->setNotes(notes.isEmpty() ? std::nullopt : std::optional<QString>(notes));
    bill->setCreatedAt(Clock::now());
    bill->setPaymentMethod(paymentMethod);
    bill->setCreditCardID(creditCardID);
    const bool saved = action.commit();
    fetchBills();
    return saved;
}

bool BillsViewModel::deleteBill(const std::shared_ptr<Bill>& bill) {
    if (!bill || bill->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(bill);
    const bool saved = action.commit();
    fetchBills();
    return saved;
}

QString BillsViewModel::paymentNote(const QUuid& billID) {
    return paymentNotePrefix + billID.toString(QUuid::WithoutBraces).toUpper();
}

QDateTime BillsViewModel::paymentDate(int dueDay, const QDateTime& month) {
    const QDate first = Calendar::startOfMonth(month).date();
    const int day = std::clamp(dueDay, 1, first.daysInMonth());
    return Calendar::composeStartOfDay(first.year(), first.month(), day);
}

bool BillsViewModel::markAsPaid(const std::shared_ptr<Bill>& bill, const QDateTime& month) {
    // A payment that names no bill could never be found again, nor unmarked.
    if (!bill || bill->isDeleted() || !bill->id())
        return false;
    Expense::Draft payment;
    payment.title = FinanceNames::bill(*bill);
    payment.amount = bill->amount();
    payment.date = paymentDate(bill->dueDay(), month);
    payment.expenseType = Expense::fixed;
    payment.paymentMethod = bill->paymentMethod().value_or(PaymentMethods::cash);
    payment.creditCardID = bill->creditCardID();
    payment.category = FinanceNames::billCategory(*bill);
    payment.notes = paymentNote(*bill->id());
    ActionGuard action(*context_);
    Expense::create(context_)->write(payment, CreditCard::withID(creditCards_, payment.creditCardID));
    const bool saved = action.commit();
    emit paymentsChanged();
    return saved;
}

bool BillsViewModel::unmarkAsPaid(const std::shared_ptr<Bill>& bill, const QDateTime& month) {
    if (!bill || bill->isDeleted() || !bill->id())
        return false;
    ActionGuard action(*context_);
    for (const auto& payment : context_->fetch<Expense>(paymentsInMonth(*bill->id(), month)))
        context_->deleteObject(payment);
    const bool saved = action.commit();
    emit paymentsChanged();
    return saved;
}

bool BillsViewModel::isPaid(const Bill& bill, const QDateTime& month) const {
    const auto id = bill.id();
    return id && context_->count(paymentsInMonth(*id, month, 1)) > 0;
}

QSet<QUuid> BillsViewModel::paidBillIDs(const QDateTime& month) const {
    const auto [start, end] = Calendar::monthRange(month);
    QSet<QUuid> paid;
    const auto inMonth = context_->fetch<Expense>(FetchRequest(
        Expense::entityName(), Key(Expense::Keys::notes).present() && Key(Expense::Keys::date) >= start &&
                                   Key(Expense::Keys::date) < end));
    for (const auto& expense : inMonth) {
        const QString note = expense->notes().value_or(QString());
        if (!note.startsWith(paymentNotePrefix))
            continue;
        const QUuid id = QUuid::fromString(QStringView(note).mid(paymentNotePrefix.size()));
        // Only the exact note counts, as for isPaid: the id written back the same way.
        if (!id.isNull() && paymentNote(id) == note)
            paid.insert(id);
    }
    return paid;
}

double BillsViewModel::totalMonthly() const {
    double total = 0;
    for (const auto& bill : bills_)
        total += bill->amount();
    return total;
}

void BillsViewModel::navigateToPreviousMonth() {
    selectedMonth_ = Calendar::startOfMonth(Calendar::addMonths(selectedMonth_, -1));
    emit monthChanged();
}

void BillsViewModel::navigateToNextMonth() {
    selectedMonth_ = Calendar::startOfMonth(Calendar::addMonths(selectedMonth_, 1));
    emit monthChanged();
}

QString BillsViewModel::monthTitle() const {
    return DateText::monthYear(selectedMonth_.date());
}

bool BillsViewModel::togglePaid(const std::shared_ptr<Bill>& bill) {
    // Asked again at the tap: the row may have been filled before another change.
    if (bill && isPaid(*bill, selectedMonth_))
        return unmarkAsPaid(bill, selectedMonth_);
    return markAsPaid(bill, selectedMonth_);
}

std::vector<BillRowText> BillsViewModel::billRows() const {
    const QSet<QUuid> paid = paidBillIDs(selectedMonth_);
    std::vector<BillRowText> rows;
    rows.reserve(bills_.size());
    for (const auto& bill : bills_)
        rows.push_back(billRow(bill, creditCards_, bill->id() && paid.contains(*bill->id())));
    return rows;
}

QString BillsViewModel::totalMonthlyText() const {
    return MoneyFormatter::format(totalMonthly(), 0);
}

QString BillsViewModel::totalMonthlyTip() const {
    return MoneyFormatter::notShownReason(totalMonthly());
}

QString BillsViewModel::ordinal(int day) {
    const int lastTwo = std::abs(day) % 100;
    QString suffix = QStringLiteral("th");
    if (lastTwo < 11 || lastTwo > 13) {
        switch (std::abs(day) % 10) {
        case 1:
            suffix = QStringLiteral("st");
            break;
        case 2:
            suffix = QStringLiteral("nd");
            break;
        case 3:
            suffix = QStringLiteral("rd");
            break;
        default:
            break;
        }
    }
    return QString::number(day) + suffix;
}

QString BillsViewModel::categorySymbol(const QString& category) {
    static const QHash<QString, QString> symbols{
        {QStringLiteral("Rent"), QStringLiteral("house.fill")},
        {QStringLiteral("Electricity"), QStringLiteral("bolt.fill")},
        {QStringLiteral("Water"), QStringLiteral("drop.fill")},
        {QStringLiteral("Internet"), QStringLiteral("wifi")},
        {QStringLiteral("Gas"), QStringLiteral("flame.fill")},
        {QStringLiteral("Insurance"), QStringLiteral("shield.fill")},
        {QStringLiteral("Phone"), QStringLiteral("phone.fill")},
        {QStringLiteral("OTT"), QStringLiteral("tv.fill")},
        {QStringLiteral("Loan EMI"), QStringLiteral("banknote.fill")},
    };
    return symbols.value(category, QStringLiteral("doc.text.fill"));
}

BillRowText BillsViewModel::billRow(const std::shared_ptr<Bill>& bill,
                                    const std::vector<std::shared_ptr<CreditCard>>& creditCards,
                                    bool isPaid) {
    BillRowText row;
    row.bill = bill;
    row.category = FinanceNames::billCategory(*bill);
    row.symbol = categorySymbol(row.category);
    row.name = FinanceNames::bill(*bill);
    row.dueText = QStringLiteral("Due %1 of every month").arg(ordinal(bill->dueDay()));
    bool namesCard = false;
    row.paymentText = paymentText(*bill, creditCards, namesCard);
    row.paymentTone = namesCard ? FinanceTone::Card : FinanceTone::Muted;
    row.amountText = MoneyFormatter::format(bill->amount(), 0);
    row.paid = isPaid;
    return row;
}
