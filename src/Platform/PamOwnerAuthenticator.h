#pragma once

#include "Platform/OwnerAuthenticator.h"

// The owner check through Linux-PAM: the user running the process authenticates with the
// password given, on a thread of its own, under our own service name. A system without a
// configuration for that name uses its default stack ("other"). Nothing ever waits for that
// thread: a check whose screen has gone runs to its end unheeded, and quitting does not wait
// for it (a PAM stack may take long, or hang). Its answer reaches this object only while it
// exists.
class PamOwnerAuthenticator : public OwnerAuthenticator {
    Q_OBJECT
public:
    static inline const QString defaultService = QStringLiteral("quorvale");

    // configDir: a folder of PAM service files to use instead of the system's (tests); empty
    // for the system's own configuration. user: empty for the user running the process.
    explicit PamOwnerAuthenticator(QString service = defaultService, QString configDir = {},
                                   QString user = {}, QObject* parent = nullptr);
    ~PamOwnerAuthenticator() override;

    void check(const QString& password) override;
    bool isChecking() const override;

    // The blocking check itself, as the worker runs it. Returns an empty text on success,
    // else PAM's description of the failure.
    static QString authenticate(const QString& service, const QString& configDir, const QString& user,
                                const QString& password, bool* ok);
    // The login name of the user running the process.
    static QString currentUserName();

private:
    // On the owning thread, once the check numbered `check` has ended.
    void checkEnded(quint64 check, bool ok, const QString& message);

    QString service_;
    QString configDir_;
    QString user_;
    quint64 ownCheck_ = 0; // the number of this object's running check; 0 for none
};
