#include "Views/Achievements/AchievementTimelineRow.h"

#include "Components/Animator.h"
#include "Components/FocusAfter.h"
#include "Components/FocusWithin.h"
#include "Components/MotionEffect.h"
#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Platform/DateText.h"
#include "ViewModels/RecordNames.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kDeleteInsetTop = 6;
constexpr int kDeleteInsetTrailing = 2;
constexpr int kDeleteGap = 8;

int deleteSide() {
    return Symbols::pixelSizeForFontSize(11) + 10;
}
} // namespace

namespace {

constexpr int kPadTop = 8;
constexpr int kPadBottom = 24;
constexpr int kLineGap = 4;
constexpr int kChipPadY = 2;

QFont titleFont() {
    return Theme::font(15, QFont::DemiBold);
}
QFont notesFont() {
    return Theme::font(13);
}

} // namespace

int AchievementTimelineRow::notesLines(const QString& notes, int width) {
    if (notes.isEmpty())
        return 0;
    const bool longer = notes.contains(QLatin1Char('\n')) ||
                        QFontMetrics(notesFont()).horizontalAdvance(notes) > width - kNodeColumn - 16;
    return longer ? 2 : 1;
}

int AchievementTimelineRow::heightFor(const Achievement& achievement, int width) {
    const int line = std::max({ScreenStyle::lineHeight(titleFont()),
                               ScreenStyle::lineHeight(Theme::font(10, QFont::Medium)) + 2 * kChipPadY,
                               ScreenStyle::lineHeight(Theme::font(11))});
    const int lines = notesLines(achievement.desc().value_or(QString()), width);
    const int notes = lines == 0 ? 0 : kLineGap + lines * QFontMetrics(notesFont()).lineSpacing();
    return kPadTop + line + notes + kPadBottom;
}

AchievementTimelineRow::AchievementTimelineRow(std::shared_ptr<Achievement> achievement,
                                               std::function<void()> onDelete, QWidget* parent, int width)
    : QWidget(parent), achievement_(std::move(achievement)), onDelete_(std::move(onDelete)) {
    setObjectName(QStringLiteral("achievementRow"));
    setAttribute(Qt::WA_Hover, true);
    // A stop for Tab alone: a click on the row does nothing, so it takes no focus from one.
    setFocusPolicy(Qt::TabFocus);
    FocusAfter::markRow(this);
    setAccessibleName(RecordNames::achievement(*achievement_));
    emoji_ = achievement_->emoji().value_or(QStringLiteral("\U0001F3C6"));

    auto* card = new QVBoxLayout(this);
    card->setContentsMargins(kNodeColumn + 16, kPadTop, 0, kPadBottom);
    card->setSpacing(kLineGap);

    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    auto* title =
        ScreenStyle::label(RecordNames::achievement(*achievement_), titleFont(), Theme::textPrimary());
    title->setObjectName(QStringLiteral("achievementTitle"));
    line->addWidget(title);
    if (const auto category = achievement_->category())
        line->addWidget(categoryChip(category->name().value_or(tr("Other"))));
    line->addStretch(1);
    auto* date = ScreenStyle::label(mediumDateText(achievement_->wrappedDate().toLocalTime().date()),
                                    Theme::font(11), Theme::textMuted());
    date->setObjectName(QStringLiteral("achievementDate"));
    line->addWidget(date);
    // The delete button comes over the end of this line: the date keeps clear of it.
    line->addSpacing(deleteSide() + kDeleteInsetTrailing + kDeleteGap - line->spacing());
    card->addLayout(line);

    const QString desc = achievement_->desc().value_or(QString());
    if (!desc.isEmpty()) {
        auto* notes = ScreenStyle::label(desc, notesFont(), Theme::textSecondary());
        notes->setObjectName(QStringLiteral("achievementDesc"));
        notes->setWordWrap(true);
        notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        notes_ = notes;
        fitNotes(width > 0 ? width : 100000);
        card->addWidget(notes);
    }

    deleteButton_ = new QToolButton(this);
    deleteButton_->setObjectName(QStringLiteral("deleteAchievementButton"));
    deleteButton_->setToolTip(tr("Delete"));
    deleteButton_->setCursor(Qt::PointingHandCursor);
    const int side = deleteSide() - 10;
    deleteButton_->setIcon(Symbols::icon(QStringLiteral("trash"), AppTheme::Colors::coral(), side));
    deleteButton_->setIconSize(QSize(side, side));
    deleteButton_->setFixedSize(deleteSide(), deleteSide());
    deleteButton_->setStyleSheet(
        QStringLiteral("QToolButton { border: none; border-radius: %1px; background: %2; }")
            .arg(deleteSide() / 2)
            .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::coral(), 0.1))));
    connect(deleteButton_, &QToolButton::clicked, this, [this] {
        if (onDelete_)
            onDelete_();
    });
    deleteButton_->setFocusPolicy(Qt::NoFocus);
    FocusAfter::markAction(deleteButton_, FocusAfter::Action::deletes);
    deleteButton_->hide(); // fades in from nothing on the first hover
    focus_ = new FocusWithin(this);
    connect(focus_, &FocusWithin::changed, this, &AchievementTimelineRow::fadeDelete);
}

