#include "Views/Achievements/EmojiGrid.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

EmojiGrid::EmojiGrid(const QStringList& emoji, QWidget* parent) : QWidget(parent), emoji_(emoji) {
    setObjectName(QStringLiteral("emojiGrid"));
    setCursor(Qt::PointingHandCursor);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void EmojiGrid::setSelected(const QString& emoji) {
    if (selected_ == emoji)
        return;
    selected_ = emoji;
    update();
}

EmojiGrid::Geometry EmojiGrid::geometryFor(int width) const {
    const double inner = std::max(0.0, width - 2 * kPadding);
    const int wanted = std::clamp(int(emoji_.size()), 1, kMaxColumns);
    Geometry g;
    g.columns = std::clamp(int(std::floor(inner / kColumnWidth)), 1, wanted);
    if (g.columns > 1)
        g.spacing = std::clamp((inner - g.columns * kColumnWidth) / (g.columns - 1), 0.0, kColumnSpacing);
    const double used = g.columns * kColumnWidth + (g.columns - 1) * g.spacing;
    g.left = kPadding + std::max(0.0, (inner - used) / 2);
    return g;
}

int EmojiGrid::columnCount() const {
    return geometryFor(width()).columns;
}

QRectF EmojiGrid::cellRect(int index, int width) const {
    const Geometry g = geometryFor(width < 0 ? this->width() : width);
    const int row = index / g.columns;
    const int column = index % g.columns;
    const double x = g.left + column * (kColumnWidth + g.spacing) + (kColumnWidth - kCellSide) / 2;
    const double y = kPadding + row * (kCellSide + kRowSpacing);
    return {x, y, kCellSide, kCellSide};
}

int EmojiGrid::heightForWidth(int width) const {
    const int columns = geometryFor(width).columns;
    const int rows = std::max(1, int((emoji_.size() + columns - 1) / columns));
    return int(std::ceil(2 * kPadding + rows * kCellSide + (rows - 1) * kRowSpacing));
}

QSize EmojiGrid::sizeHint() const {
    const int width = int(2 * kPadding + kMaxColumns * kColumnWidth + (kMaxColumns - 1) * kColumnSpacing);
    return {width, heightForWidth(width)};
}

QSize EmojiGrid::minimumSizeHint() const {
    const int width = int(2 * kPadding + kColumnWidth);
    return {width, heightForWidth(width)};
}

int EmojiGrid::indexAt(const QPointF& point) const {
    for (int i = 0; i < emoji_.size(); ++i)
        if (cellRect(i).contains(point))
            return i;
    return -1;
}

void EmojiGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), 8, 8);
    p.fillPath(background, Theme::withOpacity(Theme::backgroundTertiary(), 0.4));

    p.setFont(Theme::emojiFont(22));
    for (int i = 0; i < emoji_.size(); ++i) {
        const QRectF cell = cellRect(i);
        if (emoji_[i] == selected_) {
            QPainterPath tile;
            tile.addRoundedRect(cell, 6, 6);
            p.fillPath(tile, Theme::withOpacity(AppTheme::Colors::violet(), 0.2));
        }
        p.setPen(Theme::textPrimary());
        p.drawText(cell, Qt::AlignCenter, emoji_[i]);
    }
}

void EmojiGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int index = indexAt(event->position());
    if (index < 0)
        return;
    setSelected(emoji_[index]);
    emit emojiChosen(emoji_[index]);
}
