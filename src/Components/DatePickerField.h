#pragma once

#include <QDateTime>
#include <QWidget>

class QCalendarWidget;
class QDateTimeEdit;
class QToolButton;

// Picks a moment. The date styles change only the day and keep the time of day; the time
// style changes only the hour and minute and keeps the day.
class DatePickerField : public QWidget {
    Q_OBJECT
public:
    enum class Style {
        Compact,   // a field with a pop-up calendar, date only
        Graphical, // a month calendar shown in place, date only
        Time,      // hour and minute
    };

    explicit DatePickerField(const QDateTime& value, Style style = Style::Compact, QWidget* parent = nullptr,
                             double fontSize = 13);

    QDateTime dateTime() const { return value_; }
    void setDateTime(const QDateTime& value);
    // Days before minimum (or after maximum) cannot be picked; an invalid date lifts the bound.
    void setMinimumDate(const QDate& minimum);
    void setMaximumDate(const QDate& maximum);
    Style style() const { return style_; }
    // Opens the pop-up calendar of the compact style (the calendar button and a click on the
    // date do the same) and returns it.
    QCalendarWidget* openCalendar();

signals:
    void dateTimeChanged(const QDateTime& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* buildCalendarButton(double fontSize);
    void pickDate(const QDate& date);
    void pickTime(const QTime& time);
    void syncEditors();

    QDateTime value_;
    Style style_;
    QDateTimeEdit* edit_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    QToolButton* calendarButton_ = nullptr;
    QCalendarWidget* popup_ = nullptr;
};
