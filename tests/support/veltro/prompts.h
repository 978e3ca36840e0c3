#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "veltro/ports/prompts.h"

namespace test_support {

struct Box {
    std::string caption;
    std::string text;
    veltro::PromptIcon icon = veltro::PromptIcon::None;
    friend bool operator==(const Box&, const Box&) = default;
};

// Records every box and question; answers yes/no and text questions from
// scripts (No and Cancel once a script runs out).
class ScriptedPrompts final : public veltro::Prompts {
  public:
    void messageBox(std::string_view caption, std::string_view text,
                    veltro::PromptIcon icon) override {
        record(caption, text, icon);
    }
    bool askYesNo(std::string_view caption, std::string_view text,
                  veltro::PromptIcon icon) override {
        record(caption, text, icon);
        std::lock_guard lock(m_mutex);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> askText(std::string_view caption, std::string_view prompt,
                                       std::string_view) override {
        record(caption, prompt, veltro::PromptIcon::None);
        std::lock_guard lock(m_mutex);
        if (texts.empty())
            return std::nullopt;
        std::string answer = texts.front();
        texts.pop_front();
        return answer;
    }

    std::vector<Box> snapshot() const {
        std::lock_guard lock(m_mutex);
        return boxes;
    }
    // "caption|text" of every box, for compact comparisons.
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const Box& b : snapshot())
            out.push_back(b.caption + "|" + b.text);
        return out;
    }

    // Set up before the logic runs; read after it (or through snapshot()).
    std::deque<bool> answers;
    std::deque<std::string> texts;
    std::vector<Box> boxes;

  private:
    void record(std::string_view caption, std::string_view text, veltro::PromptIcon icon) {
        std::lock_guard lock(m_mutex);
        boxes.push_back({std::string(caption), std::string(text), icon});
    }
    mutable std::mutex m_mutex;
};

}  // namespace test_support
