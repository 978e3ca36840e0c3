// tonvia --show's CONFIL reader on any bytes, both as they come and framed
// into records (so that the record checks behind the framing are reached):
// a refusal always says why, and an accepted file lists one line per record.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tonvia/confil_dump.h"

namespace {

void check(std::string_view bytes) {
    std::string listing;
    const bool accepted = tonvia::dumpConfil(bytes, listing);
    if (listing.empty() || listing.back() != '\n') {
        std::abort();
    }
    if (!accepted && listing.find("Fout: ") == std::string::npos) {
        std::abort();
    }
}

std::string le32(std::uint32_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
            static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
}

// Each record: one byte chooses its length among those CONFIL uses (or any
// small one), the following bytes fill it.
std::string framed(std::string_view bytes) {
    static constexpr std::size_t kLengths[] = {130, 8, 12, 16};
    std::string out;
    while (!bytes.empty()) {
        const auto choice = static_cast<unsigned char>(bytes.front());
        bytes.remove_prefix(1);
        const std::size_t length = choice < 4 ? kLengths[choice] : choice % 20;
        std::string data(bytes.substr(0, std::min(length, bytes.size())));
        bytes.remove_prefix(data.size());
        data.resize(length, ' ');
        out += le32(static_cast<std::uint32_t>(length)) + data +
               le32(static_cast<std::uint32_t>(length));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0) {
        return 0;
    }
    check(bytes);
    check(framed(bytes));
    return 0;
}
