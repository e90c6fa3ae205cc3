#include "Views/Goals/AddMilestoneStepBuilder.h"

#include "Components/FocusAfter.h"

#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/StepInputTypeChoice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

AddMilestoneStepBuilder::AddMilestoneStepBuilder(QColor goalColor, QWidget* parent)
    : QWidget(parent), goalColor_(goalColor), field_(new QLineEdit(this)),
      confirm_(new QPushButton(tr("Add Step"), this)) {
    setObjectName(QStringLiteral("stepBuilder"));
    field_->setAccessibleName(tr("Step title"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(16);

    auto* choice = new QVBoxLayout;
    choice->setSpacing(4);
    auto* label = new QLabel(tr("How will you track this?"), this);
    GoalDetailStyle::styleLabel(label, GoalDetailStyle::themeFont(12, QFont::Medium),
                                GoalDetailStyle::textSecondary());
    choice->addWidget(label);
    types_ = new StepInputTypeChoice(goalColor_, QStringLiteral("builderInputType"), this);
    connect(types_, &StepInputTypeChoice::chosen, this, [this](StepInputType type) {
        inputType_ = type;
        emit inputTypeChosen(type);
    });
    choice->addWidget(types_);
    column->addLayout(choice);

    field_->setObjectName(QStringLiteral("builderTitleField"));
    field_->setPlaceholderText(tr("e.g. Learn one chapter"));
    StepInputTypeChoice::styleTitleField(field_, GoalDetailStyle::themeFont(14, QFont::Medium));
    connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
        title_ = text;
        refresh();
        emit titleEdited(text);
    });
    column->addWidget(field_);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("builderCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    cancel->setAutoDefault(false);
    GoalDetailStyle::styleTextButton(cancel, GoalDetailStyle::themeFont(13, QFont::Medium),
                                     GoalDetailStyle::textSecondary());
    connect(cancel, &QPushButton::clicked, this, &AddMilestoneStepBuilder::cancelRequested);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    confirm_->setObjectName(QStringLiteral("builderAdd"));
    confirm_->setAutoDefault(false);
    connect(confirm_, &QPushButton::clicked, this, [this] {
        if (!title_.isEmpty())
            emit confirmRequested();
    });
    buttons->addWidget(confirm_);
    column->addLayout(buttons);
    refresh();
}

void AddMilestoneStepBuilder::load(const QString& title, StepInputType inputType) {
    title_ = title;
    inputType_ = inputType;
    if (field_->text() != title) {
        const QSignalBlocker quiet(field_);
        field_->setText(title);
    }
    refresh();
}

void AddMilestoneStepBuilder::focusTitle() {
    field_->setFocus();
}

void AddMilestoneStepBuilder::refresh() {
    types_->setSelected(inputType_);
    // Blanks count as a title; only an empty field holds the step back.
    const bool canAdd = !title_.isEmpty();
    confirm_->setEnabled(canAdd);
    GoalDetailStyle::styleTextButton(confirm_, GoalDetailStyle::themeFont(13, QFont::Medium),
                                     canAdd ? goalColor_ : GoalDetailStyle::textMuted());
}

void AddMilestoneStepBuilder::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    painter.fillPath(shape, GoalDetailStyle::withAlpha(GoalDetailStyle::backgroundTertiary(), 0.5));
    painter.setPen(QPen(GoalDetailStyle::withAlpha(goalColor_, 0.15), 1));
    painter.drawPath(shape);
}
