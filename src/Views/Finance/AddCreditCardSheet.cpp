#include "Views/Finance/AddCreditCardSheet.h"

#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/Stepper.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddCreditCardSheet::AddCreditCardSheet(AddHandler onAdd, QWidget* parent)
    : FinanceSheet(parent), onAdd_(std::move(onAdd)) {
    setObjectName(QStringLiteral("addCreditCardSheet"));
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addWidget(FinanceForm::header(tr("Add Credit Card"), tr("We'll track when your bills are due"),
                                          [this] { dismiss(); }));

    nameField_ = FinanceForm::field(QStringLiteral("cardNameField"), tr("e.g. HDFC Cashback"));
    KeyboardLayer::keepReturn(nameField_);
    column->addWidget(FinanceForm::group(tr("Card Name"), nameField_));
    closeStepper_ = new Stepper(25, 1, 28);
    closeStepper_->setObjectName(QStringLiteral("statementCloseStepper"));
    closeStepper_->setName(tr("statement close day"));
    column->addWidget(FinanceForm::group(tr("Statement Closes On"), dayBox(closeStepper_)));
    dueStepper_ = new Stepper(15, 1, 28);
    dueStepper_->setObjectName(QStringLiteral("paymentDueStepper"));
    dueStepper_->setName(tr("payment due day"));
    column->addWidget(FinanceForm::group(tr("Payment Due On"), dayBox(dueStepper_)));

    addButton_ = FinanceForm::primaryButton(tr("Add Card"), AppTheme::Colors::sunrise());
    addButton_->setObjectName(QStringLiteral("addCardButton"));
    connect(addButton_, &QPushButton::clicked, this, &AddCreditCardSheet::add);
    column->addWidget(addButton_);
    FinanceForm::fillWithPage(this, page, addButton_);

    connect(nameField_, &QLineEdit::textChanged, this, &AddCreditCardSheet::refresh);
    connect(closeStepper_, &Stepper::valueChanged, this, &AddCreditCardSheet::refresh);
    connect(dueStepper_, &Stepper::valueChanged, this, &AddCreditCardSheet::refresh);
    refresh();
}

SheetHost* AddCreditCardSheet::present(QWidget* over, AddHandler onAdd, std::function<void()> onDismiss) {
    return SheetHost::present(over, new AddCreditCardSheet(std::move(onAdd)), kWidth, std::move(onDismiss));
}

QWidget* AddCreditCardSheet::dayBox(Stepper* stepper) {
    auto* box = new QWidget;
    box->setObjectName(QStringLiteral("dayBox"));
    box->setAttribute(Qt::WA_StyledBackground, true);
    box->setStyleSheet(QStringLiteral("QWidget#dayBox { background: %1; border-radius: 8px; }")
                           .arg(Theme::css(Theme::backgroundTertiary())));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 8, 8, 8);
    row->addWidget(stepper);
    return box;
}

int AddCreditCardSheet::statementCloseDay() const {
    return closeStepper_->value();
}

int AddCreditCardSheet::paymentDueDay() const {
    return dueStepper_->value();
}

bool AddCreditCardSheet::canAdd() const {
    return CommitmentsViewModel::canAddCreditCard(nameField_->text());
}

void AddCreditCardSheet::refresh() {
    closeStepper_->setLabel(tr("Day %1 of each month").arg(statementCloseDay()));
    dueStepper_->setLabel(tr("Day %1 of the following month").arg(paymentDueDay()));
    FinanceForm::setPrimaryEnabled(addButton_, AppTheme::Colors::sunrise(), canAdd());
}

void AddCreditCardSheet::add() {
    const QString name = Text::trimmed(nameField_->text());
    if (name.isEmpty())
        return;
    if (onAdd_ && !onAdd_(name, statementCloseDay(), paymentDueDay()))
        return;
    dismiss();
}
