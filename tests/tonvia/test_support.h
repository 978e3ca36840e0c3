#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tonvia/directory.h"
#include "tonvia/message_sink.h"

namespace tonvia::test {

class RecordingSink : public MessageSink {
  public:
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Where a MemoryDirectory fails, to reach every failure message.
struct Faults {
    std::map<std::string, Presence> presence;  // overrides the presence of a file
    std::optional<std::string> failOpen;       // the file that cannot be opened
    int failOpenAfter = 0;                     // ...on the open after this many of it
    std::optional<std::string> failRead;       // the file whose reads fail...
    std::size_t failReadAfter = 0;             // ...after this many bytes
    std::optional<std::string> failClose;
    int failCloseAfter = 0;  // ...on the close after this many of it
    bool failCreate = false;
    int failWriteAt = -1;  // the write call (counted from 0) that fails
    bool failCommit = false;
};

// Source files held in memory, read in small pieces so that lines cross the
// reads; CONFIL goes to `written` when committed.
class MemoryDirectory : public Directory {
  public:
    std::map<std::string, std::string> files;
    Faults faults;
    std::optional<std::string> written;  // set on commit
    std::size_t chunkSize = 7;

    Presence check(std::string_view fileName) override;
    std::unique_ptr<InputSource> openForReading(std::string_view fileName) override;
    std::unique_ptr<OutputFile> openForWriting(std::string_view fileName) override;

  private:
    std::map<std::string, int> m_opens;
    std::map<std::string, int> m_closes;
};

// An input over a string, failing after `failAfter` bytes if set.
std::unique_ptr<InputSource> memoryInput(std::string text, std::size_t chunkSize = 7,
                                         std::optional<std::size_t> failAfter = std::nullopt);

// A directory under the system's temporary directory, removed with its contents.
class TemporaryDirectory {
  public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    void write(const std::string& name, const std::string& contents) const;
    std::optional<std::string> read(const std::string& name) const;

  private:
    std::filesystem::path m_path;
};

// CONFIL bytes written out by hand from the records' layout.
std::string le32(std::int32_t value);
std::string framed(const std::string& data);
std::string padded(const std::string& text, std::size_t length = 130);
std::string ints(const std::vector<std::int32_t>& values);

}  // namespace tonvia::test
