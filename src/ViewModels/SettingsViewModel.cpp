#include "ViewModels/SettingsViewModel.h"

#include "Models/MockData/MockDataSeeder.h"
#include "Platform/TextHelpers.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/AppStartup.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "ViewModels/MarkdownExport.h"
#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/Notifications/NotificationTimeStorage.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cstdio>

namespace {

const QString kUserName = QStringLiteral("userName");
const QString kEnable = QStringLiteral("enableNotifications");
const QString kReminderHour = QStringLiteral("dailyReminderTime");
const QString kAlertCount = QStringLiteral("deadlineNotifCount");
const QString kCurrency = QStringLiteral("financeCurrencyCode");
const QString kFinanceAuth = FinanceAuthViewModel::enabledKey();

UserDefaults& defaults() {
    return UserDefaults::standard();
}

} // namespace

SettingsViewModel::SettingsViewModel(ObjectContext* context, NotificationScheduler* scheduler,
                                     QObject* parent)
    : QObject(parent), context_(context), scheduler_(scheduler),
      alertTimes_(NotificationTimeStorage::load(alertCount())) {}

const QList<SettingsViewModel::Currency>& SettingsViewModel::currencies() {
    static const QList<Currency> table{
        {QStringLiteral("INR"), QStringLiteral("₹ INR — Indian Rupee")},
        {QStringLiteral("USD"), QStringLiteral("$ USD — US Dollar")},
        {QStringLiteral("EUR"), QStringLiteral("€ EUR — Euro")},
        {QStringLiteral("GBP"), QStringLiteral("£ GBP — British Pound")},
        {QStringLiteral("AED"), QStringLiteral("د.إ AED — UAE Dirham")},
        {QStringLiteral("SGD"), QStringLiteral("S$ SGD — Singapore Dollar")},
        {QStringLiteral("JPY"), QStringLiteral("¥ JPY — Japanese Yen")},
        {QStringLiteral("CAD"), QStringLiteral("C$ CAD — Canadian Dollar")},
        {QStringLiteral("AUD"), QStringLiteral("A$ AUD — Australian Dollar")},
    };
    return table;
}

QString SettingsViewModel::userName() const {
    return defaults().text(kUserName);
}

void SettingsViewModel::setUserName(const QString& typed) {
    const QString name = Text::oneLine(typed);
    if (defaults().optionalText(kUserName) == name)
        return;
    defaults().setText(kUserName, name);
    emit changed();
}

QString SettingsViewModel::avatarInitial(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("T");
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    const qsizetype end = graphemes.toNextBoundary();
    return name.left(end > 0 ? end : 1).toUpper();
}

bool SettingsViewModel::notificationsEnabled() const {
    return AppStartup::notificationsEnabled();
}

void SettingsViewModel::setNotificationsEnabled(bool enabled) {
    if (defaults().optionalFlag(kEnable) == enabled)
        return;
    defaults().setFlag(kEnable, enabled);
    if (scheduler_) {
        if (enabled)
            scheduler_->reschedule(alertTimes_, context_);
        else
            scheduler_->removeDeadlineNotifications();
    }
    emit changed();
}

int SettingsViewModel::dailyReminderHour() const {
    return int(
        std::clamp<qint64>(defaults().integer(kReminderHour, 9), kFirstReminderHour, kLastReminderHour));
}

void SettingsViewModel::setDailyReminderHour(int hour) {
    hour = std::clamp(hour, kFirstReminderHour, kLastReminderHour);
    if (defaults().optionalInteger(kReminderHour) == hour)
        return;
    defaults().setInteger(kReminderHour, hour);
    emit changed();
}

int SettingsViewModel::alertCount() const {
    return std::clamp(AppStartup::deadlineNotificationCount(), kMinAlerts, kMaxAlerts);
}

void SettingsViewModel::setAlertCount(int count) {
    count = std::clamp(count, kMinAlerts, kMaxAlerts);
    if (defaults().optionalInteger(kAlertCount) == count)
        return;
    defaults().setInteger(kAlertCount, count);
    alertTimes_ = NotificationTimeStorage::load(count);
    NotificationTimeStorage::save(alertTimes_);
    reschedule();
    emit changed();
}

void SettingsViewModel::setAlertTime(int index, const QTime& time) {
    if (index < 0 || index >= alertTimes_.size() || alertTimes_[index].time() == time)
        return;
    alertTimes_[index].setTime(time);
    NotificationTimeStorage::save(alertTimes_);
    reschedule();
    emit changed();
}

void SettingsViewModel::reschedule() {
    if (scheduler_ && notificationsEnabled())
        scheduler_->reschedule(alertTimes_, context_);
}

QString SettingsViewModel::currencyCode() const {
    return defaults().text(kCurrency, QStringLiteral("INR"));
}

void SettingsViewModel::setCurrencyCode(const QString& code) {
    if (defaults().optionalText(kCurrency) == code)
        return;
    defaults().setText(kCurrency, code);
    emit changed();
}

bool SettingsViewModel::financeAuthEnabled() const {
    return defaults().flag(kFinanceAuth, false);
}

void SettingsViewModel::enableFinanceAuth() {
    if (defaults().optionalFlag(kFinanceAuth) == true)
        return;
    defaults().setFlag(kFinanceAuth, true);
    emit changed();
}

FinanceAuthViewModel* SettingsViewModel::financeLockOffCheck(QObject* owner) {
    auto* check = new FinanceAuthViewModel(nullptr, owner);
    connect(check, &FinanceAuthViewModel::answered, this, [this, check] {
        if (!check->isUnlocked() || !financeAuthEnabled())
            return;
        defaults().setFlag(kFinanceAuth, false);
        emit changed();
    });
    return check;
}

bool SettingsViewModel::exportData() {
    QString error;
    if (MarkdownExport::write(*context_, nullptr, &error))
        return true;
    std::fprintf(stderr, "export: %s\n", error.toLocal8Bit().constData());
    std::fflush(stderr);
    return false;
}

void SettingsViewModel::reloadSampleData() {
    MockDataSeeder::seedIfNeeded(context_);
}

bool SettingsViewModel::resetAllData() {
    // The deletion runs in the store directly, in one transaction: every entity goes or none
    // does. It drops every loaded record of those entities, so the lists empty at once and no
    // later save can bring a deleted record back.
    ActionGuard action(*context_);
    QString error;
    if (!context_->batchDelete(QStringList{QStringLiteral("Goal"), QStringLiteral("Milestone"),
                                           QStringLiteral("Step"), QStringLiteral("DailyLog")},
                               &error)) {
        std::printf("CoreData save error: %s\n", error.toLocal8Bit().constData());
        std::fflush(stdout);
        SaveFailures::shared().report(error);
        return false;
    }
    return action.commit();
}
