#pragma once

#include <chrono>
#include <thread>

namespace test_support {

// Polls `condition` until it holds or `limit` passes; what it last said. The
// limit only guards against a hang: a loaded machine never reaches it.
template <class Condition>
bool waitUntil(Condition condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(60000)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace test_support
