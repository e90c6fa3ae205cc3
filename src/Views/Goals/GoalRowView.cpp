#include "Views/Goals/GoalRowView.h"

#include "Components/Animator.h"
#include "Components/CastShadow.h"
#include "Components/CategoryTag.h"
#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/FocusWithin.h"
#include "Components/MotionEffect.h"
#include "Components/PriorityBadge.h"
#include "Components/SmallProgressBar.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/UltraThinMaterial.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalPointerTracker.h"
#include "Views/Goals/GoalStyle.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using GoalStyle::label;
using GoalStyle::mix;
using GoalStyle::mixColor;
using GoalStyle::recolor;

constexpr double kRadius = 18;

QToolButton* makeSymbolButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A symbol beside a small text, one colour for both (the money and streak figures).
QWidget* makeFigure(QWidget* parent, const QString& name, const QString& symbol, const QColor& color,
                    ElidedLabel** text) {
    auto* figure = new QWidget(parent);
    figure->setObjectName(name);
    figure->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QHBoxLayout(figure);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(new SymbolIcon(symbol, Symbols::pixelSizeForFontSize(9), color, figure));
    // Any stored amount prints in full, so the figure gives up width first and elides rather
    // than widening the row.
    *text = new ElidedLabel(figure);
    (*text)->setObjectName(name + QStringLiteral("Text"));
    (*text)->setFont(Theme::font(10));
    (*text)->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred); // full width while it fits
    recolor(*text, color);
    layout->addWidget(*text, 1);
    return figure;
}

} // namespace

GoalRowView::GoalRowView(const GoalRowText& text, bool isSelected, std::function<void()> onTap,
                         std::function<void()> onToggleHidden, std::function<void()> onDelete,
                         std::function<void()> onAchieve, QWidget* parent)
    : QWidget(parent), text_(text), selected_(isSelected), onTap_(std::move(onTap)),
      onToggleHidden_(std::move(onToggleHidden)), onDelete_(std::move(onDelete)),
      onAchieve_(std::move(onAchieve)), select_(isSelected ? 1.0 : 0.0) {
    FocusRing::setCornerRadius(this, kRadius);
    setObjectName(QStringLiteral("goalRow"));
    FocusAfter::markRow(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pointer_ = new GoalPointerTracker(
        this, [this] { applyState(); },
        [this] {
            if (onTap_)
                onTap_();
        });
    build();
    showText();
    applyState();
}

GoalRowView::~GoalRowView() = default;

void GoalRowView::build() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    colorBar_ = new QWidget(this); // painted by the row, so its glow is not clipped
    colorBar_->setObjectName(QStringLiteral("goalRowColorBar"));
    colorBar_->setFixedSize(3, 52);
    colorBar_->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(colorBar_, 0, Qt::AlignVCenter);

    auto* main = new QVBoxLayout;
    main->setSpacing(6);
    main->addLayout(buildTitleLine());
    main->addLayout(buildMetaLine());
    bar_ = new SmallProgressBar(0, goalColor(), 3, false, this);
    bar_->setObjectName(QStringLiteral("goalRowBar"));
    main->addWidget(bar_);
    row->addLayout(main, 1);

    auto* effortBox = new QWidget(this);
    effortBox->setFixedWidth(70);
    effortBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* effort = new QVBoxLayout(effortBox);
    effort->setContentsMargins(0, 0, 0, 0);
    effort->setSpacing(2);
    efforts_ = label(effortBox, QStringLiteral("goalRowEfforts"), Theme::font(13, QFont::Bold),
                     Theme::textSecondary());
    effortsCaption_ =
        label(effortBox, QStringLiteral("goalRowEffortsCaption"), Theme::font(10), Theme::textMuted());
    effortsCaption_->setText(QStringLiteral("efforts"));
    effort->addWidget(efforts_, 0, Qt::AlignRight);
    effort->addWidget(effortsCaption_, 0, Qt::AlignRight);
    row->addWidget(effortBox, 0, Qt::AlignVCenter);
}

QHBoxLayout* GoalRowView::buildTitleLine() {
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    // One line, cut at the tail: every row of the list has the same height.
    title_ = new ElidedLabel(this);
    title_->setObjectName(QStringLiteral("goalRowTitle"));
    title_->setFont(Theme::font(14, QFont::Medium));
    recolor(title_, Theme::textPrimary());
    title_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    title_->setMinimumWidth(0);
    line->addWidget(title_, 0);

    eye_ = GoalStyle::eyeButton(this, QStringLiteral("goalRowEye"), [this] {
        if (onToggleHidden_)
            onToggleHidden_();
    });
    line->addWidget(eye_);
    line->addStretch(1);

    trophy_ = makeSymbolButton(this, QStringLiteral("goalRowAchieve"));
    const QColor gold = AppTheme::Colors::gold();
    const QColor circle = Theme::withOpacity(gold, 0.12);
    const int trophySize = Symbols::pixelSizeForFontSize(11);
    trophy_->setIcon(Symbols::icon(QStringLiteral("trophy.fill"), gold, trophySize));
    trophy_->setIconSize(QSize(trophySize, trophySize));
    trophy_->setFixedSize(trophySize + 10, trophySize + 10);
    trophy_->setStyleSheet(
        QStringLiteral("QToolButton { border: none; padding: 0; background: %1; border-radius: %2px; }")
            .arg(Theme::css(circle))
            .arg((trophySize + 10) / 2));
    trophy_->setToolTip(QStringLiteral("Mark as Achieved"));
    connect(trophy_, &QToolButton::clicked, this, [this] {
        if (onAchieve_)
            onAchieve_();
    });
    line->addWidget(trophy_);
    // The list is one Tab stop; the row's own buttons take Tab only while the row holds the
    // focus, right after it.
    auto* focus = new FocusWithin(this);
    connect(focus, &FocusWithin::changed, this, [this](bool within) {
        FocusWithin::offer(this, trophy_, within);
        FocusWithin::offer(this, eye_, within);
    });

    percent_ = label(this, QStringLiteral("goalRowPercent"), Theme::font(14, QFont::Bold), goalColor());
    line->addWidget(percent_);
    return line;
}

