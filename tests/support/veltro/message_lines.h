#pragma once

#include <string>
#include <vector>

#include "support/veltro/prompts.h"
#include "veltro/session/message_log.h"

namespace test_support {

// The message window's list box: the lines as the debugger composes them.
class LineRecorder final : public veltro::MessageLines {
  public:
    bool addLine(const std::string& line) override {
        lines.push_back(line);
        return accept;
    }
    std::vector<std::string> lines;
    bool accept = true;
};

// The session's message log over a recorder, for tests of what the message
// window shows word for word.
struct RecordingLog {
    LineRecorder lines;
    ScriptedPrompts prompts;
    veltro::MessageLog log{lines, prompts};
};

}  // namespace test_support
