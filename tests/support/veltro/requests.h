#pragma once

#include <vector>

#include "veltro/ports/controller_requests.h"
#include "veltro/ports/write_gate.h"

namespace test_support {

struct Request {
    veltro::ControllerRecord record;
    veltro::CommandMode mode = veltro::CommandMode::Stop;
    friend bool operator==(const Request&, const Request&) = default;
};

// Keeps every request in order.
class RequestRecorder final : public veltro::ControllerRequests {
  public:
    void send(const veltro::ControllerRecord& record, veltro::CommandMode mode) override {
        sent.push_back({record, mode});
    }
    std::vector<veltro::CommandMode> modes() const {
        std::vector<veltro::CommandMode> result;
        for (const Request& r : sent)
            result.push_back(r.mode);
        return result;
    }
    std::vector<Request> sent;
};

// A line that carries writes while `open` is set.
class SwitchedWriteGate final : public veltro::WriteGate {
  public:
    bool writesPossible() const override { return open; }
    bool open = true;
};

}  // namespace test_support
