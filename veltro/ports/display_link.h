#pragma once

namespace veltro {

// What the window list needs from the link while it switches debug windows.
// The link implements it and owns the poll cycle, the one home of the rules
// for requesting, re-requesting and stopping the shown window's items.
class DisplayLink {
  public:
    virtual ~DisplayLink() = default;

    // While paused the reader drops received bytes, so that no value reaches a
    // window that is being hidden.
    virtual void setPaused(bool paused) = 0;

    // The shown debug window stops being current (a switch, or a dialog
    // opening): its items are disabled and STOP goes out for each requested
    // item. Records decoded before this no longer reach a window.
    virtual void windowHidden() = 0;

    // A debug window became the current one: set the trace flag and start the
    // poll cycle for it.
    virtual void windowShown() = 0;
};

}  // namespace veltro
