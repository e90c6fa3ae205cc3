#include "Views/Goals/GoalCategoryPicker.h"

#include "Components/BareScrollArea.h"
#include "Components/CastShadow.h"
#include "Components/ChoiceGroup.h"
#include "Components/FocusWithin.h"
#include "Components/SidewaysFade.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "ViewModels/CreateGoalViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalStyle.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kChipPadY = 8;

} // namespace

GoalCategoryPicker::GoalCategoryPicker(CreateGoalViewModel* form, QWidget* parent)
    : QWidget(parent), form_(form) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    strip_ = new QScrollArea(this);
    strip_->setObjectName(QStringLiteral("createGoalCategoryStrip"));
    BareScrollArea::makeBare(strip_);
    strip_->viewport()->installEventFilter(this);
    auto* chips = new QWidget;
    auto* row = new QHBoxLayout(chips);
    row->setContentsMargins(0, 4, 0, 6); // room for the chosen chip's glow
    row->setSpacing(8);
    group_ = new ChoiceGroup(this);
    for (const QString& suggestion : CreateGoalViewModel::suggestions()) {
        QToolButton* chip = GoalStyle::chip(QStringLiteral("createGoalCategory_") + suggestion, suggestion);
        connect(chip, &QToolButton::clicked, form_,
                [this, suggestion] { form_->chooseSuggestion(suggestion); });
        suggestionChips_ << chip;
        group_->add(chip);
        row->addWidget(chip);
    }
    customChip_ = GoalStyle::chip(QStringLiteral("createGoalCustomChip"), QStringLiteral("Custom"));
    connect(customChip_, &QToolButton::clicked, form_, &CreateGoalViewModel::chooseCustom);
    group_->add(customChip_);
    row->addWidget(customChip_);
    row->addStretch(1);
    strip_->setWidget(chips);
    SidewaysFade::attach(strip_);
    column->addWidget(strip_);

    customEntry_ = new QWidget(this);
    customEntry_->setObjectName(QStringLiteral("createGoalCustomEntry"));
    customEntry_->setAttribute(Qt::WA_StyledBackground);
    const QColor cyan = AppTheme::Colors::cyan();
    customEntry_->setStyleSheet(
        QStringLiteral(
            "QWidget#createGoalCustomEntry { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(AppTheme::Colors::glassSurface()),
                 GoalStyle::horizontalGradient(Theme::withOpacity(cyan, 0.5),
                                               Theme::withOpacity(AppTheme::Colors::electric(), 0.3))));
    CastShadow::set(customEntry_, {Theme::withOpacity(cyan, 0.1), 8, 0, 0}, 12);
    auto* entryRow = new QHBoxLayout(customEntry_);
    entryRow->setContentsMargins(16, 16, 16, 16);
    entryRow->setSpacing(8);
    entryRow->addWidget(new SymbolIcon(QStringLiteral("tag.fill"), Symbols::pixelSizeForFontSize(12), cyan));
    customField_ =
        GoalStyle::plainField(QStringLiteral("createGoalCustomField"),
                              QStringLiteral("Enter category name..."), Theme::font(14, QFont::Medium));
    customField_->setText(form_->customCategory());
    customField_->setAccessibleName(QStringLiteral("Category name"));
    connect(customField_, &QLineEdit::textEdited, form_, &CreateGoalViewModel::setCustomCategory);
    // The entry's edge shows the field's focus, as the sheets' fields show it on theirs.
    customField_->setStyleSheet(customField_->styleSheet() +
                                QStringLiteral("QLineEdit:focus { border: none; }"));
    const QString entrySheet = customEntry_->styleSheet();
    connect(new FocusWithin(customEntry_), &FocusWithin::changed, customEntry_,
            [this, entrySheet, cyan](bool in) {
                customEntry_->setStyleSheet(
                    entrySheet +
                    (in ? QStringLiteral("QWidget#createGoalCustomEntry { border: 1px solid %1; }")
                              .arg(Theme::css(Theme::withOpacity(cyan, 0.9)))
                        : QString()));
            });
    entryRow->addWidget(customField_, 1);
    column->addWidget(customEntry_);

    sync();
    // The chips' padding decides the strip's height; chips not shown yet are not laid out.
    int chipHeight = 0;
    for (QToolButton* chip : chips->findChildren<QToolButton*>()) {
        chip->ensurePolished();
        chipHeight = std::max(chipHeight, chip->sizeHint().height());
    }
    strip_->setFixedHeight(chipHeight + 10);
}

void GoalCategoryPicker::sync() {
    QToolButton* chosen = nullptr;
    for (QToolButton* chip : suggestionChips_) {
        const bool on = form_->isSuggestionChosen(chip->text());
        GoalStyle::styleChip(chip, on, AppTheme::Colors::indigo(), AppTheme::Colors::violet(), kChipPadY);
        if (on)
            chosen = chip;
    }
    const bool custom = form_->isCustomCategory();
    group_->setChosen(custom ? customChip_ : chosen);
    customChip_->setIcon(Symbols::icon(QStringLiteral("plus"),
                                       custom ? QColor(Qt::white) : Theme::textSecondary(),
                                       Symbols::pixelSizeForFontSize(10)));
    GoalStyle::styleChip(customChip_, custom, AppTheme::Colors::cyan(), AppTheme::Colors::electric(),
                         kChipPadY);
    customEntry_->setVisible(custom);
    if (customField_->text() != form_->customCategory())
        customField_->setText(form_->customCategory());
}

void GoalCategoryPicker::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The chips are laid out once the strip is shown.
    QTimer::singleShot(0, this, &GoalCategoryPicker::revealChosen);
}

void GoalCategoryPicker::revealChosen() {
    QToolButton* chosen = form_->isCustomCategory() ? customChip_ : nullptr;
    for (QToolButton* chip : suggestionChips_)
        if (form_->isSuggestionChosen(chip->text()))
            chosen = chip;
    if (chosen)
        strip_->ensureWidgetVisible(chosen, 0, 0);
}

// The strip hides its scroll bar; a plain mouse wheel moves it sideways.
bool GoalCategoryPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == strip_->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = strip_->horizontalScrollBar();
        if (bar->maximum() > 0 && wheel->angleDelta().x() == 0) {
            bar->setValue(bar->value() - wheel->angleDelta().y() / 2);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
