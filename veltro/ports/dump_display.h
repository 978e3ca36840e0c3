#pragma once

#include <cstdint>
#include <string_view>

namespace veltro {

// The dump dialog's window: the count field, the echo line, the status line
// and whether the file field's file holds the data. Called on the user-interface thread only (the
// receiver posts its updates there through the dispatcher).
class DumpDisplay {
  public:
    virtual ~DumpDisplay() = default;
    virtual void showCount(std::int32_t count) = 0;
    virtual void showEcho(std::string_view line) = 0;
    virtual void showStatus(std::string_view text) = 0;
    // False once a dump could not be stored in the file; true at each
    // opening and file choice. A display without a file field ignores it.
    virtual void showStored(bool /*stored*/) {}
};

}  // namespace veltro
