#include "Views/Goals/CreateGoalView.h"

#include "Components/BareScrollArea.h"
#include "Components/ChoiceGroup.h"
#include "Components/DatePickerField.h"
#include "Components/FocusAfter.h"
#include "Components/FocusWithin.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/ToggleSwitch.h"
#include "ViewModels/CreateGoalViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/EnumStyles.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalCategoryPicker.h"
#include "Views/Goals/GoalStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const QString& text, const QFont& font, const QColor& color) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(Theme::css(color)));
    return label;
}

QWidget* divider() {
    auto* line = new QWidget;
    line->setFixedHeight(1);
    line->setAttribute(Qt::WA_StyledBackground);
    line->setStyleSheet(QStringLiteral("background: %1;").arg(Theme::css(AppTheme::Colors::borderSubtle())));
    return line;
}

// A field drawn inside a box of its own shows its focus on the box's edge, as the sheets' fields
// show it on theirs; the field itself then draws nothing for it (and gets no ring of its own).
void edgeFollowsFocus(QWidget* box, QLineEdit* field, const QColor& rest) {
    field->setStyleSheet(field->styleSheet() + QStringLiteral("QLineEdit:focus { border: none; }"));
    const QString name = box->objectName();
    const QString sheet = box->styleSheet();
    auto* within = new FocusWithin(box);
    QObject::connect(within, &FocusWithin::changed, box, [box, name, sheet, rest](bool focused) {
        const QColor edge = focused ? Theme::withOpacity(AppTheme::Colors::indigo(), 0.8) : rest;
        box->setStyleSheet(
            sheet + QStringLiteral("QWidget#%1 { border: 1px solid %2; }").arg(name, Theme::css(edge)));
    });
}

} // namespace

CreateGoalView::CreateGoalView(GoalsViewModel* viewModel, std::shared_ptr<Goal> goalToEdit, QWidget* parent)
    : QWidget(parent), form_(new CreateGoalViewModel(viewModel, std::move(goalToEdit), this)) {
    setObjectName(QStringLiteral("createGoalView"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("QWidget#createGoalView { background: %1; }")
                      .arg(Theme::css(Theme::backgroundSecondary())));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildHeader());
    column->addWidget(divider());
    column->addWidget(buildSections(), 1);
    column->addWidget(divider());
    column->addWidget(buildFooter());
    connect(form_, &CreateGoalViewModel::changed, this, &CreateGoalView::sync);
    sync();
}

CreateGoalView::~CreateGoalView() = default;

SheetHost* CreateGoalView::present(QWidget* over, GoalsViewModel* viewModel, std::shared_ptr<Goal> goalToEdit,
                                   QSize frame, std::function<void()> onDismiss) {
    auto* sheet = new CreateGoalView(viewModel, std::move(goalToEdit));
    SheetHost* host = SheetHost::present(over, sheet, frame.width(), std::move(onDismiss));
    host->setCardHeight(frame.height());
    return host;
}

QWidget* CreateGoalView::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(32, 32, 32, 32);
    auto* title = makeLabel(form_->headerTitle(), Theme::font(22, QFont::Bold), Theme::textPrimary());
    title->setObjectName(QStringLiteral("createGoalHeader"));
    row->addWidget(title);
    row->addStretch(1);
    auto* closeButton = new QToolButton;
    closeButton->setObjectName(QStringLiteral("createGoalClose"));
    closeButton->setAccessibleName(tr("Close"));
    const int size = Symbols::pixelSizeForFontSize(20);
    closeButton->setIcon(Symbols::icon(QStringLiteral("xmark.circle.fill"), Theme::textMuted(), size));
    closeButton->setIconSize(QSize(size, size));
    closeButton->setAutoRaise(true);
    closeButton->setCursor(Qt::PointingHandCursor);
    closeButton->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    connect(closeButton, &QToolButton::clicked, this, &CreateGoalView::dismissSheet);
    row->addWidget(closeButton);
    return header;
}

