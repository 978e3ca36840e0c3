#include "veltro/tools/std_text_files.h"

#include <fstream>
#include <string>

namespace veltro::tools {

namespace {

class StreamFile final : public TextFile {
  public:
    explicit StreamFile(std::ofstream stream) : m_stream(std::move(stream)) {}
    void write(std::string_view text) override {
        m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        m_stream.flush();
    }

  private:
    std::ofstream m_stream;
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

}  // namespace veltro::tools
