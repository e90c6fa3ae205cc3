#include "ViewModels/Finance/FinanceAuthViewModel.h"

#include "Platform/OwnerAuthenticator.h"
#include "Platform/UserDefaults.h"

FinanceAuthViewModel::FinanceAuthViewModel(std::unique_ptr<OwnerAuthenticator> authenticator, QObject* parent)
    : QObject(parent), authenticator_(authenticator ? std::move(authenticator) : OwnerAuthenticator::make()) {
    connect(authenticator_.get(), &OwnerAuthenticator::finished, this, &FinanceAuthViewModel::onFinished);
    connect(authenticator_.get(), &OwnerAuthenticator::checkingChanged, this,
            &FinanceAuthViewModel::stateChanged);
    connect(&UserDefaults::standard(), &UserDefaults::changed, this, [this](const QString& key) {
        if (key == enabledKey())
            emit lockChanged();
    });
}

FinanceAuthViewModel::~FinanceAuthViewModel() = default;

bool FinanceAuthViewModel::isLocked() const {
    return UserDefaults::standard().flag(enabledKey()) && !unlocked_;
}

bool FinanceAuthViewModel::isAuthenticating() const {
    return authenticator_->isChecking();
}

void FinanceAuthViewModel::authenticate(const QString& password) {
    if (password.isEmpty() || authenticator_->isChecking())
        return;
    authenticator_->check(password);
    emit stateChanged();
}

void FinanceAuthViewModel::onFinished(bool success, const QString& message) {
    unlocked_ = success;
    if (success)
        errorMessage_.reset();
    else
        errorMessage_ = message.isEmpty() ? std::nullopt : std::optional<QString>(message);
    emit stateChanged();
    emit answered();
    emit lockChanged();
}
