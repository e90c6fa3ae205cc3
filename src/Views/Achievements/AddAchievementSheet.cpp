#include "Views/Achievements/AddAchievementSheet.h"

#include "Components/BareScrollArea.h"
#include "Components/DatePickerField.h"
#include "Components/FocusAfter.h"
#include "Components/MenuPicker.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetChrome.h"
#include "Components/SheetHost.h"
#include "Models/AchievementCategory.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/EmojiGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QColor fieldFill() {
    return Theme::withOpacity(Theme::backgroundTertiary(), 0.4);
}

// What each emoji of the grid shows, in words, in grid order: an emoji alone reads as a sign.
const QStringList& emojiWords() {
    static const QStringList words{
        QObject::tr("Trophy"),       QObject::tr("Gold medal"),   QObject::tr("Bullseye"),
        QObject::tr("Rocket"),       QObject::tr("Star"),         QObject::tr("Flexed arm"),
        QObject::tr("Party"),        QObject::tr("Sports medal"), QObject::tr("Fire"),
        QObject::tr("Light bulb"),   QObject::tr("Books"),        QObject::tr("Money bag"),
        QObject::tr("Heart"),        QObject::tr("Seedling"),     QObject::tr("Handshake"),
        QObject::tr("Graduation"),   QObject::tr("Check mark"),   QObject::tr("Brain"),
        QObject::tr("Weightlifter"), QObject::tr("Guitar")};
    return words;
}

// The tile shows only the emoji; a screen reader says what the tile is for as well.
QString emojiName(const QString& emoji) {
    const qsizetype at = AddAchievementSheet::emojiOptions().indexOf(emoji);
    return QObject::tr("Emoji %1, choose another").arg(at < 0 ? emoji : emojiWords().value(at));
}

} // namespace

const QStringList& AddAchievementSheet::emojiOptions() {
    static const QStringList options{
        QStringLiteral("\U0001F3C6"),       QStringLiteral("\U0001F947"), QStringLiteral("\U0001F3AF"),
        QStringLiteral("\U0001F680"),       QStringLiteral("\u2B50"),     QStringLiteral("\U0001F4AA"),
        QStringLiteral("\U0001F389"),       QStringLiteral("\U0001F3C5"), QStringLiteral("\U0001F525"),
        QStringLiteral("\U0001F4A1"),       QStringLiteral("\U0001F4DA"), QStringLiteral("\U0001F4B0"),
        QStringLiteral("\u2764\uFE0F"),     QStringLiteral("\U0001F331"), QStringLiteral("\U0001F91D"),
        QStringLiteral("\U0001F393"),       QStringLiteral("\u2705"),     QStringLiteral("\U0001F9E0"),
        QStringLiteral("\U0001F3CB\uFE0F"), QStringLiteral("\U0001F3B8")};
    return options;
}

AddAchievementSheet::AddAchievementSheet(AchievementsViewModel* viewModel, const QString& prefillTitle,
                                         const QString& prefillEmoji, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel),
      emoji_(prefillEmoji.isEmpty() ? emojiOptions().first() : prefillEmoji), date_(Clock::now()) {
    setObjectName(QStringLiteral("addAchievementSheet"));
    QWidget* header = buildHeader();
    QWidget* form = buildForm();
    SheetChrome::stack(this, header, form, buildFooter());

    titleField_->setText(prefillTitle);
    connect(viewModel_, &AchievementsViewModel::categoriesChanged, this,
            &AddAchievementSheet::rebuildCategoryPicker);
    rebuildCategoryPicker();
    updateSaveButton();
}

QString AddAchievementSheet::title() const {
    return titleField_->text();
}

bool AddAchievementSheet::canSave() const {
    return !Text::trimmed(titleField_->text()).isEmpty();
}

QWidget* AddAchievementSheet::buildHeader() {
    auto* close = SheetChrome::closeButton(20, tr("Close"));
    connect(close, &QPushButton::clicked, this, &AddAchievementSheet::dismiss);
    return SheetChrome::titleRow(
        ScreenStyle::label(tr("New Achievement"), Theme::font(20, QFont::DemiBold), Theme::textPrimary()),
        close, QMargins(32, 32, 32, 32));
}

QWidget* AddAchievementSheet::section(const QString& caption, QWidget* content) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(
        ScreenStyle::label(caption, ScreenStyle::kerned(Theme::font(10), 1.5), Theme::textMuted()));
    column->addWidget(content);
    return box;
}

