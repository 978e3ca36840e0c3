#pragma once

#include "veltro/ports/messages.h"

namespace veltro {

// For callers that load definitions without a message window (a simulator
// reading the sample, a benchmark): every message is dropped.
class SilentMessages : public Messages {
  public:
    void message(int, std::string_view, std::string_view, std::string_view) override {}
    void setContextPrefix(std::string_view) override {}
    void setLinePrefix(int) override {}
};

}  // namespace veltro
