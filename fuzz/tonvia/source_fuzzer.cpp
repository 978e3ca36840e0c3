// Feeds arbitrary bytes to the source readers: the line and number readers
// directly, and a whole run with the bytes split into ZXAPDEF.H and
// ZXAPTAB.C, whose CONFIL (if any) must then read back cleanly.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "tonvia/confil_dump.h"
#include "tonvia/line_reader.h"
#include "tonvia/number_reader.h"
#include "tonvia/run.h"

namespace {

class StringInput : public tonvia::InputSource {
  public:
    StringInput(std::string text, std::size_t chunk) : m_text(std::move(text)), m_chunk(chunk) {}
    std::optional<std::size_t> read(std::span<char> buffer) override {
        const std::size_t n = std::min({buffer.size(), m_chunk, m_text.size() - m_at});
        std::copy_n(m_text.data() + m_at, n, buffer.data());
        m_at += n;
        return n;
    }
    bool close() override { return true; }

  private:
    std::string m_text;
    std::size_t m_chunk;
    std::size_t m_at = 0;
};

class StringOutput : public tonvia::OutputFile {
  public:
    explicit StringOutput(std::string& target) : m_target(target) {}
    bool write(std::string_view bytes) override {
        m_data += bytes;
        return true;
    }
    bool commit() override {
        m_target = m_data;
        return true;
    }

  private:
    std::string& m_target;
    std::string m_data;
};

class StringDirectory : public tonvia::Directory {
  public:
    std::map<std::string, std::string, std::less<>> files;
    std::string written;

    tonvia::Presence check(std::string_view name) override {
        return files.count(name) != 0 ? tonvia::Presence::Present : tonvia::Presence::Missing;
    }
    std::unique_ptr<tonvia::InputSource> openForReading(std::string_view name) override {
        const auto it = files.find(name);
        return it == files.end() ? nullptr : std::make_unique<StringInput>(it->second, 61);
    }
    std::unique_ptr<tonvia::OutputFile> openForWriting(std::string_view) override {
        return std::make_unique<StringOutput>(written);
    }
};

class NullSink : public tonvia::MessageSink {
  public:
    void writeLine(std::string_view line) override { lines += line.size(); }
    std::size_t lines = 0;
};

void readLines(const std::string& text, std::size_t chunk) {
    StringInput input(text, chunk);
    tonvia::LineReader reader(input);
    tonvia::SourceLine line;
    while (reader.next(line) == tonvia::LineStatus::Line) {
        if (line.text.size() > tonvia::LineReader::kMaxLineLength || line.first > line.last ||
            line.last >= line.text.size()) {
            std::abort();
        }
        for (std::size_t at = 0; at <= line.text.size(); ++at) {
            const tonvia::NumberResult number = tonvia::readSignedNumber(line.text, at);
            if (number.end < at || number.end > line.text.size() || number.value > 99999999 ||
                number.value < -99999999) {
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    readLines(text, 1 + data[0] % 17);

    const std::size_t split = text.size() * data[0] / 255;
    StringDirectory directory;
    directory.files["ZXAPDEF.H"] = text.substr(0, split);
    directory.files["ZXAPTAB.C"] = text.substr(split);
    NullSink sink;
    tonvia::RunOptions options;
    options.controllerType = 101 + data[0] % 3;
    options.identification.date = "2026-12-07";
    std::string listing;
    if (tonvia::runGenerator(options, directory, sink) &&
        !tonvia::dumpConfil(directory.written, listing)) {
        std::abort();
    }
    tonvia::dumpConfil(text, listing);
    return 0;
}
