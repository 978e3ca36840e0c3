#pragma once

#include "veltro/definitions/line_reader.h"
#include "veltro/ports/messages.h"
#include "veltro/screens/debug_screen.h"

namespace veltro {

inline constexpr int kScreenRows = 24;
inline constexpr int kScreenColumns = 80;
// The reader makes a picture's extents this much larger than its last used
// column and row; a picture that uses them all has the full extents.
inline constexpr int kPictureMarginColumns = 4;
inline constexpr int kPictureMarginRows = 2;
inline constexpr int kFullPictureColumns = kScreenColumns + kPictureMarginColumns;
inline constexpr int kFullPictureRows = kScreenRows - 1 + kPictureMarginRows;

// Reads the 24 rows of the picture from `reader` into `screen`: fixed texts,
// value fields and the extents. False, after its error, when the file is
// rejected.
bool readScreenPicture(LineReader& reader, DebugScreen& screen, Messages& messages);

}  // namespace veltro
