#include "veltro/gui/tools/tool_worker_ports.h"

#include <QApplication>
#include <QProgressBar>
#include <algorithm>

#include "common/gui/worker_run.h"

namespace veltro::gui {

void PostedProgress::start(int range) {
    m_position = 0;
    QProgressBar* bar = m_bar;
    m_worker.post([bar, range] {
        // A run with nothing to do is finished at once: an empty bar, not
        // the busy animation of a range 0 to 0.
        bar->setRange(0, std::max(range, 1));
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
