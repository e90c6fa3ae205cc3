#include "Views/CalendarView/CalendarFollowUpPopover.h"

#include "Components/DatePickerField.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CalendarFollowUpPopover::CalendarFollowUpPopover(const QDateTime& followUpDate, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("followUpPopover"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    column->addWidget(
        ScreenStyle::label(tr("Schedule Follow-up"), Theme::font(15, QFont::Bold), Theme::textPrimary()));

    picker_ = new DatePickerField(followUpDate, DatePickerField::Style::Graphical);
    picker_->setObjectName(QStringLiteral("followUpPicker"));
    ScreenStyle::nameByCaption(picker_, tr("Follow-up date"));
    picker_->setMinimumDate(Calendar::addDays(Clock::now(), 1).date());
    connect(picker_, &DatePickerField::dateTimeChanged, this, &CalendarFollowUpPopover::dateChanged);
    column->addWidget(picker_);

    auto* buttons = new QHBoxLayout;
    auto* cancel =
        ScreenStyle::textButton(tr("Cancel"), Theme::font(13, QFont::Medium), Theme::textSecondary());
    cancel->setObjectName(QStringLiteral("followUpCancelButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &QPushButton::clicked, this, &CalendarFollowUpPopover::cancelRequested);
    auto* confirm = ScreenStyle::filledButton(tr("Confirm"), Theme::font(13, QFont::Medium),
                                              Theme::css(AppTheme::Colors::amber()), 16, 4, 8);
    confirm->setObjectName(QStringLiteral("followUpConfirmButton"));
    connect(confirm, &QPushButton::clicked, this, &CalendarFollowUpPopover::confirmRequested);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    column->addLayout(buttons);
}

QDateTime CalendarFollowUpPopover::followUpDate() const {
    return picker_->dateTime();
}
