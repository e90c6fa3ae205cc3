#include "Views/Onboarding/OnboardingView.h"

#include "Components/AuroraBackground.h"
#include "Components/ChoiceGroup.h"
#include "Components/InputStyle.h"
#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Components/ThemedTextField.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/CreateGoalViewModel.h"
#include "ViewModels/OnboardingViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Onboarding/OnboardingSteps.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

QString gradientCss() {
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %1, stop:1 %2)")
        .arg(Theme::css(AppTheme::Colors::indigo()), Theme::css(AppTheme::Colors::violet()));
}

QPushButton* primaryButton(const QString& title, const QString& name) {
    auto* button =
        ScreenStyle::filledButton(title, Theme::font(15, QFont::Medium), gradientCss(), 48, 16, 24);
    button->setObjectName(name);
    return button;
}

// Padded and rounded like the primary button, in the secondary text colour on a see-through
// fill, with a 1-pixel outline drawn inside the padding so both buttons stand equally tall.
QPushButton* secondaryButton(const QString& title, const QString& name) {
    auto* button = ScreenStyle::filledButton(title, Theme::font(15, QFont::Medium), QString(), 32, 16, 24);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: 1px solid %3;"
                                         " border-radius: 24px; padding: 15px 31px; }")
                              .arg(Theme::css(Theme::textSecondary()),
                                   Theme::css(Theme::withOpacity(Theme::backgroundSecondary(), 0.6)),
                                   Theme::css(AppTheme::Colors::borderSubtle())));
    button->setObjectName(name);
    return button;
}

// Dims a button that cannot be pressed yet.
void setReady(QPushButton* button, bool ready) {
    button->setEnabled(ready);
    ScreenStyle::setButtonFill(
        button,
        ready ? gradientCss()
              : QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %1, stop:1 %2)")
                    .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.5)),
                         Theme::css(Theme::withOpacity(AppTheme::Colors::violet(), 0.5))),
        48, 16, 24);
}

QLineEdit* bigField(const QString& placeholder, double size, int width, const QString& name) {
    auto* field = new ThemedTextField(placeholder, nullptr, size);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(width);
    InputStyle::apply(field, QStringLiteral("QLineEdit"), size, 18,
                      QStringLiteral("QLineEdit { background: %1; padding: 24px; font-weight: 600; }")
                          .arg(Theme::css(Theme::withOpacity(Theme::backgroundSecondary(), 0.6))));
    return field;
}

QWidget* page(std::initializer_list<QWidget*> items) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(48, 48, 48, 48);
    column->setSpacing(32);
    column->addStretch(1);
    for (QWidget* item : items)
        column->addWidget(item, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return content;
}

QWidget* texts(const QString& title, const QString& subtitle) {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(8);
    auto* t = ScreenStyle::label(title, Theme::font(30, QFont::Bold), Theme::textPrimary());
    t->setAlignment(Qt::AlignCenter);
    v->addWidget(t);
    auto* s = ScreenStyle::label(subtitle, Theme::font(15), Theme::textSecondary());
    s->setAlignment(Qt::AlignCenter);
    v->addWidget(s);
    return box;
}

QWidget* buttonRow(QWidget* back, QWidget* forward) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(16);
    h->addWidget(back);
    h->addWidget(forward);
    return row;
}

} // namespace

OnboardingView::OnboardingView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(env.models->onboarding(this)),
      selectedColor_(OnboardingViewModel::swatches().first()) {
    setObjectName(QStringLiteral("OnboardingView"));
    auto* stack = new QGridLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(new AuroraBackground(this), 0, 0);

    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 48);
    column->setSpacing(0);
    auto* stepsHost = new QWidget;
    steps_ = new QStackedLayout(stepsHost);
    steps_->addWidget(buildWelcome());
    steps_->addWidget(buildName());
    steps_->addWidget(buildGoal());
    steps_->addWidget(buildFinal());
    column->addWidget(stepsHost, 1);
    indicator_ = new StepIndicator;
    column->addWidget(indicator_, 0, Qt::AlignHCenter);
    stack->addWidget(content, 0, 0);
    refresh();
    // Over the whole window it owns the keyboard: Tab goes round the step's own controls.
    KeyboardLayer::install(this);
}

QWidget* OnboardingView::buildWelcome() {
    auto* title =
        ScreenStyle::label(QStringLiteral("Tallowmere"), Theme::font(44, QFont::Bold), Theme::textPrimary());
    auto* tagline = ScreenStyle::label(tr("Define. Track. Achieve."), Theme::font(18, QFont::DemiBold),
                                       AppTheme::Colors::cyan());
    auto* blurb =
        ScreenStyle::label(tr("A premium goal tracking experience\ninspired by Apple's design philosophy."),
                           Theme::font(15), Theme::textSecondary());
    blurb->setAlignment(Qt::AlignCenter);
    auto* go = primaryButton(tr("Get Started"), QStringLiteral("getStartedButton"));
    connect(go, &QPushButton::clicked, this, [this] { goToStep(1); });
    return page({new OnboardingOrb(OnboardingOrb::Kind::welcome), title, tagline, blurb, go});
}

