#pragma once

#include <cstdint>
#include <string_view>

#include "veltro/ports/dump_display.h"
#include "veltro/ports/reply_timer.h"

namespace veltro::link {

// The link's ports that a program without windows has no use for: it never
// shows a dump and never waits for a reply on a timer.
class NoDumpDisplay final : public DumpDisplay {
  public:
    void showCount(std::int32_t) override {}
    void showEcho(std::string_view) override {}
    void showStatus(std::string_view) override {}
};

class NoReplyTimer final : public ReplyTimer {
  public:
    void restart() override {}
    void cancel() override {}
};

}  // namespace veltro::link
