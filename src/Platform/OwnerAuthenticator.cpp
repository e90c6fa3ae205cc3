#include "Platform/OwnerAuthenticator.h"

#include "Platform/PamOwnerAuthenticator.h"

namespace {
OwnerAuthenticator::Factory& factory() {
    static OwnerAuthenticator::Factory instance;
    return instance;
}
} // namespace

std::unique_ptr<OwnerAuthenticator> OwnerAuthenticator::make() {
    if (factory())
        return factory()();
    return std::make_unique<PamOwnerAuthenticator>();
}

void OwnerAuthenticator::setFactory(Factory newFactory) {
    factory() = std::move(newFactory);
}
