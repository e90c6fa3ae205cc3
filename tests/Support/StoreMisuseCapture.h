#pragma once

#include "Store/StoreMisuse.h"

#include <QStringList>

namespace qv::test {

// Every test fails on a misuse of the store; one that provokes a misuse on purpose collects
// the reports here instead, for as long as this object lives.
class StoreMisuseCapture {
public:
    StoreMisuseCapture() : previous_(StoreMisuse::setHandler([this](const QString& m) { reports << m; })) {}
    ~StoreMisuseCapture() { StoreMisuse::setHandler(previous_); }
    StoreMisuseCapture(const StoreMisuseCapture&) = delete;
    StoreMisuseCapture& operator=(const StoreMisuseCapture&) = delete;

    // The reports so far, cleared.
    QStringList take() { return std::exchange(reports, {}); }

    QStringList reports;

private:
    StoreMisuse::Handler previous_;
};

} // namespace qv::test
