#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A symbol drawn in one colour, square, at a given pixel size (see Symbols).
class SymbolIcon : public QWidget {
    Q_OBJECT
public:
    explicit SymbolIcon(const QString& name = {}, int pixelSize = 16, const QColor& color = Qt::white,
                        QWidget* parent = nullptr);

    QString symbol() const { return name_; }
    void setSymbol(const QString& name);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    int pixelSize() const { return pixelSize_; }
    void setPixelSize(int pixelSize);

    QSize sizeHint() const override { return {pixelSize_, pixelSize_}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    int pixelSize_;
    QColor color_;
};
