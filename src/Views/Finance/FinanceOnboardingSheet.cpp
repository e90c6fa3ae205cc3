#include "Views/Finance/FinanceOnboardingSheet.h"

#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/Stepper.h"
#include "Components/SymbolIcon.h"
#include "Components/ThemedTextField.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/FinanceOnboardingViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kDefaultCloseDay = 25;
constexpr int kDefaultDueDay = 15;

// The progress bar: three segments, lit up to the current step.
class StepProgress : public QWidget {
public:
    StepProgress(int step, QWidget* parent) : QWidget(parent), step_(step) { setFixedHeight(3); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const double gap = 8;
        const double segment = (width() - 2 * gap) / 3.0;
        for (int i = 0; i < 3; ++i) {
            painter.setBrush(step_ >= i ? AppTheme::Colors::sunrise() : AppTheme::Colors::borderMedium());
            painter.drawRoundedRect(QRectF(i * (segment + gap), 0, segment, 3), 2, 2);
        }
    }

private:
    int step_;
};

QPushButton* prominent(const QString& text, const QColor& tint, double size = 13) {
    return ScreenStyle::filledButton(text, Theme::font(size, QFont::Medium), Theme::css(tint), 14, 6, 6);
}

QWidget* captioned(const QString& caption, double size, QWidget* content) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(ScreenStyle::label(caption, Theme::font(size, QFont::Medium), Theme::textSecondary()));
    column->addWidget(content);
    return box;
}

} // namespace

FinanceOnboardingSheet::FinanceOnboardingSheet(FinanceOnboardingViewModel* viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    if (!viewModel_->parent())
        viewModel_->setParent(this);
    setObjectName(QStringLiteral("financeOnboardingSheet"));
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    buildStep();
}

void FinanceOnboardingSheet::setStep(int step) {
    step_ = step;
    buildStep();
}

