#pragma once

#include <functional>

class ObjectContext;

// Fills an empty store with five sample goals, their milestones and steps, and about a
// month of journal entries. A store holding any goal, archived or not, is left alone.
class MockDataSeeder {
public:
    // A uniformly random integer from low to high, both included.
    using RandomSource = std::function<int(int low, int high)>;

    // Without a random source the system's generator is used.
    static void seedIfNeeded(ObjectContext* context, RandomSource random = {});
};
