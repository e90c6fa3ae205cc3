#include "Views/Deadlines/DeadlineCardView.h"

#include "Components/AnimatedProgressRing.h"
#include "Components/CategoryTag.h"
#include "Components/PriorityBadge.h"
#include "Components/SmallProgressBar.h"
#include "Core/Theme/ColorHex.h"
#include "Core/Theme/Theme.h"
#include "Models/Goal.h"
#include "Models/GoalPriority.h"
#include "Platform/Clock.h"
#include "ViewModels/DeadlinesViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Dashboard/PlainToolTip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double kRadius = 18;

// The accent down the card's leading side.
class UrgencyBar : public QWidget {
public:
    UrgencyBar(const QColor& color, int height, QWidget* parent) : QWidget(parent), color_(color) {
        setFixedSize(3, height);
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

DeadlineCardView::DeadlineCardView(std::shared_ptr<Goal> goal, const QColor& urgencyColor, QWidget* parent)
    : QWidget(parent), goal_(std::move(goal)), urgency_(urgencyColor) {
    setObjectName(QStringLiteral("deadlineCard"));
    setAttribute(Qt::WA_Hover);
    goalColor_ = ColorHex::fromHex(goal_->colorHex().value_or(ColorHex::fallbackHex()));
    title_ = goal_->title().value_or(QStringLiteral("Untitled Goal"));
    category_ = goal_->category().value_or(QStringLiteral("Personal"));
    const double progress = goal_->progressPercentage();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    row->addWidget(new UrgencyBar(urgency_, 60, this));

    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    auto* titleRow = new QHBoxLayout;
    titleLabel_ = ScreenStyle::label(title_, Theme::font(14, QFont::Medium), Theme::textPrimary(), this);
    titleLabel_->setObjectName(QStringLiteral("deadlineTitle"));
    titleLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    titleRow->addWidget(titleLabel_, 1);
    titleRow->addWidget(
        new PriorityBadge(GoalPriorities::fromRaw(goal_->priority()).value_or(GoalPriority::medium), this));
    column->addLayout(titleRow);

    auto* tagRow = new QHBoxLayout;
    tagRow->setSpacing(8);
    tagRow->addWidget(new CategoryTag(category_, goalColor_, this));
    tagRow->addStretch(1);
    if (goal_->deadline()) {
        countdown_ = ScreenStyle::label(QString(), Theme::font(13, QFont::Bold), urgency_, this);
        countdown_->setObjectName(QStringLiteral("countdown"));
        tagRow->addWidget(countdown_);
    }
    column->addLayout(tagRow);
    column->addWidget(new SmallProgressBar(progress, goalColor_, 4, false, this));
    row->addLayout(column, 1);

    row->addWidget(new AnimatedProgressRing(progress, 52, 5, goalColor_, true,
                                            Theme::withOpacity(Qt::white, 0.06), this),
                   0, Qt::AlignVCenter);
    tick();
}

QString DeadlineCardView::titleText() const {
    return title_;
}

QString DeadlineCardView::categoryText() const {
    return category_;
}

QString DeadlineCardView::countdownText() const {
    return countdown_ ? countdown_->text() : QString();
}

void DeadlineCardView::tick() {
    if (!countdown_)
        return;
    const QString text =
        DeadlinesViewModel::countdownText(Clock::now(), goal_->deadline().value_or(Clock::now()));
    if (text != countdown_->text())
        countdown_->setText(text);
}

void DeadlineCardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QString shown =
        titleLabel_->fontMetrics().elidedText(title_, Qt::ElideRight, std::max(0, titleLabel_->width()));
    titleLabel_->setText(shown);
    titleLabel_->setToolTip(shown == title_ ? QString() : PlainToolTip::of(title_));
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

void DeadlineCardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.fillPath(shape, Theme::backgroundSecondary());
    p.fillPath(shape, Theme::withOpacity(urgency_, hovered_ ? 0.06 : 0.02));
    p.setPen(QPen(Theme::withOpacity(urgency_, hovered_ ? 0.3 : 0.1), 1));
    p.drawPath(shape);
}