void FinanceOnboardingSheet::buildStep() {
    // The button that moved the flow on goes with its step: the focus goes to the new step's
    // first control, with its ring when the keyboard did it.
    QWidget* focus = QApplication::focusWidget();
    const bool focusInStep = focus && (progress_ || body_) && isAncestorOf(focus);
    const bool ring = focusInStep && FocusRing::current() && FocusRing::current()->target() == focus;
    if (focusInStep)
        focus->clearFocus();
    for (QWidget* old : {progress_, body_}) {
        if (!old)
            continue;
        // Deferred: the press that moved the flow on may still be running inside the old step.
        layout_->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    cashReserve_ = nullptr;
    cardName_ = nullptr;
    closeDay_ = dueDay_ = nullptr;
    addCardButton_ = nullptr;
    progress_ = buildProgress();
    layout_->addWidget(progress_);
    body_ = step_ == 0 ? buildCashReserveStep() : step_ == 1 ? buildCardStep() : buildDoneStep();
    layout_->addWidget(body_, 1);
    progress_->show();
    body_->show();
    if (cashReserve_)
        cashReserve_->setFocus();
    else if (cardName_)
        cardName_->setFocus();
    else if (auto* go = body_->findChild<QWidget*>(QStringLiteral("goToFinanceButton")))
        go->setFocus(ring ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

QWidget* FinanceOnboardingSheet::buildProgress() {
    auto* box = new QWidget(this);
    auto* row = new QVBoxLayout(box);
    row->setContentsMargins(32, 32, 32, 16);
    row->addWidget(new StepProgress(step_, box));
    return box;
}

QWidget* FinanceOnboardingSheet::header(const QString& symbol, const QColor& color, const QString& title,
                                        const QString& text) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(new SymbolIcon(symbol, 32, color));
    auto* heading = ScreenStyle::label(title, Theme::font(22, QFont::DemiBold), Theme::textPrimary());
    heading->setWordWrap(true);
    column->addWidget(heading);
    auto* body = ScreenStyle::label(text, Theme::font(14), Theme::textSecondary());
    body->setWordWrap(true);
    column->addWidget(body);
    return box;
}

QWidget* FinanceOnboardingSheet::footer(const QColor& tint) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* skipButton =
        ScreenStyle::textButton(tr("Skip"), Theme::font(14, QFont::Medium), Theme::textSecondary());
    skipButton->setObjectName(QStringLiteral("skipButton"));
    connect(skipButton, &QPushButton::clicked, this, &FinanceOnboardingSheet::skip);
    row->addWidget(skipButton);
    row->addStretch(1);
    auto* nextButton = prominent(tr("Next →"), tint);
    nextButton->setObjectName(QStringLiteral("nextButton"));
    KeyboardLayer::markDefault(nextButton);
    connect(nextButton, &QPushButton::clicked, this, &FinanceOnboardingSheet::next);
    row->addWidget(nextButton);
    return box;
}

QWidget* FinanceOnboardingSheet::buildCashReserveStep() {
    auto* step = new QWidget(this);
    step->setObjectName(QStringLiteral("cashReserveStep"));
    auto* column = new QVBoxLayout(step);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addWidget(header(
        QStringLiteral("banknote.fill"), AppTheme::Colors::emerald(), tr("How much do you have in savings?"),
        tr("This sets your cash reserve — the starting point for your net worth calculation.")));
    // The label names the rupee whatever currency the settings hold.
    cashReserve_ = new ThemedTextField(tr("e.g. 50000"), nullptr, 16);
    cashReserve_->setObjectName(QStringLiteral("cashReserveField"));
    cashReserve_->setAccessibleName(tr("Cash / Savings Amount"));
    column->addWidget(
        captioned(tr("Cash / Savings Amount (₹)"), 12,
                  NumberFieldNote::stacked(cashReserve_, FinanceOnboardingViewModel::savingsRule())));
    column->addStretch(1);
    QWidget* foot = footer(AppTheme::Colors::emerald());
    column->addWidget(foot);
    // Next stays off while the savings typed would not be saved; it never drops them.
    auto* nextButton = foot->findChild<QPushButton*>(QStringLiteral("nextButton"));
    const auto follow = [this, nextButton] {
        const bool on = FinanceOnboardingViewModel::canMoveOnFromSavings(cashReserve_->text());
        nextButton->setEnabled(on);
        const QColor tint = AppTheme::Colors::emerald();
        ScreenStyle::setButtonFill(nextButton, Theme::css(on ? tint : Theme::withOpacity(tint, 0.4)), 14, 6,
                                   6);
    };
    connect(cashReserve_, &QLineEdit::textChanged, nextButton, follow);
    follow();
    return step;
}

QWidget* FinanceOnboardingSheet::buildCardStep() {
    auto* step = new QWidget(this);
    step->setObjectName(QStringLiteral("creditCardStep"));
    auto* column = new QVBoxLayout(step);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addWidget(
        header(QStringLiteral("creditcard.fill"), AppTheme::Colors::sunrise(), tr("Add your credit cards"),
               tr("We'll track billing cycles so expenses land in the right month's cash flow.")));

    auto* fields = new QVBoxLayout;
    fields->setSpacing(16);
    cardName_ = new ThemedTextField(tr("e.g. Axis Cashback"));
    cardName_->setObjectName(QStringLiteral("cardNameField"));
    cardName_->setAccessibleName(tr("Card name"));
    // A name typed for a card is added by "Add Card"; Return must not step past it.
    KeyboardLayer::keepReturn(cardName_);
    fields->addWidget(captioned(tr("Card Name"), 12, cardName_));

    auto* days = new QHBoxLayout;
    days->setSpacing(16);
    closeDay_ = new Stepper(kDefaultCloseDay, 1, 28);
    closeDay_->setObjectName(QStringLiteral("statementCloseStepper"));
    closeDay_->setName(tr("statement close day"));
    dueDay_ = new Stepper(kDefaultDueDay, 1, 28);
    dueDay_->setObjectName(QStringLiteral("paymentDueStepper"));
    dueDay_->setName(tr("payment due day"));
    for (Stepper* stepper : {closeDay_, dueDay_}) {
        stepper->setLabel(QString::number(stepper->value()));
        connect(stepper, &Stepper::valueChanged, stepper,
                [stepper](int value) { stepper->setLabel(QString::number(value)); });
    }
    days->addWidget(captioned(tr("Statement closes day"), 12, closeDay_));
    days->addWidget(captioned(tr("Payment due day"), 12, dueDay_));
    fields->addLayout(days);

    addCardButton_ =
        ScreenStyle::textButton(tr("Add Card"), Theme::font(13, QFont::Medium), AppTheme::Colors::sunrise());
    addCardButton_->setObjectName(QStringLiteral("addCardButton"));
    addCardButton_->setVisible(false);
    connect(addCardButton_, &QPushButton::clicked, this, &FinanceOnboardingSheet::addCard);
    // Offered for any text at all, blanks included: the name is kept exactly as typed.
    connect(cardName_, &QLineEdit::textChanged, addCardButton_,
            [this](const QString& text) { addCardButton_->setVisible(!text.isEmpty()); });
    fields->addWidget(addCardButton_, 0, Qt::AlignLeft);
    column->addLayout(fields);
    column->addStretch(1);
    column->addWidget(footer(AppTheme::Colors::sunrise()));
    return step;
}

QWidget* FinanceOnboardingSheet::buildDoneStep() {
    auto* step = new QWidget(this);
    step->setObjectName(QStringLiteral("doneStep"));
    auto* column = new QVBoxLayout(step);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    column->addStretch(1);
    column->addWidget(
        new SymbolIcon(QStringLiteral("checkmark.circle.fill"), 56, AppTheme::Colors::emerald()), 0,
        Qt::AlignHCenter);
    column->addWidget(
        ScreenStyle::label(tr("You're all set!"), Theme::font(26, QFont::DemiBold), Theme::textPrimary()), 0,
        Qt::AlignHCenter);
    auto* text =
        ScreenStyle::label(tr("Start tracking your income, expenses, and investments from the Finance tab."),
                           Theme::font(14), Theme::textSecondary());
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    column->addWidget(text);
    auto* go = prominent(tr("Go to Finance"), AppTheme::Colors::sunrise(), 15);
    go->setObjectName(QStringLiteral("goToFinanceButton"));
    connect(go, &QPushButton::clicked, this, &FinanceOnboardingSheet::finish);
    column->addWidget(go, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return step;
}

void FinanceOnboardingSheet::skip() {
    setStep(step_ == 0 ? 1 : 2);
}

void FinanceOnboardingSheet::next() {
    if (step_ == 0) {
        // Refused text or a failed save keeps the step with what was typed.
        if (!viewModel_->saveSavings(cashReserve_->text()))
            return;
        setStep(1);
        return;
    }
    // A card typed but not added is dropped.
    setStep(2);
}

void FinanceOnboardingSheet::addCard() {
    if (step_ != 1 || cardName_->text().isEmpty())
        return;
    if (!viewModel_->addCard(cardName_->text(), closeDay_->value(), dueDay_->value()))
        return;
    resetCardFields();
}

void FinanceOnboardingSheet::resetCardFields() {
    cardName_->clear();
    closeDay_->setValue(kDefaultCloseDay);
    dueDay_->setValue(kDefaultDueDay);
}

void FinanceOnboardingSheet::finish() {
    viewModel_->complete();
    if (auto* host = SheetHost::of(this))
        host->dismiss();
}

void FinanceOnboardingSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
