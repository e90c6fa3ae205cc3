#include "support/HeavyStore.h"

#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"
#include "Models/Subscription.h"
#include "Models/TaskCategory.h"
#include "Store/ObjectContext.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTimeZone>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int generatorVersion = 5;
constexpr qint64 tenYearsMs = 3653LL * 24 * 3600 * 1000;

class Generator {
public:
    Generator(ObjectContext& context, int scale)
        : context_(context), scale_(scale), random_(20260615u + scale) {}

    void run();

private:
    QUuid uuid() {
        return QUuid(random_.generate(), quint16(random_.generate()), quint16(random_.generate()),
                     uchar(random_.generate()), uchar(random_.generate()), uchar(random_.generate()),
                     uchar(random_.generate()), uchar(random_.generate()), uchar(random_.generate()),
                     uchar(random_.generate()), uchar(random_.generate()));
    }
    QDateTime moment() { return HeavyStore::now().addMSecs(-qint64(random_.bounded(double(tenYearsMs)))); }
    QString words(int count) {
        static const char* vocabulary[] = {"plan",   "read",   "call",  "write",  "gym",   "budget",
                                           "garden", "review", "draft", "travel", "learn", "fix",
                                           "book",   "visit",  "clean", "save"};
        QStringList out;
        for (int i = 0; i < count; ++i)
            out << QString::fromLatin1(vocabulary[random_.bounded(16)]);
        return out.join(u' ');
    }
    int count(int base) const { return base * scale_; }
    // Keeps the number of unsaved records bounded.
    void tick() {
        if (++pending_ < 5000)
            return;
        flush();
    }
    void flush() {
        QString error;
        if (!context_.save(&error)) {
            std::fprintf(stderr, "generating the heavy store failed: %s\n", qPrintable(error));
            std::exit(1);
        }
        pending_ = 0;
    }
    void goals();
    void calendar();
    void finance();
    void rest();

    ObjectContext& context_;
    int scale_;
    QRandomGenerator random_;
    int pending_ = 0;
    std::vector<QUuid> moneyGoals_;
    std::vector<QUuid> accounts_;
};

void Generator::goals() {
    std::vector<std::shared_ptr<Goal>> all;
    for (int g = 0; g < count(300); ++g) {
        auto goal = context_.insert<Goal>();
        goal->setId(uuid());
        goal->setTitle(words(3));
        goal->setCategory(QStringLiteral("Category %1").arg(g % 7));
        goal->setPriority(qint16(1 + g % 3));
        goal->setCreatedAt(moment());
        if (g % 3 == 0)
            goal->setDeadline(HeavyStore::now().addDays(random_.bounded(-300, 600)));
        goal->setColorHex(QStringLiteral("#8B5CF6"));
        goal->setIsArchived(g % 10 >= 7); // seven in ten are active
        goal->setStreak(random_.bounded(40));
        if (g % 10 == 0) {
            goal->setNeedsMoney(true);
            goal->setTargetAmount(1000.0 + random_.bounded(20000));
            moneyGoals_.push_back(*goal->id());
        }
        all.push_back(goal);
        for (int m = 0; m < 10; ++m) {
            auto milestone = context_.insert<Milestone>();
            milestone->setId(uuid());
            milestone->setTitle(words(2));
            milestone->setOrder(qint16(m));
            milestone->setCreatedAt(goal->createdAt());
            milestone->setGoal(goal);
            bool allDone = true;
            for (int s = 0; s < 10; ++s) {
                auto step = context_.insert<Step>();
                step->setId(uuid());
                step->setInputType(QStringLiteral("Complete"));
                step->setTitle(words(4));
                const bool done = random_.bounded(100) < 60;
                allDone = allDone && done;
                step->setIsCompleted(done);
                if (done)
                    step->setCompletedAt(moment());
                step->setCreatedAt(goal->createdAt());
                step->setPriority(qint16(2));
                step->setMilestone(milestone);
                tick();
            }
            milestone->setIsCompleted(allDone);
        }
    }
    for (int j = 0; j < count(4000); ++j) {
        auto log = context_.insert<DailyLog>();
        log->setId(uuid());
        log->setDate(moment());
        log->setNotes(words(12));
        log->setMoodScore(qint16(1 + random_.bounded(5)));
        log->setEnergyScore(qint16(1 + random_.bounded(5)));
        log->setProductivityScore(qint16(1 + random_.bounded(5)));
        log->setCreatedAt(log->date());
        log->setGoal(all[random_.bounded(int(all.size()))]);
        tick();
    }
}

