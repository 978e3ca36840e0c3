#pragma once

// The page writers of the standard screen categories, one per category, in
// the files that share their layout.
#include "pendrel/generator/writers_blocks.h"
#include "pendrel/generator/writers_detection.h"
#include "pendrel/generator/writers_groups.h"
#include "pendrel/generator/writers_lists.h"
#include "pendrel/generator/writers_misc.h"
