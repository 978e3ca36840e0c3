#pragma once

#include <filesystem>

#include "tonvia/directory.h"

namespace tonvia {

// The sources' directory on disk. File names are matched without regard to
// case, so zxapdef.h serves for ZXAPDEF.H and an existing confil is replaced.
class FileDirectory : public Directory {
  public:
    explicit FileDirectory(std::filesystem::path path) : m_path(std::move(path)) {}

    Presence check(std::string_view fileName) override;
    std::unique_ptr<InputSource> openForReading(std::string_view fileName) override;
    std::unique_ptr<OutputFile> openForWriting(std::string_view fileName) override;

  private:
    std::filesystem::path m_path;
};

}  // namespace tonvia
