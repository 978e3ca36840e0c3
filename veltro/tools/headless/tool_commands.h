#pragma once

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
//
// Exit codes: 0 no difference / adjustment verified, 1 differences / the
// verification failed, 2 a wrong command line, 3 the link or the loading
// of the definitions failed.
int runToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kToolCommandUsage;

}  // namespace veltro::tools