QWidget* AddAchievementSheet::buildForm() {
    auto* form = new QWidget;
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(24);

    column->addWidget(section(tr("EMOJI"), buildEmojiSection()));

    titleField_ = new QLineEdit;
    titleField_->setObjectName(QStringLiteral("titleField"));
    titleField_->setAccessibleName(tr("Title"));
    titleField_->setPlaceholderText(tr("What did you accomplish?"));
    titleField_->setFont(Theme::font(15, QFont::Medium));
    ScreenStyle::styleField(titleField_, fieldFill(), 16);
    connect(titleField_, &QLineEdit::textChanged, this, &AddAchievementSheet::updateSaveButton);
    column->addWidget(section(tr("ACHIEVEMENT *"), titleField_));

    datePicker_ = new DatePickerField(date_, DatePickerField::Style::Compact);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    datePicker_->setMinimumDate(QDate());
    datePicker_->setMaximumDate(QDate());
    datePicker_->setFixedWidth(160);
    ScreenStyle::nameByCaption(datePicker_, tr("Date"));
    connect(datePicker_, &DatePickerField::dateTimeChanged, this,
            [this](const QDateTime& value) { date_ = value; });
    column->addWidget(section(tr("DATE"), datePicker_));

    column->addWidget(section(tr("CATEGORY"), buildCategorySection()));

    notesEditor_ = new QPlainTextEdit;
    notesEditor_->setObjectName(QStringLiteral("notesEditor"));
    notesEditor_->setAccessibleName(tr("Notes"));
    notesEditor_->setFont(Theme::font(14));
    notesEditor_->setMinimumHeight(80);
    notesEditor_->setFixedHeight(96);
    notesEditor_->setTabChangesFocus(true);
    ScreenStyle::styleField(notesEditor_, fieldFill(), 8);
    column->addWidget(section(tr("NOTES (OPTIONAL)"), notesEditor_));
    column->addStretch(1);

    auto* scroll = BareScrollArea::wrap(form);
    scroll->setObjectName(QStringLiteral("formScroll"));
    return scroll;
}

QWidget* AddAchievementSheet::buildEmojiSection() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    emojiButton_ = new QPushButton(emoji_);
    emojiButton_->setObjectName(QStringLiteral("emojiTile"));
    emojiButton_->setFixedSize(56, 56);
    emojiButton_->setFont(Theme::emojiFont(28));
    emojiButton_->setAutoDefault(false);
    emojiButton_->setCursor(Qt::PointingHandCursor);
    emojiButton_->setStyleSheet(
        QStringLiteral("QPushButton { border: none; border-radius: 8px; background: %1; }")
            .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::violet(), 0.12))));
    emojiButton_->setAccessibleName(emojiName(emoji_));
    connect(emojiButton_, &QPushButton::clicked, this, &AddAchievementSheet::toggleEmojiPicker);
    column->addWidget(emojiButton_);

    emojiGrid_ = new EmojiGrid(emojiOptions(), emojiWords());
    emojiGrid_->setSelected(emoji_);
    emojiGrid_->setVisible(false);
    connect(emojiGrid_, &EmojiGrid::emojiChosen, this, &AddAchievementSheet::chooseEmoji);
    connect(emojiGrid_, &EmojiGrid::closeRequested, this, &AddAchievementSheet::closeEmojiPicker);
    column->addWidget(emojiGrid_);
    return box;
}

QWidget* AddAchievementSheet::buildCategorySection() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    auto* pickerRow = new QHBoxLayout;
    pickerRow->setSpacing(8);
    categoryPicker_ = new MenuPicker;
    categoryPicker_->setObjectName(QStringLiteral("categoryPicker"));
    categoryPicker_->setAccessibleName(tr("Category"));
    connect(categoryPicker_, &MenuPicker::currentIndexChanged, this, [this](int index) {
        selectedCategory_ = index > 0 ? pickerCategories_[std::size_t(index - 1)] : nullptr;
    });
    pickerRow->addWidget(categoryPicker_);

    auto* newCategory = ScreenStyle::textButton(tr("New Category"), Theme::font(12, QFont::Medium),
                                                AppTheme::Colors::violet());
    newCategory->setObjectName(QStringLiteral("newCategoryButton"));
    ScreenStyle::setSymbol(newCategory, QStringLiteral("plus.circle"), AppTheme::Colors::violet(), 12);
    connect(newCategory, &QPushButton::clicked, this, &AddAchievementSheet::toggleNewCategoryField);
    pickerRow->addWidget(newCategory);
    pickerRow->addStretch(1);
    column->addLayout(pickerRow);

    newCategoryRow_ = new QWidget;
    newCategoryRow_->setObjectName(QStringLiteral("newCategoryRow"));
    auto* fieldRow = new QHBoxLayout(newCategoryRow_);
    fieldRow->setContentsMargins(0, 0, 0, 0);
    fieldRow->setSpacing(8);
    newCategoryField_ = new QLineEdit;
    newCategoryField_->setObjectName(QStringLiteral("newCategoryField"));
    newCategoryField_->setAccessibleName(tr("Category name"));
    newCategoryField_->setPlaceholderText(tr("Category name"));
    newCategoryField_->setFont(Theme::font(13, QFont::Medium));
    ScreenStyle::styleField(newCategoryField_, fieldFill(), 8);
    fieldRow->addWidget(newCategoryField_, 1);
    auto* add =
        ScreenStyle::textButton(tr("Add"), Theme::font(13, QFont::Medium), AppTheme::Colors::violet());
    add->setObjectName(QStringLiteral("addCategoryButton"));
    connect(add, &QPushButton::clicked, this, &AddAchievementSheet::addCategory);
    fieldRow->addWidget(add);
    newCategoryRow_->setVisible(false);
    column->addWidget(newCategoryRow_);
    return box;
}

