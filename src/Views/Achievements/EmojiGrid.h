#pragma once

#include <QStringList>
#include <QWidget>

class ChoiceGroup;
class QAbstractButton;

// The emoji choices of the add-achievement sheet: 36-pixel cells in columns of 40, the chosen
// one on a violet tint. As many columns as the width allows (at most one row's worth of all
// emoji, ten by default), with the spacing shrunk before a column is dropped, so every emoji
// stays visible in the 480-pixel sheets too.
//
// Each emoji is a button of its own, named in words for a screen reader; the grid is one Tab
// stop moved through with the arrows (Up and Down by a row), Home and End, and Space or Return chooses.
// Escape asks the grid's owner to close it, and goes no further (the sheet around it stays).
class EmojiGrid : public QWidget {
    Q_OBJECT
public:
    // names[i] says emoji[i] in words.
    EmojiGrid(const QStringList& emoji, const QStringList& names, QWidget* parent = nullptr);

    static constexpr int kMaxColumns = 10;
    static constexpr double kColumnWidth = 40;
    static constexpr double kCellSide = 36;
    static constexpr double kColumnSpacing = 8;
    static constexpr double kRowSpacing = 6;
    static constexpr double kPadding = 8;

    QString selected() const { return selected_; }
    void setSelected(const QString& emoji);
    // The cell Tab lands on: the chosen emoji, else the first.
    QWidget* stop() const;
    QList<QAbstractButton*> cells() const { return cells_; }

    int columnCount() const;
    // Cell of an emoji in widget coordinates, for the given width (the current one by default).
    QRectF cellRect(int index, int width = -1) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void emojiChosen(const QString& emoji);
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Geometry {
        int columns = 1;
        double spacing = 0;
        double left = 0;
    };
    Geometry geometryFor(int width) const;

    QStringList emoji_;
    QString selected_;
    QList<QAbstractButton*> cells_;
    ChoiceGroup* group_;
};