QWidget* AchievementTimelineRow::categoryChip(const QString& name) {
    auto* chip = ScreenStyle::label(name, Theme::font(10, QFont::Medium), AppTheme::Colors::violet());
    chip->setObjectName(QStringLiteral("categoryChip"));
    chip->setContentsMargins(7, 2, 7, 2);
    const int height = chip->sizeHint().height();
    chip->setAttribute(Qt::WA_StyledBackground, true);
    chip->setStyleSheet(
        QStringLiteral("QLabel#categoryChip { background: %1; border-radius: %2px; color: %3; }")
            .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::violet(), 0.12)))
            .arg(height / 2)
            .arg(Theme::css(AppTheme::Colors::violet())));
    chip->setFixedHeight(height);
    return chip;
}

QString AchievementTimelineRow::mediumDateText(const QDate& date) {
    return DateText::medium(date);
}

void AchievementTimelineRow::setHovered(bool hovered) {
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    fadeDelete();
}

void AchievementTimelineRow::fadeDelete() {
    const bool shown = hovered_ || focus_->isWithin();
    if (shown == deleteShown_)
        return;
    deleteShown_ = shown;
    // While it fades out it is still drawn, but no longer a stop.
    FocusWithin::offer(this, deleteButton_, shown);
    placeDeleteButton();
    const bool wasHidden = deleteButton_->isHidden();
    QPointer<MotionEffect> effect = MotionEffect::of(deleteButton_);
    if (wasHidden)
        effect->setOpacity(0);
    deleteButton_->show();
    deleteButton_->raise();
    const double from = effect->opacity();
    const double to = shown ? 1.0 : 0.0;
    Animator::stop(fade_);
    QPointer<QToolButton> button = deleteButton_;
    fade_ = Animator::run(
        this, AppTheme::Animation::snappy(),
        [effect, from, to](double t) {
            if (effect)
                effect->setOpacity(std::clamp(from + (to - from) * t, 0.0, 1.0));
        },
        0,
        [this, button] {
            if (!button)
                return;
            if (!deleteShown_) {
                button->hide();
                button->setGraphicsEffect(nullptr);
            }
            MotionEffect::settle(button);
        });
}

void AchievementTimelineRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setHovered(true);
}

void AchievementTimelineRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHovered(false);
}

void AchievementTimelineRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The list sizes the row from heightFor at its final width; the notes follow that count.
    fitNotes(width());
    placeDeleteButton();
}

void AchievementTimelineRow::fitNotes(int width) {
    if (!notes_)
        return;
    // Two lines at most; the whole text is in the tip.
    const QString desc = notes_->text();
    const int lines = notesLines(desc, width);
    notes_->setFixedHeight(lines * notes_->fontMetrics().lineSpacing());
    notes_->setToolTip(lines > 1 ? Qt::convertFromPlainText(desc) : QString());
}

void AchievementTimelineRow::placeDeleteButton() {
    deleteButton_->move(width() - kDeleteInsetTrailing - deleteButton_->width(), kDeleteInsetTop);
}

void AchievementTimelineRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double centerX = kNodeColumn / 2.0;
    const QRectF node(centerX - kNode / 2.0, 0, kNode, kNode);

    // The line runs on under the node to the row's bottom, so consecutive rows join.
    p.fillRect(QRectF(centerX - 0.75, kNode, 1.5, height() - kNode), AppTheme::Colors::borderSubtle());
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::withOpacity(AppTheme::Colors::violet(), 0.18));
    p.drawEllipse(node);
    p.setFont(Theme::emojiFont(18));
    p.setPen(Theme::textPrimary());
    p.drawText(node, Qt::AlignCenter, emoji_);
}
