#pragma once

#include <string>

#include "veltro/gui/tools/tool_context.h"
#include "veltro/tools/std_text_files.h"
#include "veltro/tools/tool_settings.h"

class QWidget;

namespace veltro::link {
class RecordRouter;
}

namespace veltro::gui {

// The parameter tools of one debugger: the store over the element tables,
// the pacing the three tools share and the acceptance run's counter. Made
// once by the application; the link's router hands it the records while a
// tool dialog is open.
class ToolSession {
  public:
    ToolSession(ElementTables& tables, ControllerRequests& sender, link::RecordRouter& router,
                SettingsStore& settings, Prompts& prompts, std::string applicationDirectory);
    // The link's reader may be handing the store a record: it leaves the
    // store before the store goes.
    ~ToolSession();
    ToolSession(const ToolSession&) = delete;
    ToolSession& operator=(const ToolSession&) = delete;

    // Runs the tool's dialog modally over `parent`.
    void open(tools::Tool tool, QWidget* parent);

    tools::ParameterStore& store() { return m_store; }

  private:
    tools::ParameterStore m_store;
    tools::Pacing m_pacing;
    tools::AcceptanceState m_acceptance;
    tools::StdTextFiles m_files;
    tools::AcceptanceJournal m_journal;  // in the application directory
    link::RecordRouter& m_router;
    ToolContext m_context;
};

}  // namespace veltro::gui
