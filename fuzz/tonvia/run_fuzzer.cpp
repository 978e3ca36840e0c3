// Feeds arbitrary bytes to the source readers: the line and number readers
// directly, and a whole run with the bytes split into ZXAPDEF.H and
// ZXAPTAB.C, whose CONFIL (if any) must then read back cleanly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/tonvia/memory_directory.h"
#include "support/tonvia/recording_sink.h"
#include "tonvia/confil_dump.h"
#include "tonvia/line_reader.h"
#include "tonvia/number_reader.h"
#include "tonvia/run.h"

namespace {

void readLines(const std::string& text, std::size_t chunk) {
    const auto input = test_support::memoryTonviaInput(text, chunk);
    tonvia::LineReader reader(*input);
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
    test_support::MemoryTonviaDirectory directory;
    directory.chunkSize = 61;
    directory.files["ZXAPDEF.H"] = text.substr(0, split);
    directory.files["ZXAPTAB.C"] = text.substr(split);
    test_support::RecordingTonviaSink sink;
    tonvia::RunOptions options;
    options.controllerType = 101 + data[0] % 3;
    options.identification.date = "2026-12-07";
    std::string listing;
    if (tonvia::runGenerator(options, directory, sink) &&
        !tonvia::dumpConfil(directory.written.value_or(""), listing)) {
        std::abort();
    }
    return 0;
}
