#pragma once

#include <deque>
#include <string>
#include <vector>

#include "veltro/ports/controller_requests.h"
#include "veltro/ports/prompts.h"
#include "veltro/session/message_log.h"

namespace veltro::testing {

// The message window's lines, composed exactly as the debugger composes them.
class LineRecorder final : public MessageLines {
  public:
    bool addLine(const std::string& line) override {
        lines.push_back(line);
        return accept;
    }
    std::vector<std::string> lines;
    bool accept = true;
};

struct Request {
    ControllerRecord record;
    CommandMode mode;
    friend bool operator==(const Request&, const Request&) = default;
};

class RequestRecorder final : public ControllerRequests {
  public:
    void send(const ControllerRecord& record, CommandMode mode) override {
        sent.push_back({record, mode});
    }
    std::vector<CommandMode> modes() const {
        std::vector<CommandMode> result;
        for (const Request& r : sent) {
            result.push_back(r.mode);
        }
        return result;
    }
    std::vector<Request> sent;
};

struct Box {
    std::string caption;
    std::string text;
    PromptIcon icon;
};

// Answers yes/no questions from a script and records every box.
class ScriptedPrompts final : public Prompts {
  public:
    void messageBox(std::string_view caption, std::string_view text, PromptIcon icon) override {
        boxes.push_back({std::string(caption), std::string(text), icon});
    }
    bool askYesNo(std::string_view caption, std::string_view text, PromptIcon icon) override {
        boxes.push_back({std::string(caption), std::string(text), icon});
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    std::deque<bool> answers;
    std::vector<Box> boxes;
};

// A message log over a recorder, as the loader's tests need it.
struct RecordingLog {
    LineRecorder lines;
    ScriptedPrompts prompts;
    MessageLog log{lines, prompts};
};

}  // namespace veltro::testing
