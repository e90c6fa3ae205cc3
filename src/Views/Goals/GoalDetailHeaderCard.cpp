#include "Views/Goals/GoalDetailHeaderCard.h"

#include "Components/CategoryTag.h"
#include "Components/MomentumBadge.h"
#include "Components/PriorityBadge.h"
#include "Platform/DateText.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalDetailStyle.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxCategoryWidth = 140;

// A label of a symbol and a text, both in one colour.
QWidget* infoLabel(QWidget* parent, const QString& objectName, QLabel** text) {
    auto* box = new QWidget(parent);
    box->setObjectName(objectName);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* icon = new QLabel(box);
    icon->setObjectName(objectName + QStringLiteral("Icon"));
    *text = new QLabel(box);
    (*text)->setObjectName(objectName + QStringLiteral("Text"));
    row->addWidget(icon);
    row->addWidget(*text);
    return box;
}

void setInfo(QLabel* text, const QString& symbol, const QString& value, const QColor& color) {
    auto* icon =
        text->parentWidget()->findChild<QLabel*>(text->parentWidget()->objectName() + QStringLiteral("Icon"));
    icon->setPixmap(GoalDetailStyle::symbolPixmap(symbol, color, 12));
    GoalDetailStyle::styleLabel(text, GoalDetailStyle::themeFont(12, QFont::Medium), color);
    text->setText(value);
}

} // namespace

GoalDetailHeaderCard::GoalDetailHeaderCard(const GoalHeaderText& text, QWidget* parent)
    : QWidget(parent), top_(new QHBoxLayout), second_(new QHBoxLayout), dot_(new QLabel(this)),
      tag_(new CategoryTag(QString(), Qt::white, this)), ranks_(new QWidget(this)),
      priority_(new PriorityBadge(GoalPriority::medium, ranks_)),
      momentum_(new MomentumBadge(MomentumState::coasting, ranks_)), edit_(new QToolButton(this)),
      achieve_(new QToolButton(this)), title_(new QLabel(this)), notes_(new QLabel(this)) {
    setObjectName(QStringLiteral("goalHeader"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    top_->setSpacing(8);
    dot_->setObjectName(QStringLiteral("goalColorDot"));
    dot_->setFixedSize(12, 12);
    top_->addWidget(dot_);
    tag_->setObjectName(QStringLiteral("goalCategoryTag"));
    top_->addWidget(tag_);
    top_->addStretch(1);
    auto* ranks = new QHBoxLayout(ranks_);
    ranks->setContentsMargins(0, 0, 0, 0);
    ranks->setSpacing(8);
    ranks->addWidget(priority_);
    ranks->addWidget(momentum_);
    top_->addWidget(ranks_);
    edit_->setObjectName(QStringLiteral("editGoalButton"));
    edit_->setToolTip(tr("Edit Goal"));
    connect(edit_, &QToolButton::clicked, this, &GoalDetailHeaderCard::editRequested);
    top_->addWidget(edit_);
    achieve_->setObjectName(QStringLiteral("achieveButton"));
    achieve_->setToolTip(tr("Mark as Achieved"));
    connect(achieve_, &QToolButton::clicked, this, &GoalDetailHeaderCard::achieveRequested);
    top_->addWidget(achieve_);
    column->addLayout(top_);
    second_->setSpacing(8);
    second_->addStretch(1);
    column->addLayout(second_);

    title_->setObjectName(QStringLiteral("goalTitle"));
    title_->setWordWrap(true);
    column->addWidget(title_);
    notes_->setObjectName(QStringLiteral("goalNotes"));
    notes_->setWordWrap(true);
    column->addWidget(notes_);

    auto* info = new QHBoxLayout;
    info->setSpacing(16);
    info->addWidget(infoLabel(this, QStringLiteral("deadlineLabel"), &deadline_));
    info->addWidget(infoLabel(this, QStringLiteral("streakLabel"), &streak_));
    info->addStretch(1);
    column->addLayout(info);
    setText(text);
}

void GoalDetailHeaderCard::setText(const GoalHeaderText& text) {
    const QColor& color = text.color;
    color_ = color;
    dot_->setStyleSheet(QStringLiteral("background: %1; border-radius: 6px;").arg(Theme::css(color)));
    // A long category gives way to the badges and buttons; the whole name is in the tip.
    const QString& category = text.category;
    const QString shown =
        QFontMetrics(GoalDetailStyle::themeFont(10)).elidedText(category, Qt::ElideRight, kMaxCategoryWidth);
    tag_->setTag(shown, color);
    tag_->setToolTip(shown == category ? QString() : Text::plainToolTip(category));
    // A stored priority outside low...high shows as medium.
    priority_->setPriority(text.priority);
    momentum_->setState(text.momentum);
    placeRanks();

    GoalDetailStyle::styleSymbolButton(
        edit_, QStringLiteral("pencil"), GoalDetailStyle::textSecondary(), 12, 7,
        GoalDetailStyle::withAlpha(GoalDetailStyle::backgroundTertiary(), 0.6));
    GoalDetailStyle::styleSymbolButton(achieve_, QStringLiteral("trophy.fill"), GoalDetailStyle::gold(), 12,
                                       7, GoalDetailStyle::withAlpha(GoalDetailStyle::gold(), 0.15));

    GoalDetailStyle::styleLabel(title_, GoalDetailStyle::themeFont(24, QFont::Bold),
                                GoalDetailStyle::textPrimary());
    title_->setText(text.title);

    const QString& notes = text.notes;
    GoalDetailStyle::styleLabel(notes_, GoalDetailStyle::themeFont(13), GoalDetailStyle::textSecondary());
    notes_->setText(notes);
    notes_->setVisible(!notes.isEmpty());

    deadline_->parentWidget()->setVisible(text.deadline.has_value());
    if (text.deadline)
        setInfo(deadline_, QStringLiteral("calendar"), *text.deadline,
                text.overdue ? GoalDetailStyle::rose() : GoalDetailStyle::textSecondary());
    streak_->parentWidget()->setVisible(text.streak.has_value());
    if (text.streak)
        setInfo(streak_, QStringLiteral("flame.fill"), *text.streak, GoalDetailStyle::gold());
    update();
}

void GoalDetailHeaderCard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeRanks();
}

void GoalDetailHeaderCard::placeRanks() {
    // In a narrow panel the priority and momentum badges drop to a line of their own rather
    // than pushing the card wider than the panel.
    const int spacing = top_->spacing();
    const int needed = dot_->width() + tag_->sizeHint().width() + ranks_->sizeHint().width() +
                       edit_->width() + achieve_->width() + 4 * spacing + 8;
    const int available = contentsRect().width() - 48;
    const bool onTop = needed <= available;
    if (onTop == ranksOnTop_)
        return;
    ranksOnTop_ = onTop;
    if (onTop) {
        second_->removeWidget(ranks_);
        top_->insertWidget(top_->indexOf(edit_), ranks_);
    } else {
        top_->removeWidget(ranks_);
        second_->insertWidget(0, ranks_);
    }
}

void GoalDetailHeaderCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor& color = color_;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 18, 18);
    painter.fillPath(shape, GoalDetailStyle::backgroundSecondary());
    QLinearGradient wash(rect().topLeft(), rect().bottomRight());
    wash.setColorAt(0, GoalDetailStyle::withAlpha(color, 0.12));
    wash.setColorAt(1, GoalDetailStyle::withAlpha(color, 0));
    painter.fillPath(shape, wash);
    painter.setPen(QPen(GoalDetailStyle::withAlpha(color, 0.2), 1));
    painter.drawPath(shape);
}
