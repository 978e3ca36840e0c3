// Any bytes as a ZXAPDEF.H: both passes must stay within their tables.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "veltro/definitions/definition_header.h"
#include "veltro/definitions/silent_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    veltro::DefinitionTable table;
    veltro::SilentMessages messages;
    static veltro::ElementTables elements;  // kept between runs, as across reloads
    veltro::readDefinitionPass1(bytes, "ZXAPDEF.H", table, messages);
    veltro::readDefinitionSections(bytes, elements);
    if (elements.signalGroups.validCount() > 80 || table.count() > 10000)
        __builtin_trap();
    return 0;
}
