#pragma once

#include <string>

#include "common/gui/worker_run.h"
#include "tonvia/gui/message_window.h"

namespace tonvia::gui {

// Runs the generator on a worker thread so that the window paints its lines
// while the run goes; every line and the outcome reach the window through
// queued calls. The window must outlive this object, which waits for the run
// to end.
class WindowRun {
  public:
    WindowRun(MessageWindow& window, std::string directoryArgument, std::string typeArgument,
              std::string date);

    void wait() { m_run.abandonQuestionsAndWait(); }

  private:
    common::gui::WorkerRun m_run;
};

}  // namespace tonvia::gui
