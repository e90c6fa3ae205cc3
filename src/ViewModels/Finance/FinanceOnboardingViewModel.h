#pragma once

#include <QObject>
#include <QString>

class ObjectContext;

// The writes of the finance first-run sheet: the one cash reserve, credit cards, and the flag
// that ends the flow. Each write is one action saved on its own; a failed save leaves the
// store as it was and returns false.
class FinanceOnboardingViewModel : public QObject {
    Q_OBJECT
public:
    explicit FinanceOnboardingViewModel(ObjectContext* context, QObject* parent = nullptr);

    // Records the savings as the cash reserve: updates the stored one, or creates it.
    bool saveCashReserve(double amount);
    // A new card with the name exactly as typed and its two days of the month.
    bool addCard(const QString& name, int statementCloseDay, int paymentDueDay);
    // Stores that the flow was finished, so it is not offered again.
    void complete();

private:
    ObjectContext* context_;
};
