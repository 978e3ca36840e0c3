#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pendrel/ports/prompts.h"

namespace test_support {

// The designer's progress window for tests, fuzzers and benchmarks.
class RecordingPendrelProgress : public pendrel::Progress {
  public:
    void open(std::string_view title) override { titles.emplace_back(title); }
    void add(std::string_view line) override { lines.emplace_back(line); }
    void close() override { ++closed; }

    void clear() {
        titles.clear();
        lines.clear();
        closed = 0;
    }

    std::vector<std::string> titles;
    std::vector<std::string> lines;
    int closed = 0;
};

}  // namespace test_support
