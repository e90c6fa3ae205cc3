#include "Platform/PamOwnerAuthenticator.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

#include <security/pam_appl.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

struct Conversation {
    QByteArray password;
};

// Answers PAM's prompts: the password for a hidden prompt, nothing for a visible one (the
// user is already named), and acknowledges messages.
int converse(int count, const struct pam_message** messages, struct pam_response** responses, void* data) {
    if (count <= 0 || count > PAM_MAX_NUM_MSG)
        return PAM_CONV_ERR;
    auto* conversation = static_cast<Conversation*>(data);
    auto* replies = static_cast<pam_response*>(std::calloc(std::size_t(count), sizeof(pam_response)));
    if (!replies)
        return PAM_BUF_ERR;
    for (int i = 0; i < count; ++i) {
        switch (messages[i]->msg_style) {
        case PAM_PROMPT_ECHO_OFF:
            replies[i].resp = strdup(conversation->password.constData());
            break;
        case PAM_PROMPT_ECHO_ON:
            replies[i].resp = strdup("");
            break;
        case PAM_ERROR_MSG:
        case PAM_TEXT_INFO:
            break;
        default:
            std::free(replies);
            return PAM_CONV_ERR;
        }
    }
    *responses = replies;
    return PAM_SUCCESS;
}

// The checks' own pool, one check after another (PAM transactions are serial anyway). The
// application object owns it and, when it goes, waits for a check still running.
QThreadPool& checkPool() {
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(1);
    }
    return *pool;
}

} // namespace

PamOwnerAuthenticator::PamOwnerAuthenticator(QString service, QString configDir, QString user,
                                             QObject* parent)
    : OwnerAuthenticator(parent), service_(std::move(service)), configDir_(std::move(configDir)),
      user_(std::move(user)), alive_(std::make_shared<int>(0)) {}

PamOwnerAuthenticator::~PamOwnerAuthenticator() = default;

QString PamOwnerAuthenticator::currentUserName() {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString PamOwnerAuthenticator::authenticate(const QString& service, const QString& configDir,
                                            const QString& user, const QString& password, bool* ok) {
    // One transaction at a time in the process: the library keeps state that concurrent
    // transactions do not share cleanly.
    static std::mutex serial;
    const std::lock_guard<std::mutex> lock(serial);
    *ok = false;
    Conversation conversation{password.toUtf8()};
    const pam_conv conv{&converse, &conversation};
    pam_handle_t* handle = nullptr;
    const QByteArray serviceName = service.toUtf8();
    const QByteArray userName = (user.isEmpty() ? currentUserName() : user).toLocal8Bit();
    const QByteArray folder = configDir.toLocal8Bit();
    int status = configDir.isEmpty()
                     ? pam_start(serviceName.constData(), userName.constData(), &conv, &handle)
                     : pam_start_confdir(serviceName.constData(), userName.constData(), &conv,
                                         folder.constData(), &handle);
    if (status != PAM_SUCCESS) {
        const QString message = QString::fromLocal8Bit(pam_strerror(handle, status));
        if (handle)
            pam_end(handle, status);
        return message;
    }
    status = pam_authenticate(handle, 0);
    const QString message =
        status == PAM_SUCCESS ? QString() : QString::fromLocal8Bit(pam_strerror(handle, status));
    pam_end(handle, status);
    // The copy of the password is not needed any more; wipe it before the memory is reused.
    std::memset(conversation.password.data(), 0, std::size_t(conversation.password.size()));
    *ok = status == PAM_SUCCESS;
    return message;
}

void PamOwnerAuthenticator::check(const QString& password) {
    if (checking_)
        return;
    checking_ = true;
    std::weak_ptr<int> alive = alive_;
    auto* self = this;
    // The answer is posted to the application object, which outlives every screen, and runs
    // on the main thread; there it reaches this object only if it still exists.
    // A pooled worker: the application waits for it on exit, so a check never outlives PAM's
    // clean-up. Not the global pool: the painter hands its fills to that one (kept to a single
    // thread), and a slow PAM answer must not hold up painting.
    checkPool().start([service = service_, configDir = configDir_, user = user_, password, alive, self] {
        bool ok = false;
        const QString message = authenticate(service, configDir, user, password, &ok);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [alive, self, ok, message] {
                if (alive.expired())
                    return;
                self->checking_ = false;
                emit self->finished(ok, message);
            },
            Qt::QueuedConnection);
    });
}
