// The harness of the store's own program, which links the store, QtCore and SQLite alone: no
// clock or defaults to put back, and no GUI application.

#include "Support/TestSupport.h"

#include <QCoreApplication>

namespace qv::test {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    return std::make_unique<QCoreApplication>(argc, argv);
}

void resetAfterTest() {}

} // namespace qv::test
