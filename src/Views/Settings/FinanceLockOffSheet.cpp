#include "Views/Settings/FinanceLockOffSheet.h"

#include "Components/AlertButton.h"
#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/ThemedTextField.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "ViewModels/SettingsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceLockScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SheetHost* FinanceLockOffSheet::present(QWidget* over, SettingsViewModel* viewModel) {
    auto* sheet = new FinanceLockOffSheet(viewModel);
    SheetHost* host = SheetHost::present(over, sheet, AlertDialog::kWidth);
    sheet->password_->setFocus(Qt::PopupFocusReason);
    return host;
}

FinanceLockOffSheet::FinanceLockOffSheet(SettingsViewModel* viewModel, QWidget* parent)
    : QWidget(parent), check_(viewModel->financeLockOffCheck(this)) {
    setObjectName(QStringLiteral("financeLockOffSheet"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 18);
    column->setSpacing(8);
    auto* title =
        ScreenStyle::label(tr("Turn Off Finance Lock"), Theme::font(15, QFont::Bold), Theme::textPrimary());
    title->setWordWrap(true);
    column->addWidget(title);
    auto* message =
        ScreenStyle::label(tr("Enter your system password to open Finance without it from now on."),
                           Theme::font(13), Theme::textSecondary());
    message->setWordWrap(true);
    column->addWidget(message);
    column->addSpacing(6);

    password_ = new ThemedTextField(tr("Password"));
    password_->setObjectName(QStringLiteral("lockOffPasswordField"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setAccessibleName(tr("Password"));
    column->addWidget(password_);

    error_ = ScreenStyle::label(QString(), Theme::font(12), AppTheme::Colors::rose());
    error_->setObjectName(QStringLiteral("lockOffError"));
    error_->setWordWrap(true);
    error_->hide();
    column->addWidget(error_);
    column->addSpacing(10);

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addStretch(1);
    auto* cancel = new AlertButton(tr("Cancel"), AlertDialog::Role::Cancel);
    cancel->setObjectName(QStringLiteral("lockOffCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &AlertButton::clicked, this, [this] {
        if (SheetHost* host = SheetHost::of(this))
            host->dismiss();
    });
    row->addWidget(cancel);
    confirm_ = new AlertButton(tr("Turn Off"), AlertDialog::Role::Default);
    confirm_->setObjectName(QStringLiteral("lockOffConfirm"));
    KeyboardLayer::markDefault(confirm_);
    connect(confirm_, &AlertButton::clicked, this, &FinanceLockOffSheet::attempt);
    row->addWidget(confirm_);
    column->addLayout(row);

    connect(check_, &FinanceAuthViewModel::stateChanged, this, &FinanceLockOffSheet::sync);
    connect(check_, &FinanceAuthViewModel::answered, this, &FinanceLockOffSheet::answered);
    sync();
}

void FinanceLockOffSheet::attempt() {
    check_->authenticate(password_->text());
}

void FinanceLockOffSheet::sync() {
    FinanceLockScreen::showCheck(*check_, error_, confirm_, password_, tr("Turn Off"));
}

void FinanceLockOffSheet::answered() {
    password_->clear();
    if (check_->isUnlocked()) {
        if (SheetHost* host = SheetHost::of(this))
            host->dismiss();
        return;
    }
    password_->setFocus(Qt::OtherFocusReason);
}
