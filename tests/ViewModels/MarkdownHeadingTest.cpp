// A goal's title becomes a heading of the export; titles made only of the heading mark itself
// are still the goal's own text.

#include "ViewModels/MarkdownExport.h"

#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

class MarkdownHeading : public FrozenClockStoreTest {
protected:
    MarkdownHeading() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(8, 5))) {}
};

} // namespace

TEST_F(MarkdownHeading, ATitleOfOnlyHashesIsExportedAsItsHashes) {
    for (const QString& title : {QStringLiteral("#"), QStringLiteral("###"), QStringLiteral("# #")}) {
        auto goal = Goal::create(context);
        goal->setTitle(title);
        const QString report = MarkdownExport::build({goal}, now);
        QStringList goalHeadings;
        for (const QString& line : report.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("## ")))
                goalHeadings << line;
        }
        ASSERT_EQ(goalHeadings.size(), 1) << report.toStdString();
        // However the marks are escaped, what a reader sees is the title.
        QString shown = goalHeadings.front().mid(3);
        shown.remove(QLatin1Char('\\'));
        EXPECT_EQ(shown, title) << goalHeadings.front().toStdString();
        context->deleteObject(goal);
    }
}
