#include "veltro/gui/link_assembly.h"

namespace veltro::gui {

LinkAssembly::LinkAssembly(DebugWindowList& windows, Messages& messages, DumpDisplay& dumpDisplay,
                           ReplyTimer& replyTimer)
    : pollWindow(windows),
      sink(windows),
      link({dispatcher, dumpDisplay, replyTimer, clock}),
      poll(pollWindow, link.requests(), timers, messages) {
    link.setPollCycle(&poll);
    link.setWindowSink(&sink);
}

}  // namespace veltro::gui
