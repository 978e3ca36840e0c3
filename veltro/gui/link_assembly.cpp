#include "veltro/gui/link_assembly.h"

namespace veltro::gui {

LinkAssembly::LinkAssembly(DebugWindowList& windows, Messages& messages, DumpDisplay& dumpDisplay,
                           ReplyTimer& replyTimer)
    : pollWindow(windows),
      sink(windows),
      link({dispatcher, dumpDisplay, replyTimer, clock}),
      trust(windows, &link),
      poll(pollWindow, link.requests(), timers, messages, &link) {
    link.setPollCycle(&poll);
    link.setWindowSink(&sink);
    link.setStateListener(&trust);
    sink.setTrust(&trust);
}

}  // namespace veltro::gui
