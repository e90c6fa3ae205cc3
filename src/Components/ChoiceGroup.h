#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QWidget;

// A group of choices (themes, fonts, colours, categories, moods) is one Tab stop, as a radio
// group is on the desktop. Tab lands on the chosen member (else on the one focused last, else
// on the first); the arrow keys, Home and End move the focus from member to member without
// choosing (in a grid, Up and Down by a row); Space (or Return) chooses the focused one through the member's
// own click. A checkable button member that is checked becomes the chosen one by itself; other members are
// marked with setChosen().
//
// The members keep their place in the window's Tab chain: only which of them takes Tab changes,
// so a Tab into the group from either side lands on its one stop.
class ChoiceGroup : public QObject {
    Q_OBJECT
public:
    explicit ChoiceGroup(QObject* parent);

    // Adds a member, in reading order. Whether a click focuses it stays as its policy says.
    void add(QWidget* member);
    // Forgets every member (before the view makes them anew); their focus policies stay as set.
    void clear();
    // The member Tab lands on while the focus is outside the group; null when none is chosen.
    void setChosen(QWidget* member);
    // For members laid out in rows of this many (asked at each key, as a width changes it): Up
    // and Down go to the member above and below instead of the one before and after.
    void setColumns(std::function<int()> columns);

    QList<QWidget*> members() const;
    QWidget* chosen() const { return chosen_; }
    // The member that takes Tab right now.
    QWidget* stop() const { return stop_; }
    // The group a widget is a member of, if any.
    static ChoiceGroup* of(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeStop(QWidget* stop);
    void placeStopOutside();
    bool moveByKey(QWidget* from, const QKeyEvent* key);
    static bool canTake(const QWidget* member);

    QList<QPointer<QWidget>> members_;
    QPointer<QWidget> chosen_;
    QPointer<QWidget> stop_;
    QPointer<QWidget> lastFocused_;
    std::function<int()> columns_;
};
