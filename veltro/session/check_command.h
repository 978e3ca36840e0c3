#pragma once

#include <iosfwd>
#include <string>

namespace veltro {

// `veltro --check DIR`: the start-up's loading steps on DIR without a link
// and without windows. Every message window line goes to `out`; when the
// start-up would fail, the message box text goes to `err`. Returns the exit
// code: 0 when the start-up would succeed, 1 when it would fail.
int runCheck(const std::string& startDirectory, std::ostream& out, std::ostream& err);

}  // namespace veltro
