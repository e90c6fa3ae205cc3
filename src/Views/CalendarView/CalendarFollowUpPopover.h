#pragma once

#include <QDateTime>
#include <QWidget>

class DatePickerField;

// Picks the day of a task's follow-up on a month calendar that starts tomorrow. The row owns
// the picked day and hands it in; Confirm and Cancel go back to the row.
class CalendarFollowUpPopover : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 300;

    explicit CalendarFollowUpPopover(const QDateTime& followUpDate, QWidget* parent = nullptr);

    QDateTime followUpDate() const;
    DatePickerField* picker() const { return picker_; }

signals:
    void dateChanged(const QDateTime& date);
    void confirmRequested();
    void cancelRequested();

private:
    DatePickerField* picker_;
};
