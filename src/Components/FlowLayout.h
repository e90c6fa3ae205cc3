#pragma once

#include <QLayout>
#include <QList>

// Items left to right at their preferred sizes, wrapping to a new line like words when the
// next one would pass the right edge; one spacing between items and between lines. The first
// item of a line never wraps, so an item wider than the whole width gets a line of its own.
class FlowLayout : public QLayout {
    Q_OBJECT
public:
    explicit FlowLayout(double spacing = 8, QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return int(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    // The height the items need at an available width, and where each one goes.
    double measure(double width, QList<QRectF>* placements = nullptr) const;

private:
    QList<QLayoutItem*> items_;
    double spacing_;
};
