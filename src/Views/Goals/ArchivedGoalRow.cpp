#include "Views/Goals/ArchivedGoalRow.h"

#include "Components/Animator.h"
#include "Components/CategoryTag.h"
#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/FocusWithin.h"
#include "Components/MotionEffect.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/UltraThinMaterial.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalAlerts.h"
#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/GoalStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr double kRadius = 18;

} // namespace

ArchivedGoalRow::ArchivedGoalRow(const ArchivedGoalText& text, std::function<void()> onRestore,
                                 std::function<void()> onDelete, QWidget* parent)
    : QWidget(parent), text_(text), onRestore_(std::move(onRestore)), onDelete_(std::move(onDelete)) {
    setObjectName(QStringLiteral("archivedGoalRow"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A stop for Tab alone: a click on the row does nothing, so it takes no focus from one.
    setFocusPolicy(Qt::TabFocus);
    FocusAfter::markRow(this);
    FocusRing::setCornerRadius(this, kRadius);
    build();
    focus_ = new FocusWithin(this);
    connect(focus_, &FocusWithin::changed, this, &ArchivedGoalRow::showActions);
    showText();
}

ArchivedGoalRow::~ArchivedGoalRow() = default;

void ArchivedGoalRow::build() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    colorBar_ = new QWidget(this);
    colorBar_->setFixedSize(3, 48);
    row->addWidget(colorBar_, 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    auto* titleLine = new QHBoxLayout;
    titleLine->setSpacing(8);
    // One line, cut at the tail: every row of the list has the same height.
    title_ = new ElidedLabel(this);
    title_->setObjectName(QStringLiteral("archivedGoalTitle"));
    title_->setFont(Theme::font(14, QFont::Medium));
    GoalStyle::recolor(title_, Theme::textPrimary());
    titleLine->addWidget(title_, 1);
    titleLine->addWidget(new SymbolIcon(QStringLiteral("trophy.fill"), Symbols::pixelSizeForFontSize(12),
                                        AppTheme::Colors::gold(), this));
    column->addLayout(titleLine);

    auto* metaLine = new QHBoxLayout;
    metaLine->setSpacing(6);
    category_ = new CategoryTag(QString(), QColor(), this);
    category_->setObjectName(QStringLiteral("archivedGoalCategory"));
    metaLine->addWidget(category_);
    metaLine->addStretch(1);
    completedBy_ = GoalStyle::label(this, QStringLiteral("archivedGoalCompletedBy"), Theme::font(11),
                                    Theme::textMuted());
    metaLine->addWidget(completedBy_);
    column->addLayout(metaLine);
    row->addLayout(column, 1);

    actions_ = new QWidget(this);
    actions_->setObjectName(QStringLiteral("archivedGoalActions"));
    auto* actions = new QHBoxLayout(actions_);
    actions->setContentsMargins(0, 0, 0, 0);
    actions->setSpacing(4);

    const QColor indigo = AppTheme::Colors::indigo();
    restore_ = new QToolButton(actions_);
    restore_->setObjectName(QStringLiteral("archivedGoalRestore"));
    restore_->setText(QStringLiteral("Restore"));
    restore_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const int restoreIcon = Symbols::pixelSizeForFontSize(10);
    restore_->setIcon(Symbols::icon(QStringLiteral("arrow.uturn.left"), indigo, restoreIcon));
    restore_->setIconSize(QSize(restoreIcon, restoreIcon));
    restore_->setFont(Theme::font(11, QFont::Medium));
    restore_->setCursor(Qt::PointingHandCursor);
    restore_->setStyleSheet(QStringLiteral("QToolButton { border: none; color: %1; background: %2; "
                                           "padding: 5px 8px; border-radius: 11px; }")
                                .arg(Theme::css(indigo), Theme::css(Theme::withOpacity(indigo, 0.1))));
    connect(restore_, &QToolButton::clicked, this, [this] {
        if (onRestore_)
            onRestore_();
    });
    FocusAfter::markAction(restore_, FocusAfter::Action::changes);
    actions->addWidget(restore_);

    const QColor rose = AppTheme::Colors::rose();
    delete_ = new QToolButton(actions_);
    delete_->setObjectName(QStringLiteral("archivedGoalDelete"));
    delete_->setAccessibleName(tr("Delete goal"));
    FocusAfter::markAction(delete_, FocusAfter::Action::deletes);
    const int trashIcon = Symbols::pixelSizeForFontSize(11);
    delete_->setIcon(Symbols::icon(QStringLiteral("trash"), rose, trashIcon));
    delete_->setIconSize(QSize(trashIcon, trashIcon));
    delete_->setFixedSize(trashIcon + 12, trashIcon + 12);
    delete_->setCursor(Qt::PointingHandCursor);
    delete_->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; background: %1; "
                                          "border-radius: %2px; }")
                               .arg(Theme::css(Theme::withOpacity(rose, 0.1)))
                               .arg((trashIcon + 12) / 2));
    connect(delete_, &QToolButton::clicked, this, [this] { confirmDelete(); });
    actions->addWidget(delete_);
    actions_->setVisible(false);
    restore_->setFocusPolicy(Qt::NoFocus);
    delete_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(actions_, 0, Qt::AlignVCenter);
}

void ArchivedGoalRow::bind(const ArchivedGoalText& text) {
    text_ = text;
    showText();
}

void ArchivedGoalRow::showText() {
    title_->setFullText(text_.title);
    setAccessibleName(text_.title);
    category_->setTag(text_.category, goalColor());
    completedBy_->setVisible(text_.completedBy.has_value());
    if (text_.completedBy)
        completedBy_->setText(*text_.completedBy);
    update();
}

SheetHost* ArchivedGoalRow::confirmDelete() {
    return GoalAlerts::confirmDelete(window(), text_.title, onDelete_);
}

void ArchivedGoalRow::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QWidget::enterEvent(event);
}

void ArchivedGoalRow::leaveEvent(QEvent* event) {
    setHovered(false);
    QWidget::leaveEvent(event);
}

void ArchivedGoalRow::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    showActions();
}

void ArchivedGoalRow::showActions() {
    const bool shown = hovered_ || focus_->isWithin();
    if (shown == actionsShown_)
        return;
    actionsShown_ = shown;
    FocusWithin::offer(this, restore_, shown);
    FocusWithin::offer(restore_, delete_, shown);
    actions_->setVisible(shown);
    if (shown) {
        MotionEffect* effect = MotionEffect::of(actions_);
        effect->setOpacity(0);
        QPointer<MotionEffect> guard(effect);
        QPointer<QWidget> actions(actions_);
        Animator::run(
            actions_, AppTheme::Animation::snappy(),
            [guard](double t) {
                if (guard)
                    guard->setOpacity(t);
            },
            0,
            [actions] {
                if (actions)
                    MotionEffect::settle(actions);
            });
    }
}

void ArchivedGoalRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = goalColor();
    const QRectF box = rect();
    QPainterPath shape;
    shape.addRoundedRect(box, kRadius, kRadius);
    UltraThinMaterial::paint(p, this, shape);
    p.setPen(QPen(Theme::withOpacity(color, 0.15), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(colorBar_->geometry()), 2, 2);
}
