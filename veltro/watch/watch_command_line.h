#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "veltro/headless/output_file.h"
#include "veltro/session/session_options.h"

namespace veltro::watch {

// `veltro --watch DIR FILE [link words] [--duration S] [--csv OUT
// [--overwrite | --append]] [--record CAPTURE]`, or with `--replay CAPTURE
// [--replay-speed 1|4|16|max]` instead of the link words.
struct WatchCommand {
    std::string directory;  // the project: ZXAPDEF.H, ZXAPTAB.C
    std::string file;       // the debug window file, in DIR unless a path
    SessionOptions link;    // the debugger's link words, -noreconnect too
    std::optional<std::chrono::milliseconds> duration;  // nothing: until Ctrl-C
    std::string csvPath;                                // empty: standard output
    headless::ExistingFile csvRule = headless::ExistingFile::Refuse;
    std::string recordPath;  // the capture file to record into (never replaced)
    std::string replayPath;  // a capture to replay instead of a link
    int replaySpeed = 1;     // 1, 4, 16, or 0: as fast as possible
};

struct ParsedWatchCommand {
    std::optional<WatchCommand> command;  // nothing: `error` says why (exit 2)
    std::string error;
};

// `args` are the words after the program name, "--watch" first.
ParsedWatchCommand parseWatchCommand(const std::vector<std::string>& args);

}  // namespace veltro::watch
