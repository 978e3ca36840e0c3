// The viewer of pendrel.txt on any bytes: no shown line is longer than the
// window takes, and no character of a line is lost or added on the way.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text_file.h"
#include "pendrel/generator/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t shown = 0;
    for (const std::string& line : pendrel::listFileLines(text)) {
        if (line.size() > 254) {
            std::abort();
        }
        shown += line.size();
    }
    std::size_t read = 0;
    for (const std::string& line : common::splitTextLines(text)) {
        read += line.size();
    }
    if (shown != read) {
        std::abort();
    }
    return 0;
}
