#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

#include "Platform/OwnerAuthenticator.h"

// The finance lock's state: while the lock is switched on ("financeAuthEnabled"), the section
// stays locked until one check of the owner's password succeeds. It lives as long as its finance
// screen; a new visit to the section starts locked again.
class FinanceAuthViewModel : public QObject {
    Q_OBJECT
public:
    // The user default that switches the lock on.
    static QString enabledKey() { return QStringLiteral("financeAuthEnabled"); }

    // Without an authenticator the application's own (PAM) is used.
    explicit FinanceAuthViewModel(std::unique_ptr<OwnerAuthenticator> authenticator = nullptr,
                                  QObject* parent = nullptr);
    ~FinanceAuthViewModel() override;

    bool isUnlocked() const { return unlocked_; }
    // Whether the section is hidden behind the lock: the lock is on and no answer has let the
    // owner in yet. Only a successful answer does; a failure, or an error of the service, never.
    bool isLocked() const;
    const std::optional<QString>& errorMessage() const { return errorMessage_; }
    // A check runs: this model's, or one left running by a screen that has gone (only one
    // runs at a time, and none is queued behind it).
    bool isAuthenticating() const;

    // Starts one check of the typed password. An empty password does nothing (it could only
    // fail, and would be logged as a failed login), and so does a second call while a check
    // runs. The message of an earlier failure stays until the new answer arrives.
    void authenticate(const QString& password);

signals:
    void stateChanged();
    // An answer arrived, whichever it was.
    void answered();
    // isLocked() may have changed: an answer arrived, or the lock was switched on or off.
    void lockChanged();

private:
    void onFinished(bool success, const QString& message);

    std::unique_ptr<OwnerAuthenticator> authenticator_;
    bool unlocked_ = false;
    std::optional<QString> errorMessage_;
};
