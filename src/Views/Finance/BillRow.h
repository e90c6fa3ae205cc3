#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class Bill;
class CreditCard;
class QPushButton;

// One recurring bill: its category badge, name (struck through once paid for the month shown),
// category, ordinal due day and how it is paid, its amount, the paid toggle, and a delete
// button while the pointer is over the row.
class BillRow : public QWidget {
    Q_OBJECT
public:
    BillRow(const std::shared_ptr<Bill>& bill, const std::vector<std::shared_ptr<CreditCard>>& creditCards,
            bool isPaid, std::function<void()> onTogglePaid, std::function<void()> onDelete,
            QWidget* parent = nullptr);

    bool isHovered() const { return hovered_; }

    // "1st", "2nd", "3rd", "4th" … "11th", "12th", "13th" … "21st" … "31st".
    static QString ordinal(int day);
    // The symbol of a bill category; any category not listed is a document.
    static QString categoryIcon(const QString& category);
    // What the row says about how the bill is paid: the card's name, the method in capitals, or
    // nothing for cash. The flag tells whether it names a card.
    static QString paymentPart(const Bill& bill, const std::vector<std::shared_ptr<CreditCard>>& creditCards,
                               bool* namesCard = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
    QPushButton* deleteButton_ = nullptr;
};
