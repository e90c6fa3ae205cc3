#pragma once

#include "ViewModels/CalendarDayMarks.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QPointer>
#include <QVariantAnimation>

// One day of the month grid: its number (white on a purple circle when selected, cyan when
// it is today), a tertiary circle fading in under the pointer, and up to three dots: green
// for the day's milestones (stronger with their number), amber for a day task and rose for a
// bill. Everything shown is handed in; a tap emits clicked().
class CalendarDayCell : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kHeight = 36;

    explicit CalendarDayCell(QWidget* parent = nullptr);

    void setDay(const QDateTime& date, bool isSelected, bool isToday, const CalendarDayMarks& marks);
    QDateTime date() const { return date_; }
    bool isSelectedDay() const { return selected_; }
    bool isToday() const { return today_; }
    const CalendarDayMarks& marks() const { return marks_; }
    bool isHovered() const { return hovered_; }

    // The activity dot's opacity for a level: 0.3 plus 0.7 of the level.
    static double activityOpacity(double intensity) { return intensity * 0.7 + 0.3; }

    QSize sizeHint() const override { return {36, kHeight}; }
    QSize minimumSizeHint() const override { return {10, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);

    QDateTime date_;
    bool selected_ = false;
    bool today_ = false;
    CalendarDayMarks marks_;
    bool hovered_ = false;
    double hoverAmount_ = 0;
    QPointer<QVariantAnimation> hoverAnimation_;
};
