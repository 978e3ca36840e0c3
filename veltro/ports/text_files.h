#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace veltro {

// A text file being written; closed when destroyed. Writes that fail are
// dropped: the tools' listings never stop a run.
class TextFile {
  public:
    virtual ~TextFile() = default;
    virtual void write(std::string_view text) = 0;
    // Ends the file; false when what was written did not all reach it. A
    // file of replaceWhole() takes the place of its target only here.
    virtual bool close() { return true; }
};

// Opens the tools' listing and result files.
class TextFiles {
  public:
    virtual ~TextFiles() = default;
    // Replaces the file, or appends to it; nothing when it cannot be opened.
    virtual std::unique_ptr<TextFile> open(std::string_view path, bool append) = 0;
    // A file that replaces `path` as a whole when it is closed without
    // error; until then, after a failure, or when it is dropped unclosed,
    // the old file stays as it was. Nothing when it cannot be made.
    virtual std::unique_ptr<TextFile> replaceWhole(std::string_view path) = 0;
    // The whole text of a file; nothing when it does not exist or cannot be
    // read.
    virtual std::optional<std::string> read(std::string_view path) = 0;
    // Removes the file; true when it is gone (also when it was not there).
    virtual bool remove(std::string_view path) = 0;
};

}  // namespace veltro
