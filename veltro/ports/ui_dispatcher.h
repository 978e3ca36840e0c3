#pragma once

#include <functional>

namespace veltro {

// "Run this on the user-interface thread": the link decides what to show, the
// dispatcher decides where it runs. Work runs in the order it was posted;
// post() never waits for it, so any thread may call it. The link posts only
// after releasing its own locks.
class UiDispatcher {
  public:
    virtual ~UiDispatcher() = default;
    virtual void post(std::function<void()> work) = 0;
};

}  // namespace veltro
