#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/screen_records.h"

namespace pendrel {

inline constexpr std::string_view kScreenDatabaseName = "pendrel.db";

// The screens held by database text. Reading ends silently at the first line
// that does not parse; the screens read up to there are kept.
ScreenList parseScreenDatabase(std::string_view text);

// The database text of `screens`.
std::string formatScreenDatabase(const ScreenList& screens);

// pendrel.db of `projectDir`; a missing file holds no screens.
ScreenList readScreenDatabase(const std::filesystem::path& projectDir);

// Writes pendrel.db of `projectDir` so that a failure never loses the stored
// screens: the old file is replaced only by a completely written new one.
// Nothing is written for an empty list. A failure is reported through
// `prompts` and returns false.
bool writeScreenDatabase(const std::filesystem::path& projectDir, const ScreenList& screens,
                         Prompts& prompts);

// The path of pendrel.db in `projectDir`, whatever the case of its name.
std::filesystem::path screenDatabasePath(const std::filesystem::path& projectDir);

}  // namespace pendrel
