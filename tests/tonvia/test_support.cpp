#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace tonvia::test {

namespace {

class MemoryInputSource : public InputSource {
  public:
    MemoryInputSource(std::string text, std::size_t chunk, std::optional<std::size_t> failAfter,
                      bool failClose)
        : m_text(std::move(text)),
          m_chunk(chunk),
          m_failAfter(failAfter),
          m_failClose(failClose) {}

    std::optional<std::size_t> read(std::span<char> buffer) override {
        if (m_failAfter && m_position >= *m_failAfter) {
            return std::nullopt;
        }
        std::size_t limit = std::min({buffer.size(), m_chunk, m_text.size() - m_position});
        if (m_failAfter) {
            limit = std::min(limit, *m_failAfter - m_position);
        }
        std::copy_n(m_text.begin() + static_cast<std::ptrdiff_t>(m_position), limit,
                    buffer.begin());
        m_position += limit;
        return limit;
    }
    bool close() override { return !m_failClose; }

  private:
    std::string m_text;
    std::size_t m_chunk;
    std::optional<std::size_t> m_failAfter;
    bool m_failClose;
    std::size_t m_position = 0;
};

class MemoryOutput : public OutputFile {
  public:
    MemoryOutput(const Faults& faults, std::optional<std::string>& target)
        : m_faults(faults), m_target(target) {}
    bool write(std::string_view bytes) override {
        if (m_writes++ == m_faults.failWriteAt) {
            return false;
        }
        m_data += bytes;
        return true;
    }
    bool commit() override {
        if (m_faults.failCommit) {
            return false;
        }
        m_target = m_data;
        return true;
    }

  private:
    const Faults& m_faults;
    std::optional<std::string>& m_target;
    std::string m_data;
    int m_writes = 0;
};

}  // namespace

std::unique_ptr<InputSource> memoryInput(std::string text, std::size_t chunkSize,
                                         std::optional<std::size_t> failAfter) {
    return std::make_unique<MemoryInputSource>(std::move(text), chunkSize, failAfter, false);
}

Presence MemoryDirectory::check(std::string_view fileName) {
    const std::string name(fileName);
    if (const auto it = faults.presence.find(name); it != faults.presence.end()) {
        return it->second;
    }
    return files.count(name) != 0 ? Presence::Present : Presence::Missing;
}

std::unique_ptr<InputSource> MemoryDirectory::openForReading(std::string_view fileName) {
    const std::string name(fileName);
    const int opens = m_opens[name]++;
    const auto file = files.find(name);
    if (file == files.end() || (faults.failOpen == name && opens >= faults.failOpenAfter)) {
        return nullptr;
    }
    std::optional<std::size_t> failAfter;
    if (faults.failRead == name) {
        failAfter = faults.failReadAfter;
    }
    const int closes = m_closes[name]++;
    const bool failClose = faults.failClose == name && closes >= faults.failCloseAfter;
    return std::make_unique<MemoryInputSource>(file->second, chunkSize, failAfter, failClose);
}

std::unique_ptr<OutputFile> MemoryDirectory::openForWriting(std::string_view) {
    if (faults.failCreate) {
        return nullptr;
    }
    return std::make_unique<MemoryOutput>(faults, written);
}

TemporaryDirectory::TemporaryDirectory() {
    std::random_device random;
    std::ostringstream name;
    name << "tonvia-test-" << std::hex << random() << random();
    m_path = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(m_path);
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void TemporaryDirectory::write(const std::string& name, const std::string& contents) const {
    std::ofstream out(m_path / name, std::ios::binary);
    out << contents;
}

std::optional<std::string> TemporaryDirectory::read(const std::string& name) const {
    std::ifstream in(m_path / name, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

std::string le32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

std::string framed(const std::string& data) {
    const std::string count = le32(static_cast<std::int32_t>(data.size()));
    return count + data + count;
}

std::string padded(const std::string& text, std::size_t length) {
    std::string result = text;
    result.resize(length, ' ');
    return result;
}

std::string ints(const std::vector<std::int32_t>& values) {
    std::string data;
    for (const std::int32_t value : values) {
        data += le32(value);
    }
    return framed(data);
}

}  // namespace tonvia::test