QHBoxLayout* GoalRowView::buildMetaLine() {
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    category_ = new CategoryTag(QString(), QColor(), this);
    category_->setObjectName(QStringLiteral("goalRowCategory"));
    line->addWidget(category_);
    priority_ = new PriorityBadge(GoalPriority::medium, this);
    priority_->setObjectName(QStringLiteral("goalRowPriority"));
    line->addWidget(priority_);
    money_ = makeFigure(this, QStringLiteral("goalRowMoney"), QStringLiteral("dollarsign.circle.fill"),
                        AppTheme::Colors::emerald(), &moneyText_);
    line->addWidget(money_);
    streak_ = makeFigure(this, QStringLiteral("goalRowStreak"), QStringLiteral("flame.fill"),
                         AppTheme::Colors::amber(), &streakText_);
    line->addWidget(streak_);
    line->addStretch(1);
    deadline_ = label(this, QStringLiteral("goalRowDeadline"), Theme::font(11), Theme::textMuted());
    line->addWidget(deadline_);
    return line;
}

void GoalRowView::showText() {
    const GoalRowText& text = text_;
    title_->setFullText(text.title);
    setAccessibleName(text.title);
    GoalStyle::showEye(eye_, text.masked);
    percent_->setText(text.percent);
    recolor(percent_, text.color);
    category_->setTag(text.category, text.color);
    priority_->setPriority(text.priority);

    money_->setVisible(text.money.has_value());
    streak_->setVisible(text.streak.has_value());
    if (text.money)
        moneyText_->setFullText(*text.money);
    else if (text.streak)
        streakText_->setFullText(*text.streak);

    deadline_->setVisible(text.deadline.has_value());
    if (text.deadline) {
        deadline_->setText(*text.deadline);
        recolor(deadline_, GoalStyle::deadlineColor(text.deadlineTone));
    }

    bar_->setColor(text.color);
    bar_->setProgress(text.progress);
    efforts_->setText(text.efforts);
    update();
}

void GoalRowView::bind(const GoalRowText& text, bool isSelected) {
    const bool sameGoal = text.goalID == text_.goalID;
    text_ = text;
    if (sameGoal) {
        showText();
        setSelected(isSelected);
        return;
    }
    selected_ = isSelected;
    Animator::stop(selectAnimation_);
    select_ = isSelected ? 1.0 : 0.0;
    showText();
    applyState();
}

void GoalRowView::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    animateSelection();
}

bool GoalRowView::isHovered() const {
    return pointer_->isHovered();
}

void GoalRowView::animateSelection() {
    Animator::stop(selectAnimation_);
    const double from = select_;
    const double to = selected_ ? 1.0 : 0.0;
    selectAnimation_ = Animator::run(this, AppTheme::Animation::spring(), [this, from, to](double t) {
        select_ = mix(from, to, t);
        applyState();
    });
}

void GoalRowView::applyState() {
    const double s = std::clamp(select_, 0.0, 1.0);
    MotionEffect::scaleTo(this, mix(1.0, 1.005, pointer_->amount()));
    QColor rest(0, 0, 0);
    rest.setAlphaF(0.35f);
    CastShadow::set(this, {mixColor(rest, Theme::withOpacity(goalColor(), 0.15), s), mix(8, 14, s), 0, 3},
                    kRadius);
    update();
}

void GoalRowView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("goalRowMenu"));
    QAction* remove = menu.addAction(Symbols::icon(QStringLiteral("trash"), AppTheme::Colors::rose(), 14),
                                     QStringLiteral("Delete Goal"));
    remove->setObjectName(QStringLiteral("goalRowDeleteAction"));
    if (menu.exec(event->globalPos()) == remove && onDelete_)
        onDelete_();
}

void GoalRowView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = goalColor();
    const double h = std::clamp(pointer_->amount(), 0.0, 1.0);
    const double s = std::clamp(select_, 0.0, 1.0);
    const QRectF box = rect();
    QPainterPath shape;
    shape.addRoundedRect(box, kRadius, kRadius);

    UltraThinMaterial::paint(p, this, shape);
    const QColor hoverFill = Theme::withOpacity(AppTheme::Colors::glassOverlay(), h);
    p.fillPath(shape, mixColor(hoverFill, Theme::withOpacity(color, 0.08), s));
    const QColor hoverEdge = mixColor(AppTheme::Colors::borderSubtle(), AppTheme::Colors::borderMedium(), h);
    p.setPen(QPen(mixColor(hoverEdge, Theme::withOpacity(color, 0.3), s), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);

    // The colour bar with its soft glow.
    const QRectF bar = QRectF(colorBar_->geometry());
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(Theme::withOpacity(color, 0.5 / 8.0));
        p.drawRoundedRect(bar.adjusted(-i, -i, i, i), 2 + i, 2 + i);
    }
    p.setBrush(color);
    p.drawRoundedRect(bar, 2, 2);
}
