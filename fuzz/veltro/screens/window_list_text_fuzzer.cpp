// Any bytes as pendrel.txt, looked up for a window title taken from the input
// too: the text found is the title itself or one line of the file, at most
// 255 characters, without its line end, naming the window's file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "veltro/definitions/path_join.h"
#include "veltro/screens/window_list_text.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < part.size() && lower(text[at + i]) == lower(part[i]))
            ++i;
        if (i == part.size())
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t titleLength = data[0] % 40;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string title = "/p/" + std::string(rest.substr(0, titleLength));
    const std::string_view list = rest.substr(std::min(titleLength, rest.size()));

    const std::string text = veltro::windowListText(list, title);
    if (text == title)
        return 0;
    const std::string_view name = veltro::fileNameOf(title);
    if (text.size() > 255 || text.find('\n') != std::string::npos || name.empty() ||
        !containsIgnoringCase(text, name) || list.find(text) == std::string_view::npos) {
        std::abort();
    }
    return 0;
}
