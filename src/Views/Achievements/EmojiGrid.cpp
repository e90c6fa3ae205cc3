#include "Views/Achievements/EmojiGrid.h"

#include "Components/ChoiceGroup.h"
#include "Components/FocusRing.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// One emoji of the grid, on a violet tint while it is the chosen one.
class EmojiCell : public QAbstractButton {
public:
    EmojiCell(const QString& emoji, const QString& name, QWidget* parent) : QAbstractButton(parent) {
        setObjectName(QStringLiteral("emojiCell"));
        setText(emoji);
        setAccessibleName(name);
        setToolTip(name);
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        FocusRing::setCornerRadius(this, 6);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (isChecked()) {
            QPainterPath tile;
            tile.addRoundedRect(QRectF(rect()), 6, 6);
            p.fillPath(tile, Theme::withOpacity(AppTheme::Colors::violet(), 0.2));
        }
        p.setFont(Theme::emojiFont(22));
        p.setPen(Theme::textPrimary());
        p.drawText(rect(), Qt::AlignCenter, text());
    }
    // The checked state is the grid's to set: a press chooses, it never unchooses.
    void nextCheckState() override {}
};

} // namespace

EmojiGrid::EmojiGrid(const QStringList& emoji, const QStringList& names, QWidget* parent)
    : QWidget(parent), emoji_(emoji), group_(new ChoiceGroup(this)) {
    setObjectName(QStringLiteral("emojiGrid"));
    setAccessibleName(tr("Emoji"));
    setCursor(Qt::PointingHandCursor);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    for (qsizetype i = 0; i < emoji_.size(); ++i) {
        auto* cell = new EmojiCell(emoji_[i], names.value(i, emoji_[i]), this);
        const QString chosen = emoji_[i];
        connect(cell, &QAbstractButton::clicked, this, [this, chosen] {
            setSelected(chosen);
            emit emojiChosen(chosen);
        });
        cell->installEventFilter(this);
        group_->add(cell);
        cells_ << cell;
    }
    group_->setColumns([this] { return columnCount(); });
}

void EmojiGrid::setSelected(const QString& emoji) {
    selected_ = emoji;
    for (QAbstractButton* cell : std::as_const(cells_))
        cell->setChecked(cell->text() == emoji);
}

QWidget* EmojiGrid::stop() const {
    return group_->stop();
}

bool EmojiGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* cell = static_cast<QAbstractButton*>(watched);
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            cell->click();
            return true;
        case Qt::Key_Escape:
            emit closeRequested();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EmojiGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (qsizetype i = 0; i < cells_.size(); ++i)
        cells_[i]->setGeometry(cellRect(int(i)).toAlignedRect());
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

void EmojiGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), 8, 8);
    p.fillPath(background, Theme::withOpacity(Theme::backgroundTertiary(), 0.4));
}
