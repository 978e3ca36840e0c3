#include "veltro/gui/tools/tool_worker_ports.h"

#include <QApplication>
#include <QProgressBar>

#include "common/gui/worker_run.h"

namespace veltro::gui {

void PostedProgress::start(int range) {
    m_position = 0;
    QProgressBar* bar = m_bar;
    m_worker.post([bar, range] {
        bar->setRange(0, range);
        bar->setValue(0);
    });
}

void PostedProgress::step() {
    const int position = ++m_position;
    QProgressBar* bar = m_bar;
    m_worker.post([bar, position] { bar->setValue(position); });
}

void WorkerPrompts::messageBox(std::string_view caption, std::string_view body, PromptIcon icon) {
    Prompts* prompts = &m_prompts;
    m_worker.ask([prompts, caption = std::string(caption), body = std::string(body), icon] {
        QApplication::restoreOverrideCursor();
        prompts->messageBox(caption, body, icon);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return true;
    });
}

}  // namespace veltro::gui
