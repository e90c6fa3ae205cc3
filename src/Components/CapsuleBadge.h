#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A capsule of an optional symbol (system size 8, bold) and a label (theme font 10) in one
// tone, on the tone at a fill opacity, outlined at a stroke opacity. The priority and
// momentum badges and the category tag are its three uses.
class CapsuleBadge : public QWidget {
    Q_OBJECT
public:
    CapsuleBadge(const QString& symbol, const QString& text, const QColor& tone, double fillOpacity,
                 double strokeOpacity, QWidget* parent = nullptr);

    QString symbol() const { return symbol_; }
    QString text() const { return text_; }
    QColor tone() const { return tone_; }
    double fillOpacity() const { return fillOpacity_; }
    double strokeOpacity() const { return strokeOpacity_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void setContent(const QString& symbol, const QString& text, const QColor& tone, double fillOpacity,
                    double strokeOpacity);
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    QString text_;
    QColor tone_;
    double fillOpacity_;
    double strokeOpacity_;
};
