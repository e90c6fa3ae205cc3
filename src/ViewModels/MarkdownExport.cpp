#include "ViewModels/MarkdownExport.h"

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/Extensions/ProgressPercent.h"
#include "ViewModels/GoalText.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Every character that can open inline markup (emphasis, code, links and images, tables and
// strikethrough of the common extensions, tags, entity references) and the escape itself.
bool opensMarkup(QChar c) {
    static const QString markers = QStringLiteral("\\`*_[]()!~|<&");
    return markers.contains(c);
}

// A user's text on a line the report began: kept to that one line (a title stored with line
// breaks included), without NUL or other control characters, and each markup character
// escaped, so a viewer shows exactly what was typed and never a link, image or tag of its own.
QString inlineText(const QString& text) {
    QString out;
    for (const QChar c : Text::oneLine(text)) {
        if (opensMarkup(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

// The same as a heading's text: a closing run of "#" would otherwise be read as the heading's
// optional end and dropped.
QString headingText(const QString& text) {
    QString out = inlineText(text);
    qsizetype run = out.size();
    while (run > 0 && out[run - 1] == QLatin1Char('#'))
        --run;
    if (run < out.size() && (run == 0 || out[run - 1] == QLatin1Char(' ')))
        out.insert(run, QLatin1Char('\\'));
    return out;
}

} // namespace

QString MarkdownExport::build(const std::vector<std::shared_ptr<Goal>>& goals, const QDateTime& generated) {
    QString out;
    out += QStringLiteral("# Velmora Export\n\n");
    out += QStringLiteral("Generated: ") + QLocale().toString(generated, QLocale::ShortFormat) +
           QStringLiteral("\n\n");
    for (const auto& goal : goals) {
        out += QStringLiteral("## ") + headingText(GoalText::title(*goal)) + QLatin1Char('\n');
        out += QStringLiteral("Category: ") + inlineText(GoalText::category(*goal)) + QLatin1Char('\n');
        out += QStringLiteral("Progress: ") + ProgressPercent::text(goal->progressPercentage()) +
               QStringLiteral("%\n");
        out += QStringLiteral("Streak: ") +
               Text::counted(goal->streak(), QStringLiteral("day"), QStringLiteral("days")) +
               QStringLiteral("\n\n");
        for (const auto& milestone : goal->milestonesArray()) {
            out += QStringLiteral("### ") + inlineText(GoalText::milestoneTitle(milestone.get())) +
                   QStringLiteral(" [") + (milestone->isCompleted() ? QChar(0x2713) : QChar(0x25CB)) +
                   QStringLiteral("]\n");
            for (const auto& step : milestone->stepsArray())
                out += QStringLiteral("- [") + (step->isCompleted() ? QLatin1Char('x') : QLatin1Char(' ')) +
                       QStringLiteral("] ") + inlineText(GoalText::stepTitle(step.get())) + QLatin1Char('\n');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QString MarkdownExport::desktopFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    return folder;
}

bool MarkdownExport::write(ObjectContext& context, QString* writtenTo, QString* error) {
    const QString folder = desktopFolder();
    if (folder.isEmpty()) {
        if (error)
            *error = QStringLiteral("there is no desktop folder");
        return false;
    }
    const auto goals = context.fetch<Goal>(FetchRequest(Goal::entityName()));
    const QString path = QDir(folder).filePath(fileName());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(build(goals, Clock::now()).toUtf8()) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (writtenTo)
        *writtenTo = path;
    return true;
}
