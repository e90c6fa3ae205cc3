#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <vector>

class AppViewModel;
class Goal;
struct GoalFace;
class PagedFetch;
class ObjectContext;

// The day's check-in: mood and energy from 1 to 5, the active goals worked on and a note.
// Submitting writes one journal entry per ticked goal, raises each one's streak and ends the
// check-in for the day; skipping only ends it. The choices live here, so a submit whose save
// failed leaves them as they were for another try.
class DailyCheckInViewModel : public QObject {
    Q_OBJECT
public:
    DailyCheckInViewModel(ObjectContext* context, AppViewModel* appViewModel, QObject* parent = nullptr);
    ~DailyCheckInViewModel() override;

    // Active goals, newest created first, following the store while the check-in is open;
    // read a page at a time as the rows in view ask for them.
    int goalCount() const;
    // The goal at index, 0 the newest; null past the end.
    std::shared_ptr<Goal> goalAt(int index);
    // What the row of the goal at index shows; a face with no goal past the end.
    GoalFace rowAt(int index);

    int moodScore() const { return moodScore_; }
    void setMoodScore(int score);
    int energyScore() const { return energyScore_; }
    void setEnergyScore(int score);
    QString notes() const { return notes_; }
    void setNotes(const QString& notes);

    // Ticks are kept by store identity: a ticked goal that leaves the list (archived
    // elsewhere) keeps its tick and still gets its entry, as long as it exists.
    bool isChecked(qint64 goalID) const { return checked_.count(goalID) > 0; }
    void toggle(const std::shared_ptr<Goal>& goal);
    int checkedCount() const { return static_cast<int>(checked_.size()); }

    // The emoji of the mood scores 1 to 5.
    static const QStringList& moodEmoji();
    // What each mood emoji stands for, said where the emoji cannot be seen: "Sad", "Unsure",
    // "Content", "Happy", "Thrilled"; anything else reads "Content".
    static QString moodLabel(int moodScore);
    // "Drained", "Low", "Normal", "High", "Peak"; anything else reads "Normal".
    static QString energyLabel(int energyScore);
    // The mean of mood and energy, the remainder dropped.
    static int productivityScore(int moodScore, int energyScore) { return (moodScore + energyScore) / 2; }

    // Writes the entries and streaks and saves once. On success the check-in is done for
    // the day; on failure nothing was kept, the day stays open and the choices stay.
    bool submit();
    // Ends the check-in for the day without writing anything.
    void skip();

signals:
    void goalsChanged();
    void choicesChanged();

private:
    ObjectContext* context_;
    AppViewModel* appViewModel_;
    PagedFetch* goals_;
    int moodScore_ = 3;
    int energyScore_ = 3;
    QString notes_;
    std::map<qint64, std::shared_ptr<Goal>> checked_;
};
