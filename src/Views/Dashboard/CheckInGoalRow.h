#pragma once

#include "ViewModels/GoalRowText.h"

#include <QAbstractButton>

// One active goal in the check-in: the tick, a dot of the goal's colour and its real title
// (masking does not apply here). A click anywhere on the row toggles the tick. A row made
// before it is given its goal shows only an empty tick.
class CheckInGoalRow : public QAbstractButton {
    Q_OBJECT
public:
    explicit CheckInGoalRow(const GoalFace& face, QWidget* parent = nullptr);

    // The height of every row.
    static int rowHeight();

    qint64 goalID() const { return goalID_; }
    // Shows another goal (the check-in hands rows on while its list scrolls).
    void setText(const GoalFace& face);
    bool isTicked() const { return ticked_; }
    void setTicked(bool ticked);
    QString titleText() const { return title_; }
    QColor goalColor() const { return color_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString shownTitle() const;

    qint64 goalID_ = 0;
    QString title_;
    QColor color_;
    bool ticked_ = false;
};
