#include "Views/Dashboard/DailyCheckInModal.h"

#include "Components/ChoiceGroup.h"
#include "Components/KeyboardLayer.h"
#include "Components/PressEffect.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetChrome.h"
#include "Components/Symbols.h"
#include "Components/UnsavedText.h"
#include "Components/VirtualList.h"
#include "Models/Goal.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/DailyCheckInViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Dashboard/CheckInGoalRow.h"
#include "Views/Dashboard/EnergyBarButton.h"
#include "Views/Dashboard/MoodEmojiButton.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

DailyCheckInModal::DailyCheckInModal(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(env.models->dailyCheckIn(this)) {
    setObjectName(QStringLiteral("DailyCheckInModal"));
    setFixedWidth(480);
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(ScreenStyle::divider(this));

    // The goals are a long list: the card's middle is one list that makes rows only for the
    // goals in view, with the mood and energy above them. The note stays below the list, whole
    // in view however many goals there are, between the list and the button it goes with.
    list_ = new VirtualList(
        [this](QWidget* parent) -> QWidget* {
            auto* row = new CheckInGoalRow({}, parent);
            connect(row, &QAbstractButton::clicked, this, [this, row] {
                if (const int index = list_->indexOf(row); index >= 0)
                    viewModel_->toggle(viewModel_->goalAt(index));
            });
            return row;
        },
        [this](QWidget* widget, int index) {
            auto* row = static_cast<CheckInGoalRow*>(widget);
            row->setText(viewModel_->rowAt(index));
            row->setTicked(row->goalID() && viewModel_->isChecked(row->goalID()));
        },
        this);
    list_->setRowKeys([this](int index) { return rowKey(viewModel_->goalAt(index)); });
    list_->setObjectName(QStringLiteral("checkInScroll"));

    auto* above = new QWidget;
    auto* sections = new QVBoxLayout(above);
    sections->setContentsMargins(32, 32, 32, 8);
    sections->setSpacing(32);
    sections->addWidget(section(tr("How are you feeling today?"), buildMood()));
    sections->addWidget(section(tr("Energy level?"), buildEnergy()));
    auto* goalsHeading = new QVBoxLayout;
    sections->addWidget(section(tr("Goals you worked on today"), goalsHeading));
    list_->setHeader(above);

    notes_ = new QPlainTextEdit;
    notes_->setObjectName(QStringLiteral("checkInNotes"));
    UnsavedText::watch(notes_);
    notes_->setAccessibleName(tr("Notes"));
    notes_->setFont(Theme::font(13));
    notes_->setFixedHeight(80);
    notes_->setTabChangesFocus(true);
    notes_->setFrameShape(QFrame::NoFrame);
    ScreenStyle::styleField(notes_, Theme::backgroundTertiary(), 8);
    connect(notes_, &QPlainTextEdit::textChanged, this,
            [this] { viewModel_->setNotes(notes_->toPlainText()); });
    auto* below = new QWidget;
    below->setObjectName(QStringLiteral("checkInNotesSection"));
    auto* notesSection = new QVBoxLayout(below);
    notesSection->setContentsMargins(32, 16, 32, 0);
    auto* notesHolder = new QVBoxLayout;
    notesHolder->addWidget(notes_);
    notesSection->addWidget(section(tr("Any notes? (optional)"), notesHolder));
    // The list's own end: room below the last goal as the sections above have.
    auto* end = new QWidget;
    end->setFixedHeight(16);
    list_->setFooter(end);

    list_->setRowMargins(QMargins(32, 0, 32, 0));
    list_->setSpacing(0, 4);
    list_->setRowHeight(CheckInGoalRow::rowHeight());
    layout->addWidget(list_, 1);
    // A rule where the list ends, so a list cut short reads as one that scrolls.
    layout->addWidget(ScreenStyle::divider(this));
    layout->addWidget(below);

    const QString gradient = QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %1, stop:1 %2)")
                                 .arg(Theme::css(AppTheme::Colors::purple()),
                                      Theme::css(Theme::withOpacity(AppTheme::Colors::cyan(), 0.8)));
    complete_ = ScreenStyle::filledButton(tr("Complete Check-In"), Theme::font(15, QFont::Medium), gradient,
                                          16, 16, 12);
    complete_->setObjectName(QStringLiteral("completeCheckInButton"));
    ScreenStyle::setSymbol(complete_, QStringLiteral("checkmark.circle.fill"), Qt::white, 15);
    PressEffect::attach(complete_);
    connect(complete_, &QPushButton::clicked, this, &DailyCheckInModal::submit);
    auto* completeBox = new QVBoxLayout;
    completeBox->setContentsMargins(32, 24, 32, 24);
    completeBox->addWidget(complete_);
    layout->addLayout(completeBox);

    skip_ = ScreenStyle::textButton(tr("Skip for today"), Theme::font(12, QFont::Medium), Theme::textMuted());
    skip_->setObjectName(QStringLiteral("skipCheckInButton"));
    connect(skip_, &QPushButton::clicked, this, &DailyCheckInModal::skip);
    auto* skipBox = new QVBoxLayout;
    skipBox->setContentsMargins(0, 0, 0, 16);
    skipBox->addWidget(skip_, 0, Qt::AlignHCenter);
    layout->addLayout(skipBox);

    connect(viewModel_, &DailyCheckInViewModel::choicesChanged, this, &DailyCheckInModal::showChoices);
    connect(viewModel_, &DailyCheckInViewModel::goalsChanged, this, &DailyCheckInModal::showGoals);
    showGoals();
    showChoices();
}

