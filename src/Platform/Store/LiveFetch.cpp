#include "Platform/Store/LiveFetch.h"

LiveFetch::LiveFetch(ObjectContext* context, FetchRequest request, QStringList derivedFrom, QObject* parent)
    : QObject(parent), context_(context), request_(std::move(request)), followed_(std::move(derivedFrom)) {
    if (context_) {
        connect(context_, &ObjectContext::objectsChanged, this, [this](const QSet<QString>& names) {
            if (names.contains(request_.entityName)) {
                refresh();
                return;
            }
            for (const QString& name : followed_)
                if (names.contains(name)) {
                    refresh();
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
    results_ = context_ ? context_->fetch(request_) : std::vector<std::shared_ptr<ManagedObject>>{};
    emit changed();
}
