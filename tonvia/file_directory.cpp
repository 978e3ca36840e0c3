#include "tonvia/file_directory.h"

#include <cstdio>
#include <system_error>

#include "common/atomic_file.h"
#include "common/file_lookup.h"
#include "common/platform_files.h"

namespace fs = std::filesystem;

namespace tonvia {

namespace {

class FileInput : public InputSource {
  public:
    explicit FileInput(std::FILE* file) : m_file(file) {}
    ~FileInput() override {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    std::optional<std::size_t> read(std::span<char> buffer) override {
        if (m_file == nullptr) {
            return std::nullopt;
        }
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), m_file);
        if (got == 0 && std::ferror(m_file) != 0) {
            return std::nullopt;
        }
        return got;
    }

    bool close() override {
        std::FILE* file = m_file;
        m_file = nullptr;
        return file != nullptr && std::fclose(file) == 0;
    }

  private:
    std::FILE* m_file;
};

class FileOutput : public OutputFile {
  public:
    explicit FileOutput(fs::path target) : m_writer(std::move(target)) {}
    bool open() { return m_writer.open(); }
    bool write(std::string_view bytes) override { return m_writer.write(bytes); }
    bool commit() override { return m_writer.commit(); }

  private:
    common::AtomicFileWriter m_writer;
};

}  // namespace

Presence FileDirectory::check(std::string_view fileName) {
    std::error_code error;
    const fs::file_status status = fs::status(m_path, error);
    if (status.type() == fs::file_type::not_found) {
        return Presence::Missing;
    }
    if (error || status.type() != fs::file_type::directory) {
        return Presence::CheckFailed;
    }
    // An unreadable directory would otherwise look like one without the file.
    const fs::directory_iterator listing(m_path, error);
    if (error) {
        return Presence::CheckFailed;
    }
    return common::findFileIgnoreCase(m_path, fileName) ? Presence::Present : Presence::Missing;
}

std::unique_ptr<InputSource> FileDirectory::openForReading(std::string_view fileName) {
    const auto path = common::findFileIgnoreCase(m_path, fileName);
    std::error_code error;
    if (!path || fs::is_directory(*path, error)) {
        return nullptr;
    }
    std::FILE* file = common::openFile(*path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    return std::make_unique<FileInput>(file);
}

std::unique_ptr<OutputFile> FileDirectory::openForWriting(std::string_view fileName) {
    const auto existing = common::findFileIgnoreCase(m_path, fileName);
    auto output =
        std::make_unique<FileOutput>(existing ? *existing : m_path / std::string(fileName));
    if (!output->open()) {
        return nullptr;
    }
    return output;
}

}  // namespace tonvia
