#pragma once

#include "Platform/Store/ObjectContext.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

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

signals:
    void changed();

private:
    QPointer<ObjectContext> context_; // a list may outlive the store it followed
    FetchRequest request_;
    QStringList followed_;
    std::vector<std::shared_ptr<ManagedObject>> results_;
};
