#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class FinanceAuthViewModel;
class NotificationScheduler;
class ObjectContext;

// The settings screen's state, read from and written to the user defaults. A value that was
// never set shows its default and is not written until the user changes it. Changes to the
// reminders take effect at once through the scheduler; the data actions go through the store.
class SettingsViewModel : public QObject {
    Q_OBJECT
public:
    SettingsViewModel(ObjectContext* context, NotificationScheduler* scheduler, QObject* parent = nullptr);

    struct Currency {
        QString code;
        QString label;
    };
    static const QList<Currency>& currencies();
    static constexpr int kMinAlerts = 1;
    static constexpr int kMaxAlerts = 6;
    static constexpr int kFirstReminderHour = 6;
    static constexpr int kLastReminderHour = 22;

    QString userName() const;
    void setUserName(const QString& name);
    // The first user-perceived character of the name, upper-cased; "T" for an empty name.
    static QString avatarInitial(const QString& name);

    bool notificationsEnabled() const;
    // Off removes the pending deadline reminders; on schedules them at the stored times.
    void setNotificationsEnabled(bool enabled);
    int dailyReminderHour() const;
    void setDailyReminderHour(int hour);

    int alertCount() const;
    // Stores the count (1 to 6) and exactly that many times, padding with the default times.
    void setAlertCount(int count);
    const QList<QDateTime>& alertTimes() const { return alertTimes_; }
    void setAlertTime(int index, const QTime& time);

    QString currencyCode() const;
    void setCurrencyCode(const QString& code);
    bool financeAuthEnabled() const;
    // Turning the finance lock on takes effect at once.
    void enableFinanceAuth();
    // Turning it off asks for the owner's password first, through the same check as the lock
    // screen: a new check owned by `owner` that turns the lock off once a password passes it.
    // A failed check, or one abandoned with its owner, leaves the lock on.
    FinanceAuthViewModel* financeLockOffCheck(QObject* owner);

    // Writes the Markdown export; false (with the reason printed) when it could not be written.
    bool exportData();
    // Adds the sample goals to a store that has none.
    void reloadSampleData();
    // Deletes every goal, milestone, step and journal entry; achievements, calendar, links,
    // finance records and settings stay. All of them go or none does: false when the store
    // refused (the alert says so).
    bool resetAllData();

signals:
    void changed();

private:
    void reschedule();

    ObjectContext* context_;
    NotificationScheduler* scheduler_;
    QList<QDateTime> alertTimes_;
};
