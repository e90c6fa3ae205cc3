#include "Views/Finance/BillRow.h"

#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Bill.h"
#include "Models/CreditCard.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/PaymentMethods.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString BillRow::ordinal(int day) {
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

QString BillRow::categoryIcon(const QString& category) {
    static const QHash<QString, QString> icons{
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
    return icons.value(category, QStringLiteral("doc.text.fill"));
}

QString BillRow::paymentPart(const Bill& bill, const std::vector<std::shared_ptr<CreditCard>>& creditCards,
                             bool* namesCard) {
    if (namesCard)
        *namesCard = false;
    const QString method = bill.paymentMethod().value_or(PaymentMethods::cash);
    if (method == PaymentMethods::billCreditCard && bill.creditCardID())
        for (const auto& card : creditCards)
            if (card->id() == bill.creditCardID()) {
                if (namesCard)
                    *namesCard = true;
                return card->name().value_or(QStringLiteral("Card"));
            }
    if (method == PaymentMethods::cash)
        return {};
    return FinanceForm::capitalised(method);
}

BillRow::BillRow(const std::shared_ptr<Bill>& bill,
                 const std::vector<std::shared_ptr<CreditCard>>& creditCards, bool isPaid,
                 std::function<void()> onTogglePaid, std::function<void()> onDelete, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("billRow"));
    setProperty("paid", isPaid);
    setAttribute(Qt::WA_StyledBackground, true);
    setAttribute(Qt::WA_Hover, true);
    setStyleSheet(QStringLiteral("QWidget#billRow { background: %1; border-radius: 12px; }")
                      .arg(Theme::css(Theme::backgroundSecondary())));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    const QString category = bill->category().value_or(QStringLiteral("Other"));
    row->addWidget(FinanceForm::iconTile(categoryIcon(category), AppTheme::Colors::rose(),
                                         Theme::withOpacity(AppTheme::Colors::rose(), 0.15), 36, 15, 18));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    QFont nameFont = Theme::font(14, QFont::Medium);
    nameFont.setStrikeOut(isPaid);
    auto* name = FinanceForm::elidedLabel(bill->name().value_or(QStringLiteral("Untitled Bill")), nameFont,
                                          isPaid ? Theme::textMuted() : Theme::textPrimary());
    name->setObjectName(QStringLiteral("billName"));
    texts->addWidget(name);
    auto* detail = new QHBoxLayout;
    detail->setSpacing(6);
    const QFont detailFont = Theme::font(11, QFont::Medium);
    auto addText = [&](const QString& text, const QFont& font, const QColor& color,
                       const QString& objectName = {}) {
        auto* label = ScreenStyle::label(text, font, color);
        label->setObjectName(objectName);
        detail->addWidget(label);
    };
    addText(category, detailFont, Theme::textMuted(), QStringLiteral("billCategory"));
    addText(QStringLiteral("·"), QFont(), Theme::textMuted());
    addText(QStringLiteral("Due %1 of every month").arg(ordinal(bill->dueDay())), detailFont,
            Theme::textMuted(), QStringLiteral("billDue"));
    bool namesCard = false;
    const QString payment = paymentPart(*bill, creditCards, &namesCard);
    if (!payment.isEmpty()) {
        addText(QStringLiteral("·"), QFont(), Theme::textMuted());
        addText(payment, detailFont, namesCard ? AppTheme::Colors::purple() : Theme::textMuted(),
                QStringLiteral("billPayment"));
    }
    detail->addStretch(1);
    texts->addLayout(detail);
    row->addLayout(texts, 1);

    auto* amount =
        ScreenStyle::label(MoneyFormatter::format(bill->amount(), 0), Theme::font(14, QFont::Medium),
                           isPaid ? Theme::textMuted() : Theme::textPrimary());
    amount->setObjectName(QStringLiteral("billAmount"));
    row->addWidget(amount);

    const QColor toggleColor = isPaid ? AppTheme::Colors::green() : Theme::textSecondary();
    auto* toggle = new QPushButton(isPaid ? tr("Paid") : tr("Mark Paid"));
    toggle->setObjectName(QStringLiteral("paidToggle"));
    toggle->setFont(Theme::font(11, QFont::Medium));
    toggle->setAutoDefault(false);
    toggle->setCursor(Qt::PointingHandCursor);
    ScreenStyle::setSymbol(
        toggle, isPaid ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"), toggleColor, 13);
    toggle->setStyleSheet(
        QStringLiteral(
            "QPushButton { color: %1; background: %2; border: none; border-radius: 11px; padding: 4px 8px; }")
            .arg(Theme::css(toggleColor),
                 Theme::css(isPaid ? Theme::withOpacity(AppTheme::Colors::green(), 0.15)
                                   : Theme::backgroundTertiary())));
    connect(toggle, &QPushButton::clicked, this, [onTogglePaid] { onTogglePaid(); });
    row->addWidget(toggle);

    deleteButton_ = FinanceForm::iconButton(QStringLiteral("deleteBillButton"), QStringLiteral("trash"),
                                            AppTheme::Colors::rose(), 12, tr("Delete bill"));
    // Kept in the layout while hidden, so the row does not shift under the pointer.
    QSizePolicy keep = deleteButton_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    deleteButton_->setSizePolicy(keep);
    deleteButton_->setVisible(false);
    connect(deleteButton_, &QPushButton::clicked, this, [onDelete] { onDelete(); });
    row->addWidget(deleteButton_);
}

void BillRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    hovered_ = true;
    deleteButton_->setVisible(true);
}

void BillRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hovered_ = false;
    deleteButton_->setVisible(false);
}
