#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace veltro::watch {

// The headless watch for test rigs: the debug window file FILE of the project
// DIR is loaded as the debugger loads it, its items are polled as the shown
// window's are, and every value the controller reports for them becomes a
// line of the value log (time, window, item, macro, element, value) on `out`
// or in the --csv file, until the duration ends or `interrupted` is set
// (Ctrl-C). The message window's warnings, errors and system messages (the
// link's loss and recovery, "no connection") go to `err`. A lost link is
// opened again unless -noreconnect is given; then the loss ends the watch.
//
// The --csv file is made only when the first value arrives; one that exists
// is refused unless --overwrite or --append says what to do with it.
//
// Exit codes: 0 values were watched until the end, 2 a wrong command line
// (or a --csv file that exists), 3 the link failed, the files could not be
// loaded or written, or the controller reported no value at all.
int runWatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const std::atomic<bool>& interrupted);

extern const char* const kWatchUsage;

}  // namespace veltro::watch
