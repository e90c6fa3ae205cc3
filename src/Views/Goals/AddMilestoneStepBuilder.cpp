#include "Views/Goals/AddMilestoneStepBuilder.h"

#include "Views/Goals/GoalDetailStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString builderIcon(StepInputType type) {
    return type == StepInputType::checkbox ? QStringLiteral("checkmark.square") : QStringLiteral("pencil.line");
}

} // namespace

AddMilestoneStepBuilder::AddMilestoneStepBuilder(QColor goalColor, QWidget* parent)
    : QWidget(parent), goalColor_(goalColor), field_(new QLineEdit(this)), confirm_(new QPushButton(tr("Add Step"), this)) {
    setObjectName(QStringLiteral("stepBuilder"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(16);

    auto* choice = new QVBoxLayout;
    choice->setSpacing(4);
    auto* label = new QLabel(tr("How will you track this?"), this);
    GoalDetailStyle::styleLabel(label, GoalDetailStyle::themeFont(12, QFont::Medium), GoalDetailStyle::textSecondary());
    choice->addWidget(label);
    auto* types = new QHBoxLayout;
    types->setSpacing(8);
    for (StepInputType type : StepInputTypes::allCases) {
        auto* button = new QPushButton(StepInputTypes::rawValue(type), this);
        button->setObjectName(QStringLiteral("builderInputType"));
        button->setProperty("inputType", StepInputTypes::rawValue(type));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, [this, type] {
            inputType_ = type;
            refresh();
            emit inputTypeChosen(type);
        });
        typeButtons_.push_back(button);
        types->addWidget(button, 1);
    }
    choice->addLayout(types);
    column->addLayout(choice);

    field_->setObjectName(QStringLiteral("builderTitleField"));
    field_->setPlaceholderText(tr("e.g. Learn one chapter"));
    field_->setFont(GoalDetailStyle::themeFont(14, QFont::Medium));
    field_->setFrame(false);
    field_->setStyleSheet(
        QStringLiteral("QLineEdit#builderTitleField { color: %1; background: %2; border: none; border-radius: 12px;"
                       " padding: 16px; }")
            .arg(GoalDetailStyle::css(GoalDetailStyle::textPrimary()),
                 GoalDetailStyle::css(GoalDetailStyle::backgroundTertiary())));
    connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
        title_ = text;
        refresh();
        emit titleEdited(text);
    });
    column->addWidget(field_);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("builderCancel"));
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

void AddMilestoneStepBuilder::focusTitle() { field_->setFocus(); }

void AddMilestoneStepBuilder::refresh() {
    for (QPushButton* button : typeButtons_) {
        const auto type = StepInputTypes::fromRaw(button->property("inputType").toString()).value_or(StepInputType::checkbox);
        const bool selected = type == inputType_;
        const QColor ink = selected ? goalColor_ : GoalDetailStyle::textSecondary();
        button->setFont(GoalDetailStyle::themeFont(13, QFont::Medium));
        button->setIcon(GoalDetailStyle::symbol(builderIcon(type), ink));
        button->setIconSize(QSize(GoalDetailStyle::symbolPixels(13), GoalDetailStyle::symbolPixels(13)));
        button->setStyleSheet(
            QStringLiteral("QPushButton#builderInputType { color: %1; background: %2; border: 1px solid %3;"
                           " border-radius: 8px; padding: 8px 0px; }")
                .arg(GoalDetailStyle::css(ink),
                     GoalDetailStyle::css(selected ? GoalDetailStyle::withAlpha(goalColor_, 0.12)
                                                   : GoalDetailStyle::backgroundTertiary()),
                     GoalDetailStyle::css(selected ? GoalDetailStyle::withAlpha(goalColor_, 0.3)
                                                   : QColor(Qt::transparent))));
        button->setProperty("selected", selected);
    }
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
