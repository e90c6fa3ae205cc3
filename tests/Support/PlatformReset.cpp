// The reset between tests of every program that links the platform.

#include "Support/TestSupport.h"

#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"

namespace qv::test {

void resetAfterTest() {
    Clock::useSystem();
    UserDefaults::resetStandard();
}

} // namespace qv::test
