#include "Views/CalendarView/NewCategoryPopover.h"

#include "Components/ChoiceGroup.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarSwatch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const std::vector<NewCategoryPopover::Preset>& NewCategoryPopover::defaultPresets() {
    static const std::vector<Preset> presets{
        {QStringLiteral("Purple"), QStringLiteral("#8B5CF6")},
        {QStringLiteral("Blue"), QStringLiteral("#3B82F6")},
        {QStringLiteral("Cyan"), QStringLiteral("#06B6D4")},
        {QStringLiteral("Green"), QStringLiteral("#22C55E")},
        {QStringLiteral("Yellow"), QStringLiteral("#EAB308")},
        {QStringLiteral("Orange"), QStringLiteral("#F97316")},
        {QStringLiteral("Red"), QStringLiteral("#EF4444")},
        {QStringLiteral("Pink"), QStringLiteral("#EC4899")},
    };
    return presets;
}

NewCategoryPopover::NewCategoryPopover(const QString& name, const QString& colorHex,
                                       const std::vector<Preset>& presets, QWidget* parent)
    : QWidget(parent), colorHex_(colorHex) {
    setObjectName(QStringLiteral("newCategoryPopover"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    column->addWidget(
        ScreenStyle::label(tr("New Category"), Theme::font(14, QFont::DemiBold), Theme::textPrimary()));

    nameField_ = new QLineEdit(name);
    nameField_->setObjectName(QStringLiteral("categoryNameField"));
    nameField_->setAccessibleName(tr("Category name"));
    nameField_->setPlaceholderText(tr("Category name"));
    nameField_->setFont(Theme::font(13));
    ScreenStyle::styleField(nameField_, Theme::backgroundTertiary(), 8);
    connect(nameField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        emit nameEdited(text);
        refresh();
    });
    column->addWidget(nameField_);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0); // eight equal columns share the form's width
    grid->setVerticalSpacing(8);
    swatchGroup_ = new ChoiceGroup(this);
    for (std::size_t i = 0; i < presets.size(); ++i) {
        auto* swatch = new CalendarSwatch(presets[i].first, presets[i].second);
        connect(swatch, &CalendarSwatch::clicked, this, [this, swatch] { pick(swatch->hex()); });
        grid->addWidget(swatch, static_cast<int>(i / 8), static_cast<int>(i % 8), Qt::AlignCenter);
        swatches_.push_back(swatch);
        swatchGroup_->add(swatch);
    }
    column->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto* cancel =
        ScreenStyle::textButton(tr("Cancel"), Theme::font(13, QFont::Medium), Theme::textSecondary());
    cancel->setObjectName(QStringLiteral("categoryCancelButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &QPushButton::clicked, this, &NewCategoryPopover::cancelRequested);
    create_ = ScreenStyle::filledButton(tr("Create"), Theme::font(13, QFont::Medium), QString(), 16, 5, 8);
    create_->setObjectName(QStringLiteral("categoryCreateButton"));
    connect(create_, &QPushButton::clicked, this, [this] {
        const QString trimmed = Text::trimmed(nameField_->text());
        if (!trimmed.isEmpty())
            emit createRequested(trimmed, colorHex_);
    });
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(create_);
    column->addLayout(buttons);
    refresh();
}

QString NewCategoryPopover::name() const {
    return nameField_->text();
}

QString NewCategoryPopover::markedPreset() const {
    for (const auto* swatch : swatches_)
        if (swatch->isMarked())
            return swatch->hex();
    return {};
}

void NewCategoryPopover::pick(const QString& hex) {
    colorHex_ = hex;
    emit colorPicked(hex);
    refresh();
}

void NewCategoryPopover::refresh() {
    for (auto* swatch : swatches_) {
        swatch->setMarked(swatch->hex() == colorHex_);
        if (swatch->isMarked())
            swatchGroup_->setChosen(swatch);
    }
    const bool ready = !Text::trimmed(nameField_->text()).isEmpty();
    create_->setEnabled(ready);
    const QColor fill = ready ? ColorHex::fromHex(colorHex_) : Theme::withOpacity(Theme::textMuted(), 0.3);
    ScreenStyle::setButtonFill(create_, Theme::css(fill), 16, 5, 8);
}
