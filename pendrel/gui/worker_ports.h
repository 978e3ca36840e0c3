#pragma once

#include "common/gui/worker_run.h"
#include "pendrel/ports/prompts.h"

namespace pendrel::gui {

// The designer's prompts for logic that runs on the worker of `run` (the
// generation, the reading of the sources): every box and question is shown
// by `shown`, the window's own prompts, on the GUI thread, and the worker
// waits for it as the logic expects of a modal box. A run stopped before the
// answer came reads as the user cancelling: Nee, no text, Annuleren.
// `shown` must live as long as the run's receiver.
class WorkerPrompts : public Prompts {
  public:
    WorkerPrompts(common::gui::WorkerRun& run, Prompts& shown) : m_run(run), m_shown(shown) {}

    void warning(std::string_view text) override;
    void information(std::string_view caption, std::string_view text) override;
    bool askYesNo(std::string_view caption, std::string_view text) override;
    bool askPcOmgeving(std::string_view caption, std::string_view text) override;
    std::optional<std::string> askText(std::string_view caption, std::string_view text,
                                       std::string_view prompt) override;
    ExistingFile askExistingFile(std::string_view text) override;

  private:
    common::gui::WorkerRun& m_run;
    Prompts& m_shown;
};

// The progress window for logic on the worker of `run`: each call is queued
// to `shown` on the GUI thread, in order; the worker does not wait. `shown`
// must live as long as the run's receiver.
class WorkerProgress : public Progress {
  public:
    WorkerProgress(common::gui::WorkerRun& run, Progress& shown) : m_run(run), m_shown(shown) {}

    void open(std::string_view title) override;
    void add(std::string_view line) override;
    void close() override;

  private:
    common::gui::WorkerRun& m_run;
    Progress& m_shown;
};

}  // namespace pendrel::gui
