#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QVariantAnimation>
#include <QWidget>

#include <optional>

class MotionEffect;

// A glass tile of an icon, a large figure, a title and an optional subtitle, in one accent.
// It lifts and glows while the pointer is over it, comes in with the staggered entrance at
// index x 0.07 s, and rolls its digits when the figure changes.
class StatCard : public QWidget {
    Q_OBJECT
public:
    StatCard(const QString& title, const QString& value, const std::optional<QString>& subtitle,
             const QString& icon, const QColor& color, int index, QWidget* parent = nullptr);

    QString value() const { return value_; }
    void setValue(const QString& value);
    bool isHovered() const { return hovered_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return false; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);
    void applyHover();
    double contentHeight() const;

    QString title_;
    QString value_;
    QString previousValue_;
    std::optional<QString> subtitle_;
    QString icon_;
    QColor color_;
    bool hovered_ = false;
    double hover_ = 0.0; // 0 (resting) to 1 (hovered): scale, shadow, border and tile glow together
    double roll_ = 1.0;  // 0 at the start of a figure change, 1 when settled
    QPointer<QVariantAnimation> hoverAnimation_;
    QPointer<QVariantAnimation> rollAnimation_;
};
