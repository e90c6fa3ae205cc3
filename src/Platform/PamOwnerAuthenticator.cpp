#include "Platform/PamOwnerAuthenticator.h"

#include <QMetaObject>
#include <QPointer>

#include <security/pam_appl.h>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

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

// The one check of the process and the authenticators that want to hear when it ends. Never
// destroyed: a check may end while the process exits.
struct Checks {
    std::mutex mutex;
    quint64 running = 0; // the number of the running check; 0 for none
    quint64 last = 0;
    std::vector<PamOwnerAuthenticator*> listeners;
};

Checks& checks() {
    static auto* shared = new Checks;
    return *shared;
}

// Every authenticator but `except`, so that each can say its state changed (outside the lock:
// a slot may ask isChecking()).
std::vector<QPointer<PamOwnerAuthenticator>> othersThan(const PamOwnerAuthenticator* except) {
    Checks& c = checks();
    const std::lock_guard<std::mutex> lock(c.mutex);
    std::vector<QPointer<PamOwnerAuthenticator>> others;
    for (PamOwnerAuthenticator* a : c.listeners)
        if (a != except)
            others.emplace_back(a);
    return others;
}

} // namespace

PamOwnerAuthenticator::PamOwnerAuthenticator(QString service, QString configDir, QString user,
                                             QObject* parent)
    : OwnerAuthenticator(parent), service_(std::move(service)), configDir_(std::move(configDir)),
      user_(std::move(user)) {
    Checks& c = checks();
    const std::lock_guard<std::mutex> lock(c.mutex);
    c.listeners.push_back(this);
}

// Once out of the list no answer is posted here; one posted before goes with this object.
PamOwnerAuthenticator::~PamOwnerAuthenticator() {
    Checks& c = checks();
    const std::lock_guard<std::mutex> lock(c.mutex);
    c.listeners.erase(std::remove(c.listeners.begin(), c.listeners.end(), this), c.listeners.end());
}

// This object's check counts until its answer has arrived here.
bool PamOwnerAuthenticator::isChecking() const {
    if (ownCheck_)
        return true;
    Checks& c = checks();
    const std::lock_guard<std::mutex> lock(c.mutex);
    return c.running != 0;
}

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
    Checks& c = checks();
    quint64 number = 0;
    {
        const std::lock_guard<std::mutex> lock(c.mutex);
        if (c.running)
            return;
        number = c.running = ++c.last;
    }
    ownCheck_ = number;
    // A thread of its own that nobody joins: not the global pool (the painter hands its fills
    // to that one, kept to a single thread) and no pool that quitting would wait for.
    std::thread([service = service_, configDir = configDir_, user = user_, password, number] {
        bool ok = false;
        const QString message = authenticate(service, configDir, user, password, &ok);
        Checks& c = checks();
        const std::lock_guard<std::mutex> lock(c.mutex);
        c.running = 0;
        for (PamOwnerAuthenticator* a : c.listeners)
            QMetaObject::invokeMethod(
                a, [a, number, ok, message] { a->checkEnded(number, ok, message); }, Qt::QueuedConnection);
    }).detach();
    emit checkingChanged();
    for (const auto& other : othersThan(this))
        if (other)
            emit other->checkingChanged();
}

void PamOwnerAuthenticator::checkEnded(quint64 check, bool ok, const QString& message) {
    emit checkingChanged();
    if (check != ownCheck_)
        return;
    ownCheck_ = 0;
    emit finished(ok, message);
}
