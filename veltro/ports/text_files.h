#pragma once

#include <memory>
#include <string_view>

namespace veltro {

// A text file being written; closed when destroyed. Writes that fail are
// dropped: the tools' listings never stop a run.
class TextFile {
  public:
    virtual ~TextFile() = default;
    virtual void write(std::string_view text) = 0;
};

// Opens the tools' listing and result files.
class TextFiles {
  public:
    virtual ~TextFiles() = default;
    // Replaces the file, or appends to it; nothing when it cannot be opened.
    virtual std::unique_ptr<TextFile> open(std::string_view path, bool append) = 0;
};

}  // namespace veltro
