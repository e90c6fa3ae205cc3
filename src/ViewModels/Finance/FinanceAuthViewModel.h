#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

#include "Platform/OwnerAuthenticator.h"

// The finance lock's state: locked until one check of the owner's password succeeds. It lives
// as long as its finance screen; a new visit to the section starts locked again.
class FinanceAuthViewModel : public QObject {
    Q_OBJECT
public:
    // Without an authenticator the application's own (PAM) is used.
    explicit FinanceAuthViewModel(std::unique_ptr<OwnerAuthenticator> authenticator = nullptr,
                                  QObject* parent = nullptr);
    ~FinanceAuthViewModel() override;

    bool isUnlocked() const { return unlocked_; }
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

private:
    void onFinished(bool success, const QString& message);

    std::unique_ptr<OwnerAuthenticator> authenticator_;
    bool unlocked_ = false;
    std::optional<QString> errorMessage_;
};
