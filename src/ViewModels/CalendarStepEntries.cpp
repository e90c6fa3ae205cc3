#include "ViewModels/CalendarStepEntries.h"

#include "Models/Step.h"
#include "Models/StepInputType.h"
#include "Platform/UserDefaults.h"

namespace {

QString dateKey(const QString& prefix, const Step& step, const QDateTime& day) {
    const auto id = step.id();
    const QString stepText = id ? id->toString(QUuid::WithoutBraces).toUpper() : QStringLiteral("unknown");
    return prefix + QLatin1Char('.') + stepText + QLatin1Char('.') + CalendarStepEntries::dayText(day);
}

} // namespace

QString CalendarStepEntries::dayText(const QDateTime& day) {
    return day.toLocalTime().date().toString(Qt::ISODate);
}

QString CalendarStepEntries::noteKey(const Step& step, const QDateTime& day) {
    return dateKey(QStringLiteral("stepInput"), step, day);
}

QString CalendarStepEntries::checkKey(const Step& step, const QDateTime& day) {
    return dateKey(QStringLiteral("stepCheck"), step, day);
}

QString CalendarStepEntries::note(const Step& step, const QDateTime& day) {
    return UserDefaults::standard().text(noteKey(step, day));
}

void CalendarStepEntries::saveNote(const Step& step, const QDateTime& day, const QString& note) {
    if (!note.isEmpty())
        UserDefaults::standard().setText(noteKey(step, day), note);
}

bool CalendarStepEntries::isChecked(const Step& step, const QDateTime& day) {
    return UserDefaults::standard().flag(checkKey(step, day));
}

void CalendarStepEntries::setChecked(const Step& step, const QDateTime& day, bool checked) {
    UserDefaults::standard().setFlag(checkKey(step, day), checked);
}

bool CalendarStepEntries::isTextStep(const Step& step) {
    return step.inputType() == StepInputTypes::rawValue(StepInputType::inputField);
}
