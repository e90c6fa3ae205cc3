#pragma once

#include <QColor>
#include <QWidget>

class ElidedLabel;
class SymbolIcon;

// One headline figure of the finance overview: symbol, amount, label and an optional note on a
// tinted card. The amount shrinks to 0.7 of its size before it is cut to its room.
class OverviewHeroCard : public QWidget {
    Q_OBJECT
public:
    OverviewHeroCard(const QString& label, const QString& symbol, const QString& note,
                     QWidget* parent = nullptr);

    // note: what the value's tooltip says while it shows whole (why a figure reads as a dash).
    void setValue(const QString& text, const QColor& tint, const QString& note = QString());
    QString valueText() const { return value_; }
    QColor tint() const { return tint_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitValue();

    QString value_;
    QString note_;
    QColor tint_;
    SymbolIcon* icon_;
    ElidedLabel* valueLabel_;
};
