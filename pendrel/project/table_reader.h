#pragma once

#include <string_view>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// The tables of a preprocessed parameter table source, each with its progress
// line, its limits and its message when it is missing or broken (which only
// clears its availability flag); `fileName` names the source in messages.
void readTables(std::string_view source, std::string_view fileName, Prompts& prompts,
                Progress& progress, ProjectData& data);

}  // namespace pendrel
