#include "pendrel/gui/worker_ports.h"

#include <string>

namespace pendrel::gui {

// Each question copies its texts: the worker's views are only good while it
// waits, and a stopped run stops waiting.

void WorkerPrompts::warning(std::string_view text) {
    m_run.ask([&shown = m_shown, text = std::string(text)] {
        shown.warning(text);
        return true;
    });
}

void WorkerPrompts::information(std::string_view caption, std::string_view text) {
    m_run.ask([&shown = m_shown, caption = std::string(caption), text = std::string(text)] {
        shown.information(caption, text);
        return true;
    });
}

bool WorkerPrompts::askYesNo(std::string_view caption, std::string_view text) {
    return m_run
        .ask([&shown = m_shown, caption = std::string(caption), text = std::string(text)] {
            return shown.askYesNo(caption, text);
        })
        .value_or(false);
}

bool WorkerPrompts::askPcOmgeving(std::string_view caption, std::string_view text) {
    return m_run
        .ask([&shown = m_shown, caption = std::string(caption), text = std::string(text)] {
            return shown.askPcOmgeving(caption, text);
        })
        .value_or(false);
}

std::optional<std::string> WorkerPrompts::askText(std::string_view caption, std::string_view text,
                                                  std::string_view prompt) {
    return m_run
        .ask([&shown = m_shown, caption = std::string(caption), text = std::string(text),
              prompt = std::string(prompt)] { return shown.askText(caption, text, prompt); })
        .value_or(std::nullopt);
}

Prompts::ExistingFile WorkerPrompts::askExistingFile(std::string_view text) {
    return m_run
        .ask([&shown = m_shown, text = std::string(text)] { return shown.askExistingFile(text); })
        .value_or(ExistingFile::Cancel);
}

void WorkerProgress::open(std::string_view title) {
    m_run.post([&shown = m_shown, title = std::string(title)] { shown.open(title); });
}

void WorkerProgress::add(std::string_view line) {
    m_run.post([&shown = m_shown, line = std::string(line)] { shown.add(line); });
}

void WorkerProgress::close() {
    m_run.post([&shown = m_shown] { shown.close(); });
}

}  // namespace pendrel::gui
