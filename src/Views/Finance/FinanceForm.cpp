#include "Views/Finance/FinanceForm.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/MenuPicker.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetChrome.h"
#include "Components/SheetFrame.h"
#include "Components/SymbolIcon.h"
#include "Components/ThemedTextField.h"
#include "Models/CreditCard.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QString kButtonRowName = QStringLiteral("sheetButtons");

} // namespace

QVBoxLayout* FinanceForm::tabTitles(const QString& title, const QString& subtitle) {
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(ScreenStyle::label(title, Theme::font(28, QFont::DemiBold), Theme::textPrimary()));
    titles->addWidget(ScreenStyle::label(subtitle, Theme::font(14), Theme::textSecondary()));
    return titles;
}

QLabel* FinanceForm::caption(const QString& text) {
    auto* label = ScreenStyle::label(text.toUpper(), ScreenStyle::kerned(Theme::font(11, QFont::Medium), 0.8),
                                     Theme::textMuted());
    label->setObjectName(QStringLiteral("caption"));
    return label;
}

QWidget* FinanceForm::group(const QString& captionText, QWidget* control, const QString& objectName) {
    auto* box = new QWidget;
    box->setObjectName(objectName);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(caption(captionText));
    column->addWidget(control);
    ScreenStyle::nameByCaption(control, captionText);
    return box;
}

QWidget* FinanceForm::plainGroup(const QString& captionText, QWidget* control, const QString& objectName) {
    auto* box = new QWidget;
    box->setObjectName(objectName);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(ScreenStyle::label(captionText, Theme::font(12, QFont::Medium), Theme::textMuted()));
    column->addWidget(control);
    ScreenStyle::nameByCaption(control, captionText);
    return box;
}

QLineEdit* FinanceForm::field(const QString& objectName, const QString& placeholder) {
    auto* field = new ThemedTextField(placeholder);
    field->setObjectName(objectName);
    return field;
}

QWidget* FinanceForm::header(const QString& title, const QString& subtitle, std::function<void()> onClose,
                             QLabel** titleLabel, QLabel** subtitleLabel) {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    auto* titleText = ScreenStyle::label(title, Theme::font(20, QFont::DemiBold), Theme::textPrimary());
    titleText->setObjectName(QStringLiteral("sheetTitle"));
    texts->addWidget(titleText);
    auto* subtitleText = ScreenStyle::label(subtitle, Theme::font(12), Theme::textMuted());
    subtitleText->setObjectName(QStringLiteral("sheetSubtitle"));
    texts->addWidget(subtitleText);
    row->addLayout(texts, 1);
    auto* close = SheetChrome::closeButton(20);
    QObject::connect(close, &QPushButton::clicked, header, [onClose = std::move(onClose)] { onClose(); });
    row->addWidget(close, 0, Qt::AlignTop);
    if (titleLabel)
        *titleLabel = titleText;
    if (subtitleLabel)
        *subtitleLabel = subtitleText;
    return header;
}

QPushButton* FinanceForm::cancelButton(const QString& text) {
    auto* button = ScreenStyle::filledButton(text, Theme::font(14, QFont::Medium),
                                             Theme::css(Theme::backgroundTertiary()), 16, 8, 8);
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; border: none; border-radius: 8px; "
                       "padding: 8px 16px; background: %2; }")
            .arg(Theme::css(Theme::textSecondary()), Theme::css(Theme::backgroundTertiary())));
    button->setObjectName(QStringLiteral("cancelButton"));
    FocusAfter::markAction(button, FocusAfter::Action::deletes);
    return button;
}

QPushButton* FinanceForm::primaryButton(const QString& text, const QColor& fill) {
    auto* button =
        ScreenStyle::filledButton(text, Theme::font(14, QFont::Medium), Theme::css(fill), 16, 8, 8);
    button->setObjectName(QStringLiteral("saveButton"));
    KeyboardLayer::markDefault(button);
    return button;
}

void FinanceForm::setPrimaryEnabled(QPushButton* button, const QColor& fill, bool enabled) {
    button->setEnabled(enabled);
    ScreenStyle::setButtonFill(button, Theme::css(enabled ? fill : Theme::withOpacity(fill, 0.4)), 16, 8, 8);
}

QWidget* FinanceForm::card(const QString& objectName, int radius, const QColor& border) {
    auto* card = new QWidget;
    card->setObjectName(objectName);
    card->setAttribute(Qt::WA_StyledBackground, true);
    card->setStyleSheet(
        QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3; border-radius: %4px; }")
            .arg(objectName, Theme::css(Theme::backgroundSecondary()), Theme::css(border))
            .arg(radius));
    return card;
}

QPushButton* FinanceForm::iconButton(const QString& objectName, const QString& symbol, const QColor& color,
                                     double size, const QString& toolTip) {
    auto* button = ScreenStyle::textButton(QString(), Theme::systemFont(size), color);
    button->setObjectName(objectName);
    button->setToolTip(toolTip);
    ScreenStyle::setSymbol(button, symbol, color, size);
    return button;
}

