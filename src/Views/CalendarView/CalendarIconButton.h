#pragma once

#include <QAbstractButton>
#include <QColor>

// A plain button that is only a symbol in one colour, sized like the system font at a point
// size. Disabled, it is drawn faded. Painted directly: rows hold several of these.
class CalendarIconButton : public QAbstractButton {
    Q_OBJECT
public:
    CalendarIconButton(const QString& symbol, double systemSize, const QColor& color,
                       QWidget* parent = nullptr);

    QString symbol() const { return symbol_; }
    QColor color() const { return color_; }
    void setSymbol(const QString& symbol, const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    QColor color_;
    int side_;
};
