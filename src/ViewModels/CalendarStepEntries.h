#pragma once

#include <QDateTime>
#include <QString>

class Step;

// What the calendar keeps per step and per day in the user defaults: the note of a text step
// under "stepInput.<S>.<D>" and the tick of a checkbox step under "stepCheck.<S>.<D>", where
// S is the step's id in upper case ("unknown" without one) and D the local day written
// "yyyy-MM-dd" in Gregorian ASCII whatever the locale, so an entry is found again after a
// change of language. The step's own completion is never touched.
class CalendarStepEntries {
public:
    static QString dayText(const QDateTime& day);
    static QString noteKey(const Step& step, const QDateTime& day);
    static QString checkKey(const Step& step, const QDateTime& day);

    static QString note(const Step& step, const QDateTime& day);
    // An empty note is not written: a stored note can only be replaced.
    static void saveNote(const Step& step, const QDateTime& day, const QString& note);
    static bool isChecked(const Step& step, const QDateTime& day);
    // Unticking stores false; the key is kept.
    static void setChecked(const Step& step, const QDateTime& day, bool checked);

    // A step is answered with a note only when its input type says so; anything else,
    // nothing included, is a checkbox.
    static bool isTextStep(const Step& step);
};
