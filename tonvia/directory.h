#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace tonvia {

// A source file opened for reading.
class InputSource {
  public:
    virtual ~InputSource() = default;
    // Fills the front of `buffer`: the number of bytes read, 0 at the end of the
    // file, nothing on a read error.
    virtual std::optional<std::size_t> read(std::span<char> buffer) = 0;
    virtual bool close() = 0;
};

// An output file that replaces its target only when committed; dropping it
// without a commit leaves the target as it was.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual bool write(std::string_view bytes) = 0;
    virtual bool commit() = 0;
};

enum class Presence { Present, Missing, CheckFailed };

// The directory of the application sources, where CONFIL is written too.
class Directory {
  public:
    virtual ~Directory() = default;
    virtual Presence check(std::string_view fileName) = 0;
    virtual std::unique_ptr<InputSource> openForReading(std::string_view fileName) = 0;
    virtual std::unique_ptr<OutputFile> openForWriting(std::string_view fileName) = 0;
};

}  // namespace tonvia
