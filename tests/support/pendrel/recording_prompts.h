#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pendrel/ports/prompts.h"

namespace test_support {

// The designer's prompts for tests, fuzzers and benchmarks: records every box
// and question and answers from what the caller set up.
class RecordingPendrelPrompts : public pendrel::Prompts {
  public:
    void warning(std::string_view text) override { warnings.emplace_back(text); }
    void information(std::string_view caption, std::string_view text) override {
        informations.push_back(std::string(caption) + ": " + std::string(text));
    }
    bool askYesNo(std::string_view caption, std::string_view text) override {
        questions.push_back(std::string(caption) + ": " + std::string(text));
        return yesNoAnswer;
    }
    bool askPcOmgeving(std::string_view caption, std::string_view text) override {
        pcOmgevingQuestions.push_back(std::string(caption) + ": " + std::string(text));
        return pcOmgevingAnswer;
    }
    std::optional<std::string> askText(std::string_view caption, std::string_view,
                                       std::string_view) override {
        textCaptions.emplace_back(caption);
        if (textAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    ExistingFile askExistingFile(std::string_view text) override {
        existingQuestions.emplace_back(text);
        if (existingAnswers.empty()) {
            return otherExistingAnswer;
        }
        ExistingFile answer = existingAnswers.front();
        existingAnswers.pop_front();
        return answer;
    }

    // Forgets what was asked; the answers stay.
    void clear() {
        warnings.clear();
        informations.clear();
        questions.clear();
        pcOmgevingQuestions.clear();
        textCaptions.clear();
        existingQuestions.clear();
    }

    std::vector<std::string> warnings;
    std::vector<std::string> informations;
    std::vector<std::string> questions;            // "caption: text"
    std::vector<std::string> pcOmgevingQuestions;  // "caption: text"
    std::vector<std::string> textCaptions;
    std::vector<std::string> existingQuestions;

    bool yesNoAnswer = false;
    bool pcOmgevingAnswer = false;
    std::deque<std::optional<std::string>> textAnswers;  // then: cancelled
    std::deque<ExistingFile> existingAnswers;            // then: otherExistingAnswer
    ExistingFile otherExistingAnswer = ExistingFile::Cancel;
};

}  // namespace test_support
