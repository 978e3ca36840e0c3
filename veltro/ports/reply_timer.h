#pragma once

namespace veltro {

// The dump dialog's 10-second reply timer, repeating until cancelled. Used
// on the user-interface thread only.
class ReplyTimer {
  public:
    virtual ~ReplyTimer() = default;
    virtual void restart() = 0;
    virtual void cancel() = 0;
};

}  // namespace veltro
