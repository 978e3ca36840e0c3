#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "pendrel/ports/prompts.h"

namespace pendrel::test {

// Records every box and question; answers from queues that a test fills.
class RecordingPrompts : public Prompts {
  public:
    void warning(std::string_view text) override { warnings.emplace_back(text); }
    void information(std::string_view caption, std::string_view text) override {
        informations.push_back(std::string(caption) + ": " + std::string(text));
    }
    bool askYesNo(std::string_view caption, std::string_view text) override {
        questions.push_back(std::string(caption) + ": " + std::string(text));
        return yesNoAnswer;
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
            return ExistingFile::Cancel;
        }
        ExistingFile answer = existingAnswers.front();
        existingAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> warnings;
    std::vector<std::string> informations;
    std::vector<std::string> questions;
    std::vector<std::string> textCaptions;
    std::vector<std::string> existingQuestions;
    bool yesNoAnswer = false;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<ExistingFile> existingAnswers;
};

class RecordingProgress : public Progress {
  public:
    void open(std::string_view title) override { titles.emplace_back(title); }
    void add(std::string_view line) override { lines.emplace_back(line); }
    void close() override { ++closed; }

    std::vector<std::string> titles;
    std::vector<std::string> lines;
    int closed = 0;
};

// A fresh directory under the build tree, removed again with the object.
class TempDir {
  public:
    explicit TempDir(const std::string& name)
        : m_path(std::filesystem::path(TEST_BINARY_DIR) / "pendrel-tmp" / name) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

void writeFile(const std::filesystem::path& path, const std::string& text);
std::string readFile(const std::filesystem::path& path);
std::vector<std::string> filesIn(const std::filesystem::path& dir);

}  // namespace pendrel::test