void Generator::calendar() {
    std::vector<std::shared_ptr<TaskCategory>> categories;
    for (int c = 0; c < 8; ++c) {
        auto category = context_.insert<TaskCategory>();
        category->setId(uuid());
        category->setName(QStringLiteral("Area %1").arg(c));
        category->setColorHex(QStringLiteral("#22C55E"));
        category->setCreatedAt(moment());
        categories.push_back(category);
    }
    const int tasks = count(12000);
    const int subtasks = count(20000);
    for (int t = 0; t < tasks; ++t) {
        auto task = context_.insert<CalendarTask>();
        task->setId(uuid());
        task->setTitle(words(3));
        task->setDate(moment());
        task->setIsCompleted(random_.bounded(2) == 1);
        task->setCreatedAt(task->date());
        // A few weekly routines among the one-off tasks: about three land on any given day.
        if (t % 600 == 0)
            task->setRepeatFrequency(QStringLiteral("Weekly"));
        task->setCategory(categories[std::size_t(t % 8)]);
        // The subtasks spread evenly: one or two per task.
        for (int s = t; s < subtasks; s += tasks) {
            auto subtask = context_.insert<CalendarSubtask>();
            subtask->setId(uuid());
            subtask->setTitle(words(2));
            subtask->setIsCompleted(random_.bounded(2) == 1);
            subtask->setCreatedAt(task->createdAt());
            subtask->setTask(task);
            tick();
        }
        tick();
    }
}

