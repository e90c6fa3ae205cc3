// The harness of the programs below the views, which run without Qt Widgets.

#include "Support/TestSupport.h"

#include <QGuiApplication>

namespace qv::test {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace qv::test
