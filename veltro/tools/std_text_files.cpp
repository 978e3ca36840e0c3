#include "veltro/tools/std_text_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "common/atomic_file.h"

namespace veltro::tools {

namespace {

class StreamFile final : public TextFile {
  public:
    explicit StreamFile(std::ofstream stream) : m_stream(std::move(stream)) {}
    void write(std::string_view text) override {
        m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        m_stream.flush();
    }
    bool close() override {
        m_stream.close();
        return static_cast<bool>(m_stream);
    }

  private:
    std::ofstream m_stream;
};

class WholeFile final : public TextFile {
  public:
    explicit WholeFile(std::string_view path)
        : m_writer(std::filesystem::path(std::string(path))) {}
    bool open() { return m_writer.open(); }
    void write(std::string_view text) override { m_ok = m_writer.write(text) && m_ok; }
    bool close() override { return m_writer.commit() && m_ok; }

  private:
    common::AtomicFileWriter m_writer;
    bool m_ok = true;
};

}  // namespace

std::unique_ptr<TextFile> StdTextFiles::open(std::string_view path, bool append) {
    if (path.empty())
        return nullptr;
    std::ofstream stream(std::string(path), append ? std::ios::app : std::ios::trunc);
    if (!stream)
        return nullptr;
    return std::make_unique<StreamFile>(std::move(stream));
}

std::unique_ptr<TextFile> StdTextFiles::replaceWhole(std::string_view path) {
    if (path.empty())
        return nullptr;
    auto file = std::make_unique<WholeFile>(path);
    if (!file->open())
        return nullptr;
    return file;
}

std::optional<std::string> StdTextFiles::read(std::string_view path) {
    const std::filesystem::path file{std::string(path)};
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof())
        return std::nullopt;
    return text.str();
}

bool StdTextFiles::remove(std::string_view path) {
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path{std::string(path)}, ec);
    return !ec;
}

}  // namespace veltro::tools
