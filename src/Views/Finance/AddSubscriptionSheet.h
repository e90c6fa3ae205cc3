#pragma once

#include "Views/Finance/FinanceSheet.h"
#include <QDateTime>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CreditCard;
class DatePickerField;
class MenuPicker;
class QLineEdit;
class QPushButton;
class SegmentedPicker;
class SheetHost;

// What the subscription form hands over.
struct SubscriptionDraft {
    QString name;
    double price = 0;
    QString billingCycle;
    QDateTime renewalDate;
    QString paymentMethod;
    std::optional<QUuid> creditCardID;
};

// Records a new subscription: name, price, billing cycle, next renewal, payment method and,
// for card payments, the card. The add handler writes it (with its expense) and answers
// whether it was stored; the sheet closes only then.
class AddSubscriptionSheet : public FinanceSheet {
    Q_OBJECT
public:
    using AddHandler = std::function<bool(const SubscriptionDraft&)>;

    AddSubscriptionSheet(std::vector<std::shared_ptr<CreditCard>> creditCards, AddHandler onAdd,
                         QWidget* parent = nullptr);
    static SheetHost* present(QWidget* over, std::vector<std::shared_ptr<CreditCard>> creditCards,
                              AddHandler onAdd, std::function<void()> onDismiss = {});

    static constexpr int kWidth = 440;

    QString billingCycle() const { return billingCycle_; }
    QString paymentMethod() const { return paymentMethod_; }
    std::optional<QUuid> selectedCardID() const { return selectedCardID_; }
    // The values the button would hand over now.
    SubscriptionDraft draft() const;
    // A name (spaces count) and a price that reads as a number.
    bool canAdd() const;
    void add();

private:
    void refresh();

    std::vector<std::shared_ptr<CreditCard>> creditCards_;
    AddHandler onAdd_;
    QString billingCycle_;
    QString paymentMethod_;
    std::optional<QUuid> selectedCardID_;

    QLineEdit* nameField_ = nullptr;
    QLineEdit* priceField_ = nullptr;
    SegmentedPicker* cyclePicker_ = nullptr;
    DatePickerField* renewalPicker_ = nullptr;
    SegmentedPicker* methodPicker_ = nullptr;
    QWidget* cardGroup_ = nullptr;
    MenuPicker* cardPicker_ = nullptr;
    QPushButton* addButton_ = nullptr;
};
