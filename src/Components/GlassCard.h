#pragma once

#include <QColor>
#include <QWidget>

// A container drawn as a glass card; put content in it through a layout as with any widget.
// It neither clips its content nor casts a shadow (CastShadow gives it one).
class GlassCard : public QWidget {
    Q_OBJECT
public:
    explicit GlassCard(double cornerRadius = 16, double intensity = 1.0, const QColor& accent = Qt::white,
                       QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double cornerRadius_;
    double intensity_;
    QColor accent_;
};
