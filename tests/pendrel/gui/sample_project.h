#pragma once

#include <filesystem>
#include <initializer_list>

#include "support/temp_dir.h"

namespace pendrel::gui::testing {

// The sample intersection's sources (and, if asked, its screen database)
// copied into `directory`.
inline void copySample(const std::filesystem::path& directory, bool withDatabase) {
    const std::filesystem::path sample = std::filesystem::path(EXAMPLES_DIR) / "kruispunt";
    for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c"}) {
        std::filesystem::copy_file(sample / name, directory / name);
    }
    if (withDatabase) {
        std::filesystem::copy_file(sample / "pendrel.db", directory / "pendrel.db");
    }
}

}  // namespace pendrel::gui::testing
