#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// The names by which the designer knows the three application sources.
inline constexpr std::string_view kParameterTableName = "zxaptab.c";
inline constexpr std::string_view kDefinitionHeaderName = "zxapdef.h";
inline constexpr std::string_view kCodeSourceName = "zxapcod.c";

// Read sources: checks that the three sources are in `projectDir`, asks the
// pc_omgeving question when a source mentions it, preprocesses the sources
// into temporary files of the system's temporary directory (always removed
// again; nothing is written into the project directory) and
// reads the header's lists and the tables into `data`. Warnings go to
// `prompts`, progress lines to `progress`. False when the sources are
// missing or cannot be read; a missing or broken table only clears its
// availability flag.
bool readSources(const std::filesystem::path& projectDir, Prompts& prompts, Progress& progress,
                 ProjectData& data);

}  // namespace pendrel
