#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

// A ring of sectors, one per slice in order, with two lines of text in its hole. Each sector's
// angle follows its value; sectors of zero or negative size (or not finite) are not drawn.
// With nothing to draw the chart is a plain ring in the theme's tertiary background.
class DonutChart : public QWidget {
    Q_OBJECT
public:
    struct Slice {
        QString label;
        double value = 0;
        QColor color;
    };

    explicit DonutChart(QWidget* parent = nullptr);

    void setSlices(std::vector<Slice> slices);
    const std::vector<Slice>& slices() const { return slices_; }
    // The bold line (shrinks to 70 % before it is cut) and the muted line under it.
    void setCenterText(const QString& title, const QString& subtitle);
    // The slices that are drawn: those with a positive, finite value.
    int drawnSliceCount() const;

    static constexpr double kInnerRatio = 0.55;
    static constexpr double kAngularInset = 2; // points between neighbouring sectors
    static constexpr double kCornerRadius = 4; // of every sector corner
    static constexpr double kEmptyRingWidth = 18;

    QSize sizeHint() const override { return {120, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintSectors(QPainter& painter, const QRectF& square) const;
    void paintCenter(QPainter& painter, const QRectF& square) const;

    std::vector<Slice> slices_;
    QString title_;
    QString subtitle_;
};
