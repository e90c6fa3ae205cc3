#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// Checks that the person at the keyboard is the user running the application, by the user's
// own password. check() returns at once; the answer arrives later as finished() on the thread
// that owns this object. At most one check runs at a time in the whole process: while one
// runs (this object's, or one left behind by a screen that has gone), isChecking() is true and
// check() does nothing; checkingChanged() says when that changes.
class OwnerAuthenticator : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<OwnerAuthenticator>()>;

    explicit OwnerAuthenticator(QObject* parent = nullptr) : QObject(parent) {}

    // The authenticator the application uses (PAM); tests put their own in its place.
    static std::unique_ptr<OwnerAuthenticator> make();
    static void setFactory(Factory factory);

    // Starts one check of password; does nothing while a check runs.
    virtual void check(const QString& password) = 0;
    virtual bool isChecking() const = 0;

signals:
    void checkingChanged();
    // errorMessage is the authentication service's own text; empty on success.
    void finished(bool success, const QString& errorMessage);
};
