#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "veltro/monitor/frame_entry.h"

namespace veltro::capture {

// A capture file is text, one frame a line, so that it can be read, compared
// and mended with ordinary tools:
//
//   VELTRO-OPNAME 1
//   project kruispunt
//   zxapdef 2026-12-08 07:15:03
//   begin 1765178103123
//   0 < B2 44 45 43 41 64
//   12 > E2 45 43
//   15 <? 80
//   20 gat 17
//   einde
//
// The first line names the format and its version. `zxapdef` is the time of
// the definition header's last change (UTC, "-" when there was none), `begin`
// the start in milliseconds since the epoch; every later line starts with
// the milliseconds since `begin`, never decreasing. `<` is a received frame,
// `>` a sent one, `<?` and `>?` bytes that are no whole frame; `gat N` says
// that N frames were lost there; `einde` closes a complete recording and
// `einde limiet` one that reached its size limit.
inline constexpr std::string_view kMagic = "VELTRO-OPNAME";
inline constexpr int kVersion = 1;

struct CaptureHeader {
    std::string project;         // the project directory's name
    std::string definitionDate;  // "2026-12-08 07:15:03" or "-"
    std::int64_t beginMs = 0;    // milliseconds since the epoch
};

enum class LineKind : std::uint8_t { Frame, Gap, End, EndAtLimit };

// One line after the header.
struct CaptureLine {
    LineKind kind = LineKind::Frame;
    std::int64_t offsetMs = 0;  // since `begin`
    monitor::FrameEntry entry;  // a frame line (its time is left 0)
    std::uint64_t lost = 0;     // a gap line
};

// The four header lines, each ending in a line feed.
std::string headerText(const CaptureHeader& header);
// A frame line, ending in a line feed.
void appendFrameLine(std::string& out, std::int64_t offsetMs, const monitor::FrameEntry& entry);

// Reading: the header line by line (the error text when a line is wrong),
// then each further line (nothing when it is damaged).
std::optional<std::string> readMagic(std::string_view line);
std::optional<std::string> readHeaderField(std::string_view line, std::string_view key,
                                           std::string& value);
std::optional<CaptureLine> parseLine(std::string_view line);

// The definition header's last change as the header carries it; "-" when
// the file does not exist.
std::string definitionDate(const std::string& projectDirectory);
// The name a header gives the project of `directory`.
std::string projectName(const std::string& directory);

}  // namespace veltro::capture
