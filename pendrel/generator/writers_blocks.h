#pragma once

#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// Categories built on the blocks table and the pair list.
// Each writer returns the pages of its category (numbered in the comment), at least one.
std::vector<Page> writeBlockRealisation(const ProjectData& data);   // 2
std::vector<Page> writeOptionVariables2(const ProjectData& data);   // 21
std::vector<Page> writeStandardAuxiliary(const ProjectData& data);  // 22

}  // namespace pendrel
