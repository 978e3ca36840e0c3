#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tonvia/configuration.h"
#include "tonvia/directory.h"
#include "tonvia/run_context.h"

namespace tonvia {

// The three 10-character fields of the identification record.
struct Identification {
    std::string program = "TONVIA";
    std::string version = kVersion;
    std::string date;  // YYYY-MM-DD, given by the caller so that runs can be repeated
};

inline constexpr std::size_t kTextRecordLength = 130;

// A record framed as the simulator reads it: the data with its length as a
// 4-byte little-endian count before and after.
std::string frameRecord(std::string_view data);
std::string littleEndian32(std::int32_t value);

// Record 1: the header text with the controller number and the type's name.
std::string headerText(std::int32_t controllerNumber, int controllerType);
// Record 2: the three fields, each cut or padded to 10 characters.
std::string identificationText(const Identification& identification);

// Writes CONFIL into the directory. A stop part-way leaves the old file (if
// any) as it was. False when the run stops.
bool writeConfil(Directory& directory, RunContext& context, const Configuration& configuration,
                 int controllerType, const Identification& identification);

}  // namespace tonvia
