#pragma once

#include <QObject>

class CalendarViewModel;

// The life of the calendar's confirmation message: when the model sets a message the toast
// shows, 2 seconds later it hides, and 0.35 seconds after that the message is cleared. Every
// new message starts its own sequence; an earlier one still running hides and clears whatever
// is current when it comes due. The same message set again starts nothing.
class CalendarToastSequence : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 shownMsec = 2000;
    static constexpr qint64 clearAfterHideMsec = 350;

    explicit CalendarToastSequence(CalendarViewModel* model, QObject* parent = nullptr);

    bool isShown() const { return shown_; }

signals:
    void shownChanged(bool shown);

private:
    void setShown(bool shown);

    CalendarViewModel* model_;
    bool shown_ = false;
};
