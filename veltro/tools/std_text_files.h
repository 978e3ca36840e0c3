#pragma once

#include "veltro/ports/text_files.h"

namespace veltro::tools {

// Listing files through the standard library's file streams.
class StdTextFiles final : public TextFiles {
  public:
    std::unique_ptr<TextFile> open(std::string_view path, bool append) override;
};

}  // namespace veltro::tools
