#pragma once

#include <string_view>

#include "veltro/tools/backup_file.h"

namespace veltro::tools {

// Where a backup comes from: the project directory's name and the time
// ZXAPDEF.H was last written (UTC, "2026-12-08 19:57:17"; empty when it
// cannot be found), so that a backup read into another project shows it.
BackupOrigin backupOrigin(std::string_view projectDirectory);

}  // namespace veltro::tools
