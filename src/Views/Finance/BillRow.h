#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class Bill;
class CreditCard;
class ElidedLabel;
class QLabel;
class QPushButton;
class SymbolIcon;

// One recurring bill: its category badge, name (struck through once paid for the month shown),
// category, ordinal due day and how it is paid, its amount, the paid toggle, and a delete
// button while the pointer is over the row. Rows are reused as the list scrolls: bind() fills
// one with a bill's figures, worked out once per change.
class BillRow : public QWidget {
    Q_OBJECT
public:
    struct Figures {
        std::weak_ptr<Bill> bill;
        QString symbol;
        QString name;
        QString category;
        QString dueText;
        QString paymentText; // empty: paid in cash, nothing said
        bool paymentNamesCard = false;
        QString amountText;
        bool paid = false;
    };
    static constexpr int kHeight = 71;

    using Action = std::function<void(const std::shared_ptr<Bill>&)>;
    BillRow(Action onTogglePaid, Action onDelete, QWidget* parent = nullptr);

    void bind(const Figures& figures);
    const Figures& figures() const { return figures_; }
    bool isHovered() const { return hovered_; }

    // The row's figures for a bill, paid or not in the month shown.
    static Figures figuresOf(const std::shared_ptr<Bill>& bill,
                             const std::vector<std::shared_ptr<CreditCard>>& creditCards, bool isPaid);
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
    void hideEvent(QHideEvent* event) override;

private:
    void setHovered(bool hovered);
    void stylePaid(bool paid);

    Figures figures_;
    bool hovered_ = false;
    int styledPaid_ = -1; // the paid look last applied (-1: none yet)
    SymbolIcon* icon_;
    ElidedLabel* name_;
    QLabel* category_;
    QLabel* due_;
    QLabel* paymentDot_;
    QLabel* payment_;
    ElidedLabel* amount_;
    QPushButton* toggle_;
    QPushButton* deleteButton_;
};
