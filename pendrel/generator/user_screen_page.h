#pragma once

#include "pendrel/generator/page.h"
#include "pendrel/project/screen_records.h"

namespace pendrel {

// The debug window file of one user screen.
Page writeUserScreen(const ScreenRecord& screen);

}  // namespace pendrel
