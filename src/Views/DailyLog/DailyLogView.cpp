#include "Views/DailyLog/DailyLogView.h"

#include "Components/BareScrollArea.h"
#include "Components/FocusAfter.h"
#include "Components/PressEffect.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "ViewModels/DailyLogViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/DailyLog/AddLogView.h"
#include "Views/DailyLog/DailyLogEntryView.h"
#include "Views/DailyLog/JournalDayButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QPushButton* logProgressButton() {
    const QString gradient =
        QStringLiteral("qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 %1, stop: 1 %2)")
            .arg(Theme::css(AppTheme::Colors::purple()),
                 Theme::css(Theme::withOpacity(AppTheme::Colors::cyan(), 0.8)));
    auto* button = ScreenStyle::filledButton(QObject::tr("Log Progress"), Theme::font(13, QFont::Medium),
                                             gradient, 16, 8, 12);
    button->setObjectName(QStringLiteral("logProgressButton"));
    FocusAfter::markCarryOn(button, QStringLiteral("dailyLogEntry"));
    ScreenStyle::setSymbol(button, QStringLiteral("plus"), Qt::white, 13);
    PressEffect::attach(button);
    return button;
}

} // namespace

DailyLogView::DailyLogView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->journal(this)) {
    setObjectName(QStringLiteral("dailyLogView"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(buildStrip());
    row->addWidget(ScreenStyle::divider(nullptr, true));
    row->addWidget(buildEntriesPane(), 1);

    connect(viewModel_, &DailyLogViewModel::todayLogsChanged, this, &DailyLogView::render);
    connect(viewModel_, &DailyLogViewModel::selectedDateChanged, this, &DailyLogView::render);
    render();
}

DailyLogView::~DailyLogView() = default;

std::vector<QDateTime> DailyLogView::pastDays() {
    std::vector<QDateTime> days;
    const QDateTime now = Clock::now();
    for (int n = 0; n < kStripDays; ++n) {
        const QDateTime day = Calendar::addDays(now, -n);
        if (day.isValid())
            days.push_back(day);
    }
    return days;
}

QWidget* DailyLogView::buildStrip() {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(8);
    auto* title = ScreenStyle::label(tr("Journal"), Theme::font(28, QFont::Bold), Theme::textPrimary());
    title->setContentsMargins(0, 0, 0, 8);
    column->addWidget(title);
    for (int n = 0; n < kStripDays; ++n) {
        auto* button = new JournalDayButton;
        connect(button, &JournalDayButton::clicked, this, [this, button] { selectDay(button->day()); });
        dayButtons_.push_back(button);
        column->addWidget(button);
    }
    column->addStretch(1);

    auto* scroll = BareScrollArea::wrap(content);
    scroll->setObjectName(QStringLiteral("dayStrip"));
    scroll->setAccessibleName(tr("Days"));
    scroll->setFixedWidth(180);
    scroll->setStyleSheet(QStringLiteral("QScrollArea#dayStrip { background: %1; }")
                              .arg(Theme::css(Theme::backgroundSecondary())));
    return scroll;
}

QWidget* DailyLogView::buildEntriesPane() {
    auto* pane = new QWidget;
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget;
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(32, 32, 32, 32);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    dayTitle_ = ScreenStyle::label(QString(), Theme::font(22, QFont::Bold), Theme::textPrimary());
    dayTitle_->setObjectName(QStringLiteral("dayTitle"));
    entryCount_ = ScreenStyle::label(QString(), Theme::font(13), Theme::textSecondary());
    entryCount_->setObjectName(QStringLiteral("entryCount"));
    titles->addWidget(dayTitle_);
    titles->addWidget(entryCount_);
    headerRow->addLayout(titles);
    headerRow->addStretch(1);
    logProgress_ = logProgressButton();
    connect(logProgress_, &QPushButton::clicked, this, &DailyLogView::showAddLog);
    headerRow->addWidget(logProgress_);
    column->addWidget(header);
    column->addWidget(ScreenStyle::divider());

    auto* list = new QWidget;
    listLayout_ = new QVBoxLayout(list);
    listLayout_->setContentsMargins(32, 32, 32, 32);
    listLayout_->setSpacing(16);
    emptyState_ = buildEmptyState();
    listLayout_->addWidget(emptyState_);
    listLayout_->addStretch(1);
    // Unstyled: a style sheet on the area would style every widget of every entry through the
    // style-sheet style.
    auto* scroll = BareScrollArea::wrapUnstyled(list);
    scroll->setObjectName(QStringLiteral("entriesScroll"));
    scroll->setAccessibleName(tr("Journal entries"));
    column->addWidget(scroll, 1);
    entriesScroll_ = scroll;
    BareScrollArea::onViewChange(scroll, this, [this] { makeMoreIfNearEnd(); });
    return pane;
}

QWidget* DailyLogView::buildEmptyState() {
    auto* empty = new QWidget;
    empty->setObjectName(QStringLiteral("emptyState"));
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(0, 80, 0, 0);
    column->setSpacing(16);
    auto* icon =
        new SymbolIcon(QStringLiteral("book.closed"), Symbols::pixelSizeForFontSize(48), Theme::textMuted());
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addWidget(ScreenStyle::label(tr("No entries for this day"), Theme::font(18, QFont::DemiBold),
                                         Theme::textSecondary()),
                      0, Qt::AlignHCenter);
    auto* logProgress = ScreenStyle::textButton(tr("Log Progress"), font(), AppTheme::Colors::purple());
    logProgress->setObjectName(QStringLiteral("emptyLogProgressButton"));
    connect(logProgress, &QPushButton::clicked, this, &DailyLogView::showAddLog);
    column->addWidget(logProgress, 0, Qt::AlignHCenter);
    return empty;
}

void DailyLogView::selectDay(const QDateTime& day) {
    viewModel_->setSelectedDate(day);
    viewModel_->fetchLogs(day);
}

void DailyLogView::showAddLog() {
    auto* sheet = new AddLogView(viewModel_->goalsToLog(), viewModel_);
    SheetHost* host = SheetHost::present(this, sheet, AddLogView::kWidth);
    host->setCardHeight(sheet->presentedHeight());
}

void DailyLogView::render() {
    renderStrip();
    renderEntries();
}

void DailyLogView::renderStrip() {
    const std::vector<QDateTime> days = pastDays();
    const QDateTime selected = viewModel_->selectedDate();
    for (std::size_t i = 0; i < dayButtons_.size(); ++i) {
        JournalDayButton* button = dayButtons_[i];
        button->setVisible(i < days.size());
        if (i < days.size())
            button->setDay(days[i], Calendar::isSameDay(days[i], selected),
                           viewModel_->hasLogForDate(days[i]));
    }
}

void DailyLogView::renderEntries() {
    const QDateTime selected = viewModel_->selectedDate();
    dayTitle_->setText(DateText::weekdayMonthDay(selected.date()));
    const auto& logs = viewModel_->todayLogs();
    entryCount_->setText(viewModel_->entryCountText());
    // The day's first entry replaces the empty state: the keyboard goes on from "Log Progress".
    if (!logs.empty())
        FocusAfter::handOver(emptyState_, logProgress_);
    emptyState_->setVisible(logs.empty());

    // A heavy user's day holds many entries: cards are made a batch at a time, the next batch
    // once the end of those made comes near the bottom of the view; another day is read from
    // its top, again from one batch. Rows that stay keep their state (an unfolded note stays unfolded); the
    // rest go.
    if (!Calendar::isSameDay(selected, renderedDay_)) {
        entryLimit_ = kEntryBatch;
        entriesScroll_->verticalScrollBar()->setValue(0);
    }
    renderedDay_ = selected;
    const std::size_t made = std::min(logs.size(), entryLimit_);
    std::map<qint64, DailyLogEntryView*> kept;
    for (std::size_t i = 0; i < made; ++i) {
        const auto& log = logs[i];
        const qint64 id = log->objectID();
        auto it = rows_.find(id);
        DailyLogEntryView* row = nullptr;
        if (it != rows_.end()) {
            row = it->second;
            rows_.erase(it);
        } else {
            std::weak_ptr<DailyLog> weak = log;
            row = new DailyLogEntryView(log, [this, weak] {
                if (auto target = weak.lock())
                    viewModel_->deleteLog(target);
            });
        }
        FocusAfter::fillRow(row, id);
        kept[id] = row;
    }
    for (auto& [id, row] : rows_) {
        listLayout_->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    rows_ = std::move(kept);
    int index = 1; // after the empty state
    for (std::size_t i = 0; i < made; ++i) {
        DailyLogEntryView* row = rows_[logs[i]->objectID()];
        listLayout_->removeWidget(row);
        listLayout_->insertWidget(index++, row);
        row->show();
    }
}

void DailyLogView::makeMoreIfNearEnd() {
    if (entryLimit_ >= viewModel_->todayLogs().size() || rows_.empty())
        return;
    QWidget* last = nullptr;
    for (int i = listLayout_->count() - 1; i >= 0 && !last; --i)
        if (auto* row = qobject_cast<DailyLogEntryView*>(listLayout_->itemAt(i)->widget()))
            last = row;
    if (!BareScrollArea::endsInView(entriesScroll_, last))
        return;
    entryLimit_ += kEntryBatch;
    renderEntries();
}

void DailyLogView::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Theme::backgroundPrimary());
}

void DailyLogView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A day may have turned since the last render: the strip starts from the new today.
    renderStrip();
}
