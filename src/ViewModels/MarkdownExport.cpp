#include "ViewModels/MarkdownExport.h"

#include "Core/Extensions/ProgressPercent.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Platform/Store/ObjectContext.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>

QString MarkdownExport::build(const std::vector<std::shared_ptr<Goal>>& goals, const QDateTime& generated) {
    QString out;
    out += QStringLiteral("# Velmora Export\n\n");
    out += QStringLiteral("Generated: ") + QLocale().toString(generated, QLocale::ShortFormat) +
           QStringLiteral("\n\n");
    for (const auto& goal : goals) {
        out += QStringLiteral("## ") + goal->title().value_or(QStringLiteral("Untitled Goal")) +
               QLatin1Char('\n');
        out += QStringLiteral("Category: ") + goal->category().value_or(QStringLiteral("Personal")) +
               QLatin1Char('\n');
        out += QStringLiteral("Progress: ") + ProgressPercent::text(goal->progressPercentage()) +
               QStringLiteral("%\n");
        out += QStringLiteral("Streak: ") + QString::number(goal->streak()) + QStringLiteral(" days\n\n");
        for (const auto& milestone : goal->milestonesArray()) {
            out += QStringLiteral("### ") +
                   milestone->title().value_or(QStringLiteral("Untitled Milestone")) + QStringLiteral(" [") +
                   (milestone->isCompleted() ? QChar(0x2713) : QChar(0x25CB)) + QStringLiteral("]\n");
            for (const auto& step : milestone->stepsArray())
                out += QStringLiteral("- [") + (step->isCompleted() ? QLatin1Char('x') : QLatin1Char(' ')) +
                       QStringLiteral("] ") + step->title().value_or(QStringLiteral("Untitled Step")) +
                       QLatin1Char('\n');
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
