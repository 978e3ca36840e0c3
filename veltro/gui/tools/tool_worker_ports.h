#pragma once

#include <string>

#include "veltro/ports/prompts.h"
#include "veltro/ports/tool_progress.h"
#include "veltro/tools/stoppable_clock.h"

class QProgressBar;

namespace common::gui {
class WorkerRun;
}

namespace veltro::gui {

// The progress bar of a run on a worker: its moves are posted to the
// user-interface thread. A stop asked there is seen through the clock.
class PostedProgress final : public ToolProgress {
  public:
    PostedProgress(common::gui::WorkerRun& worker, QProgressBar* bar,
                   const tools::StoppableClock& stopSignal)
        : m_worker(worker), m_bar(bar), m_stopSignal(stopSignal) {}
    void start(int range) override;
    void step() override;
    bool stopRequested() const override { return m_stopSignal.stopRequested(); }

  private:
    common::gui::WorkerRun& m_worker;
    QProgressBar* m_bar;
    const tools::StoppableClock& m_stopSignal;
    int m_position = 0;  // worker thread only
};

// Message boxes asked from the worker, shown on the user-interface thread
// with the normal cursor; the run waits for the answer. Runs ask nothing else.
class WorkerPrompts final : public Prompts {
  public:
    WorkerPrompts(common::gui::WorkerRun& worker, Prompts& prompts)
        : m_worker(worker), m_prompts(prompts) {}
    void messageBox(std::string_view caption, std::string_view body, PromptIcon icon) override;
    bool askYesNo(std::string_view, std::string_view, PromptIcon) override { return false; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }

  private:
    common::gui::WorkerRun& m_worker;
    Prompts& m_prompts;
};

}  // namespace veltro::gui
