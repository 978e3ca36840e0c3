#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace pendrel {

// A temporary file that is removed when this object goes, whatever happened
// in between.
class TemporaryFile {
  public:
    // Creates a new file in `directory` named from `prefix` and six random
    // characters, holding `contents`; nothing when it cannot be made.
    static std::optional<TemporaryFile> create(const std::filesystem::path& directory,
                                               std::string_view prefix, std::string_view contents);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    ~TemporaryFile();

    const std::filesystem::path& path() const { return m_path; }

  private:
    explicit TemporaryFile(std::filesystem::path path) : m_path(std::move(path)) {}
    std::filesystem::path m_path;
};

}  // namespace pendrel