QWidget* DailyCheckInModal::buildHeader() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(32, 32, 32, 24);
    row->addStretch(1);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(8);
    titles->addWidget(
        ScreenStyle::label(tr("Daily Check-In"), Theme::font(24, QFont::Bold), Theme::textPrimary(), header),
        0, Qt::AlignHCenter);
    auto* date = ScreenStyle::label(DateText::fullDate(Clock::today()), Theme::font(14),
                                    Theme::textSecondary(), header);
    date->setObjectName(QStringLiteral("checkInDate"));
    titles->addWidget(date, 0, Qt::AlignHCenter);
    row->addLayout(titles);
    row->addStretch(1);
    close_ = SheetChrome::closeButton(20, tr("Skip for today"));
    close_->setObjectName(QStringLiteral("closeCheckInButton"));
    connect(close_, &QPushButton::clicked, this, &DailyCheckInModal::skip);
    row->addWidget(close_, 0, Qt::AlignTop);
    return header;
}

QWidget* DailyCheckInModal::section(const QString& heading, QLayout* content) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(ScreenStyle::label(heading, Theme::font(15, QFont::Medium), Theme::textPrimary(), box));
    column->addLayout(content);
    return box;
}

QLayout* DailyCheckInModal::buildMood() {
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    const QStringList& emoji = DailyCheckInViewModel::moodEmoji();
    auto* group = new ChoiceGroup(this);
    for (int score = 1; score <= emoji.size(); ++score) {
        auto* button = new MoodEmojiButton(emoji.at(score - 1));
        button->setObjectName(QStringLiteral("mood%1").arg(score));
        button->setAccessibleName(DailyCheckInViewModel::moodLabel(score));
        connect(button, &QAbstractButton::clicked, this, [this, score] { viewModel_->setMoodScore(score); });
        row->addWidget(button, 0, Qt::AlignVCenter);
        moods_.push_back(button);
        group->add(button);
    }
    // The card's first field: the keyboard starts on the chosen mood, as in any group of
    // choices, not on the close button above it.
    const int chosen = std::clamp(viewModel_->moodScore(), 1, int(moods_.size()));
    group->setChosen(moods_[size_t(chosen - 1)]);
    KeyboardLayer::markInitial(moods_[size_t(chosen - 1)]);
    row->addStretch(1);
    return row;
}

QLayout* DailyCheckInModal::buildEnergy() {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    auto* group = new ChoiceGroup(this);
    for (int level = 1; level <= 5; ++level) {
        auto* button = new EnergyBarButton(level);
        button->setObjectName(QStringLiteral("energy%1").arg(level));
        connect(button, &QAbstractButton::clicked, this,
                [this, level] { viewModel_->setEnergyScore(level); });
        row->addWidget(button, 0, Qt::AlignVCenter);
        energies_.push_back(button);
        group->add(button);
    }
    row->addStretch(1);
    energyLabel_ = ScreenStyle::label(QString(), Theme::font(12, QFont::Medium), AppTheme::Colors::gold());
    energyLabel_->setObjectName(QStringLiteral("energyLabel"));
    row->addWidget(energyLabel_, 0, Qt::AlignVCenter);
    return row;
}

std::vector<CheckInGoalRow*> DailyCheckInModal::goalRows() const {
    std::vector<CheckInGoalRow*> out;
    for (QWidget* row : list_->rowsInView())
        out.push_back(static_cast<CheckInGoalRow*>(row));
    return out;
}

void DailyCheckInModal::showChoices() {
    for (size_t i = 0; i < moods_.size(); ++i) {
        moods_[i]->setChosen(int(i) + 1 == viewModel_->moodScore());
        if (moods_[i]->isChosen())
            ChoiceGroup::of(moods_[i])->setChosen(moods_[i]);
    }
    for (EnergyBarButton* bar : energies_) {
        bar->setLit(viewModel_->energyScore() >= bar->level());
        if (bar->level() == viewModel_->energyScore())
            ChoiceGroup::of(bar)->setChosen(bar);
    }
    energyLabel_->setText(DailyCheckInViewModel::energyLabel(viewModel_->energyScore()));
    for (CheckInGoalRow* row : goalRows())
        row->setTicked(row->goalID() && viewModel_->isChecked(row->goalID()));
}

void DailyCheckInModal::showGoals() {
    list_->setCount(viewModel_->goalCount());
}

void DailyCheckInModal::submit() {
    // On a failed save the window tells why; the card stays with every choice.
    viewModel_->submit();
}

void DailyCheckInModal::skip() {
    viewModel_->skip();
}

void DailyCheckInModal::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        skip();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DailyCheckInModal::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 24, 24);
    painter.fillPath(card, Theme::backgroundSecondary());
    painter.setPen(QPen(AppTheme::Colors::borderMedium(), 1));
    painter.drawPath(card);
}
