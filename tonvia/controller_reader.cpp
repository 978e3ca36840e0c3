#include "tonvia/controller_reader.h"

#include "tonvia/configuration.h"
#include "tonvia/line_reader.h"
#include "tonvia/number_reader.h"
#include "tonvia/text_search.h"

namespace tonvia {

namespace {

constexpr const char* kControllerOpenFailed =
    "Fout bij openen sourcefile ZXAPTAB.C (regelaarnummer)";
constexpr const char* kNotFound = "Fout: geen regelaarnummer gevonden in ZXAPTAB.C";
constexpr const char* kControllerReadFailed =
    "Fout bij lezen sourcefile ZXAPTABC.C (regelaarnummer)";
constexpr const char* kControllerCloseFailed = "Fout bij sluiten ZXAPTAB.C (regelaarnummer)";
constexpr const char* kTooSmall = "Fout: regelaarnummer moet groter zijn dan 0";
constexpr const char* kTooLarge = "Fout: regelaarnummer moet kleiner zijn dan 1000";
constexpr const char* kMalformed = "Foutief getal in structure kruispuntnummer in ZXAPTAB.C";

// A line that starts with a number. A minus sign counts too: skipping "-5"
// would take some later number of the structure as the controller number.
bool startsWithNumber(const SourceLine& line) {
    const std::string_view text = line.text;
    std::size_t position = line.first;
    if (text[position] == '-') {
        ++position;
    }
    return position < text.size() && isDigit(text[position]);
}

}  // namespace

bool readControllerNumber(Directory& directory, RunContext& context,
                          std::int32_t& controllerNumber) {
    auto input = directory.openForReading(kTableFile);
    if (!input) {
        return context.stop(kControllerOpenFailed);
    }
    LineReader reader(*input);
    SourceLine line;
    bool inStructure = false;
    while (true) {
        const LineStatus status = reader.next(line);
        if (status == LineStatus::End) {
            return context.stop(kNotFound);
        }
        if (status != LineStatus::Line) {
            return context.stopForReader(status, reader.lineNumber(), kTableFile,
                                         kControllerReadFailed);
        }
        if (!inStructure) {
            inStructure = containsStructOf(line.text, "REGELINGSTRUCT ");
            continue;
        }
        if (startsWithNumber(line)) {
            break;
        }
    }
    const NumberResult number = readSignedNumber(line.text, line.first);
    if (number.status != NumberStatus::Ok) {
        context.malformedNumber(kMalformed, line);
        controllerNumber = 1;
    } else if (number.value < 0) {
        return context.stop(kTooSmall);
    } else if (number.value > 999) {
        return context.stop(kTooLarge);
    } else {
        controllerNumber = number.value == 0 ? 1 : number.value;
    }
    if (!input->close()) {
        return context.stop(kControllerCloseFailed);
    }
    return true;
}

}  // namespace tonvia
