#pragma once

#include "ViewModels/CalendarMilestoneItem.h"
#include "ViewModels/CalendarMilestoneSchedule.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QtGlobal>

#include <memory>
#include <vector>

class ManagedObject;
class ObjectContext;

// Every scheduled milestone of the store as its schedule and the store identifiers of it and its
// goal, goals oldest first and each goal's milestones in their order. The calendar asks it for
// a day's milestones and a month's activity without loading goals or milestones: a heavy
// store schedules thousands of them, and only the milestones a list shows are made into records
// (see items).
//
// One index is kept with each context for as long as it lives, so that a visit to the calendar
// finds it ready. It is read again, whole, on the first ask after goals or milestones were
// saved or rolled back, on every ask while unsaved changes of them wait (from the records
// then), and when the local day or zone moved (a goal without a creation date counts from
// today).
class CalendarMilestoneIndex : public QObject {
    Q_OBJECT
public:
    struct Entry {
        qint64 goalID = 0;
        qint64 milestoneID = 0;
        CalendarMilestoneSchedule schedule;
    };
    // A milestone of the index by its store identifiers.
    struct Ref {
        qint64 goalID = 0;
        qint64 milestoneID = 0;
    };

    // The index kept with the context, made on the first ask.
    static CalendarMilestoneIndex& of(ObjectContext& context);

    // The entries as the store holds them now.
    const std::vector<Entry>& entries();
    // How many times the entries were read; a new number means they may have moved.
    quint64 reads() const { return reads_; }

    // The milestones of these references with their goals, one item per reference in its
    // order; an item whose record is gone (or moved to another goal) has neither.
    static std::vector<CalendarMilestoneItem> items(ObjectContext& context, const std::vector<Ref>& refs);

private:
    explicit CalendarMilestoneIndex(ObjectContext& context);
    bool stale() const;
    void commitComing(const std::vector<std::shared_ptr<ManagedObject>>& objects, bool everything);
    void readStore();
    void readRecords();

    ObjectContext& context_;
    std::vector<Entry> entries_;
    quint64 reads_ = 0;
    bool dirty_ = true;
    bool fromRecords_ = false;
    bool anchoredToday_ = false; // some goal has no creation date
    QDate readOn_;
    QByteArray zoneId_;
};