void Generator::finance() {
    for (int a = 0; a < count(30); ++a) {
        auto account = context_.insert<BankAccount>();
        account->setId(uuid());
        account->setName(QStringLiteral("Account %1").arg(a));
        account->setBalance(random_.bounded(50000.0));
        account->setCreatedAt(moment());
        accounts_.push_back(*account->id());
    }
    std::vector<std::shared_ptr<CreditCard>> cards;
    for (int c = 0; c < count(10); ++c) {
        auto card = context_.insert<CreditCard>();
        cards.push_back(card);
        card->setId(uuid());
        card->setName(QStringLiteral("Card %1").arg(c));
        card->setStatementCloseDay(qint16(1 + c % 28));
        card->setPaymentDueDay(qint16(1 + (c + 10) % 28));
        card->setCreatedAt(moment());
    }
    for (int e = 0; e < count(30000); ++e) {
        auto expense = context_.insert<Expense>();
        expense->setId(uuid());
        expense->setAmount(1.0 + random_.bounded(400.0));
        expense->setCategory(QStringLiteral("Category %1").arg(e % 12));
        expense->setDate(moment());
        expense->setTitle(words(2));
        expense->setExpenseType(e % 4 == 0 ? QStringLiteral("fixed") : QStringLiteral("dynamic"));
        if (e % 3 == 0) {
            expense->setPaymentMethod(QStringLiteral("Credit Card"));
            const auto& card = cards[std::size_t(e) % cards.size()];
            expense->setCreditCardID(*card->id());
            expense->setBilledMonth(Expense::computeBilledMonth(*expense->date(), card));
        } else {
            expense->setPaymentMethod(QStringLiteral("Bank Transfer"));
            expense->setBankAccountID(accounts_[std::size_t(e) % accounts_.size()]);
            expense->setBilledMonth(Expense::computeBilledMonth(*expense->date(), nullptr));
        }
        if (e % 10 == 0)
            expense->setGoalID(moneyGoals_[std::size_t(e / 10) % moneyGoals_.size()]);
        tick();
    }
    for (int i = 0; i < count(3000); ++i) {
        auto income = context_.insert<Income>();
        income->setId(uuid());
        income->setAmount(100.0 + random_.bounded(5000.0));
        income->setDate(moment());
        income->setTitle(words(2));
        income->setPaymentMethod(QStringLiteral("Bank Transfer"));
        income->setBankAccountID(accounts_[std::size_t(i) % accounts_.size()]);
        tick();
    }
    for (int s = 0; s < count(60); ++s) {
        auto sub = context_.insert<Subscription>();
        sub->setId(uuid());
        sub->setName(words(1));
        sub->setPrice(random_.bounded(50.0));
        sub->setRenewalDate(HeavyStore::now().addDays(random_.bounded(365)));
        sub->setBillingCycle(QStringLiteral("monthly"));
        sub->setStatus(QStringLiteral("active"));
        sub->setCreatedAt(moment());
        tick();
    }
    for (int b = 0; b < count(60); ++b) {
        auto bill = context_.insert<Bill>();
        bill->setId(uuid());
        bill->setName(words(1));
        bill->setAmount(random_.bounded(300.0));
        bill->setDueDay(qint16(1 + b % 28));
        bill->setCreatedAt(moment());
        tick();
    }
    for (int v = 0; v < count(500); ++v) {
        auto investment = context_.insert<Investment>();
        investment->setId(uuid());
        investment->setName(words(1));
        investment->setUnits(random_.bounded(100.0));
        investment->setBuyPrice(random_.bounded(500.0));
        investment->setCurrentPrice(random_.bounded(500.0));
        investment->setBuyDate(moment());
        investment->setCreatedAt(investment->buyDate());
        investment->setStatus(QStringLiteral("active"));
        investment->setInvestmentType(QStringLiteral("Stocks"));
        tick();
    }
}

void Generator::rest() {
    std::vector<std::shared_ptr<AchievementCategory>> categories;
    for (int c = 0; c < 6; ++c) {
        auto category = context_.insert<AchievementCategory>();
        category->setId(uuid());
        category->setName(QStringLiteral("Kind %1").arg(c));
        categories.push_back(category);
    }
    for (int a = 0; a < count(200); ++a) {
        auto achievement = context_.insert<Achievement>();
        achievement->setId(uuid());
        achievement->setTitle(words(3));
        achievement->setDate(moment());
        achievement->setEmoji(QStringLiteral("🏆"));
        achievement->setCreatedAt(achievement->date());
        achievement->setCategory(categories[std::size_t(a % 6)]);
        tick();
    }
    for (int l = 0; l < count(1000); ++l) {
        auto link = context_.insert<LinkItem>();
        link->setId(uuid());
        link->setTitle(words(2));
        link->setUrl(QStringLiteral("https://example.org/%1").arg(l));
        link->setCategory(QStringLiteral("Reading"));
        link->setCreatedAt(moment());
        tick();
    }
}

void Generator::run() {
    goals();
    calendar();
    finance();
    rest();
    flush();
}

} // namespace

QDateTime HeavyStore::now() {
    return QDateTime(QDate(2026, 6, 15), QTime(12, 0), QTimeZone::utc());
}

void HeavyStore::generate(const QString& path, int scale) {
    QString error;
    auto context = ObjectContext::open(QuorvaleModel::objectModel(), path, &error);
    if (!context) {
        std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(path), qPrintable(error));
        std::exit(1);
    }
    Generator(*context, scale).run();
}

QString HeavyStore::ensure(const QString& folder, int scale) {
    QDir().mkpath(folder);
    const QString path =
        QStringLiteral("%1/heavy-%2x-v%3.sqlite").arg(folder).arg(scale).arg(generatorVersion);
    if (QFile::exists(path))
        return path;
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    generate(partial, scale);
    QFile::rename(partial, path);
    return path;
}
