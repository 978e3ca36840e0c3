#pragma once

#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// The page writers of the standard screen categories. Each returns the pages
// of its category, at least one.

std::vector<Page> writeSignalGroupStates(const ProjectData& data);       // 1
std::vector<Page> writeBlockRealisation(const ProjectData& data);        // 2
std::vector<Page> writeRealisation(const ProjectData& data);             // 3
std::vector<Page> writeSignalGroupOptions(const ProjectData& data);      // 4
std::vector<Page> writeTimeSettings(const ProjectData& data);            // 5
std::vector<Page> writeRunningTimes(const ProjectData& data);            // 6
std::vector<Page> writeMaxGreen(const ProjectData& data);                // 7
std::vector<Page> writeExtraMaxGreen(const ProjectData& data);           // 8
std::vector<Page> writeOtherTimes(const ProjectData& data);              // 9
std::vector<Page> writeSwitches(const ProjectData& data);                // 10
std::vector<Page> writeClockPeriods(const ProjectData& data);            // 11
std::vector<Page> writeExtraParameters(const ProjectData& data);         // 12
std::vector<Page> writeAuxiliaryFunctions(const ProjectData& data);      // 13
std::vector<Page> writeCounters(const ProjectData& data);                // 14
std::vector<Page> writeClearanceSettings(const ProjectData& data);       // 15
std::vector<Page> writeRunningClearance(const ProjectData& data);        // 16
std::vector<Page> writeDetection(const ProjectData& data);               // 17
std::vector<Page> writeCouplings(const ProjectData& data);               // 18
std::vector<Page> writeInternalStates(const ProjectData& data);          // 19
std::vector<Page> writeOptionVariables(const ProjectData& data);         // 20
std::vector<Page> writeOptionVariables2(const ProjectData& data);        // 21
std::vector<Page> writeStandardAuxiliary(const ProjectData& data);       // 22
std::vector<Page> writeOtherOptions(const ProjectData& data);            // 23
std::vector<Page> writeOtherGroupOptions(const ProjectData& data);       // 24
std::vector<Page> writeExtraIntegerParameters(const ProjectData& data);  // 25
std::vector<Page> writeProgrammeStates(const ProjectData& data);         // 26
std::vector<Page> writeOtherInputs(const ProjectData& data);             // 27
std::vector<Page> writeOtherOutputs(const ProjectData& data);            // 28

// The name of the block in which `signalGroup` stands with `mark` (else in
// any block), or "Bloknaam niet gevonden".
std::string_view blockOf(const ProjectData& data, std::string_view signalGroup, BlockMark mark);

}  // namespace pendrel
