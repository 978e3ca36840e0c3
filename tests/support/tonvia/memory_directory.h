#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "tonvia/directory.h"

namespace test_support {

// Source files held in memory, read in small pieces so that lines cross the
// reads; CONFIL goes to `written` when committed. `faults` makes any step
// fail, to reach every failure message.
class MemoryTonviaDirectory : public tonvia::Directory {
  public:
    struct Faults {
        std::map<std::string, tonvia::Presence> presence;  // overrides a file's presence
        std::optional<std::string> failOpen;               // the file that cannot be opened
        int failOpenAfter = 0;                             // ...on the open after this many
        std::optional<std::string> failRead;               // the file whose reads fail...
        std::size_t failReadAfter = 0;                     // ...after this many bytes
        std::optional<std::string> failClose;
        int failCloseAfter = 0;  // ...on the close after this many of it
        bool failCreate = false;
        int failWriteAt = -1;  // the write call (counted from 0) that fails
        bool failCommit = false;
    };

    std::map<std::string, std::string> files;
    Faults faults;
    std::optional<std::string> written;  // set on commit
    std::size_t chunkSize = 7;

    tonvia::Presence check(std::string_view fileName) override;
    std::unique_ptr<tonvia::InputSource> openForReading(std::string_view fileName) override;
    std::unique_ptr<tonvia::OutputFile> openForWriting(std::string_view fileName) override;

  private:
    std::map<std::string, int> m_opens;
    std::map<std::string, int> m_closes;
};

// An input over a string, read `chunkSize` bytes at most at a time, failing
// after `failAfter` bytes if set.
std::unique_ptr<tonvia::InputSource> memoryTonviaInput(
    std::string text, std::size_t chunkSize = 7,
    std::optional<std::size_t> failAfter = std::nullopt);

}  // namespace test_support
