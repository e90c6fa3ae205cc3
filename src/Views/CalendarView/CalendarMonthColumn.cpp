#include "Views/CalendarView/CalendarMonthColumn.h"

#include "Components/ScreenStyle.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarDayCell.h"
#include "Views/CalendarView/CalendarIconButton.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kPlaces = 42;

const QStringList& sundayFirstTexts() {
    static const QStringList texts{QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                                   QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                                   QStringLiteral("Sat")};
    return texts;
}

} // namespace

CalendarMonthColumn::CalendarMonthColumn(CalendarViewModel* viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    setObjectName(QStringLiteral("calendarMonthColumn"));
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(24);

    auto* header = new QHBoxLayout;
    auto* previous = new CalendarIconButton(QStringLiteral("chevron.left"), 12, Theme::textSecondary());
    previous->setObjectName(QStringLiteral("previousMonthButton"));
    previous->setAccessibleName(tr("Previous month"));
    connect(previous, &CalendarIconButton::clicked, viewModel_, &CalendarViewModel::previousMonth);
    title_ = ScreenStyle::label(QString(), Theme::font(16, QFont::Bold), Theme::textPrimary());
    title_->setObjectName(QStringLiteral("monthTitle"));
    title_->setAlignment(Qt::AlignCenter);
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* next = new CalendarIconButton(QStringLiteral("chevron.right"), 12, Theme::textSecondary());
    next->setObjectName(QStringLiteral("nextMonthButton"));
    next->setAccessibleName(tr("Next month"));
    connect(next, &CalendarIconButton::clicked, viewModel_, &CalendarViewModel::nextMonth);
    header->addWidget(previous);
    header->addWidget(title_, 1);
    header->addWidget(next);
    column->addLayout(header);

    // Seven columns share the column's width without gaps, so each day's 30-point circle fits.
    auto* weekdayRow = new QGridLayout;
    weekdayRow->setSpacing(0);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    for (int c = 0; c < 7; ++c) {
        weekdayRow->setColumnStretch(c, 1);
        grid->setColumnStretch(c, 1);
        auto* label = ScreenStyle::label(QString(), Theme::font(10, QFont::Medium), Theme::textMuted());
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(10);
        weekdayRow->addWidget(label, 0, c);
        weekdays_.push_back(label);
    }
    for (int p = 0; p < kPlaces; ++p) {
        auto* cell = new CalendarDayCell;
        // Blank places of the first week keep their room, like the blank cells they are.
        QSizePolicy policy = cell->sizePolicy();
        policy.setRetainSizeWhenHidden(p < 7);
        cell->setSizePolicy(policy);
        connect(cell, &CalendarDayCell::clicked, this,
                [this, cell] { viewModel_->selectDate(cell->date()); });
        cell->installEventFilter(this);
        grid->addWidget(cell, p / 7, p % 7);
        cells_.push_back(cell);
    }
    column->addLayout(weekdayRow);
    column->addLayout(grid);
    column->addStretch(1);

    const QStringList texts = weekdayTexts();
    for (int c = 0; c < 7; ++c)
        weekdays_[static_cast<std::size_t>(c)]->setText(texts.at(c));

    connect(viewModel_, &CalendarViewModel::currentMonthChanged, this, &CalendarMonthColumn::refresh);
    connect(viewModel_, &CalendarViewModel::selectedDateChanged, this, &CalendarMonthColumn::refresh);
    connect(viewModel_, &CalendarViewModel::monthMarksChanged, this, &CalendarMonthColumn::refresh);
    refresh();
}

QStringList CalendarMonthColumn::weekdayTexts() const {
    QStringList texts;
    const int first = viewModel_->firstWeekday() - 1;
    for (int i = 0; i < 7; ++i)
        texts << sundayFirstTexts().at((first + i) % 7);
    return texts;
}

std::vector<CalendarDayCell*> CalendarMonthColumn::dayCells() const {
    return {cells_.begin() + leading_, cells_.begin() + leading_ + days_};
}

