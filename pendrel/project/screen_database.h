#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/screen_records.h"

namespace pendrel {

inline constexpr std::string_view kScreenDatabaseName = "pendrel.db";

// What reading pendrel.db gave: the screens up to the first line that does
// not parse, and where that line stands.
struct ScreenDatabase {
    ScreenList screens;
    // The line (counted from 1) at which reading stopped; nothing when the
    // whole text was read.
    std::optional<std::size_t> stoppedAt;
    // The file exists but could not be read at all.
    bool unreadable = false;

    bool complete() const { return !stoppedAt && !unreadable; }
};

// The screens held by database text; reading ends at the first line that
// does not parse.
ScreenDatabase parseScreenDatabase(std::string_view text);

// The database text of `screens`. Every line stays within the 255
// characters a reader takes at once, and a text with an apostrophe is
// stored so that it reads back whole (see the .cpp).
std::string formatScreenDatabase(const ScreenList& screens);

// pendrel.db of `projectDir`; a missing file holds no screens.
ScreenDatabase readScreenDatabase(const std::filesystem::path& projectDir);

// What the user is told about a database that was not read whole; empty
// for a complete one.
std::string incompleteDatabaseWarning(const ScreenDatabase& database);

// The question before such a database is replaced (its unread rest is lost).
std::string replaceIncompleteQuestion(const ScreenDatabase& database);

// Writes pendrel.db of `projectDir` so that a failure never loses the stored
// screens: the old file is replaced only by a completely written new one.
// An empty list empties an existing file (every screen was deleted) and
// makes none where there was none. A failure is reported through `prompts`
// and returns false.
bool writeScreenDatabase(const std::filesystem::path& projectDir, const ScreenList& screens,
                         Prompts& prompts);

// Why `text` cannot be a title or an explanatory text of the database (too
// long for its field, or holding a line break or another control
// character); nothing when it can.
std::optional<std::string> unstorableText(std::string_view text, std::size_t maxLength);

// The path of pendrel.db in `projectDir`, whatever the case of its name.
std::filesystem::path screenDatabasePath(const std::filesystem::path& projectDir);

}  // namespace pendrel
