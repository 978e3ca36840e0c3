#pragma once

#include <string>
#include <thread>

#include "tonvia/gui/message_window.h"

namespace tonvia::gui {

// Runs the generator on a worker thread so that the window paints its lines
// while the run goes; every line reaches the window through a queued call.
// The window must outlive this object, which waits for the run to end.
class WindowRun {
  public:
    WindowRun(MessageWindow& window, std::string directoryArgument, std::string typeArgument,
              std::string date);
    ~WindowRun();
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;

    void wait();

  private:
    std::thread m_thread;
};

}  // namespace tonvia::gui
