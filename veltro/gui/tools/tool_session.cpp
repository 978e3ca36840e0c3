#include "veltro/gui/tools/tool_session.h"

#include "veltro/gui/tools/tool_dialog.h"
#include "veltro/link/record_router.h"
#include "veltro/tools/backup_origin.h"

namespace veltro::gui {

ToolSession::ToolSession(ElementTables& tables, ControllerRequests& sender,
                         link::RecordRouter& router, SettingsStore& settings, Prompts& prompts,
                         std::string applicationDirectory)
    : m_store(tables),
      m_journal(m_files, tools::journalPath(applicationDirectory),
                tools::backupOrigin(applicationDirectory)),
      m_router(router),
      m_context{m_store,  m_pacing, m_acceptance, sender,
                settings, prompts,  m_files,      std::move(applicationDirectory),
                nullptr,  {}} {
    // The reader thread reads the sink only while the dialog flag is set,
    // and the flag is set after this (release), so the pointer is seen.
    m_router.setToolSink(&m_store);
    m_acceptance.journal = &m_journal;
}

ToolSession::~ToolSession() {
    m_router.setToolSink(nullptr);
}

void ToolSession::open(tools::Tool tool, QWidget* parent) {
    runToolDialog(tool, m_context, parent,
                  [this](bool open) { m_router.setRouteToParameterStore(open); });
}

}  // namespace veltro::gui
