#include "Views/Goals/GoalCardView.h"

#include "Components/AnimatedProgressRing.h"
#include "Components/CastShadow.h"
#include "Components/CategoryTag.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/FocusWithin.h"
#include "Components/MomentumBadge.h"
#include "Components/MotionEffect.h"
#include "Components/PriorityBadge.h"
#include "Components/SmallProgressBar.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/UltraThinMaterial.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalPointerTracker.h"
#include "Views/Goals/GoalStyle.h"
#include "Views/Goals/StreakBadge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRadius = 18;
constexpr int kInset = 16;
constexpr int kStrip = 2;
constexpr int kRingSize = 54;
constexpr int kTagPadX = 8; // the category tag's own side padding
using GoalStyle::mix;
using GoalStyle::mixColor;

void styleLabel(QLabel* label, const QFont& font, const QColor& color) {
    label->setFont(font);
    GoalStyle::recolor(label, color);
}

// The text as it fits in two lines of the width: a longer one ends the second line in "…".
QString twoLines(const QString& text, const QFont& font, int width) {
    if (width <= 0)
        return text;
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    if (!first.isValid()) {
        layout.endLayout();
        return text;
    }
    first.setLineWidth(width);
    QTextLine second = layout.createLine();
    if (second.isValid())
        second.setLineWidth(width);
    const bool overflows = second.isValid() && layout.createLine().isValid();
    layout.endLayout();
    if (!overflows)
        return text;
    const int cut = first.textStart() + first.textLength();
    const QString rest = text.mid(cut);
    return text.left(cut).trimmed() + QLatin1Char('\n') +
           QFontMetrics(font).elidedText(rest, Qt::ElideRight, width);
}

} // namespace

GoalCardView::GoalCardView(const GoalCardText& text, std::function<void()> onToggleHidden, QWidget* parent)
    : QWidget(parent), text_(text), onToggleHidden_(std::move(onToggleHidden)) {
    setObjectName(QStringLiteral("goalCard"));
    FocusAfter::markRow(this);
    FocusRing::setCornerRadius(this, kRadius);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred, QSizePolicy::Frame));
    pointer_ = new GoalPointerTracker(
        this, [this] { applyHover(); }, [this] { emit clicked(); });
    build();
    showText();
    applyHover();
}

GoalCardView::~GoalCardView() = default;

void GoalCardView::build() {
    auto* body = new QVBoxLayout(this);
    body->setContentsMargins(kInset, kInset + kStrip, kInset, kInset);
    body->setSpacing(16);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    auto* titleColumn = new QVBoxLayout;
    titleColumn->setSpacing(5);
    category_ = new CategoryTag(QString(), QColor(), this);
    category_->setObjectName(QStringLiteral("goalCardCategory"));
    titleColumn->addWidget(category_, 0, Qt::AlignLeft);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("goalCardTitle"));
    title_->setTextFormat(Qt::PlainText);
    title_->setWordWrap(true);
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    titleColumn->addWidget(title_);
    titleColumn->addStretch(1);
    titleRow->addLayout(titleColumn, 1);

    if (onToggleHidden_) {
        eye_ = GoalStyle::eyeButton(this, QStringLiteral("goalCardEye"), [this] {
            if (onToggleHidden_)
                onToggleHidden_();
        });
        titleRow->addWidget(eye_, 0, Qt::AlignTop);
        // Within a grid that is one Tab stop, the eye takes Tab only while its card has the focus.
        auto* focus = new FocusWithin(this);
        connect(focus, &FocusWithin::changed, this,
                [this](bool within) { FocusWithin::offer(this, eye_, within); });
    }
    ring_ = new AnimatedProgressRing(0, kRingSize, 5, goalColor(), true, QColor(255, 255, 255, 15), this);
    ring_->setObjectName(QStringLiteral("goalCardRing"));
    ring_->setAttribute(Qt::WA_TransparentForMouseEvents);
    titleRow->addWidget(ring_, 0, Qt::AlignTop);
    body->addLayout(titleRow);

    bar_ = new SmallProgressBar(0, goalColor(), 3, false, this);
    bar_->setObjectName(QStringLiteral("goalCardBar"));
    body->addWidget(bar_);

    auto* badges = new QHBoxLayout;
    badges->setSpacing(5);
    priority_ = new PriorityBadge(GoalPriority::medium, this);
    priority_->setObjectName(QStringLiteral("goalCardPriority"));
    momentum_ = new MomentumBadge(MomentumState::coasting, this);
    momentum_->setObjectName(QStringLiteral("goalCardMomentum"));
    streak_ = new StreakBadge(0, this);
    streak_->setObjectName(QStringLiteral("goalCardStreak"));
    badges->addWidget(priority_);
    badges->addWidget(momentum_);
    badges->addStretch(1);
    badges->addWidget(streak_);
    body->addLayout(badges);

    deadlineRow_ = new QWidget(this);
    deadlineRow_->setObjectName(QStringLiteral("goalCardDeadlineRow"));
    auto* deadlineLayout = new QHBoxLayout(deadlineRow_);
    deadlineLayout->setContentsMargins(0, 0, 0, 0);
    deadlineLayout->setSpacing(4);
    deadlineIcon_ = new SymbolIcon(QString(), Symbols::pixelSizeForFontSize(9), Qt::white, deadlineRow_);
    deadline_ = new QLabel(deadlineRow_);
    deadline_->setObjectName(QStringLiteral("goalCardDeadline"));
    deadline_->setTextFormat(Qt::PlainText);
    deadlineLayout->addWidget(deadlineIcon_);
    deadlineLayout->addWidget(deadline_);
    deadlineLayout->addStretch(1);
    deadlineRow_->setAttribute(Qt::WA_TransparentForMouseEvents);
    body->addWidget(deadlineRow_);
}

