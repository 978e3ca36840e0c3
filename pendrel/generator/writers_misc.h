#pragma once

#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// Categories with a layout of their own.
// Each writer returns the pages of its category (numbered in the comment), at least one.
std::vector<Page> writeOtherTimes(const ProjectData& data);         // 9
std::vector<Page> writeClockPeriods(const ProjectData& data);       // 11
std::vector<Page> writeClearanceSettings(const ProjectData& data);  // 15
std::vector<Page> writeRunningClearance(const ProjectData& data);   // 16
std::vector<Page> writeInternalStates(const ProjectData& data);     // 19
std::vector<Page> writeOtherGroupOptions(const ProjectData& data);  // 24
std::vector<Page> writeProgrammeStates(const ProjectData& data);    // 26

}  // namespace pendrel
