#pragma once

#include "Store/ObjectContext.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

// A list that follows the store: it re-runs its request whenever the context announces a
// change to its own entity or to one of the entities its rows are derived from.
class LiveFetch : public QObject {
    Q_OBJECT
public:
    LiveFetch(ObjectContext* context, FetchRequest request, QStringList derivedFrom = {},
              QObject* parent = nullptr);

    const std::vector<std::shared_ptr<ManagedObject>>& results() const { return results_; }
    template <typename T> std::vector<std::shared_ptr<T>> typedResults() const {
        std::vector<std::shared_ptr<T>> out;
        for (auto& o : results_)
            out.push_back(std::static_pointer_cast<T>(o));
        return out;
    }
    void setRequest(FetchRequest request); // re-runs at once
    void refresh();

    // What the rows show of the entities they derive from, folded into one number (0 when it
    // cannot be told cheaply). A change to those entities alone is then announced only when
    // the rows or this number changed: a journal entry does not redraw a list of goals.
    using Digest = std::function<size_t(const std::vector<std::shared_ptr<ManagedObject>>&)>;
    void setDerivedDigest(Digest digest);
    // Whether a digest taken again says the rows show what they showed: 0 tells nothing.
    static bool sameDigest(size_t fresh, size_t last) { return fresh != 0 && fresh == last; }

    // What a change to these entities means to a list of entity's records whose rows derive
    // from followed: its records may differ, only what its rows show may, or nothing.
    enum class Reach { none, records, derived };
    static Reach reach(const QSet<QString>& changed, const QString& entity, const QStringList& followed);

signals:
    void changed();

private:
    void rerun(bool ownEntityChanged);

    QPointer<ObjectContext> context_; // a list may outlive the store it followed
    FetchRequest request_;
    QStringList followed_;
    std::vector<std::shared_ptr<ManagedObject>> results_;
    Digest digest_;
    size_t lastDigest_ = 0;
};
