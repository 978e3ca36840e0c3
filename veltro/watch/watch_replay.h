#pragma once

#include <atomic>

#include "veltro/headless/console_ports.h"
#include "veltro/headless/output_file.h"
#include "veltro/headless/project.h"
#include "veltro/screens/debug_screen.h"
#include "veltro/watch/watch_command_line.h"

namespace veltro::watch {

// The watch over a capture instead of a link: the recorded received frames
// go through the link's real receive path at their recorded pace (or the
// chosen speed), and every value of a watched item becomes a CSV line with
// its recorded time. A capture of another project, or frames of elements the
// project lacks, are told on `io`'s error stream; a damaged capture is
// replayed up to the damage, which is named with its line (exit 3).
int replayWatch(const WatchCommand& cmd, DebugScreen& screen, const headless::Project& project,
                headless::CommandConsole& io, headless::OutputFile* file,
                const std::atomic<bool>& interrupted);

}  // namespace veltro::watch
