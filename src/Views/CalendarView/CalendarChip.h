#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

// A capsule of an optional symbol and a text in one colour on a fill, padded 10 by 4 unless
// told otherwise. The calendar's filter, category, repetition and row-action chips are all
// this. A long text (a category name) is elided to maxTextWidth with the full text as tooltip.
class CalendarChip : public QAbstractButton {
    Q_OBJECT
public:
    explicit CalendarChip(const QString& text, const QFont& font, QWidget* parent = nullptr);

    void setColors(const QColor& foreground, const QColor& fill);
    QColor foreground() const { return foreground_; }
    QColor fill() const { return fill_; }
    void setSymbol(const QString& symbol, double systemSize);
    void setPadding(int horizontal, int vertical);
    void setSpacing(int spacing);
    void setMaxTextWidth(int width);
    void setLabel(const QString& text);
    // The help shown on hover (unless the label is cut, which then shows whole).
    void setHelp(const QString& help);
    QString label() const { return text_; }
    // Whether the chip shows the state it reflects as chosen (set by its owner).
    void setSelected(bool selected) { selected_ = selected; }
    bool isSelected() const { return selected_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString shownText() const;

    QString text_;
    QString help_;
    QFont font_;
    QString symbol_;
    int symbolSide_ = 0;
    QColor foreground_ = Qt::white;
    QColor fill_ = Qt::transparent;
    int padH_ = 10;
    int padV_ = 4;
    int spacing_ = 4;
    int maxTextWidth_ = 160;
    bool selected_ = false;
};
