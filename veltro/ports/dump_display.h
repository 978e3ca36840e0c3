#pragma once

#include <cstdint>
#include <string_view>

namespace veltro {

// The dump dialog's window: the count field, the echo line and the status
// line. Called on the user-interface thread only (the receiver posts its
// updates there through the dispatcher).
class DumpDisplay {
  public:
    virtual ~DumpDisplay() = default;
    virtual void showCount(std::int32_t count) = 0;
    virtual void showEcho(std::string_view line) = 0;
    virtual void showStatus(std::string_view text) = 0;
};

}  // namespace veltro