QWidget* OnboardingView::buildName() {
    name_ = bigField(tr("Your name"), 22, 340, QStringLiteral("nameField"));
    name_->setAccessibleName(tr("Your name"));
    auto* back = secondaryButton(tr("Back"), QStringLiteral("backButton"));
    connect(back, &QPushButton::clicked, this, [this] { goToStep(0); });
    continue_ = primaryButton(tr("Continue"), QStringLiteral("continueButton"));
    connect(continue_, &QPushButton::clicked, this, [this] {
        if (!name_->text().isEmpty())
            goToStep(2);
    });
    connect(name_, &QLineEdit::textChanged, this, &OnboardingView::refresh);
    return page({new StepIcon(QStringLiteral("person.fill"), AppTheme::Colors::cyan()),
                 texts(tr("What's your name?"), tr("We'll personalise your experience")), name_,
                 buttonRow(back, continue_)});
}

QWidget* OnboardingView::buildGoal() {
    goalTitle_ = bigField(tr("e.g. Run a half marathon"), 18, 400, QStringLiteral("goalTitleField"));
    goalTitle_->setAccessibleName(tr("Your first goal"));
    connect(goalTitle_, &QLineEdit::textChanged, this, &OnboardingView::refresh);

    auto* picker = new QWidget;
    auto* v = new QVBoxLayout(picker);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(8);
    auto* caption =
        ScreenStyle::label(tr("PICK A COLOR"), ScreenStyle::kerned(Theme::font(10), 1.5), Theme::textMuted());
    caption->setAlignment(Qt::AlignCenter);
    v->addWidget(caption);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    auto* group = new ChoiceGroup(picker);
    for (const QString& hex : OnboardingViewModel::swatches()) {
        auto* swatch = new ColorSwatchButton(hex);
        swatch->setAccessibleName(CreateGoalViewModel::colorName(hex));
        swatch->setChecked(hex == selectedColor_);
        connect(swatch, &QAbstractButton::clicked, this, [this, hex] { selectColor(hex); });
        row->addWidget(swatch);
        group->add(swatch);
    }
    v->addLayout(row);

    auto* back = secondaryButton(tr("Back"), QStringLiteral("backButton"));
    connect(back, &QPushButton::clicked, this, [this] { goToStep(1); });
    create_ = primaryButton(tr("Create Goal"), QStringLiteral("createGoalButton"));
    connect(create_, &QPushButton::clicked, this, &OnboardingView::createGoal);
    return page({new StepIcon(QStringLiteral("target"), AppTheme::Colors::indigo()),
                 texts(tr("Set your first goal"), tr("What do you want to achieve?")), goalTitle_, picker,
                 buttonRow(back, create_)});
}

QWidget* OnboardingView::buildFinal() {
    finalTitle_ = ScreenStyle::label(QString(), Theme::font(30, QFont::Bold), Theme::textPrimary());
    finalTitle_->setObjectName(QStringLiteral("finalTitle"));
    finalTitle_->setAlignment(Qt::AlignCenter);
    finalText_ = ScreenStyle::label(QString(), Theme::font(15), Theme::textSecondary());
    finalText_->setObjectName(QStringLiteral("finalText"));
    finalText_->setAlignment(Qt::AlignCenter);
    auto* go = primaryButton(tr("Let's Go"), QStringLiteral("finishOnboardingButton"));
    connect(go, &QPushButton::clicked, this, [this] { viewModel_->finish(); });
    return page({new OnboardingOrb(OnboardingOrb::Kind::done), finalTitle_, finalText_, go});
}

void OnboardingView::selectColor(const QString& hex) {
    selectedColor_ = hex;
    for (auto* swatch : findChildren<ColorSwatchButton*>())
        swatch->setChecked(swatch->hex() == hex);
}

void OnboardingView::createGoal() {
    if (goalTitle_->text().isEmpty())
        return;
    // A goal that could not be stored is not announced as created; the walk-through still ends.
    viewModel_->createFirstGoal(goalTitle_->text(), selectedColor_);
    goToStep(3);
}

void OnboardingView::goToStep(int step) {
    step_ = step;
    refresh();
    // Each step starts on its field, or its one button.
    if (KeyboardLayer* layer = KeyboardLayer::of(this); layer && layer->isActive())
        layer->focusFirst();
}

void OnboardingView::refresh() {
    steps_->setCurrentIndex(std::clamp(step_, 0, 3));
    indicator_->setStep(step_);
    setReady(continue_, !name_->text().isEmpty());
    setReady(create_, !goalTitle_->text().isEmpty());
    finalTitle_->setText(OnboardingViewModel::finalTitle(name_->text()));
    finalText_->setText(
        viewModel_->firstGoalCreated()
            ? tr("Your first goal has been created.\nNow let's start making progress every day.")
            : tr("Your first goal couldn't be saved; you can add it from Goals.\nNow let's start "
                 "making progress every day."));
}
