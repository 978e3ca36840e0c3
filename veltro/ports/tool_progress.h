#pragma once

namespace veltro {

// The progress bar of a parameter tool's dialog, and the user's wish to stop
// the run (Escape or closing the dialog). A run may call it from a worker
// thread; the front-end hands the bar's updates to its own thread.
class ToolProgress {
  public:
    virtual ~ToolProgress() = default;
    // Range 0 to `range`, position 0.
    virtual void start(int range) = 0;
    // One parameter visited.
    virtual void step() = 0;
    // Checked before each command: true ends the run after the current one.
    virtual bool stopRequested() const = 0;
};

}  // namespace veltro
