#include "Models/MockData/MockDataSeeder.h"

#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <QRandomGenerator>

#include <cstdio>
#include <vector>

namespace {

struct SampleMilestone {
    const char* title;
    bool done;
    std::vector<const char*> steps;
};

struct SampleGoal {
    const char* title;
    const char* category;
    const char* colorHex;
    qint16 priority;
    int deadlineInDays;
    qint32 streak;
    const char* momentum;
    std::vector<SampleMilestone> milestones;
};

const std::vector<SampleGoal>& sampleGoals() {
    static const std::vector<SampleGoal> goals{
        {"Launch Personal Brand",
         "Career",
         "#8B5CF6",
         3,
         90,
         14,
         "accelerating",
         {{"Brand Identity & Positioning",
           true,
           {"Define target audience", "Write mission statement", "Choose visual style",
            "Create brand voice guide"}},
          {"Website & Portfolio",
           false,
           {"Buy domain", "Design homepage", "Write case studies", "SEO setup", "Launch beta"}},
          {"Content Strategy",
           false,
           {"Pick content pillars", "Create content calendar", "Write 10 posts ahead",
            "Set up scheduling tool"}},
          {"First 1000 Followers",
           false,
           {"Post daily for 30 days", "Engage with community", "Collaborate with others",
            "Analyze top posts"}}}},
        {"Run a Half Marathon",
         "Fitness",
         "#10B981",
         2,
         120,
         7,
         "accelerating",
         {{"Build Base Fitness",
           true,
           {"3x weekly runs", "Stretching routine", "Sleep 8hrs", "Track weekly mileage"}},
          {"5K Milestone", true, {"Complete Couch to 5K", "Race day preparation", "Run 5K without stopping"}},
          {"10K Milestone", false, {"Build to 8K training runs", "Interval training", "Long run Sundays"}},
          {"Half Marathon Race Day",
           false,
           {"Register for race", "Taper week plan", "Race day nutrition", "Cross the finish line"}}}},
        {"Learn Advanced SwiftUI",
         "Learning",
         "#22D3EE",
         2,
         60,
         3,
         "coasting",
         {{"Core SwiftUI Mastery",
           true,
           {"Complete Apple tutorials", "Build 3 sample apps", "Study documentation"}},
          {"Animations & Gestures",
           false,
           {"Spring animations", "Custom transitions", "Gesture recognizers", "Interactive cards"}},
          {"Architecture Patterns",
           false,
           {"MVVM deep dive", "Combine integration", "Clean code principles"}}}},
        {"Read 12 Books This Year",
         "Personal",
         "#F5C842",
         1,
         200,
         5,
         "coasting",
         {{"Q1 - Books 1-3", true, {"Atomic Habits", "Deep Work", "The Lean Startup"}},
          {"Q2 - Books 4-6", false, {"Zero to One", "Sapiens", "Thinking Fast & Slow"}},
          {"Q3 - Books 7-9", false, {"The Innovators", "Shoe Dog", "Creativity Inc"}},
          {"Q4 - Books 10-12", false, {"Good to Great", "The Hard Thing", "No Rules Rules"}}}},
        {"Launch Side Project",
         "Career",
         "#F43F5E",
         3,
         45,
         1,
         "stalling",
         {{"Market Research", true, {"Competitor analysis", "User interviews x5", "Problem validation"}},
          {"MVP Design", false, {"Wireframes", "Design system", "Prototype in Figma"}},
          {"Development", false, {"Set up project", "Core features", "Beta testing"}},
          {"Launch & Marketing", false, {"Product Hunt launch", "Social media campaign", "Email list"}}}},
    };
    return goals;
}

const std::vector<const char*>& journalNotes() {
    static const std::vector<const char*> notes{
        "Made great progress today. Feeling motivated and focused.",
        "Challenging day but pushed through. Small wins count.",
        "Completed key steps. Building momentum nicely.",
        "Deep work session \u2014 stayed focused for 3 hours straight.",
        "Networking session paid off. New connections made.",
        "Rest day but stayed on track mentally.",
        "Breakthrough moment today \u2014 everything clicked.",
    };
    return notes;
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void seedJournal(ObjectContext* context, const std::shared_ptr<Goal>& goal, const QDateTime& now,
                 const MockDataSeeder::RandomSource& random) {
    const auto& notes = journalNotes();
    for (int d = 0; d < 30; ++d) {
        if (random(0, 2) == 0)
            continue;
        const QDateTime date = Calendar::addDays(now, -d);
        auto log = DailyLog::create(context);
        log->setDate(date);
        log->setCreatedAt(date);
        log->setMoodScore(static_cast<qint16>(random(2, 5)));
        log->setEnergyScore(static_cast<qint16>(random(2, 5)));
        log->setProductivityScore(static_cast<qint16>(random(2, 5)));
        if (d < 3)
            log->setNotes(text(notes[random(0, static_cast<int>(notes.size()) - 1)]));
        log->setGoal(goal);
    }
}

void seedGoal(ObjectContext* context, const SampleGoal& sample, const QDateTime& now,
              const MockDataSeeder::RandomSource& random) {
    const QDateTime monthAgo = Calendar::addDays(now, -30);
    auto goal = Goal::create(context);
    goal->setTitle(text(sample.title));
    goal->setCategory(text(sample.category));
    goal->setColorHex(text(sample.colorHex));
    goal->setPriority(sample.priority);
    goal->setStreak(sample.streak);
    goal->setMomentumState(text(sample.momentum));
    goal->setDeadline(Calendar::addDays(now, sample.deadlineInDays));
    goal->setCreatedAt(monthAgo);
    goal->setIsArchived(false);

    for (std::size_t i = 0; i < sample.milestones.size(); ++i) {
        const SampleMilestone& m = sample.milestones[i];
        auto milestone = Milestone::create(context);
        milestone->setTitle(text(m.title));
        milestone->setOrder(static_cast<qint16>(i));
        milestone->setIsCompleted(m.done);
        if (m.done)
            milestone->setCompletedAt(Calendar::addDays(now, 5 * static_cast<int>(i) - 30));
        milestone->setCreatedAt(monthAgo);
        milestone->setGoal(goal);

        for (std::size_t j = 0; j < m.steps.size(); ++j) {
            const bool completed = j < 2 || m.done;
            auto step = Step::create(context);
            step->setTitle(text(m.steps[j]));
            step->setPriority(2);
            step->setIsCompleted(completed);
            if (completed)
                step->setCompletedAt(Calendar::addDays(now, 2 * static_cast<int>(j) - 20));
            step->setCreatedAt(monthAgo);
            step->setIsRecurring(false);
            step->setMilestone(milestone);
        }
    }
    seedJournal(context, goal, now, random);
}

int systemRandom(int low, int high) {
    return QRandomGenerator::global()->bounded(low, high + 1);
}

} // namespace

void MockDataSeeder::seedIfNeeded(ObjectContext* context, RandomSource random) {
    if (context == nullptr)
        return;
    if (context->count(FetchRequest(Goal::entityName(), {}, {}, 1)) != 0)
        return;
    if (!random)
        random = systemRandom;

    const QDateTime now = Clock::now();
    for (const SampleGoal& sample : sampleGoals())
        seedGoal(context, sample, now, random);

    QString error;
    if (!context->save(&error)) {
        std::printf("Failed to seed mock data: %s\n", error.toLocal8Bit().constData());
        std::fflush(stdout);
        // Unsaved samples would otherwise go out with the user's next action.
        context->rollback();
    }
}
