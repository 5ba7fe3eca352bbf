#include "driver/Wait.h"

namespace driver {

bool PollUntil(const std::function<bool()>& predicate, Timeout timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (predicate()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return predicate();
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

::testing::AssertionResult WaitUntil(const std::function<bool()>& predicate, const std::string& what, Timeout timeout)
{
    if (PollUntil(predicate, timeout)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << TimeoutMessage(what, timeout);
}

std::string TimeoutMessage(const std::string& what, Timeout timeout)
{
    return "timed out after " + std::to_string(timeout.count()) + " ms waiting for " + what;
}

}  // namespace driver
