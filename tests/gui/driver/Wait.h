// Waiting for a state with a deadline, polling every few milliseconds. Tests never sleep a fixed time.
#pragma once

#include "driver/Error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace driver {

using Timeout = std::chrono::milliseconds;

// How long a wait lasts unless the caller says otherwise: generous, since Wine is slow on a loaded machine.
constexpr Timeout kDefaultTimeout{10000};
// How long a program may take from CreateProcess to its first window.
constexpr Timeout kStartTimeout{20000};
constexpr Timeout kPollInterval{15};

// Polls predicate until it holds or the timeout passes; true when it held.
bool PollUntil(const std::function<bool()>& predicate, Timeout timeout = kDefaultTimeout);

// The same for assertions: ASSERT_TRUE(WaitUntil(pred, "the file list shows 3 entries")); on timeout the
// failure names what was awaited and for how long.
::testing::AssertionResult WaitUntil(const std::function<bool()>& predicate, const std::string& what,
                                     Timeout timeout = kDefaultTimeout);

// Message of a timed-out wait: "timed out after N ms waiting for <what>".
std::string TimeoutMessage(const std::string& what, Timeout timeout);

// Polls find() until its result tests true (a Window, a std::optional) and returns it; throws DriverError
// naming `what` when the timeout passes first.
template <class Find>
auto WaitFor(Find find, const std::string& what, Timeout timeout = kDefaultTimeout) -> decltype(find())
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto result = find();
        if (result) {
            return result;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw DriverError(TimeoutMessage(what, timeout));
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace driver
