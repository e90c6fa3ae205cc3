#pragma once

#include "ViewModels/AmountRule.h"

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

    // What the savings field takes: zero or more, or nothing (the step is then passed over).
    static AmountRule savingsRule() { return AmountRule::zeroOrMoreOrEmpty(); }
    // Whether the savings step may move on with the text typed.
    static bool canMoveOnFromSavings(const QString& savingsText);
    // The savings step's "Next": records the typed savings as the cash reserve, or nothing when
    // the field is empty. False when the text is refused or the save failed: the step stays.
    bool saveSavings(const QString& savingsText);
    // Records the savings as the cash reserve: updates the stored one, or creates it.
    bool saveCashReserve(double amount);
    // A new card with the name exactly as typed and its two days of the month.
    bool addCard(const QString& name, int statementCloseDay, int paymentDueDay);
    // Stores that the flow was finished, so it is not offered again.
    void complete();

private:
    ObjectContext* context_;
};
