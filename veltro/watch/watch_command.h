#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace veltro::watch {

// The headless watch for test rigs: the debug window file FILE of the project
// DIR is loaded as the debugger loads it, its items are polled as the shown
// window's are, and every value the controller reports for them becomes a CSV
// line (time, window, item, macro, element, value, as the value log writes
// them) on `out` or in the --csv file, until the duration ends or
// `interrupted` is set (Ctrl-C). Messages (the link's loss and recovery, "no
// connection") go to `err`. A lost link is opened again unless -noreconnect
// is given; then the loss ends the watch.
//
// Exit codes: 0 the duration ended or the watch was interrupted, 2 a wrong
// command line, 3 the link failed (or the files could not be loaded).
int runWatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const std::atomic<bool>& interrupted);

extern const char* const kWatchUsage;

}  // namespace veltro::watch
