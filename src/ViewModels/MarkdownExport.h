#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class Goal;
class ObjectContext;

// The Markdown report of every goal with its milestones and steps, written to the user's
// desktop folder.
class MarkdownExport {
public:
    static QString fileName() { return QStringLiteral("Tallowmere-Export.md"); }

    // The whole report for the goals in the order given.
    static QString build(const std::vector<std::shared_ptr<Goal>>& goals, const QDateTime& generated);

    // The desktop folder as the desktop names it (the XDG user folder, ~/Desktop when none is
    // set), or an empty text when that folder does not exist: no folder is ever created.
    static QString desktopFolder();

    // Builds the report of every goal of context (achieved ones included) and writes it whole
    // through an atomic save, replacing an earlier export. On failure the earlier file stays,
    // error says why, and false is returned.
    static bool write(ObjectContext& context, QString* writtenTo = nullptr, QString* error = nullptr);
};
