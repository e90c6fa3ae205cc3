#include "Views/Finance/BillRow.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/FocusWithin.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/Finance/FinanceTones.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BillRow::BillRow(Action onTogglePaid, Action onDelete, QWidget* parent)
    : QWidget(parent), focus_(new FocusWithin(this)) {
    setObjectName(QStringLiteral("billRow"));
    setAttribute(Qt::WA_StyledBackground, true);
    setAttribute(Qt::WA_Hover, true);
    FocusAfter::markRow(this);
    setStyleSheet(QStringLiteral("QWidget#billRow { background: %1; border-radius: 12px; }")
                      .arg(Theme::css(Theme::backgroundSecondary())));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    QWidget* tile = FinanceForm::iconTile(BillsViewModel::categorySymbol(QString()), AppTheme::Colors::rose(),
                                          Theme::withOpacity(AppTheme::Colors::rose(), 0.15), 36, 15, 18);
    icon_ = tile->findChild<SymbolIcon*>();
    row->addWidget(tile);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    name_ = FinanceForm::elidedLabel(Theme::font(14, QFont::Medium), Theme::textPrimary());
    name_->setObjectName(QStringLiteral("billName"));
    texts->addWidget(name_);
    auto* detail = new QHBoxLayout;
    detail->setSpacing(6);
    const QFont detailFont = Theme::font(11, QFont::Medium);
    auto addText = [&](const QFont& font, const QString& objectName, const QString& text = {}) {
        auto* label = ScreenStyle::label(text, font, Theme::textMuted());
        label->setObjectName(objectName);
        detail->addWidget(label);
        return label;
    };
    category_ = addText(detailFont, QStringLiteral("billCategory"));
    addText(QFont(), QString(), QStringLiteral("·"));
    due_ = addText(detailFont, QStringLiteral("billDue"));
    paymentDot_ = addText(QFont(), QString(), QStringLiteral("·"));
    payment_ = addText(detailFont, QStringLiteral("billPayment"));
    detail->addStretch(1);
    texts->addLayout(detail);
    row->addLayout(texts, 1);

    amount_ = FinanceForm::figureLabel(Theme::font(14, QFont::Medium), Theme::textPrimary());
    amount_->setObjectName(QStringLiteral("billAmount"));
    row->addWidget(amount_);

    toggle_ = new QPushButton;
    toggle_->setObjectName(QStringLiteral("paidToggle"));
    toggle_->setFont(Theme::font(11, QFont::Medium));
    toggle_->setAutoDefault(false);
    toggle_->setCursor(Qt::PointingHandCursor);
    connect(toggle_, &QPushButton::clicked, this, [this, onTogglePaid = std::move(onTogglePaid)] {
        if (auto bill = figures_.bill.lock())
            onTogglePaid(bill);
    });
    FocusAfter::markAction(toggle_, FocusAfter::Action::changes);
    row->addWidget(toggle_);

    deleteButton_ = FinanceForm::iconButton(QStringLiteral("deleteBillButton"), QStringLiteral("trash"),
                                            AppTheme::Colors::rose(), 12, tr("Delete bill"));
    // Kept in the layout while hidden, so the row does not shift under the pointer.
    QSizePolicy keep = deleteButton_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    deleteButton_->setSizePolicy(keep);
    deleteButton_->setVisible(false);
    FocusAfter::markAction(deleteButton_, FocusAfter::Action::deletes);
    connect(deleteButton_, &QPushButton::clicked, this, [this, onDelete = std::move(onDelete)] {
        if (auto bill = figures_.bill.lock())
            onDelete(bill);
    });
    row->addWidget(deleteButton_);
    // Tab reaches the delete button right after the paid toggle: it shows while the keyboard is
    // in the row, and hidden it takes no Tab.
    connect(focus_, &FocusWithin::changed, this, &BillRow::showDelete);
}

void BillRow::bind(const Figures& figures) {
    figures_ = figures;
    setProperty("paid", figures.paid);
    icon_->setSymbol(figures.symbol);
    name_->setFullText(figures.name);
    setAccessibleName(figures.name);
    category_->setText(figures.category);
    due_->setText(figures.dueText);
    payment_->setText(figures.paymentText);
    paymentDot_->setVisible(!figures.paymentText.isEmpty());
    payment_->setVisible(!figures.paymentText.isEmpty());
    ScreenStyle::setTextColor(payment_, FinanceTones::color(figures.paymentTone));
    amount_->setFullText(figures.amountText);
    toggle_->setText(figures.paid ? tr("Paid") : tr("Mark Paid"));
    stylePaid(figures.paid);
}

void BillRow::stylePaid(bool paid) {
    // A style sheet is parsed when set: rows scrolled in keep theirs while the state is the same.
    if (styledPaid_ == int(paid))
        return;
    styledPaid_ = int(paid);
    QFont nameFont = Theme::font(14, QFont::Medium);
    nameFont.setStrikeOut(paid);
    name_->setFont(nameFont);
    ScreenStyle::setTextColor(name_, paid ? Theme::textMuted() : Theme::textPrimary());
    ScreenStyle::setTextColor(amount_, paid ? Theme::textMuted() : Theme::textPrimary());
    const QColor toggleColor = paid ? AppTheme::Colors::green() : Theme::textSecondary();
    ScreenStyle::setSymbol(toggle_, paid ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                           toggleColor, 13);
    toggle_->setStyleSheet(
        QStringLiteral(
            "QPushButton { color: %1; background: %2; border: none; border-radius: 11px; padding: 4px 8px; }")
            .arg(Theme::css(toggleColor),
                 Theme::css(paid ? Theme::withOpacity(AppTheme::Colors::green(), 0.15)
                                 : Theme::backgroundTertiary())));
}

void BillRow::setHovered(bool hovered) {
    hovered_ = hovered;
    showDelete();
}

void BillRow::showDelete() {
    deleteButton_->setVisible(hovered_ || focus_->isWithin());
}

void BillRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setHovered(true);
}

void BillRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHovered(false);
}

void BillRow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A row scrolled away is handed to another bill: it comes back without the pointer's delete.
    setHovered(false);
}