QWidget* CreateGoalView::buildSections() {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("createGoalScroll"));
    BareScrollArea::makeBare(scroll);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addWidget(section(QStringLiteral("Goal Title"), buildTitleField()));
    category_ = new GoalCategoryPicker(form_);
    column->addWidget(section(QStringLiteral("Category"), category_));
    column->addWidget(section(QStringLiteral("Color"), buildColors()));
    column->addWidget(section(QStringLiteral("Priority"), buildPriority()));
    column->addWidget(section(QStringLiteral("Deadline"), buildDeadline()));
    column->addWidget(section(QStringLiteral("Financial Goal"), buildMoney()));
    edgeFollowsFocus(amountEntry_, amountField_, Theme::withOpacity(AppTheme::Colors::emerald(), 0.4));
    column->addWidget(section(QStringLiteral("Notes (optional)"), buildNotes()));
    column->addStretch(1);
    scroll->setWidget(content);
    return scroll;
}

QWidget* CreateGoalView::section(const QString& title, QWidget* content) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    QFont font = Theme::font(11, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    column->addWidget(makeLabel(title, font, Theme::textSecondary()));
    column->addWidget(content);
    return box;
}

QWidget* CreateGoalView::buildTitleField() {
    title_ =
        GoalStyle::plainField(QStringLiteral("createGoalTitleField"),
                              QStringLiteral("e.g. Run a half marathon"), Theme::font(18, QFont::DemiBold));
    title_->setAccessibleName(QStringLiteral("Goal title"));
    title_->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; border: 1px solid transparent; border-radius: 12px; "
                       "color: %2; padding: 15px; }"
                       "QLineEdit:focus { border: 1px solid %3; }")
            .arg(Theme::css(Theme::backgroundTertiary()), Theme::css(Theme::textPrimary()),
                 Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.8))));
    title_->setText(form_->title());
    connect(title_, &QLineEdit::textEdited, form_, &CreateGoalViewModel::setTitle);
    return title_;
}

QWidget* CreateGoalView::buildColors() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto* group = new ChoiceGroup(box);
    for (const QString& hex : CreateGoalViewModel::colorPalette()) {
        auto* swatch = new QToolButton;
        swatch->setObjectName(QStringLiteral("createGoalColor_") + hex.mid(1));
        swatch->setAccessibleName(CreateGoalViewModel::colorName(hex));
        swatch->setCheckable(true);
        swatch->setFixedSize(32, 32);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->setIconSize(QSize(Symbols::pixelSizeForFontSize(12), Symbols::pixelSizeForFontSize(12)));
        swatch->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; border: none; border-radius: 16px; }")
                .arg(Theme::css(ColorHex::fromHex(hex))));
        swatch->setProperty("hex", hex);
        connect(swatch, &QToolButton::clicked, form_, [this, hex] { form_->setSelectedColorHex(hex); });
        swatches_ << swatch;
        group->add(swatch);
        row->addWidget(swatch);
    }
    row->addStretch(1);
    return box;
}

QWidget* CreateGoalView::buildPriority() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    priorityGroup_ = new ChoiceGroup(box);
    for (GoalPriority priority : GoalPriorities::allCases) {
        const qint16 raw = GoalPriorities::rawValue(priority);
        auto* chip =
            GoalStyle::chip(QStringLiteral("createGoalPriority_%1").arg(raw), EnumStyles::label(priority));
        const int size = Symbols::pixelSizeForFontSize(11);
        chip->setIconSize(QSize(size, size));
        chip->setProperty("raw", raw);
        connect(chip, &QToolButton::clicked, form_, [this, raw] { form_->setPriority(raw); });
        priorities_ << chip;
        priorityGroup_->add(chip);
        row->addWidget(chip);
    }
    row->addStretch(1);
    return box;
}

