#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace common {

// Writes a file so that it is either wholly replaced or left untouched: the
// data goes to a temporary file in the same directory, which is renamed over
// the target only after it was written and closed without error.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();  // discards the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool open();  // false when the temporary file cannot be created
    bool write(std::string_view bytes);
    bool commit();  // flush, close, rename; false (target untouched) on failure
    void discard();

    const std::filesystem::path& target() const { return m_target; }
    const std::filesystem::path& temporaryPath() const { return m_temporary; }
    // Why the last open, write or commit failed; empty after a success.
    std::error_code error() const { return m_error; }

  private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    bool m_failed = false;
    std::error_code m_error;
};

// Convenience: the whole contents at once; `error`, when given, receives the
// cause of a failure.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::error_code* error = nullptr);

}  // namespace common
