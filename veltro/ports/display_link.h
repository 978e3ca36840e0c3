#pragma once

namespace veltro {

// What the window list needs from the link while it switches debug windows.
// The link implements it; the poll cycle itself (its two timers) is the link's.
class DisplayLink {
  public:
    virtual ~DisplayLink() = default;

    // While paused the reader drops received bytes, so that no value reaches a
    // window that is being hidden.
    virtual void setPaused(bool paused) = 0;

    // A debug window became the current one: set the trace flag and start the
    // poll cycle for it.
    virtual void windowShown() = 0;
};

}  // namespace veltro
