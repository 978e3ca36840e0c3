// Any bytes as a ZXAPTAB.C, read against a header with elements of every kind.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "veltro/definitions/definition_header.h"
#include "veltro/definitions/parameter_table.h"
#include "veltro/definitions/silent_messages.h"

namespace {

constexpr std::string_view kHeader =
    "/* declaratie arraynummers voor signaalgroepen */\n"
    "#define SG01 0\n#define SG02 1\n#define NUMSG 2\n"
    "/* declaratie arraynummers voor detectoren */\n"
    "#define SG01_1 0\n#define NUMD 1\n"
    "/* declaratie arraynummers voor tijden */\n#define T1 0\n#define NUMT 1\n"
    "/* declaratie arraynummers voor klokken */\n#define K1 0\n#define NUMKL 1\n"
    "/* declaratie arraynummers voor eggparms */\n#define G1 0\n#define NUMEGGP 1\n"
    "/* declaratie arraynummers voor eparms */\n#define E1 0\n#define NUMEP 1\n"
    "/* declaratie arraynummers voor schakelaars */\n#define S1 0\n#define NUMSCH 1\n";

struct Loaded {
    veltro::DefinitionTable table;
    veltro::ElementTables elements;
    Loaded() {
        veltro::SilentMessages messages;
        veltro::readDefinitionPass1(kHeader, "ZXAPDEF.H", table, messages);
        veltro::readDefinitionSections(kHeader, elements);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Loaded loaded;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    veltro::readParameterTable(bytes, loaded.table, loaded.elements);
    if (loaded.elements.conflicts.count > 1000)
        __builtin_trap();
    return 0;
}
