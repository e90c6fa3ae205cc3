#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// One line of plain text drawn in a font and colour, optionally struck through, cut at the
// tail to its width with the whole text as its tooltip. It gives up width before its
// neighbours do, so a long title never widens a row.
class CalendarTextLine : public QWidget {
    Q_OBJECT
public:
    CalendarTextLine(const QFont& font, const QColor& color, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setColor(const QColor& color);
    QColor color() const { return color_; }
    void setStruckOut(bool struck);
    bool isStruckOut() const { return font_.strikeOut(); }
    // Whether the text is cut at its current width.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString line() const;
    void updateTooltip();

    QString text_;
    QFont font_;
    QColor color_;
};
