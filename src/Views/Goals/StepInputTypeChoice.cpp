#include "Views/Goals/StepInputTypeChoice.h"

#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalDetailStyle.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString typeIcon(StepInputType type) {
    return type == StepInputType::checkbox ? QStringLiteral("checkmark.square")
                                           : QStringLiteral("pencil.line");
}

} // namespace

StepInputTypeChoice::StepInputTypeChoice(QColor goalColor, const QString& buttonObjectName, QWidget* parent)
    : QWidget(parent), goalColor_(goalColor) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (StepInputType type : StepInputTypes::allCases) {
        auto* button = new QPushButton(StepInputTypes::rawValue(type), this);
        button->setObjectName(buttonObjectName);
        button->setProperty("inputType", StepInputTypes::rawValue(type));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, [this, type] {
            setSelected(type);
            emit chosen(type);
        });
        buttons_.push_back(button);
        row->addWidget(button, 1);
    }
    refresh();
}

void StepInputTypeChoice::setSelected(StepInputType type) {
    selected_ = type;
    refresh();
}

void StepInputTypeChoice::refresh() {
    for (QPushButton* button : buttons_) {
        const auto type = StepInputTypes::fromRaw(button->property("inputType").toString())
                              .value_or(StepInputType::checkbox);
        const bool selected = type == selected_;
        const QColor ink = selected ? goalColor_ : GoalDetailStyle::textSecondary();
        button->setFont(GoalDetailStyle::themeFont(13, QFont::Medium));
        button->setIcon(GoalDetailStyle::symbol(typeIcon(type), ink));
        button->setIconSize(QSize(GoalDetailStyle::symbolPixels(13), GoalDetailStyle::symbolPixels(13)));
        button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: 1px solid %3;"
                                             " border-radius: 8px; padding: 8px 0px; }")
                                  .arg(Theme::css(ink),
                                       Theme::css(selected ? GoalDetailStyle::withAlpha(goalColor_, 0.12)
                                                           : GoalDetailStyle::backgroundTertiary()),
                                       Theme::css(selected ? GoalDetailStyle::withAlpha(goalColor_, 0.3)
                                                           : QColor(Qt::transparent))));
        button->setProperty("selected", selected);
    }
}

void StepInputTypeChoice::styleTitleField(QLineEdit* field, const QFont& font) {
    field->setFont(font);
    field->setFrame(false);
    field->setStyleSheet(
        QStringLiteral(
            "QLineEdit { color: %1; background: %2; border: none; border-radius: 12px; padding: 16px; }")
            .arg(Theme::css(GoalDetailStyle::textPrimary()),
                 Theme::css(GoalDetailStyle::backgroundTertiary())));
}
