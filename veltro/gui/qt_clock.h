#pragma once

#include "veltro/ports/steady_clock.h"

namespace veltro::gui {

// The machine's steady clock for work on the GUI thread: waiting runs the
// event loop without user input until the moment has come, so the windows
// keep painting and the link's posted work keeps arriving, while the user
// cannot start anything new in the middle of a paced run.
class QtClock final : public SteadyClock {
  public:
    Time now() const override;
    void waitUntil(Time deadline) override;
};

}  // namespace veltro::gui
