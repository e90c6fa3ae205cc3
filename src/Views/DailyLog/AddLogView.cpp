#include "Views/DailyLog/AddLogView.h"

#include "Components/BareScrollArea.h"
#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Models/Goal.h"
#include "ViewModels/DailyLogViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/DailyLog/GoalChip.h"
#include "Views/DailyLog/ScoreScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QStringList& moodEmoji() {
    static const QStringList list{QStringLiteral("\U0001F614"), QStringLiteral("\U0001F615"),
                                  QStringLiteral("\U0001F60A"), QStringLiteral("\U0001F604"),
                                  QStringLiteral("\U0001F929")};
    return list;
}

const QStringList& energyEmoji() {
    static const QStringList list{QStringLiteral("\U0001F50B"), QStringLiteral("\u26A1"),
                                  QStringLiteral("\u2728"), QStringLiteral("\U0001F525"),
                                  QStringLiteral("\U0001F680")};
    return list;
}

const QStringList& focusEmoji() {
    static const QStringList list{QStringLiteral("\U0001F634"), QStringLiteral("\U0001F300"),
                                  QStringLiteral("\U0001F3AF"), QStringLiteral("\U0001F50D"),
                                  QStringLiteral("\U0001F9E0")};
    return list;
}

} // namespace

AddLogView::AddLogView(std::vector<std::shared_ptr<Goal>> goals, DailyLogViewModel* viewModel,
                       QWidget* parent)
    : QWidget(parent), goals_(std::move(goals)), viewModel_(viewModel) {
    setObjectName(QStringLiteral("addLogSheet"));
    // The gaps give way before the sheet outgrows its frame (see SheetHost::addGap).
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(0);
    const auto gap = [column] { SheetHost::addGap(column, 32, 16); };

    column->addWidget(
        ScreenStyle::label(tr("Log Progress"), Theme::font(22, QFont::Bold), Theme::textPrimary()));
    gap();
    column->addWidget(buildGoalPicker());
    gap();

    mood_ = new ScoreScale(tr("Mood"), moodEmoji());
    mood_->setObjectName(QStringLiteral("moodScale"));
    energy_ = new ScoreScale(tr("Energy"), energyEmoji());
    energy_->setObjectName(QStringLiteral("energyScale"));
    focus_ = new ScoreScale(tr("Focus"), focusEmoji());
    focus_->setObjectName(QStringLiteral("focusScale"));
    column->addWidget(mood_);
    gap();
    column->addWidget(energy_);
    gap();
    column->addWidget(focus_);
    gap();

    notes_ = new QPlainTextEdit;
    notes_->setObjectName(QStringLiteral("notesEditor"));
    notes_->setAccessibleName(tr("Notes"));
    notes_->setPlaceholderText(tr("How did it go today?"));
    notes_->setFont(Theme::font(13));
    notes_->setFixedHeight(80);
    notes_->setTabChangesFocus(true);
    ScreenStyle::styleField(notes_, Theme::backgroundTertiary(), 8);
    column->addWidget(notes_);
    gap();
    column->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto* cancel = ScreenStyle::textButton(tr("Cancel"), font(), Theme::textSecondary());
    cancel->setObjectName(QStringLiteral("cancelButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &QPushButton::clicked, this, &AddLogView::dismiss);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    saveButton_ =
        ScreenStyle::textButton(tr("Save Entry"), Theme::font(14, QFont::Medium), Theme::textMuted());
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    KeyboardLayer::markDefault(saveButton_);
    connect(saveButton_, &QPushButton::clicked, this, &AddLogView::save);
    buttons->addWidget(saveButton_);
    column->addLayout(buttons);

    selectGoal(goals_.empty() ? nullptr : goals_.front());
}

QWidget* AddLogView::buildGoalPicker() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(
        ScreenStyle::label(tr("FOR GOAL"), ScreenStyle::kerned(Theme::font(10), 1.2), Theme::textMuted()));

    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (const auto& goal : goals_) {
        auto* chip = new GoalChip(goal);
        connect(chip, &GoalChip::clicked, this, [this, goal] { selectGoal(goal); });
        chips_.push_back(chip);
        row->addWidget(chip);
    }
    row->addStretch(1);

    auto* scroll = BareScrollArea::wrap(strip);
    scroll->setObjectName(QStringLiteral("goalStrip"));
    scroll->setFixedHeight(strip->sizeHint().height());
    column->addWidget(scroll);
    return box;
}

int AddLogView::presentedHeight() const {
    // Fonts larger than the frame was drawn for would otherwise push "Save Entry" out of it.
    return std::max(kHeight, layout()->totalMinimumSize().height());
}

void AddLogView::selectGoal(const std::shared_ptr<Goal>& goal) {
    selectedGoal_ = goal;
    for (GoalChip* chip : chips_)
        chip->setSelectedGoal(goal && chip->goal()->objectID() == goal->objectID());
    updateSaveButton();
}

void AddLogView::updateSaveButton() {
    const bool enabled = selectedGoal_ != nullptr;
    saveButton_->setEnabled(enabled);
    ScreenStyle::setTextButtonColor(saveButton_, enabled ? AppTheme::Colors::purple() : Theme::textMuted());
}

void AddLogView::save() {
    if (!selectedGoal_)
        return;
    // A failed save keeps the sheet open with everything typed, so it can be tried again.
    if (viewModel_->addLog(selectedGoal_, notes_->toPlainText(), mood_->value(), energy_->value(),
                           focus_->value()))
        dismiss();
}

void AddLogView::dismiss() {
    emit dismissed();
    if (SheetHost* host = SheetHost::of(this))
        host->dismiss();
}

void AddLogView::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundSecondary());
}
