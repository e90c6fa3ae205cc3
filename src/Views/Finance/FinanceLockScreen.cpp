#include "Views/Finance/FinanceLockScreen.h"

#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/ThemedTextField.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

FinanceLockScreen::FinanceLockScreen(FinanceAuthViewModel* authViewModel, QWidget* parent)
    : QWidget(parent), authViewModel_(authViewModel) {
    setObjectName(QStringLiteral("financeLockScreen"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(24);
    column->addStretch(1);

    auto* shield = new SymbolIcon(QStringLiteral("lock.shield.fill"), 56, AppTheme::Colors::purple(), this);
    column->addWidget(shield, 0, Qt::AlignHCenter);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(8);
    auto* title =
        ScreenStyle::label(tr("Finance is Locked"), Theme::font(22, QFont::DemiBold), Theme::textPrimary());
    title->setAlignment(Qt::AlignCenter);
    titles->addWidget(title);
    auto* subtitle = ScreenStyle::label(tr("Authenticate to view your financial data"), Theme::font(14),
                                        Theme::textSecondary());
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setWordWrap(true);
    titles->addWidget(subtitle);
    column->addLayout(titles);

    error_ = ScreenStyle::label(QString(), Theme::font(12), AppTheme::Colors::rose());
    error_->setObjectName(QStringLiteral("lockError"));
    error_->setAlignment(Qt::AlignCenter);
    error_->setWordWrap(true);
    error_->hide();
    column->addWidget(error_);

    password_ = new ThemedTextField(tr("Password"));
    password_->setObjectName(QStringLiteral("lockPasswordField"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setAccessibleName(tr("Password"));
    password_->setFixedWidth(260);
    connect(password_, &QLineEdit::returnPressed, this, &FinanceLockScreen::attempt);
    column->addWidget(password_, 0, Qt::AlignHCenter);

    button_ = ScreenStyle::filledButton(tr("Authenticate"), Theme::font(14, QFont::Medium),
                                        Theme::css(AppTheme::Colors::purple()), 20, 10, 12);
    button_->setObjectName(QStringLiteral("authenticateButton"));
    ScreenStyle::setSymbol(button_, QStringLiteral("key"), Qt::white, 14);
    connect(button_, &QPushButton::clicked, this, &FinanceLockScreen::attempt);
    column->addWidget(button_, 0, Qt::AlignHCenter);
    column->addStretch(1);

    connect(authViewModel_, &FinanceAuthViewModel::stateChanged, this, &FinanceLockScreen::sync);
    connect(authViewModel_, &FinanceAuthViewModel::answered, password_, &QLineEdit::clear);
    sync();
    // It covers the section beside the sidebar: Tab stays on its own controls while the focus
    // is here, and Escape goes back to the control that led to it.
    KeyboardLayer::install(this, KeyboardLayer::Kind::pane);
}

void FinanceLockScreen::focusPassword() {
    password_->setFocus(Qt::OtherFocusReason);
}

void FinanceLockScreen::attempt() {
    authViewModel_->authenticate(password_->text());
}

void FinanceLockScreen::sync() {
    showCheck(*authViewModel_, error_, button_, password_, tr("Authenticate"));
}

void FinanceLockScreen::showCheck(const FinanceAuthViewModel& check, QLabel* error, QAbstractButton* button,
                                  QLineEdit* field, const QString& buttonText) {
    const auto& message = check.errorMessage();
    error->setText(message.value_or(QString()));
    error->setVisible(message.has_value());
    const bool busy = check.isAuthenticating();
    button->setEnabled(!busy);
    button->setText(busy ? tr("Checking…") : buttonText);
    button->updateGeometry();
    field->setReadOnly(busy);
}

void FinanceLockScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Theme::backgroundPrimary());
}
