#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class Achievement;
class AchievementCategory;
class ActionGuard;
class ObjectContext;

// Everything done with achievements goes through one of these: each screen that shows or
// records wins is handed one by ScreenModels, over the main context. Creating one makes sure
// the built-in categories exist; the start-up sequence makes sure of it before any screen asks.
class AchievementsViewModel : public QObject {
    Q_OBJECT
public:
    // The built-in categories, in the order they are created.
    static const QStringList& builtInCategoryNames();

    // What a screen reads: every achievement, or only the newest ones a summary shows.
    enum class Reads { everything, recentOnly };
    explicit AchievementsViewModel(ObjectContext* context, QObject* parent = nullptr,
                                   Reads reads = Reads::everything);
    static constexpr int kRecentCount = 5;

    // Creates and saves the built-in categories when the store holds none; custom categories
    // do not count.
    static void seedDefaultCategoriesIfNeeded(ObjectContext* context);

    // Every achievement (only the newest kRecentCount when made to read recent ones), newest
    // date first.
    const std::vector<std::shared_ptr<Achievement>>& achievements() const { return achievements_; }
    // Every category, by name in code-point order.
    const std::vector<std::shared_ptr<AchievementCategory>>& categories() const { return categories_; }
    // The first kRecentCount of achievements().
    std::vector<std::shared_ptr<Achievement>> recentAchievements() const;

    // achievements() grouped by the local year of their effective date, newest year first;
    // each group keeps the order of achievements().
    struct YearSection {
        int year = 0;
        std::vector<std::shared_ptr<Achievement>> achievements;
    };
    std::vector<YearSection> achievementsByYear() const;

    void fetch();
    // Title and notes are stored as given; empty notes store no description. Each write is one
    // action; false (or null) when its save failed and it was rolled back.
    bool add(const QString& title, const QDateTime& date, const QString& emoji,
             const std::shared_ptr<AchievementCategory>& category, const QString& desc);
    bool deleteAchievement(const std::shared_ptr<Achievement>& achievement);
    // A new custom category of exactly that name, even when the name is already taken.
    std::shared_ptr<AchievementCategory> addCategory(const QString& name);

signals:
    void achievementsChanged();
    void categoriesChanged();

private:
    bool save(ActionGuard& action);

    ObjectContext* context_;
    Reads reads_;
    std::vector<std::shared_ptr<Achievement>> achievements_;
    std::vector<std::shared_ptr<AchievementCategory>> categories_;
};
