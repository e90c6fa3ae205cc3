#pragma once

#include <QAbstractButton>

// The sidebar's "New Goal" button: a plus in a faint indigo circle and the label.
class SidebarNewGoalButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit SidebarNewGoalButton(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
