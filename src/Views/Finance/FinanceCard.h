#pragma once

#include <QColor>
#include <QWidget>

// The rounded panel of the finance screens: a fill (the theme's secondary background, or a
// diagonal gradient between two colours) with a 1-pixel edge.
class FinanceCard : public QWidget {
    Q_OBJECT
public:
    explicit FinanceCard(int radius = 18, QWidget* parent = nullptr);

    // From the top leading corner to the bottom trailing one.
    void setGradient(const QColor& from, const QColor& to);
    void setEdge(const QColor& edge);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int radius_;
    QColor fill_;
    QColor gradientTo_;
    QColor edge_;
    bool themeFill_ = true;
};
