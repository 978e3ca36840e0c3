#include "support/tonvia/memory_directory.h"

#include <algorithm>

namespace test_support {

namespace {

class MemoryInputSource : public tonvia::InputSource {
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

class MemoryOutput : public tonvia::OutputFile {
  public:
    MemoryOutput(const MemoryTonviaDirectory::Faults& faults, std::optional<std::string>& target)
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
    const MemoryTonviaDirectory::Faults& m_faults;
    std::optional<std::string>& m_target;
    std::string m_data;
    int m_writes = 0;
};

}  // namespace

std::unique_ptr<tonvia::InputSource> memoryTonviaInput(std::string text, std::size_t chunkSize,
                                                       std::optional<std::size_t> failAfter) {
    return std::make_unique<MemoryInputSource>(std::move(text), chunkSize, failAfter, false);
}

tonvia::Presence MemoryTonviaDirectory::check(std::string_view fileName) {
    const std::string name(fileName);
    if (const auto it = faults.presence.find(name); it != faults.presence.end()) {
        return it->second;
    }
    return files.count(name) != 0 ? tonvia::Presence::Present : tonvia::Presence::Missing;
}

std::unique_ptr<tonvia::InputSource> MemoryTonviaDirectory::openForReading(
    std::string_view fileName) {
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

std::unique_ptr<tonvia::OutputFile> MemoryTonviaDirectory::openForWriting(std::string_view) {
    if (faults.failCreate) {
        return nullptr;
    }
    return std::make_unique<MemoryOutput>(faults, written);
}

}  // namespace test_support
