#include "tonvia/detector_reader.h"

#include <string_view>

#include "common/format.h"
#include "tonvia/line_reader.h"
#include "tonvia/number_reader.h"
#include "tonvia/text_search.h"

namespace tonvia {

namespace {

constexpr const char* kDetectorsOpenFailed = "Fout bij openen sourcefile ZXAPTAB.C (detectoren)";
constexpr const char* kNoDetectors = "Fout: geen detectoren gevonden in ZXAPTAB.C";
constexpr const char* kDetectorsReadFailed = "Fout bij lezen sourcefile ZXAPTABC.C (detectoren)";
constexpr const char* kDetectorsCloseFailed = "Fout bij sluiten ZXAPTAB.C (detectoren)";
constexpr const char* kNoSequence = "Fout: volgnummer ontbreekt bij detector";
constexpr const char* kUnknownType =
    "Fout: onbekend detectortype gevonden (alleen DA,DK,DP,DS,DV toegestaan)";
constexpr const char* kNoType = "Fout: geen detectortype gevonden";
constexpr const char* kMalformedDetector = "Foutief getal in tabel detectoren in ZXAPTAB.C";

// A line whose first two non-blank characters are "SG". False when the run stops.
bool readDetector(const SourceLine& line, RunContext& context, std::vector<Detector>& detectors) {
    const std::string_view text = line.text;
    Detector detector;
    const NumberResult group = readNumber(text, line.first + 2);
    if (group.status != NumberStatus::Ok) {
        context.malformedNumber(kMalformedDetector, line);
    }
    detector.signalGroup = group.value;
    std::size_t position = group.end;
    if (position >= text.size() || text[position] != '_') {
        return context.stop(kNoSequence);
    }
    const NumberResult sequence = readNumber(text, position + 1);
    if (sequence.status != NumberStatus::Ok) {
        context.malformedNumber(kMalformedDetector, line);
    }
    detector.sequence = sequence.value;
    position = text.find('D', sequence.end);
    if (position == std::string_view::npos) {
        return context.stop(kNoType);
    }
    detector.type = position + 1 < text.size() ? detectorTypeCode(text[position + 1]) : 0;
    if (detector.type == 0) {
        return context.stop(kUnknownType);
    }
    if (detectors.size() == kMaxDetectors) {
        return context.stop(
            common::format("Fout: meer dan %zu detectoren in ZXAPTAB.C", kMaxDetectors));
    }
    detectors.push_back(detector);
    return true;
}

}  // namespace

int detectorTypeCode(char letter) {
    switch (letter) {
        case 'S':
            return 1;
        case 'V':
            return 2;
        case 'P':
            return 3;
        case 'A':
            return 4;
        case 'K':
            return 5;
        default:
            return 0;
    }
}

bool readDetectors(Directory& directory, RunContext& context, std::vector<Detector>& detectors) {
    auto input = directory.openForReading(kTableFile);
    if (!input) {
        return context.stop(kDetectorsOpenFailed);
    }
    LineReader reader(*input);
    SourceLine line;
    bool inTable = false;
    while (true) {
        const LineStatus status = reader.next(line);
        if (status == LineStatus::End) {
            return context.stop(kNoDetectors);
        }
        if (status != LineStatus::Line) {
            return context.stopForReader(status, reader.lineNumber(), kTableFile,
                                         kDetectorsReadFailed);
        }
        if (!inTable) {
            inTable = containsStructOf(line.text, "SG_DETECTIE");
            if (!inTable) {
                continue;
            }
        }
        if (containsStopMark(line.text)) {
            break;
        }
        if (line.text.compare(line.first, 2, "SG") == 0 &&
            !readDetector(line, context, detectors)) {
            return false;
        }
    }
    if (!input->close()) {
        return context.stop(kDetectorsCloseFailed);
    }
    return true;
}

}  // namespace tonvia