ElidedLabel* FinanceForm::elidedLabel(const QFont& font, const QColor& color) {
    auto* label = new ElidedLabel;
    label->setFont(font);
    ScreenStyle::setTextColor(label, color);
    // Its whole width while the row has room: a figure beside it gives up width first.
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    label->setKeptCharacters(12);
    return label;
}

ElidedLabel* FinanceForm::figureLabel(const QFont& font, const QColor& color) {
    ElidedLabel* label = elidedLabel(font, color);
    label->setKeptCharacters(6);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QHBoxLayout* FinanceForm::buttonRow(QBoxLayout* column, int spacing) {
    auto* row = new QWidget;
    row->setObjectName(kButtonRowName);
    auto* buttons = new QHBoxLayout(row);
    // Room for the focus ring, drawn inside the row; the sheet frame takes it from its inset.
    const int ring = FocusRing::kOutset;
    buttons->setContentsMargins(ring, ring, ring, ring);
    buttons->setSpacing(spacing);
    column->addWidget(row);
    return buttons;
}

QPushButton* FinanceForm::addButtonRow(QBoxLayout* column, const QString& primaryText, const QColor& fill,
                                       std::function<void()> onCancel, std::function<void()> onPrimary) {
    QHBoxLayout* buttons = buttonRow(column, 12);
    auto* cancel = cancelButton();
    QObject::connect(cancel, &QPushButton::clicked, cancel, [onCancel = std::move(onCancel)] { onCancel(); });
    buttons->addWidget(cancel, 1);
    auto* primary = primaryButton(primaryText, fill);
    QObject::connect(primary, &QPushButton::clicked, primary,
                     [onPrimary = std::move(onPrimary)] { onPrimary(); });
    buttons->addWidget(primary, 1);
    return primary;
}

void FinanceForm::fillWithPage(QWidget* sheet, QWidget* page, QWidget* footer) {
    if (!footer)
        footer = page->findChild<QWidget*>(kButtonRowName, Qt::FindDirectChildrenOnly);
    auto* outer = new QVBoxLayout(sheet);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(new SheetFrame(page, footer));
}

QWidget* FinanceForm::iconTile(const QString& symbol, const QColor& color, const QColor& tint, int side,
                               int symbolSize, int radius) {
    auto* tile = new QWidget;
    tile->setFixedSize(side, side);
    tile->setAttribute(Qt::WA_StyledBackground, true);
    tile->setStyleSheet(
        QStringLiteral("background: %1; border-radius: %2px;").arg(Theme::css(tint)).arg(radius));
    auto* layout = new QHBoxLayout(tile);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new SymbolIcon(symbol, symbolSize, color), 0, Qt::AlignCenter);
    return tile;
}

FinanceForm::EditAndDelete FinanceForm::addEditAndDelete(QBoxLayout* row, QObject* owner,
                                                         std::function<void()> onEdit,
                                                         std::function<void()> onDelete) {
    auto* edit = iconButton(QStringLiteral("editButton"), QStringLiteral("pencil"), Theme::textMuted(), 11,
                            QStringLiteral("Edit"));
    QObject::connect(edit, &QPushButton::clicked, owner, [onEdit = std::move(onEdit)] { onEdit(); });
    FocusAfter::markAction(edit, FocusAfter::Action::opens);
    row->addWidget(edit);
    auto* remove =
        iconButton(QStringLiteral("deleteButton"), QStringLiteral("trash"),
                   Theme::withOpacity(AppTheme::Colors::rose(), 0.6), 11, QStringLiteral("Delete"));
    QObject::connect(remove, &QPushButton::clicked, owner, [onDelete = std::move(onDelete)] { onDelete(); });
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    row->addWidget(remove);
    return {edit, remove};
}

MenuPicker* FinanceForm::cardPicker(const std::vector<std::shared_ptr<CreditCard>>& cards,
                                    std::function<void(const std::optional<QUuid>&)> onChoose) {
    auto* picker = new MenuPicker;
    picker->setObjectName(QStringLiteral("cardPicker"));
    picker->setAccessibleName(QStringLiteral("Card"));
    picker->addOption(QStringLiteral("Select card"));
    for (const auto& card : cards) {
        const auto id = card->id();
        picker->addOption(FinanceNames::card(*card), id ? QVariant::fromValue(*id) : QVariant());
    }
    QObject::connect(
        picker, &MenuPicker::currentIndexChanged, picker,
        [picker, onChoose = std::move(onChoose)](int index) { onChoose(idOf(picker->optionValue(index))); });
    return picker;
}

std::optional<QUuid> FinanceForm::idOf(const QVariant& value) {
    return value.isValid() ? std::optional<QUuid>(value.value<QUuid>()) : std::nullopt;
}
