#pragma once

#include "support/temp_dir.h"

namespace rendall::testing {
using TempDir = test_support::TempDir;
}  // namespace rendall::testing
