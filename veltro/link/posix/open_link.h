#pragma once

// The link's opening functions are the same on every platform; this name is
// kept for the code that includes it from here.
#include "veltro/link/open_link.h"
