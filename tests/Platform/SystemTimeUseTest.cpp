#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

// Every rule reads "now" from Clock, so that tests can set it. Only the platform layer and the
// store beneath it (which stamps the name of a file it moves aside) may ask the system for the time.
TEST(SystemTimeUse, OnlyThePlatformLayerReadsTheSystemClock) {
    const QString sourceRoot = QStringLiteral(QV_SOURCE_DIR "/src");
    const QStringList platformRoots{sourceRoot + QStringLiteral("/Platform/"),
                                    sourceRoot + QStringLiteral("/Store/")};
    const QRegularExpression direct(QStringLiteral(
        R"(\b(currentDateTime(Utc)?|currentMSecsSinceEpoch|currentSecsSinceEpoch|QDate\s*::\s*currentDate|)"
        R"(QTime\s*::\s*currentTime|system_clock\s*::\s*now)\b)"));
    QStringList offenders;
    int scanned = 0;
    QDirIterator it(sourceRoot, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (std::any_of(platformRoots.begin(), platformRoots.end(),
                        [&](const QString& root) { return path.startsWith(root); }))
            continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        ++scanned;
        int lineNumber = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine());
            ++lineNumber;
            const auto match = direct.match(line);
            if (match.hasMatch())
                offenders << path.mid(sourceRoot.size() + 1) + QLatin1Char(':') +
                                 QString::number(lineNumber) + QStringLiteral(" uses ") + match.captured(1);
        }
    }
    EXPECT_GT(scanned, 0);
    EXPECT_TRUE(offenders.isEmpty()) << "use Clock::now() instead:\n"
                                     << offenders.join(QLatin1Char('\n')).toStdString();
}
