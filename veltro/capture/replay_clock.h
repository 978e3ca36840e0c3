#pragma once

#include <chrono>
#include <cstdint>

namespace veltro::capture {

// The time a replay runs on, in milliseconds of a steady clock: the machine's
// in the program, one that a test steps.
class ReplayClock {
  public:
    virtual ~ReplayClock() = default;
    virtual std::int64_t nowMs() const = 0;
};

class MachineReplayClock final : public ReplayClock {
  public:
    std::int64_t nowMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace veltro::capture
