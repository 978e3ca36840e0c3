#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pendrel/ports/prompts.h"

// Ports that show nothing and answer every question the same way, so that a
// fuzzer reaches every path without a front-end.
class SilentPrompts : public pendrel::Prompts {
  public:
    void warning(std::string_view) override {}
    void information(std::string_view, std::string_view) override {}
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    ExistingFile askExistingFile(std::string_view) override { return ExistingFile::Cancel; }
};

class SilentProgress : public pendrel::Progress {
  public:
    void open(std::string_view) override {}
    void add(std::string_view) override {}
    void close() override {}
};
