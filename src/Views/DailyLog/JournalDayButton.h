#pragma once

#include <QAbstractButton>
#include <QDateTime>

// One day of the journal's 30-day strip: the weekday over the day and month, a green dot when
// the day has entries, and a purple tint while it is the selected day.
class JournalDayButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit JournalDayButton(QWidget* parent = nullptr);

    void setDay(const QDateTime& day, bool selected, bool hasEntries);
    QDateTime day() const { return day_; }
    bool isSelectedDay() const { return selected_; }
    bool hasEntries() const { return hasEntries_; }

    // "SAT" and "7 Mar" in the user's locale.
    QString weekdayText() const;
    QString dateText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QDateTime day_;
    bool selected_ = false;
    bool hasEntries_ = false;
};
