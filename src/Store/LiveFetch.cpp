#include "Store/LiveFetch.h"

LiveFetch::LiveFetch(ObjectContext* context, FetchRequest request, QStringList derivedFrom, QObject* parent)
    : QObject(parent), context_(context), request_(std::move(request)), followed_(std::move(derivedFrom)) {
    if (context_) {
        connect(context_, &ObjectContext::objectsChanged, this, [this](const QSet<QString>& names) {
            const Reach reached = reach(names, request_.entityName, followed_);
            if (reached != Reach::none)
                rerun(reached == Reach::records);
        });
        results_ = context_->fetch(request_);
    }
}

LiveFetch::Reach LiveFetch::reach(const QSet<QString>& changed, const QString& entity,
                                  const QStringList& followed) {
    if (changed.contains(entity))
        return Reach::records;
    for (const QString& name : followed)
        if (changed.contains(name))
            return Reach::derived;
    return Reach::none;
}

void LiveFetch::setRequest(FetchRequest request) {
    request_ = std::move(request);
    refresh();
}

void LiveFetch::refresh() {
    rerun(true);
}

void LiveFetch::setDerivedDigest(Digest digest) {
    digest_ = std::move(digest);
    lastDigest_ = digest_ ? digest_(results_) : 0;
}

void LiveFetch::rerun(bool ownEntityChanged) {
    auto fresh = context_ ? context_->fetch(request_) : std::vector<std::shared_ptr<ManagedObject>>{};
    const bool sameRows = fresh == results_;
    results_ = std::move(fresh);
    const size_t digest = digest_ ? digest_(results_) : 0;
    const bool sameFigures = sameDigest(digest, lastDigest_);
    lastDigest_ = digest;
    if (ownEntityChanged || !sameRows || !sameFigures)
        emit changed();
}
