#include "Components/DatePickerField.h"

#include "Components/InputStyle.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include "Components/Symbols.h"
#include "Platform/DateText.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString calendarSheet() {
    return QStringLiteral(
               "QCalendarWidget QWidget { background: %1; color: %2; }"
               "QCalendarWidget QAbstractItemView { selection-background-color: %3; selection-color: white; }"
               "QCalendarWidget QAbstractItemView:disabled { color: %4; }"
               "QCalendarWidget QToolButton { background: transparent; color: %2; border: none; padding: "
               "4px; }")
        .arg(Theme::css(Theme::backgroundTertiary()), Theme::css(Theme::textPrimary()),
             Theme::css(AppTheme::Colors::indigo()), Theme::css(Theme::textMuted()));
}

// A month calendar whose days outside the pickable range look as unavailable as they are
// (the calendar already ignores clicks and keys on them).
class RangeCalendar : public QCalendarWidget {
public:
    using QCalendarWidget::QCalendarWidget;

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override {
        if (date >= minimumDate() && date <= maximumDate()) {
            QCalendarWidget::paintCell(painter, rect, date);
            return;
        }
        painter->save();
        painter->fillRect(rect, Theme::backgroundTertiary());
        painter->setFont(font());
        painter->setPen(Theme::withOpacity(Theme::textMuted(), 0.45));
        painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
        painter->restore();
    }
};

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
        calendar_ = new RangeCalendar;
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
        edit->setDisplayFormat(DateText::mediumFormat());
        edit_ = edit;
        connect(edit, &QDateEdit::dateChanged, this, &DatePickerField::pickDate);
    }
    if (edit_) {
        edit_->setObjectName(QStringLiteral("datePickerEdit"));
        edit_->setButtonSymbols(QAbstractSpinBox::NoButtons);
        InputStyle::apply(edit_, QStringLiteral("QDateTimeEdit"), fontSize, 8);
        const QFontMetrics metrics(edit_->font());
        int widest = metrics.horizontalAdvance(QStringLiteral("12:59 PM"));
        if (style == Style::Compact)
            for (int month = 1; month <= 12; ++month)
                widest =
                    std::max(widest, metrics.horizontalAdvance(DateText::medium(QDate(2026, month, 28))));
        edit_->setMinimumWidth(widest + 40);
        if (style == Style::Compact) {
            auto* row = new QHBoxLayout;
            row->setContentsMargins(0, 0, 0, 0);
            row->setSpacing(6);
            row->addWidget(edit_, 1);
            row->addWidget(buildCalendarButton(fontSize));
            layout->addLayout(row);
            // A click anywhere on the date opens the calendar; typing still edits it.
            edit_->installEventFilter(this);
            for (QWidget* inner : edit_->findChildren<QWidget*>())
                inner->installEventFilter(this);
        } else {
            layout->addWidget(edit_);
        }
    }
    syncEditors();
}

QToolButton* DatePickerField::buildCalendarButton(double fontSize) {
    calendarButton_ = new QToolButton(this);
    calendarButton_->setObjectName(QStringLiteral("datePickerButton"));
    calendarButton_->setToolTip(tr("Choose a date"));
    calendarButton_->setCursor(Qt::PointingHandCursor);
    const int icon = Symbols::pixelSizeForFontSize(fontSize);
    calendarButton_->setIcon(Symbols::icon(QStringLiteral("calendar"), Theme::textSecondary(), icon));
    calendarButton_->setIconSize(QSize(icon, icon));
    calendarButton_->setStyleSheet(
        QStringLiteral(
            "QToolButton { background: %1; border: 1px solid %2; border-radius: 8px; padding: 6px; }"
            "QToolButton:hover { background: %3; }")
            .arg(Theme::css(Theme::backgroundTertiary()), Theme::css(AppTheme::Colors::borderMedium()),
                 Theme::css(Theme::backgroundElevated())));
    connect(calendarButton_, &QToolButton::clicked, this, &DatePickerField::openCalendar);
    return calendarButton_;
}

QCalendarWidget* DatePickerField::openCalendar() {
    if (!popup_) {
        popup_ = new RangeCalendar(this);
        popup_->setObjectName(QStringLiteral("datePickerPopup"));
        popup_->setWindowFlags(Qt::Popup);
        popup_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        popup_->setGridVisible(false);
        themeCalendar(popup_);
        connect(popup_, &QCalendarWidget::clicked, this, [this](const QDate& date) {
            pickDate(date);
            popup_->hide();
        });
        connect(popup_, &QCalendarWidget::activated, this, [this](const QDate& date) {
            pickDate(date);
            popup_->hide();
        });
    }
    if (edit_) {
        popup_->setMinimumDate(edit_->minimumDate());
        popup_->setMaximumDate(edit_->maximumDate());
    }
    popup_->setSelectedDate(value_.date());
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height() + 4)));
    popup_->show();
    popup_->setFocus(Qt::PopupFocusReason);
    return popup_;
}

bool DatePickerField::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && isEnabled()) {
        openCalendar();
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
