#pragma once

#include <QColor>
#include <QWidget>

// A horizontal slice of a rounded card of the money screens, for cards whose rows are listed
// one by one (a long list makes only the rows in view): each slice paints the card's fill and
// side edges, the first one its rounded top and the last one its rounded bottom, so the slices
// stacked read as one card. A slice may keep a clear band above the card (the gap to the card
// before).
class CardSlice : public QWidget {
    Q_OBJECT
public:
    CardSlice(int radius, const QColor& edge, QWidget* parent = nullptr);

    // Which rounded ends of the card this slice holds.
    void setEnds(bool top, bool bottom);
    // The clear band above the card.
    void setGap(int gap);
    int gap() const { return gap_; }
    // Puts content in the slice's layout in place of the content set before, which is deleted
    // later (the press that led here may still be running inside it); null leaves it empty.
    void setBody(QWidget* body);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int radius_;
    QColor edge_;
    bool top_ = true;
    bool bottom_ = true;
    int gap_ = 0;
    QWidget* body_ = nullptr;
};
