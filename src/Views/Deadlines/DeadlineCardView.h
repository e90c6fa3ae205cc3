#pragma once

#include "ViewModels/DeadlineCardText.h"

#include <QColor>
#include <QWidget>

#include <optional>

class AnimatedProgressRing;
class CategoryTag;
class PriorityBadge;
class QLabel;
class SmallProgressBar;

// One goal on the deadlines screen: a bar of its section's colour, the title with its
// priority, the category with the time left (or overdue), and its progress as a bar and a
// ring, as its view model wrote them. The countdown moves on when the screen hands it a new
// one. A card is made empty and filled by bind(); the list hands it on to another goal as it
// scrolls.
class DeadlineCardView : public QWidget {
    Q_OBJECT
public:
    explicit DeadlineCardView(QWidget* parent = nullptr);

    void bind(const DeadlineCardText& text, const QColor& urgencyColor);
    qint64 goalID() const { return goalID_; }
    bool isHovered() const { return hovered_; }
    QString titleText() const;
    QString categoryText() const;
    QString countdownText() const;
    // The countdown at a later instant.
    void setCountdown(const std::optional<QString>& countdown);
    // The height a card takes (every card is one line of each part, so all are alike).
    static int naturalHeight();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTitle();

    qint64 goalID_ = 0;
    QColor urgency_;
    bool hovered_ = false;
    QString title_;
    QString category_;
    QWidget* urgencyBar_;
    QLabel* titleLabel_;
    PriorityBadge* priority_;
    CategoryTag* tag_;
    QLabel* countdown_;
    SmallProgressBar* progressBar_;
    AnimatedProgressRing* ring_;
};
