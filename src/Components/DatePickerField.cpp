#include "Components/DatePickerField.h"

#include "Components/InputStyle.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"

#include "Components/Symbols.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontMetrics>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString calendarSheet() {
    return QStringLiteral(
               "QCalendarWidget QWidget { background: %1; color: %2; }"
               "QCalendarWidget QAbstractItemView { selection-background-color: %3; selection-color: white; }"
               "QCalendarWidget QAbstractItemView:disabled { color: %4; }"
               "QCalendarWidget QToolButton { background: transparent; color: %2; border: none; padding: "
               "4px; }")
        .arg(Theme::backgroundTertiary().name(), Theme::textPrimary().name(),
             AppTheme::Colors::indigo().name(), Theme::textMuted().name());
}

// The month view's weekday header and arrows follow the theme instead of the style's
// white header, red weekends and green arrows.
void themeCalendar(QCalendarWidget* calendar) {
    calendar->setStyleSheet(calendarSheet());
    QTextCharFormat header;
    header.setForeground(Theme::textMuted());
    header.setBackground(Theme::backgroundTertiary());
    calendar->setHeaderTextFormat(header);
    QTextCharFormat weekend;
    weekend.setForeground(Theme::textPrimary());
    calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    calendar->setWeekdayTextFormat(Qt::Sunday, weekend);
    const std::pair<const char*, const char*> arrows[] = {{"qt_calendar_prevmonth", "chevron.left"},
                                                          {"qt_calendar_nextmonth", "chevron.right"}};
    for (const auto& [name, symbol] : arrows)
        if (auto* button = calendar->findChild<QToolButton*>(QString::fromLatin1(name)))
            button->setIcon(Symbols::icon(QString::fromLatin1(symbol), Theme::textSecondary(), 14));
}

} // namespace

DatePickerField::DatePickerField(const QDateTime& value, Style style, QWidget* parent, double fontSize)
    : QWidget(parent), value_(value), style_(style) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (style == Style::Graphical) {
        calendar_ = new QCalendarWidget;
        calendar_->setObjectName(QStringLiteral("datePickerCalendar"));
        calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        calendar_->setGridVisible(false);
        calendar_->setFont(Theme::font(fontSize));
        themeCalendar(calendar_);
        layout->addWidget(calendar_);
        connect(calendar_, &QCalendarWidget::clicked, this, &DatePickerField::pickDate);
        connect(calendar_, &QCalendarWidget::selectionChanged, this,
                [this] { pickDate(calendar_->selectedDate()); });
    } else if (style == Style::Time) {
        auto* edit = new QTimeEdit;
        edit->setDisplayFormat(QStringLiteral("h:mm AP"));
        edit_ = edit;
        connect(edit, &QTimeEdit::timeChanged, this, &DatePickerField::pickTime);
    } else {
        auto* edit = new QDateEdit;
        edit->setDisplayFormat(QStringLiteral("MMM d, yyyy"));
        edit->setCalendarPopup(true);
        themeCalendar(edit->calendarWidget());
        edit_ = edit;
        connect(edit, &QDateEdit::dateChanged, this, &DatePickerField::pickDate);
    }
    if (edit_) {
        edit_->setObjectName(QStringLiteral("datePickerEdit"));
        edit_->setButtonSymbols(QAbstractSpinBox::NoButtons);
        InputStyle::apply(edit_, QStringLiteral("QDateTimeEdit"), fontSize, 8,
                          QStringLiteral("QDateTimeEdit::drop-down { border: none; width: 14px; }"
                                         "QDateTimeEdit::down-arrow { image: none; width: 0; }"));
        const QString widest =
            style == Style::Time ? QStringLiteral("12:59 PM") : QStringLiteral("Sep 30, 2026");
        edit_->setMinimumWidth(int(QFontMetrics(edit_->font()).horizontalAdvance(widest)) + 40);
        layout->addWidget(edit_);
    }
    syncEditors();
}

void DatePickerField::setDateTime(const QDateTime& value) {
    if (value == value_)
        return;
    value_ = value;
    syncEditors();
    emit dateTimeChanged(value_);
}

void DatePickerField::setMinimumDate(const QDate& minimum) {
    const QDate bound = minimum.isValid() ? minimum : QDate(100, 1, 1);
    if (calendar_)
        calendar_->setMinimumDate(bound);
    if (edit_)
        edit_->setMinimumDate(bound);
}

void DatePickerField::setMaximumDate(const QDate& maximum) {
    const QDate bound = maximum.isValid() ? maximum : QDate(9999, 12, 31);
    if (calendar_)
        calendar_->setMaximumDate(bound);
    if (edit_)
        edit_->setMaximumDate(bound);
}

void DatePickerField::pickDate(const QDate& date) {
    if (!date.isValid() || date == value_.date())
        return;
    // The time of day stays; a day on which it does not exist moves it as the clock does.
    value_ = QDateTime(date, value_.time(), value_.timeSpec());
    syncEditors();
    emit dateTimeChanged(value_);
}

void DatePickerField::pickTime(const QTime& time) {
    if (!time.isValid())
        return;
    const QTime wanted(time.hour(), time.minute(), 0);
    if (value_.time().hour() == wanted.hour() && value_.time().minute() == wanted.minute())
        return;
    value_ = QDateTime(value_.date(), wanted, value_.timeSpec());
    syncEditors();
    emit dateTimeChanged(value_);
}

void DatePickerField::syncEditors() {
    if (calendar_) {
        const QSignalBlocker block(calendar_);
        calendar_->setSelectedDate(value_.date());
    }
    if (edit_) {
        const QSignalBlocker block(edit_);
        if (style_ == Style::Time)
            edit_->setTime(value_.time());
        else
            edit_->setDate(value_.date());
    }
}
