#include "Components/Symbols.h"
#include "ViewModels/Theme/EnumStyles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

namespace {

int coveredPixels(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                ++count;
    return count;
}

bool looksLikeSymbol(const QString& literal, const QString& line) {
    static const QRegularExpression dotted(QStringLiteral("^[a-z0-9]+(\\.[a-z0-9]+)+$"));
    static const QRegularExpression version(QStringLiteral("^[0-9.]+$"));
    static const QRegularExpression file(
        QStringLiteral("\\.(svg|png|sqlite|h|cpp|json|desktop|txt|csv|md|wal|shm|db|ico|lock|ini|conf|so)$"));
    if (dotted.match(literal).hasMatch())
        return !version.match(literal).hasMatch() && !file.match(literal).hasMatch() &&
               !literal.startsWith(QLatin1String("org.")) && !literal.startsWith(QLatin1String("com."));
    // A single word counts where the line speaks of a symbol.
    static const QRegularExpression word(QStringLiteral("^[a-z][a-z0-9]*$"));
    static const QRegularExpression symbolLine(QStringLiteral("[Ss]ymbol"));
    return word.match(literal).hasMatch() && symbolLine.match(line).hasMatch();
}

} // namespace

TEST(Symbols, EverySymbolNamedInTheSourcesHasAnIcon) {
    static const QRegularExpression literal(QStringLiteral("\"([a-z0-9][a-z0-9.]*)\""));
    QStringList missing;
    int seen = 0;
    // Symbols are drawn by the widget layers only; key paths of the store ("milestone.goal")
    // live elsewhere and look alike.
    QStringList paths;
    for (const char* dir : {"/src/Components", "/src/Views", "/src/App"}) {
        QDirIterator it(QStringLiteral(QV_SOURCE_DIR) + QLatin1String(dir),
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << it.next();
    }
    for (const QString& path : paths) {
        if (path.endsWith(QLatin1String("Components/Symbols.cpp")))
            continue; // the table itself names icon files too
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (int n = 0; n < lines.size(); ++n) {
            for (auto m = literal.globalMatch(lines[n]); m.hasNext();) {
                const QString name = m.next().captured(1);
                if (!looksLikeSymbol(name, lines[n]) || lines[n].contains(QLatin1String("%@")) ||
                    lines[n].contains(QLatin1String("Predicate")))
                    continue;
                ++seen;
                if (!Symbols::has(name))
                    missing << QStringLiteral("%1:%2 \"%3\"")
                                   .arg(QDir(QV_SOURCE_DIR).relativeFilePath(path))
                                   .arg(n + 1)
                                   .arg(name);
            }
        }
    }
    EXPECT_GT(seen, 3);
    EXPECT_TRUE(missing.isEmpty()) << qPrintable(missing.join(QLatin1Char('\n')));
}

TEST(Symbols, EveryEntryDrawsFromABundledIcon) {
    const QSet<QString> bundled = [] {
        QSet<QString> s;
        for (const QString& f :
             QDir(QStringLiteral(QV_SOURCE_DIR "/resources/icons")).entryList({QStringLiteral("*.svg")}))
            s.insert(f);
        return s;
    }();
    for (const QString& file : Symbols::iconFiles()) {
        EXPECT_TRUE(bundled.contains(file)) << qPrintable(file);
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/icons/") + file)) << qPrintable(file);
    }
    // Nothing is bundled that the table does not use.
    for (const QString& file : bundled)
        EXPECT_TRUE(Symbols::iconFiles().contains(file)) << qPrintable(file);
    EXPECT_TRUE(QFile::exists(QStringLiteral(QV_SOURCE_DIR "/resources/icons/LICENSE")));
    for (const QString& name : Symbols::names())
        EXPECT_GT(coveredPixels(Symbols::pixmap(name, 32, Qt::white)), 20) << qPrintable(name);
}

TEST(Symbols, FilledNamesCoverMoreAndCutOutTheirDetails) {
    const int outline = coveredPixels(Symbols::pixmap(QStringLiteral("circle"), 48, Qt::white));
    const int disc = coveredPixels(Symbols::pixmap(QStringLiteral("checkmark.circle.fill"), 48, Qt::white));
    EXPECT_GT(disc, outline * 2);
    // The tick is cut out of the disc: the centre line has a transparent gap.
    const QImage tick = Symbols::pixmap(QStringLiteral("checkmark.circle.fill"), 48, Qt::white).toImage();
    const QImage plain = Symbols::pixmap(QStringLiteral("7.circle.fill"), 48, Qt::red).toImage();
    EXPECT_LT(qAlpha(tick.pixel(22, 29)), 128);
    EXPECT_EQ(qRed(plain.pixel(24, 6)), 255);
    // Numbers are drawn for any circled number; other unknown names are not.
    EXPECT_TRUE(Symbols::has(QStringLiteral("12.circle.fill")));
    EXPECT_FALSE(Symbols::has(QStringLiteral("no.such.symbol")));
    EXPECT_FALSE(Symbols::has(QStringLiteral("7.circle")));
}

TEST(Symbols, TheEnumerationsNameOnlyKnownSymbols) {
    for (auto f : MilestoneFrequencies::allCases)
        EXPECT_TRUE(Symbols::has(EnumStyles::symbol(f)));
    for (auto p : GoalPriorities::allCases)
        EXPECT_TRUE(Symbols::has(EnumStyles::symbol(p)));
    for (auto s : MomentumStates::allCases)
        EXPECT_TRUE(Symbols::has(EnumStyles::symbol(s)));
    for (auto t : StepInputTypes::allCases) {
        EXPECT_TRUE(Symbols::has(EnumStyles::builderSymbol(t)));
        EXPECT_TRUE(Symbols::has(EnumStyles::rowSymbol(t)));
    }
}
