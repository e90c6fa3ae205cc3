#pragma once

#include <QString>

#include <functional>

// A request that names what the model does not have (an entity, attribute or relationship in
// a key path, sort, predicate or setValue, or a key path that crosses a to-many relationship)
// would quietly match nothing, or everything. Debug builds stop at the first one; a release
// build prints each distinct report once and carries on as before.
class StoreMisuse {
public:
    using Handler = std::function<void(const QString& message)>;

    static void report(const QString& message);
    // Replaces what a report does (a test turns it into a failure of its own); returns the
    // handler it replaced. An empty handler restores the build's own behaviour.
    static Handler setHandler(Handler handler);
    // The release behaviour: prints "store misuse: <message>" the first time it sees the
    // message; returns whether it printed.
    static bool printOnce(const QString& message);
};
