#include "Views/Finance/AddInvestmentSheet.h"

#include "Components/DatePickerField.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetChrome.h"
#include "Components/SheetHost.h"
#include "Components/Symbols.h"
#include "Components/ThemedTextField.h"
#include "Components/ToggleSwitch.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

AddInvestmentSheet::AddInvestmentSheet(OnAdd onAdd, QWidget* parent)
    : QWidget(parent), onAdd_(std::move(onAdd)), name_(makeField("nameField")),
      units_(makeField("unitsField")), buyPrice_(makeField("buyPriceField")),
      currentPrice_(makeField("currentPriceField")), invested_(makeField("investedField")),
      rate_(makeField("interestRateField")), notes_(makeField("notesField")) {
    setObjectName(QStringLiteral("addInvestmentSheet"));
    auto* form = new QWidget;
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addWidget(buildHeader());
    column->addWidget(buildTypeGrid());
    column->addWidget(block(tr("Name"), name_));

    marketRow_ = new QWidget;
    auto* pair = new QHBoxLayout(marketRow_);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(16);
    // Top-aligned, so a refusal line under one field leaves its neighbour in place.
    pair->addWidget(
        block(tr("Units / Qty"), NumberFieldNote::stacked(units_, InvestmentsViewModel::unitsRule())), 1,
        Qt::AlignTop);
    pair->addWidget(
        block(tr("Buy Price"), NumberFieldNote::stacked(buyPrice_, InvestmentsViewModel::buyPriceRule())), 1,
        Qt::AlignTop);
    column->addWidget(marketRow_);
    investedBlock_ = block(tr("Amount Invested"),
                           NumberFieldNote::stacked(invested_, InvestmentsViewModel::investedRule()));
    column->addWidget(investedBlock_);
    currentBlock_ = block(tr("Current Price"),
                          NumberFieldNote::stacked(currentPrice_, InvestmentsViewModel::currentPriceRule()),
                          &currentCaption_);
    column->addWidget(currentBlock_);

    depositBlock_ = new QWidget;
    auto* deposit = new QVBoxLayout(depositBlock_);
    deposit->setContentsMargins(0, 0, 0, 0);
    deposit->setSpacing(16);
    deposit->addWidget(block(tr("Interest Rate (%/yr)"),
                             NumberFieldNote::stacked(rate_, InvestmentsViewModel::interestRateRule())));
    auto* toggleRow = new QHBoxLayout;
    toggleRow->addWidget(
        ScreenStyle::label(tr("Has Maturity Date"), Theme::font(13), Theme::textSecondary()));
    toggleRow->addStretch(1);
    maturityToggle_ = new ToggleSwitch(false, AppTheme::Colors::violet());
    maturityToggle_->setObjectName(QStringLiteral("maturityToggle"));
    maturityToggle_->setAccessibleName(tr("Has Maturity Date"));
    toggleRow->addWidget(maturityToggle_);
    deposit->addLayout(toggleRow);
    maturityDate_ = new DatePickerField(Clock::now().addSecs(31536000), DatePickerField::Style::Compact);
    maturityDate_->setObjectName(QStringLiteral("maturityDatePicker"));
    maturityDate_->setMinimumDate(QDate());
    maturityDate_->setMaximumDate(QDate());
    maturityBlock_ = new QWidget;
    auto* maturityRow = new QHBoxLayout(maturityBlock_);
    maturityRow->setContentsMargins(0, 0, 0, 0);
    maturityRow->addWidget(ScreenStyle::label(tr("Maturity Date"), Theme::font(13), Theme::textPrimary()));
    maturityRow->addStretch(1);
    maturityRow->addWidget(maturityDate_);
    ScreenStyle::nameByCaption(maturityDate_, tr("Maturity Date"));
    deposit->addWidget(maturityBlock_);
    connect(maturityToggle_, &ToggleSwitch::toggled, maturityBlock_, &QWidget::setVisible);
    maturityBlock_->setVisible(false);
    column->addWidget(depositBlock_);

    buyDate_ = new DatePickerField(Clock::now(), DatePickerField::Style::Compact);
    buyDate_->setObjectName(QStringLiteral("buyDatePicker"));
    buyDate_->setMinimumDate(QDate());
    buyDate_->setMaximumDate(QDate());
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(ScreenStyle::label(tr("Purchase Date"), Theme::font(13), Theme::textPrimary()));
    dateRow->addStretch(1);
    dateRow->addWidget(buyDate_);
    ScreenStyle::nameByCaption(buyDate_, tr("Purchase Date"));
    column->addLayout(dateRow);

    column->addWidget(block(tr("Notes (optional)"), notes_));
    addButton_ = FinanceForm::primaryButton(tr("Add Investment"), AppTheme::Colors::violet());
    addButton_->setObjectName(QStringLiteral("addInvestmentButton"));
    connect(addButton_, &QPushButton::clicked, this, &AddInvestmentSheet::submit);
    column->addWidget(addButton_);
    FinanceForm::fillWithPage(this, form, addButton_);

    for (QLineEdit* input : {name_, units_, buyPrice_, invested_, currentPrice_, rate_})
        connect(input, &QLineEdit::textChanged, this, &AddInvestmentSheet::syncType);
    syncType();
}

