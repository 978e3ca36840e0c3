#include "tonvia/confil_writer.h"

#include "common/format.h"

namespace tonvia {

namespace {

constexpr const char* kConfilOpenFailed = "Fout bij openen CONFIL voor schrijven";
constexpr const char* kHeaderFailed = "Fout: schrijven headertekst in CONFIL";
constexpr const char* kCountsFailed =
    "Fout: schrijven aantallen signaalgroepen en detectoren in CONFIL";
constexpr const char* kGroupsFailed = "Fout: schrijven signaalgroepen in CONFIL";
constexpr const char* kDetectorsFailed = "Fout: schrijven detectoren in CONFIL";
constexpr const char* kConfilCloseFailed = "Fout bij sluiten CONFIL na schrijven";

constexpr std::size_t kFieldLength = 10;
constexpr std::size_t kNumberColumn = 35;  // columns 36 to 38, counted from 1

std::string field(std::string_view text) {
    std::string result(text.substr(0, kFieldLength));
    result.resize(kFieldLength, ' ');
    return result;
}

std::string integers(std::initializer_list<std::int32_t> values) {
    std::string data;
    for (const std::int32_t value : values) {
        data += littleEndian32(value);
    }
    return frameRecord(data);
}

}  // namespace

std::string littleEndian32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    }
    return bytes;
}

std::string frameRecord(std::string_view data) {
    const std::string count = littleEndian32(static_cast<std::int32_t>(data.size()));
    return count + std::string(data) + count;
}

std::string headerText(std::int32_t controllerNumber, int controllerType) {
    std::string text;
    switch (controllerType) {
        case 102:
            text = "Tonvia generated Confil controller 000 - type ZAV CRS";
            break;
        case 103:
            text = "Tonvia generated Confil controller 000 - type ZAV TDI";
            break;
        default:
            text = "Tonvia generated Confil controller 000 - type ZAV C";
            break;
    }
    // The run keeps the number within 1 to 999; the modulo only guards the width.
    text.replace(kNumberColumn, 3, common::format("%03d", controllerNumber % 1000));
    text.resize(kTextRecordLength, ' ');
    return text;
}

std::string identificationText(const Identification& identification) {
    std::string text = field(identification.program) + ' ' + field(identification.version) + ' ' +
                       field(identification.date);
    text.resize(kTextRecordLength, ' ');
    return text;
}

bool writeConfil(Directory& directory, RunContext& context, const Configuration& configuration,
                 int controllerType, const Identification& identification) {
    auto output = directory.openForWriting(kConfilFile);
    if (!output) {
        return context.stop(kConfilOpenFailed);
    }
    const std::int32_t number = configuration.controllerNumber;
    if (!output->write(frameRecord(headerText(number, controllerType))) ||
        !output->write(frameRecord(identificationText(identification)))) {
        return context.stop(kHeaderFailed);
    }
    const auto groupCount = static_cast<std::int32_t>(configuration.signalGroups.size());
    const auto detectorCount = static_cast<std::int32_t>(configuration.detectors.size());
    if (!output->write(integers({groupCount, detectorCount}))) {
        return context.stop(kCountsFailed);
    }
    for (const std::int32_t group : configuration.signalGroups) {
        if (!output->write(integers({number, group, 1}))) {
            return context.stop(kGroupsFailed);
        }
    }
    for (const Detector& detector : configuration.detectors) {
        if (!output->write(
                integers({number, detector.signalGroup, detector.sequence, detector.type}))) {
            return context.stop(kDetectorsFailed);
        }
    }
    if (!output->commit()) {
        return context.stop(kConfilCloseFailed);
    }
    return true;
}

}  // namespace tonvia
