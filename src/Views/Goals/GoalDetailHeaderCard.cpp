#include "Views/Goals/GoalDetailHeaderCard.h"

#include "Components/CategoryTag.h"
#include "Components/MomentumBadge.h"
#include "Components/PriorityBadge.h"
#include "Models/Goal.h"
#include "Views/Goals/GoalDetailStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

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
    auto* icon = text->parentWidget()->findChild<QLabel*>(text->parentWidget()->objectName() + QStringLiteral("Icon"));
    icon->setPixmap(GoalDetailStyle::symbolPixmap(symbol, color, 12));
    GoalDetailStyle::styleLabel(text, GoalDetailStyle::themeFont(12, QFont::Medium), color);
    text->setText(value);
}

} // namespace

GoalDetailHeaderCard::GoalDetailHeaderCard(std::shared_ptr<Goal> goal, QWidget* parent)
    : QWidget(parent), goal_(std::move(goal)), badges_(new QHBoxLayout), edit_(new QToolButton(this)),
      achieve_(new QToolButton(this)), title_(new QLabel(this)), notes_(new QLabel(this)) {
    setObjectName(QStringLiteral("goalHeader"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    badges_->setContentsMargins(0, 0, 0, 0);
    badges_->setSpacing(8);
    top->addLayout(badges_, 1);
    edit_->setObjectName(QStringLiteral("editGoalButton"));
    edit_->setToolTip(tr("Edit Goal"));
    connect(edit_, &QToolButton::clicked, this, &GoalDetailHeaderCard::editRequested);
    top->addWidget(edit_);
    achieve_->setObjectName(QStringLiteral("achieveButton"));
    achieve_->setToolTip(tr("Mark as Achieved"));
    connect(achieve_, &QToolButton::clicked, this, &GoalDetailHeaderCard::achieveRequested);
    top->addWidget(achieve_);
    column->addLayout(top);

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
    refresh();
}

void GoalDetailHeaderCard::refresh() {
    const QColor color = GoalDetailStyle::goalColor(goal_.get());
    while (QLayoutItem* item = badges_->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    auto* dot = new QLabel(this);
    dot->setObjectName(QStringLiteral("goalColorDot"));
    dot->setFixedSize(12, 12);
    dot->setStyleSheet(QStringLiteral("background: %1; border-radius: 6px;").arg(GoalDetailStyle::css(color)));
    badges_->addWidget(dot);
    badges_->addWidget(new CategoryTag(goal_->category().value_or(tr("Personal")), color, this));
    badges_->addStretch(1);
    // A stored priority outside low...high shows as medium.
    badges_->addWidget(new PriorityBadge(GoalPriorities::fromRaw(goal_->priority()).value_or(GoalPriority::medium), this));
    badges_->addWidget(new MomentumBadge(goal_->wrappedMomentumState(), this));

    GoalDetailStyle::styleSymbolButton(edit_, QStringLiteral("pencil"), GoalDetailStyle::textSecondary(), 12, 7,
                                       GoalDetailStyle::withAlpha(GoalDetailStyle::backgroundTertiary(), 0.6));
    GoalDetailStyle::styleSymbolButton(achieve_, QStringLiteral("trophy.fill"), GoalDetailStyle::gold(), 12, 7,
                                       GoalDetailStyle::withAlpha(GoalDetailStyle::gold(), 0.15));

    GoalDetailStyle::styleLabel(title_, GoalDetailStyle::themeFont(24, QFont::Bold), GoalDetailStyle::textPrimary());
    title_->setText(goal_->title().value_or(tr("Untitled Goal")));

    const QString notes = goal_->notes().value_or(QString());
    GoalDetailStyle::styleLabel(notes_, GoalDetailStyle::themeFont(13), GoalDetailStyle::textSecondary());
    notes_->setText(notes);
    notes_->setVisible(!notes.isEmpty());

    const auto deadline = goal_->deadline();
    deadline_->parentWidget()->setVisible(deadline.has_value());
    if (deadline) {
        const QString text = QLocale().toString(deadline->toLocalTime().date(), QStringLiteral("MMM d, yyyy"));
        setInfo(deadline_, QStringLiteral("calendar"), text,
                goal_->isOverdue() ? GoalDetailStyle::rose() : GoalDetailStyle::textSecondary());
    }
    const int streak = goal_->streak();
    streak_->parentWidget()->setVisible(streak >= 1);
    if (streak >= 1)
        setInfo(streak_, QStringLiteral("flame.fill"), QString::number(streak) + tr(" day streak"),
                GoalDetailStyle::gold());
    update();
}

void GoalDetailHeaderCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = GoalDetailStyle::goalColor(goal_.get());
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