void CalendarMonthColumn::refresh() {
    // A focused day whose cell hides (a shorter month) keeps the focus in the grid.
    const bool keepFocus = gridHasFocus();
    title_->setText(viewModel_->monthTitle());
    const auto days = viewModel_->daysInMonth();
    const auto& marks = viewModel_->monthMarks();
    leading_ = viewModel_->leadingEmptyDays();
    days_ = static_cast<int>(std::min<std::size_t>(days.size(), kPlaces - leading_));
    const QDateTime selected = viewModel_->selectedDate();
    const QDateTime now = Clock::now();
    for (int p = 0; p < kPlaces; ++p) {
        CalendarDayCell* cell = cells_[static_cast<std::size_t>(p)];
        const int index = p - leading_;
        if (index < 0 || index >= days_) {
            cell->hide();
            continue;
        }
        const QDateTime& day = days[static_cast<std::size_t>(index)];
        const CalendarDayMarks mark = static_cast<std::size_t>(index) < marks.size()
                                          ? marks[static_cast<std::size_t>(index)]
                                          : CalendarDayMarks{};
        cell->setDay(day, Calendar::isSameDay(day, selected), Calendar::isSameDay(day, now), mark);
        cell->show();
    }
    placeTabStop(keepFocus);
}

bool CalendarMonthColumn::gridHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && std::find(cells_.begin(), cells_.end(), focus) != cells_.end();
}

CalendarDayCell* CalendarMonthColumn::cellOf(const QDate& day) const {
    for (CalendarDayCell* cell : dayCells())
        if (cell->date().toLocalTime().date() == day)
            return cell;
    return nullptr;
}

QDate CalendarMonthColumn::stopDay() const {
    const std::vector<CalendarDayCell*> days = dayCells();
    if (days.empty())
        return {};
    for (const QDate& wanted :
         {focusDay_, viewModel_->selectedDate().toLocalTime().date(), Clock::now().toLocalTime().date()})
        if (wanted.isValid() && cellOf(wanted))
            return wanted;
    return days.front()->date().toLocalTime().date();
}

CalendarDayCell* CalendarMonthColumn::tabStop() const {
    return cellOf(stopDay());
}

void CalendarMonthColumn::placeTabStop(bool keepFocus) {
    CalendarDayCell* stop = tabStop();
    for (CalendarDayCell* cell : cells_)
        cell->setFocusPolicy(cell == stop ? Qt::TabFocus : Qt::NoFocus);
    if (keepFocus && stop && !stop->hasFocus())
        stop->setFocus(Qt::TabFocusReason);
}

void CalendarMonthColumn::focusDay(const QDate& day) {
    const std::vector<CalendarDayCell*> days = dayCells();
    if (!day.isValid() || days.empty())
        return;
    focusDay_ = day;
    if (CalendarDayCell* cell = cellOf(day)) {
        placeTabStop(false);
        cell->setFocus(Qt::TabFocusReason);
        return;
    }
    // The month turns (and the grid refreshes) one month at a time until it shows the day.
    const bool before = day < days.front()->date().toLocalTime().date();
    for (int guard = 0; guard < 1200 && !cellOf(day) && !dayCells().empty(); ++guard) {
        if (before)
            viewModel_->previousMonth();
        else
            viewModel_->nextMonth();
    }
    if (CalendarDayCell* cell = cellOf(day)) {
        placeTabStop(false);
        cell->setFocus(Qt::TabFocusReason);
    }
}

bool CalendarMonthColumn::eventFilter(QObject* watched, QEvent* event) {
    auto* cell = qobject_cast<CalendarDayCell*>(watched);
    if (!cell || std::find(cells_.begin(), cells_.end(), cell) == cells_.end())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        focusDay_ = cell->date().toLocalTime().date();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    const QDate day = cell->date().toLocalTime().date();
    const int sideways = isRightToLeft() ? -1 : 1;
    QDate target;
    switch (key->key()) {
    case Qt::Key_Left:
        target = day.addDays(-sideways);
        break;
    case Qt::Key_Right:
        target = day.addDays(sideways);
        break;
    case Qt::Key_Up:
        target = day.addDays(-7);
        break;
    case Qt::Key_Down:
        target = day.addDays(7);
        break;
    case Qt::Key_Home:
        target = QDate(day.year(), day.month(), 1);
        break;
    case Qt::Key_End:
        target = QDate(day.year(), day.month(), day.daysInMonth());
        break;
    case Qt::Key_PageUp:
        target = day.addMonths(-1);
        break;
    case Qt::Key_PageDown:
        target = day.addMonths(1);
        break;
    default:
        return false;
    }
    focusDay(target);
    return true;
}

void CalendarMonthColumn::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Theme::backgroundSecondary());
}
