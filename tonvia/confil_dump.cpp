#include "tonvia/confil_dump.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "common/format.h"

namespace tonvia {

namespace {

std::int32_t readInt32(std::string_view bytes, std::size_t at) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

const char* typeLetters(std::int32_t code) {
    static const char* const kLetters[] = {"DS", "DV", "DP", "DA", "DK"};
    return code >= 1 && code <= 5 ? kLetters[code - 1] : "onbekend";
}

// The text without its padding, with anything unprintable shown as '?'.
std::string printable(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    std::string shown(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
            c = '?';
        }
    }
    return shown;
}

// Splits the file into the data of its framed records; a message on a fault.
std::optional<std::string> splitRecords(std::string_view bytes,
                                        std::vector<std::string_view>& records) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t number = records.size() + 1;
        if (bytes.size() - at < 4) {
            return common::format("Fout: record %zu is afgebroken", number);
        }
        const std::int32_t length = readInt32(bytes, at);
        if (length < 0 || bytes.size() - at - 4 < static_cast<std::size_t>(length) + 4) {
            return common::format("Fout: record %zu is afgebroken (lengte %d)", number, length);
        }
        const std::int32_t trailer = readInt32(bytes, at + 4 + length);
        if (trailer != length) {
            return common::format("Fout: lengtes van record %zu verschillen (%d en %d)", number,
                                  length, trailer);
        }
        records.push_back(bytes.substr(at + 4, static_cast<std::size_t>(length)));
        at += static_cast<std::size_t>(length) + 8;
    }
    return std::nullopt;
}

std::string describe(std::size_t number, std::string_view data, std::size_t groups) {
    const std::string head = common::format("Record %zu (%zu bytes): ", number, data.size());
    if (number <= 2) {
        return head + "\"" + printable(data) + "\"";
    }
    if (number == 3) {
        return head + common::format("%d signaalgroepen, %d detectoren", readInt32(data, 0),
                                     readInt32(data, 4));
    }
    if (number <= 3 + groups) {
        return head + common::format("signaalgroep: regelaar %d, signaalgroep %d, %d",
                                     readInt32(data, 0), readInt32(data, 4), readInt32(data, 8));
    }
    const std::int32_t type = readInt32(data, 12);
    return head + common::format(
                      "detector: regelaar %d, signaalgroep %d, volgnummer %d, "
                      "type %d (%s)",
                      readInt32(data, 0), readInt32(data, 4), readInt32(data, 8), type,
                      typeLetters(type));
}

}  // namespace

bool dumpConfil(std::string_view bytes, std::string& listing) {
    listing.clear();
    std::vector<std::string_view> records;
    const std::optional<std::string> fault = splitRecords(bytes, records);
    std::size_t groups = 0;
    std::size_t expected = 3;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t number = i + 1;
        const std::size_t length = number <= 2            ? 130
                                   : number == 3          ? 8
                                   : number <= 3 + groups ? 12
                                                          : 16;
        if (number > expected) {
            listing += common::format("Fout: onverwacht record %zu\n", number);
            return false;
        }
        if (records[i].size() != length) {
            listing += common::format("Fout: record %zu heeft %zu bytes, verwacht %zu\n", number,
                                      records[i].size(), length);
            return false;
        }
        if (number == 3) {
            const std::int32_t groupCount = readInt32(records[i], 0);
            const std::int32_t detectorCount = readInt32(records[i], 4);
            if (groupCount < 0 || detectorCount < 0) {
                listing += "Fout: negatief aantal in record 3\n";
                return false;
            }
            groups = static_cast<std::size_t>(groupCount);
            expected = 3 + groups + static_cast<std::size_t>(detectorCount);
        }
        listing += describe(number, records[i], groups) + "\n";
    }
    if (fault) {
        listing += *fault + "\n";
        return false;
    }
    if (records.size() < expected) {
        listing +=
            common::format("Fout: %zu records gevonden, verwacht %zu\n", records.size(), expected);
        return false;
    }
    return true;
}

}  // namespace tonvia