QWidget* CreateGoalView::buildDeadline() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* toggleRow = new QHBoxLayout;
    toggleRow->addWidget(
        makeLabel(QStringLiteral("Set a deadline"), Theme::font(13, QFont::Medium), Theme::textPrimary()));
    toggleRow->addStretch(1);
    deadlineToggle_ = new ToggleSwitch(form_->hasDeadline(), AppTheme::Colors::purple());
    deadlineToggle_->setObjectName(QStringLiteral("createGoalDeadlineToggle"));
    deadlineToggle_->setAccessibleName(tr("Set a deadline"));
    connect(deadlineToggle_, &ToggleSwitch::toggled, form_, &CreateGoalViewModel::setHasDeadline);
    toggleRow->addWidget(deadlineToggle_);
    column->addLayout(toggleRow);
    deadlinePicker_ = new DatePickerField(form_->deadline(), DatePickerField::Style::Compact);
    deadlinePicker_->setObjectName(QStringLiteral("createGoalDeadlinePicker"));
    deadlinePicker_->setMinimumWidth(170);
    ScreenStyle::nameByCaption(deadlinePicker_, tr("Deadline"));
    connect(deadlinePicker_, &DatePickerField::dateTimeChanged, form_, &CreateGoalViewModel::setDeadline);
    column->addWidget(deadlinePicker_, 0, Qt::AlignLeft);
    return box;
}

QWidget* CreateGoalView::buildMoney() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    const QColor emerald = AppTheme::Colors::emerald();
    auto* toggleRow = new QHBoxLayout;
    toggleRow->setSpacing(6);
    toggleRow->addWidget(
        new SymbolIcon(QStringLiteral("dollarsign.circle.fill"), Symbols::pixelSizeForFontSize(13), emerald));
    toggleRow->addWidget(makeLabel(QStringLiteral("This goal requires money"), Theme::font(13, QFont::Medium),
                                   Theme::textPrimary()));
    toggleRow->addStretch(1);
    moneyToggle_ = new ToggleSwitch(form_->needsMoney(), emerald);
    moneyToggle_->setObjectName(QStringLiteral("createGoalMoneyToggle"));
    moneyToggle_->setAccessibleName(tr("This goal requires money"));
    connect(moneyToggle_, &ToggleSwitch::toggled, form_, &CreateGoalViewModel::setNeedsMoney);
    toggleRow->addWidget(moneyToggle_);
    column->addLayout(toggleRow);

    amountEntry_ = new QWidget;
    amountEntry_->setObjectName(QStringLiteral("createGoalAmountEntry"));
    amountEntry_->setAttribute(Qt::WA_StyledBackground);
    amountEntry_->setStyleSheet(
        QStringLiteral(
            "QWidget#createGoalAmountEntry { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(AppTheme::Colors::glassSurface()), Theme::css(Theme::withOpacity(emerald, 0.4))));
    auto* entryRow = new QHBoxLayout(amountEntry_);
    entryRow->setContentsMargins(16, 16, 16, 16);
    entryRow->setSpacing(8);
    entryRow->addWidget(new SymbolIcon(QStringLiteral("target"), Symbols::pixelSizeForFontSize(12), emerald));
    amountField_ =
        GoalStyle::plainField(QStringLiteral("createGoalAmountField"),
                              QStringLiteral("Total amount needed (e.g. 100000)"), Theme::font(14));
    amountField_->setText(form_->targetAmountText());
    amountField_->setAccessibleName(QStringLiteral("Total amount needed"));
    connect(amountField_, &QLineEdit::textEdited, form_, &CreateGoalViewModel::setTargetAmountText);
    entryRow->addWidget(amountField_, 1);
    column->addWidget(amountEntry_);
    column->addWidget(new NumberFieldNote(amountField_, CreateGoalViewModel::targetAmountRule()));
    return box;
}

QWidget* CreateGoalView::buildNotes() {
    notes_ = new QPlainTextEdit;
    notes_->setObjectName(QStringLiteral("createGoalNotes"));
    notes_->setAccessibleName(QStringLiteral("Notes"));
    notes_->setFont(Theme::font(13));
    notes_->setFixedHeight(80);
    notes_->setFrameShape(QFrame::NoFrame);
    notes_->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: %1; color: %2; border: none; border-radius: 8px; "
                       "padding: 8px; }")
            .arg(Theme::css(Theme::backgroundTertiary()), Theme::css(Theme::textPrimary())));
    notes_->setPlainText(form_->notes());
    connect(notes_, &QPlainTextEdit::textChanged, form_, [this] { form_->setNotes(notes_->toPlainText()); });
    return notes_;
}

