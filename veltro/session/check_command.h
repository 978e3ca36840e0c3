#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace veltro {

// `veltro --check DIR`: the start-up's loading steps on DIR without a link
// and without windows. Every message window line goes to `out`; when the
// start-up would fail, the message box text goes to `err`. Returns the exit
// code: 0 when the start-up would succeed, 1 when it would fail, and with
// `strict` also 1 when any warning, error or system message was printed.
int runCheck(const std::string& startDirectory, std::ostream& out, std::ostream& err,
             bool strict = false);

// `veltro --check [--strict] [DIR]` (DIR: the current directory); 2 for a
// wrong command line. `args` are the words after the program name.
int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const std::atomic<bool>& interrupted);

extern const char* const kCheckUsage;

}  // namespace veltro
