// The tool dialogs' backup and journal: the difference check's "&Bewaar
// parameters..." and the acceptance run's offer of a journal left behind.
#include <QPushButton>

#include "common/format.h"
#include "common/gui/qt_text.h"
#include "veltro/gui/tools/tool_dialog.h"
#include "veltro/gui/tools/tool_dialog_texts.h"
#include "veltro/tools/backup_origin.h"
#include "veltro/tools/backup_texts.h"
#include "veltro/tools/parameter_backup.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::gui {

using tools::RunAction;
using tools::RunEvent;
using tools::Tool;

using common::gui::qtText;

void ToolDialog::startBackup() {
    if (m_tool != Tool::Difference || running())
        return;
    const QString title = qtText(kBackupDialogTitle);
    const QString proposed = qtText(kBackupProposedName);
    // The file dialog asks before it replaces a file: replacing is chosen.
    const std::optional<QString> chosen = m_context.chooseFile
                                              ? m_context.chooseFile(this, title, proposed)
                                              : askToolFile(this, title, proposed);
    if (!chosen || step(RunEvent::Start) != RunAction::Launch)
        return;
    const tools::ToolSettings s = dialogState();
    saveSettings();
    m_context.pacing.setInterval(std::chrono::milliseconds(m_speed));
    tools::ParameterStore& store = m_context.store;
    const std::string path = chosen->toStdString();
    const tools::BackupOrigin origin = tools::backupOrigin(m_context.applicationDirectory);
    launch([&store, s, path, origin](tools::RunPorts& ports) {
        const tools::BackupOutcome outcome = tools::runBackup(store, s, ports, origin);
        if (outcome.result != tools::RunResult::Stopped)
            tools::saveAndTell(outcome, path, ports);
        return tools::ReadCounts{};  // its own boxes said what answered
    });
}

void ToolDialog::offerJournal() {
    tools::AcceptanceJournal* journal = m_context.acceptance.journal;
    if (m_tool != Tool::Acceptance || !journal || journal->active() || running())
        return;
    const auto left = journal->leftBehind();
    if (!left)
        return;
    Prompts& prompts = m_context.prompts;
    const std::string_view caption = tools::texts::kAcceptanceCaption;
    if (!left->backup) {
        prompts.messageBox(caption,
                           common::format(tools::texts::kJournalUnreadable, left->error.c_str()),
                           PromptIcon::Error);
        return;
    }
    if (prompts.askYesNo(caption,
                         common::format(tools::texts::kJournalFound, journal->path().c_str()),
                         PromptIcon::Question)) {
        startJournalRestore(*left->backup);
        return;
    }
    journal->adopt(*left->backup);
    m_reset->setEnabled(true);
    prompts.messageBox(caption, tools::texts::kJournalKept, PromptIcon::Information);
}

void ToolDialog::startJournalRestore(const tools::Backup& backup) {
    tools::AcceptanceJournal& journal = *m_context.acceptance.journal;
    tools::RestorePlan plan = tools::planRestore(backup, m_context.store.tables());
    if (!plan.missing.empty()) {
        m_context.prompts.messageBox(
            tools::texts::kAcceptanceCaption,
            common::format(tools::texts::kJournalMismatch, journal.path().c_str(),
                           plan.missing.front().c_str()),
            PromptIcon::Error);
        return;
    }
    if (step(RunEvent::Start) != RunAction::Launch)
        return;
    m_context.pacing.setInterval(std::chrono::milliseconds(m_speed));
    tools::ParameterStore& store = m_context.store;
    launch([&store, &journal, plan = std::move(plan)](tools::RunPorts& ports) {
        // Only a restore that verified every value retires the journal.
        if (tools::runRestore(store, plan, ports).result == tools::RunResult::Done &&
            plan.unanswered == 0)
            journal.retire();
        return tools::ReadCounts{};
    });
}

}  // namespace veltro::gui
