// Feeds arbitrary dump files through the reading, the value tables, the
// conversion in place and the listing, against a fixed header whose names
// are both shorter and longer than the fields they replace.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rendall/definition_reader.h"
#include "rendall/definitions_text.h"
#include "rendall/dump_converter.h"
#include "rendall/dump_reader.h"
#include "rendall/listing.h"
#include "rendall/name_table.h"

namespace {

const char kHeader[] =
    "/* blokken */\n#define B1 0\n#define BLOK_MET_LANGE_NAAM 1\n#define NUMBK 2\n"
    "/* signaalgroepen */\n#define fc1 0\n#define fc_met_een_lange_naam 1\n"
    "#define fc12 12\n#define NUMSG 13\n"
    "/* detectoren */\n#define d1 0\n#define detector_met_lange_naam 1\n#define NUMD 2\n"
    "/* tijden */\n#define T1 0\n#define NUMT 1\n"
    "/* hulpfuncties */\n#define HF1 0\n#define HF_HOOG 1000\n#define NUMHF 1001\n"
    "/* klokken */\n#define KL1 0\n#define NUMKL 1\n"
    "/* schakelaars */\n#define SCH1 0\n#define NUMSCH 1\n"
    "/* tellers */\n#define TL1 0\n#define TL2 1\n#define NUMTL 2\n"
    "/* extra parameters */\n#define EP1 0\n#define NUMEP 1\n"
    "/* extra geheel getal parameters */\n#define EG1 0\n#define NUMEGGP 1\n"
    "#define NUMOV 40\n";

const rendall::Definitions& definitions() {
    static const rendall::Definitions read = [] {
        std::string prepared;
        rendall::Definitions d;
        if (!rendall::prepareDefinitionsText(kHeader, {}, prepared).ok() ||
            !rendall::readDefinitions(prepared, d).ok()) {
            std::abort();
        }
        return d;
    }();
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const rendall::NameTable names(definitions());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string text;
    if (!rendall::extractDumpText(bytes, "F.DMP", text).ok())
        return 0;
    rendall::DumpValues values;
    if (!rendall::readDumpValues(text, "F.DMP", values).ok())
        return 0;
    std::string note;
    if (!rendall::convertDumpText(text, names, note).ok())
        return 0;
    std::string listing;
    (void)rendall::buildListing(text, values, names, "FUZZ", "F.DMP", listing);
    return 0;
}