void GoalCardView::setText(const GoalCardText& text) {
    text_ = text;
    showText();
}

void GoalCardView::showText() {
    styleLabel(title_, Theme::font(15, QFont::DemiBold), Theme::textPrimary());
    updateTitle();
    if (eye_)
        GoalStyle::showEye(eye_, text_.masked);

    ring_->setColor(text_.color);
    ring_->setProgress(text_.progress);
    bar_->setColor(text_.color);
    bar_->setProgress(text_.progress);

    priority_->setPriority(text_.priority);
    momentum_->setState(text_.momentum);
    streak_->setStreak(text_.streak);
    streak_->setVisible(text_.showsStreak);

    deadlineRow_->setVisible(text_.deadline.has_value());
    if (text_.deadline) {
        const QColor tone = GoalStyle::deadlineColor(text_.deadlineTone);
        deadlineIcon_->setSymbol(text_.deadlineSymbol);
        deadlineIcon_->setColor(tone);
        styleLabel(deadline_, Theme::font(11), tone);
        deadline_->setText(*text_.deadline);
    }
    update();
}

void GoalCardView::bind(const GoalCardText& text, bool isSelected) {
    text_ = text;
    selected_ = isSelected;
    showText();
    applyHover();
}

void GoalCardView::setUniformHeight(bool uniform) {
    title_->setMinimumHeight(uniform ? 2 * title_->fontMetrics().lineSpacing() : 0);
    title_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QSizePolicy policy = deadlineRow_->sizePolicy();
    policy.setRetainSizeWhenHidden(uniform);
    deadlineRow_->setSizePolicy(policy);
    updateGeometry();
}

void GoalCardView::updateTitle() {
    const QString& full = text_.title;
    title_->setText(twoLines(full, title_->font(), title_->width()));
    title_->setProperty("fullText", full);
    setAccessibleName(full);

    // A long category gives way to the eye button and the ring; the whole name is in the tip.
    const QString& category = text_.category;
    const int room = title_->width() - 2 * kTagPadX - 2;
    const QString shown =
        room > 0 ? QFontMetrics(Theme::font(10)).elidedText(category, Qt::ElideRight, room) : category;
    if (category_->text() != shown || category_->tone() != goalColor())
        category_->setTag(shown, goalColor());
    category_->setToolTip(shown == category ? QString() : Text::plainToolTip(category));
}

void GoalCardView::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

QSize GoalCardView::sizeHint() const {
    const int w = 320;
    return {w, heightForWidth(w)};
}

QSize GoalCardView::minimumSizeHint() const {
    return {2 * kInset + kRingSize + 60, heightForWidth(240)};
}

int GoalCardView::heightForWidth(int width) const {
    return layout()->totalHeightForWidth(width);
}

void GoalCardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateTitle();
}

bool GoalCardView::isHovered() const {
    return pointer_->isHovered();
}

void GoalCardView::applyHover() {
    const double t = std::clamp(pointer_->amount(), 0.0, 1.0);
    MotionEffect::scaleTo(this, mix(1.0, 1.025, pointer_->amount()));
    QColor rest(0, 0, 0);
    rest.setAlphaF(0.5f);
    CastShadow::set(
        this, {mixColor(rest, Theme::withOpacity(goalColor(), 0.2), t), mix(14, 24, t), 0, mix(5, 10, t)},
        kRadius);
    bar_->setShowGlow(pointer_->isHovered());
    update();
}

void GoalCardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = goalColor();
    const double h = std::clamp(pointer_->amount(), 0.0, 1.0);
    const QRectF card = rect();
    QPainterPath shape;
    shape.addRoundedRect(card, kRadius, kRadius);

    UltraThinMaterial::paint(p, this, shape);
    QLinearGradient wash(card.topLeft(), card.bottomRight());
    wash.setColorAt(0, Theme::withOpacity(color, mix(0.05, 0.1, h)));
    wash.setColorAt(1, AppTheme::Colors::glassSurface());
    p.fillPath(shape, wash);

    p.save();
    p.setClipPath(shape);
    QLinearGradient strip(card.topLeft(), card.topRight());
    strip.setColorAt(0, Theme::withOpacity(color, 0.9));
    strip.setColorAt(1, Theme::withOpacity(color, 0));
    p.fillRect(QRectF(card.left(), card.top(), card.width(), kStrip), strip);
    p.restore();

    QLinearGradient edge(card.topLeft(), card.bottomRight());
    edge.setColorAt(0, Theme::withOpacity(color, mix(0.18, 0.45, h)));
    edge.setColorAt(1, QColor(255, 255, 255, int(255 * 0.06)));
    p.setPen(QPen(QBrush(edge), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);

    if (selected_) {
        p.setPen(QPen(color, 2));
        p.drawRoundedRect(card.adjusted(1, 1, -1, -1), 12, 12);
    }
}
