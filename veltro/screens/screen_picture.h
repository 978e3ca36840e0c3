#pragma once

#include "veltro/definitions/line_reader.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"

namespace veltro {

inline constexpr int kScreenRows = 24;

// Reads the 24 rows of the picture from `reader` into `screen`: fixed texts,
// value fields and the extents. False, after its error, when the file is
// rejected.
bool readScreenPicture(LineReader& reader, DebugScreen& screen, Messages& messages);

}  // namespace veltro
