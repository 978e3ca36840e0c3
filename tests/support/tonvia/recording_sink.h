#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tonvia/message_sink.h"

namespace test_support {

// The run's message lines, kept in order.
class RecordingTonviaSink : public tonvia::MessageSink {
  public:
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

}  // namespace test_support
