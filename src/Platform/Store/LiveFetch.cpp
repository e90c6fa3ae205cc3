#include "Platform/Store/LiveFetch.h"

LiveFetch::LiveFetch(ObjectContext* context, FetchRequest request, QStringList derivedFrom, QObject* parent)
    : QObject(parent), context_(context), request_(std::move(request)), followed_(std::move(derivedFrom)) {
    if (context_) {
        connect(context_, &ObjectContext::objectsChanged, this, [this](const QSet<QString>& names) {
            if (names.contains(request_.entityName)) {
                rerun(true);
                return;
            }
            for (const QString& name : followed_)
                if (names.contains(name)) {
                    rerun(false);
                    return;
                }
        });
        results_ = context_->fetch(request_);
    }
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
    const bool sameFigures = digest != 0 && digest == lastDigest_;
    lastDigest_ = digest;
    if (ownEntityChanged || !sameRows || !sameFigures)
        emit changed();
}