QLineEdit* AddInvestmentSheet::makeField(const char* objectName, const QString& placeholder) {
    auto* input = new ThemedTextField(placeholder);
    input->setObjectName(QString::fromLatin1(objectName));
    return input;
}

QLineEdit* AddInvestmentSheet::field(const char* objectName) const {
    return findChild<QLineEdit*>(QString::fromLatin1(objectName));
}

QWidget* AddInvestmentSheet::buildHeader() {
    auto* close = SheetChrome::closeButton(20, tr("Close"));
    connect(close, &QPushButton::clicked, this, &AddInvestmentSheet::dismiss);
    return SheetChrome::titleRow(
        ScreenStyle::label(tr("Add Investment"), Theme::font(20, QFont::DemiBold), Theme::textPrimary()),
        close, QMargins());
}

QWidget* AddInvestmentSheet::buildTypeGrid() {
    auto* grid = new QWidget;
    auto* layout = new QGridLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(8);
    int index = 0;
    for (const auto& option : InvestmentsViewModel::typeChoices()) {
        auto* tile = new QToolButton;
        tile->setObjectName(QStringLiteral("typeTile"));
        tile->setProperty("typeId", option.type);
        tile->setText(option.label);
        tile->setToolTip(option.label);
        tile->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tile->setFont(Theme::font(10));
        tile->setIconSize(QSize(18, 18));
        tile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        tile->setMinimumWidth(10);
        tile->setCursor(Qt::PointingHandCursor);
        connect(tile, &QToolButton::clicked, this, [this, id = option.type] { selectType(id); });
        layout->addWidget(tile, index / 3, index % 3);
        tiles_.push_back(tile);
        ++index;
    }
    auto* box = new QVBoxLayout(grid);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(4);
    box->addWidget(FinanceForm::caption(tr("Type")));
    box->addLayout(layout);
    return grid;
}

QWidget* AddInvestmentSheet::block(const QString& caption, QWidget* input, QLabel** captionLabel) {
    QWidget* box = FinanceForm::group(caption, input);
    if (captionLabel)
        *captionLabel = box->findChild<QLabel*>(QStringLiteral("caption"));
    return box;
}

void AddInvestmentSheet::selectType(const QString& type) {
    selectedType_ = type;
    syncType();
}

void AddInvestmentSheet::syncType() {
    const auto shown = InvestmentsViewModel::fieldsOf(selectedType_);
    const bool market = shown.market;
    const bool deposit = shown.interest;
    marketRow_->setVisible(market);
    investedBlock_->setVisible(!market);
    currentBlock_->setVisible(shown.current);
    currentCaption_->setText((market ? tr("Current Price") : tr("Current Value")).toUpper());
    depositBlock_->setVisible(deposit);
    name_->setPlaceholderText(InvestmentsViewModel::namePlaceholder(selectedType_));
    for (auto* tile : tiles_) {
        const bool selected = tile->property("typeId").toString() == selectedType_;
        const QColor violet = AppTheme::Colors::violet();
        const QString symbol = InvestmentsViewModel::typeSymbol(tile->property("typeId").toString());
        tile->setIcon(Symbols::icon(symbol, selected ? violet : Theme::textSecondary(), 18));
        tile->setStyleSheet(
            QStringLiteral(
                "QToolButton { color: %1; background: %2; border: 1px solid %3; border-radius: 8px; "
                "padding: 8px 4px; }")
                .arg(Theme::css(selected ? Theme::textPrimary() : Theme::textSecondary()),
                     Theme::css(selected ? Theme::withOpacity(violet, 0.15) : Theme::backgroundTertiary()),
                     Theme::css(selected ? violet : QColor(0, 0, 0, 0))));
    }
    FinanceForm::setPrimaryEnabled(addButton_, AppTheme::Colors::violet(), canSubmit());
}

InvestmentsViewModel::FormText AddInvestmentSheet::formText() const {
    return {selectedType_,     name_->text(),         units_->text(), buyPrice_->text(),
            invested_->text(), currentPrice_->text(), rate_->text()};
}

bool AddInvestmentSheet::canSubmit() const {
    return InvestmentsViewModel::canAdd(formText());
}

Investment::Draft AddInvestmentSheet::draft() const {
    const bool deposit = InvestmentsViewModel::fieldsOf(selectedType_).interest;
    Investment::Draft draft;
    draft.name = Text::trimmed(name_->text());
    draft.investmentType = selectedType_;
    InvestmentsViewModel::readFigures(formText(), draft);
    draft.buyDate = buyDate_->dateTime();
    if (deposit && maturityToggle_->isChecked())
        draft.maturityDate = maturityDate_->dateTime();
    draft.notes = notes_->text();
    return draft;
}

void AddInvestmentSheet::submit() {
    if (!canSubmit())
        return;
    if (!onAdd_(draft()))
        return;
    dismiss();
}

void AddInvestmentSheet::dismiss() {
    if (auto* host = SheetHost::of(this))
        host->dismiss();
}

void AddInvestmentSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
