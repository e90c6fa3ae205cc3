#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

class QScrollArea;

// A row that scrolls sideways with its scroll bar hidden (chips, theme cards, font cards) would
// end mid-word at its cut with no sign that more follows. This fades the row out at each edge
// that has more beyond it, into the colour behind the row, and goes when the row is scrolled to
// that end (or everything fits). It takes no clicks and no focus.
class SidewaysFade : public QWidget {
    Q_OBJECT
public:
    // Fades the scroll area's edges into the colour backdrop gives at each paint (a theme
    // change needs nothing more); without one, into the sheets' card colour.
    static void attach(QScrollArea* area, std::function<QColor()> backdrop = {});
    // The fade on the area's given edge (Qt::LeftEdge or Qt::RightEdge), for tests.
    static SidewaysFade* at(const QScrollArea* area, Qt::Edge edge);

    static constexpr int kWidth = 32;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SidewaysFade(QScrollArea* area, Qt::Edge edge, std::function<QColor()> backdrop);
    void follow();

    QScrollArea* area_;
    QWidget* viewport_;
    Qt::Edge edge_;
    std::function<QColor()> backdrop_;
};
