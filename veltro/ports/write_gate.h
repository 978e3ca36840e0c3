#pragma once

namespace veltro {

// Whether a write can reach the controller now. A debug window asks before
// every write: one that the line cannot carry is refused and told, never
// shown as if it went.
class WriteGate {
  public:
    virtual ~WriteGate() = default;
    virtual bool writesPossible() const = 0;
};

}  // namespace veltro
