#pragma once

#include <QWidget>

// The empty timeline's icon: a faint violet disc with a trophy painted in a violet-to-indigo
// gradient, glowing softly in violet.
class TrophyBadge : public QWidget {
    Q_OBJECT
public:
    explicit TrophyBadge(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {100, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
