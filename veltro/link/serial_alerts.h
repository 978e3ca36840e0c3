#pragma once

#include <string>

#include "veltro/ports/prompts.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// The serial link's message boxes (caption "VELTRO.EXE"), the same on every
// platform: the set-up's on the calling (user-interface) thread, the reader's
// and writer's posted to it. A reopen sets the line up again quietly.
class SerialAlerts {
  public:
    SerialAlerts(Prompts& prompts, UiDispatcher& dispatcher)
        : m_prompts(prompts), m_dispatcher(dispatcher) {}

    void now(const std::string& text);
    // The prompts outlive the link, so the posted box needs nothing of this.
    void later(const std::string& text);
    void setQuiet(bool quiet) { m_quiet = quiet; }

  private:
    Prompts& m_prompts;
    UiDispatcher& m_dispatcher;
    bool m_quiet = false;
};

}  // namespace veltro::link
