#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace veltro::tools {

// The headless forms of the difference check and the adjustment run, for
// test rigs and CI: the definitions of DIR are loaded as the debugger's
// start-up loads them, the link is opened from the debugger's link options,
// and the run goes as in the dialog with every report routed to the store.
// Message boxes become lines on `out` (a line break inside written as
// " / "); progress, one line per category, and faults go to `err`.
// `interrupted` (Ctrl-C) stops the run after the current command.
//
// Exit codes: 0 no difference / adjustment verified, 1 differences / the
// verification failed, 2 a wrong command line, 3 the link, the loading of
// the definitions or the result file failed, the controller answered no
// read at all, or the run was stopped.
int runToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::atomic<bool>& interrupted);

extern const char* const kToolCommandUsage;

}  // namespace veltro::tools