QWidget* AddAchievementSheet::buildFooter() {
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(32, 32, 32, 32);
    row->addStretch(1);
    saveButton_ = ScreenStyle::filledButton(tr("Save Achievement"), Theme::font(15, QFont::Medium),
                                            Theme::css(AppTheme::Colors::violet()), 32, 16, 8);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    connect(saveButton_, &QPushButton::clicked, this, &AddAchievementSheet::save);
    row->addWidget(saveButton_);
    return footer;
}

void AddAchievementSheet::updateSaveButton() {
    const bool enabled = canSave();
    saveButton_->setEnabled(enabled);
    const QColor fill = enabled ? AppTheme::Colors::violet() : Theme::withOpacity(Theme::textMuted(), 0.3);
    ScreenStyle::setButtonFill(saveButton_, Theme::css(fill), 32, 16, 8);
}

void AddAchievementSheet::toggleEmojiPicker() {
    if (showEmojiPicker_)
        return closeEmojiPicker();
    showEmojiPicker_ = true;
    emojiGrid_->setVisible(true);
    // The keyboard goes on in the grid, on the emoji chosen now.
    if (emojiButton_->hasFocus())
        emojiGrid_->stop()->setFocus(Qt::TabFocusReason);
}

void AddAchievementSheet::closeEmojiPicker() {
    showEmojiPicker_ = false;
    FocusAfter::handOver(emojiGrid_, emojiButton_);
    emojiGrid_->setVisible(false);
}

void AddAchievementSheet::chooseEmoji(const QString& emoji) {
    emoji_ = emoji;
    emojiButton_->setText(emoji);
    emojiButton_->setAccessibleName(emojiName(emoji));
    closeEmojiPicker();
}

void AddAchievementSheet::toggleNewCategoryField() {
    showNewCategoryField_ = !showNewCategoryField_;
    newCategoryRow_->setVisible(showNewCategoryField_);
    if (showNewCategoryField_)
        newCategoryField_->setFocus();
}

void AddAchievementSheet::addCategory() {
    const QString name = Text::trimmed(newCategoryField_->text());
    if (name.isEmpty())
        return;
    auto category = viewModel_->addCategory(name);
    if (!category)
        return; // not stored: the name stays in its field
    selectedCategory_ = std::move(category);
    rebuildCategoryPicker();
    newCategoryField_->clear();
    showNewCategoryField_ = false;
    newCategoryRow_->setVisible(false);
}

void AddAchievementSheet::rebuildCategoryPicker() {
    pickerCategories_ = viewModel_->categories();
    const QSignalBlocker blocker(categoryPicker_);
    categoryPicker_->clearOptions();
    categoryPicker_->addOption(tr("None"));
    int current = 0;
    for (std::size_t i = 0; i < pickerCategories_.size(); ++i) {
        const auto& category = pickerCategories_[i];
        categoryPicker_->addOption(category->name().value_or(tr("Other")), category->objectID());
        if (selectedCategory_ && category->objectID() == selectedCategory_->objectID())
            current = int(i) + 1;
    }
    if (current == 0)
        selectedCategory_ = nullptr;
    categoryPicker_->setCurrentIndex(current);
}

void AddAchievementSheet::save() {
    if (!canSave())
        return;
    // A failed save keeps the sheet open with everything typed, so it can be tried again.
    if (viewModel_->add(Text::trimmed(titleField_->text()), date_, emoji_, selectedCategory_,
                        notesEditor_->toPlainText()))
        dismiss();
}

void AddAchievementSheet::dismiss() {
    emit dismissed();
    if (SheetHost* host = SheetHost::of(this))
        host->dismiss();
}

void AddAchievementSheet::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fetchedOnShow_)
        return;
    fetchedOnShow_ = true;
    viewModel_->fetch();
}

void AddAchievementSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
