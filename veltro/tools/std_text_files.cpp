#include "veltro/tools/std_text_files.h"

#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace veltro::tools
