#pragma once

#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// The detection category: the detectors of each signal group.
// Each writer returns the pages of its category (numbered in the comment), at least one.
std::vector<Page> writeDetection(const ProjectData& data);  // 17

}  // namespace pendrel
