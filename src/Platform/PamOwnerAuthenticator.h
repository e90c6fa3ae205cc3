#pragma once

#include "Platform/OwnerAuthenticator.h"

#include <memory>

// The owner check through Linux-PAM: the user running the process authenticates with the
// password given, on a worker thread, under our own service name. A system without a
// configuration for that name uses its default stack ("other"). The answer is handed back to
// the owning thread; when this object is gone by then, the answer is dropped.
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
    bool isChecking() const override { return checking_; }

    // The blocking check itself, as the worker runs it. Returns an empty text on success,
    // else PAM's description of the failure.
    static QString authenticate(const QString& service, const QString& configDir, const QString& user,
                                const QString& password, bool* ok);
    // The login name of the user running the process.
    static QString currentUserName();

private:
    QString service_;
    QString configDir_;
    QString user_;
    bool checking_ = false;
    // Lives and dies on the owning thread; the worker's answer only runs while it lives.
    std::shared_ptr<int> alive_;
};
