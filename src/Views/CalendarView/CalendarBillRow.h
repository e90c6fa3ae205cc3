#pragma once

#include <QWidget>

class Bill;

// One bill due on the chosen day: its name and category and its amount in the user's
// currency, on a faint rose card.
class CalendarBillRow : public QWidget {
    Q_OBJECT
public:
    explicit CalendarBillRow(const Bill& bill, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
