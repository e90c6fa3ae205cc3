#pragma once

#include <QDate>
#include <QStringList>
#include <QWidget>

#include <vector>

class CalendarDayCell;
class CalendarViewModel;
class QLabel;

// The calendar column of the page: the month title between its arrows, the weekday header
// starting at the locale's first weekday, and the grid of days after the blank cells. The
// day marks are the model's, computed once per month; drawing a cell queries nothing.
//
// The grid is one Tab stop, on the day last focused (else the selected day, today or the 1st):
// the arrow keys move a day or a week, Home and End to the month's ends, Page Up and Page Down
// a month, turning the month when the day leaves it; Return or Space selects the day.
class CalendarMonthColumn : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 260;

    explicit CalendarMonthColumn(CalendarViewModel* viewModel, QWidget* parent = nullptr);

    // The header texts in shown order, "Sun" first where the week starts on Sunday.
    QStringList weekdayTexts() const;
    // The cells of the shown month's days, in order (blank cells not included).
    std::vector<CalendarDayCell*> dayCells() const;
    int blankCells() const { return leading_; }

    void refresh();

    // The day Tab lands on in the grid.
    CalendarDayCell* tabStop() const;
    // Moves the keyboard focus to a day, turning the month when it lies in another.
    void focusDay(const QDate& day);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool gridHasFocus() const;
    CalendarDayCell* cellOf(const QDate& day) const;
    QDate stopDay() const;
    void placeTabStop(bool keepFocus);

    CalendarViewModel* viewModel_;
    QLabel* title_ = nullptr;
    std::vector<QLabel*> weekdays_;
    std::vector<CalendarDayCell*> cells_; // 42 places of six weeks
    int leading_ = 0;
    int days_ = 0;
    QDate focusDay_;
};
