// The screen database reader on any bytes; what it reads must write and read
// back to the same screens.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pendrel/project/screen_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    pendrel::ScreenList screens = pendrel::parseScreenDatabase(text);
    std::string written = pendrel::formatScreenDatabase(screens);
    pendrel::ScreenList again = pendrel::parseScreenDatabase(written);
    // Only texts with an apostrophe, a quote or a line break may change on
    // the way; the number of screens never grows.
    if (again.size() > screens.size()) {
        std::abort();
    }
    return 0;
}
