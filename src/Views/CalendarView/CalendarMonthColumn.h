#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class CalendarDayCell;
class CalendarViewModel;
class QLabel;

// The calendar column of the page: the month title between its arrows, the weekday header
// starting at the locale's first weekday, and the grid of days after the blank cells. The
// day marks are the model's, computed once per month; drawing a cell queries nothing.
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CalendarViewModel* viewModel_;
    QLabel* title_ = nullptr;
    std::vector<QLabel*> weekdays_;
    std::vector<CalendarDayCell*> cells_; // 42 places of six weeks
    int leading_ = 0;
    int days_ = 0;
};
