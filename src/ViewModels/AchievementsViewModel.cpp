#include "ViewModels/AchievementsViewModel.h"

#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/JournalQueries.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"

#include <algorithm>

const QStringList& AchievementsViewModel::builtInCategoryNames() {
    static const QStringList names{QStringLiteral("Health"),   QStringLiteral("Career"),
                                   QStringLiteral("Personal"), QStringLiteral("Education"),
                                   QStringLiteral("Finance"),  QStringLiteral("Relationships"),
                                   QStringLiteral("Other")};
    return names;
}

AchievementsViewModel::AchievementsViewModel(ObjectContext* context, QObject* parent, Reads reads)
    : QObject(parent), context_(context), reads_(reads) {
    seedDefaultCategoriesIfNeeded(context_);
    fetch();
}

std::vector<std::shared_ptr<Achievement>> AchievementsViewModel::recentAchievements() const {
    const auto n = std::min<std::size_t>(achievements_.size(), kRecentCount);
    return {achievements_.begin(), achievements_.begin() + static_cast<std::ptrdiff_t>(n)};
}

std::vector<AchievementsViewModel::YearSection> AchievementsViewModel::achievementsByYear() const {
    std::vector<YearSection> sections;
    for (const auto& achievement : achievements_) {
        const int year = achievement->wrappedDate().toLocalTime().date().year();
        auto it = std::find_if(sections.begin(), sections.end(),
                               [year](const YearSection& s) { return s.year == year; });
        if (it == sections.end()) {
            sections.push_back({year, {}});
            it = sections.end() - 1;
        }
        it->achievements.push_back(achievement);
    }
    std::stable_sort(sections.begin(), sections.end(),
                     [](const YearSection& a, const YearSection& b) { return a.year > b.year; });
    return sections;
}

void AchievementsViewModel::fetch() {
    FetchRequest request = JournalQueries::achievements();
    if (reads_ == Reads::recentOnly)
        request.fetchLimit = kRecentCount;
    achievements_ = context_->fetch<Achievement>(request);
    emit achievementsChanged();
    categories_ = context_->fetch<AchievementCategory>(JournalQueries::achievementCategories());
    emit categoriesChanged();
}

bool AchievementsViewModel::add(const QString& title, const QDateTime& date, const QString& emoji,
                                const std::shared_ptr<AchievementCategory>& category, const QString& desc) {
    ActionGuard action(*context_);
    auto achievement = Achievement::create(context_);
    achievement->setTitle(title);
    achievement->setDate(date);
    achievement->setEmoji(emoji);
    achievement->setCategory(category);
    achievement->setDesc(desc.isEmpty() ? std::nullopt : std::optional<QString>(desc));
    return save(action);
}

bool AchievementsViewModel::deleteAchievement(const std::shared_ptr<Achievement>& achievement) {
    if (!achievement || achievement->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(achievement);
    return save(action);
}

std::shared_ptr<AchievementCategory> AchievementsViewModel::addCategory(const QString& name) {
    ActionGuard action(*context_);
    auto category = AchievementCategory::create(context_);
    category->setName(name);
    category->setIsCustom(true);
    if (!save(action))
        return nullptr;
    return category;
}

bool AchievementsViewModel::save(ActionGuard& action) {
    // A failed save has rolled the action back; the lists show what is stored either way.
    const bool saved = action.commit();
    fetch();
    return saved;
}

void AchievementsViewModel::seedDefaultCategoriesIfNeeded(ObjectContext* context) {
    if (context->count(JournalQueries::builtInAchievementCategories()) > 0)
        return;
    ActionGuard action(*context);
    for (const QString& name : builtInCategoryNames()) {
        auto category = AchievementCategory::create(context);
        category->setName(name);
        category->setIsCustom(false);
    }
    action.commit();
}
