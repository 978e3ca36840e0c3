#pragma once

#include "veltro/ports/text_files.h"

namespace veltro::tools {

// Listing files through the standard library's file streams; whole files
// through a temporary file that is renamed over the target.
class StdTextFiles final : public TextFiles {
  public:
    std::unique_ptr<TextFile> open(std::string_view path, bool append) override;
    std::unique_ptr<TextFile> replaceWhole(std::string_view path) override;
    std::optional<std::string> read(std::string_view path) override;
    bool remove(std::string_view path) override;
};

}  // namespace veltro::tools
