// Feeds arbitrary header text through the preparation, the definition
// reading with its section marking and checks, and the name tables.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "rendall/definition_reader.h"
#include "rendall/definitions_text.h"
#include "rendall/name_table.h"
#include "rendall/text_util.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const rendall::HeaderChoice choice{(data[0] & 1) != 0, (data[0] & 2) != 0};
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string header = rendall::textModeChars(bytes, bytes.size());
    (void)rendall::hasPcOmgevingBlock(header);
    std::string prepared;
    if (!rendall::prepareDefinitionsText(header, choice, prepared).ok())
        return 0;
    rendall::Definitions definitions;
    (void)rendall::readDefinitions(prepared, definitions);
    const rendall::NameTable names(definitions);
    (void)names[rendall::kCounters].width();
    return 0;
}
