#include "Views/DailyLog/DailyLogEntryView.h"

#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

DailyLogEntryView::DailyLogEntryView(std::shared_ptr<DailyLog> log, std::function<void()> onDelete,
                                     QWidget* parent)
    : GlassCard(18, 1.0, Qt::white, parent), log_(std::move(log)), onDelete_(std::move(onDelete)) {
    setObjectName(QStringLiteral("dailyLogEntry"));
    FocusAfter::markRow(this);
    // A card keeps its own height in a long day's list: the list scrolls rather than squeeze it.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(8);

    const std::shared_ptr<Goal> goal = log_->goal();
    QColor dotColor = AppTheme::Colors::purple();
    QString name = tr("General");
    if (goal) {
        dotColor = GoalLook::color(goal.get());
        name = GoalText::title(*goal);
    }

    auto* line = new QHBoxLayout;
    line->setSpacing(16);
    auto* dot = new QLabel;
    dot->setObjectName(QStringLiteral("goalDot"));
    dot->setFixedSize(10, 10);
    dot->setStyleSheet(QStringLiteral("background: %1; border-radius: 5px;").arg(Theme::css(dotColor)));
    line->addWidget(dot);
    auto* title = ScreenStyle::label(name, Theme::font(14, QFont::Medium), Theme::textPrimary());
    title->setObjectName(QStringLiteral("goalName"));
    setAccessibleName(name);
    line->addWidget(title);
    line->addStretch(1);

    auto* chips = new QHBoxLayout;
    chips->setSpacing(8);
    chips->addWidget(scoreChip(log_->moodEmoji(), log_->moodScore()));
    chips->addWidget(scoreChip(log_->energyEmoji(), log_->energyScore()));
    line->addLayout(chips);

    chevron_ = new QToolButton;
    chevron_->setObjectName(QStringLiteral("expandButton"));
    chevron_->setAutoRaise(true);
    chevron_->setCursor(Qt::PointingHandCursor);
    chevron_->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    const int side = Symbols::pixelSizeForFontSize(11);
    chevron_->setIconSize(QSize(side, side));
    connect(chevron_, &QToolButton::clicked, this, [this] { setExpanded(!expanded_); });
    line->addWidget(chevron_);
    column->addLayout(line);

    notes_ = ScreenStyle::label(log_->notes().value_or(QString()), Theme::font(13), Theme::textSecondary());
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setWordWrap(true);
    notes_->setContentsMargins(0, 2, 0, 0);
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(notes_);

    deleteAction_ = new QAction(Symbols::icon(QStringLiteral("trash"), AppTheme::Colors::coral()),
                                tr("Delete Entry"), this);
    deleteAction_->setObjectName(QStringLiteral("deleteEntryAction"));
    connect(deleteAction_, &QAction::triggered, this, [this] {
        if (onDelete_)
            onDelete_();
    });
    addAction(deleteAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    updateExpansion();
}

QWidget* DailyLogEntryView::scoreChip(const QString& emoji, qint16 value) {
    auto* chip = new QWidget;
    chip->setObjectName(QStringLiteral("scoreChip"));
    chip->setAttribute(Qt::WA_StyledBackground, true);
    chip->setFixedHeight(22);
    chip->setStyleSheet(QStringLiteral("QWidget#scoreChip { background: %1; border-radius: 11px; }")
                            .arg(Theme::css(Theme::backgroundTertiary())));
    auto* row = new QHBoxLayout(chip);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(2);
    auto* face = new QLabel(emoji);
    face->setTextFormat(Qt::PlainText);
    face->setFont(Theme::emojiFont(12));
    row->addWidget(face);
    auto* number =
        ScreenStyle::label(QString::number(value), Theme::font(11, QFont::Bold), Theme::textSecondary());
    number->setObjectName(QStringLiteral("scoreValue"));
    row->addWidget(number);
    return chip;
}

void DailyLogEntryView::setExpanded(bool expanded) {
    if (expanded_ == expanded)
        return;
    expanded_ = expanded;
    updateExpansion();
}

void DailyLogEntryView::updateExpansion() {
    const int side = Symbols::pixelSizeForFontSize(11);
    chevron_->setIcon(Symbols::icon(expanded_ ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"),
                                    Theme::textMuted(), side));
    chevron_->setToolTip(expanded_ ? tr("Hide notes") : tr("Show notes"));
    const bool hasNotes = !log_->notes().value_or(QString()).isEmpty();
    notes_->setVisible(expanded_ && hasNotes);
}
