#include "Views/Goals/MilestoneCard.h"

#include "Components/AlertDialog.h"
#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/SmallProgressBar.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "ViewModels/GoalText.h"
#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/StepRowView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

MilestoneCard::MilestoneCard(std::shared_ptr<Milestone> milestone, QColor goalColor, bool isExpanded,
                             Actions actions, QWidget* parent)
    : QFrame(parent), milestone_(std::move(milestone)), goalColor_(goalColor), isExpanded_(isExpanded),
      actions_(std::move(actions)) {
    setObjectName(QStringLiteral("milestoneCard"));
    FocusAfter::markRow(this);
    setAccessibleName(GoalText::milestoneHeading(*milestone_));
    setAttribute(Qt::WA_StyledBackground, false);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildHeader());
    if (isExpanded_)
        column->addWidget(buildSteps());
}

QWidget* MilestoneCard::buildHeader() {
    header_ = new QWidget(this);
    header_->setObjectName(QStringLiteral("milestoneHeader"));
    header_->setCursor(Qt::PointingHandCursor);
    header_->installEventFilter(this);
    auto* row = new QHBoxLayout(header_);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(8);

    auto* chevron = new QToolButton(header_);
    chevron->setObjectName(QStringLiteral("milestoneChevron"));
    chevron->setToolTip(isExpanded_ ? tr("Collapse") : tr("Expand"));
    GoalDetailStyle::styleSymbolButton(
        chevron, isExpanded_ ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"),
        GoalDetailStyle::textMuted(), 11);
    chevron->setFixedWidth(16);
    connect(chevron, &QToolButton::clicked, this, [this] {
        if (actions_.onToggleExpand)
            actions_.onToggleExpand();
    });
    row->addWidget(chevron);

    auto* icon = new QLabel(header_);
    icon->setPixmap(
        GoalDetailStyle::symbolPixmap(QStringLiteral("circle.dotted"), GoalDetailStyle::textMuted(), 16));
    row->addWidget(icon);

    const bool done = milestone_->isCompleted();
    auto* name = new ElidedLabel(header_);
    name->setObjectName(QStringLiteral("milestoneName"));
    QFont nameFont = GoalDetailStyle::themeFont(14, QFont::Medium);
    nameFont.setStrikeOut(done);
    GoalDetailStyle::styleLabel(name, nameFont,
                                done ? GoalDetailStyle::textSecondary() : GoalDetailStyle::textPrimary());
    name->setFullText(GoalText::milestoneHeading(*milestone_));
    row->addWidget(name, 1);
    row->addSpacing(8);

    const auto steps = milestone_->stepsArray();
    const int completed = milestone_->completedStepsCount();
    auto* count = new QLabel(header_);
    count->setObjectName(QStringLiteral("milestoneCount"));
    GoalDetailStyle::styleLabel(count, GoalDetailStyle::themeFont(11, QFont::Medium),
                                GoalDetailStyle::textMuted());
    count->setText(QStringLiteral("%1/%2").arg(completed).arg(steps.size()));
    row->addWidget(count);

    const double progress = steps.empty() ? 0.0 : double(completed) / double(steps.size());
    auto* bar = new SmallProgressBar(progress, goalColor_, 4, false, header_);
    bar->setObjectName(QStringLiteral("milestoneBar"));
    bar->setFixedWidth(60);
    row->addWidget(bar);

    auto* trash = new QToolButton(header_);
    trash->setObjectName(QStringLiteral("milestoneDelete"));
    trash->setToolTip(tr("Delete Milestone"));
    GoalDetailStyle::styleSymbolButton(trash, QStringLiteral("trash"),
                                       GoalDetailStyle::withAlpha(GoalDetailStyle::rose(), 0.7), 11, 5,
                                       GoalDetailStyle::withAlpha(GoalDetailStyle::rose(), 0.08));
    // The trash only asks; the host hears nothing unless the deletion is confirmed.
    connect(trash, &QToolButton::clicked, this, &MilestoneCard::confirmDelete);
    FocusAfter::markAction(trash, FocusAfter::Action::deletes);
    row->addWidget(trash);
    return header_;
}

QWidget* MilestoneCard::buildSteps() {
    auto* list = new QWidget(this);
    list->setObjectName(QStringLiteral("milestoneSteps"));
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(2);
    for (const auto& step : milestone_->stepsArray()) {
        auto* row = new StepRowView(
            step, goalColor_,
            [this, step] {
                if (actions_.onToggleStep)
                    actions_.onToggleStep(step);
            },
            [this, step] {
                if (actions_.onDeleteStep)
                    actions_.onDeleteStep(step);
            },
            list);
        FocusAfter::fillRow(row, step->objectID());
        column->addWidget(row);
    }

    auto* add = new QToolButton(list);
    add->setObjectName(QStringLiteral("addStepButton"));
    add->setText(tr("Add Step"));
    FocusAfter::markCarryOn(add, QStringLiteral("stepRow"));
    add->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QColor tint = GoalDetailStyle::withAlpha(goalColor_, 0.7);
    GoalDetailStyle::styleTextButton(add, GoalDetailStyle::themeFont(12, QFont::Medium), tint);
    add->setIcon(GoalDetailStyle::symbol(QStringLiteral("plus"), tint));
    add->setIconSize(QSize(GoalDetailStyle::symbolPixels(11), GoalDetailStyle::symbolPixels(11)));
    add->setCursor(Qt::PointingHandCursor);
    connect(add, &QToolButton::clicked, this, [this] {
        if (actions_.onAddStep)
            actions_.onAddStep();
    });
    auto* addRow = new QHBoxLayout;
    addRow->setContentsMargins(40, 4, 0, 4);
    addRow->addWidget(add);
    addRow->addStretch(1);
    column->addLayout(addRow);
    return list;
}

void MilestoneCard::confirmDelete() {
    const QString title = tr("Delete \"%1\"?").arg(GoalText::milestoneTitle(milestone_.get()));
    // The action holds no card: the card may be rebuilt while the dialog is up.
    AlertDialog::present(this, title, tr("This will also delete all steps inside this effort."),
                         {{tr("Delete Milestone"), AlertDialog::Role::Destructive,
                           [onDelete = actions_.onDelete] {
                               if (onDelete)
                                   onDelete();
                           }},
                          {tr("Cancel"), AlertDialog::Role::Cancel, {}}});
}

bool MilestoneCard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == header_) {
        // A click anywhere on the header that its buttons did not take opens the schedule.
        if (event->type() == QEvent::MouseButtonPress) {
            headerPressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const bool inside = header_->rect().contains(mouse->position().toPoint());
            if (headerPressed_ && inside && mouse->button() == Qt::LeftButton && actions_.onTap) {
                headerPressed_ = false;
                actions_.onTap();
                return true;
            }
            headerPressed_ = false;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void MilestoneCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(box, 12, 12);
    painter.fillPath(shape, GoalDetailStyle::backgroundSecondary());
    const QColor border = milestone_->isCompleted() ? GoalDetailStyle::withAlpha(goalColor_, 0.2)
                                                    : GoalDetailStyle::borderSubtle();
    painter.setPen(QPen(border, 1));
    painter.drawPath(shape);
}
