// The profile-file rules on any settings text: reading a key, reading its
// number, and setting a key, which must read back as written and keep every
// line that was not the key's.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/profile_text.h"
#include "common/text_file.h"

namespace {

// A name or value from the fuzzer's first bytes, in the characters that
// settings hold: no line break, '=', brackets, ';' or blank at either end.
std::string plainText(std::string_view& bytes, std::size_t length) {
    static constexpr std::string_view kAlphabet = "abcXYZ019-_/. ";
    std::string text;
    while (text.size() < length && !bytes.empty()) {
        text += kAlphabet[static_cast<unsigned char>(bytes.front()) % kAlphabet.size()];
        bytes.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    while (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    return text.empty() ? std::string("k") : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string section = plainText(bytes, 4);
    const std::string key = plainText(bytes, 4);
    const std::string value = plainText(bytes, 6);
    const std::string_view text = bytes;

    if (const auto old = common::profileValue(text, section, key)) {
        (void)common::profileNumber(*old);
    }
    const std::string written = common::withProfileValue(text, section, key, value);
    if (common::profileValue(written, section, key) != value) {
        std::abort();
    }
    // One line changed or two added, never any other line lost.
    const auto before = common::splitTextLines(std::string(text));
    const auto after = common::splitTextLines(written);
    if (after.size() < before.size() || after.size() > before.size() + 2) {
        std::abort();
    }
    return 0;
}
