#include "Views/Deadlines/DeadlineCardView.h"

#include "Components/AnimatedProgressRing.h"
#include "Components/CategoryTag.h"
#include "Components/PriorityBadge.h"
#include "Components/ScreenStyle.h"
#include "Components/SmallProgressBar.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Deadlines/DeadlineCardLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The accent down the card's leading side.
class UrgencyBar : public QWidget {
public:
    UrgencyBar(int height, QWidget* parent) : QWidget(parent) { setFixedSize(3, height); }
    void setColor(const QColor& color) {
        color_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(color_);
        p.drawRoundedRect(QRectF(rect()), 2, 2);
    }

private:
    QColor color_;
};

} // namespace

DeadlineCardView::DeadlineCardView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("deadlineCard"));
    setAttribute(Qt::WA_Hover);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    urgencyBar_ = new UrgencyBar(60, this);
    row->addWidget(urgencyBar_);

    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    auto* titleRow = new QHBoxLayout;
    titleLabel_ = ScreenStyle::label(QString(), Theme::font(14, QFont::Medium), Theme::textPrimary(), this);
    titleLabel_->setObjectName(QStringLiteral("deadlineTitle"));
    titleLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    titleRow->addWidget(titleLabel_, 1);
    priority_ = new PriorityBadge(GoalPriority::medium, this);
    titleRow->addWidget(priority_);
    column->addLayout(titleRow);

    auto* tagRow = new QHBoxLayout;
    tagRow->setSpacing(8);
    tag_ = new CategoryTag(QString(), Theme::textMuted(), this);
    tagRow->addWidget(tag_);
    tagRow->addStretch(1);
    countdown_ = ScreenStyle::label(QString(), Theme::font(13, QFont::Bold), Theme::textMuted(), this);
    countdown_->setObjectName(QStringLiteral("countdown"));
    tagRow->addWidget(countdown_);
    column->addLayout(tagRow);
    progressBar_ = new SmallProgressBar(0, Theme::textMuted(), 4, false, this);
    column->addWidget(progressBar_);
    row->addLayout(column, 1);

    ring_ = new AnimatedProgressRing(0, 52, 5, Theme::textMuted(), true, Theme::withOpacity(Qt::white, 0.06),
                                     this);
    row->addWidget(ring_, 0, Qt::AlignVCenter);
}

void DeadlineCardView::bind(const DeadlineCardText& text, const QColor& urgencyColor) {
    goalID_ = text.goalID;
    urgency_ = urgencyColor;
    title_ = text.title;
    category_ = text.category;
    static_cast<UrgencyBar*>(urgencyBar_)->setColor(urgency_);
    priority_->setPriority(text.priority);
    tag_->setTag(category_, text.color);
    ScreenStyle::setTextColor(countdown_, urgency_);
    countdown_->setVisible(text.hasDeadline);
    progressBar_->setColor(text.color);
    progressBar_->setProgress(text.progress);
    ring_->setColor(text.color);
    ring_->setProgress(text.progress);
    showTitle();
    setCountdown(text.countdownText);
    update();
}

int DeadlineCardView::naturalHeight() {
    static const int height = [] {
        DeadlineCardView sample;
        sample.titleLabel_->setText(QStringLiteral("Ag"));
        sample.tag_->setTag(QStringLiteral("Ag"), Theme::textMuted());
        sample.countdown_->setText(QStringLiteral("0h left"));
        return sample.sizeHint().height();
    }();
    return height;
}

QString DeadlineCardView::titleText() const {
    return title_;
}

QString DeadlineCardView::categoryText() const {
    return category_;
}

QString DeadlineCardView::countdownText() const {
    return countdown_->isHidden() ? QString() : countdown_->text();
}

void DeadlineCardView::setCountdown(const std::optional<QString>& text) {
    if (text && *text != countdown_->text())
        countdown_->setText(*text);
}

void DeadlineCardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showTitle();
}

void DeadlineCardView::showTitle() {
    DeadlineCardLook::showElided(titleLabel_, title_);
}

void DeadlineCardView::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    hovered_ = true;
    update();
}

void DeadlineCardView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hovered_ = false;
    update();
}

void DeadlineCardView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A card scrolled out comes back for another goal, away from the pointer.
    hovered_ = false;
}

void DeadlineCardView::paintEvent(QPaintEvent*) {
    DeadlineCardLook::paint(this, Theme::withOpacity(urgency_, hovered_ ? 0.06 : 0.02),
                            Theme::withOpacity(urgency_, hovered_ ? 0.3 : 0.1));
}
