#include <gtest/gtest.h>

#include <thread>

#include "veltro/definitions/element_tables.h"

namespace veltro {
namespace {

// The link's reader thread fills controller values while the GUI thread
// waits for their marks: a set mark must always come with its value.
TEST(ControllerValueThreaded, MarkNeverComesBeforeItsValue) {
    constexpr int kValues = 2000;
    ElementTables tables;
    auto& params = tables.parameters.slots;
    // Joined however the test ends, so a failing check reports instead of
    // ending the run in std::terminate.
    std::jthread reader([&] {
        for (int i = 0; i < kValues; ++i)
            params[static_cast<std::size_t>(i)].controller.storeFirst(i + 1);
    });
    int seen = 0;
    while (seen < kValues) {
        const ControllerValue& v = params[static_cast<std::size_t>(seen)].controller;
        if (!v.received())
            continue;
        if (v.value() != seen + 1) {
            ADD_FAILURE() << "slot " << seen << " marked with value " << v.value();
            break;
        }
        ++seen;
    }
}

}  // namespace
}  // namespace veltro