QWidget* CreateGoalView::buildFooter() {
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(32, 32, 32, 32);
    row->setSpacing(16);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("createGoalCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    cancel->setFont(Theme::font(14, QFont::Medium));
    cancel->setCursor(Qt::PointingHandCursor);
    cancel->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; background: %2; border: none; border-radius: 12px; "
                       "padding: 8px 32px; }")
            .arg(Theme::css(Theme::textSecondary()), Theme::css(Theme::backgroundTertiary())));
    connect(cancel, &QPushButton::clicked, this, &CreateGoalView::dismissSheet);
    row->addWidget(cancel);
    row->addStretch(1);
    confirm_ = new QPushButton(form_->confirmLabel());
    confirm_->setObjectName(QStringLiteral("createGoalConfirm"));
    confirm_->setFont(Theme::font(14, QFont::Medium));
    confirm_->setCursor(Qt::PointingHandCursor);
    connect(confirm_, &QPushButton::clicked, this, &CreateGoalView::confirm);
    row->addWidget(confirm_);
    return footer;
}

void CreateGoalView::sync() {
    category_->sync();
    for (QToolButton* swatch : swatches_) {
        const bool chosen = swatch->property("hex").toString() == form_->selectedColorHex();
        swatch->setChecked(chosen);
        swatch->setIcon(
            chosen ? Symbols::icon(QStringLiteral("checkmark"), Qt::white, Symbols::pixelSizeForFontSize(12))
                   : QIcon());
    }
    for (QToolButton* chip : priorities_) {
        const qint16 raw = qint16(chip->property("raw").toInt());
        const GoalPriority priority = GoalPriorities::fromRaw(raw).value_or(GoalPriority::medium);
        const bool chosen = form_->priority() == raw;
        if (chosen)
            priorityGroup_->setChosen(chip);
        const QColor tone = chosen ? EnumStyles::tone(priority) : Theme::textSecondary();
        chip->setIcon(Symbols::icon(EnumStyles::symbol(priority), tone, Symbols::pixelSizeForFontSize(11)));
        chip->setStyleSheet(
            QStringLiteral("QToolButton { color: %1; background: %2; border: none; border-radius: 8px; "
                           "padding: 8px 16px; }")
                .arg(Theme::css(tone),
                     Theme::css(chosen ? Theme::withOpacity(tone, 0.15) : Theme::backgroundTertiary())));
    }
    deadlinePicker_->setVisible(form_->hasDeadline());
    amountEntry_->setVisible(form_->needsMoney());

    // The fill follows the title as typed; the enabling also wants a usable amount.
    const bool filled = form_->hasTitleText();
    confirm_->setEnabled(form_->canConfirm());
    const QString fill =
        filled ? GoalStyle::horizontalGradient(AppTheme::Colors::purple(),
                                               Theme::withOpacity(AppTheme::Colors::cyan(), 0.8))
               : Theme::css(Theme::backgroundTertiary());
    confirm_->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: %1; border: none; border-radius: 12px; "
                       "padding: 8px 32px; }")
            .arg(fill) +
        ScreenStyle::disabledRule(QStringLiteral("QPushButton")));
}

void CreateGoalView::confirm() {
    if (!form_->canConfirm())
        return;
    // A failed save keeps the sheet open with everything typed, so it can be tried again.
    if (form_->confirm())
        dismissSheet();
}

void CreateGoalView::dismissSheet() {
    if (SheetHost* host = SheetHost::of(this))
        host->dismiss();
}
