#include "Views/Goals/GoalDetailProgressCard.h"

#include "Components/AnimatedProgressRing.h"
#include "Components/GlassPainter.h"
#include "ViewModels/GoalRowText.h"
#include "Views/Goals/GoalDetailStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr double kManualStep = 0.05;
constexpr double kRingSize = 100;
} // namespace

GoalDetailProgressCard::GoalDetailProgressCard(const GoalProgressText& text, QWidget* parent)
    : QWidget(parent), caption_(new QLabel(this)), minus_(new QToolButton(this)), percent_(new QLabel(this)),
      plus_(new QToolButton(this)), note_(new QLabel(this)) {
    setObjectName(QStringLiteral("progressCard"));
    ring_ = new AnimatedProgressRing(text.progress, kRingSize, 9, text.color, true,
                                     QColor(255, 255, 255, qRound(0.06 * 255)), this);
    ring_->setObjectName(QStringLiteral("progressRing"));
    // The ring's glow reaches past its 100-point frame; the card keeps its spacing to the frame.
    const int overflow = qMax(0, (ring_->sizeHint().width() - int(kRingSize)) / 2);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(qMax(0, 24 - overflow), qMax(0, 24 - overflow), 24, qMax(0, 24 - overflow));
    row->setSpacing(0);
    row->addWidget(ring_);
    row->addSpacing(qMax(0, 32 - overflow));

    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    caption_->setObjectName(QStringLiteral("progressCaption"));
    column->addWidget(caption_);
    auto* controls = new QHBoxLayout;
    controls->setSpacing(8);
    minus_->setObjectName(QStringLiteral("manualMinus"));
    minus_->setToolTip(tr("Decrease progress"));
    connect(minus_, &QToolButton::clicked, this, [this] { emit adjustRequested(-kManualStep); });
    plus_->setObjectName(QStringLiteral("manualPlus"));
    plus_->setToolTip(tr("Increase progress"));
    connect(plus_, &QToolButton::clicked, this, [this] { emit adjustRequested(kManualStep); });
    percent_->setObjectName(QStringLiteral("progressPercent"));
    percent_->setMinimumWidth(52);
    percent_->setAlignment(Qt::AlignCenter);
    controls->addWidget(minus_);
    controls->addWidget(percent_);
    controls->addWidget(plus_);
    controls->addStretch(1);
    column->addLayout(controls);
    note_->setObjectName(QStringLiteral("autoTrackedNote"));
    note_->setText(tr("Progress auto-tracked via steps"));
    note_->setWordWrap(true);
    column->addWidget(note_);
    // The column takes the spare width, so the note wraps only when the panel is narrow.
    row->addLayout(column, 1);
    row->setAlignment(column, Qt::AlignVCenter);
    setText(text);
}

void GoalDetailProgressCard::setText(const GoalProgressText& text) {
    const QColor& color = text.color;
    const bool fromSteps = text.fromSteps;
    ring_->setColor(color);
    ring_->setProgress(text.progress);

    GoalDetailStyle::styleLabel(caption_, GoalDetailStyle::themeFont(11, QFont::Medium),
                                GoalDetailStyle::textMuted());
    caption_->setText(text.caption);

    // Progress that steps decide cannot be nudged by hand.
    const QColor buttonColor = fromSteps ? GoalDetailStyle::withAlpha(GoalDetailStyle::textMuted(), 0.3)
                                         : GoalDetailStyle::withAlpha(color, 0.8);
    GoalDetailStyle::styleSymbolButton(minus_, QStringLiteral("minus.circle.fill"), buttonColor, 24);
    GoalDetailStyle::styleSymbolButton(plus_, QStringLiteral("plus.circle.fill"), buttonColor, 24);
    minus_->setEnabled(!fromSteps);
    plus_->setEnabled(!fromSteps);

    GoalDetailStyle::styleLabel(percent_, GoalDetailStyle::themeFont(22, QFont::Bold), color);
    percent_->setText(text.percent);

    GoalDetailStyle::styleLabel(note_, GoalDetailStyle::themeFont(10), GoalDetailStyle::textMuted());
    note_->setVisible(fromSteps);
}

void GoalDetailProgressCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    GlassPainter::paintBackground(painter, this, box, 18, 1.0);
    GlassPainter::paintBorder(painter, box, 18, 1.0, Qt::white);
}
